#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/gui/LayoutItem.h"
#include "framework/resources/AnimationData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/screens/StageStatisticsScreen.h"
#include "game/screens/StatisticsScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

// The result screens of the sample game, each shown on its layout as the flow shows it, with the
// player's figures and level records set by the test as a finished level would leave them.
class ResultScreensTest : public CMenuScreensFixture {
protected:
    ResultScreensTest() {
        engine.AddResource("Sound\\level_place.ogg", std::vector<unsigned char>{1, 2, 3, 4});
    }

    // The application started on the title, with a third level of the first stage to play.
    void StartGame() {
        ASSERT_TRUE(Start());
        CLevelInfo level = *GetLevelsData().FindLevel("stage1_1");
        level.Name = "stage1_3";
        level.Number = 3;
        GetLevelsData().Levels[level.Name] = level;
    }
    // The screen alone, on the layout, initialised (its shades not yet open).
    GF::THolder<GF::IScreen> Show(const std::string& screen, const std::string& layout) {
        GF::GetGameManager()->DestroyAllScreens();
        app->SwitchScreen({}, screen, layout, false);
        Top()->OnTop();
        return Top();
    }
    static std::u16string Text(const std::string& part) {
        const GF::WChar* text = Top()->GetAnimation()->GetText(part);
        return text ? std::u16string(text) : std::u16string(u"(none)");
    }
    static std::string Hosted(const GF::TAnimationPtr& host, const std::string& part) {
        const GF::TAnimationPtr hosted = GF::HGENS::HostedAnimation(host, part);
        return hosted ? hosted->GetName() : "(none)";
    }
    std::vector<std::string> Enabled(const std::vector<std::string>& names) {
        std::vector<std::string> enabled;
        for (const std::string& name : names)
            if (Control(name) && Control(name)->IsEnabled()) enabled.push_back(name);
        return enabled;
    }
    static CPlayerProfile& Player() { return GetCurrentPlayer(); }
};

// The part's end time in the description the animation plays.
float PartEnd(const GF::TAnimationPtr& animation, const char* part) {
    const auto named = animation->GetAnimationData()->GetNamedPart(part);
    return named ? named->GetEnd() : -1.0f;
}

GF::TSubstitutedContainerPtr Place(const GF::TAnimationPtr& host, const std::string& part) {
    return GF::TSubstitutedContainerPtr(host->FindDrawable(part).Get());
}

int HostedCount(const GF::TAnimationPtr& host, const std::string& part) {
    const GF::TSubstitutedContainerPtr place = Place(host, part);
    int count = 0;
    while (place && place->GetSubstituted(count)) ++count;
    return count;
}

}  // namespace

// A won level's figures: points and dishes truncated, the place of 102, its ribbon and text, the
// level's number in the sentence and the stage's country; the best place improves (a stored 1 stays,
// a place of 0 keeps what is stored); "replay" names the level to play next, "continue" ends with
// "next" and leaves it. Once idle the sparks burst at "_part_place", and each Idle makes new ones.
TEST_F(ResultScreensTest, LevelResultShowsTheFiguresAndImprovesTheBestPlace) {
    StartGame();
    CPlayerProfile& player = Player();
    player.floatVars[4] = 1234.9f;
    player.floatVars[6] = 7.0f;
    player.stringVars[11] = "stage1_3";
    struct tagCase {
        float variable;
        int stored;
        int best;
    };
    for (const tagCase& c : {tagCase{102.0f, 3, 2}, tagCase{102.0f, 1, 1}, tagCase{100.0f, 3, 3}}) {
        SCOPED_TRACE(c.variable + c.stored);
        player.floatVars[5] = c.variable;
        player.levels["stage1_3"].place = c.stored;
        Show("StatisticsScreen", "main_menu.StatisticsScreen");
        EXPECT_EQ(Player().levels["stage1_3"].place, c.best);
    }

    player.floatVars[5] = 102.0f;
    player.stringVars[29] = "";
    const GF::THolder<GF::IScreen> screen = Show("StatisticsScreen", "main_menu.StatisticsScreen");
    const GF::TAnimationPtr layout = screen->GetAnimation();
    EXPECT_EQ(Text("_points"), u"1234");
    EXPECT_EQ(Text("_place"), u"2");
    EXPECT_EQ(Text("_dish"), u"7");
    EXPECT_EQ(Text("_round"), u"Level 3 is over");
    EXPECT_EQ(Text("_place_index"), u"Second place");
    EXPECT_EQ(Hosted(layout, "_ribbon_place"), "ribbon_2");
    EXPECT_EQ(Hosted(layout, "place_country"), "country_1");
    EXPECT_GE(layout->GetLayer(), 100);  // the screen layer

    auto* result = dynamic_cast<CStatisticsScreen*>(screen.Get());
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->GetParticle());
    ASSERT_TRUE(ReachIdle("StatisticsScreen"));
    const GF::THolder<GF::HGENS::CFGParticle> first = result->GetParticle();
    ASSERT_TRUE(first);
    EXPECT_TRUE(GF::HGENS::ParticleRegistry::IsEnabled());
    EXPECT_EQ(first->GetScene().Get(), screen->GetScene().Get());
    const GF::TTransform& at = Place(layout, "_part_place")->GetTransform();
    EXPECT_EQ(first->emitterX, at.x);
    EXPECT_EQ(first->emitterY, at.y);
    result->Idle();
    EXPECT_NE(result->GetParticle().Get(), first.Get());

    Click("continue");
    Frame();
    EXPECT_EQ(LastResult(), "next");
    EXPECT_EQ(Player().stringVars[29], "");
    EXPECT_FALSE(result->GetParticle()->IsVisible());  // hidden with the screen

    Show("StatisticsScreen", "main_menu.StatisticsScreen");
    ASSERT_TRUE(ReachIdle("StatisticsScreen"));
    Click("replay");
    EXPECT_EQ(LastResult(), "replay");
    EXPECT_EQ(Player().stringVars[29], "stage1_3");
}

