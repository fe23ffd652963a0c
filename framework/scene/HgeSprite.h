#pragma once
#include "engine/Hge.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeRect.h"

// A textured rectangle drawn through the engine's quad: hotspot, flip, per-corner colour, depth and
// blend mode. Fonts, images, sprite objects, particles and the game read and write its fields
// directly (the texture handle and blend mode in `quad`, the hotspot, the rectangle size).
class hgeSprite {
public:
    // (x, y, w, h) is the source rectangle in texture pixels; without a texture (0) the texture
    // coordinates are the pixel rectangle itself.
    hgeSprite(HTEXTURE texture, float x, float y, float w, float h);
    hgeSprite(const hgeSprite& other);
    hgeSprite& operator=(const hgeSprite& other) = default;
    ~hgeSprite();

    void Render(float x, float y);
    // vscale 0 means "as hscale".
    void RenderEx(float x, float y, float rot, float hscale = 1.0f, float vscale = 0.0f);
    // Corners top-left, top-right, bottom-right, bottom-left.
    void Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);
    // The corners RenderEx would draw, vscale used as given (0 flattens the box).
    hgeRect* GetBoundingBoxEx(float x, float y, float rot, float hscale, float vscale, hgeRect* rect) const;

    // Mirrors the texture coordinates of each axis whose state changes; the hotspot stays.
    void SetFlip(bool bX, bool bY);
    void SetColor(DWORD col, int i = -1);  // i = -1: all four corners
    DWORD GetColor(int i = 0) const { return i >= 0 && i < 4 ? quad.v[i].col : 0; }
    void SetHotSpot(float x, float y) {
        hotX = x;
        hotY = y;
    }

    hgeQuad quad;
    float tx, ty, width, height;
    float texWidth, texHeight;
    float hotX = 0, hotY = 0;
    bool flipX = false, flipY = false;

    // The engine every sprite draws through; each construction takes a reference, each
    // destruction gives one back.
    static HGE* hge;

private:
    void Draw(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);
};

namespace GF::HGENS {

// An engine sprite shared through holders (fonts, images, sprite objects, game code).
class CHGESprite : public CRefCount, public hgeSprite {
public:
    CHGESprite(HTEXTURE texture, float x, float y, float w, float h) : hgeSprite(texture, x, y, w, h) {}
};

}  // namespace GF::HGENS
