#include "framework/core/Mouse.h"

#include <cmath>

namespace GF {

namespace {

int Truncate(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483520.0f) return 2147483520;  // the largest float below 2^31
    if (value <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(value);
}

}  // namespace

void CMouse::SetPosition(float x, float y) {
    m_floatX = x;
    m_floatY = y;
    m_x = Truncate(x);
    m_y = Truncate(y);
}

THolder<CMouse> GetMouse() {
    static THolder<CMouse> instance;
    if (!instance) instance = new CMouse;
    return instance;
}

}  // namespace GF