// The standings of a stage from the player's level records: sums over the stage's levels only, the
// player ahead of a rival with the same sum, the podium's points truncated, the leaver in float
// variable 18 (position 8 - s; -1 for a stage the table lacks), ribbons, flag, portraits and cups
// by the map index p, the podium's points and the layout "_2" by the stage, and the player's cup
// hidden until idle, then shown with its sparks and sound.
TEST_F(ResultScreensTest, StageResultRanksTheStageAndLightsThePlayersCup) {
    StartGame();
    CPlayerProfile& player = Player();
    player.levels["stage1_1"].scores = {{6, 150.0f}, {2, 150.0f}, {5, 100.4f},
                                        {0, 40.0f},  {1, 30.0f},  {3, 20.9f}};
    player.levels["stage1_2"].scores = {{6, 150.0f}, {2, 150.0f}, {5, 150.3f}, {7, 10.0f}};
    player.levels["stage2_1"].scores = {{4, 1000.0f}};
    player.levels["stage6_1"].scores = {{5, 500.0f}, {6, 200.0f}, {2, 100.0f}};

    // p = 0: five ribbons, from the fourth place on.
    player.stageName = "stage1";
    player.floatVars[1] = 1.0f;
    GF::THolder<GF::IScreen> screen = Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    auto* stage = dynamic_cast<CStageStatisticsScreen*>(screen.Get());
    ASSERT_TRUE(stage);
    EXPECT_EQ(player.floatVars[CStageStatisticsScreen::kLeaverVariable], 4.0f);
    EXPECT_EQ(Text("_points_1"), u"300");
    EXPECT_EQ(Text("_points_2"), u"300");
    EXPECT_EQ(Text("_points_3"), u"250");
    const GF::TAnimationPtr layout = screen->GetAnimation();
    EXPECT_EQ(Hosted(layout, "_place_1"), "pers_big_6");
    EXPECT_EQ(Hosted(layout, "place_country"), "country_0");
    ASSERT_EQ(HostedCount(layout, "_place_4"), 5);
    // Everyone in ranked order: the podium, then the ribbons.
    std::vector<std::string> ranked;
    for (const char* place : {"_place_1", "_place_2", "_place_3"}) ranked.push_back(Hosted(layout, place));
    for (int k = 0; k < 5; ++k)
        ranked.push_back(Hosted(Place(layout, "_place_4")->GetSubstituted(k), "_pers_place"));
    EXPECT_EQ(ranked, (std::vector<std::string>{"pers_big_6", "pers_big_2", "pers_big_5", "pers_0", "pers_1",
                                                "pers_3", "pers_7", "pers_4"}));
    const GF::TAnimationPtr fourth = Place(layout, "_place_4")->GetSubstituted(0);
    EXPECT_EQ(std::u16string(fourth->GetText("_place")), u"4");
    EXPECT_EQ(std::u16string(fourth->GetText("_points")), u"40");
    EXPECT_EQ(Hosted(fourth, "_pers_place"), "pers_0");
    EXPECT_EQ(Hosted(fourth, "_name_place"), "pers_name_0");
    const float step =
        Place(layout, "_place_4")->GetSubstituted(1)->GetPosition().x - fourth->GetPosition().x;
    EXPECT_GT(step, 80.0f);  // wider than a ribbon: the spacing lies between them

    // The player's cup: the first, hidden, lit; shown with sparks and a sound once idle.
    const GF::TAnimationPtr cup = GF::HGENS::HostedAnimation(layout, "cup_1");
    EXPECT_NEAR(cup->GetEndTime(), PartEnd(cup, "_hide"), 1.0f);
    EXPECT_EQ(Hosted(cup, "_cup_place"), "cup_1_0");
    EXPECT_EQ(Hosted(cup, "_light_place"), "cup_light_1");
    EXPECT_EQ(Hosted(GF::HGENS::HostedAnimation(layout, "cup_2"), "_light_place"), "(none)");
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/level_place.ogg"), 0);
    // The frame it goes idle: the cup shows, the sparks start and the sound plays.
    const int sparksBefore = GF::HGENS::ParticleRegistry::Count();
    for (int frame = 0; frame < 60 && engine.CountCalls("Stream_Load Sound/level_place.ogg") == 0; ++frame) {
        EXPECT_NEAR(cup->GetEndTime(), PartEnd(cup, "_hide"), 1.0f);
        Frame();
    }
    EXPECT_EQ(engine.CountCalls("Stream_Load Sound/level_place.ogg"), 1);
    EXPECT_NEAR(cup->GetEndTime(), PartEnd(cup, "_show"), 1.0f);
    EXPECT_EQ(GF::HGENS::ParticleRegistry::Count(), sparksBefore + 1);
    const float firstRowX = fourth->GetPosition().x;

    // p = 1: the same five ribbons, the row half a step further right; p = 5: one.
    player.floatVars[1] = 2.0f;
    screen = Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    ASSERT_EQ(HostedCount(screen->GetAnimation(), "_place_4"), 5);
    EXPECT_EQ(Place(screen->GetAnimation(), "_place_4")->GetSubstituted(0)->GetPosition().x,
              firstRowX + static_cast<float>(static_cast<int>(step) / 2));
    player.floatVars[1] = 6.0f;
    screen = Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    EXPECT_EQ(HostedCount(screen->GetAnimation(), "_place_4"), 1);

    // The sixth stage: a podium of two on "_2"; the player second, so the second cup is the lit one.
    player.stageName = "stage6";
    player.floatVars[1] = 7.0f;
    screen = Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    EXPECT_EQ(std::string(screen->GetAnimation()->GetAnimationData()->GetName()), "StageStatisticsScreen_2");
    EXPECT_EQ(player.floatVars[CStageStatisticsScreen::kLeaverVariable], 2.0f);
    EXPECT_EQ(Text("_points_1"), u"500");
    EXPECT_EQ(HostedCount(screen->GetAnimation(), "_place_4"), 0);
    EXPECT_EQ(Hosted(GF::HGENS::HostedAnimation(screen->GetAnimation(), "cup_1"), "_light_place"), "(none)");
    EXPECT_NE(Hosted(GF::HGENS::HostedAnimation(screen->GetAnimation(), "cup_2"), "_light_place"), "(none)");

    // The last stage, p staying at 6: three points written, two places on the podium.
    player.levels["stage7_1"].scores = {{0, 90.0f}, {1, 80.0f}, {6, 120.0f}, {2, 70.0f}};
    player.stageName = "stage7";
    screen = Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    EXPECT_EQ(Text("_points_3"), u"80");
    EXPECT_EQ(Hosted(screen->GetAnimation(), "_place_2"), "pers_big_0");
    EXPECT_EQ(Hosted(screen->GetAnimation(), "_place_3"), "(none)");
    EXPECT_EQ(Hosted(GF::HGENS::HostedAnimation(screen->GetAnimation(), "cup_2"), "_cup_place"), "cup_2_6");
    EXPECT_EQ(Hosted(GF::HGENS::HostedAnimation(screen->GetAnimation(), "cup_3"), "_cup_place"), "(none)");
    EXPECT_EQ(Hosted(screen->GetAnimation(), "place_country"), "country_6");

    // A stage the table lacks: nobody leaves.
    player.stageName = "nowhere";
    Show("StageStatisticsScreen", "main_menu.StageStatisticsScreen");
    EXPECT_EQ(player.floatVars[CStageStatisticsScreen::kLeaverVariable], -1.0f);
    EXPECT_TRUE(engine.HasLog("stage 0 is not a tournament stage"));
    ASSERT_TRUE(ReachIdle("StageStatisticsScreen"));
    Click("continue");
    EXPECT_EQ(LastResult(), "next");
}

