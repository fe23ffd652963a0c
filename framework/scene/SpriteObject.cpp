#include "framework/scene/SpriteObject.h"

#include <utility>

#include "framework/resources/Resource.h"
#include "framework/scene/HgeColor.h"

namespace GF {
namespace HGENS {

CSpriteObject::~CSpriteObject() {
    m_shown.Reset();
    m_sprite.Reset();
}

THolder<IObjectAnimation> CSpriteObject::Make() {
    return THolder<IObjectAnimation>(new CSpriteObject);
}

bool CSpriteObject::QueryInterface(const int& id, void** out) {
    if (id != kIdSprite) return QueryDrawableFaces(id, out);
    *out = static_cast<ISprite*>(this);
    AddRef();
    return true;
}

bool CSpriteObject::Update(const float& dt) {
    CDrawableAbstract::Update(dt);
    if (m_idResource.IsChanged()) {
        RebuildFrame();
    } else if (m_sprite) {
        if ((m_transform.dirty & TTransform::kDirtyOpacity) || m_color.IsChanged() || m_blend.IsChanged())
            ApplyColorAndBlend();
        if (m_hotspot.IsChanged()) ApplyHotspot();
    }
    m_drawX = m_transform.x;
    m_drawY = m_transform.y;
    return true;
}

void CSpriteObject::ApplyModifiers() {
    if (m_paramModifier) ApplyParamModifier(*m_paramModifier, m_transform, true);
}

void CSpriteObject::RebuildFrame() {
    const THolder<IImage> image = GetResource()->CreateSprite(m_idResource.GetValue());
    m_sprite = image ? image->GetSprite() : THolder<CHGESprite>();
    if (!m_sprite) return;
    ApplyColorAndBlend();
    ApplyHotspot();
}

namespace {

// An alpha byte times the opacity, held to the byte: a value past 0..1 (keys above 255, a parent above
// 1) would otherwise spill into the sign bit or wrap to near-transparent.
uint32_t ScaledAlpha(float alpha, float opacity) {
    int32_t scaled = detail::TruncToInt(alpha * opacity);
    if (scaled < 0) scaled = 0;
    if (scaled > 255) scaled = 255;
    return static_cast<uint32_t>(scaled);
}

}  // namespace

void CSpriteObject::ApplyColorAndBlend() {
    if (m_sprite) ApplyColorAndBlendTo(*m_sprite);
    if (m_shown) ApplyColorAndBlendTo(*m_shown);
}

void CSpriteObject::ApplyColorAndBlendTo(CHGESprite& sprite) {
    if (m_overridden) {
        sprite.quad.blend = m_blendOverride;
        const float alpha = static_cast<float>(m_colorOverride >> 24);
        sprite.SetColor((ScaledAlpha(alpha, m_transform.opacity) << 24) | (m_colorOverride & 0xFFFFFF));
        return;
    }
    const int blendKey = m_blend.GetValue();
    uint32_t rgb = 0xFFFFFF;
    if (blendKey == 0) {
        sprite.quad.blend = BLEND_DEFAULT;
    } else {
        rgb = m_color.GetValue().GetHWColor();
        switch (blendKey) {
            case 1:
                sprite.quad.blend = BLEND_COLORADD | BLEND_ALPHABLEND;
                break;
            case 2:
                sprite.quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND;
                break;
            case 3:
                sprite.quad.blend = BLEND_COLORADD | BLEND_ALPHAADD;
                break;
            case 4:
                sprite.quad.blend = BLEND_COLORMUL | BLEND_ALPHAADD;
                break;
            default:
                break;  // the blend of the previous frame stays
        }
    }
    // The alpha is the opacity's alone.
    sprite.SetColor((ScaledAlpha(255.0f, m_transform.opacity) << 24) | (rgb & 0xFFFFFF));
}

void CSpriteObject::ApplyHotspot() {
    const TPoint<float>& hotspot = m_hotspot.GetValue();
    m_sprite->hotX = hotspot.x * (m_sprite->width / 10000.0f);
    m_sprite->hotY = hotspot.y * (m_sprite->height / 10000.0f);
}

void CSpriteObject::Render() {
    if (const THolder<CHGESprite>& drawn = Drawn())
        drawn->RenderEx(m_drawX, m_drawY, m_transform.angle, m_transform.scaleX, m_transform.scaleY);
}

TRect CSpriteObject::GetBoundingBox() {
    const THolder<CHGESprite>& drawn = Drawn();
    if (!drawn) {
        m_bounds = TRect{};
        return m_bounds;
    }
    hgeRect box;
    drawn->GetBoundingBoxEx(m_drawX, m_drawY, m_transform.angle, m_transform.scaleX, m_transform.scaleY,
                            &box);
    int32_t x1 = detail::TruncToInt(box.x1), y1 = detail::TruncToInt(box.y1), x2 = detail::TruncToInt(box.x2),
            y2 = detail::TruncToInt(box.y2);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    m_bounds = TRect{x1, y1, x2, y2};
    return m_bounds;
}

uint32_t CSpriteObject::GetColor() {
    return m_sprite ? m_sprite->GetColor(0) : 0xFFFFFFFF;
}

void CSpriteObject::SetColorAndBlend(uint32_t color, int blend) {
    m_overridden = true;
    m_colorOverride = color;
    m_blendOverride = blend;
    if (m_sprite) ApplyColorAndBlend();
}

void CSpriteObject::ShowSprite(const THolder<CHGESprite>& sprite) {
    m_shown = sprite;
    if (m_shown) ApplyColorAndBlendTo(*m_shown);
}

THolder<CHGESprite> CSpriteObject::GetShownSprite() {
    return Drawn();
}

}  // namespace HGENS
}  // namespace GF
