#include "game/kitchen/WalkFloor.h"

#include <cstdlib>

GF::TPoint<float> MapFloorPoint(const CFloorQuad& quad, const GF::TPoint<float>& gridPoint) {
    const float s = gridPoint.x * 0.0625f;
    const float t = gridPoint.y * 0.0625f;
    const float left = quad.farLeft.x * (1.0f - t) + quad.nearLeft.x * t;
    const float right = quad.farRight.x * (1.0f - t) + quad.nearRight.x * t;
    return {left * (1.0f - s) + right * s, quad.farLeft.y * (1.0f - t) + quad.nearLeft.y * t};
}

GF::TPoint<float> ScreenToFloorCell(const CFloorQuad& q, const GF::TPoint<float>& p) {
    const float v = (p.y - q.farLeft.y) / (q.nearRight.y - q.farLeft.y);
    const float left = q.nearLeft.x * v + q.farLeft.x * (1.0f - v);
    const float right = q.farRight.x * (1.0f - v) + q.nearRight.x * v;
    return {(p.x - left) / (right - left) * 16.0f, v * 16.0f};
}

float DepthScaleAt(const CFloorQuad& q, const GF::TPoint<float>& p) {
    const float v = (p.y - q.farLeft.y) / (q.nearRight.y - q.farLeft.y);
    const float t = (q.farRight.x - q.farLeft.x) / (q.nearRight.x - q.nearLeft.x);
    return ((t * (1.0f - v) + v) * 0.7f + 0.3f) * 1.1f;
}

GF::TPoint<float> DeviceWalkCell(const CFloorQuad& quad, const GF::TPoint<float>& position,
                                 float figureHeight, const std::string& deviceName) {
    const GF::TPoint<float> feet{position.x, position.y + figureHeight / 2.0f * DepthScaleAt(quad, position)};
    GF::TPoint<float> cell = ScreenToFloorCell(quad, feet);
    if (deviceName == "Devices.mixer") cell.x -= 2.0f;
    return cell;
}

GF::TPoint<int> CWalkGrid::Target(float x, float y) const {
    // A NaN fails both comparisons and stays NaN: taken as the far left corner.
    x = x >= 0.0f ? (x <= 15.0f ? x : 15.0f) : 0.0f;
    y = y >= 0.0f ? (y <= 15.0f ? y : 15.0f) : 0.0f;
    const int gx = static_cast<int>(x);
    const int gy = static_cast<int>(y);
    if (m_cells[gx][gy] == 0) return {gx, gy};
    int lo = -1000, hi = 1000;
    for (int k = gx; k >= 0; --k)
        if (m_cells[k][gy] == 0) {
            lo = k;
            break;
        }
    for (int k = gx; k < kSize; ++k)
        if (m_cells[k][gy] == 0) {
            hi = k;
            break;
        }
    const int taken = x - static_cast<float>(lo) < static_cast<float>(hi) - x ? lo : hi;
    return {taken < 0 || taken >= kSize ? 8 : taken, gy};
}

void CWalkGrid::FillWave(int targetX, int targetY) {
    if (targetX < 0 || targetY < 0 || targetX >= kSize || targetY >= kSize) return;
    if (m_cells[targetX][targetY] != 1) m_cells[targetX][targetY] = 2;
    for (int w = 2;; ++w) {
        int writes = 0;
        for (int x = 0; x < kSize; ++x) {
            for (int y = 0; y < kSize; ++y) {
                if (m_cells[x][y] != w) continue;
                for (int dx = -1; dx <= 1; ++dx) {
                    for (int dy = -1; dy <= 1; ++dy) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= kSize || ny >= kSize || m_cells[nx][ny] != 0) continue;
                        // Wraps past 127 to a negative value, which no pass expands.
                        m_cells[nx][ny] = static_cast<int8_t>(w + std::abs(dx) + std::abs(dy));
                        ++writes;
                    }
                }
            }
        }
        if (writes == 0) break;
    }
}
