#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/screens/MapScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

constexpr float kFront = 1.5f * std::numbers::pi_v<float>;

// The progress map on the sample game: a saved player "Ann", the map shown as the flow shows it,
// frames of 100 ms. The sounds the map asks for by key are given names of their own, so that their
// loading shows which ones played.
class MapScreenTest : public CMenuScreensFixture {
protected:
    MapScreenTest() {
        for (const int key : {3, 10, 16, 19}) {
            data.sounds[key].name = "map_sound_" + std::to_string(key);
            engine.AddResource("Sound\\map_sound_" + std::to_string(key) + ".ogg",
                               std::vector<unsigned char>{1, 2});
        }
        CPlayerProfile player = data.players.players[u""];
        player.name = u"Ann";
        player.flags["comics_1"] = true;
        data.players.players[u"Ann"] = player;
        data.players.currentName = u"Ann";
    }

    CPlayerProfile& Ann() { return data.players.players[u"Ann"]; }
    // Stage `stage` current, stages up to `opened` open, levels won with their places.
    void Progress(const std::string& stage, float opened,
                  const std::vector<std::pair<std::string, int>>& won) {
        Ann().stageName = stage;
        Ann().floatVars[1] = opened;
        for (const auto& [level, place] : won) Ann().levels[level].place = place;
    }

    void ShowMap() {
        app->SwitchScreen({}, "ProgressMapScreen", "main_menu.ProgressMapScreen", false);
        Top()->OnTop();
    }
    // The map on other stage tables; the screens that may keep records of the tables go first.
    void ShowMapOn(const CLevelsData& tables) {
        GF::GetGameManager()->DestroyAllScreens();
        GetLevelsData() = tables;
        ShowMap();
    }
    CMapScreen& Map() { return dynamic_cast<CMapScreen&>(*Top()); }
    const CStageMapStrategy::StageItem& Stage(const std::string& name) {
        for (const CStageMapStrategy::StageItem& stage : Map().GetStageMap().GetStages())
            if (stage.name == name) return stage;
        ADD_FAILURE() << name;
        return Map().GetStageMap().GetStages().front();
    }
    // The map's animation of that name; empty when none is drawn.
    GF::TAnimationPtr Drawn(const char* name) {
        if (auto* scene = dynamic_cast<GF::HGENS::CScene*>(Top()->GetScene().Get()))
            for (const GF::TAnimationPtr& animation : scene->GetAnimations())
                if (animation->GetName() && std::string(animation->GetName()) == name) return animation;
        return {};
    }
    bool Played(int key) const {
        return engine.HasCall("Stream_Load Sound/map_sound_" + std::to_string(key) + ".ogg");
    }
    bool ButtonsEnabled() {
        for (const char* name : {"play", "velmo_room", "mein_menu"})
            if (!Control(name) || !Control(name)->IsEnabled()) return false;
        return true;
    }
    static void Mouse(const GF::TPoint<float>& at) { GF::GetMouse()->SetPosition(at.x, at.y); }
    static GF::TPoint<float> Centre(const GF::TRect& box) {
        return {static_cast<float>(box.left + box.right) / 2.0f,
                static_cast<float>(box.top + box.bottom) / 2.0f};
    }
    void LeftClick() {
        GF::GetKeyset()->SetDown(GF::CKeyset::kKeyMouseLeft, true);
        Frame();
    }
};

}  // namespace

