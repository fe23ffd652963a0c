#pragma once
#include <vector>

#include "framework/core/Point.h"
#include "framework/scene/TrackPlayer.h"

namespace GF {

// How a curve computes one of its values at a time (milliseconds since the curve started). Curves
// use points for position and scale, floats for opacity and rotation.
using TPointStrategy = DoBaseStrategy<TPoint<float>>;
using TFloatStrategy = DoBaseStrategy<float>;

// The share of the way at time t of a run over the duration: t / duration, at most 1 (a run without
// duration is at its end at once); eased, it starts and ends slowly: (1 - cos(share * pi)) / 2.
float RunShare(float t, float duration, bool eased);

// A straight run from one value to another over the duration, held at the end; eased, it starts and
// ends slowly.
template <class V>
class DoLineCalcStrategy : public DoBaseStrategy<V> {
public:
    DoLineCalcStrategy(const V& from, const V& to, float durationMs, bool easedRun = false)
        : start(from), end(to), duration(durationMs), eased(easedRun) {}

    void Calc(V& out, float t) override {
        const float f = RunShare(t, duration, eased);
        out = start * (1.0f - f) + end * f;
    }

    V start;
    V end;
    float duration;
    bool eased;
};

// The parabola y = a·x² + b·x + c through a start, a control and an end point; x runs from the
// start's to the end's over the duration. Points that share an x have no such parabola: the path is
// then the straight line from start to end.
class DoParabolaCalcStrategy : public TPointStrategy {
public:
    void Init(const TPoint<float>& start, const TPoint<float>& end, const TPoint<float>& control);
    void Calc(TPoint<float>& out, float t) override;

    float a = 0.0f, b = 0.0f, c = 0.0f;
    TPoint<float> last;
    TPoint<float> start;
    TPoint<float> end;
    float duration = 0.0f;
    bool straight = false;
};

// An arc of an ellipse from startAngle to endAngle (radians) over the duration, optionally eased at
// both ends. Every call then moves the centre by its velocity and widens both radii by the step (per
// frame, not per millisecond).
class DoCircleCalcStrategy : public TPointStrategy {
public:
    void Calc(TPoint<float>& out, float t) override;

    TPoint<float> centre;
    TPoint<float> centreVelocity;
    float radiusX = 0.0f, radiusY = 0.0f;
    float radiusStep = 0.0f;
    TPoint<float> last;
    float startAngle = 0.0f, endAngle = 0.0f;
    float duration = 0.0f;
    bool smooth = false;
};

// A Catmull-Rom spline through the point list, each segment lasting the same share of the duration.
// A list of one point stays on it; an empty list answers the last point computed.
class DoSplineCalcStrategy : public TPointStrategy {
public:
    // Call after the points are in place: it shares the duration out among the segments.
    void SetDuration(const float& ms);
    void Calc(TPoint<float>& out, float t) override;

    TPoint<float> c3, c2, c1, c0;
    std::vector<TPoint<float>> points;
    float duration = 0.0f;
    float segmentDuration = 0.0f;
    int32_t segment = -1;
    TPoint<float> current;
};

}  // namespace GF
