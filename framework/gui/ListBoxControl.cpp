#include "framework/gui/ListBoxControl.h"

#include <algorithm>

namespace GF {
namespace HGENS {

int ListRowHeight(int hitHeight, int rows) {
    return rows > 0 ? hitHeight / rows : 0;
}

int ListRowAt(int y, int hitTop, int rowHeight) {
    if (rowHeight <= 0 || y < hitTop) return -1;
    return static_cast<int>((static_cast<long long>(y) - hitTop) / rowHeight);
}

int ListPageStart(int index, int rows, int items) {
    if (rows <= 0) return 0;
    int start = index - index % rows;
    if (items >= rows && start > items - rows) start = items - rows;
    return start;
}

int ListSliderValue(int top, int items, int rows) {
    if (items <= rows) return 0;
    return static_cast<int>(static_cast<long long>(top) * 100 / (items - rows));
}

int ListScrollOffset(int items, int rows, int sliderValue) {
    if (items <= rows) return 0;
    return std::max(0, static_cast<int>((static_cast<long long>(items) - rows) * sliderValue / 100));
}

int ListSliderStep(int items, int rows) {
    return 100 / std::max(1, items - rows);
}

}  // namespace HGENS
}  // namespace GF
