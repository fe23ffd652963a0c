#include <gtest/gtest.h>

#include <vector>

#include "framework/gui/LayoutItem.h"
#include "game/kitchen/DayClock.h"
#include "tests/game/kitchen/KitchenFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

constexpr float kPi = 3.1415927f;

TLocalTime g_now;
TLocalTime FixedTime() {
    return g_now;
}

class DayClock : public CKitchenFixture {
protected:
    DayClock() { clock.timeSource = &FixedTime; }
    float Hand(const char* name) { return HostedAnimation(clock.clock, name)->GetRotation(); }

    CDayClock clock;
};

TEST_F(DayClock, TheHandsShowTheLocalTime) {
    ShowDayClock(clock, Show("levels.kitchen_1", 400, 300, "_idle"));
    ASSERT_TRUE(clock.clock && clock.sun && clock.dark);
    EXPECT_EQ(PartOf(clock.dark), "_idle");
    struct Case {
        TLocalTime now;
        float hour, minute, second;
    };
    const Case cases[] = {
        {{15, 30, 30}, 3.5f * kPi / 6, 30.5f * kPi / 30, 30 * kPi / 30},
        {{12, 0, 0}, 2 * kPi, 0, 0},  // 12.0 is not above 12: a full turn
        {{0, 0, 59}, 0, 59 / 60.0f * kPi / 30, 59 * kPi / 30},
        {{23, 45, 0}, 11.75f * kPi / 6, 45 * kPi / 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.now.hour);
        g_now = c.now;
        ShowClockFace(clock, 16.0f);
        Step();
        EXPECT_NEAR(Hand("_hour"), c.hour, 1e-5f);
        EXPECT_NEAR(Hand("_min"), c.minute, 1e-5f);
        EXPECT_NEAR(Hand("_second"), c.second, 1e-5f);
    }
}

TEST_F(DayClock, TheSunCrossesFifteenSecondsAfterSetUpThenEveryTwenty) {
    ShowDayClock(clock, Show("levels.kitchen_1", 400, 300, "_idle"));
    ASSERT_TRUE(clock.sun);
    EXPECT_TRUE(clock.sun->IsFinished());  // stopped at set-up
    std::vector<int> risesAt;              // ms since set-up
    bool playing = false;
    for (int i = 1; i <= 400; ++i) {
        ShowClockFace(clock, 100.0f);
        Step(100.0f);
        if (!playing && !clock.sun->IsFinished()) risesAt.push_back(i * 100);
        playing = !clock.sun->IsFinished();
    }
    // More than 20 s on the timer, which starts at 5 s and counts 100 ms frames.
    EXPECT_EQ(risesAt, (std::vector<int>{15100, 35200}));
}

TEST_F(DayClock, ALayoutWithoutClockSunOrShadeIsLeftAlone) {
    const TAnimationPtr layout = Show("main_menu.confirm_screen", 320, 240, "_show");
    ShowDayClock(clock, layout);
    EXPECT_EQ(clock.layout, layout);
    EXPECT_FALSE(clock.clock || clock.sun || clock.dark);
    for (int i = 0; i < 300; ++i) ShowClockFace(clock, 100.0f);
    EXPECT_EQ(PartOf(layout), "_idle");
    ShowDayClock(clock, {});
    ShowClockFace(clock, 100.0f);
    EXPECT_FALSE(clock.layout);
}

}  // namespace
