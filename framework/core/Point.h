#pragma once

namespace GF {

template <class T>
struct TPoint {
    T x{};
    T y{};

    constexpr TPoint() = default;
    constexpr TPoint(T px, T py) : x(px), y(py) {}

    constexpr TPoint operator+(const TPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr TPoint operator-(const TPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr TPoint operator*(T k) const { return {x * k, y * k}; }
    constexpr bool operator==(const TPoint& o) const { return x == o.x && y == o.y; }
};

}  // namespace GF