// Stage 2 current with three ribbons won: its picture stands large in the middle, the others small on
// the ellipse from its top; the ribbon of the level just won is revealed with its sound and particle.
// Hovering that ribbon for 250 ms shows the replay hint with the level's number; a click chooses the
// level and the map ends with "play", which the flow takes to the game screen.
TEST_F(MapScreenTest, ARibbonHoveredAndClickedReplaysItsLevel) {
    Progress("stage2", 2.0f, {{"stage1_1", 1}, {"stage1_2", 2}, {"stage2_1", 3}});
    Ann().stringVars[31] = "stage2_1";
    ASSERT_TRUE(Start());
    ShowMap();
    EXPECT_TRUE(GetCurrentPlayer().stringVars[31].empty());
    ASSERT_TRUE(Open("ProgressMapScreen"));

    const CStageMapStrategy& stages = Map().GetStageMap();
    ASSERT_EQ(stages.GetStages().size(), 7u);
    const GF::TAnimationPtr current = Stage("stage2").animation;
    EXPECT_EQ(stages.GetCurrent()->name, "stage2");
    EXPECT_FLOAT_EQ(current->GetPosition().x, 400.0f);
    EXPECT_FLOAT_EQ(current->GetPosition().y, 280.0f);
    EXPECT_FLOAT_EQ(current->GetScale().x, 1.0f);
    const float step = 2.0f * std::numbers::pi_v<float> / 7.0f;
    for (const auto& [name, place] : {std::pair{"stage3", 1}, {"stage5", 3}, {"stage1", 6}}) {
        const float angle = static_cast<float>(place) * step + kFront;
        const GF::TAnimationPtr picture = Stage(name).animation;
        EXPECT_NEAR(picture->GetPosition().x, 400.0f + 300.0f * std::cos(angle), 0.01f) << name;
        EXPECT_NEAR(picture->GetPosition().y, 280.0f + 180.0f * std::sin(angle), 0.01f) << name;
        EXPECT_FLOAT_EQ(picture->GetScale().x, 0.5f) << name;
    }

    const GF::THolder<CLevelMapStrategy> levels = stages.GetLevelMap("stage2");
    EXPECT_EQ(levels->GetButtons().size(), 1u);
    EXPECT_EQ(stages.GetLevelMap("stage1")->GetButtons().size(), 2u);
    EXPECT_TRUE(Played(19));
    EXPECT_TRUE(levels->GetParticle());
    EXPECT_FALSE(Played(3));

    const CLevelMapStrategy::tagButton& ribbon = levels->GetButtons().at("stage2_1");
    Mouse(Centre(ribbon.rect));
    Frame();
    Frame();
    EXPECT_FALSE(Drawn("hint_level"));  // 200 ms: not yet
    Frame();
    Frame();
    ASSERT_TRUE(Drawn("hint_level"));
    EXPECT_TRUE(Played(3));
    const GF::WChar* text = Drawn("hint_level")->GetText("_text");
    ASSERT_TRUE(text);
    EXPECT_EQ(std::u16string(text), u"Play level 1 again");

    LeftClick();
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "stage2_1");
    EXPECT_FLOAT_EQ(Variable(33), 1.0f);
    ASSERT_TRUE(ReachTop("GameScreen"));
    // The level brings no new ingredients: their announcement passes the "play" on.
    ASSERT_GE(results.size(), 2u);
    EXPECT_EQ(results.end()[-2], std::make_pair(std::string("ProgressMapScreen"), std::string("play")));
    EXPECT_EQ(results.back(), std::make_pair(std::string("new_ingridient_screen"), std::string("play")));
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "stage2_1");
}

// Clicks on the current stage or a locked one do nothing. A click on an opened stage right of the
// centre saves it as current at once, disables the buttons, turns the carousel the short way (over
// the top) and, some 3.3 s later, has it zoomed in at the centre with the buttons enabled again.
TEST_F(MapScreenTest, AClickOnAnotherStageTurnsTheCarouselToIt) {
    Progress("stage2", 3.0f, {});
    ASSERT_TRUE(Start());
    ShowMap();
    ASSERT_TRUE(Open("ProgressMapScreen"));
    const CStageMapStrategy& stages = Map().GetStageMap();

    for (const char* ignored : {"stage2", "stage4"}) {
        Mouse(Centre(Stage(ignored).hitBox));
        Frame();
        Frame();
        Frame();
        LeftClick();
        EXPECT_TRUE(ButtonsEnabled()) << ignored;
        EXPECT_EQ(stages.GetCurrent()->name, "stage2") << ignored;
    }

    const GF::TAnimationPtr chosen = Stage("stage3").animation;
    ASSERT_GT(chosen->GetPosition().x, 400.0f);
    Mouse(Centre(Stage("stage3").hitBox));
    Frame();
    Frame();
    Frame();  // its "_enter" has played
    LeftClick();
    EXPECT_FALSE(ButtonsEnabled());
    EXPECT_EQ(SavedStore().players[u"Ann"].stageName, "stage3");
    Mouse({0.0f, 0.0f});

    // Zoom out (750 ms), turn (1000 ms), zoom in (750 ms), settle (500 ms) and "_zoom" (300 ms).
    int frames = 1;
    float lowest = chosen->GetPosition().y;  // y grows downwards
    for (; frames < 60 && !ButtonsEnabled(); ++frames) {
        Frame();
        if (frames <= 17) lowest = std::max(lowest, chosen->GetPosition().y);
    }
    EXPECT_GE(frames, 33);
    EXPECT_LE(frames, 44);
    EXPECT_LT(lowest, 200.0f);  // it turned over the top of the ellipse, not round its bottom
    EXPECT_EQ(stages.GetCurrent()->name, "stage3");
    EXPECT_FLOAT_EQ(chosen->GetPosition().x, 400.0f);
    EXPECT_FLOAT_EQ(chosen->GetPosition().y, 280.0f);
    EXPECT_FLOAT_EQ(chosen->GetScale().x, 1.0f);
    EXPECT_FLOAT_EQ(Stage("stage2").animation->GetScale().x, 0.5f);
}

