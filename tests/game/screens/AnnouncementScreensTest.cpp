#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/WindowShadesEffect.h"
#include "game/screens/CookBook.h"
#include "game/screens/NewIngridientScreen.h"
#include "game/screens/NewReceptScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

// The announcements on the sample game, reached as the flow reaches them: a saved player "Ann",
// frames of 100 ms. The sounds the screens ask for by key get names of their own, so that their
// loading shows which ones played.
class AnnouncementScreensTest : public CMenuScreensFixture {
protected:
    AnnouncementScreensTest() {
        for (const int key : {11, 20, 21}) {
            data.sounds[key].name = "ann_sound_" + std::to_string(key);
            engine.AddResource("Sound\\ann_sound_" + std::to_string(key) + ".ogg",
                               std::vector<unsigned char>{1, 2});
        }
        CPlayerProfile player = data.players.players[u""];
        player.name = u"Ann";
        player.flags["comics_1"] = true;
        player.stageName = "stage4";
        player.floatVars[1] = 4.0f;
        data.players.players[u"Ann"] = player;
        data.players.currentName = u"Ann";
    }

    bool Played(int key) const {
        return engine.HasCall("Stream_Load Sound/ann_sound_" + std::to_string(key) + ".ogg");
    }
    static CPlayerProfile& Player() { return GetCurrentPlayer(); }
    void Show(const std::string& screen, const std::string& layout) {
        GF::GetGameManager()->DestroyAllScreens();
        app->SwitchScreen({}, screen, layout, false);
        Top()->OnTop();
    }
    // The map, idle, ends with "play" for the level: the frame after it shows what the flow chose.
    void PlayFromMap(const std::string& level) {
        Player().stringVars[29] = level;
        Show("ProgressMapScreen", "main_menu.ProgressMapScreen");
        for (int frame = 0; frame < 80 && !(Control("play") && Control("play")->IsEnabled()); ++frame)
            Frame();
        ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
        Click("play");
    }
    static CNewIngridientScreen* Ingredients() { return dynamic_cast<CNewIngridientScreen*>(Top().Get()); }
    // An element's place relative to the layout's "_place".
    static GF::TPoint<float> At(const GF::TAnimationPtr& element) {
        const GF::TTransform& place =
            GF::TSubstitutedContainerPtr(Top()->GetAnimation()->FindDrawable("_place").Get())->GetTransform();
        return {element->GetPosition().x - place.x, element->GetPosition().y - place.y};
    }
    static std::vector<bool> Shown(const CNewIngridientScreen& screen) {
        std::vector<bool> shown;
        for (const GF::TAnimationPtr& element : screen.GetElements()) shown.push_back(element->IsVisible());
        return shown;
    }
    // The last result as "screen:result".
    std::string Last() const {
        return results.empty() ? std::string() : results.back().first + ":" + LastResult();
    }
};

using TPoints = std::vector<std::pair<float, float>>;

}  // namespace

// Four new ingredients of the sample's "stage3_1", the map's "play" going through the announcement
// in a scene of its own: two rows (3, 1) on "ingredients_screen_2"; element k shows 700 + 300k ms
// after the set-up; the arrival sound waits for the shades to open; once all are shown a click ends
// the screen with "play" and the level follows. The level counts as announced, so the next "play"
// on it passes the screen unseen.
TEST_F(AnnouncementScreensTest, FourNewIngredientsAppearOneByOneAndTheSecondVisitPassesUnseen) {
    ASSERT_TRUE(Start());
    PlayFromMap("stage3_1");
    ASSERT_TRUE(ReachTop("new_ingridient_screen"));
    CNewIngridientScreen* screen = Ingredients();
    ASSERT_TRUE(screen);
    EXPECT_STREQ(screen->GetAnimation()->GetName(), "ingredients_screen_2");
    EXPECT_TRUE(Player().levels["stage3_1"].announced);
    ASSERT_EQ(screen->GetElements().size(), 4u);
    EXPECT_FALSE(screen->GetAnimation()->FindDrawable("caption_2")->IsVisible());

    // The frame that made the screen counts 100 ms; element k wakes at frame 7 + 3k.
    int soundFrame = 0;
    float shadesAtSound = 0.0f;
    for (int frame = 1; frame <= 16; ++frame) {
        const std::vector<bool> expected = {frame >= 7, frame >= 10, frame >= 13, frame >= 16};
        EXPECT_EQ(Shown(*screen), expected) << frame;
        if (Played(11) && soundFrame == 0) {
            soundFrame = frame;
            shadesAtSound = CWindowShadesEffect::GetInstance()->GetProgress();
        }
        Frame();
    }
    EXPECT_GE(shadesAtSound, 1.0f);
    EXPECT_TRUE(soundFrame == 13 || soundFrame == 14) << soundFrame;
    const TPoints places = {{-105.0f, -66.0f}, {0.0f, -66.0f}, {105.0f, -66.0f}, {0.0f, 66.0f}};
    for (std::size_t k = 0; k < places.size(); ++k) {
        EXPECT_FLOAT_EQ(At(screen->GetElements()[k]).x, places[k].first) << k;
        EXPECT_FLOAT_EQ(At(screen->GetElements()[k]).y, places[k].second) << k;
    }
    ASSERT_TRUE(ReachIdle("new_ingridient_screen"));
    Click("ok");
    EXPECT_EQ(Last(), "new_ingridient_screen:play");
    EXPECT_EQ(Next(), "GameScreen");

    // The manager draws a screen it has just made once before it can end it: one empty frame.
    results.clear();
    PlayFromMap("stage3_1");
    int framesSeen = 0;
    for (int frame = 0; frame < 80 && TopName() != "GameScreen"; ++frame) {
        if (Frame() != "new_ingridient_screen") continue;
        ++framesSeen;
        EXPECT_FALSE(Top()->GetAnimation());
    }
    EXPECT_LE(framesSeen, 1);
    EXPECT_EQ(TopName(), "GameScreen");
    EXPECT_EQ(Last(), "new_ingridient_screen:play");
}

