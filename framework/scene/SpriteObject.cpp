#include "framework/scene/SpriteObject.h"

#include <utility>

#include "framework/resources/Resource.h"
#include "framework/scene/HgeColor.h"

namespace GF {
namespace HGENS {

CSpriteObject::~CSpriteObject() {
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

void CSpriteObject::ApplyColorAndBlend() {
    const int blendKey = m_blend.GetValue();
    uint32_t rgb = 0xFFFFFF;
    if (blendKey == 0) {
        m_sprite->quad.blend = BLEND_DEFAULT;
    } else {
        rgb = m_colorOverride != kNoColorOverride ? m_colorOverride : m_color.GetValue().GetHWColor();
        switch (blendKey) {
            case 1:
                m_sprite->quad.blend = BLEND_COLORADD | BLEND_ALPHABLEND;
                break;
            case 2:
                m_sprite->quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND;
                break;
            case 3:
                m_sprite->quad.blend = BLEND_COLORADD | BLEND_ALPHAADD;
                break;
            case 4:
                m_sprite->quad.blend = BLEND_COLORMUL | BLEND_ALPHAADD;
                break;
            default:
                break;  // the blend of the previous frame stays
        }
    }
    // The alpha is the opacity's alone. An opacity past 0..1 (keys above 255, a parent above 1)
    // is held to the byte: unclamped it would spill into the sign bit or wrap to near-transparent.
    int32_t alpha = detail::TruncToInt(m_transform.opacity * 255.0f);
    if (alpha < 0) alpha = 0;
    if (alpha > 255) alpha = 255;
    m_sprite->SetColor((static_cast<uint32_t>(alpha) << 24) | (rgb & 0xFFFFFF));
}

void CSpriteObject::ApplyHotspot() {
    const TPoint<float>& hotspot = m_hotspot.GetValue();
    m_sprite->hotX = hotspot.x * (m_sprite->width / 10000.0f);
    m_sprite->hotY = hotspot.y * (m_sprite->height / 10000.0f);
}

void CSpriteObject::Render() {
    if (m_sprite)
        m_sprite->RenderEx(m_drawX, m_drawY, m_transform.angle, m_transform.scaleX, m_transform.scaleY);
}

TRect CSpriteObject::GetBoundingBox() {
    if (!m_sprite) {
        m_bounds = TRect{};
        return m_bounds;
    }
    hgeRect box;
    m_sprite->GetBoundingBoxEx(m_drawX, m_drawY, m_transform.angle, m_transform.scaleX, m_transform.scaleY,
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
    m_colorOverride = color;
    if (!m_sprite) return;
    m_sprite->SetColor(color);
    m_sprite->quad.blend = blend;
}

}  // namespace HGENS
}  // namespace GF
