#include <gtest/gtest.h>

#include "framework/gui/SliderControl.h"

using namespace GF::HGENS;

TEST(SliderTrack, ClampHoldsTheCoordinateToTheTrackWhicheverWayItRuns) {
    struct {
        float coordinate, start, end, expected;
    } cases[] = {
        {50, 100, 300, 100}, {251, 100, 300, 251}, {400, 100, 300, 300},  // forwards
        {50, 300, 100, 100}, {251, 300, 100, 251}, {400, 300, 100, 300},  // backwards
        {-7, 120, 120, 120}, {500, 120, 120, 120},                        // no length
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampToTrack(c.coordinate, c.start, c.end), c.expected)
            << c.coordinate << " on " << c.start << ".." << c.end;
}

TEST(SliderTrack, ValueFromTheCursorRoundsHalfUpAndStaysInRange) {
    struct {
        float coordinate, start, end;
        int minimum, maximum, expected;
    } cases[] = {
        {251, 100, 300, 0, 100, 76},  // trunc(75.5 + 0.5)
        {100, 100, 300, 0, 100, 0},   {300, 100, 300, 0, 100, 100},
        {250, 300, 100, 0, 100, 25},  // a track that runs backwards counts from its start
        {100, 300, 100, 0, 100, 100}, {350, 300, 100, 0, 100, 0},  // past its start: the minimum
        {200, 100, 300, -10, 10, 0},  {0, 100, 300, 5, 6, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SliderValueAt(c.coordinate, c.start, c.end, c.minimum, c.maximum, -99), c.expected)
            << c.coordinate << " on " << c.start << ".." << c.end;
}

TEST(SliderTrack, ATrackWithoutLengthLeavesTheValueAlone) {
    EXPECT_EQ(SliderValueAt(120, 120, 120, 0, 100, 42), 42);
    EXPECT_EQ(SliderValueAt(0, 120, 120, 0, 100, 7), 7);
}

TEST(SliderTrack, FractionOfTheRange) {
    EXPECT_FLOAT_EQ(SliderFraction(75, 0, 100), 0.75f);
    EXPECT_FLOAT_EQ(SliderFraction(-5, -10, 10), 0.25f);
    EXPECT_FLOAT_EQ(SliderFraction(3, 3, 3), 0.0f);  // an empty range divides nothing
    EXPECT_FLOAT_EQ(SliderFraction(2000000000, -2000000000, 2000000000), 1.0f);
}
