#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Point.h"

// The kitchen floor and the heroine's walk grid without anything drawn: the game and the content
// build (which refuses a level whose devices she can't reach) share this arithmetic.

// The kitchen floor on the screen: four corners in pixels over which the 16 x 16 walk grid is laid.
// Grid point (0, 0) is the far left corner, (16, 0) the far right, (0, 16) the near left and (16, 16)
// the near right one. The kitchen field sets it from the level, the dressing room from its own level.
struct CFloorQuad {
    GF::TPoint<float> farLeft;    // P0
    GF::TPoint<float> farRight;   // P1
    GF::TPoint<float> nearLeft;   // P2
    GF::TPoint<float> nearRight;  // P3
};

// The screen point of a grid point: across between the two side edges, down along the left edge.
GF::TPoint<float> MapFloorPoint(const CFloorQuad& quad, const GF::TPoint<float>& gridPoint);
// The grid point (fractions kept) under a screen point; off the floor it lies outside 0..16.
GF::TPoint<float> ScreenToFloorCell(const CFloorQuad& quad, const GF::TPoint<float>& p);
// The heroine's scale at a screen height: larger towards the floor's near edge.
float DepthScaleAt(const CFloorQuad& quad, const GF::TPoint<float>& p);
// The cell the heroine is sent to for a device at `position`: her feet half her height (`figureHeight`,
// pixels as drawn where she stands) below it, scaled by the depth there; the mixer is approached
// from two cells further left.
GF::TPoint<float> DeviceWalkCell(const CFloorQuad& quad, const GF::TPoint<float>& position,
                                 float figureHeight, const std::string& deviceName);

// The walk grid: 16 x 16 signed bytes indexed [x][y]; 0 free and not reached, 1 blocked, 2 at a wave's
// target and growing with the distance from it.
class CWalkGrid {
public:
    static constexpr int kSize = 16;

    // Every cell from its flag (true: blocked); flag k is cell (k / 16, k % 16).
    template <class It>
    void Load(It flags) {
        for (int k = 0; k < kSize * kSize; ++k, ++flags) m_cells[k / kSize][k % kSize] = *flags ? 1 : 0;
    }
    // The cell a walk to (x, y) aims at: the point clamped to the grid; on a blocked cell the nearest
    // free cell of its row (the farther side on a tie), column 8 when the row has none.
    GF::TPoint<int> Target(float x, float y) const;
    // The wave from the target: the first value written to a cell stays, and the fill stops after a
    // pass that writes nothing. A blocked target starts no wave.
    void FillWave(int targetX, int targetY);
    int8_t At(int x, int y) const { return m_cells[x][y]; }

private:
    int8_t m_cells[kSize][kSize] = {};
};
