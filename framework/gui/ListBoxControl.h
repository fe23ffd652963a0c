#pragma once

namespace GF {
namespace HGENS {

// The arithmetic of a list box's rows, apart from the animations that show them. `items` is the
// number of texts, `rows` the number of rows the layout gives; the scroll slider runs 0..100.

// Pixels a row: the hit rectangle's height shared among the rows; 0 without rows.
int ListRowHeight(int hitHeight, int rows);
// The row (0-based, from the first shown) under y; -1 above the first row or while the rows have no
// height yet.
int ListRowAt(int y, int hitTop, int rowHeight);
// The first item shown when `index` is brought into view a page at a time: the start of its page,
// held back so that a full list fills every row.
int ListPageStart(int index, int rows, int items);
// The slider position that shows the top item; 0 while every item fits.
int ListSliderValue(int top, int items, int rows);
// The top item a slider position shows.
int ListScrollOffset(int items, int rows, int sliderValue);
// The value an arrow of the slider moves by: about one item.
int ListSliderStep(int items, int rows);

}  // namespace HGENS
}  // namespace GF