// The lose screen's buttons by the level's stored best place, and whether its replay names the level
// to play next, in the four cases; the loser screen shows the face and name of participant 5.
TEST_F(ResultScreensTest, LoseScreensOfferTheirButtonsByTheStoredPlace) {
    StartGame();
    CPlayerProfile& player = Player();
    player.floatVars[5] = 0.0f;
    struct tagCase {
        std::string level;
        int best;
        std::vector<std::string> enabled;
        bool names;
    };
    const std::vector<std::string> neverPassed = {"replay", "menu"}, passed = {"replay_2", "continue"};
    const std::vector<tagCase> cases = {{"stage1_1", 0, neverPassed, false},
                                        {"stage3_1", 2, passed, true},
                                        {"stage6_1", 3, passed, false},
                                        {"stage7_1", 1, passed, false}};
    for (const tagCase& c : cases) {
        SCOPED_TRACE(c.level);
        player.stringVars[11] = c.level;
        player.stringVars[29] = "";
        player.levels[c.level].place = c.best;
        Show("LoseScreen", "main_menu.LoseScreen");
        EXPECT_EQ(Hosted(Top()->GetAnimation(), "_ribbon_place"), "ribbon_4");
        ASSERT_TRUE(ReachIdle("LoseScreen"));
        EXPECT_EQ(Enabled({"replay", "menu", "replay_2", "continue"}), c.enabled);
        Click(c.enabled.front());
        EXPECT_EQ(LastResult(), "replay");
        EXPECT_EQ(player.stringVars[29], c.names ? c.level : "");
        EXPECT_EQ(player.levels[c.level].place, c.best);
    }

    player.floatVars[18] = 5.0f;
    Show("LoserScreen", "main_menu.loser_screen");
    EXPECT_EQ(Hosted(Top()->GetAnimation(), "_pers_place"), "pers_bad_5");
    EXPECT_EQ(Hosted(Top()->GetAnimation(), "_name_place"), "pers_name_5");
    ASSERT_TRUE(ReachIdle("LoserScreen"));
    Click("ok");
    EXPECT_EQ(LastResult(), "ok");
}

