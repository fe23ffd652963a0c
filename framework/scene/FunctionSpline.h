#pragma once
#include <cstddef>
#include <utility>
#include <vector>

namespace GF {

// A function y(x) through points of ascending x: piecewise cubic Hermite segments whose tangents
// come from the neighbouring points (0 at both ends). Effects evaluate it once or twice a frame
// with a rising x, so the current segment's coefficients are kept and recomputed only when x moves
// into another segment. P is a point type with members x and y.
//
// Outside data names the points, so every list answers a finite value: no points the last value
// (0 at first), one point its y, x before the first or past the last point that point's y, and a
// segment without width its end point's y.
template <class P>
class FunctionSpline {
public:
    using TValue = decltype(P::x);

    FunctionSpline() = default;
    explicit FunctionSpline(std::vector<P> points) { SetPoints(std::move(points)); }

    void SetPoints(std::vector<P> points) {
        m_points = std::move(points);
        m_segment = -1;
    }

    TValue operator()(TValue x) { return Evaluate(x); }

    TValue Evaluate(TValue x) {
        const std::size_t count = m_points.size();
        if (count == 0) return m_last;
        if (count == 1 || !(x > m_points.front().x)) return m_last = m_points.front().y;
        if (!(x < m_points.back().x)) return m_last = m_points.back().y;

        std::size_t stop = 1;
        while (stop < count && m_points[stop].x < x) ++stop;
        const int segment = static_cast<int>(stop) - 1;
        if (segment != m_segment) {
            m_segment = segment;
            ComputeSegment(static_cast<std::size_t>(segment));
        }
        if (m_flat) return m_last = m_p0;
        const TValue u = x - m_start;
        m_last = ((m_p3 * u + m_p2) * u + m_p1) * u + m_p0;
        return m_last;
    }

private:
    // The slope through the points on either side; 0 where they share an x.
    TValue Tangent(std::size_t before, std::size_t after) const {
        const TValue width = m_points[after].x - m_points[before].x;
        if (width == TValue{}) return TValue{};
        return (m_points[after].y - m_points[before].y) / width;
    }

    void ComputeSegment(std::size_t i) {
        const P& from = m_points[i];
        const P& to = m_points[i + 1];
        m_start = from.x;
        const TValue h = to.x - from.x;
        m_flat = !(h > TValue{});
        if (m_flat) {
            m_p3 = m_p2 = m_p1 = TValue{};
            m_p0 = to.y;
            return;
        }
        const TValue t0 = i > 0 ? Tangent(i - 1, i + 1) : TValue{};
        const TValue t1 = i + 2 < m_points.size() ? Tangent(i, i + 2) : TValue{};
        m_p0 = from.y;
        m_p1 = t0;
        m_p2 = (3 * (to.y - from.y) - h * (2 * t0 + t1)) / (h * h);
        m_p3 = (t1 - t0 - 2 * h * m_p2) / (3 * h * h);
    }

    TValue m_p3{};
    TValue m_p2{};
    TValue m_p1{};
    TValue m_p0{};
    std::vector<P> m_points;
    int m_segment = -1;
    TValue m_last{};
    TValue m_start{};
    bool m_flat = false;  // the current segment has no width
};

}  // namespace GF
