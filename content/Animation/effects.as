// The sample resource script: the tables of the framework's own screens. The build compiles it to
// Animation/effects.bs with the program's "/cr" mode and packs both into resource.dat; the program
// loads the byte code and falls back to this source when the byte code is missing or does not load.
//
// Units: times in milliseconds; colours as alpha, red, green, blue in 0..255; opacity 0..255; zoom in
// percent; rotation in degrees; hotspots in hundredths of a percent of the picture (5000 = centre).
// A key's mode is 0 to hold its value, 1 to move towards the next key's value.

void Textures(CResourceReader@ r)
{
    // Texture\0, the sheet: every picture below but the curtain and the grey cells, packed by
    // texturegen, which checks at build time that these rectangles are where it put the pictures
    // (`texturegen <png> sheet --script` prints them). Flat fills ("block", "hit_area") are white,
    // coloured by the parts.
    r.AddTexture("interface");                                   // Texture\0
    r.AddTexture("cloth");                                       // Texture\1: the window shades
    r.AddTexture("gray");                                        // Texture\2: the greyed icons
    //                  name                      texture  x     y     width height
    r.AddHGESpriteInfo("panel",                   0,  546,   66,  256,  128);  // sprite info 0
    r.AddHGESpriteInfo("button",                  0,  274,  392,  128,   32);  // 1
    r.AddHGESpriteInfo("button_over",             0,    2,  422,  128,   32);  // 2
    r.AddHGESpriteInfo("spark",                   0,  518,  466,   16,   16);  // 3
    r.AddHGESpriteInfo("block",                   0,  266,  468,   16,   16);  // 4: flat, coloured by the part
    r.AddHGESpriteInfo("hit_area",                0,  226,  464,   96,   24);  // 5: the same, invisible
    r.AddHGESpriteInfo("arrow",                   0,  450,  464,   12,   18);  // 6
    r.AddHGESpriteInfo("balloon",                 0,  326,  464,   64,   24);  // 7
    r.AddHGESpriteInfo("gray",                    2,    0,    0,  128,   64);  // 8: eight cells of 32 x 32
    r.AddHGESpriteInfo("cloth",                   1,    0,    0,  256,  512);  // 9: the whole curtain
    // The particle systems' soft dots, found by name: the stoves' fire, sparkles, rewards.
    r.AddTexture("particles");                                   // Texture\3
    r.AddTexture("particles_2");                                 // Texture\4
    r.AddTexture("particles_3");                                 // Texture\5
    r.AddHGESpriteInfo("hole",                    0,  806,  198,   64,   64);  // 10: dark, a clear round middle
    // The item icons, in cells of the grey sheet's layout at the sheet's top left (see ItemIcons).
    r.AddHGESpriteInfo("icon_soup",               0,    0,    0,   32,   32);  // 11
    r.AddHGESpriteInfo("icon_steak",              0,   32,    0,   32,   32);  // 12
    r.AddHGESpriteInfo("icon_pizza",              0,   64,    0,   32,   32);  // 13
    r.AddHGESpriteInfo("icon_tea",                0,   96,    0,   32,   32);  // 14
    r.AddHGESpriteInfo("icon_bread",              0,    0,   32,   32,   32);  // 15
    r.AddHGESpriteInfo("icon_salad",              0,   32,   32,   32,   32);  // 16
    r.AddHGESpriteInfo("icon_cheese",             0,   64,   32,   32,   32);  // 17
    r.AddHGESpriteInfo("icon_cup",                0,   96,   32,   32,   32);  // 18
    r.AddTexture("map_fon");                                     // Texture\6: the map's background
    r.AddTexture("cookbook_page_1");                             // Texture\7: the book's page shape (alpha)
    r.AddHGESpriteInfo("white",                   0,  226,  464,   96,   24);  // 19
    r.AddHGESpriteInfo("disc",                    0,  990,  390,   32,   32);  // 20
    r.AddHGESpriteInfo("saucepan_idle",           0,  874,  218,   64,   64);  // 21
    r.AddHGESpriteInfo("saucepan_work",           0,  942,  218,   64,   64);  // 22
    r.AddHGESpriteInfo("saucepan_closed",         0,  342,  220,   64,   64);  // 23
    r.AddHGESpriteInfo("griddle_idle",            0,  594,  330,   64,   48);  // 24
    r.AddHGESpriteInfo("griddle_work",            0,  662,  330,   64,   48);  // 25
    r.AddHGESpriteInfo("griddle_closed",          0,  730,  330,   64,   48);  // 26
    r.AddHGESpriteInfo("micro_wave_idle",         0,  798,  338,   64,   48);  // 27
    r.AddHGESpriteInfo("micro_wave_work",         0,  866,  338,   64,   48);  // 28
    r.AddHGESpriteInfo("micro_wave_closed",       0,  934,  338,   64,   48);  // 29
    r.AddHGESpriteInfo("electric_stove_4_idle",   0,  290,  340,   64,   48);  // 30
    r.AddHGESpriteInfo("electric_stove_4_work",   0,  358,  340,   64,   48);  // 31
    r.AddHGESpriteInfo("electric_stove_4_closed", 0,  426,  340,   64,   48);  // 32
    r.AddHGESpriteInfo("place_bread",             0,  964,    2,   48,   48);  // 33
    r.AddHGESpriteInfo("place_salad",             0,    2,  370,   48,   48);  // 34
    r.AddHGESpriteInfo("place_cheese",            0,   54,  370,   48,   48);  // 35
    r.AddHGESpriteInfo("place_cup",               0,  918,  390,   32,   40);  // 36
    r.AddHGESpriteInfo("heroine",                 0,  206,   66,   64,  224);  // 37
    r.AddHGESpriteInfo("heroine_dress",           0,  274,   66,   64,  224);  // 38
    r.AddHGESpriteInfo("customer_glad",           0,  518,  434,   28,   28);  // 39
    r.AddHGESpriteInfo("customer_calm",           0,  550,  434,   28,   28);  // 40
    r.AddHGESpriteInfo("customer_cross",          0,  582,  434,   28,   28);  // 41
    r.AddHGESpriteInfo("portrait",                0,  266,  428,   32,   32);  // 42
    r.AddHGESpriteInfo("dish_soup",               0,  880,    2,   80,   48);  // 43
    r.AddHGESpriteInfo("dish_steak",              0,  342,  288,   80,   48);  // 44
    r.AddHGESpriteInfo("dish_pizza",              0,  426,  288,   80,   48);  // 45
    r.AddHGESpriteInfo("dish_tea",                0,  206,  294,   80,   48);  // 46
    r.AddHGESpriteInfo("dish_covered",            0,  510,  330,   80,   48);  // 47
    r.AddHGESpriteInfo("serving_plate",           0,  406,  392,   64,   32);  // 48
    r.AddHGESpriteInfo("bell",                    0,  106,  370,   48,   48);  // 49
    r.AddHGESpriteInfo("clock_face",              0,  874,   66,   80,   80);  // 50
    r.AddHGESpriteInfo("dial",                    0,  494,  382,   48,   48);  // 51
    r.AddHGESpriteInfo("clock_hand",              0, 1016,    2,    6,   36);  // 52
    r.AddHGESpriteInfo("window",                  0,  546,  198,  256,  128);  // 53
    r.AddHGESpriteInfo("plant",                   0,  806,   66,   64,  128);  // 54
    r.AddHGESpriteInfo("vase",                    0,  478,  220,   48,   64);  // 55
    r.AddHGESpriteInfo("wall_clock",              0,  410,  220,   64,   64);  // 56
    r.AddHGESpriteInfo("lamp",                    0,  958,   66,   48,   80);  // 57
    r.AddHGESpriteInfo("book",                    0,  206,  346,   64,   48);  // 58
    r.AddHGESpriteInfo("hat",                     0,  546,  382,   48,   48);  // 59
    r.AddHGESpriteInfo("shelf",                   0,  134,  422,  128,   32);  // 60
    r.AddHGESpriteInfo("rug",                     0,  874,  150,  128,   64);  // 61
    r.AddHGESpriteInfo("cup_gold",                0,  130,    2,   48,   56);  // 62
    r.AddHGESpriteInfo("cup_silver",              0,  182,    2,   48,   56);  // 63
    r.AddHGESpriteInfo("cup_bronze",              0,  234,    2,   48,   56);  // 64
    r.AddHGESpriteInfo("kitchen_room",            0,  342,   66,  200,  150);  // 65
    r.AddHGESpriteInfo("room",                    0,    2,   66,  200,  300);  // 66
    r.AddHGESpriteInfo("customer_2_glad",         0,  614,  434,   28,   28);  // 67
    r.AddHGESpriteInfo("customer_2_calm",         0,  646,  434,   28,   28);  // 68
    r.AddHGESpriteInfo("customer_2_cross",        0,  678,  434,   28,   28);  // 69
    r.AddHGESpriteInfo("customer_3_glad",         0,  710,  434,   28,   28);  // 70
    r.AddHGESpriteInfo("customer_3_calm",         0,  806,  434,   28,   28);  // 71
    r.AddHGESpriteInfo("customer_3_cross",        0,  838,  434,   28,   28);  // 72
    r.AddHGESpriteInfo("customer_4_glad",         0,  870,  434,   28,   28);  // 73
    r.AddHGESpriteInfo("customer_4_calm",         0,  902,  434,   28,   28);  // 74
    r.AddHGESpriteInfo("customer_4_cross",        0,  934,  434,   28,   28);  // 75
    r.AddHGESpriteInfo("customer_5_glad",         0,  742,  442,   28,   28);  // 76
    r.AddHGESpriteInfo("customer_5_calm",         0,  774,  442,   28,   28);  // 77
    r.AddHGESpriteInfo("customer_5_cross",        0,    2,  458,   28,   28);  // 78
    r.AddHGESpriteInfo("ribbon_1",                0,  328,    2,  180,   48);  // 79
    r.AddHGESpriteInfo("ribbon_2",                0,  512,    2,  180,   48);  // 80
    r.AddHGESpriteInfo("ribbon_3",                0,  696,    2,  180,   48);  // 81
    r.AddHGESpriteInfo("ribbon_4",                0,  806,  286,  180,   48);  // 82
    // A particle system draws its sprite's whole texture at every particle: its soft dot is a texture
    // of its own, never a rectangle of the sheet.
    r.AddHGESpriteInfo("dot",                     3,    0,    0,   32,   32);  // 83
    // The kitchen's countdown badges (three, two, one, go) and the crate of cane sugar.
    r.AddHGESpriteInfo("count_3",                 0,  966,  462,   24,   24);  // 84
    r.AddHGESpriteInfo("count_2",                 0,  994,  462,   24,   24);  // 85
    r.AddHGESpriteInfo("count_1",                 0,  394,  464,   24,   24);  // 86
    r.AddHGESpriteInfo("count_go",                0,  422,  464,   24,   24);  // 87
    r.AddHGESpriteInfo("place_sugar",             0,  990,  426,   32,   32);  // 88
    // The rosettes in the middle of the gold, silver and bronze ribbons: the map's level medals.
    r.AddHGESpriteInfo("medal_1",                 0,  598,  382,   48,   48);  // 89
    r.AddHGESpriteInfo("medal_2",                 0,  650,  382,   48,   48);  // 90
    r.AddHGESpriteInfo("medal_3",                 0,  702,  382,   48,   48);  // 91
    // The duel's two customers; the order signs' card, the bonus customer's gift and the duel's
    // portrait frame; the bonuses' badges, frost and chain; the book's chapter tab; the day's sun.
    r.AddHGESpriteInfo("customer_6_glad",         0,   34,  458,   28,   28);  // 92
    r.AddHGESpriteInfo("customer_6_calm",         0,   66,  458,   28,   28);  // 93
    r.AddHGESpriteInfo("customer_6_cross",        0,   98,  458,   28,   28);  // 94
    r.AddHGESpriteInfo("customer_7_glad",         0,  130,  458,   28,   28);  // 95
    r.AddHGESpriteInfo("customer_7_calm",         0,  162,  458,   28,   28);  // 96
    r.AddHGESpriteInfo("customer_7_cross",        0,  194,  458,   28,   28);  // 97
    r.AddHGESpriteInfo("card",                    0,  806,  390,   64,   40);  // 98: light, stretched and tinted
    r.AddHGESpriteInfo("gift",                    0,  158,  370,   36,   44);  // 99
    r.AddHGESpriteInfo("portrait_frame",          0,  286,    2,   38,   56);  // 100
    r.AddHGESpriteInfo("badge_freeze",            0,  302,  428,   32,   32);  // 101
    r.AddHGESpriteInfo("badge_cook",              0,  338,  428,   32,   32);  // 102
    r.AddHGESpriteInfo("badge_patience",          0,  374,  428,   32,   32);  // 103
    r.AddHGESpriteInfo("badge_quality",           0,  410,  428,   32,   32);  // 104
    r.AddHGESpriteInfo("badge_highlight",         0,  446,  428,   32,   32);  // 105
    r.AddHGESpriteInfo("badge_random",            0,  482,  434,   32,   32);  // 106
    r.AddHGESpriteInfo("frost",                   0,  874,  390,   40,   40);  // 107: half clear
    r.AddHGESpriteInfo("chain",                   0,  538,  466,   40,   12);  // 108
    r.AddHGESpriteInfo("book_tab",             0,  954,  390,   32,   40);  // 109: light, tinted
    r.AddHGESpriteInfo("sun",                  0,  754,  390,   48,   48);  // 110
}

// The drawings' sprite infos.
const int kWhite = 19;
const int kDisc = 20;
const int kSaucepanIdle = 21;
const int kSaucepanWork = 22;
const int kSaucepanClosed = 23;
const int kGriddleIdle = 24;
const int kGriddleWork = 25;
const int kGriddleClosed = 26;
const int kMicroWaveIdle = 27;
const int kMicroWaveWork = 28;
const int kMicroWaveClosed = 29;
const int kElectricStoveIdle = 30;
const int kElectricStoveWork = 31;
const int kElectricStoveClosed = 32;
const int kPlaceBread = 33;
const int kPlaceSalad = 34;
const int kPlaceCheese = 35;
const int kPlaceCup = 36;
const int kHeroine = 37;
const int kHeroineDress = 38;
const int kCustomerGlad = 39;
const int kCustomerCalm = 40;
const int kCustomerCross = 41;
const int kPortrait = 42;
const int kDishSoup = 43;
const int kDishSteak = 44;
const int kDishPizza = 45;
const int kDishTea = 46;
const int kDishCovered = 47;
const int kServingPlate = 48;
const int kBell = 49;
const int kClockFace = 50;
const int kDial = 51;
const int kClockHand = 52;
const int kWindow = 53;
const int kPlant = 54;
const int kVase = 55;
const int kWallClock = 56;
const int kLamp = 57;
const int kBook = 58;
const int kHat = 59;
const int kShelf = 60;
const int kRug = 61;
const int kCupGold = 62;
const int kCupSilver = 63;
const int kCupBronze = 64;
const int kKitchenRoom = 65;
const int kRoom = 66;
const int kCustomer2Glad = 67;  // then each customer's calm and cross, customers 2 to 5
const int kMedal1 = 89;         // then the medals of places 2 and 3
const int kRibbon1 = 79;        // then the ribbons of places 2 and 3, and the lost level's
const int kCount3 = 84;         // then the badges of two, one and go
const int kPlaceSugar = 88;
const int kCustomer6Glad = 92;  // then its calm and cross, and customer 7's three
const int kCard = 98;
const int kGift = 99;
const int kPortraitFrame = 100;
const int kBadgeFreeze = 101;   // then cook, patience, quality, highlight and random
const int kFrost = 107;
const int kChain = 108;
const int kBookTab = 109;
const int kSun = 110;

void Fonts(CResourceReader@ r)
{
    r.AddFont("main");                                           // Font\0
}

