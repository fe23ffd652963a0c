#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/gui/BaseControl.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

using KitchenPlay::COutcomeField;

// One stop of the tour: the level's outcome that leads there (none: the screen follows a click), the
// screen, and the button clicked once it is idle.
struct tagStop {
    float outcome;
    std::string screen;
    std::string button;
};

// The share of the picture not in its commonest colour.
float Variety(const std::vector<uint32_t>& picture) {
    std::map<uint32_t, int> counts;
    for (const uint32_t pixel : picture) ++counts[pixel];
    int most = 0;
    for (const auto& [colour, count] : counts) most = std::max(most, count);
    return picture.empty() ? 0.0f : 1.0f - static_cast<float>(most) / static_cast<float>(picture.size());
}

}  // namespace

// The result screens through the sample flow on the real program: a won level's result, the recipes
// it taught, the stage's standings (the stage is over), the loser screen (the player is last), back to the
// main menu; a lost level's screen and its way to the map; a bonus mini-game's result. Each shows a picture
// that is not one flat colour (the open shades lie beyond the window's edges: the screen's own parts
// make the difference).
TEST(ResultScreensRun, TheFlowLeadsThroughEveryResultScreen) {
    const KitchenPlay::CMakerScope maker("test_result", &COutcomeField::Create);
    CLevelRun run;
    const std::vector<tagStop> stops = {{2.0f, "StatisticsScreen", "continue"},
                                        {-1.0f, "new_recept_screen", "ok"},  // the level taught recipes
                                        {-1.0f, "StageStatisticsScreen", "continue"},
                                        {-1.0f, "LoserScreen", "ok"},
                                        {-1.0f, "MainMenuScreen", ""},
                                        {0.0f, "LoseScreen", "menu"},
                                        {-1.0f, "ProgressMapScreen", ""},
                                        {101.0f, "BonusStatisticsScreen", "continue_2"},
                                        {-1.0f, "ProgressMapScreen", ""}};
    std::vector<std::string> reached;
    std::map<std::string, float> variety;
    std::size_t next = 0;
    int onTop = 0;
    bool played = false;  // the current stop's level
    int clickAt = -1;
    GF::TRect rect{};
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                CLevelRun::AddLevel("result_1", "test_result");
                CPlayerProfile& player = r.Player();
                player.floatVars[32] = 1.0f;  // the stage is over
                player.stageName = "stage1";
                player.levels["stage1_1"].scores = {{0, 90.0f}, {1, 80.0f}, {2, 70.0f}, {3, 60.0f},
                                                    {4, 50.0f}, {5, 40.0f}, {6, 1.0f},  {7, 30.0f}};
            }
            if (next == stops.size()) return false;
            const tagStop& stop = stops[next];
            if (stop.outcome >= 0.0f && !played) {
                COutcomeField::outcome = stop.outcome;
                r.Play("result_1");
                reached.push_back("GameScreen");
                played = true;
                return true;
            }
            const std::string top = r.TopName();
            onTop = top == stop.screen ? onTop + 1 : 0;
            if (onTop == 1) reached.push_back(top);
            if (onTop == 70) {  // the shades open and "_show" played
                int width = 0;
                int height = 0;
                variety[top] = Variety(r.Picture(&width, &height));
                if (stop.button.empty()) {
                    ++next;
                    onTop = 0;
                    played = false;
                    return true;
                }
                const GF::THolder<GF::HGENS::CBaseControl> button = r.Top()->FindControl(stop.button);
                if (!button) return false;
                rect = button->GetHitRect();
                r.MoveMouse((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
                clickAt = frame;
            }
            if (clickAt >= 0 && frame == clickAt + 1)
                r.Button(true, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            if (clickAt >= 0 && frame == clickAt + 2) {
                r.Button(false, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
                clickAt = -1;
                ++next;
                onTop = 0;
                played = false;
            }
            return true;
        },
        4000);
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << "last top screen: " << run.TopName();
    const std::vector<std::string> tour = {"GameScreen",
                                           "StatisticsScreen",
                                           "new_recept_screen",
                                           "StageStatisticsScreen",
                                           "LoserScreen",
                                           "MainMenuScreen",
                                           "GameScreen",
                                           "LoseScreen",
                                           "ProgressMapScreen",
                                           "GameScreen",
                                           "BonusStatisticsScreen",
                                           "ProgressMapScreen"};
    EXPECT_EQ(reached, tour);
    for (const char* screen :
         {"StatisticsScreen", "StageStatisticsScreen", "LoserScreen", "LoseScreen", "BonusStatisticsScreen"})
        EXPECT_GT(variety[screen], 0.015f) << screen;
    EXPECT_EQ(GetCurrentPlayer().floatVars[18], 6.0f);
}
