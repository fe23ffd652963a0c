#include <gtest/gtest.h>

#include "framework/gui/ListBoxControl.h"

using namespace GF::HGENS;

TEST(ListBoxRows, RowHeightAndTheRowUnderAPoint) {
    EXPECT_EQ(ListRowHeight(100, 5), 20);
    EXPECT_EQ(ListRowHeight(100, 0), 0);  // a list box without rows divides nothing
    struct {
        int y, top, rowHeight, expected;
    } cases[] = {
        {200, 200, 20, 0},  {219, 200, 20, 0},  {220, 200, 20, 1},
        {299, 200, 20, 4},  {199, 200, 20, -1},  // above the first row
        {250, 200, 0, -1},                       // before the rows were measured
        {250, 200, -3, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(ListRowAt(c.y, c.top, c.rowHeight), c.expected) << c.y;
}

TEST(ListBoxRows, PageStartsAndTheSlider) {
    // 5 rows, 12 items: item 7 opens the page at 5, item 11 the last full page at 7.
    EXPECT_EQ(ListPageStart(7, 5, 12), 5);
    EXPECT_EQ(ListPageStart(11, 5, 12), 7);
    EXPECT_EQ(ListPageStart(3, 5, 12), 0);
    EXPECT_EQ(ListPageStart(2, 5, 3), 0);
    EXPECT_EQ(ListPageStart(4, 0, 12), 0);  // no rows: no page

    EXPECT_EQ(ListSliderStep(12, 5), 14);
    EXPECT_EQ(ListSliderStep(3, 5), 100);
    EXPECT_EQ(ListScrollOffset(12, 5, 50), 3);
    EXPECT_EQ(ListScrollOffset(12, 5, 100), 7);
    EXPECT_EQ(ListScrollOffset(3, 5, 100), 0);
    EXPECT_EQ(ListSliderValue(7, 12, 5), 100);
    EXPECT_EQ(ListSliderValue(3, 12, 5), 42);
    EXPECT_EQ(ListSliderValue(0, 5, 5), 0);  // every item fits: nothing to divide by
}
