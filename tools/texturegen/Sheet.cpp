#include "tools/texturegen/Pictures.h"

#define STB_RECT_PACK_IMPLEMENTATION
#include <stb/stb_rect_pack.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace {

// A picture of the sheet: its name (the sprite info that cuts it), its size and its drawing.
struct TPicture {
    std::string name;
    int w, h;
    std::function<void(cairo_t*, double w, double h)> draw;
    int pad = 2;  // transparent (or, for flat fills, same-coloured) margin around the picture
};

struct TRect {
    int x, y, w, h;
};

struct TSheet {
    int width = 0, height = 0;
    std::vector<TPicture> pictures;
    std::vector<TRect> places;  // where each picture's own pixels lie
};

std::vector<TPicture> SheetPictures() {
    std::vector<TPicture> p;
    const auto add = [&p](std::string name, int w, int h, std::function<void(cairo_t*, double, double)> draw,
                          int pad = 2) {
        p.push_back({std::move(name), w, h, std::move(draw), pad});
    };
    // The interface: the panel, buttons, a spark, the speech balloon, the hider's hole, the arrow.
    add("panel", 256, 128, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(60, 90, 150)); });
    add("button", 128, 32, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(180, 90, 40)); });
    add("button_over", 128, 32, [](cairo_t* cr, double w, double h) { Plate(cr, w, h, Rgb(240, 150, 60)); });
    add("spark", 16, 16,
        [](cairo_t* cr, double w, double h) { Glow(cr, w / 2, h / 2, w / 2, Rgb(255, 255, 255)); });
    add("balloon", 64, 24, Balloon);
    add("hole", 64, 64, Hole);
    add("arrow", 12, 18, Arrow);
    // Flat white, whose colour the script gives: "block" and the invisible hit areas cut from it.
    add(
        "white", 96, 24,
        [](cairo_t* cr, double, double) {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_paint(cr);
        },
        0);
    add("disc", 32, 32, [](cairo_t* cr, double w, double h) {
        cairo_arc(cr, w / 2, h / 2, w / 2 - 0.5, 0, 2 * kPi);
        Fill(cr, Rgb(255, 255, 255));
    });
    // The devices in their three looks.
    const char* devices[4] = {"saucepan", "griddle", "micro_wave", "electric_stove_4"};
    const char* looks[3] = {"_idle", "_work", "_closed"};
    for (int d = 0; d < 4; ++d)
        for (int l = 0; l < 3; ++l) {
            add(std::string(devices[d]) + looks[l], 64, d == 0 ? 64 : 48,
                [d, l](cairo_t* cr, double w, double h) {
                    DrawDevice(cr, d, w, h, static_cast<ELook>(l));
                    if (l == 2) Darken(cr, w, h);
                });
        }
    // The ingredient places.
    add("place_bread", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Bread); });
    add("place_salad", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Salad); });
    add("place_cheese", 48, 48, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Cheese); });
    add("place_cup", 32, 40, [](cairo_t* cr, double w, double h) { Crate(cr, w, h, EItem::Cup); });
    add("place_sugar", 32, 32, SugarCrate);
    // The kitchen's countdown before play: three, two, one, go, red to green.
    const TColour counts[4] = {Rgb(230, 70, 50), Rgb(230, 150, 50), Rgb(230, 220, 60), Rgb(80, 210, 90)};
    for (int n = 3; n >= 0; --n)
        add(n ? "count_" + std::to_string(n) : std::string("count_go"), 24, 24,
            [n, c = counts[3 - n]](cairo_t* cr, double w, double h) { CountBadge(cr, w, h, c, n); });
    // People: the heroine's figure and dress, the customers' moods, the participants' portrait.
    add("heroine", 64, 224, HeroineBody);
    add("heroine_dress", 64, 224, HeroineDress);
    add("customer_glad", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 0); });
    add("customer_calm", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 1); });
    add("customer_cross", 28, 28, [](cairo_t* cr, double w, double h) { Customer(cr, w, h, 2); });
    add("portrait", 32, 32, Portrait);
    // The dishes (shown at half size on the plate, twice as large in the recipe book), the serving
    // plate and its bell, the clocks and their hand.
    add("dish_soup", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Soup); });
    add("dish_steak", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Steak); });
    add("dish_pizza", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Pizza); });
    add("dish_tea", 80, 48, [](cairo_t* cr, double w, double h) { Dish(cr, w, h, EItem::Tea); });
    add("dish_covered", 80, 48, Cloche);
    add("serving_plate", 64, 32, ServingPlate);
    add("bell", 48, 48, Bell);
    add("clock_face", 80, 80, [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(150, 90, 50)); });
    add("dial", 48, 48, [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(60, 90, 150)); });
    add("clock_hand", 6, 36, [](cairo_t* cr, double w, double h) {
        RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 2);
        Fill(cr, Rgb(255, 255, 255));
    });
    // The scenery and the mini-games' objects.
    add("window", 256, 128, Window);
    add("plant", 64, 128, Plant);
    add("vase", 48, 64, Vase);
    add("wall_clock", 64, 64,
        [](cairo_t* cr, double w, double h) { ClockFace(cr, w, h, Rgb(200, 150, 40)); });
    add("lamp", 48, 80, Lamp);
    add("book", 64, 48, Book);
    add("hat", 48, 48, Hat);
    add("shelf", 128, 32, Shelf);
    add("rug", 128, 64, Rug);
    add("cup_gold", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, kMetals[0]); });
    add("cup_silver", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, kMetals[1]); });
    add("cup_bronze", 48, 56, [](cairo_t* cr, double w, double h) { Trophy(cr, w, h, kMetals[2]); });
    // The level results' place ribbons: gold, silver and bronze, and the grey one of a lost level.
    const TColour ribbons[4] = {kMetals[0], kMetals[1], kMetals[2], Rgb(150, 150, 160)};
    for (int place = 1; place <= 4; ++place)
        add("ribbon_" + std::to_string(place), 180, 48,
            [place, metal = ribbons[place - 1]](cairo_t* cr, double w, double h) {
                PlaceRibbon(cr, w, h, metal, place < 4 ? place : 0);
            });
    // The progress map's medals of the levels won: the ribbons' rosettes on their own.
    for (int place = 1; place <= 3; ++place)
        add("medal_" + std::to_string(place), 48, 48,
            [place, metal = ribbons[place - 1]](cairo_t* cr, double w, double h) {
                PlaceRosette(cr, w / 2, h / 2, h / 2 - 1, metal, place);
            });
    // The other customers' moods (the first's are above).
    const char* moods[3] = {"_glad", "_calm", "_cross"};
    for (int who = 1; who < kCustomerCount; ++who)
        for (int mood = 0; mood < 3; ++mood)
            add("customer_" + std::to_string(who + 1) + moods[mood], 28, 28,
                [who, mood](cairo_t* cr, double w, double h) { Customer(cr, w, h, mood, who); });
    // The order signs' card, the bonus customer's gift, the duel's portrait frame; the bonuses' badges,
    // the frost and the chain; the recipe book's chapter tab; the day's sun.
    add("card", 64, 40, Card);
    add("gift", 36, 44, Gift);
    add("portrait_frame", 38, 56, PortraitFrame);
    const std::array<std::pair<const char*, TColour>, 6> badges = {{{"freeze", Rgb(90, 160, 230)},
                                                                    {"cook", Rgb(220, 80, 50)},
                                                                    {"patience", Rgb(140, 90, 200)},
                                                                    {"quality", Rgb(230, 180, 40)},
                                                                    {"highlight", Rgb(240, 220, 110)},
                                                                    {"random", Rgb(80, 180, 120)}}};
    const std::array<void (*)(cairo_t*), 6> signs = {Snowflake, Flame, Hourglass, Star, Bulb, Question};
    for (size_t i = 0; i < badges.size(); ++i)
        add(std::string("badge_") + badges[i].first, 32, 32,
            [c = badges[i].second, sign = signs[i]](cairo_t* cr, double w, double h) {
                Badge(cr, w, h, c, sign);
            });
    add("frost", 40, 40, Frost);
    add("chain", 40, 12, Chain);
    add("book_tab", 32, 40, BookTab);
    add("sun", 48, 48, Sun);
    // The backdrops: the kitchen (shown four times as large) and the mini-games' room (twice).
    add("kitchen_room", 200, 150, KitchenRoom, 0);
    add("room", 200, 300, Room, 0);
    return p;
}

