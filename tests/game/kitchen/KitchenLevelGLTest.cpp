#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/PlayerStore.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/KitchenCook.h"
#include "tests/support/LevelRun.h"

namespace {

using GF::TPoint;

bool HasAnimation(const char* name) {
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    if (!scene) return false;
    for (const GF::TAnimationPtr& animation : scene->GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == name) return true;
    return false;
}

// The settings file as saved, read back: the framework's four words, then the game's part.
CPlayerStore SavedStore(const CLevelRun& run, int32_t version) {
    std::ifstream in(std::string(run.SaveFolder()) + "/Setting", std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    CPlayerStore store;
    store.version = version;
    std::string why;
    if (bytes.size() < 16) return store;
    GF::CMemoryInputStream part(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
    EXPECT_EQ(LoadSettingsPart(part, store, why), ESettingsPart::Loaded) << why;
    return store;
}

// What a player saw of one level played through the program.
struct tagLevelSeen {
    int32_t version = 0;
    bool introClickMoved = false;
    std::vector<int> arrivals;  // frames at which the customers came
    int flights = 0;
    std::vector<float> workMs;
    int served = 0;
    float servedVariable = 0.0f;
    float scoreVariable = 0.0f;
    float fieldScore = 0.0f;
    uint32_t floorPixel = 0, heroinePixel = 0, signPixel = 0;
    bool closedBeforeEnd = false;
    bool allLeft = false;
    std::vector<std::string> pictures;  // result pictures seen
    std::string afterExit;
    float qualified = 0.0f;
    float place = 0.0f;
};

// Plays "stage1_1" at 16 ms frames from seed 7; with `cook`, a cook who takes each order's items
// in turn and serves it at the plate, else nobody touches anything.
tagLevelSeen PlaySampleLevel(CLevelRun& run, bool cooks) {
    run.frameMs = 16.0f;
    run.seed = 7;
    tagLevelSeen seen;
    CKitchenCook cook;
    CClicker& mouse = cook.mouse;
    int introClickAt = -1;
    TPoint<int> cellBeforeIntroClick{-1, -1};
    int customersSeen = 0;
    int workStart = -1;
    bool shot = false;
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                r.Play("stage1_1");
                return true;
            }
            seen.version = GetGameData().players.version;
            if (mouse.Busy(r)) return true;
            CGameField* field = Kitchen(r);
            if (!field) {
                if (!r.Results().empty() && r.Results().back() == "GameScreen:exit" && !r.TopName().empty())
                    seen.afterExit = r.TopName();
                return seen.afterExit.empty();
            }
            CReceptPanel& panel = *field->GetReceptPanel();
            const GF::THolder<CPers> pers = field->GetPers();
            for (const char* picture : {"level_complete_1", "level_complete_4"})
                if (HasAnimation(picture) && (seen.pictures.empty() || seen.pictures.back() != picture))
                    seen.pictures.push_back(picture);
            seen.servedVariable = r.Player().floatVars[6];
            seen.scoreVariable = r.Player().floatVars[4];
            seen.fieldScore = field->GetScore();
            seen.qualified = r.Player().floatVars[19];
            seen.place = r.Player().floatVars[5];
            if (field->IsClosed() && !field->IsFinished()) seen.closedBeforeEnd = true;
            if (field->IsClosed()) seen.allLeft = panel.GetCustomers().empty();
            if (!field->IsPlaying() && !field->IsClosed() && field->GetCustomersServed() == 0) {
                // The intro: a click on the floor is not taken.
                if (introClickAt < 0 && frame == 30) {
                    introClickAt = frame;
                    cellBeforeIntroClick = pers->GetCell();
                    mouse.Click(r, {300, 520});
                }
                if (introClickAt > 0 && pers->GetCell() != cellBeforeIntroClick) seen.introClickMoved = true;
                return true;
            }
            const int present = static_cast<int>(panel.GetCustomers().size()) + field->GetCustomersServed();
            if (present > customersSeen) {
                customersSeen = present;
                seen.arrivals.push_back(frame);
            }
            seen.flights = std::max(seen.flights, static_cast<int>(field->GetFlyObjectCount()));
            const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
            if (!shot && customer && customer->GetSign() && field->IsPlaying() && frame > 400) {
                shot = true;
                int width = 0, height = 0;
                const std::vector<uint32_t> picture = r.Picture(&width, &height);
                const float scale = static_cast<float>(width) / 800.0f;
                const auto at = [&](TPoint<float> p) {
                    return CLevelRun::At(picture, width, static_cast<int>(p.x * scale),
                                         static_cast<int>(p.y * scale));
                };
                seen.floorPixel = at({300.0f, 560.0f});
                seen.heroinePixel = at(pers->GetAnimation()->GetPosition());
                seen.signPixel = at(customer->GetSign()->GetPosition());
            }
            if (!cooks) return true;
            // A device's work: from its "_work" to its being free again.
            if (const GF::THolder<CCookObject> working = cook.working) {
                const float t = working->GetAnimation()->GetTime();
                if (workStart < 0 && t >= 1000.0f && t < 2000.0f) workStart = frame;
                if (workStart >= 0 && working->IsFree()) {
                    seen.workMs.push_back(static_cast<float>(frame - workStart) * r.frameMs);
                    workStart = -1;
                }
            }
            cook.Step(r, *field);
            seen.served = cook.served;
            return true;
        },
        9000);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << run.TopName();
    return seen;
}

