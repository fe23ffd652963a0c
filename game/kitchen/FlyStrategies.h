#pragma once
#include <vector>

#include "framework/core/Point.h"
#include "framework/scene/Curve.h"
#include "framework/scene/CurveStrategies.h"

// The game's own movement strategies and the makers that set a strategy on a curve. Each maker
// reads the curve's duration, so the duration is set first. Times are milliseconds.

// A throw from start that lands on end at the duration under a constant acceleration: start +
// v·t + a·t²/2, v chosen for the landing. Without duration it stands on the end.
template <class V>
class TFreeFall : public GF::DoBaseStrategy<V> {
public:
    TFreeFall(const V& from, const V& to, const V& acceleration, float durationMs)
        : duration(durationMs), start(from), end(to), accel(acceleration) {
        if (duration > 0.0f)
            velocity = ((end - start) - accel * (0.5f * duration * duration)) * (1.0f / duration);
    }

    void Calc(V& out, float t) override {
        out = duration > 0.0f ? start + velocity * t + accel * (0.5f * t * t) : end;
    }

    float duration;
    V start;
    V end;
    V accel;
    V velocity{};
};

// A coin's bounce in size: 1 at 0, the peak at the peak time, 1 again at twice that time (a
// parabola in time). A peak time of 0 or less keeps the scale at 1.
class CScaleCoin : public GF::TPointStrategy {
public:
    CScaleCoin(const GF::TPoint<float>& peakScale, float peakTimeMs);
    void Calc(GF::TPoint<float>& out, float t) override;

    GF::TPoint<float> curvature;
    GF::TPoint<float> peak;
    float peakTime;
};

// A spline drawn in its own frame and carried into the screen's: its value (a, b) becomes origin +
// a·U + b·V. With origin the start, U the way to the target and V that way turned a quarter, a
// path of points from (0, 0) to (1, 0) leads from the start to the target, bending as it likes.
class DoLineSplineMoveStrategy : public GF::DoSplineCalcStrategy {
public:
    void Calc(GF::TPoint<float>& out, float t) override;

    GF::TPoint<float> axisU;
    GF::TPoint<float> axisV;
    GF::TPoint<float> origin;
};

// Position along an arc of an ellipse about the centre (angles in radians); eased, slow at both ends.
void CreateCircleStrategy(GF::ICurve& curve, const GF::TPoint<float>& centre, float radiusX, float radiusY,
                          float startAngle, float endAngle, bool eased = false);
// Position along the parabola from start through `through` to end.
void CreateParabolaStrategy(GF::ICurve& curve, const GF::TPoint<float>& start,
                            const GF::TPoint<float>& through, const GF::TPoint<float>& end);
// Position along the straight line from one point to the other.
void CreateLineStrategy(GF::ICurve& curve, const GF::TPoint<float>& from, const GF::TPoint<float>& to,
                        bool eased = false);
// Scale (v, v) from one value to the other.
void CreateLineStrategy(GF::ICurve& curve, float from, float to, bool eased = false);
// Position thrown from start to end under the acceleration.
void CreateFreeFallStrategy(GF::ICurve& curve, const GF::TPoint<float>& start, const GF::TPoint<float>& end,
                            const GF::TPoint<float>& acceleration);
enum class EFloatTrack { Opacity, Rotation };
// Opacity (or the angle in radians) from one value to the other.
void CreateLineFloatStrategy(GF::ICurve& curve, float from, float to,
                             EFloatTrack track = EFloatTrack::Opacity);
// Scale bouncing to the peak at the peak time.
void CreateScaleCoinStrategy(GF::ICurve& curve, const GF::TPoint<float>& peak, float peakTimeMs);
// Position from start to target along the path's points, drawn in the frame of the straight way
// between them (see DoLineSplineMoveStrategy).
void CreateSplineMoveStrategy(GF::ICurve& curve, const GF::TPoint<float>& start,
                              const GF::TPoint<float>& target, const std::vector<GF::TPoint<float>>& path);

// Counts `remaining` down by dt: true when it was already out, or runs out below 0 now (landing
// exactly on 0 answers false this time and true the next).
bool CountDownTimer(float& remaining, const float& dt);
