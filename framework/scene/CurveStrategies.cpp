#include "framework/scene/CurveStrategies.h"

#include <algorithm>
#include <cmath>

namespace GF {

namespace {

constexpr float kPi = 3.1415927f;

// t over the duration, at most 1; a curve without duration is at its end at once.
float Fraction(float t, float duration) {
    const float f = duration > 0.0f ? t / duration : 1.0f;
    return f > 1.0f ? 1.0f : f;
}

}  // namespace

float RunShare(float t, float duration, bool eased) {
    const float f = Fraction(t, duration);
    return eased ? (1.0f - std::cos(f * kPi)) * 0.5f : f;
}

void DoParabolaCalcStrategy::Init(const TPoint<float>& s, const TPoint<float>& e, const TPoint<float>& ctl) {
    start = s;
    end = e;
    straight = s.x == ctl.x || e.x == s.x || ctl.x == e.x;
    if (straight) {
        a = b = c = 0.0f;
        return;
    }
    const float s1 = (ctl.y - s.y) / (ctl.x - s.x);
    a = (((e.x - s.x) * s1 - (e.y - s.y)) / (e.x - s.x)) / (ctl.x - e.x);
    b = s1 - (s.x + ctl.x) * a;
    c = s.y - s.x * (a * s.x + b);
}

void DoParabolaCalcStrategy::Calc(TPoint<float>& out, float t) {
    const float f = Fraction(t, duration);
    const float x = (1.0f - f) * start.x + f * end.x;
    const float y = straight ? (1.0f - f) * start.y + f * end.y : a * x * x + b * x + c;
    out = last = TPoint<float>(x, y);
}

void DoCircleCalcStrategy::Calc(TPoint<float>& out, float t) {
    float f = duration > 0.0f ? t / duration : 1.0f;
    if (smooth) f = (1.0f - std::cos(f * kPi)) * 0.5f;
    if (f > 1.0f) f = 1.0f;
    const float angle = (1.0f - f) * startAngle + f * endAngle;
    out = last = TPoint<float>(std::cos(angle) * radiusX + centre.x, std::sin(angle) * radiusY + centre.y);
    centre = centre + centreVelocity;
    radiusX += radiusStep;
    radiusY += radiusStep;
}

void DoSplineCalcStrategy::SetDuration(const float& ms) {
    duration = ms;
    if (points.size() > 1) segmentDuration = ms / static_cast<float>(points.size() - 1);
}

void DoSplineCalcStrategy::Calc(TPoint<float>& out, float t) {
    const int count = static_cast<int>(points.size());
    if (count == 1) {
        current = points[0];
    } else if (count > 1 && !(segmentDuration > 0.0f)) {
        // No time to share out (no duration, or SetDuration before the points): at the end at once.
        current = points.back();
    } else if (count > 1) {
        int s = 0;
        if (t > duration)
            s = static_cast<int>(duration / segmentDuration);
        else if (t > 0.0f)
            s = static_cast<int>(t / segmentDuration);
        s = std::min(s, count - 1);
        if (s != segment) {
            segment = s;
            const TPoint<float>& p0 = points[std::max(s - 1, 0)];
            const TPoint<float>& p1 = points[s];
            const TPoint<float>& p2 = points[std::min(s + 1, count - 1)];
            const TPoint<float>& p3 = points[std::min(s + 2, count - 1)];
            c0 = p1 * 2.0f;
            c1 = p2 - p0;
            c2 = p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3;
            c3 = p1 * 3.0f - p0 - p2 * 3.0f + p3;
        }
        const float u = (t - static_cast<float>(s) * segmentDuration) / segmentDuration;
        current = (c0 + c1 * u + c2 * (u * u) + c3 * (u * u * u)) * 0.5f;
    }
    out = current;
}

}  // namespace GF