int Brightness(uint32_t argb) {
    return static_cast<int>((argb >> 16 & 0xFF) + (argb >> 8 & 0xFF) + (argb & 0xFF));
}

}  // namespace

// The sample level played to the end by a cook who takes each order's items and serves it at the
// plate: a click during the intro moves nothing; mid-level the heroine and the current order's sign
// stand out from the floor; places' items fly, devices work
// for the item's time; every order served counts; after closing the gold picture plays, the screen
// ends with "exit" and the flow goes on; the settings file holds the first place with the points of
// the player and of each rival, and the level's time.
TEST(KitchenLevel, ServingEveryOrderWinsTheLevelThroughTheFlow) {
    CLevelRun run;
    const tagLevelSeen seen = PlaySampleLevel(run, true);
    EXPECT_FALSE(seen.introClickMoved);
    EXPECT_NE(Brightness(seen.heroinePixel), Brightness(seen.floorPixel));
    EXPECT_NE(Brightness(seen.signPixel), Brightness(seen.floorPixel));

    EXPECT_GT(seen.flights, 0);
    ASSERT_GE(seen.workMs.size(), 3u);
    for (const float ms : seen.workMs) {
        bool known = false;
        for (const float value : {2000.0f, 3000.0f, 3500.0f, 4000.0f})
            known = known || std::abs(ms - value) <= 16.0f;
        EXPECT_TRUE(known) << ms;
    }
    EXPECT_GE(seen.served, 4);
    EXPECT_GE(seen.servedVariable, static_cast<float>(seen.served));
    EXPECT_GT(seen.fieldScore, 60.0f);  // beyond the best rival
    EXPECT_EQ(seen.scoreVariable, seen.fieldScore);
    EXPECT_TRUE(seen.closedBeforeEnd);
    EXPECT_EQ(seen.pictures, std::vector<std::string>{"level_complete_1"});
    EXPECT_EQ(seen.afterExit, "StatisticsScreen");
    EXPECT_EQ(seen.place, 1.0f);
    EXPECT_EQ(seen.qualified, 1.0f);

    const CPlayerStore saved = SavedStore(run, seen.version);
    const auto player = saved.players.find(saved.currentName);
    ASSERT_NE(player, saved.players.end());
    const auto level = player->second.levels.find("stage1_1");
    ASSERT_NE(level, player->second.levels.end());
    EXPECT_EQ(level->second.place, 1);
    EXPECT_GE(level->second.value, 40000.0f);
    const std::unordered_map<int32_t, float>& scores = level->second.scores;
    ASSERT_EQ(scores.size(), 4u);
    EXPECT_EQ(scores.at(6), std::floor(seen.fieldScore));
    // Each rival reaches its target, give or take its last step.
    EXPECT_NEAR(scores.at(0), 60.0f, 20.0f);
    EXPECT_NEAR(scores.at(1), 50.0f, 20.0f);
    EXPECT_NEAR(scores.at(2), 40.0f, 20.0f);
}

// Nobody cooks: customers come at the arrival interval until three wait; at closing time they lose
// patience and leave, the bonus customer too;
// the player has the last place, the grey picture plays with "oops" and the level does not qualify.
TEST(KitchenLevel, AnIdleLevelClosesEmptiesAndEndsInTheLastPlace) {
    CLevelRun run;
    const tagLevelSeen seen = PlaySampleLevel(run, false);
    EXPECT_EQ(seen.served, 0);
    // The first customer comes with the end of the intro, the next ones at the arrival interval
    // (9 s at 16 ms a frame) until three are present.
    ASSERT_EQ(seen.arrivals.size(), 3u);
    EXPECT_NEAR(seen.arrivals[1] - seen.arrivals[0], 9000 / 16, 2);
    EXPECT_NEAR(seen.arrivals[2] - seen.arrivals[1], 9000 / 16, 2);
    EXPECT_TRUE(seen.closedBeforeEnd);
    EXPECT_TRUE(seen.allLeft);
    EXPECT_EQ(seen.place, 4.0f);
    EXPECT_EQ(seen.pictures, std::vector<std::string>{"level_complete_4"});
    EXPECT_EQ(seen.qualified, -1.0f);
    EXPECT_FALSE(seen.afterExit.empty());
}
