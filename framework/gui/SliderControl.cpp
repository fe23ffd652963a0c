#include "framework/gui/SliderControl.h"

#include <algorithm>
#include <cmath>

namespace GF {
namespace HGENS {

float ClampToTrack(float coordinate, float trackStart, float trackEnd) {
    const float low = std::min(trackStart, trackEnd);
    const float high = std::max(trackStart, trackEnd);
    return std::clamp(coordinate, low, high);
}

int SliderValueAt(float coordinate, float trackStart, float trackEnd, int minimum, int maximum,
                  int unchanged) {
    const double length = static_cast<double>(trackEnd) - trackStart;
    if (length == 0.0 || maximum <= minimum) return unchanged;
    const double range = static_cast<double>(maximum) - minimum;
    const double value =
        minimum + std::trunc((coordinate - static_cast<double>(trackStart)) * range / length + 0.5);
    return static_cast<int>(std::clamp(value, static_cast<double>(minimum), static_cast<double>(maximum)));
}

float SliderFraction(int value, int minimum, int maximum) {
    if (maximum <= minimum) return 0.0f;
    const double range = static_cast<double>(maximum) - minimum;
    return static_cast<float>(std::clamp((static_cast<double>(value) - minimum) / range, 0.0, 1.0));
}

}  // namespace HGENS
}  // namespace GF
