#pragma once
#include <cstdint>

namespace GF {

// An integer rectangle: bounding boxes of drawables and animations, hit rectangles of controls. It is
// empty when it has no width or no height; the empty rectangle is written as (0, 0, 0, 0).
struct TRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Widened so that far-apart edges cannot overflow.
    bool IsEmpty() const { return int64_t{right} - left <= 0 || int64_t{bottom} - top <= 0; }
    bool operator==(const TRect&) const = default;
};

// out = src and true when src is not empty; otherwise out = (0, 0, 0, 0) and false.
inline bool TRectAssignIfValid(const TRect& src, TRect& out) {
    if (src.IsEmpty()) {
        out = TRect{};
        return false;
    }
    out = src;
    return true;
}

// The smallest rectangle around both; an empty one counts as absent. Both empty: (0, 0, 0, 0), false.
inline bool UnionRect(const TRect& a, const TRect& b, TRect& out) {
    if (a.IsEmpty() && b.IsEmpty()) {
        out = TRect{};
        return false;
    }
    if (a.IsEmpty()) {
        out = b;
        return true;
    }
    if (b.IsEmpty()) {
        out = a;
        return true;
    }
    const TRect u{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                  a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    return TRectAssignIfValid(u, out);
}

// The common part of both; touching edges do not intersect.
inline bool TRectIntersect(const TRect& a, const TRect& b, TRect& out) {
    if (a.IsEmpty() || b.IsEmpty()) {
        out = TRect{};
        return false;
    }
    const TRect i{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                  a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    return TRectAssignIfValid(i, out);
}

}  // namespace GF
