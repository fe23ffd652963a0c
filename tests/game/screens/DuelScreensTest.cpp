#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/screens/DuelLoseScreen.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

// The duel's result screens on the sample game, opened as the flow rules open them after a round
// of the sample duel "stage2_2", with the player's records set as the round left them.
class DuelScreensTest : public CMenuScreensFixture {
protected:
    void StartAsPlayer() {
        CPlayerProfile player = data.players.players[u""];
        player.name = u"Ann";
        data.players.players[u"Ann"] = player;
        data.players.currentName = u"Ann";
        ASSERT_TRUE(Start());
    }
    // The round of `level` just ended; the screen opens as the rule names it, and settles.
    void Open(const std::string& screen, const std::string& level) {
        GetCurrentPlayer().stringVars[11] = level;
        app->SwitchScreen({}, screen, "main_menu." + screen, false);
        Top()->OnTop();
        ASSERT_TRUE(ReachIdle(screen));
        for (int frame = 0; frame < 8; ++frame) Frame();
    }

    static std::string Flag() {
        const GF::TSubstitutedContainerPtr place(Top()->GetAnimation()->FindDrawable("_place_country").Get());
        const GF::TAnimationPtr flag = place ? place->GetSubstituted(0) : GF::TAnimationPtr();
        return flag ? flag->GetName() : "";
    }
    static GF::TAnimationPtr SceneAnimation(const std::string& name) {
        auto* scene = dynamic_cast<GF::HGENS::CScene*>(Top()->GetScene().Get());
        if (!scene) return {};
        for (const GF::TAnimationPtr& animation : scene->GetAnimations())
            if (animation && name == animation->GetName()) return animation;
        return {};
    }
    // The dish's picture (by name) and its title, as the dish frame shows them.
    static std::pair<std::string, std::u16string> Dish() {
        const GF::TAnimationPtr frame = SceneAnimation("recept_place_duel");
        if (!frame) return {};
        std::string picture;
        auto* scene = dynamic_cast<GF::HGENS::CScene*>(Top()->GetScene().Get());
        for (const GF::TAnimationPtr& animation : scene->GetAnimations())
            if (animation && animation->GetContainer() &&
                animation->GetContainer().Get() ==
                    GF::TSubstitutedContainerPtr(frame->GetDrawable(0).Get()).Get())
                picture = animation->GetName();
        const GF::WChar* title = frame->GetText("_title");
        return {picture, title ? title : u""};
    }
    static std::u16string Text(const std::string& part) {
        const GF::WChar* text = Top()->GetAnimation()->GetText(part);
        return text ? text : u"";
    }
    std::vector<std::string> Enabled() {
        std::vector<std::string> enabled;
        for (const char* name : {"replay", "map", "replay_2", "continue"})
            if (Control(name) && Control(name)->IsEnabled()) enabled.push_back(name);
        return enabled;
    }
};

}  // namespace

// A lost round before the duel was ever won: the rival's flag (portrait 1, the stage's flag), the
// round's dish and title, the round's number, the time as m:ss, and only "replay" and "map".
// Once the round has been won, "replay_2" and "continue" instead, and a replay names the level
// to play. Portraits past 7 share the seventh flag; a player's first order makes the second count.
TEST_F(DuelScreensTest, TheLoseScreenShowsTheRoundAndOffersItsReplays) {
    StartAsPlayer();
    GetCurrentPlayer().levels["stage2_2"].value = 61500.0f;
    Open("DuelLoseScreen", "stage2_2");
    EXPECT_EQ(Flag(), "country_2");
    EXPECT_EQ(Dish(), std::make_pair(std::string("soup"), std::u16string(u"Tomato soup")));
    EXPECT_EQ(Text("_round"), u"Round 2");
    EXPECT_EQ(Text("_time"), u"1:01");
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"replay", "map"}));
    GetCurrentPlayer().stringVars[29] = "stage1_1";
    Click("replay");
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results.back(), std::make_pair(std::string("DuelLoseScreen"), std::string("replay")));
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "stage1_1");

    CLevelInfo& duel = *GetLevelsData().FindLevel("stage2_2");
    duel.Orders[1].Portrait = 9;
    std::swap(duel.Orders[0], duel.Orders[1]);
    GetCurrentPlayer().levels["stage2_2"].place = 1;
    GetCurrentPlayer().levels["stage2_2"].value = 3600000.0f;
    Open("DuelLoseScreen", "stage2_2");
    EXPECT_EQ(Flag(), "country_7");
    EXPECT_EQ(Text("_time"), u"60:00");
    EXPECT_EQ(Enabled(), (std::vector<std::string>{"replay_2", "continue"}));
    Click("replay_2");
    EXPECT_EQ(results.back(), std::make_pair(std::string("DuelLoseScreen"), std::string("replay")));
    EXPECT_EQ(GetCurrentPlayer().stringVars[29], "stage2_2");
}

// A won round: the stage's flag, the points as a plain number, "continue" for "next".
TEST_F(DuelScreensTest, TheStatisticsScreenShowsThePointsAndGoesOn) {
    StartAsPlayer();
    GetCurrentPlayer().floatVars[4] = 1250.0f;
    Open("DuelStatisticsScreen", "stage2_2");
    EXPECT_EQ(Flag(), "country_2");
    EXPECT_EQ(Dish().second, u"Tomato soup");
    EXPECT_EQ(Text("_round"), u"Round 2");
    EXPECT_EQ(Text("_time"), u"1250");
    Click("continue");
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(results.back(), std::make_pair(std::string("DuelStatisticsScreen"), std::string("next")));
}

// Records the settings file may hold and levels the tables may lack: a time that is no number or
// far too large, a level with only the player's order and an unknown recipe. The screen opens
// without flag, picture or title and says nothing false.
TEST_F(DuelScreensTest, TheLoseScreenDoesWithoutWhatTheRecordsLack) {
    EXPECT_EQ(CDuelLoseScreen::FormatTime(std::numeric_limits<float>::quiet_NaN()), u"0:00");
    EXPECT_EQ(CDuelLoseScreen::FormatTime(1e30f), u"6000:00");
    EXPECT_EQ(CDuelLoseScreen::FormatTime(-5.0f), u"0:00");
    StartAsPlayer();
    CLevelInfo& duel = *GetLevelsData().FindLevel("stage2_2");
    duel.Orders.resize(1);
    duel.Orders[0].Recept = "nothing";
    Open("DuelLoseScreen", "stage2_2");
    EXPECT_EQ(Flag(), "");
    EXPECT_EQ(Dish(), std::make_pair(std::string(), std::u16string()));
    EXPECT_EQ(Text("_round"), u"Round 2");
}