void Texts(CResourceReader@ r)
{
    r.AddTextFile("Binary\\textdata.txt");
    // name, font, tracking, line spacing, alignment (0x01 centred, 0x10 / 0x20 vertical), text number
    r.AddTextInfo("title",   0, 1, 0, 0x11, 0);                  // text description 0
    r.AddTextInfo("loading", 0, 0, 0, 0x11, 1);                  // 1
    r.AddTextInfo("yes",     0, 0, 0, 0x11, 2);                  // 2
    r.AddTextInfo("no",      0, 0, 0, 0x11, 3);                  // 3
    r.AddTextInfo("welcome", 0, 0, 2, 0x01, 6);                  // 4
    r.AddTextInfo("score",   0, 0, 0, 0x41, 4);                  // 5: centred both ways
    r.AddTextInfo("hint",    0, 0, 0, 0x11, 13);                 // 6: empty until a hint fills it
    r.AddTextInfo("field",   0, 0, 0, 0x00, 13);                 // 7: from its left end
    r.AddTextInfo("balloon", 0, 0, 0, 0x41, 13);                 // 8: centred both ways, empty
    // The options' labels, from their left ends.
    r.AddTextInfo("label_music",         0, 0, 0, 0x00, 37);     // 9
    r.AddTextInfo("label_sound",         0, 0, 0, 0x00, 38);     // 10
    r.AddTextInfo("label_full_screen",   0, 0, 0, 0x00, 39);     // 11
    r.AddTextInfo("label_custom_cursor", 0, 0, 0, 0x00, 40);     // 12
    // The help pages', comics', credits', hint's and high scores' own lines, centred.
    r.AddTextInfo("help_page_1",         0, 0, 2, 0x11, 64);     // 13
    r.AddTextInfo("help_page_2",         0, 0, 2, 0x11, 65);     // 14
    r.AddTextInfo("help_page_3",         0, 0, 2, 0x11, 66);     // 15
    r.AddTextInfo("comics_1_1",          0, 0, 0, 0x11, 67);     // 16
    r.AddTextInfo("comics_1_2",          0, 0, 0, 0x11, 68);     // 17
    r.AddTextInfo("comics_1_3",          0, 0, 0, 0x11, 69);     // 18
    r.AddTextInfo("comics_2_1",          0, 0, 0, 0x11, 70);     // 19
    r.AddTextInfo("comics_2_2",          0, 0, 0, 0x11, 71);     // 20
    r.AddTextInfo("credits_text",        0, 0, 4, 0x11, 72);     // 21
    r.AddTextInfo("hint_screen_text",    0, 0, 2, 0x11, 73);     // 22
    r.AddTextInfo("high_score_title",    0, 1, 0, 0x11, 74);     // 23
    r.AddTextInfo("bonus_text",          0, 1, 0, 0x41, 85);     // 24
    // The participants' names on the result screens (text numbers 75 to 82): descriptions 25 to 32.
    for (int id = 0; id < 8; ++id) r.AddTextInfo("pers_name_" + Number(id), 0, 0, 0, 0x11, 75 + id);
    r.AddTextInfo("result_round",        0, 0, 0, 0x11, 119);    // 33: "_round" in it becomes the level
    r.AddTextInfo("bonus_result",        0, 0, 0, 0x11, 120);    // 34: "_points" in it becomes the points
    // The recipe book's lines, filled from its items, and its page numbers.
    r.AddTextInfo("book_text",           0, 0, 0, 0x00, 13);     // 35: from its left end
    r.AddTextInfo("book_title",          0, 1, 0, 0x11, 13);     // 36: centred
    r.AddTextInfo("book_number",         0, 0, 0, 0x11, 13);     // 37: centred
    r.AddTextInfo("duel_round",          0, 1, 0, 0x11, 127);    // 38: "_round" in it becomes the round
    // The announcement screens' titles.
    r.AddTextInfo("new_ingredients",     0, 1, 0, 0x11, 146);    // 39
    r.AddTextInfo("new_dress",           0, 1, 0, 0x11, 147);    // 40
    // The names a bonus shows when it takes effect.
    r.AddTextInfo("bonus_title_freeze",  0, 1, 0, 0x41, 105);    // 41
    r.AddTextInfo("bonus_title_cook",    0, 1, 0, 0x41, 106);    // 42
    r.AddTextInfo("bonus_title_patience", 0, 1, 0, 0x41, 107);   // 43
    r.AddTextInfo("bonus_title_quality", 0, 1, 0, 0x41, 108);    // 44
    r.AddTextInfo("bonus_title_helper",  0, 1, 0, 0x41, 148);    // 45
    r.AddTextInfo("book_button",         0, 0, 0, 0x41, 149);    // 46: the recipe book's button
    r.AddTextInfo("caption",             0, 0, 0, 0x41, 13);     // 47: a button's, centred both ways
    // The result screens' labels, each ending where its figure begins.
    r.AddTextInfo("result_points",       0, 0, 0, 0x42, 150);    // 48
    r.AddTextInfo("result_dishes",       0, 0, 0, 0x42, 151);    // 49
    r.AddTextInfo("result_place",        0, 0, 0, 0x42, 152);    // 50
    r.AddTextInfo("name_prompt",         0, 0, 0, 0x41, 153);    // 51: over the new player's field
    r.AddTextInfo("duel_lost",           0, 1, 0, 0x11, 157);    // 52: the lost duel's heading
    r.AddTextInfo("stage_result",        0, 1, 0, 0x11, 158);    // 53: the stage result's heading
    // The last stage's tutorial pages.
    for (int page = 1; page <= 4; ++page)
        r.AddTextInfo("hint_last_stage_" + Number(page), 0, 0, 2, 0x11, 158 + page);  // 54 to 57
    r.AddTextInfo("hint_continue",       0, 0, 0, 0x41, 163);    // 58: the tutorial's "Continue"
}

void Sounds(CResourceReader@ r)
{
    r.AddSoundInfo("click");                                     // Sound\0
}

// A button: its picture, the highlight it swaps in while the mouse is over it, and its caption.
void Button(CResourceReader@ r, const string &in name, int caption)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("_over", 1000, 1300, 1);
    r.AddNamedPart("_down", 1300, 1400, 1);
    r.AddNamedPart("_disabled", 1400, 1500, 1);

    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(1, 1000);
    r.AddSpriteIDResource(2, 500);
    r.AddHotspot(5000, 5000, 0, 1500);
    r.AddZoom(100, 100, 0, 1300);
    r.AddZoom(95, 95, 0, 100);
    r.AddZoom(100, 100, 0, 100);
    r.AddColor(255, 255, 255, 255, 0, 1400);
    r.AddColor(160, 128, 128, 128, 0, 100);
    r.AddBlendMode(2, 1500);
    r.AddSubstAnimation("interfaces", "glow");
    r.AddCommandSubstAnimation("glow", 1000);

    r.CreateTextSpriteObjectData("caption");
    r.AddTextSpriteIDResource(caption, 1500);
    r.AddLayer(1, 1500);
    r.AddOffset(0, -2, 0, 1300);
    r.AddOffset(0, 0, 0, 200);
}

void Interfaces(CResourceReader@ r)
{
    r.CreateModule("interfaces");

    // The start-up splash: the title fades in over a panel, sparks rise, a chime sounds.
    r.CreateAnimationData("publisher");
    r.AddNamedPart("_show", 0, 1000, 1);
    r.AddNamedPart("_idle", 1000, 3000, 1);
    r.AddNamedPart("_hide", 3000, 4000, 1);

    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 4000);
    r.AddHotspot(5000, 5000, 0, 4000);
    r.AddLayer(0, 4000);
    r.AddBlendMode(2, 4000);
    r.AddFlip(0, 4000);
    r.AddOpaque(0, 1, 1000);
    r.AddOpaque(255, 0, 2000);
    r.AddOpaque(255, 1, 1000);
    r.AddOpaque(0, 0, 0);
    r.AddRotate(-2.5, 1, 2000);
    r.AddRotate(2.5, 1, 2000);
    r.AddSkew(0, 0, 0, 4000);

    r.CreateTextSpriteObjectData("title");
    r.AddTextSpriteIDResource(0, 4000);
    r.AddOffset(0, -20, 0, 4000);
    r.AddLayer(2, 4000);
    r.AddColor(0, 255, 240, 200, 1, 1000);
    r.AddColor(255, 255, 240, 200, 0, 2000);
    r.AddColor(255, 255, 240, 200, 1, 1000);
    r.AddColor(0, 255, 240, 200, 0, 0);
    r.AddBlendMode(2, 4000);
    r.AddParamModifier(1, 1, 2, -3.0, 3.0, 1500.0, 2500.0);      // a slow wobble, in degrees

    r.CreateParticleSystem("sparks");
    r.AddParticleID(0, 4000);
    r.AddParticleIDSprite(83, 4000);
    r.AddParticleCommand(1, 3000);
    r.AddParticleCommand(0, 1000);
    r.AddOffset(0, 60, 0, 4000);
    r.AddLayer(1, 4000);
    r.AddBlendMode(1, 4000);
    r.AddOpaque(200, 0, 4000);

    r.CreateSoundObjectData("chime");
    r.AddSndIDResource(0, 4000);
    r.AddActionSound(1, 3500);
    r.AddActionSound(4, 500);
    r.AddParamSound(100, 0, 4000);

    r.CreateClippingObjectData("frame");
    r.AddOffset(-128, -64, 0, 4000);
    r.AddHotspot(0, 0, 0, 4000);
    r.AddZoom(100, 0, 1, 1000);
    r.AddZoom(100, 100, 0, 3000);
    r.AddLayer(3, 4000);
    r.AddParamModifier(2, 1, 1, -1.0, 1.0, 800.0, 1200.0);

    // The highlight a button swaps in.
    r.CreateAnimationData("glow");
    r.AddNamedPart("_idle", 0, 600, 0);
    r.CreateSpriteObjectData("light");
    r.AddSpriteIDResource(3, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddBlendMode(3, 600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);

    Button(r, "button_yes", 2);
    Button(r, "button_no", 3);

    // A score plate: a blue block of 200 x 48 about its centre, and the score centred on it, which
    // code writes (it says "OK" until then).
    r.CreateAnimationData("score");
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.CreateSpriteObjectData("plate");
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(1250, 300, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 40, 80, 160, 0, 1000);
    r.CreateTextSpriteObjectData("value");
    r.AddTextSpriteIDResource(5, 1000);
    r.AddLayer(1, 1000);
}

// A menu button's own animation, hosted by the layout child "_item_<name>": its face, its caption
// "_text" (the text "item_<name>" replaces it) and, with hitArea, "_button_rect": a smaller,
// invisible area that takes the clicks. One part for each state of the button.
// A button whose caption part is "_text" takes the caption the game gives its control ("item_" and
// the control's name); under another part name it keeps its own. A short caption may take a face of
// width percent of the usual one, its hit area with it.
void MenuButton(CResourceReader@ r, const string &in name, int caption, bool hitArea,
                const string &in captionPart = "_text", int width = 100)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_over", 100, 200, 1);
    r.AddNamedPart("_leave", 200, 300, 1);
    r.AddNamedPart("_down", 300, 400, 1);
    r.AddNamedPart("_disabled", 400, 500, 1);

    // The face is stretched to 172 x 32, room for the longest caption with a margin at either end.
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(1, 100);
    r.AddSpriteIDResource(2, 100);
    r.AddSpriteIDResource(1, 300);
    r.AddHotspot(5000, 5000, 0, 500);
    r.AddZoom(135 * width / 100, 100, 0, 300);
    r.AddZoom(128 * width / 100, 95, 0, 100);
    r.AddZoom(135 * width / 100, 100, 0, 100);
    r.AddBlendMode(2, 500);
    r.AddColor(255, 255, 255, 255, 0, 400);
    r.AddColor(255, 128, 128, 128, 0, 100);

    r.CreateTextSpriteObjectData(captionPart);
    r.AddTextSpriteIDResource(caption, 500);
    r.AddLayer(1, 500);

    if (hitArea)
    {
        // 96 x 24 stretched to 163 x 30: the clicks are taken on nearly all of the face, whose
        // rounded ends and rim alone are left out.
        r.CreateSpriteObjectData("_button_rect");
        r.AddSpriteIDResource(5, 500);
        r.AddHotspot(5000, 5000, 0, 500);
        r.AddZoom(170 * width / 100, 125, 0, 500);
        r.AddOpaque(0, 0, 500);
    }
}

void MainMenu(CResourceReader@ r)
{
    r.CreateModule("main_menu");
    MenuButton(r, "button_yes", 47, false);
    MenuButton(r, "button_no", 47, true);
    // A message box's one button: the screen still binds it as "yes", but it keeps its own caption,
    // the table's "OK" (text description 5), since it only acknowledges.
    MenuButton(r, "button_ok", 5, false, "_caption");

    // The yes/no dialogs: the framework's own, and the game's question before closing.
    ConfirmBox(r, "confirm_screen", true);
    ConfirmBox(r, "confirm_exit_screen", true);
    // The message boxes: their phrases and one button.
    ConfirmBox(r, "message_screen", false);
    ConfirmBox(r, "bonus_message_screen", false);
}

const int kDialogLayer = 1000;

// A yes/no dialog: fades in, waits, fades out. Its buttons "yes" and "no" stand below the centre,
// and the hint of the button under the mouse above it. A box that only tells (asks false) has
// "yes" alone, in the middle, captioned "OK".
void ConfirmBox(CResourceReader@ r, const string &in name, bool asks)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);

    // The dialog joins the scene of the screen it asks over: its parts lie above every part of
    // that screen (the screens' layouts stand on layer 100) and below the window shades (2100).
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 1600);
    r.AddLayer(kDialogLayer, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(185, 110, 0, 1600);
    // The board keeps its full strength in every part: its words and buttons stand on it, and the
    // shades open over the dialog before "_show" plays, so a board that faded in would leave them
    // lying on what the dialog covers.

    r.CreateSpriteObjectData("_item_yes");
    r.AddOffset(asks ? -90 : 0, 40, 0, 1600);
    r.AddLayer(kDialogLayer + 1, 1600);
    r.AddSubstAnimation("main_menu", asks ? "button_yes" : "button_ok");

    if (asks)
    {
        r.CreateSpriteObjectData("_item_no");
        r.AddOffset(90, 40, 0, 1600);
        r.AddLayer(kDialogLayer + 1, 1600);
        r.AddSubstAnimation("main_menu", "button_no");
    }

    r.CreateTextSpriteObjectData("_hint");
    r.AddTextSpriteIDResource(6, 1600);
    r.AddOffset(0, -40, 0, 1600);
    r.AddLayer(kDialogLayer + 2, 1600);

    // The question: up to three lines between the hint and the buttons, which the dialog fills from
    // its phrase key (and hides when the key has no text for a line).
    Phrase(r, "_phrase_1", -20);
    Phrase(r, "_phrase_2", -4);
    Phrase(r, "_phrase_3", 12);
}

// One line of a dialog's question, y pixels below the layout's centre.
void Phrase(CResourceReader@ r, const string &in name, int y)
{
    r.CreateTextSpriteObjectData(name);
    r.AddTextSpriteIDResource(6, 1600);
    r.AddOffset(0, y, 0, 1600);
    r.AddLayer(kDialogLayer + 2, 1600);
}

// The new player's name: an edit field, "ok" and "cancel". The field's own animation frames the
// text, which starts at its left end with the blinking cursor.
void NewPlayer(CResourceReader@ r)
{
    r.CreateModule("main_menu");

    r.CreateAnimationData("edit_cursor");
    r.AddNamedPart("all", 0, 600, 0);
    r.CreateSpriteObjectData("bar");
    r.AddSpriteIDResource(4, 600);
    r.AddHotspot(0, 5000, 0, 600);
    r.AddZoom(12, 120, 0, 600);
    r.AddOpaque(255, 0, 300);
    r.AddOpaque(0, 0, 300);

    // 200 x 24 about its origin; the text and the cursor from 96 left of it.
    r.CreateAnimationData("edit_field");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_enabled", 100, 200, 1);
    r.AddNamedPart("_disabled", 200, 300, 1);
    r.CreateSpriteObjectData("frame");
    r.AddSpriteIDResource(4, 300);
    r.AddHotspot(5000, 5000, 0, 300);
    r.AddZoom(1250, 150, 0, 300);
    r.AddBlendMode(2, 300);
    r.AddColor(255, 40, 40, 60, 0, 200);
    r.AddColor(255, 90, 90, 90, 0, 100);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(7, 300);
    r.AddOffset(-96, 5, 0, 300);
    r.AddLayer(1, 300);
    r.CreateSpriteObjectData("_item_cursor");
    r.AddOffset(-96, 0, 0, 300);
    r.AddLayer(2, 300);
    r.AddSubstAnimation("main_menu", "edit_cursor");

    r.CreateAnimationData("new_player_screen");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    // The whole window behind the dialog: nothing else is drawn under this screen.
    r.CreateSpriteObjectData("background");
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(5000, 3750, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 32, 48, 64, 0, 1600);
    // The panel is wide enough for the field and both buttons.
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(150, 100, 0, 1600);
    r.CreateTextSpriteObjectData("prompt");
    r.AddTextSpriteIDResource(51, 1600);
    r.AddOffset(0, -46, 0, 1600);
    r.AddLayer(1, 1600);
    r.CreateSpriteObjectData("_item_edit");
    r.AddOffset(0, -20, 0, 1600);
    r.AddLayer(1, 1600);
    r.AddSubstAnimation("main_menu", "edit_field");
    r.CreateSpriteObjectData("_item_ok");
    r.AddOffset(-90, 40, 0, 1600);
    r.AddLayer(1, 1600);
    r.AddSubstAnimation("main_menu", "button_yes");
    r.CreateSpriteObjectData("_item_cancel");
    r.AddOffset(90, 40, 0, 1600);
    r.AddLayer(1, 1600);
    r.AddSubstAnimation("main_menu", "button_no");
}

// A layout hosting the animation `name` in its child "_item_<item>" at (x, y) from its centre.
void Item(CResourceReader@ r, const string &in item, const string &in name, int x, int y)
{
    r.CreateSpriteObjectData("_item_" + item);
    r.AddOffset(x, y, 0, 1200);
    r.AddLayer(1, 1200);
    r.AddSubstAnimation("controls", name);
}

// One row of the list box, y pixels below its top; its text stands on its baseline, low enough for
// the letters to lie inside the row.
void ListRow(CResourceReader@ r, const string &in name, int y)
{
    r.CreateSpriteObjectData(name);
    r.AddOffset(4, y + 16, 0, 300);
    r.AddLayer(1, 300);
    r.AddSubstAnimation("controls", "list_row");
}