// Thirteen new ingredients, the screen shown alone in a scene of its own with the opening curve in
// string variable 20: it still reaches idle. The rows hold 4, 4, 4 and 1; a name of three words
// breaks after its first word only. A click while elements still wait shows them all at their end
// and keeps the screen; the next click ends it with "play".
TEST_F(AnnouncementScreensTest, ThirteenIngredientsInRowsOfFourAreAllShownByAFirstClick) {
    ASSERT_TRUE(Start());
    std::vector<std::string>& keys = GetLevelsData().Levels["stage4_1"].NewIngridients;
    ASSERT_EQ(keys.size(), 9u);
    EXPECT_EQ(keys.back(), "Places.sugar");
    keys.insert(keys.end(), keys.begin(), keys.begin() + 4);
    Player().stringVars[29] = "stage4_1";
    Player().stringVars[20] = "shade_open";
    Show("new_ingridient_screen", "main_menu.ingredients_screen_1");
    CNewIngridientScreen* screen = Ingredients();
    ASSERT_TRUE(screen);
    EXPECT_STREQ(screen->GetAnimation()->GetName(), "ingredients_screen_3");
    const std::vector<GF::TAnimationPtr> elements = screen->GetElements();
    ASSERT_EQ(elements.size(), 13u);
    EXPECT_EQ(std::u16string(elements[8]->GetText("_text")), u"Brown \\ncane sugar");
    EXPECT_EQ(std::u16string(elements[0]->GetText("_text")), u"Soup");

    ASSERT_TRUE(ReachIdle("new_ingridient_screen"));
    EXPECT_FALSE(elements.back()->IsVisible());
    Click("ok");
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(TopName(), "new_ingridient_screen");
    const TPoints rows = {{-157.5f, -132.0f}, {52.5f, -44.0f}, {157.5f, 44.0f}, {0.0f, 132.0f}};
    for (std::size_t k = 0; k < elements.size(); ++k) {
        EXPECT_TRUE(elements[k]->IsVisible()) << k;
        EXPECT_TRUE(elements[k]->IsFinished()) << k;
    }
    for (const auto& [index, place] : {std::pair{0, rows[0]}, {6, rows[1]}, {11, rows[2]}, {12, rows[3]}}) {
        EXPECT_FLOAT_EQ(At(elements[index]).x, place.first) << index;
        EXPECT_FLOAT_EQ(At(elements[index]).y, place.second) << index;
    }
    Frame();
    Click("ok");
    EXPECT_EQ(Last(), "new_ingridient_screen:play");
    EXPECT_EQ(Next(), "GameScreen");
}