// Sprite infos cut from a packed picture: (name, picture, x, y, w, h within it).
struct TCut {
    const char* name;
    const char* picture;
    int x, y, w, h;
};
constexpr TCut kCuts[] = {{"block", "white", 40, 4, 16, 16}, {"hit_area", "white", 0, 0, 96, 24}};

// Packs the rects not yet packed into the area (x, y, w, h) of the sheet; true when all of them are.
bool PackInto(std::vector<stbrp_rect>& rects, int x, int y, int w, int h) {
    std::vector<stbrp_rect> left;
    for (const stbrp_rect& r : rects)
        if (!r.was_packed) left.push_back(r);
    if (left.empty()) return true;
    std::vector<stbrp_node> nodes(static_cast<size_t>(w));
    stbrp_context context;
    stbrp_init_target(&context, w, h, nodes.data(), static_cast<int>(nodes.size()));
    const bool all = stbrp_pack_rects(&context, left.data(), static_cast<int>(left.size())) != 0;
    for (const stbrp_rect& r : left) {
        if (!r.was_packed) continue;
        stbrp_rect& placed = rects[static_cast<size_t>(r.id)];
        placed = r;
        placed.x += x;
        placed.y += y;
    }
    return all;
}

// Packs every picture on the smallest sheet that holds them; false when none does.
bool Pack(TSheet& sheet) {
    sheet.pictures = SheetPictures();
    // The icons take the top left corner; the pictures are packed beside them and under them, on the
    // smallest sheet that holds them (the textures need not be powers of two, but every pixel is
    // decoded and uploaded at each start).
    for (const auto& [w, h] :
         {std::array<int, 2>{512, 512}, {1024, 512}, {1024, 640}, {1024, 768}, {1024, 1024}, {2048, 1024}}) {
        std::vector<stbrp_rect> rects;
        for (size_t i = 0; i < sheet.pictures.size(); ++i) {
            const TPicture& p = sheet.pictures[i];
            stbrp_rect r{};
            r.id = static_cast<int>(i);
            r.w = p.w + 2 * std::max(p.pad, 2);
            r.h = p.h + 2 * std::max(p.pad, 2);
            rects.push_back(r);
        }
        PackInto(rects, kIconsWidth, 0, w - kIconsWidth, kIconsHeight);
        if (!PackInto(rects, 0, kIconsHeight, w, h - kIconsHeight)) continue;
        sheet.width = w;
        sheet.height = h;
        sheet.places.assign(rects.size(), {});
        for (const stbrp_rect& r : rects) {
            const TPicture& p = sheet.pictures[static_cast<size_t>(r.id)];
            const int margin = std::max(p.pad, 2);
            sheet.places[static_cast<size_t>(r.id)] = {r.x + margin, r.y + margin, p.w, p.h};
        }
        return true;
    }
    return false;
}