// A sample of every control on one 640 x 480 screen (centre 320, 240), for the controls' tests:
// the slider "volume" on a track from (100, 100) to (300, 100) with its arrows at either end, the
// vertical slider "speed" whose track runs upwards from (360, 300) to (360, 200), the list box
// "players" of five rows of 20 pixels from (100, 180) with its scroll bar at its right, the check
// box "sound" at (420, 100) and the radio group "level" of three boxes from (420, 180) down (a
// fifth box is there, but no fourth, so the group ends at three).
void Controls(CResourceReader@ r)
{
    r.CreateModule("controls");

    r.CreateAnimationData("knob");
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_down", 100, 200, 1);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(kDisc, 200);
    r.AddHotspot(5000, 5000, 0, 200);
    r.AddZoom(50, 50, 0, 200);
    r.AddColor(255, 255, 255, 255, 0, 100);
    r.AddColor(255, 255, 200, 0, 0, 100);
    r.AddBlendMode(2, 200);

    // The part "all" takes the cursor 200 pixels along the track: to the right, or (slider_up) up.
    r.CreateAnimationData("slider");
    r.AddNamedPart("all", 0, 1001, 1);
    r.CreateSpriteObjectData("track");
    r.AddSpriteIDResource(4, 1001);
    r.AddHotspot(0, 5000, 0, 1001);
    r.AddZoom(1250, 50, 0, 1001);
    r.CreateSpriteObjectData("_cursor");
    r.AddOffset(0, 0, 1, 1000);
    r.AddOffset(200, 0, 0, 1);
    r.AddLayer(1, 1001);
    r.AddSubstAnimation("controls", "knob");

    r.CreateAnimationData("slider_up");
    r.AddNamedPart("all", 0, 1001, 1);
    r.CreateSpriteObjectData("track");
    r.AddSpriteIDResource(4, 1001);
    r.AddHotspot(5000, 10000, 0, 1001);
    r.AddZoom(50, 625, 0, 1001);
    r.CreateSpriteObjectData("_cursor");
    r.AddOffset(0, 0, 1, 1000);
    r.AddOffset(0, -100, 0, 1);
    r.AddLayer(1, 1001);
    r.AddSubstAnimation("controls", "knob");

    // The list box's scroll bar: 100 pixels down.
    r.CreateAnimationData("scroll_bar");
    r.AddNamedPart("all", 0, 1001, 1);
    r.CreateSpriteObjectData("track");
    r.AddSpriteIDResource(4, 1001);
    r.AddHotspot(5000, 0, 0, 1001);
    r.AddZoom(50, 625, 0, 1001);
    r.CreateSpriteObjectData("_cursor");
    r.AddOffset(0, 0, 1, 1000);
    r.AddOffset(0, 100, 0, 1);
    r.AddLayer(1, 1001);
    r.AddSubstAnimation("controls", "knob");

    r.CreateAnimationData("arrow");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_over", 100, 200, 1);
    r.AddNamedPart("_leave", 200, 300, 1);
    r.AddNamedPart("_down", 300, 400, 1);
    r.AddNamedPart("_disabled", 400, 500, 1);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(6, 500);
    r.AddHotspot(5000, 5000, 0, 500);
    r.AddColor(255, 255, 255, 255, 0, 400);
    r.AddColor(255, 90, 90, 90, 0, 100);
    r.AddBlendMode(2, 500);

    r.CreateAnimationData("list_row");
    r.AddNamedPart("_selected", 0, 100, 1);
    r.AddNamedPart("_unselected", 100, 200, 1);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(7, 200);
    r.AddColor(255, 255, 220, 0, 0, 100);
    r.AddColor(255, 255, 255, 255, 0, 100);
    r.AddBlendMode(2, 200);

    // 200 x 100 from its origin; rows 20 pixels apart.
    r.CreateAnimationData("list_box");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_enabled", 100, 200, 1);
    r.AddNamedPart("_disabled", 200, 300, 1);
    r.CreateSpriteObjectData("frame");
    r.AddSpriteIDResource(4, 300);
    r.AddHotspot(0, 0, 0, 300);
    r.AddZoom(1250, 625, 0, 300);
    r.AddBlendMode(2, 300);
    r.AddColor(255, 40, 40, 60, 0, 300);
    ListRow(r, "_text_1", 0);
    ListRow(r, "_text_2", 20);
    ListRow(r, "_text_3", 40);
    ListRow(r, "_text_4", 60);
    ListRow(r, "_text_5", 80);

    r.CreateAnimationData("check_box");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_disabled", 100, 200, 1);
    r.AddNamedPart("_checked", 200, 300, 1);
    r.AddNamedPart("_unchecked", 300, 400, 1);
    r.AddNamedPart("_over_checked", 400, 500, 1);
    r.AddNamedPart("_over_unchecked", 500, 600, 1);
    r.AddNamedPart("_disabled_checked", 600, 700, 1);
    r.AddNamedPart("_disabled_unchecked", 700, 800, 1);
    r.CreateSpriteObjectData("box");
    r.AddSpriteIDResource(4, 800);
    r.AddHotspot(5000, 5000, 0, 800);
    r.AddColor(255, 255, 255, 255, 0, 200);
    r.AddColor(255, 0, 200, 0, 0, 100);
    r.AddColor(255, 150, 150, 150, 0, 100);
    r.AddColor(255, 0, 255, 0, 0, 100);
    r.AddColor(255, 200, 200, 200, 0, 100);
    r.AddColor(255, 0, 90, 0, 0, 100);
    r.AddColor(255, 80, 80, 80, 0, 100);
    r.AddBlendMode(2, 800);

    r.CreateAnimationData("sample");
    r.AddNamedPart("_show", 0, 100, 1);
    r.AddNamedPart("_idle", 100, 1100, 0);
    r.AddNamedPart("_hide", 1100, 1200, 1);
    Item(r, "volume", "slider", -220, -140);
    Item(r, "volume_up", "arrow", -240, -140);
    Item(r, "volume_down", "arrow", 0, -140);
    Item(r, "speed", "slider_up", 40, 60);
    Item(r, "players", "list_box", -220, -60);
    Item(r, "players_slider", "scroll_bar", -10, -60);
    Item(r, "sound", "check_box", 100, -140);
    Item(r, "level_radio_1", "check_box", 100, -60);
    Item(r, "level_radio_2", "check_box", 100, -30);
    Item(r, "level_radio_3", "check_box", 100, 0);
    Item(r, "level_radio_5", "check_box", 100, 60);
}

// What a screen shows until its own layout is made: the screen's name on a panel over the whole
// window, and the button "ok".
void Placeholder(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    r.CreateAnimationData("placeholder");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    r.CreateSpriteObjectData("background");
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(5000, 3750, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 48, 40, 32, 0, 1600);
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddLayer(1, 1600);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(6, 1600);
    r.AddOffset(0, -20, 0, 1600);
    r.AddLayer(2, 1600);
    r.CreateSpriteObjectData("_item_ok");
    r.AddOffset(0, 40, 0, 1600);
    r.AddLayer(2, 1600);
    r.AddSubstAnimation("main_menu", "button_yes");
}

// The window shades' picture: the screens' transition takes the texture and rectangle of its first
// part, the curtain, and draws it as two rippling, folding shades.
void Effects(CResourceReader@ r)
{
    r.CreateModule("effects");
    r.CreateAnimationData("shtora");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("cloth");
    r.AddSpriteIDResource(9, 1000);
}

// The drawn mouse cursor: an arrow whose tip is at the mouse.
void Cursor(CResourceReader@ r)
{
    r.CreateModule("cursor");
    r.CreateAnimationData("custom");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("arrow");
    r.AddSpriteIDResource(6, 1000);
    r.AddHotspot(0, 0, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 255, 255, 255, 0, 1000);
}

// The game's menus, each a layout named like its screen in the module "main_menu", over a dark
// backdrop of the whole window: buttons "_item_<name>" (the text "item_<name>" is their caption),
// the hint "_hint" of the button under the mouse, and the screen's own parts.
void MenuBackdrop(CResourceReader@ r, const string &in name)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    r.CreateSpriteObjectData("background");
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(5000, 3750, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 36, 44, 64, 0, 1600);
}

// A menu button at (x, y) from the centre.
void MenuItem(CResourceReader@ r, const string &in name, int x, int y, const string &in button = "menu_button")
{
    r.CreateSpriteObjectData("_item_" + name);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(2, 1600);
    r.AddSubstAnimation("main_menu", button);
}

// A control of the "controls" module at (x, y) from the centre.
void ControlItem(CResourceReader@ r, const string &in name, const string &in control, int x, int y)
{
    r.CreateSpriteObjectData("_item_" + name);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(2, 1600);
    r.AddSubstAnimation("controls", control);
}

// A line of text (text description `text`) at (x, y) from the centre.
void MenuText(CResourceReader@ r, const string &in name, int text, int x, int y)
{
    r.CreateTextSpriteObjectData(name);
    r.AddTextSpriteIDResource(text, 1600);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(3, 1600);
}

void GameMenus(CResourceReader@ r)
{
    r.CreateModule("main_menu");
    MenuButton(r, "menu_button", 47, true);
    // The dressing room's and the new recipe's "cookbook" opens the recipe book, while the main
    // menu's, of the same name, opens the dressing room: this one keeps a caption of its own.
    MenuButton(r, "book_button", 46, true, "caption");

    // The ribbon under a named player's title menu: it unrolls from the middle ("_show").
    r.CreateAnimationData("lenta");
    r.AddNamedPart("_show", 0, 400, 1);
    r.AddNamedPart("_idle", 400, 1400, 0);
    r.CreateSpriteObjectData("ribbon");
    r.AddSpriteIDResource(4, 1400);
    r.AddHotspot(5000, 5000, 0, 1400);
    r.AddZoom(0, 40, 1, 400);
    r.AddZoom(1000, 40, 0, 1000);
    r.AddColor(255, 200, 40, 40, 0, 1400);
    r.AddBlendMode(2, 1400);

    // The main menu's selector: an arrow that points at the button it stands beside.
    r.CreateAnimationData("selector");
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.CreateSpriteObjectData("arrow");
    r.AddSpriteIDResource(6, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddColor(255, 255, 220, 0, 0, 1000);
    r.AddBlendMode(2, 1000);

    // The title. Child drawable 10 hosts the ribbon "lenta" (the screen finds it by that number).
    MenuBackdrop(r, "SplashScreen");                  // 0
    MenuText(r, "title", 0, 0, -205);                 // 1
    MenuItem(r, "play", 0, -100);                     // 2
    MenuItem(r, "options", 0, -60);                   // 3
    MenuItem(r, "help", 0, -20);                      // 4
    MenuItem(r, "hight_score", 0, 20);                // 5
    MenuItem(r, "quit", 0, 60);                       // 6
    MenuItem(r, "new_player", 0, 150);                // 7: shows the player's name
    MenuText(r, "_hint", 6, 0, 210);                  // 8
    MenuText(r, "welcome", 4, 0, -170);               // 9
    r.CreateSpriteObjectData("_lenta");               // 10
    r.AddOffset(0, 150, 0, 1600);
    r.AddLayer(1, 1600);
    r.AddSubstAnimation("main_menu", "lenta");

    // The main menu: the selector stands left of the buttons and glides to the one the mouse enters.
    MenuBackdrop(r, "MainMenuScreen");
    MenuText(r, "title", 0, 0, -180);
    MenuItem(r, "settings", 0, -100);
    MenuItem(r, "help", 0, -60);
    MenuItem(r, "cookbook", 0, -20);
    MenuItem(r, "credits", 0, 20);
    MenuItem(r, "back", 0, 120);
    MenuText(r, "_hint", 6, 0, 210);
    r.CreateSpriteObjectData("_select");
    r.AddOffset(-100, -100, 0, 1600);
    r.AddLayer(3, 1600);
    r.AddSubstAnimation("main_menu", "selector");

    // The options, and the pause menu of a level on the same layout: each screen hides the other's
    // buttons. The sliders' knobs are their "_cursor".
    MenuBackdrop(r, "OptionsScreen");
    MenuText(r, "title", 0, 0, -180);
    MenuText(r, "label_music", 9, -200, -113);
    ControlItem(r, "slider_musik", "slider", -40, -120);
    MenuText(r, "label_sound", 10, -200, -73);
    ControlItem(r, "slider_sound", "slider", -40, -80);
    MenuText(r, "label_full_screen", 11, -200, -33);
    ControlItem(r, "full_screen", "check_box", 60, -40);
    MenuText(r, "label_custom_cursor", 12, -200, 7);
    ControlItem(r, "custom_cursor", "check_box", 60, 0);
    MenuItem(r, "ok", 0, 80);
    MenuItem(r, "continue", -180, 80);
    MenuItem(r, "replay", -180, 120);
    MenuItem(r, "map", 180, 80);
    MenuItem(r, "main_menu", 180, 120);
    MenuText(r, "_hint", 6, 0, 210);

    // The players: the list with its scroll bar, "new", "ok" and "remove".
    MenuBackdrop(r, "ChangePlayerScreen");
    MenuText(r, "title", 0, 0, -180);
    ControlItem(r, "listbox", "list_box", -110, -100);
    ControlItem(r, "listbox_slider", "scroll_bar", 100, -100);
    MenuItem(r, "new", -180, 80);
    MenuItem(r, "ok", 0, 80);
    MenuItem(r, "remove", 180, 80);
    MenuText(r, "_hint", 6, 0, 210);
}

// A hint balloon fades in over its "_show" (0-200) and out over its "_hide" (1200-1500): when one
// hint takes the place of another, the outgoing words fade under the new ones instead of lying on
// them at full strength. Each part of a balloon takes the keys; what is substituted into a part (the
// words in nolla_text, the OK button) fades with it.
void BalloonFade(CResourceReader@ r)
{
    r.AddOpaque(0, 1, 200);
    r.AddOpaque(255, 0, 1000);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);
}