// A won level with three recipes learned: "continue" leads to the announcement, captioned "3
// recipes", the three pictures on the frame's places and the titles beside them; the news is used
// up in the profile and, with the next save, in "Setting". "cookbook" opens the book over it on the
// newest recipe the player knows, the frame out of its way.
TEST_F(AnnouncementScreensTest, ThreeNewRecipesAreShownOnceAndTheBookOpensOnTheNewest) {
    ASSERT_TRUE(Start());
    CPlayerProfile& player = Player();
    player.stringVars[11] = "stage1_1";
    player.floatVars[5] = 1.0f;
    player.floatVars[27] = 3.0f;
    player.names = {"soup", "steak", "tea"};
    for (const char* recipe : {"soup", "steak", "pizza", "tea", "salad", "omelette", "pancakes", "pasta",
                               "curry", "burger", "stew", "risotto"})
        player.flags2[recipe] = true;
    GF::GetGameManager()->SaveSettings();
    ASSERT_EQ(SavedStore().players[u"Ann"].names.size(), 3u);
    Show("StatisticsScreen", "main_menu.StatisticsScreen");
    ASSERT_TRUE(ReachIdle("StatisticsScreen"));
    Click("continue");
    ASSERT_EQ(Next(), "new_recept_screen");
    EXPECT_TRUE(Played(20));

    auto* screen = dynamic_cast<CNewReceptScreen*>(Top().Get());
    ASSERT_TRUE(screen);
    EXPECT_EQ(std::u16string(screen->GetAnimation()->GetText("_text")), u"3 recipes");
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(screen->GetScene().Get());
    ASSERT_TRUE(scene);
    GF::TAnimationPtr frame;  // the frame of three places
    for (const GF::TAnimationPtr& animation : scene->GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == "recept_place_3") frame = animation;
    ASSERT_TRUE(frame);
    const std::vector<std::pair<std::string, std::u16string>> shown = {
        {"soup", u"Tomato soup"}, {"steak", u"Grilled steak"}, {"tea", u"Hot tea"}};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const GF::TDrawablePtr place = frame->GetDrawable(static_cast<unsigned>(2 * i));
        const bool pictured = std::any_of(scene->GetAnimations().begin(), scene->GetAnimations().end(),
                                          [&](const GF::TAnimationPtr& animation) {
                                              return animation->GetName() == shown[i].first &&
                                                     animation->GetContainer().Get() ==
                                                         GF::TSubstitutedContainerPtr(place.Get()).Get();
                                          });
        EXPECT_TRUE(pictured) << shown[i].first;
        const GF::TTextSpritePtr title(frame->GetDrawable(static_cast<unsigned>(2 * i + 1)).Get());
        ASSERT_TRUE(title);
        EXPECT_EQ(title->GetText(), shown[i].second);
    }
    EXPECT_FLOAT_EQ(Variable(27), 0.0f);
    EXPECT_TRUE(player.names.empty());
    GF::GetGameManager()->SaveSettings();
    EXPECT_TRUE(SavedStore().players[u"Ann"].names.empty());
    EXPECT_FLOAT_EQ(SavedStore().players[u"Ann"].floatVars[27], 0.0f);

    ASSERT_TRUE(ReachIdle("new_recept_screen"));
    Click("cookbook");
    ASSERT_EQ(Next(), "CookingBookScreen");
    EXPECT_EQ(player.stringVars[28], "new_recept");
    EXPECT_FALSE(frame->IsVisible());  // it would stand above the book
    for (int frame = 0; frame < 30; ++frame) Frame();
    auto* book = dynamic_cast<CCookBook*>(Top().Get());
    ASSERT_TRUE(book);
    CCookBookPages pages;
    pages.SetPageSize(book->GetPages().GetPageWidth(), book->GetPages().GetPageHeight());
    const int newest = pages.Fill(GetLevelsData().CookBook, player.flags2, false).newestRecipePage;
    EXPECT_TRUE(newest == book->GetSpread() + 1 || newest == book->GetSpread() + 2)
        << newest << " " << book->GetSpread();
}

// A dress just unlocked in the last level's stage (the sample's stage 7 unlocks dresses 9, 10, 11):
// with float variable 15 at 2 the second dress shows, with sound 21. With 0, or past the list, no
// dress shows, the log says why, and "ok" still ends the screen with "ok".
TEST_F(AnnouncementScreensTest, TheNewDressIsTheStagesDressOfVariable15AndNoneOutsideItsList) {
    ASSERT_TRUE(Start());
    CPlayerProfile& player = Player();
    player.stringVars[11] = "stage7_1";
    player.floatVars[5] = 1.0f;
    player.floatVars[15] = 2.0f;
    player.floatVars[17] = 1.0f;
    Show("StatisticsScreen", "main_menu.StatisticsScreen");
    ASSERT_TRUE(ReachIdle("StatisticsScreen"));
    EXPECT_FALSE(Played(21));
    Click("continue");
    ASSERT_EQ(Next(), "new_dress_screen");
    EXPECT_TRUE(Played(21));
    const GF::TAnimationPtr dress = GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_item_dres");
    ASSERT_TRUE(dress);
    EXPECT_STREQ(dress->GetName(), "dres_10");

    for (const float count : {0.0f, 4.0f}) {
        SCOPED_TRACE(count);
        player.floatVars[15] = count;
        engine.log.clear();
        results.clear();
        Show("new_dress_screen", "main_menu.new_dress_screen");
        EXPECT_FALSE(GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_item_dres"));
        EXPECT_TRUE(engine.HasLog("not in its list"));
        ASSERT_TRUE(ReachIdle("new_dress_screen"));
        Click("ok");
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(Last(), "new_dress_screen:ok");
    }
}
