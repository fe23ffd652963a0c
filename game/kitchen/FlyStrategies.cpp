#include "game/kitchen/FlyStrategies.h"

#include "framework/core/Holder.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"

using GF::MakeHolder;
using GF::TPoint;

CScaleCoin::CScaleCoin(const TPoint<float>& peakScale, float peakTimeMs)
    : peak(peakScale), peakTime(peakTimeMs) {
    if (peakTime > 0.0f) curvature = (peak - TPoint<float>(1.0f, 1.0f)) * (1.0f / (peakTime * peakTime));
}

void CScaleCoin::Calc(TPoint<float>& out, float t) {
    if (!(peakTime > 0.0f)) {
        out = TPoint<float>(1.0f, 1.0f);
        return;
    }
    const float d = (t - peakTime) * (t - peakTime);
    out = TPoint<float>(peak.x - curvature.x * d, peak.y - curvature.y * d);
}

void DoLineSplineMoveStrategy::Calc(TPoint<float>& out, float t) {
    TPoint<float> ab;
    DoSplineCalcStrategy::Calc(ab, t);
    out = origin + axisU * ab.x + axisV * ab.y;
}

void CreateCircleStrategy(GF::ICurve& curve, const TPoint<float>& centre, float radiusX, float radiusY,
                          float startAngle, float endAngle, bool eased) {
    auto circle = MakeHolder<GF::DoCircleCalcStrategy>();
    circle->centre = centre;
    circle->radiusX = radiusX;
    circle->radiusY = radiusY;
    circle->startAngle = startAngle;
    circle->endAngle = endAngle;
    circle->duration = curve.GetDuration();
    circle->smooth = eased;
    curve.SetPositionStrategy(circle);
}

void CreateParabolaStrategy(GF::ICurve& curve, const TPoint<float>& start, const TPoint<float>& through,
                            const TPoint<float>& end) {
    auto parabola = MakeHolder<GF::DoParabolaCalcStrategy>();
    parabola->Init(start, end, through);
    parabola->duration = curve.GetDuration();
    curve.SetPositionStrategy(parabola);
}

void CreateLineStrategy(GF::ICurve& curve, const TPoint<float>& from, const TPoint<float>& to, bool eased) {
    curve.SetPositionStrategy(
        MakeHolder<GF::DoLineCalcStrategy<TPoint<float>>>(from, to, curve.GetDuration(), eased));
}

void CreateLineStrategy(GF::ICurve& curve, float from, float to, bool eased) {
    curve.SetScaleStrategy(MakeHolder<GF::DoLineCalcStrategy<TPoint<float>>>(
        TPoint<float>(from, from), TPoint<float>(to, to), curve.GetDuration(), eased));
}

void CreateFreeFallStrategy(GF::ICurve& curve, const TPoint<float>& start, const TPoint<float>& end,
                            const TPoint<float>& acceleration) {
    curve.SetPositionStrategy(
        MakeHolder<TFreeFall<TPoint<float>>>(start, end, acceleration, curve.GetDuration()));
}

void CreateLineFloatStrategy(GF::ICurve& curve, float from, float to, EFloatTrack track) {
    const auto line = MakeHolder<GF::DoLineCalcStrategy<float>>(from, to, curve.GetDuration());
    if (track == EFloatTrack::Rotation)
        curve.SetRotationStrategy(line);
    else
        curve.SetOpacityStrategy(line);
}

void CreateScaleCoinStrategy(GF::ICurve& curve, const TPoint<float>& peak, float peakTimeMs) {
    curve.SetScaleStrategy(MakeHolder<CScaleCoin>(peak, peakTimeMs));
}

void CreateSplineMoveStrategy(GF::ICurve& curve, const TPoint<float>& start, const TPoint<float>& target,
                              const std::vector<TPoint<float>>& path) {
    auto spline = MakeHolder<DoLineSplineMoveStrategy>();
    spline->origin = start;
    spline->axisU = target - start;
    spline->axisV = TPoint<float>(-spline->axisU.y, spline->axisU.x);
    spline->points.reserve(path.size() + 2);
    spline->points.push_back(TPoint<float>(0.0f, 0.0f));
    spline->points.insert(spline->points.end(), path.begin(), path.end());
    spline->points.push_back(TPoint<float>(1.0f, 0.0f));
    spline->SetDuration(curve.GetDuration());
    curve.SetPositionStrategy(spline);
}

void CreateSplineMoveStrategy(GF::ICurve& curve, const TPoint<float>& start, const TPoint<float>& target,
                              const std::string& pathName) {
    std::vector<TPoint<float>> path;
    const auto& paths = GetGameData().flyPaths;
    if (const auto it = paths.find(pathName); it != paths.end())
        path.assign(it->second.points.begin(), it->second.points.end());
    else
        GameLog("No fly path \"%s\": the straight way", pathName.c_str());
    CreateSplineMoveStrategy(curve, start, target, path);
}

bool CountDownTimer(float& remaining, const float& dt) {
    if (remaining <= 0.0f) return true;
    remaining -= dt;
    return remaining < 0.0f;
}