// The kitchen character's speech balloon and the kitchen's clickable plates:
// - nolla_baloon_podkladka: the balloon picture (64 x 24 about its centre), whose first part hosts
//   nolla_text, the words in its "_text"; a hint shows it ("_show") and hides it ("_hide");
// - hint_balloon: the same balloon with an "OK" button (hint_ok, "_item_ok") 40 pixels below its
//   centre; it shows, idles and hides;
// - hint_cloud: a hint balloon of its own (below);
// - item_delivery: the serving plate of a field, a button with a smaller "_button_rect".
void Balloons(CResourceReader@ r)
{
    r.CreateModule("interfaces");

    // The words of a balloon: the game sets them 10 layers above the balloon; in the kitchen (the
    // heroine's balloon on layer 100) they stand above its picture (see kScreenLayer).
    r.CreateAnimationData("nolla_text");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddLayer(kBalloonLift + 1 - 10, 1000);
    r.AddTextSpriteIDResource(8, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 40, 40, 60, 0, 1000);

    // The heroine's balloon stands on layer 100 of the kitchen; lifted, it lies over the signs and
    // every text of the kitchen, under its words. Its "_hide" shows nothing and is over within a
    // frame: a hint that takes the place of another (two are raised as play starts) stands where the
    // old one stood, and the old words, above both pictures, would lie on the new ones.
    r.CreateAnimationData("nolla_baloon_podkladka");
    r.AddNamedPart("all", 0, 1000, 0);
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_hide", 990, 1000, 1);
    r.CreateSpriteObjectData("picture");
    r.AddLayer(kBalloonLift, 1000);
    r.AddSpriteIDResource(7, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddOpaque(255, 0, 990);
    r.AddOpaque(0, 0, 10);
    r.AddSubstAnimation("interfaces", "nolla_text");

    MenuButton(r, "hint_ok", 47, true);
    // The last stage's tutorial shows its Continue from the first page on, while the button that
    // gives a caption is made only on the third: the face carries its own.
    MenuButton(r, "hint_continue", 58, true);
    MenuButton(r, "item_delivery", 47, true);

    r.CreateAnimationData("hint_balloon");
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_idle", 200, 1200, 0);
    r.AddNamedPart("_hide", 1200, 1500, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(7, 1500);
    r.AddHotspot(5000, 5000, 0, 1500);
    BalloonFade(r);
    r.AddSubstAnimation("interfaces", "nolla_text");
    r.CreateSpriteObjectData("_item_ok");
    r.AddOffset(0, 40, 0, 1500);
    r.AddLayer(1, 1500);
    BalloonFade(r);
    r.AddSubstAnimation("interfaces", "hint_ok");

    // hint_cloud: a hint's own balloon, wider than the plain one, with its words in "_text"; it
    // shows, idles and hides, or plays "all" through once for a hint that ends by itself.
    r.CreateAnimationData("hint_cloud");
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_idle", 200, 1200, 0);
    r.AddNamedPart("_hide", 1200, 1500, 1);
    r.AddNamedPart("all", 0, 1500, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(7, 1500);
    r.AddHotspot(5000, 5000, 0, 1500);
    r.AddZoom(600, 250, 0, 1500);
    r.AddLayer(kBalloonLift, 1500);
    BalloonFade(r);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(8, 1500);
    r.AddLayer(kBalloonLift + 1, 1500);
    r.AddColor(255, 40, 40, 60, 0, 1500);
    r.AddBlendMode(2, 1500);
    BalloonFade(r);
}

// The sample kitchen's layout: the wall clock "_clock" (80 x 80, hands "_hour", "_min", "_second"
// standing up from its centre) at (200, -150) from the centre, the sun "_sun" crossing the wall
// in two seconds ("all") and the evening "_dark" over everything ("_idle"); at closing time the
// floor darkens ("_night").
void Levels(CResourceReader@ r)
{
    r.CreateModule("levels");

    r.CreateAnimationData("clock_hand");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("hand");
    r.AddSpriteIDResource(kClockHand, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 10000, 0, 1000);
    r.AddZoom(67, 98, 0, 1000);
    r.AddColor(255, 30, 30, 30, 0, 1000);
    // Where the time freeze puts its ice along the hand.
    Place(r, "_ice", 0, 0, 1, 1000);

    r.CreateAnimationData("clock");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(kClockFace, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    ClockHand(r, "_hour", 1);
    ClockHand(r, "_min", 2);
    ClockHand(r, "_second", 3);

    // The sun rises into sight, crosses and sets again: at rest (stopped at its start, or at its end
    // once it has crossed) it is not seen, so it never stays on a wall.
    r.CreateAnimationData("sun");
    r.AddNamedPart("all", 0, 2000, 1);
    r.CreateSpriteObjectData("sun");
    r.AddSpriteIDResource(kSun, 2000);
    r.AddBlendMode(2, 2000);
    r.AddHotspot(5000, 5000, 0, 2000);
    r.AddOffset(-100, 10, 1, 1000);
    r.AddOffset(0, -10, 1, 1000);
    r.AddOffset(100, 10, 0, 0);
    r.AddOpaque(0, 1, 400);
    r.AddOpaque(255, 0, 1200);
    r.AddOpaque(255, 1, 400);
    r.AddOpaque(0, 0, 0);

    r.CreateAnimationData("dark");
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.CreateSpriteObjectData("shade");
    r.AddSpriteIDResource(4, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(5000, 3750, 0, 1000);
    r.AddColor(255, 0, 0, 40, 0, 1000);
    r.AddOpaque(40, 0, 1000);

    KitchenScene(r, "kitchen_1", 120, 90, 60);

    // The serving plate. "_open" stands first on its clock, as the hand-over replays it from there,
    // and holds the served dish in its third drawable "_dish"; "_closed" follows, "_show" brings the
    // plate in, "_hide" shrinks it away, "_work" bounces when something lands and "_swich" nods when
    // another order is chosen.
    r.CreateAnimationData("plate");
    r.AddNamedPart("_open", 0, 600, 1);
    r.AddNamedPart("_closed", 600, 800, 1);
    r.AddNamedPart("_show", 800, 1000, 1);
    r.AddNamedPart("_hide", 1000, 1200, 1);
    r.AddNamedPart("_work", 1200, 1600, 1);
    r.AddNamedPart("_swich", 1600, 1800, 1);
    r.CreateSpriteObjectData("dish");
    r.AddSpriteIDResource(kServingPlate, 1800);
    r.AddBlendMode(2, 1800);
    r.AddHotspot(5000, 5000, 0, 1800);
    r.AddZoom(100, 100, 1, 300);
    r.AddZoom(120, 120, 1, 300);
    r.AddZoom(100, 100, 0, 200);
    r.AddZoom(0, 0, 1, 200);
    r.AddZoom(100, 100, 1, 200);
    r.AddZoom(0, 0, 0, 0);
    r.AddZoom(100, 100, 1, 200);
    r.AddZoom(125, 125, 1, 200);
    r.AddZoom(100, 100, 1, 100);
    r.AddZoom(110, 90, 1, 100);
    r.AddZoom(100, 100, 0, 0);
    r.CreateSpriteObjectData("_steam");
    r.AddSpriteIDResource(4, 1800);
    r.AddOpaque(0, 0, 1800);
    r.CreateSpriteObjectData("_dish");
    r.AddOffset(0, -12, 0, 1800);
    r.AddLayer(1, 1800);

    // The serving point beside the plate: a counter bell.
    r.CreateAnimationData("ring");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("ring");
    r.AddSpriteIDResource(kBell, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
}

// A kitchen level's layout: the kitchen's wall and floor in its colour, darker at night ("_night"),
// the wall clock, the sun crossing the wall, the shade, the serving plate and the bell. The plate and
// the serve button the game puts 10 layers over it stand above the heroine, who walks in front of the
// devices and places but never over the interface (see kScreenLayer).
const int kPlateLayer = 195;

void KitchenScene(CResourceReader@ r, const string &in name, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("_night", 1000, 2000, 1);
    r.CreateSpriteObjectData("floor");
    r.AddSpriteIDResource(kKitchenRoom, 2000);
    r.AddBlendMode(2, 2000);
    r.AddHotspot(5000, 5000, 0, 2000);
    r.AddZoom(400, 400, 0, 2000);
    r.AddColor(255, red, green, blue, 0, 1000);
    r.AddColor(255, red * 2 / 3, green * 2 / 3, blue, 0, 1000);
    Part(r, "_clock", "levels", "clock", 200, -150, 1);
    // The sun crosses the wall left of the clock, below the rivals' portraits along the top.
    Part(r, "_sun", "levels", "sun", -60, -130, 1);
    Part(r, "_dark", "levels", "dark", 0, 0, 5);
    Part(r, "_plate", "levels", "plate", 0, 180, kPlateLayer);
    Part(r, "_ring", "levels", "ring", -120, 180, kPlateLayer);
}

// The play screen's layout over the kitchen: the buttons "hint" and "menu" along the top, "help"
// at the bottom right,
// the delivery progress bar ("_delivery_progres", whose "_idle" fills it) and the level-time dial
// "_flip" (its "_clock" with the hand "_second" and the "_segment" that shows the time gone). It
// covers nothing else, so the kitchen shows through. Also the pause picture the screen draws when
// the window loses the focus, and the balloons of words (the plain one, "_2" near the top, "_3"
// near the right edge).
void GameScreen(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    // The top row's two short buttons, narrow: the rivals' ribbons stand between them, and the
    // order signs, sliding in from the top, come down right of the menu.
    MenuButton(r, "button_hint", 47, true, "_text", 55);
    MenuButton(r, "button_menu", 47, true, "_text", 55);
    MenuButton(r, "button_help", 47, true);

    r.CreateAnimationData("delivery_progres");
    r.AddNamedPart("_idle", 0, 1000, 1);
    r.CreateSpriteObjectData("bar");
    r.AddSpriteIDResource(4, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(0, 5000, 0, 1000);
    r.AddColor(255, 90, 200, 90, 0, 1000);
    r.AddZoom(0, 100, 1, 1000);
    r.AddZoom(1000, 100, 0, 0);

    // A mark from the dial's middle up to twelve, where the level's time starts and ends.
    r.CreateAnimationData("segment");
    r.AddNamedPart("_idle", 0, 1000, 1);
    r.AddNamedPart("_blink", 1000, 1400, 1);
    r.CreateSpriteObjectData("segment");
    r.AddSpriteIDResource(4, 1400);
    r.AddBlendMode(2, 1400);
    r.AddHotspot(5000, 10000, 0, 1400);
    r.AddZoom(40, 140, 0, 1400);
    r.AddColor(255, 230, 120, 60, 0, 1000);
    r.AddColor(255, 255, 40, 40, 1, 200);
    r.AddColor(255, 230, 120, 60, 0, 200);

    r.CreateAnimationData("level_clock");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(kDial, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    Part(r, "_segment", "interfaces", "segment", 0, 0, 1);
    Part(r, "_second", "levels", "clock_hand", 0, 0, 2);
    // Where the time freeze puts its ice over the dial.
    Place(r, "_bonus_place", 0, 0, 3, 1000);

    // The level-time dial flips to work when a level begins and closes when it ends.
    r.CreateAnimationData("clock_flip");
    r.AddNamedPart("all", 0, 1000, 0);
    r.AddNamedPart("_work", 0, 500, 1);
    r.AddNamedPart("_closed", 500, 1000, 1);
    Part(r, "_clock", "interfaces", "level_clock", 0, 0, 0);

    r.CreateAnimationData("game_screen");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    ScreenPart(r, "_item_hint", "button_hint", -340, -270);
    ScreenPart(r, "_item_menu", "button_menu", 220, -270);
    ScreenPart(r, "_item_help", "button_help", 300, 270);
    ScreenPart(r, "_delivery_progres", "delivery_progres", -350, 270);
    ScreenPart(r, "_flip", "clock_flip", -340, 232, kScreenLayer - 4);

    r.CreateAnimationData("pause_screen");
    r.AddNamedPart("_show", 0, 300, 1);
    r.CreateSpriteObjectData("shade");
    r.AddSpriteIDResource(4, 300);
    r.AddBlendMode(2, 300);
    r.AddHotspot(5000, 5000, 0, 300);
    r.AddZoom(5000, 3750, 0, 300);
    r.AddColor(255, 10, 10, 40, 0, 300);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(200, 0, 0);

    Balloon(r, "balon", 5000, 10000);
    Balloon(r, "balon_2", 5000, 0);
    Balloon(r, "balon_3", 10000, 5000);
}

// The kitchen's layers, from the floor up: the level's objects (2 to 16), the heroine (40), the
// rivals' ribbons (110) and portraits (130), the serving plate with its serve button, the order signs
// (200 to 205) and the play screen's buttons and dial, all above the heroine; then every text of the
// kitchen (206 and up), so that a busy frame draws its pictures in a few calls and its texts in one;
// last the heroine's balloons (on 100, lifted by kBalloonLift to 207, their words on 208), which
// speak over all of it wherever she stands. The play screen's layout stands on layer 0 of the
// scene, the signs on 200.
const int kScreenLayer = 205;
const int kTextsAbove = 206;
const int kBalloonLift = kTextsAbove + 1 - 100;

// A layout part of the play screen at (x, y) from its centre, hosting interfaces.<animation>.
void ScreenPart(CResourceReader@ r, const string &in name, const string &in animation, int x, int y,
                int layer = kScreenLayer)
{
    r.CreateSpriteObjectData(name);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(layer, 1600);
    r.AddSubstAnimation("interfaces", animation);
}

// A balloon of words whose hotspot (in hundredths of a percent) is the point it speaks from. Its
// picture is 192 x 60; the words stand dark in its middle.
void Balloon(CResourceReader@ r, const string &in name, int hotX, int hotY)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_idle", 200, 1200, 0);
    r.AddNamedPart("_hide", 1200, 1500, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(7, 1500);
    r.AddHotspot(hotX, hotY, 0, 1500);
    r.AddZoom(300, 250, 0, 1500);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(8, 1500);
    r.AddOffset((5000 - hotX) * 192 / 10000, (5000 - hotY) * 60 / 10000, 0, 1500);
    r.AddLayer(1, 1500);
    r.AddBlendMode(2, 1500);
    r.AddColor(255, 40, 40, 60, 0, 1500);
}

// A clock hand, turned by code, over the face.
void ClockHand(CResourceReader@ r, const string &in name, int layer)
{
    r.CreateSpriteObjectData(name);
    r.AddLayer(layer, 1000);
    r.AddSubstAnimation("levels", "clock_hand");
}

// A layout part at (x, y) from the layout's centre hosting the animation module.name.
void Part(CResourceReader@ r, const string &in name, const string &in module, const string &in animation,
          int x, int y, int layer)
{
    r.CreateSpriteObjectData(name);
    r.AddOffset(x, y, 0, 1000);
    r.AddLayer(layer, 1000);
    r.AddSubstAnimation(module, animation);
}

// The filter sheets the order signs cut their greyed item icons from: "gray" has a frame grid in the
// library data, "sepia" (the same sheet) has none.
void Devices(CResourceReader@ r)
{
    r.CreateModule("Devices");
    FilterSheet(r, "gray");
    FilterSheet(r, "sepia");
}

void FilterSheet(CResourceReader@ r, const string &in name)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("sheet");
    r.AddSpriteIDResource(8, 1000);
}

// The heroine: "nolla.<state>_<appearance>", a figure of 64 x 224 about its centre whose dress takes
// one colour per state and appearance (the dressing room chooses the appearance). Idle and blink play
// once (she blinks when idle has played out); the walks, work and wait loop.
void Heroine(CResourceReader@ r)
{
    r.CreateModule("nolla");
    //     state            ms    repeat  appearance 0     appearance 1
    Nolla(r, "work",          1000, 0,      240, 150, 40,    200, 120, 200);
    Nolla(r, "idle",          1000, 1,      230, 120, 150,   90, 120, 230);
    Nolla(r, "diagonal_down", 1000, 0,      80, 180, 90,     60, 160, 160);
    Nolla(r, "diagonal_up",   1000, 0,      40, 140, 140,    40, 100, 180);
    Nolla(r, "cancel",        1000, 1,      150, 150, 150,   120, 120, 160);
    Nolla(r, "wait",          1000, 0,      230, 210, 60,    210, 190, 120);
    Nolla(r, "hide",          1000, 1,      60, 40, 50,      40, 40, 70);
    Nolla(r, "blink",         200,  1,      250, 180, 200,   150, 180, 250);
}

void Nolla(CResourceReader@ r, const string &in state, int length, int once, int r0, int g0, int b0,
           int r1, int g1, int b1)
{
    NollaLook(r, state + "_0", length, once, r0, g0, b0);
    NollaLook(r, state + "_1", length, once, r1, g1, b1);
}

// Her figure in its own colours, and over it her dress in the colour of the state and appearance.
void NollaLook(CResourceReader@ r, const string &in name, int length, int once, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, length, once);
    r.CreateSpriteObjectData("figure");
    r.AddSpriteIDResource(kHeroine, length);
    r.AddHotspot(5000, 5000, 0, length);
    r.AddBlendMode(2, length);
    r.CreateSpriteObjectData("dress");
    r.AddSpriteIDResource(kHeroineDress, length);
    r.AddHotspot(5000, 5000, 0, length);
    r.AddBlendMode(2, length);
    r.AddColor(255, red, green, blue, 0, length);
}

// The kitchen's placed objects about their centres, drawn in their own colours since the game adds
// its glows to the picture: the devices 64 x 48, the places 48 x 48 crates of their items (the cup's
// 32 x 40). Devices rest in "_idle", work in "_work" and the electric stove shows "_closed" once it
// has worked. The saucepan is a cell of 16 x 16 that the level scales up: its library mask is cut to
// that frame, so its picture of 64 x 64 is shown at a quarter.
void KitchenObjects(CResourceReader@ r)
{
    r.CreateModule("Devices");
    Device(r, "saucepan", 25, 0);
    Device(r, "griddle", 100, 1);
    Device(r, "micro_wave", 100, 2);
    Device(r, "electric_stove_4", 100, 3);
    r.CreateModule("Places");
    Place(r, "bread", kPlaceBread);
    Place(r, "salad", kPlaceSalad);
    Place(r, "cheese", kPlaceCheese);
    Place(r, "cup", kPlaceCup);
    // Scenery comes in with a colour sweep added to its picture, so it is drawn in its own colours.
    r.CreateModule("Scenery");
    Thing(r, "window", kWindow, 100, 100, 255, 255, 255);
    Thing(r, "plant", kPlant, 100, 100, 255, 255, 255);
}

// Device number `device` of the drawings (saucepan, griddle, microwave, stove): its rest, work and
// closed pictures follow one another from kSaucepanIdle.
void Device(CResourceReader@ r, const string &in name, int zoom, int device)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("_work", 1000, 2000, 0);
    r.AddNamedPart("_closed", 2000, 3000, 0);
    DevicePicture(r, "body", zoom, device);
    // The same picture again over the body, half opaque. The glow under the mouse adds its grey, up
    // to white, to the device's fully opaque sprites only: the body is lit, and this layer keeps the
    // device's own lines and colours over it, half-way to white at the full glow. Unlit, it draws the
    // picture over itself, which changes nothing.
    DevicePicture(r, "steady", zoom, device);
    r.AddOpaque(kSteadyOpacity, 0, 3000);
}

const int kSteadyOpacity = 128;

// An ingredient place: its crate, lit under the mouse as a device is, with the same steady layer.
void Place(CResourceReader@ r, const string &in name, int sprite)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("all", 0, 1000, 0);
    PlacePicture(r, "body", sprite);
    PlacePicture(r, "steady", sprite);
    r.AddOpaque(kSteadyOpacity, 0, 1000);
}

void PlacePicture(CResourceReader@ r, const string &in part, int sprite)
{
    r.CreateSpriteObjectData(part);
    r.AddSpriteIDResource(sprite, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    GlowLook(r, 1000);
}

void DevicePicture(CResourceReader@ r, const string &in part, int zoom, int device)
{
    r.CreateSpriteObjectData(part);
    r.AddSpriteIDResource(kSaucepanIdle + 3 * device, 1000);
    r.AddSpriteIDResource(kSaucepanWork + 3 * device, 1000);
    r.AddSpriteIDResource(kSaucepanClosed + 3 * device, 1000);
    r.AddHotspot(5000, 5000, 0, 3000);
    r.AddZoom(zoom, zoom, 0, 3000);
    GlowLook(r, 3000);
}

// A picture the glow under the mouse lights, drawn in the glow's own mode from the start: black added
// (blend key 1) shows it as it is, as the glow leaves it once faded and as the kitchen's colour sweep
// leaves the crates and the scenery. A device then draws in one mode, lit or not, with its steady copy
// and its neighbours, and the kitchen's objects stay in one draw batch. The content build refuses a
// device's picture in another mode.
void GlowLook(CResourceReader@ r, int end)
{
    r.AddBlendMode(1, end);
    r.AddColor(255, 0, 0, 0, 0, end);
}

void Thing(CResourceReader@ r, const string &in name, int sprite, int zoomX, int zoomY, int red, int green,
           int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("body");
    r.AddSpriteIDResource(sprite, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(zoomX, zoomY, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

void FillResource(CResourceReader@ r)
{
    Textures(r);
    Fonts(r);
    Texts(r);
    Sounds(r);
    Interfaces(r);
    MainMenu(r);
    NewPlayer(r);
    Controls(r);
    Cursor(r);
    Placeholder(r);
    Balloons(r);
    Levels(r);
    GameScreen(r);
    Devices(r);
    Effects(r);
    GameMenus(r);
    Comics(r);
    HelpPages(r);
    ReadingPages(r);
    HighScores(r);
    Heroine(r);
    KitchenObjects(r);
    Ribbons(r);
    BonusGames(r);
    ItemIcons(r);
    Orders(r);
    KitchenPlay(r);
    ResultScreens(r);
    ProgressMap(r);
    CookBook(r);
    DuelResults(r);
    VelmoRoom(r);
    Announcements(r);
    Bonuses(r);
}

// A count in decimal, for names that carry a number (the script's strings add only strings).
string Number(int n)
{
    if (n >= 10) return Number(n / 10) + Number(n % 10);
    if (n == 0) return "0";
    if (n == 1) return "1";
    if (n == 2) return "2";
    if (n == 3) return "3";
    if (n == 4) return "4";
    if (n == 5) return "5";
    if (n == 6) return "6";
    if (n == 7) return "7";
    if (n == 8) return "8";
    return "9";
}

// A comic panel: a picture of 256 x 128 tinted (red, green, blue) at y from the centre, with its
// caption (text description `text`). It is hidden until `start`, then fades in over 600 ms and
// stays, so that the page fills panel by panel; `end` is the comic's last time.
void ComicPanel(CResourceReader@ r, int index, int text, int y, int start, int end, int red, int green, int blue)
{
    r.CreateSpriteObjectData("panel_" + Number(index));
    r.AddSpriteIDResource(0, end);
    r.AddHotspot(5000, 5000, 0, end);
    r.AddOffset(0, y, 0, end);
    r.AddLayer(1, end);
    r.AddColor(255, red, green, blue, 0, end);
    r.AddBlendMode(2, end);
    if (start > 0) r.AddOpaque(0, 0, start);
    r.AddOpaque(0, 1, 600);
    r.AddOpaque(255, 0, end - start - 600);

    r.CreateTextSpriteObjectData("caption_" + Number(index));
    r.AddTextSpriteIDResource(text, end);
    r.AddOffset(0, y, 0, end);
    r.AddLayer(2, end);
    if (start > 0) r.AddOpaque(0, 0, start);
    r.AddOpaque(0, 1, 600);
    r.AddOpaque(255, 0, end - start - 600);
}

// The comics: each panel is a part "_part_<n>" of 800 ms (over before the window shades have
// opened). The layouts have no "_show", "_idle" or "_hide", which the screen would play over the
// panels; without them the page stays at its last panel.
void Comics(CResourceReader@ r)
{
    r.CreateModule("comics");

    r.CreateAnimationData("comics_1");
    r.AddNamedPart("_part_1", 0, 800, 1);
    r.AddNamedPart("_part_2", 800, 1600, 1);
    r.AddNamedPart("_part_3", 1600, 2400, 1);
    MenuBackdrop2(r, 2400);
    ComicPanel(r, 1, 16, -150, 0, 2400, 255, 200, 160);
    ComicPanel(r, 2, 17, 0, 800, 2400, 160, 255, 160);
    ComicPanel(r, 3, 18, 150, 1600, 2400, 160, 200, 255);

    r.CreateAnimationData("comics_2");
    r.AddNamedPart("_part_1", 0, 800, 1);
    r.AddNamedPart("_part_2", 800, 1600, 1);
    MenuBackdrop2(r, 1600);
    ComicPanel(r, 1, 19, -80, 0, 1600, 255, 160, 160);
    ComicPanel(r, 2, 20, 80, 800, 1600, 255, 255, 160);
}

// A dark backdrop over the whole window for `end` ms, under a comic's panels.
void MenuBackdrop2(CResourceReader@ r, int end)
{
    r.CreateSpriteObjectData("background");
    r.AddSpriteIDResource(4, end);
    r.AddHotspot(5000, 5000, 0, end);
    r.AddZoom(5000, 3750, 0, end);
    r.AddBlendMode(2, end);
    r.AddColor(255, 30, 24, 20, 0, end);
}

// A help page: the kitchen's picture at 320 x 240 tinted half-way to the page's colour, its caption
// on it.
void HelpPage(CResourceReader@ r, int page, int text, int red, int green, int blue)
{
    r.CreateAnimationData("help_" + Number(page));
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(kKitchenRoom, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(160, 160, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, (red + 255) / 2, (green + 255) / 2, (blue + 255) / 2, 0, 1000);
    r.CreateTextSpriteObjectData("caption");
    r.AddTextSpriteIDResource(text, 1000);
    r.AddLayer(1, 1000);
}

// The help: its pages go into "_help_place"; "prev" and "next" page, "next_2" leaves the first page
// forward and "skip" leaves the help.
void HelpPages(CResourceReader@ r)
{
    r.CreateModule("help");
    HelpPage(r, 1, 13, 200, 60, 60);
    HelpPage(r, 2, 14, 60, 160, 60);
    HelpPage(r, 3, 15, 60, 80, 200);

    r.CreateModule("main_menu");
    MenuBackdrop(r, "HelpScreen");
    r.CreateSpriteObjectData("_help_place");
    r.AddOffset(0, -40, 0, 1600);
    r.AddLayer(1, 1600);
    MenuItem(r, "prev", -270, 170);
    MenuItem(r, "skip", -90, 170);
    MenuItem(r, "next_2", 90, 170);
    MenuItem(r, "next", 270, 170);
}

// The credits, a text and "back", and the page of the hint "hint_welcome": a text, "ok" and "back".
void ReadingPages(CResourceReader@ r)
{
    r.CreateModule("main_menu");
    MenuBackdrop(r, "CreditsScreen");
    MenuText(r, "credits", 21, 0, -40);
    MenuItem(r, "back", 0, 150);

    r.CreateModule("interfaces");
    r.CreateAnimationData("hint_screen");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddZoom(200, 200, 0, 1600);
    MenuText(r, "hint", 22, 0, -40);
    MenuItem(r, "ok", -90, 70);
    MenuItem(r, "back", 90, 70);
}

// A participant's portrait, "interfaces.pers_<id>": a head and shoulders of 32 x 32 tinted in the
// participant's colour.
void Portrait(CResourceReader@ r, int id, int red, int green, int blue)
{
    r.CreateAnimationData("pers_" + Number(id));
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(kPortrait, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

// One row of the high-score table, y pixels from its centre: the portrait's place "_icon_<row>",
// the name "_text_<row>" and the total "_num_<row>", which the screen fills.
void ScoreRow(CResourceReader@ r, int row, int y)
{
    r.CreateSpriteObjectData("_icon_" + Number(row));
    r.AddOffset(-150, y, 0, 1000);
    r.AddLayer(1, 1000);
    r.CreateTextSpriteObjectData("_text_" + Number(row));
    r.AddTextSpriteIDResource(7, 1000);
    r.AddOffset(-120, y - 8, 0, 1000);
    r.AddLayer(1, 1000);
    r.CreateTextSpriteObjectData("_num_" + Number(row));
    r.AddTextSpriteIDResource(7, 1000);
    r.AddOffset(110, y - 8, 0, 1000);
    r.AddLayer(1, 1000);
}

// The high scores: the title, the table of eight rows hosted by "_text", and "back"; the
// participants' portraits beside it.
void HighScores(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    Portrait(r, 0, 230, 80, 80);
    Portrait(r, 1, 230, 160, 60);
    Portrait(r, 2, 230, 230, 80);
    Portrait(r, 3, 80, 200, 80);
    Portrait(r, 4, 80, 200, 200);
    Portrait(r, 5, 80, 100, 230);
    Portrait(r, 6, 250, 250, 250);
    Portrait(r, 7, 180, 90, 220);

    r.CreateModule("main_menu");
    r.CreateAnimationData("score_table");
    r.AddNamedPart("all", 0, 1000, 0);
    for (int row = 1; row <= 8; ++row) ScoreRow(r, row, -140 + 40 * (row - 1));

    MenuBackdrop(r, "HighScoreScreen");
    MenuText(r, "title", 23, 0, -200);
    r.CreateSpriteObjectData("_text");
    r.AddLayer(2, 1600);
    r.AddSubstAnimation("main_menu", "score_table");
    MenuItem(r, "back", 0, 200);
}

// A tournament ribbon, "interfaces.ribbon_<n>": a plate of 84 x 42 in the ribbon's colour, its left
// end at the ribbon's position, the place "_place" on its left and the points "_score" on its right;
// the participant's portrait hangs on "_pers_place" below the plate's middle, so that a portrait
// gliding along the row to another ribbon passes under the plates, never over a text. "_select"
// lights the player's ribbon. In the kitchen the ribbons stand on layer 110: their texts join the
// kitchen's texts (kTextsAbove).
void Ribbon(CResourceReader@ r, int n, int red, int green, int blue)
{
    r.CreateAnimationData("ribbon_" + Number(n));
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("_select", 1000, 1500, 0);
    r.CreateSpriteObjectData("plate");
    r.AddSpriteIDResource(0, 1500);
    r.AddHotspot(0, 5000, 0, 1500);
    r.AddZoom(33, 33, 0, 1500);
    r.AddBlendMode(2, 1500);
    r.AddColor(255, red, green, blue, 0, 1000);
    r.AddColor(255, 255, 250, 200, 0, 500);
    r.CreateSpriteObjectData("_pers_place");
    r.AddOffset(42, 38, 0, 1500);
    r.AddLayer(1, 1500);
    r.CreateTextSpriteObjectData("_place");
    r.AddTextSpriteIDResource(5, 1500);
    r.AddOffset(10, 0, 0, 1500);
    r.AddLayer(kTextsAbove - 110, 1500);
    r.CreateTextSpriteObjectData("_score");
    r.AddTextSpriteIDResource(5, 1500);
    r.AddOffset(46, 0, 0, 1500);
    r.AddLayer(kTextsAbove - 110, 1500);
}

// The ribbons of the tournament's places: gold, silver, bronze, and one for every further place.
void Ribbons(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    Ribbon(r, 1, 230, 190, 60);
    Ribbon(r, 2, 200, 200, 215);
    Ribbon(r, 3, 200, 130, 70);
    Ribbon(r, 4, 110, 130, 170);
}

// The bonus mini-games: the second drawn cursor (the mirror of the spot-the-difference pictures),
// the intro texts, the hider of the dark hidden-object levels, the objects and the level layouts.
void BonusGames(CResourceReader@ r)
{
    r.CreateModule("cursor");
    r.CreateAnimationData("custom_2");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("arrow");
    r.AddSpriteIDResource(6, 1000);
    r.AddHotspot(0, 0, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 255, 220, 80, 0, 1000);

    // "Bonus round!" on a panel, fading in and out over 1.5 s (the level start is the countdown of
    // KitchenPlay).
    r.CreateModule("main_menu");
    Banner(r, "bonus_text", 24, 1500);

    // Darkness over the whole screen but for a round hole about its centre: the hole's picture
    // (256 x 256) and four dark blocks around it, reaching 1600 pixels each way.
    r.CreateModule("bonus");
    r.CreateAnimationData("hider");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("hole");
    r.AddSpriteIDResource(10, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(400, 400, 0, 1000);
    r.AddBlendMode(2, 1000);
    HiderBlock(r, "above", 0, -864, 20000, 9200);
    HiderBlock(r, "below", 0, 864, 20000, 9200);
    HiderBlock(r, "left", -864, 0, 9200, 1600);
    HiderBlock(r, "right", 864, 0, 9200, 1600);

    // The objects, drawn in their own colours, which the colour of a glow or of the scenery's sweep
    // is added to: items are shown at once; scenery comes in with the sweep.
    r.CreateModule("Bonus");
    Thing(r, "vase", kVase, 100, 100, 255, 255, 255);
    Thing(r, "clock", kWallClock, 100, 100, 255, 255, 255);
    Thing(r, "lamp", kLamp, 100, 100, 255, 255, 255);
    Thing(r, "book", kBook, 100, 100, 255, 255, 255);
    Thing(r, "hat", kHat, 100, 100, 255, 255, 255);
    Thing(r, "shelf", kShelf, 100, 100, 255, 255, 255);
    Thing(r, "rug", kRug, 100, 100, 255, 255, 255);

    r.CreateModule("levels");
    // The bar of items to place: 260 x 60 from its left end, where its row begins ("_item_place").
    r.CreateAnimationData("item_bar");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("strip");
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(0, 5000, 0, 1000);
    r.AddZoom(1625, 375, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 90, 70, 50, 0, 1000);
    r.CreateSpriteObjectData("_item_place");
    r.AddLayer(1, 1000);

    TwinPictures(r, "bonus_diference_1", 200, 210, 170);
    r.CreateTextSpriteObjectData("_number");
    r.AddTextSpriteIDResource(5, 2000);
    r.AddOffset(-330, 255, 0, 2000);
    r.AddLayer(30, 2000);
    r.AddColor(255, 40, 30, 20, 0, 2000);
    r.AddBlendMode(2, 2000);

    TwinPictures(r, "bonus_place_in_1", 170, 200, 220);
    r.CreateSpriteObjectData("_list");
    r.AddOffset(-300, 250, 0, 2000);
    r.AddLayer(20, 2000);
    r.AddSubstAnimation("levels", "item_bar");
    // The hidden-object levels' kitchens, the dark one's floor paler so that its hole shows it.
    KitchenScene(r, "bonus_ispy_1", 150, 120, 80);
    KitchenScene(r, "bonus_ispy_dark_1", 180, 150, 105);
}

// A banner at the screen's middle: a panel with the text (text description `text`), fading in and
// out over `length` ms.
void Banner(CResourceReader@ r, const string &in name, int text, int length)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, length, 1);
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, length);
    r.AddHotspot(5000, 5000, 0, length);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 0, length - 600);
    r.AddOpaque(255, 1, 300);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(text, length);
    r.AddLayer(1, length);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 0, length - 600);
    r.AddOpaque(255, 1, 300);
}

void HiderBlock(CResourceReader@ r, const string &in name, int x, int y, int zoomX, int zoomY)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddOffset(x, y, 0, 1000);
    r.AddZoom(zoomX, zoomY, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(250, 4, 4, 12, 0, 1000);
}

// A mini-game's level layout: two pictures of a room, 400 x 600, side by side in one colour, darkening at
// night ("_night"), with a line between them and the sun crossing the top.
void TwinPictures(CResourceReader@ r, const string &in name, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
    r.AddNamedPart("_night", 1000, 2000, 1);
    Picture(r, "left", -200, red, green, blue);
    Picture(r, "right", 200, red, green, blue);
    r.CreateSpriteObjectData("divider");
    r.AddSpriteIDResource(4, 2000);
    r.AddHotspot(5000, 5000, 0, 2000);
    r.AddZoom(25, 3750, 0, 2000);
    r.AddLayer(1, 2000);
    r.AddBlendMode(2, 2000);
    r.AddColor(255, 60, 50, 40, 0, 2000);
    Part(r, "_sun", "levels", "sun", 0, -220, 1);
}

void Picture(CResourceReader@ r, const string &in name, int x, int red, int green, int blue)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(kRoom, 2000);
    r.AddHotspot(5000, 5000, 0, 2000);
    r.AddOffset(x, 0, 0, 2000);
    r.AddZoom(200, 200, 0, 2000);
    r.AddBlendMode(2, 2000);
    r.AddColor(255, red, green, blue, 0, 1000);
    r.AddColor(255, red, green, blue, 1, 1000);
    r.AddColor(255, red / 2, green / 2, blue / 2 + 30, 0, 0);
}

// The item icons: eight pictures of 32 x 32 on the icon sheet (Texture\6, sprite infos 11 to 18),
// laid out as the grey sheet's cells, so that an icon's grey cell lies where the icon lies. Each
// rests ("_idle"), pulses while a device works on it ("_work") and fades when it is done ("_stroke").
void ItemIcons(CResourceReader@ r)
{
    r.CreateModule("icons");
    ItemIcon(r, "soup", 11);
    ItemIcon(r, "steak", 12);
    ItemIcon(r, "pizza", 13);
    ItemIcon(r, "tea", 14);
    ItemIcon(r, "bread", 15);
    ItemIcon(r, "salad", 16);
    ItemIcon(r, "cheese", 17);
    ItemIcon(r, "cup", 18);
}

void ItemIcon(CResourceReader@ r, const string &in name, int sprite)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_work", 100, 700, 1);
    r.AddNamedPart("_stroke", 700, 1000, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(sprite, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(100, 100, 0, 100);
    r.AddZoom(100, 100, 1, 300);
    r.AddZoom(120, 120, 1, 300);
    r.AddZoom(100, 100, 0, 300);
    r.AddOpaque(255, 0, 700);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(90, 0, 0);
}

// A plain block of w x h pixels about (x, y) in one colour, for `end` ms.
void Block(CResourceReader@ r, const string &in name, int x, int y, int w, int h, int layer, int red, int green,
           int blue, int end)
{
    BlockShape(r, name, x, y, w, h, layer, end);
    r.AddColor(255, red, green, blue, 0, end);
}

// The panel picture (sprite info 0, 256 x 128) stretched to w x h pixels about (x, y).
void Panel(CResourceReader@ r, const string &in name, int x, int y, int w, int h, int layer, int end)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(0, end);
    r.AddHotspot(5000, 5000, 0, end);
    r.AddOffset(x, y, 0, end);
    r.AddZoom(w * 100 / 256, h * 100 / 128, 0, end);
    r.AddLayer(layer, end);
}

// The same without its colour, which the caller gives by the part.
void BlockShape(CResourceReader@ r, const string &in name, int x, int y, int w, int h, int layer, int end)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(4, end);
    r.AddHotspot(5000, 5000, 0, end);
    r.AddOffset(x, y, 0, end);
    r.AddZoom(w * 100 / 16, h * 100 / 16, 0, end);
    r.AddLayer(layer, end);
    r.AddBlendMode(2, end);
}

// The card picture (light, with rounded corners) stretched to w x h pixels about (x, y); the caller
// tints it by the part.
void Card(CResourceReader@ r, const string &in name, int x, int y, int w, int h, int layer, int end)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(kCard, end);
    r.AddHotspot(5000, 5000, 0, end);
    r.AddOffset(x, y, 0, end);
    r.AddZoom(w * 100 / 64, h * 100 / 40, 0, end);
    r.AddLayer(layer, end);
    r.AddBlendMode(2, end);
}

// An empty place at (x, y) that code hangs objects on.
void Place(CResourceReader@ r, const string &in name, int x, int y, int layer, int end)
{
    r.CreateSpriteObjectData(name);
    r.AddOffset(x, y, 0, end);
    r.AddLayer(layer, end);
}

// A text of code's own (left-aligned with `left`, else centred) at (x, y).
void SignText(CResourceReader@ r, const string &in name, int x, int y, int layer, bool left, int end)
{
    r.CreateTextSpriteObjectData(name);
    r.AddTextSpriteIDResource(left ? 7 : 8, end);
    r.AddOffset(x, y, 0, end);
    r.AddLayer(layer, end);
    r.AddBlendMode(2, end);
    r.AddColor(255, 40, 30, 20, 0, end);
}

// A customer's order sign, 116 x 72 about its centre, in three bands so that nothing on it lies on
// anything else: the recipe "_recept" across the top on the "_header"; at the left, the portrait's
// place "_pers_place" on the mood picture "_fon"; at the right, the points "_points" beside the two
// ring timers, then the work gauge's place "_icon_place" beside the delivery plate "_item_delivery",
// and the mood bar's place "_status" along the bottom. The reward "_many" shows beside the sign, on
// the wall, and the list "_list" below it while the sign is open ("_show"; "_hide" closes it again).
// The signs' texts lie above all of their pictures, so that the signs in line draw their pictures
// together and then their texts together, rather than one after the other: the signs stand on
// layer 200, their texts on kTextsAbove.
const int kSignTexts = 6;

void OrderSign(CResourceReader@ r, const string &in name, int red, int green, int blue,
               const string &in fonModule = "interfaces", const string &in fon = "zakaz_fon")
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_show", 100, 400, 1);
    r.AddNamedPart("_hide", 400, 600, 1);
    Card(r, "back", 0, 0, 116, 72, 0, 600);
    r.AddColor(255, red, green, blue, 0, 600);
    Block(r, "_header", 0, -28, 116, 16, 1, 250, 245, 230, 600);
    // The longest recipe name of the sample (13 letters) fits the header at this size.
    SignText(r, "_recept", 0, -28, kSignTexts, false, 600);
    r.AddZoom(70, 70, 0, 600);
    r.CreateSpriteObjectData("_fon");
    r.AddOffset(-40, 8, 0, 600);
    r.AddLayer(1, 600);
    r.AddSubstAnimation(fonModule, fon);
    Place(r, "_pers_place", -40, 8, 3, 600);
    SignText(r, "_points", 2, -11, kSignTexts, false, 600);
    r.CreateSpriteObjectData("_ring_3");
    r.AddOffset(38, -11, 0, 600);
    r.AddLayer(2, 600);
    r.AddSubstAnimation("interfaces", "ring_timer");
    r.CreateSpriteObjectData("_ring_2");
    r.AddOffset(50, -11, 0, 600);
    r.AddLayer(2, 600);
    r.AddSubstAnimation("interfaces", "ring_timer");
    Place(r, "_icon_place", 2, 12, 4, 600);
    r.CreateSpriteObjectData("_item_delivery");
    r.AddOffset(42, 12, 0, 600);
    r.AddLayer(3, 600);
    r.AddSubstAnimation("interfaces", "zakaz_delivery");
    Place(r, "_status", -18, 32, 2, 600);
    r.CreateSpriteObjectData("_many");
    r.AddOffset(-128, -12, 0, 600);
    r.AddLayer(5, 600);
    r.AddSubstAnimation("interfaces", "zakaz_reward");
    r.CreateSpriteObjectData("_list");
    r.AddOffset(0, 36, 0, 600);
    r.AddLayer(1, 600);
    r.AddSubstAnimation("interfaces", "zakaz_list");
    r.AddOpaque(0, 0, 100);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 1, 200);
    r.AddOpaque(0, 0, 0);
}

void Orders(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    OrderSign(r, "zakaz", 230, 210, 170);
    OrderSign(r, "zakaz_2", 170, 210, 240);
    OrderSign(r, "zakaz_3", 240, 170, 170);

    r.CreateAnimationData("zakaz_fon");
    r.AddNamedPart("_part_1", 0, 100, 1);
    r.AddNamedPart("_part_2", 100, 200, 1);
    r.AddNamedPart("_part_3", 200, 300, 1);
    Card(r, "mood", 0, 0, 36, 56, 0, 300);
    r.AddColor(255, 120, 220, 120, 0, 100);
    r.AddColor(255, 240, 220, 90, 0, 100);
    r.AddColor(255, 230, 90, 80, 0, 100);

    r.CreateAnimationData("ring_timer");
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_bed", 100, 200, 1);
    r.AddNamedPart("_work_end", 200, 300, 1);
    r.AddNamedPart("_work_end_2", 300, 400, 1);
    r.CreateSpriteObjectData("ring");
    r.AddSpriteIDResource(kDisc, 400);
    r.AddHotspot(5000, 5000, 0, 400);
    r.AddZoom(31, 31, 0, 400);
    r.AddBlendMode(2, 400);
    r.AddColor(255, 200, 200, 200, 0, 100);
    r.AddColor(255, 80, 80, 200, 0, 100);
    r.AddColor(255, 250, 160, 40, 0, 100);
    r.AddColor(255, 60, 220, 60, 0, 100);

    // The sign's delivery plate: a small button, grey while disabled.
    r.CreateAnimationData("zakaz_delivery");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_over", 100, 200, 1);
    r.AddNamedPart("_leave", 200, 300, 1);
    r.AddNamedPart("_down", 300, 400, 1);
    r.AddNamedPart("_disabled", 400, 500, 1);
    Card(r, "plate", 0, 0, 20, 12, 0, 500);
    r.AddColor(255, 60, 200, 60, 0, 100);
    r.AddColor(255, 120, 255, 120, 0, 100);
    r.AddColor(255, 60, 200, 60, 0, 200);
    r.AddColor(255, 110, 110, 110, 0, 100);

    r.CreateAnimationData("zakaz_reward");
    r.AddNamedPart("_show", 0, 500, 1);
    SignText(r, "_many", 0, -8, kSignTexts - 5, false, 500);
    SignText(r, "_tips", 0, 8, kSignTexts - 5, false, 500);

    // The list under an open sign, 116 x 120 from its top: the tabs' place "_item_place" at its top
    // left and the served dish's place "_recept_place".
    r.CreateAnimationData("zakaz_list");
    r.AddNamedPart("all", 0, 100, 1);
    r.CreateSpriteObjectData("paper");
    r.AddSpriteIDResource(4, 100);
    r.AddHotspot(5000, 0, 0, 100);
    r.AddZoom(725, 750, 0, 100);
    r.AddBlendMode(2, 100);
    r.AddColor(255, 250, 245, 225, 0, 100);
    Place(r, "_item_place", -58, 2, 1, 100);
    Place(r, "_recept_place", 40, 100, 1, 100);

    // An item's tab in the list: its icon on "_icon_place"; it shows when it scrolls into view and
    // fades when its item is done.
    r.CreateAnimationData("item");
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_show", 100, 300, 1);
    r.AddNamedPart("_stroke", 300, 500, 1);
    r.CreateSpriteObjectData("back");
    r.AddSpriteIDResource(kCard, 500);
    r.AddHotspot(0, 5000, 0, 500);
    r.AddZoom(112, 70, 0, 500);
    r.AddBlendMode(2, 500);
    r.AddColor(255, 235, 225, 200, 0, 500);
    r.AddOpaque(255, 0, 100);
    r.AddOpaque(0, 1, 200);
    r.AddOpaque(255, 1, 200);
    r.AddOpaque(120, 0, 0);
    Place(r, "_icon_place", 16, 0, 1, 500);

    // A label: the running number of an item that needs work, or a bonus's name.
    r.CreateAnimationData("zakladka");
    r.AddNamedPart("_idle", 0, 100, 1);
    r.AddNamedPart("_show", 100, 300, 1);
    r.AddNamedPart("_stroke", 300, 500, 1);
    r.CreateSpriteObjectData("back");
    r.AddSpriteIDResource(kCard, 500);
    r.AddHotspot(0, 5000, 0, 500);
    r.AddZoom(112, 40, 0, 500);
    r.AddBlendMode(2, 500);
    r.AddColor(255, 250, 240, 160, 0, 500);
    r.AddOpaque(255, 0, 300);
    r.AddOpaque(255, 1, 200);
    r.AddOpaque(60, 0, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(7, 500);
    r.AddOffset(4, -6, 0, 500);
    r.AddLayer(4, 500);                                          // with the sign's texts

    r.CreateAnimationData("icon_shadow");
    r.AddNamedPart("all", 0, 100, 1);
    // A soft dark patch under the icon.
    r.CreateSpriteObjectData("shadow");
    r.AddSpriteIDResource(3, 100);
    r.AddHotspot(5000, 5000, 0, 100);
    r.AddOffset(0, 12, 0, 100);
    r.AddZoom(150, 38, 0, 100);
    r.AddLayer(-1, 100);
    r.AddBlendMode(2, 100);
    r.AddColor(255, 60, 50, 40, 0, 100);

    // The work gauge: it fills over "_show" around the worked item's icon ("_icon_place").
    r.CreateAnimationData("icon_fon");
    r.AddNamedPart("_show", 0, 1000, 1);
    r.AddNamedPart("_hide_2", 1000, 1200, 1);
    r.AddNamedPart("_blink", 1200, 1600, 1);
    r.CreateSpriteObjectData("gauge");
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(0, 10000, 0, 1600);
    r.AddOffset(-16, 16, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 250, 160, 40, 0, 1600);
    r.AddZoom(200, 0, 1, 1000);
    r.AddZoom(200, 200, 0, 600);
    Place(r, "_icon_place", 0, 0, 1, 1600);

    // The mood bar: 72 x 6 from its left end at time 0, empty at its end ("all").
    r.CreateAnimationData("progress_new");
    r.AddNamedPart("all", 0, 1000, 1);
    r.CreateSpriteObjectData("bar");
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(0, 5000, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddZoom(450, 40, 1, 1000);
    r.AddZoom(0, 40, 0, 0);
    r.AddColor(255, 60, 200, 60, 1, 1000);
    r.AddColor(255, 220, 40, 40, 0, 0);

    // The gilded frame of a face on a duel's sign, over the edge of the mood picture, within the card.
    r.CreateAnimationData("ramka_1");
    r.AddNamedPart("all", 0, 100, 1);
    r.CreateSpriteObjectData("frame");
    r.AddSpriteIDResource(kPortraitFrame, 100);
    r.AddHotspot(5000, 5000, 0, 100);
    r.AddZoom(89, 100, 0, 100);                                  // 34 wide: inside the card's edge
    r.AddLayer(4, 100);
    r.AddBlendMode(2, 100);

    // The customers' faces (the level's portrait numbers 1 to 7, 6 and 7 the duel's customers): their
    // mood pictures "_part_1" (glad) to "_part_3" (cross).
    Judge(r, 1, kCustomerGlad);
    for (int who = 2; who <= 5; ++who) Judge(r, who, kCustomer2Glad + 3 * (who - 2));
    for (int who = 6; who <= 7; ++who) Judge(r, who, kCustomer6Glad + 3 * (who - 6));

    // The bonus customer's sign, and the icons of the bonuses a customer offers.
    r.CreateModule("bonus");
    OrderSign(r, "zakaz_bonus", 250, 230, 120, "bonus", "gift");
    BonusIcon(r, "freeze", kBadgeFreeze);
    BonusIcon(r, "cook", kBadgeFreeze + 1);
    BonusIcon(r, "patience", kBadgeFreeze + 2);
    BonusIcon(r, "quality", kBadgeFreeze + 3);
    BonusIcon(r, "highlight", kBadgeFreeze + 4);
    BonusIcon(r, "random", kBadgeFreeze + 5);

    // The bonus customer has no face: a gift stands in its place, on a pale card whatever the mood.
    r.CreateAnimationData("gift");
    r.AddNamedPart("_part_1", 0, 100, 1);
    r.AddNamedPart("_part_2", 100, 200, 1);
    r.AddNamedPart("_part_3", 200, 300, 1);
    Card(r, "back", 0, 0, 36, 56, 0, 300);
    r.AddColor(255, 255, 245, 200, 0, 300);
    r.CreateSpriteObjectData("gift");
    r.AddSpriteIDResource(kGift, 300);
    r.AddHotspot(5000, 5000, 0, 300);
    r.AddZoom(80, 80, 0, 300);
    r.AddLayer(1, 300);
    r.AddBlendMode(2, 300);
}

void Judge(CResourceReader@ r, int who, int glad)
{
    r.CreateAnimationData("judge_" + Number(who));
    r.AddNamedPart("_part_1", 0, 100, 1);
    r.AddNamedPart("_part_2", 100, 200, 1);
    r.AddNamedPart("_part_3", 200, 300, 1);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(glad, 100);
    r.AddSpriteIDResource(glad + 1, 100);
    r.AddSpriteIDResource(glad + 2, 100);
    r.AddHotspot(5000, 5000, 0, 300);
    r.AddBlendMode(2, 300);
}

// A bonus on offer: a small badge of 16 x 16 with the bonus's sign that pops up ("_show") and blinks
// away ("_hide").
void BonusIcon(CResourceReader@ r, const string &in name, int sprite)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_hide", 200, 600, 1);
    // First a place: the random bonus shows there the bonus it drew.
    Place(r, "_place", 0, 0, 1, 600);
    // 11 pixels across: the row of running bonuses, centred 60 pixels from the window's left edge,
    // holds ten of them inside the window.
    r.CreateSpriteObjectData("badge");
    r.AddSpriteIDResource(sprite, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddZoom(34, 34, 0, 600);
    r.AddBlendMode(2, 600);
    r.AddOpaque(255, 0, 200);
    r.AddOpaque(255, 0, 200);
    r.AddOpaque(60, 0, 200);
}

// What a kitchen level shows around the cooking: the countdown before play, the result pictures,
// the sign over a place or a customer served, a combo's points, the last stage's tutorial and the
// dishes. Blocks of colour from the sprite info "block" (4); texts in the empty centred text 8.
void KitchenPlay(CResourceReader@ r)
{
    r.CreateModule("main_menu");
    // Three, two, one, go: a badge shrinking away in each part, red to green; the kitchen plays the
    // parts one by one, the bonus mini-games the whole ("all").
    r.CreateAnimationData("level_start");
    r.AddNamedPart("all", 0, 1600, 1);
    r.AddNamedPart("_part_1", 0, 400, 1);
    r.AddNamedPart("_part_2", 400, 800, 1);
    r.AddNamedPart("_part_3", 800, 1200, 1);
    r.AddNamedPart("_part_4", 1200, 1600, 1);
    r.CreateSpriteObjectData("count");
    for (int i = 0; i < 4; i++) r.AddSpriteIDResource(kCount3 + i, 400);
    r.AddBlendMode(2, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    for (int i = 0; i < 4; i++)
    {
        r.AddZoom(400, 400, 1, 400);
        r.AddZoom(50, 50, 0, 0);
    }

    r.CreateModule("interfaces");
    // The result pictures, the place ribbons: 1 gold, 2 silver, 3 bronze, 4 grey (not qualified).
    for (int place = 1; place <= 4; ++place) LevelComplete(r, "level_complete_" + Number(place), kRibbon1 + place - 1);

    // The sign over a place taken from or a customer served, a yellow sparkle: pops up ("all"),
    // shrinks ("_hide").
    r.CreateAnimationData("sign");
    r.AddNamedPart("all", 0, 600, 1);
    r.AddNamedPart("_hide", 600, 800, 1);
    r.CreateSpriteObjectData("mark");
    r.AddSpriteIDResource(3, 800);
    r.AddBlendMode(2, 800);
    r.AddHotspot(5000, 5000, 0, 800);
    r.AddColor(255, 250, 240, 110, 0, 800);
    r.AddZoom(0, 0, 1, 200);
    r.AddZoom(250, 250, 0, 400);
    r.AddZoom(250, 250, 1, 200);
    r.AddZoom(0, 0, 0, 0);

    r.CreateModule("bonus");
    // A take combo's points: rises and fades.
    r.CreateAnimationData("bonus_points");
    r.AddNamedPart("all", 0, 800, 1);
    r.CreateSpriteObjectData("plate");
    r.AddSpriteIDResource(kCard, 800);
    r.AddBlendMode(2, 800);
    r.AddHotspot(5000, 5000, 0, 800);
    r.AddZoom(125, 60, 0, 800);
    r.AddColor(255, 250, 210, 60, 1, 800);
    r.AddColor(0, 250, 210, 60, 0, 0);
    r.AddOffset(0, 0, 1, 800);
    r.AddOffset(0, -40, 0, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(8, 800);
    r.AddLayer(1, 800);
    r.AddOffset(0, 0, 1, 800);
    r.AddOffset(0, -40, 0, 0);

    r.CreateModule("hints");
    // The last stage's tutorial: four pages on the dialogs' board, each with its words, the first
    // two closed with "_item_ok", the third with "_item_continue" (shown disabled until its page
    // comes). The fourth only wishes luck, without buttons, and the board fades away at its end:
    // nothing of it is left over the kitchen.
    r.CreateAnimationData("hint_last_stage");
    r.AddNamedPart("_part_1", 0, 300, 1);
    r.AddNamedPart("_part_2", 300, 600, 1);
    r.AddNamedPart("_part_3", 600, 900, 1);
    r.AddNamedPart("_part_4", 900, 2400, 1);
    Panel(r, "page", 0, 0, 420, 180, 0, 2400);
    r.AddOpaque(255, 0, 2100);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);
    for (int page = 1; page <= 4; ++page) {
        r.CreateTextSpriteObjectData("words_" + Number(page));
        r.AddTextSpriteIDResource(53 + page, 2400);
        r.AddOffset(0, -25, 0, 2400);
        r.AddLayer(1, 2400);
        // Seen in its own part only.
        if (page > 1) r.AddOpaque(0, 0, 300 * (page - 1));
        if (page < 4) {
            r.AddOpaque(255, 0, 300);
            r.AddOpaque(0, 0, 2400 - 300 * page);
        } else {
            r.AddOpaque(255, 0, 1200);
            r.AddOpaque(255, 1, 300);
            r.AddOpaque(0, 0, 0);
        }
    }
    r.CreateSpriteObjectData("_item_ok");
    r.AddOffset(-95, 50, 0, 2400);
    r.AddLayer(1, 2400);
    r.AddSubstAnimation("interfaces", "hint_ok");
    r.AddOpaque(255, 0, 900);
    r.AddOpaque(0, 0, 1500);
    r.CreateSpriteObjectData("_item_continue");
    r.AddOffset(95, 50, 0, 2400);
    r.AddLayer(1, 2400);
    r.AddSubstAnimation("interfaces", "hint_continue");
    r.AddOpaque(255, 0, 900);
    r.AddOpaque(0, 0, 1500);

    r.CreateModule("recepts");
    // The dishes, as they come onto the plate and fly to the order.
    Dish(r, "soup", kDishSoup);
    Dish(r, "steak", kDishSteak);
    Dish(r, "pizza", kDishPizza);
    Dish(r, "tea", kDishTea);
    Dish(r, "hidden_things", kDishCovered);
}

void LevelComplete(CResourceReader@ r, const string &in name, int sprite)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1200, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(sprite, 1200);
    r.AddBlendMode(2, 1200);
    r.AddHotspot(5000, 5000, 0, 1200);
    r.AddZoom(0, 0, 1, 300);
    r.AddZoom(140, 140, 0, 900);
}

// A dish on its plate, 40 x 24 (its picture at half size): the recipe's icon served.
void Dish(CResourceReader@ r, const string &in name, int sprite)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("food");
    r.AddSpriteIDResource(sprite, 1000);
    r.AddBlendMode(2, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(50, 50, 0, 1000);
}

// A block of w x h pixels about its centre in one colour: the result screens' plain pictures.
void PlainBlock(CResourceReader@ r, const string &in name, int w, int h, int red, int green, int blue)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(w * 100 / 16, h * 100 / 16, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

// An animation of one block, looping "all".
void PlainPicture(CResourceReader@ r, const string &in name, int w, int h, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    PlainBlock(r, "picture", w, h, red, green, blue);
}

// An animation of one drawing (sprite info `sprite`) at zoom (zoomX, zoomY) percent, looping "all": a
// picture in its own colours, which the game may add a glow to.
void Drawing(CResourceReader@ r, const string &in name, int sprite, int zoomX, int zoomY)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(sprite, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(zoomX, zoomY, 0, 1000);
}

// A placeholder part at (x, y) from the layout's centre, which code fills.
void PlainPlace(CResourceReader@ r, const string &in name, int x, int y, int layer)
{
    r.CreateSpriteObjectData(name);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(layer, 1600);
}

// A portrait of `zoom` percent tinted (red, green, blue), looping "all".
void PortraitPicture(CResourceReader@ r, const string &in name, int zoom, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(kPortrait, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(zoom, zoom, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

// A face's name, half a line below its picture of `size` pixels.
void FaceName(CResourceReader@ r, int id, int size)
{
    r.CreateTextSpriteObjectData("name");
    r.AddTextSpriteIDResource(25 + id, 1000);
    r.AddOffset(0, size / 2 + 14, 0, 1000);
    r.AddLayer(1, 1000);
}

// The participants' faces in the colours of their portraits, a shade (in percent) of them; named,
// each carries the participant's name below it.
void Faces(CResourceReader@ r, const string &in prefix, int size, int shade, bool named = false)
{
    PortraitPicture(r, prefix + "0", size * 100 / 32, 230 * shade / 100, 80 * shade / 100, 80 * shade / 100);
    if (named) FaceName(r, 0, size);
    PortraitPicture(r, prefix + "1", size * 100 / 32, 230 * shade / 100, 160 * shade / 100, 60 * shade / 100);
    if (named) FaceName(r, 1, size);
    PortraitPicture(r, prefix + "2", size * 100 / 32, 230 * shade / 100, 230 * shade / 100, 80 * shade / 100);
    if (named) FaceName(r, 2, size);
    PortraitPicture(r, prefix + "3", size * 100 / 32, 80 * shade / 100, 200 * shade / 100, 80 * shade / 100);
    if (named) FaceName(r, 3, size);
    PortraitPicture(r, prefix + "4", size * 100 / 32, 80 * shade / 100, 200 * shade / 100, 200 * shade / 100);
    if (named) FaceName(r, 4, size);
    PortraitPicture(r, prefix + "5", size * 100 / 32, 80 * shade / 100, 100 * shade / 100, 230 * shade / 100);
    if (named) FaceName(r, 5, size);
    PortraitPicture(r, prefix + "6", size * 100 / 32, 250 * shade / 100, 250 * shade / 100, 250 * shade / 100);
    if (named) FaceName(r, 6, size);
    PortraitPicture(r, prefix + "7", size * 100 / 32, 180 * shade / 100, 90 * shade / 100, 220 * shade / 100);
    if (named) FaceName(r, 7, size);
}

// The level's figures, as the level result and the lose screen show them.
void LevelFigures(CResourceReader@ r)
{
    PlainPlace(r, "_ribbon_place", 0, -190, 1);
    PlainPlace(r, "place_country", -220, -60, 1);
    MenuText(r, "_round", 33, 0, -130);
    MenuText(r, "points_label", 48, 10, -70);
    MenuText(r, "_points", 8, 60, -70);
    MenuText(r, "dish_label", 49, 10, -40);
    MenuText(r, "_dish", 8, 60, -40);
    MenuText(r, "place_label", 50, 10, -10);
    MenuText(r, "_place", 8, 60, -10);
    MenuText(r, "_place_index", 8, 0, 20);
}

// A podium step of the stage result, place i at x: the big portrait's place above the cup, whose
// stand hosts the cup and its light, and the points below.
void Podium(CResourceReader@ r, int i, int x, int y)
{
    PlainPlace(r, "_place_" + Number(i), x, y - 90, 2);
    r.CreateSpriteObjectData("cup_" + Number(i));
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(3, 1600);
    r.AddSubstAnimation("main_menu", "cup_stand");
    MenuText(r, "_points_" + Number(i), 8, x, y + 50);
}

void StageResult(CResourceReader@ r, const string &in name, int places)
{
    MenuBackdrop(r, name);
    MenuText(r, "title", 53, 0, -235);
    PlainPlace(r, "place_country", -300, -220, 1);
    Podium(r, 1, 0, -60);
    Podium(r, 2, -170, -30);
    if (places > 2) Podium(r, 3, 170, -10);
    PlainPlace(r, "_place_4", 0, 140, 2);
    MenuItem(r, "continue", 0, 240);
}

// The result screens: a won level ("StatisticsScreen"), a lost one ("LoseScreen"), the standings of
// a stage ("StageStatisticsScreen", "_2" for the stage with a podium of two), the player out of the
// tournament ("loser_screen") and a bonus mini-game ("BonusStatisticsScreen"); the ribbons, cups,
// countries and faces they show.
void ResultScreens(CResourceReader@ r)
{
    r.CreateModule("interfaces");
    Faces(r, "pers_big_", 64, 100, true);
    Faces(r, "pers_bad_", 64, 50);
    for (int id = 0; id < 8; ++id)
    {
        r.CreateAnimationData("pers_name_" + Number(id));
        r.AddNamedPart("all", 0, 1000, 0);
        r.CreateTextSpriteObjectData("name");
        r.AddTextSpriteIDResource(25 + id, 1000);
    }

    r.CreateModule("main_menu");
    // The level results' place ribbons, in gold, silver and bronze with their place on the rosette,
    // and the lost level's grey one.
    for (int n = 1; n <= 4; ++n)
        Drawing(r, "ribbon_" + Number(n), kRibbon1 + n - 1, 100, 100);
    // The ribbon of a place below the podium: the face, the name, the place and the points, each
    // well inside the ribbon.
    r.CreateAnimationData("ribbon_5");
    r.AddNamedPart("all", 0, 1000, 0);
    Card(r, "ribbon", 0, 0, 88, 140, 0, 1000);
    r.AddColor(255, 150, 60, 60, 0, 1000);
    r.CreateSpriteObjectData("_pers_place");
    r.AddOffset(0, -40, 0, 1000);
    r.AddLayer(1, 1000);
    r.CreateSpriteObjectData("_name_place");
    r.AddOffset(0, -10, 0, 1000);
    r.AddLayer(1, 1000);
    r.CreateTextSpriteObjectData("_place");
    r.AddTextSpriteIDResource(8, 1000);
    r.AddOffset(0, 18, 0, 1000);
    r.AddLayer(1, 1000);
    r.CreateTextSpriteObjectData("_points");
    r.AddTextSpriteIDResource(8, 1000);
    r.AddOffset(0, 42, 0, 1000);
    r.AddLayer(1, 1000);
    // The countries of the stages, by number from 0, and the cups of places 1 to 3 in each.
    for (int n = 0; n <= 8; ++n)
    {
        CountryFlag(r, n, StageTint(n, 0), StageTint(n, 1), StageTint(n, 2));
        Drawing(r, "cup_1_" + Number(n), kCupGold, 100, 100);
        Drawing(r, "cup_2_" + Number(n), kCupSilver, 86, 86);
        Drawing(r, "cup_3_" + Number(n), kCupBronze, 72, 72);
    }
    // The player's cup glows: the soft dot, pale gold, behind it.
    r.CreateAnimationData("cup_light_1");
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("light");
    r.AddSpriteIDResource(83, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(300, 300, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 255, 230, 140, 0, 1000);
    // A podium cup: the light behind the cup; "_hide" makes both vanish, "_show" brings them back.
    r.CreateAnimationData("cup_stand");
    r.AddNamedPart("_idle", 0, 100, 0);
    r.AddNamedPart("_hide", 100, 200, 1);
    r.AddNamedPart("_show", 200, 500, 1);
    CupPlace(r, "_light_place", 0);
    CupPlace(r, "_cup_place", 1);

    MenuBackdrop(r, "StatisticsScreen");
    LevelFigures(r);
    PlainPlace(r, "_part_place", 0, -190, 4);
    MenuItem(r, "replay", -110, 150);
    MenuItem(r, "continue", 110, 150);

    // Of its two pairs of buttons the screen keeps one: either pair stands centred in its row.
    MenuBackdrop(r, "LoseScreen");
    LevelFigures(r);
    MenuItem(r, "replay", -110, 150);
    MenuItem(r, "menu", 110, 150);
    MenuItem(r, "replay_2", -110, 190);
    MenuItem(r, "continue", 110, 190);

    StageResult(r, "StageStatisticsScreen", 3);
    StageResult(r, "StageStatisticsScreen_2", 2);

    MenuBackdrop(r, "loser_screen");
    PlainPlace(r, "_pers_place", 0, -60, 1);
    PlainPlace(r, "_name_place", 0, 20, 1);
    MenuItem(r, "ok", 0, 150);

    MenuBackdrop(r, "BonusStatisticsScreen");
    MenuText(r, "_texts", 34, 0, -100);
    PlainPlace(r, "_fly_place", 0, 0, 4);
    MenuItem(r, "replay", -110, 150);
    MenuItem(r, "continue", 110, 150);
    MenuItem(r, "continue_2", 0, 200);
}

// A part of the podium cup, seen in "_idle", gone at the end of "_hide", fading in over "_show".
void CupPlace(CResourceReader@ r, const string &in name, int layer)
{
    r.CreateSpriteObjectData(name);
    r.AddLayer(layer, 500);
    r.AddOpaque(255, 0, 100);
    r.AddOpaque(0, 0, 100);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 0, 0);
}

// A stage picture of the progress map, "ProgressMap.stage_<n>": the kitchen, 240 x 160 (its first
// drawable), in the stage's tint, with the place of its level ribbons, "_level_place", at its
// centre.
// _show: appears white and settles on its colour; _hide: fades out and stays hidden; _zoom: a white
// flash settling on its colour; _enter: brightens under the mouse; _live: back to its colour.
void StagePicture(CResourceReader@ r, int number, int red, int green, int blue)
{
    r.CreateAnimationData("stage_" + Number(number));
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_hide", 300, 500, 1);
    r.AddNamedPart("_zoom", 500, 800, 1);
    r.AddNamedPart("_enter", 800, 1000, 1);
    r.AddNamedPart("_live", 1000, 1200, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(kKitchenRoom, 1200);
    r.AddHotspot(5000, 5000, 0, 1200);
    r.AddZoom(120, 107, 0, 1200);
    r.AddBlendMode(2, 1200);
    r.AddLayer(10, 1200);
    r.AddColor(255, 255, 255, 255, 1, 300);
    r.AddColor(255, red, green, blue, 0, 200);
    r.AddColor(255, 255, 255, 255, 1, 300);
    r.AddColor(255, red, green, blue, 1, 200);
    r.AddColor(255, (red + 255) / 2, (green + 255) / 2, (blue + 255) / 2, 1, 200);
    r.AddColor(255, red, green, blue, 0, 0);
    r.AddOpaque(255, 0, 300);
    r.AddOpaque(255, 1, 150);
    r.AddOpaque(0, 0, 50);
    r.AddOpaque(255, 0, 700);
    r.CreateSpriteObjectData("_level_place");
    r.AddLayer(12, 1200);
}

// A level ribbon for place 1, 2 or 3, "ProgressMap.ribbon_<place>": the rosette of that place's
// ribbon, 40 x 40, a little dimmed until the mouse is over it.
void LevelRibbon(CResourceReader@ r, int place)
{
    const int sprite = kMedal1 + place - 1;
    const int dim = 215;
    r.CreateAnimationData("ribbon_" + Number(place));
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_hide", 200, 400, 1);
    r.AddNamedPart("_enter", 400, 500, 1);
    r.AddNamedPart("_leave", 500, 600, 1);
    r.CreateSpriteObjectData("ribbon");
    r.AddSpriteIDResource(sprite, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddZoom(83, 83, 0, 600);
    r.AddBlendMode(2, 600);
    r.AddLayer(20, 600);
    r.AddColor(255, dim, dim, dim, 0, 400);
    r.AddColor(255, dim, dim, dim, 1, 100);
    r.AddColor(255, 255, 255, 255, 1, 100);
    r.AddColor(255, dim, dim, dim, 0, 0);
    r.AddOpaque(0, 1, 200);
    r.AddOpaque(255, 1, 150);
    r.AddOpaque(0, 0, 50);
    r.AddOpaque(255, 0, 200);
    r.CreateSpriteObjectData("_button_rect");
    r.AddSpriteIDResource(4, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddZoom(250, 250, 0, 600);
    r.AddOpaque(0, 0, 600);
    r.AddLayer(20, 600);
}

// Each stage's colour, by number (0 and 8 for the flags the results may name past the seven stages):
// the map tints the stage's picture with it, and the result screens fly it as the stage's flag.
// Its channel 0 is red, 1 green, 2 blue.
int StageTint(int n, int channel)
{
    if (n == 1) return channel == 0 ? 200 : channel == 1 ? 90 : 70;
    if (n == 2) return channel == 0 ? 90 : channel == 1 ? 160 : 80;
    if (n == 3) return channel == 0 ? 70 : channel == 1 ? 110 : 190;
    if (n == 4) return channel == 0 ? 190 : channel == 1 ? 160 : 60;
    if (n == 5) return channel == 0 ? 150 : channel == 1 ? 80 : 170;
    if (n == 6) return channel == 0 ? 60 : channel == 1 ? 160 : 160;
    if (n == 7) return channel == 0 ? 200 : channel == 1 ? 120 : 150;
    if (n == 8) return 90;
    return channel == 2 ? 130 : 120;
}

// The progress map: the stage pictures, the ribbons, the hint of a hovered ribbon
// ("hints.hint_level", its text "_text") and the screen's layout with its three buttons. The map's
// background is not in the layout: the screen draws it from the texture "map_fon".
void ProgressMap(CResourceReader@ r)
{
    r.CreateModule("ProgressMap");
    for (int n = 1; n <= 7; ++n)
        StagePicture(r, n, StageTint(n, 0), StageTint(n, 1), StageTint(n, 2));
    for (int place = 1; place <= 3; ++place) LevelRibbon(r, place);

    r.CreateModule("hints");
    r.CreateAnimationData("hint_level");
    r.AddNamedPart("_show", 0, 200, 1);
    r.AddNamedPart("_hide", 200, 400, 1);
    r.CreateSpriteObjectData("panel");
    r.AddSpriteIDResource(0, 400);
    r.AddHotspot(5000, 5000, 0, 400);
    r.AddZoom(100, 50, 0, 400);
    r.AddOpaque(0, 1, 200);
    r.AddOpaque(255, 1, 200);
    r.AddOpaque(0, 0, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(6, 400);
    r.AddLayer(1, 400);
    r.AddOpaque(0, 1, 200);
    r.AddOpaque(255, 1, 200);
    r.AddOpaque(0, 0, 0);

    r.CreateModule("main_menu");
    r.CreateAnimationData("ProgressMapScreen");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    MapItem(r, "mein_menu", -250, 270);
    MapItem(r, "velmo_room", 0, 270);
    MapItem(r, "play", 250, 270);
    r.CreateTextSpriteObjectData("_hint");
    r.AddTextSpriteIDResource(6, 1600);
    r.AddOffset(0, 235, 0, 1600);
    r.AddLayer(kMapFront + 1, 1600);
}

// The map's buttons and hint stand above every stage picture and ribbon (the stage in front is
// lifted 50 layers), so the pictures never cover them and the frame draws its texts last, in one
// call with the buttons' captions.
const int kMapFront = 100;

void MapItem(CResourceReader@ r, const string &in name, int x, int y)
{
    r.CreateSpriteObjectData("_item_" + name);
    r.AddOffset(x, y, 0, 1600);
    r.AddLayer(kMapFront, 1600);
    r.AddSubstAnimation("main_menu", "menu_button");
}

// A page of the recipe book, 336 x 496 from its top-left corner: its first child "_items" hosts the
// page's items, "_number" shows its number at the bottom, and a darker strip marks the spine
// (right of a left-hand page, left of a right-hand one). It fades in and out.
void BookPage(CResourceReader@ r, const string &in name, bool spineRight, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_idle", 300, 1300, 0);
    r.AddNamedPart("_hide", 1300, 1600, 1);
    r.CreateSpriteObjectData("_items");
    r.AddLayer(3, 1600);
    BookSheet(r, "paper", 0, 2100, red, green, blue);
    BookSheet(r, "spine", spineRight ? 320 : 0, 100, red - 60, green - 60, blue - 60);
    r.AddLayer(1, 1600);
    r.CreateTextSpriteObjectData("_number");
    r.AddTextSpriteIDResource(37, 1600);
    r.AddOffset(168, 470, 0, 1600);
    r.AddLayer(2, 1600);
    // Blend 2 draws the text in its Color track; without it a text is drawn in the font's own white.
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 90, 60, 40, 0, 1600);
}

// A full-height strip of the page (width in percent of 16 pixels) at x, fading with the page.
void BookSheet(CResourceReader@ r, const string &in name, int x, int zoomX, int red, int green, int blue)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(0, 0, 0, 1600);
    r.AddOffset(x, 0, 0, 1600);
    r.AddZoom(zoomX, 3100, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, red, green, blue, 0, 1600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 0, 1000);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);
}

// A block of w x h pixels (zoom in percent of 16) about its hotspot, in one colour.
void BookBlock(CResourceReader@ r, const string &in name, int hotX, int zoomX, int zoomY, int red, int green, int blue)
{
    r.CreateSpriteObjectData(name);
    r.AddSpriteIDResource(4, 1000);
    r.AddHotspot(hotX, 5000, 0, 1000);
    r.AddZoom(zoomX, zoomY, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

void BookDish(CResourceReader@ r, const string &in name, int sprite)
{
    BookItem(r, name);
    r.CreateSpriteObjectData("dish");
    r.AddSpriteIDResource(sprite, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(200, 200, 0, 1000);
    r.AddBlendMode(2, 1000);
    // The name, centred under the plate rather than over the dish.
    BookText(r, 37, 60, 50, 40);
    r.AddOffset(0, 60, 0, 1000);
}

// An item of a page: its picture (if any) and its text "_text", which the book fills.
void BookItem(CResourceReader@ r, const string &in name)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_idle", 0, 1000, 0);
}

void BookText(CResourceReader@ r, int text, int red, int green, int blue)
{
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(text, 1000);
    r.AddLayer(1, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

// A chapter tab: a 32 x 40 leather tab standing out of the book, tinted its colour, greyed while its
// chapter is open.
void BookTab(CResourceReader@ r)
{
    r.CreateAnimationData("tab");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_over", 100, 200, 1);
    r.AddNamedPart("_leave", 200, 300, 1);
    r.AddNamedPart("_down", 300, 400, 1);
    r.AddNamedPart("_disabled", 400, 500, 1);
    r.CreateSpriteObjectData("face");
    r.AddSpriteIDResource(kBookTab, 500);
    r.AddHotspot(5000, 5000, 0, 500);
    r.AddBlendMode(2, 500);
    r.AddColor(255, 220, 150, 40, 0, 100);
    r.AddColor(255, 255, 200, 80, 0, 100);
    r.AddColor(255, 220, 150, 40, 0, 200);
    r.AddColor(255, 110, 100, 90, 0, 100);
}

// The recipe book: its page templates, the items its pages are made of, and its layout, where the
// leaves lie from (88, 37) to (760, 533), the chapter tabs stand right of the book and "prev",
// "exit" and "next" below it.
void CookBook(CResourceReader@ r)
{
    r.CreateModule("cookingbook");
    BookPage(r, "page_1", true, 250, 240, 215);
    BookPage(r, "page_2", false, 250, 240, 215);
    BookPage(r, "page_empty_1", true, 215, 212, 200);
    BookPage(r, "page_empty_2", false, 215, 212, 200);

    // A recipe's or chapter's title, a line of text, a chapter band and a picture.
    BookItem(r, "title");
    BookText(r, 36, 120, 40, 20);
    BookItem(r, "line");
    BookText(r, 35, 60, 50, 40);
    BookItem(r, "chapter");
    BookBlock(r, "band", 5000, 1800, 250, 150, 90, 50);
    BookText(r, 36, 255, 245, 220);
    // A recipe's picture: its dish as the kitchen serves it, 160 x 96, its name under it; a recipe the
    // kitchen has no dish for shows a covered one.
    BookDish(r, "picture", kDishCovered);
    BookDish(r, "soup", kDishSoup);
    BookDish(r, "steak", kDishSteak);
    BookDish(r, "pizza", kDishPizza);
    BookDish(r, "tea", kDishTea);
    // The marker: a printed rule over the page number, red on its left, blue on its right, 96 x 4
    // about its centre; it shows at once whether a page reads the right way round.
    BookItem(r, "marker");
    BookBlock(r, "red", 10000, 300, 25, 200, 40, 40);
    BookBlock(r, "blue", 0, 300, 25, 40, 50, 200);
    BookText(r, 35, 0, 0, 0);
    BookTab(r);

    r.CreateModule("main_menu");
    MenuBackdrop(r, "CookingBookScreen");
    r.CreateSpriteObjectData("cover");
    r.AddSpriteIDResource(4, 1600);
    r.AddHotspot(5000, 5000, 0, 1600);
    r.AddOffset(24, -15, 0, 1600);
    r.AddZoom(4400, 3300, 0, 1600);
    r.AddBlendMode(2, 1600);
    r.AddColor(255, 110, 60, 35, 0, 1600);
    r.AddLayer(1, 1600);
    MenuItem(r, "prev", -280, 270);
    MenuItem(r, "exit", 24, 270);
    MenuItem(r, "next", 300, 270);
    for (int tab = 1; tab <= 8; ++tab)
    {
        r.CreateSpriteObjectData("_item_zakladka_" + Number(tab));
        r.AddOffset(377, -230 + 52 * (tab - 1), 0, 1600);
        r.AddLayer(2, 1600);
        r.AddSubstAnimation("cookingbook", "tab");
    }
}

// A stage's flag, "main_menu.country_<n>", which the level, stage and duel results show: three
// stripes of 48 x 10, the outer ones in the stage's colour.
void CountryFlag(CResourceReader@ r, int n, int red, int green, int blue)
{
    r.CreateAnimationData("country_" + Number(n));
    r.AddNamedPart("_idle", 0, 1000, 0);
    Block(r, "top", 0, -10, 48, 10, 0, red, green, blue, 1000);
    Block(r, "middle", 0, 0, 48, 10, 0, 240, 240, 230, 1000);
    Block(r, "bottom", 0, 10, 48, 10, 0, red, green, blue, 1000);
}

// The duel's result screens: the round ("Round _round", its token replaced by the level's
// number), the rival's flag, the round's dish with its title below, the time or the points, and
// the buttons. "main_menu.recept_place_duel" frames the dish: the picture hangs on its first
// drawable, the title is its second.
void DuelResults(CResourceReader@ r)
{
    r.CreateModule("main_menu");
    r.CreateAnimationData("recept_place_duel");
    r.AddNamedPart("_idle", 0, 1000, 0);
    Place(r, "_dish", 0, 0, 1, 1000);
    MenuText(r, "_title", 8, 0, 50);

    MenuBackdrop(r, "DuelStatisticsScreen");
    DuelParts(r);
    MenuItem(r, "continue", 0, 180);

    // The lost duel says so over the round; of its two pairs of buttons it keeps one, each pair
    // centred in its row.
    MenuBackdrop(r, "DuelLoseScreen");
    MenuText(r, "lost_title", 52, 0, -240);
    DuelParts(r);
    MenuItem(r, "replay", -120, 180);
    MenuItem(r, "map", 120, 180);
    MenuItem(r, "replay_2", -120, 220);
    MenuItem(r, "continue", 120, 220);
}

void DuelParts(CResourceReader@ r)
{
    MenuText(r, "_round", 38, 0, -200);
    Place(r, "_place_country", -150, -100, 2, 1600);
    Place(r, "_recept_place", 0, -20, 2, 1600);
    MenuText(r, "_time", 8, 0, 100);
}

// The dressing room ("main_menu.VelmoRoomScreen"), kept clear of the window shades' drapes: the
// heroine stands at (-100, 56) from the centre (over the far left corner of the floor of the level
// "other_1") behind the curtain "_shtora"; the dress buttons take the places "_dres_place_1" to "_4"
// on her right, the cups of stages 1 to 7 the places "cubok_place_1" to "_7" along the bottom, and
// the balloon "_baloon" above them names a cup's stage and place. The heroine's looks for dresses 2
// to 11 (each stage unlocks dresses of its own), the buttons, the dress pictures, the curtain and the
// balloon are in the module "Velmo_room" (the looks in "nolla").
void VelmoRoom(CResourceReader@ r)
{
    r.CreateModule("nolla");
    Dress(r, 2, 90, 200, 110);
    Dress(r, 3, 230, 200, 60);
    Dress(r, 4, 200, 90, 220);
    Dress(r, 5, 240, 140, 60);
    Dress(r, 6, 60, 200, 210);
    Dress(r, 7, 220, 60, 60);
    Dress(r, 8, 240, 240, 230);
    Dress(r, 9, 150, 100, 60);
    Dress(r, 10, 130, 130, 140);
    Dress(r, 11, 40, 60, 150);

    r.CreateModule("Velmo_room");
    // The curtain: "all" draws it closed at half-way and open again at its end.
    r.CreateAnimationData("shtora");
    r.AddNamedPart("all", 0, 1000, 1);
    r.CreateSpriteObjectData("cloth");
    r.AddSpriteIDResource(9, 1000);
    r.AddHotspot(5000, 5000, 0, 1000);
    r.AddZoom(47, 50, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, 230, 150, 170, 0, 1000);
    r.AddOpaque(0, 1, 500);
    r.AddOpaque(255, 1, 500);
    r.AddOpaque(0, 0, 0);

    // The balloon: fades in ("_show") and out ("_hide"), its words in "_text".
    r.CreateAnimationData("baloon");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_hide", 300, 600, 1);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(7, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddZoom(400, 200, 0, 600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(8, 600);
    r.AddLayer(1, 600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);

    // A dress button, 80 x 80 about its centre, the dress picture in "-place": it rests ("_up"),
    // lights up under the mouse ("_over"), settles back ("_leave") and fades out once clicked
    // ("_disabled").
    r.CreateAnimationData("dres_button");
    r.AddNamedPart("_up", 0, 100, 1);
    r.AddNamedPart("_over", 100, 200, 1);
    r.AddNamedPart("_leave", 200, 300, 1);
    r.AddNamedPart("_disabled", 300, 400, 1);
    r.CreateSpriteObjectData("frame");
    r.AddSpriteIDResource(kCard, 400);
    r.AddHotspot(5000, 5000, 0, 400);
    r.AddZoom(125, 200, 0, 400);
    r.AddBlendMode(2, 400);
    r.AddColor(255, 90, 70, 110, 0, 100);
    r.AddColor(255, 160, 130, 190, 0, 100);
    r.AddColor(255, 90, 70, 110, 0, 100);
    r.AddColor(255, 60, 60, 60, 0, 100);
    r.AddOpaque(255, 0, 300);
    r.AddOpaque(255, 1, 100);
    r.AddOpaque(0, 0, 0);
    PlainPlace(r, "-place", 0, 0, 1);

    // The dress pictures: the heroine's dress in the colours of her looks, about the dress's middle.
    DressPicture(r, "dres_0", 230, 120, 150);
    DressPicture(r, "dres_1", 90, 120, 230);
    DressPicture(r, "dres_2", 90, 200, 110);
    DressPicture(r, "dres_3", 230, 200, 60);
    DressPicture(r, "dres_4", 200, 90, 220);
    DressPicture(r, "dres_5", 240, 140, 60);
    DressPicture(r, "dres_6", 60, 200, 210);
    DressPicture(r, "dres_7", 220, 60, 60);
    DressPicture(r, "dres_8", 240, 240, 230);
    DressPicture(r, "dres_9", 150, 100, 60);
    DressPicture(r, "dres_10", 130, 130, 140);
    DressPicture(r, "dres_11", 40, 60, 150);

    r.CreateModule("main_menu");
    MenuBackdrop(r, "VelmoRoomScreen");
    r.CreateSpriteObjectData("_shtora");
    r.AddOffset(-100, 56, 0, 1600);
    r.AddLayer(5, 1600);
    r.AddSubstAnimation("Velmo_room", "shtora");
    for (int n = 1; n <= 4; ++n)
        PlainPlace(r, "_dres_place_" + Number(n), 40 + 100 * ((n - 1) % 2), -40 + 100 * ((n - 1) / 2), 2);
    for (int n = 1; n <= 7; ++n)
        PlainPlace(r, "cubok_place_" + Number(n), -240 + 80 * (n - 1), 190, 2);
    r.CreateSpriteObjectData("_baloon");
    r.AddOffset(100, 140, 0, 1600);
    r.AddLayer(8, 1600);
    r.AddSubstAnimation("Velmo_room", "baloon");
    MenuItem(r, "exit", -250, 270);
    MenuItem(r, "cookbook", 250, 270, "book_button");
}

void DressPicture(CResourceReader@ r, const string &in name, int red, int green, int blue)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1000, 0);
    r.CreateSpriteObjectData("picture");
    r.AddSpriteIDResource(kHeroineDress, 1000);
    r.AddHotspot(5000, 4700, 0, 1000);
    r.AddZoom(60, 60, 0, 1000);
    r.AddBlendMode(2, 1000);
    r.AddColor(255, red, green, blue, 0, 1000);
}

// The heroine's looks for a dress: every state in the dress's colour, the walks and work darker.
void Dress(CResourceReader@ r, int dress, int red, int green, int blue)
{
    const string look = "_" + Number(dress);
    NollaLook(r, "work" + look, 1000, 0, red * 3 / 4, green * 3 / 4, blue * 3 / 4);
    NollaLook(r, "idle" + look, 1000, 1, red, green, blue);
    NollaLook(r, "diagonal_down" + look, 1000, 0, red * 3 / 4, green * 3 / 4, blue * 3 / 4);
    NollaLook(r, "diagonal_up" + look, 1000, 0, red / 2, green / 2, blue / 2);
    NollaLook(r, "cancel" + look, 1000, 1, red, green, blue);
    NollaLook(r, "wait" + look, 1000, 0, red, green, blue);
    NollaLook(r, "hide" + look, 1000, 1, red / 4, green / 4, blue / 4);
    NollaLook(r, "blink" + look, 200, 1, (red + 255) / 2, (green + 255) / 2, (blue + 255) / 2);
}

// The announcement screens. The new dress: the dressing room's picture "Velmo_room.dres_<n>" in
// "_item_dres", whose click also ends the screen. The
// new ingredients: "main_menu.ingredients_screen_<rows>" for one to three rows, the elements hung on
// "_place" and "caption_2" hidden by the screen; an element ("element_ingr") is the picture on its
// "_place", standing on the name "_text" below it. The new recipes: "main_menu.recept_place_<n>"
// frames n recipes in a row, each a picture place followed by its title, on the layout's "_place"
// under the caption "_text".
void Announcements(CResourceReader@ r)
{
    r.CreateModule("Places");
    Thing(r, "sugar", kPlaceSugar, 100, 100, 255, 255, 255);

    r.CreateModule("main_menu");
    MenuBackdrop(r, "new_dress_screen");
    MenuText(r, "caption", 40, 0, -220);
    Place(r, "_item_dres", 0, -30, 2, 1600);
    MenuItem(r, "ok", 0, 200);

    for (int rows = 1; rows <= 3; ++rows)
    {
        MenuBackdrop(r, "ingredients_screen_" + Number(rows));
        Panel(r, "panel", 0, -20, 480, 60 + 100 * rows, 1, 1600);
        MenuText(r, "caption", 39, 0, -40 - 50 * rows);
        MenuText(r, "caption_2", 8, 0, 20 + 50 * rows);
        Place(r, "_place", 0, -20, 2, 1600);
        MenuItem(r, "ok", 0, 230);
    }

    r.CreateAnimationData("element_ingr");
    r.AddNamedPart("_show", 0, 400, 1);
    r.CreateSpriteObjectData("_place");
    r.AddOffset(0, 0, 0, 400);
    r.AddLayer(1, 400);
    r.AddOpaque(0, 1, 400);
    r.AddOpaque(255, 0, 0);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(6, 400);
    r.AddOffset(0, 10, 0, 400);
    r.AddLayer(1, 400);

    for (int n = 1; n <= 3; ++n)
    {
        r.CreateAnimationData("recept_place_" + Number(n));
        r.AddNamedPart("all", 0, 300, 1);
        for (int i = 0; i < n; ++i)
        {
            int x = (2 * i - (n - 1)) * 110;
            // A recipe's picture is its item icon of 32 x 32: the place shows it at 80 x 80.
            Place(r, "_recept_" + Number(i + 1), x, 0, 1, 300);
            r.AddZoom(250, 250, 0, 300);
            r.CreateTextSpriteObjectData("_title_" + Number(i + 1));
            r.AddTextSpriteIDResource(8, 300);
            r.AddOffset(x, 60, 0, 300);
            r.AddLayer(1, 300);
        }
    }

    MenuBackdrop(r, "new_recept_screen");
    MenuText(r, "_text", 8, 0, -200);
    Place(r, "_place", 0, -20, 2, 1600);
    MenuItem(r, "ok", -110, 200);
    MenuItem(r, "cookbook", 110, 200, "book_button");
}

// What the running bonuses show: the ice of the time freeze over the level dial ("_bonus_place" of
// its clock) and along its hand ("_ice" of "_second"), the chain on a waiting customer's mood bar, and
// the name a bonus shows when it takes effect.
void Bonuses(CResourceReader@ r)
{
    r.CreateModule("bonus");
    Frost(r, "ice", 0, 0, 44, 44);
    Frost(r, "ice_str", 0, -18, 6, 36);
    r.CreateAnimationData("chain");
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_hide", 300, 600, 1);
    r.CreateSpriteObjectData("links");
    r.AddSpriteIDResource(kChain, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddBlendMode(2, 600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(255, 1, 300);
    r.AddOpaque(0, 0, 0);

    BonusName(r, "bonus_name_1", 41);
    BonusName(r, "bonus_name_2", 42);
    BonusName(r, "bonus_name_3", 43);
    BonusName(r, "bonus_name_4", 45);
    BonusName(r, "bonus_name_5", 44);
}

// Pale blue ice of w x h at (x, y) that frosts over ("_show") and melts ("_hide").
void Frost(CResourceReader@ r, const string &in name, int x, int y, int w, int h)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("_show", 0, 300, 1);
    r.AddNamedPart("_hide", 300, 600, 1);
    r.CreateSpriteObjectData("frost");
    r.AddSpriteIDResource(kFrost, 600);
    r.AddHotspot(5000, 5000, 0, 600);
    r.AddOffset(x, y, 0, 600);
    r.AddZoom(w * 100 / 40, h * 100 / 40, 0, 600);
    r.AddBlendMode(2, 600);
    r.AddOpaque(0, 1, 300);
    r.AddOpaque(170, 1, 300);
    r.AddOpaque(0, 0, 0);
}

// A bonus's name (text description `text`): it rises and fades out over 1.5 s ("all").
void BonusName(CResourceReader@ r, const string &in name, int text)
{
    r.CreateAnimationData(name);
    r.AddNamedPart("all", 0, 1500, 1);
    r.CreateTextSpriteObjectData("_text");
    r.AddTextSpriteIDResource(text, 1500);
    r.AddColor(255, 250, 230, 120, 0, 1500);
    r.AddBlendMode(2, 1500);
    r.AddOffset(0, 0, 1, 1500);
    r.AddOffset(0, -40, 0, 0);
    r.AddOpaque(255, 0, 1000);
    r.AddOpaque(255, 1, 500);
    r.AddOpaque(0, 0, 0);
}
