#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// The integer part of a float, held to the range of int32_t; NaN gives 0. The game keeps counts,
// volumes and places in float variables that the settings file brings in, and a plain cast of a
// float outside the range of the integer is undefined.
inline int32_t TruncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
