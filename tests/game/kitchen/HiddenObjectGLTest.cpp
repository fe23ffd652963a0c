#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Random.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/ISpyBonusGameField.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/BonusRun.h"

namespace {

bool Playing(CLevelRun& r) {
    return ISpy(r) && ISpy(r)->IsPlaying();
}

GF::THolder<CZacaz> Customer(CLevelRun& r) {
    return ISpy(r)->GetReceptPanel()->GetCurrentCustomer();
}

// Plays the level on the run's seed: the list comes in the order the runtime's shuffle gives that
// seed, and that order differs from the file's.
void PlaySeeded(CLevelRun& r, const std::string& level) {
    const std::vector<std::string> file = HiddenList();
    std::vector<std::string> seeded = file;
    GF::SeedRand(r.seed);
    CGameField::ShuffleByRand(seeded);
    GF::SeedRand(r.seed);
    r.Play(level);
    EXPECT_EQ(HiddenList(), seeded);
    EXPECT_NE(seeded, file);
}

int Brightness(uint32_t c) {
    return Red(c) + Green(c) + Blue(c);
}

}  // namespace

// The light variant: the list comes in the seeded order, one customer, no darkness; each thing
// clicked flies to the order and stays gone; serving at the plate ends the level in that frame with
// the four found and 102, and the flow takes the bonus result.
TEST(HiddenObject, LightThingsFoundInTheSeededOrderAndServedEndAtOnce) {
    CLevelRun run;
    CBonusScript s;
    s.Until(&Playing);
    s.Do([](CLevelRun& r) {
        EXPECT_FALSE(ISpy(r)->GetHider());
        EXPECT_EQ(ISpy(r)->GetReceptPanel()->GetCustomers().size(), 1u);
        EXPECT_EQ(Customer(r)->GetItemCount(), 4);
    });
    for (int item = 0; item < 4; ++item) FindHidden(s, item);
    // Longer than a taken kitchen object stays away.
    auto waited = std::make_shared<float>(0.0f);
    s.Until([waited](CLevelRun&) {
        *waited += CLevelRun::kFrameMs;
        return *waited > GetGameData().bonusParams.objectReturnTime + 200.0f;
    });
    s.Do([](CLevelRun& r) {
        for (const GF::THolder<CCookObject>& object : ISpy(r)->GetObjectList())
            EXPECT_EQ(object->GetAnimation()->IsVisible(), object->GetName().rfind("Places.", 0) != 0)
                << object->GetName();
        EXPECT_TRUE(Customer(r)->IsReadyToServe());
        EXPECT_EQ(r.Player().floatVars[5], 0.0f);
        const GF::TRect plate = ISpy(r)->GetPlateAnimation()->GetBoundingBox();
        r.MoveMouse((plate.left + plate.right) / 2, (plate.top + plate.bottom) / 2);
        r.Button(true, (plate.left + plate.right) / 2, (plate.top + plate.bottom) / 2);
    });
    s.Wait(1);
    s.Do([](CLevelRun& r) {
        EXPECT_FALSE(ISpy(r)->IsPlaying());
        EXPECT_LT(ISpy(r)->GetElapsed(), ISpy(r)->GetLevel()->Duration);
        EXPECT_EQ(r.Player().floatVars[5], 102.0f);
        EXPECT_EQ(r.Player().floatVars[13], 4.0f);
        r.Button(false, 0, 0);
    });
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });
    ASSERT_TRUE(s.RunIn(run, [](CLevelRun& r) { PlaySeeded(r, "bonus_ispy_1"); })) << run.TopName();
    EXPECT_EQ(run.Player().floatVars[5], 102.0f);
    EXPECT_EQ(std::count(run.Results().begin(), run.Results().end(), "GameScreen:exit"), 1);
}

// The dark variant: the darkness follows the mouse, lit under it and dark away from it, and stops
// at the screen's edge; one thing found, then the time runs out: 102 with the one found. Then a
// level without orders (written here) shuffles nothing and finishes once, when its time is over.
TEST(HiddenObject, DarkFollowsTheMouseAndTimesOutThenALevelWithoutOrdersEndsOnce) {
    CLevelRun run;
    CBonusScript s;
    int playFrom = -1;
    s.Until([&](CLevelRun& r) {
        playFrom = r.FrameNumber();
        return Playing(r);
    });
    s.Move(300, 350);
    s.Do([](CLevelRun& r) {
        const GF::TAnimationPtr hider = ISpy(r)->GetHider();
        ASSERT_TRUE(hider);
        EXPECT_EQ(hider->GetLayer(), 2030);
        EXPECT_EQ(hider->GetPosition().x, 300.0f);
        EXPECT_EQ(hider->GetPosition().y, 350.0f);
        EXPECT_GT(Brightness(PixelAt(r, 300, 350)), 300);
        EXPECT_LT(Brightness(PixelAt(r, 60, 300)), 60);
        EXPECT_LT(Brightness(PixelAt(r, 700, 560)), 60);
    });
    FindHidden(s, 0);
    s.Move(900, 700);
    s.Do([](CLevelRun& r) {
        EXPECT_EQ(ISpy(r)->GetHider()->GetPosition().x, 800.0f);
        EXPECT_EQ(ISpy(r)->GetHider()->GetPosition().y, 600.0f);
    });
    s.Until([&](CLevelRun& r) {
        if (Playing(r)) return false;
        const float played = static_cast<float>(r.FrameNumber() - playFrom) * CLevelRun::kFrameMs;
        EXPECT_NEAR(played, 8000.0f, 3.0f * CLevelRun::kFrameMs);
        EXPECT_EQ(r.Player().floatVars[5], 102.0f);
        EXPECT_EQ(r.Player().floatVars[13], 1.0f);
        return true;
    });
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });
    std::vector<std::string> listBefore;
    s.Do([&](CLevelRun& r) {
        CLevelInfo& level = GetLevelsData().Levels["bonus_ispy_1"];
        level.Orders.clear();
        level.Duration = 2010.0f;  // between frames: the kitchen closes and the time is over at once
        listBefore = HiddenList();
        r.Play("bonus_ispy_1");
    });
    s.Until([&](CLevelRun& r) {
        playFrom = r.FrameNumber();
        return Playing(r);
    });
    s.Until([&](CLevelRun& r) {
        if (Playing(r)) return false;
        const float played = static_cast<float>(r.FrameNumber() - playFrom) * CLevelRun::kFrameMs;
        EXPECT_NEAR(played, 2010.0f, 3.0f * CLevelRun::kFrameMs);
        return true;
    });
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });
    ASSERT_TRUE(s.RunIn(run, [](CLevelRun& r) {
        GetLevelsData().Levels["bonus_ispy_dark_1"].Duration = 8000.0f;
        PlaySeeded(r, "bonus_ispy_dark_1");
    })) << run.TopName();
    // Finished once: a second finish would have made it 202.
    EXPECT_EQ(run.Player().floatVars[5], 102.0f);
    EXPECT_EQ(run.Player().floatVars[13], 0.0f);
    EXPECT_EQ(HiddenList(), listBefore);
    EXPECT_NE(run.Log().find("has no orders"), std::string::npos);
    EXPECT_EQ(std::count(run.Results().begin(), run.Results().end(), "GameScreen:exit"), 2);
}
