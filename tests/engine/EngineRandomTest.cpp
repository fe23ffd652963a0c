#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/Random.h"

using Engine::CRandom;

TEST(EngineRandom, ASeedGivesTheSameDrawsEveryTime) {
    CRandom first, second, other;
    first.Seed(42);
    second.Seed(42);
    other.Seed(43);
    std::vector<int> a, b, c;
    for (int i = 0; i < 20; ++i) {
        a.push_back(first.Int(0, 1000000));
        b.push_back(second.Int(0, 1000000));
        c.push_back(other.Int(0, 1000000));
    }
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(EngineRandom, DrawsStayInsideTheirRangeAndReachBothEnds) {
    CRandom random;
    random.Seed(7);
    bool low = false, high = false;
    for (int i = 0; i < 2000; ++i) {
        const int n = random.Int(-3, 3);
        ASSERT_GE(n, -3);
        ASSERT_LE(n, 3);
        low |= n == -3;
        high |= n == 3;
        const float f = random.Float(2.0f, 4.0f);
        ASSERT_GE(f, 2.0f);
        ASSERT_LE(f, 4.0f);
    }
    EXPECT_TRUE(low && high);
    EXPECT_EQ(random.Int(5, 5), 5);
    EXPECT_EQ(random.Int(9, 1), 9);
    const int wide = random.Int(INT_MIN, INT_MAX);  // the span must not overflow
    (void)wide;
    EXPECT_EQ(random.Float(1.5f, 1.5f), 1.5f);
}
