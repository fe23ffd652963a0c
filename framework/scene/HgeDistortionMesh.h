#pragma once
#include <vector>

#include "engine/Hge.h"

// A grid of coloured vertices over a texture rectangle that can be pushed about one by one and is
// drawn as one quad per cell; the game's screen effects (deform, page curl) are built on it.
class hgeDistortionMesh {
public:
    // Displacement references of SetDisplacement.
    enum { HGEDISP_NODE = 0, HGEDISP_TOPLEFT = 1, HGEDISP_CENTER = 2 };

    hgeDistortionMesh(int cols, int rows);
    hgeDistortionMesh(const hgeDistortionMesh&) = delete;
    hgeDistortionMesh& operator=(const hgeDistortionMesh&) = delete;
    ~hgeDistortionMesh();

    void SetTexture(HTEXTURE tex) { quad.tex = tex; }
    // Spreads the grid evenly over (w, h) and maps it onto that rectangle of the texture. A mesh of
    // one column or one row has no cells; its grid collapses along that axis.
    void SetTextureRect(float x, float y, float w, float h);
    void SetBlendMode(int blend) { quad.blend = blend; }
    // Every vertex back to its grid position, with this colour and depth.
    void Clear(DWORD col = 0xFFFFFFFF, float z = 0.5f);
    void SetColor(int col, int row, DWORD color);
    void SetDisplacement(int col, int row, float dx, float dy, int ref);
    void Render(float x, float y);
    // The node as Render draws it, before the mesh's position is added; null outside the grid.
    const hgeVertex* GetVertex(int col, int row) const;

private:
    hgeVertex* At(int col, int row) { return const_cast<hgeVertex*>(GetVertex(col, row)); }

    std::vector<hgeVertex> dispArray;  // rows x cols, row by row
    int nRows, nCols;
    float cellw = 0, cellh = 0;
    float tx = 0, ty = 0, width = 0, height = 0;
    hgeQuad quad;

    static HGE* hge;
};
