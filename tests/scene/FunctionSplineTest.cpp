#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/core/Point.h"
#include "framework/scene/FunctionSpline.h"

using GF::FunctionSpline;
using GF::TPoint;

namespace {

using TPoints = std::vector<TPoint<float>>;

}  // namespace

// Through its points, smooth between them, and a rising x walks the segments in order.
TEST(FunctionSpline, PassesThroughItsPointsAndRisesBetweenRisingOnes) {
    FunctionSpline<TPoint<float>> curve(TPoints{{0.0f, 0.0f}, {0.5f, 0.8f}, {1.0f, 1.0f}});
    EXPECT_FLOAT_EQ(curve(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(curve(0.5f), 0.8f);  // the end of the segment from 0 to 0.5
    EXPECT_FLOAT_EQ(curve(1.0f), 1.0f);
    float last = -1.0f;
    for (float x = 0.0f; x <= 1.0f; x += 0.05f) {
        const float y = curve(x);
        EXPECT_GE(y, last) << x;
        last = y;
    }
    // Going back to an earlier segment computes it again.
    EXPECT_FLOAT_EQ(curve(0.5f), 0.8f);
}

// Lists from outside data that the curve cannot span still answer finite values.
TEST(FunctionSpline, DegenerateListsAnswerFiniteValues) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        TPoints points;
        float x;
        float expected;
    };
    const Case cases[] = {
        {"no points, before any value", {}, 0.5f, 0.0f},
        {"one point", {{0.3f, 0.7f}}, 0.9f, 0.7f},
        {"two points of one x", {{0.5f, 0.2f}, {0.5f, 0.6f}}, 0.5f, 0.2f},
        {"past two points of one x", {{0.5f, 0.2f}, {0.5f, 0.6f}}, 0.8f, 0.6f},
        {"before the first point", {{0.2f, 0.4f}, {1.0f, 1.0f}}, 0.0f, 0.4f},
        {"past the last point", {{0.0f, 0.0f}, {0.6f, 0.9f}}, 1.0f, 0.9f},
        {"three points of one x inside",
         {{0.0f, 0.0f}, {0.5f, 0.3f}, {0.5f, 0.5f}, {0.5f, 0.7f}, {1.0f, 1.0f}},
         0.75f,
         std::nanf("")},
        {"x not a number", {{0.0f, 0.1f}, {1.0f, 1.0f}}, nan, 0.1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FunctionSpline<TPoint<float>> curve(c.points);
        const float y = curve(c.x);
        EXPECT_TRUE(std::isfinite(y));
        if (!std::isnan(c.expected)) {
            EXPECT_FLOAT_EQ(y, c.expected);
        }
    }
    // Without points the curve keeps answering the last value it had.
    FunctionSpline<TPoint<float>> curve(TPoints{{0.0f, 0.25f}, {1.0f, 0.25f}});
    EXPECT_FLOAT_EQ(curve(0.5f), 0.25f);
    curve.SetPoints({});
    EXPECT_FLOAT_EQ(curve(0.9f), 0.25f);
}
