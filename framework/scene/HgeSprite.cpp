#include "framework/scene/HgeSprite.h"

#include <cmath>
#include <utility>

HGE* hgeSprite::hge = nullptr;

hgeSprite::hgeSprite(HTEXTURE texture, float x, float y, float w, float h)
    : tx(x), ty(y), width(w), height(h), texWidth(1.0f), texHeight(1.0f) {
    hge = hgeCreate(HGE_VERSION);
    if (texture && hge) {
        // A handle the engine does not know answers 0; keep 1 so the coordinates stay finite.
        const int texW = hge->Texture_GetWidth(texture, false);
        const int texH = hge->Texture_GetHeight(texture, false);
        if (texW > 0) texWidth = static_cast<float>(texW);
        if (texH > 0) texHeight = static_cast<float>(texH);
    }
    const float left = x / texWidth, top = y / texHeight;
    const float right = (x + w) / texWidth, bottom = (y + h) / texHeight;
    quad.v[0].tx = left, quad.v[0].ty = top;
    quad.v[1].tx = right, quad.v[1].ty = top;
    quad.v[2].tx = right, quad.v[2].ty = bottom;
    quad.v[3].tx = left, quad.v[3].ty = bottom;
    for (hgeVertex& v : quad.v) {
        v.x = v.y = 0;
        v.z = 0.5f;
        v.col = 0xFFFFFFFF;
    }
    quad.tex = texture;
    quad.blend = BLEND_DEFAULT;
}

hgeSprite::hgeSprite(const hgeSprite& other)
    : quad(other.quad),
      tx(other.tx),
      ty(other.ty),
      width(other.width),
      height(other.height),
      texWidth(other.texWidth),
      texHeight(other.texHeight),
      hotX(other.hotX),
      hotY(other.hotY),
      flipX(other.flipX),
      flipY(other.flipY) {
    hge = hgeCreate(HGE_VERSION);
}

hgeSprite::~hgeSprite() {
    if (hge) hge->Release();
}

void hgeSprite::Draw(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3) {
    quad.v[0].x = x0, quad.v[0].y = y0;
    quad.v[1].x = x1, quad.v[1].y = y1;
    quad.v[2].x = x2, quad.v[2].y = y2;
    quad.v[3].x = x3, quad.v[3].y = y3;
    if (hge) hge->Gfx_RenderQuad(&quad);
}

void hgeSprite::Render(float x, float y) {
    const float left = x - hotX, top = y - hotY;
    const float right = left + width, bottom = top + height;
    Draw(left, top, right, top, right, bottom, left, bottom);
}

namespace {

// The four corners (top-left, top-right, bottom-right, bottom-left) of a sprite placed at (x, y),
// scaled about its hotspot and rotated about it by rot radians.
void TransformedCorners(const hgeSprite& s, float x, float y, float rot, float hscale, float vscale,
                        float out[8]) {
    const float left = -s.hotX * hscale, top = -s.hotY * vscale;
    const float right = (s.width - s.hotX) * hscale, bottom = (s.height - s.hotY) * vscale;
    const float local[8] = {left, top, right, top, right, bottom, left, bottom};
    if (rot == 0.0f) {
        for (int i = 0; i < 4; ++i) {
            out[2 * i] = local[2 * i] + x;
            out[2 * i + 1] = local[2 * i + 1] + y;
        }
        return;
    }
    const float c = std::cos(rot), sn = std::sin(rot);
    for (int i = 0; i < 4; ++i) {
        const float a = local[2 * i], b = local[2 * i + 1];
        out[2 * i] = a * c - b * sn + x;
        out[2 * i + 1] = b * c + a * sn + y;
    }
}

}  // namespace

void hgeSprite::RenderEx(float x, float y, float rot, float hscale, float vscale) {
    if (vscale == 0.0f) vscale = hscale;
    float c[8];
    TransformedCorners(*this, x, y, rot, hscale, vscale, c);
    Draw(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
}

void hgeSprite::Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3) {
    Draw(x0, y0, x1, y1, x2, y2, x3, y3);
}

hgeRect* hgeSprite::GetBoundingBoxEx(float x, float y, float rot, float hscale, float vscale,
                                     hgeRect* rect) const {
    rect->Clear();
    float c[8];
    TransformedCorners(*this, x, y, rot, hscale, vscale, c);
    for (int i = 0; i < 4; ++i) rect->Encapsulate(c[2 * i], c[2 * i + 1]);
    return rect;
}

void hgeSprite::SetFlip(bool bX, bool bY) {
    if (bX != flipX) {
        std::swap(quad.v[0].tx, quad.v[1].tx);
        std::swap(quad.v[0].ty, quad.v[1].ty);
        std::swap(quad.v[3].tx, quad.v[2].tx);
        std::swap(quad.v[3].ty, quad.v[2].ty);
        flipX = !flipX;
    }
    if (bY != flipY) {
        std::swap(quad.v[0].tx, quad.v[3].tx);
        std::swap(quad.v[0].ty, quad.v[3].ty);
        std::swap(quad.v[1].tx, quad.v[2].tx);
        std::swap(quad.v[1].ty, quad.v[2].ty);
        flipY = !flipY;
    }
}

void hgeSprite::SetColor(DWORD col, int i) {
    if (i == -1) {
        for (hgeVertex& v : quad.v) v.col = col;
    } else if (i >= 0 && i < 4) {
        quad.v[i].col = col;
    }
}