// The bonus result: the points in the sentence, the buttons by the outcome, and the shower of the
// level's objects: in frames of 50 ms one when idle and one every 250 ms up to 5000 ms, 21 in all;
// a level without objects throws nothing and its buttons still work.
TEST_F(ResultScreensTest, BonusResultThrowsTheLevelsObjects) {
    StartGame();
    CPlayerProfile& player = Player();
    player.floatVars[13] = 250.7f;
    player.floatVars[5] = 100.0f;
    player.stringVars[11] = "stage1_1";
    Show("BonusStatisticsScreen", "main_menu.BonusStatisticsScreen");
    EXPECT_EQ(Text("_texts"), u"You scored 250 points!");
    EXPECT_EQ(Enabled({"replay", "continue", "continue_2"}),
              (std::vector<std::string>{"replay", "continue"}));

    player.floatVars[5] = 101.0f;
    const GF::THolder<GF::IScreen> screen = Show("BonusStatisticsScreen", "main_menu.BonusStatisticsScreen");
    EXPECT_EQ(Enabled({"replay", "continue", "continue_2"}), std::vector<std::string>{"continue_2"});
    std::vector<int> launches;  // the 50 ms frames in which an object was thrown
    int thrown = 0;
    for (int frame = 0; frame < 400; ++frame) {
        GF::GetGameManager()->Update(50.0f);
        const int now = HostedCount(screen->GetAnimation(), "_fly_place");
        if (now > thrown) launches.push_back(frame);
        EXPECT_LE(now - thrown, 1);
        thrown = now;
    }
    ASSERT_EQ(launches.size(), 21u);
    for (std::size_t i = 1; i < launches.size(); ++i) EXPECT_EQ(launches[i] - launches[i - 1], 5) << i;
    // Every object has landed (two seconds each) and is hidden.
    const GF::TSubstitutedContainerPtr place = Place(screen->GetAnimation(), "_fly_place");
    for (int i = 0; i < thrown; ++i) EXPECT_FALSE(place->GetSubstituted(i)->IsVisible()) << i;

    CLevelInfo empty;
    empty.Name = "bonus_empty";
    GetLevelsData().Levels[empty.Name] = empty;
    player.stringVars[11] = "bonus_empty";
    Show("BonusStatisticsScreen", "main_menu.BonusStatisticsScreen");
    ASSERT_TRUE(ReachIdle("BonusStatisticsScreen"));
    for (int frame = 0; frame < 20; ++frame) Frame();
    EXPECT_EQ(HostedCount(Top()->GetAnimation(), "_fly_place"), 0);
    EXPECT_EQ(std::count_if(
                  engine.log.begin(), engine.log.end(),
                  [](const std::string& line) { return line.find("objects to throw") != std::string::npos; }),
              1);
    Click("continue_2");
    EXPECT_EQ(LastResult(), "next");
}
