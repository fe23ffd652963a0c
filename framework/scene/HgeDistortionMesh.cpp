#include "framework/scene/HgeDistortionMesh.h"

#include <cstddef>

HGE* hgeDistortionMesh::hge = nullptr;

hgeDistortionMesh::hgeDistortionMesh(int cols, int rows)
    : nRows(rows > 0 ? rows : 0), nCols(cols > 0 ? cols : 0) {
    hge = hgeCreate(HGE_VERSION);
    dispArray.assign(static_cast<std::size_t>(nRows) * nCols, hgeVertex{0, 0, 0.5f, 0xFFFFFFFF, 0, 0});
    for (hgeVertex& v : quad.v) v = hgeVertex{0, 0, 0.5f, 0xFFFFFFFF, 0, 0};
    quad.tex = 0;
    quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE;
}

hgeDistortionMesh::~hgeDistortionMesh() {
    if (hge) hge->Release();
}

const hgeVertex* hgeDistortionMesh::GetVertex(int col, int row) const {
    if (col < 0 || col >= nCols || row < 0 || row >= nRows) return nullptr;
    return &dispArray[static_cast<std::size_t>(row) * nCols + col];
}

void hgeDistortionMesh::SetTextureRect(float x, float y, float w, float h) {
    tx = x, ty = y, width = w, height = h;
    float texW = w, texH = h;
    if (quad.tex && hge) {
        texW = static_cast<float>(hge->Texture_GetWidth(quad.tex, false));
        texH = static_cast<float>(hge->Texture_GetHeight(quad.tex, false));
    }
    if (texW <= 0) texW = 1;
    if (texH <= 0) texH = 1;
    // One column (or row) has no cell to divide the width (or height) into.
    cellw = nCols > 1 ? w / static_cast<float>(nCols - 1) : 0;
    cellh = nRows > 1 ? h / static_cast<float>(nRows - 1) : 0;
    for (int j = 0; j < nRows; ++j) {
        for (int i = 0; i < nCols; ++i) {
            hgeVertex& v = *At(i, j);
            v.x = static_cast<float>(i) * cellw;
            v.y = static_cast<float>(j) * cellh;
            v.tx = (v.x + x) / texW;
            v.ty = (v.y + y) / texH;
        }
    }
}

void hgeDistortionMesh::Clear(DWORD col, float z) {
    for (int j = 0; j < nRows; ++j) {
        for (int i = 0; i < nCols; ++i) {
            hgeVertex& v = *At(i, j);
            v.x = static_cast<float>(i) * cellw;
            v.y = static_cast<float>(j) * cellh;
            v.col = col;
            v.z = z;
        }
    }
}

void hgeDistortionMesh::SetColor(int col, int row, DWORD color) {
    if (hgeVertex* v = At(col, row)) v->col = color;
}

void hgeDistortionMesh::SetDisplacement(int col, int row, float dx, float dy, int ref) {
    hgeVertex* v = At(col, row);
    if (!v) return;
    switch (ref) {
        case HGEDISP_NODE:
            dx += static_cast<float>(col) * cellw;
            dy += static_cast<float>(row) * cellh;
            break;
        case HGEDISP_CENTER:
            dx += static_cast<float>(nCols - 1) * cellw / 2;
            dy += static_cast<float>(nRows - 1) * cellh / 2;
            break;
        default:  // HGEDISP_TOPLEFT: the mesh's own origin
            break;
    }
    v->x = dx;
    v->y = dy;
}

void hgeDistortionMesh::Render(float x, float y) {
    if (!hge) return;
    for (int j = 0; j + 1 < nRows; ++j) {
        for (int i = 0; i + 1 < nCols; ++i) {
            const hgeVertex* corners[4] = {At(i, j), At(i + 1, j), At(i + 1, j + 1), At(i, j + 1)};
            for (int k = 0; k < 4; ++k) {
                quad.v[k] = *corners[k];
                quad.v[k].x += x;
                quad.v[k].y += y;
            }
            hge->Gfx_RenderQuad(&quad);
        }
    }
}