// The sprite infos the script gives the sheet's pictures, by name.
std::map<std::string, TRect> SpriteRects(const TSheet& sheet) {
    std::map<std::string, TRect> rects;
    for (int n = 0; n < 8; ++n)
        rects[std::string("icon_") + kIconNames[n]] = {(n % 4) * kIconCell, (n / 4) * kIconCell, kIconCell,
                                                       kIconCell};
    for (size_t i = 0; i < sheet.pictures.size(); ++i) rects[sheet.pictures[i].name] = sheet.places[i];
    for (const TCut& cut : kCuts) {
        const TRect& in = rects[cut.picture];
        rects[cut.name] = {in.x + cut.x, in.y + cut.y, cut.w, cut.h};
    }
    return rects;
}

int DrawSheet(const TSheet& sheet, const std::string& out) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheet.width, sheet.height);
    cairo_t* cr = cairo_create(surface);
    DrawIconCells(cr, false);
    for (size_t i = 0; i < sheet.pictures.size(); ++i) {
        const TPicture& p = sheet.pictures[i];
        const TRect& at = sheet.places[i];
        // A flat fill reaches over its margin, so that the filtered edges keep its colour.
        const int over = p.pad == 0 ? 2 : 0;
        cairo_save(cr);
        cairo_rectangle(cr, at.x - over, at.y - over, at.w + 2 * over, at.h + 2 * over);
        cairo_clip(cr);
        cairo_translate(cr, at.x, at.y);
        p.draw(cr, p.w, p.h);
        cairo_restore(cr);
    }
    // A flat fill or a backdrop repeats its edge over its margin, so that the filtered edges of a
    // picture drawn large keep its colour instead of fading.
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const auto at = [&](int x, int y) -> uint32_t& {
        return reinterpret_cast<uint32_t*>(data + y * stride)[x];
    };
    for (size_t i = 0; i < sheet.pictures.size(); ++i) {
        if (sheet.pictures[i].pad != 0) continue;
        const TRect& r = sheet.places[i];
        for (int y = r.y - 2; y < r.y + r.h + 2; ++y)
            for (int x = r.x - 2; x < r.x + r.w + 2; ++x)
                at(x, y) = at(std::clamp(x, r.x, r.x + r.w - 1), std::clamp(y, r.y, r.y + r.h - 1));
    }
    cairo_surface_mark_dirty(surface);
    cairo_destroy(cr);
    return WritePng(surface, out);
}

int WritePlaces(const TSheet& sheet, const std::string& listing) {
    std::ofstream out(listing);
    for (const auto& [name, r] : SpriteRects(sheet))
        out << name << ' ' << r.x << ' ' << r.y << ' ' << r.w << ' ' << r.h << '\n';
    out.close();
    if (!out) {
        std::fprintf(stderr, "texturegen: can't write %s\n", listing.c_str());
        return 1;
    }
    return 0;
}

void PrintScript(const TSheet& sheet) {
    for (const auto& [name, r] : SpriteRects(sheet))
        std::printf("    r.AddHGESpriteInfo(\"%s\", 0, %d, %d, %d, %d);\n", name.c_str(), r.x, r.y, r.w, r.h);
    std::printf("// sheet %d x %d\n", sheet.width, sheet.height);
}

}  // namespace

int WriteSheet(const std::string& out, const char* places, bool script) {
    TSheet sheet;
    if (!Pack(sheet)) {
        std::fprintf(stderr, "texturegen: the pictures do not fit on one sheet\n");
        return 1;
    }
    if (script) {
        PrintScript(sheet);
        return 0;
    }
    if (places && WritePlaces(sheet, places) != 0) return 1;
    return DrawSheet(sheet, out);
}