// A stage opened since the last visit (variable 34) is revealed 1000 ms into the map's idle phase:
// its sound plays and it becomes current, saved, with variable 34 back at 0.
TEST_F(MapScreenTest, ANewlyOpenedStageIsRevealedASecondAfterTheLayout) {
    Progress("stage2", 3.0f, {});
    Ann().floatVars[34] = 1.0f;
    ASSERT_TRUE(Start());
    ShowMap();
    EXPECT_FALSE(ButtonsEnabled());
    int frames = 0;
    for (; frames < 60 && GetCurrentPlayer().stageName == "stage2"; ++frames) Frame();
    EXPECT_GE(frames, 10 + 13);  // the shades open in 1250 ms before the map goes idle
    EXPECT_LE(frames, 10 + 13 + 6);
    EXPECT_TRUE(Played(16));
    EXPECT_FLOAT_EQ(Variable(34), 0.0f);
    EXPECT_EQ(SavedStore().players[u"Ann"].stageName, "stage3");
    for (int frame = 0; frame < 45 && !ButtonsEnabled(); ++frame) Frame();
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(Map().GetStageMap().GetCurrent()->name, "stage3");
}

// Tables the map was not made for: one stage (whose reveal turns nothing and still ends), no stage
// at all, and a current stage the table lacks (the first stage stands in). The map stays usable.
TEST_F(MapScreenTest, OddStageTablesLeaveTheMapUsable) {
    Progress("stage1", 1.0f, {{"stage1_1", 1}, {"stage7_1", 2}});
    Ann().floatVars[34] = 1.0f;
    ASSERT_TRUE(Start());
    const CLevelsData sample = GetLevelsData();
    CLevelsData oneStage;
    oneStage.Levels = sample.Levels;
    oneStage.PutStage(sample.Stages().at("stage1"));
    ShowMapOn(oneStage);
    for (int frame = 0; frame < 80 && !ButtonsEnabled(); ++frame) Frame();
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(Map().GetStageMap().GetStages().size(), 1u);
    Press(GF::CKeyset::kKeyDigit0 + 7);
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "bonus_place_in_1");
    ASSERT_TRUE(ReachTop("GameScreen"));

    GetCurrentPlayer().stringVars[29].clear();
    ShowMapOn(CLevelsData());
    ASSERT_TRUE(Open("ProgressMapScreen"));
    EXPECT_TRUE(Map().GetStageMap().GetStages().empty());
    EXPECT_TRUE(ButtonsEnabled());
    Press(GF::CKeyset::kKeyDigit0 + 7);
    EXPECT_EQ(results.back().second, "play_bonus");
    ASSERT_TRUE(Open("bonus_message_screen"));
    Click("yes");
    ASSERT_TRUE(Open("ProgressMapScreen"));

    GetCurrentPlayer().stageName = "nowhere";
    GetCurrentPlayer().floatVars[1] = 2.0f;
    ShowMapOn(sample);
    ASSERT_TRUE(Open("ProgressMapScreen"));
    EXPECT_EQ(Map().GetStageMap().GetCurrent()->name, "stage1");
    EXPECT_EQ(Map().GetStageMap().GetStages().size(), 7u);
    Click("play");
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "nowhere_0");
    ASSERT_TRUE(ReachTop("GameScreen"));
}
