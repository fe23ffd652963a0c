#include <gtest/gtest.h>

#include <limits>

#include "framework/core/Mouse.h"

TEST(Mouse, IntegerPositionIsTruncatedTowardZeroAndClamped) {
    struct Case {
        float x, y;
        int expectX, expectY;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {12.9f, 599.99f, 12, 599},
        {-3.7f, -0.5f, -3, 0},  // toward zero, not down
        {inf, -inf, 2147483520, -2147483647 - 1},
        {1e20f, nan, 2147483520, 0},
    };
    GF::THolder<GF::CMouse> mouse(new GF::CMouse);
    for (const Case& c : cases) {
        mouse->SetPosition(c.x, c.y);
        EXPECT_EQ(mouse->GetX(), c.expectX) << c.x;
        EXPECT_EQ(mouse->GetY(), c.expectY) << c.y;
    }
    mouse->SetPosition(200.5f, 150.25f);
    EXPECT_FLOAT_EQ(mouse->GetFloatX(), 200.5f);
    EXPECT_FLOAT_EQ(mouse->GetFloatY(), 150.25f);
}
