#include "framework/scene/Clipping.h"

#include "engine/Hge.h"
#include "framework/core/GameProperties.h"

namespace GF {
namespace HGENS {

CClipping::~CClipping() {
    m_paramModifier.Reset();
    m_scene.Reset();
    m_parent.Reset();
    m_data.Reset();
}

THolder<IObjectAnimation> CClipping::Make() {
    return THolder<IObjectAnimation>(new CClipping);
}

bool CClipping::QueryInterface(const int& id, void** out) {
    return QueryChildFaces(id, out, this, this);
}

void CClipping::SetObjectData(const THolder<IObjectData>& description) {
    auto* clipping = dynamic_cast<IClippingObjectData*>(description.Get());
    if (description && !clipping) return;
    RewindTracks(m_offset, m_hotspot, m_layer, m_scale);
    m_data = THolder<IClippingObjectData>(clipping);
    if (!m_data) {
        m_paramModifier.Reset();
        return;
    }
    m_offset.Bind(m_data->GetOffset());
    m_hotspot.Bind(m_data->GetHotspot());
    m_layer.Bind(m_data->GetLayer());
    m_scale.Bind(m_data->GetScale());
    m_paramModifier = MakeParamModifier(m_data->GetParamModifiers());
}

void CClipping::Detach() {
    SetScene({});
}

void CClipping::SetScene(const THolder<IScene>& scene) {
    JoinScene(scene, SelfDrawable(), true);
}

bool CClipping::Update(const float&) {
    // The timeline step the drawables share, over the four tracks a clipping has.
    const TAnimationPtr parent = m_parent;
    const float t = parent ? parent->GetTime() : 0.0f;
    const bool wasPlaying = PlayTracks(t, m_offset, m_hotspot, m_layer, m_scale);
    TTransform& tr = m_transform;
    tr.dirty = 0;
    tr.x = m_offset.GetValue().x;
    tr.y = m_offset.GetValue().y;
    if (m_offset.IsChanged()) tr.dirty |= TTransform::kDirtyPosition;
    tr.layer = m_layer.GetValue();
    if (m_layer.IsChanged()) tr.dirty |= TTransform::kDirtyLayer;
    tr.scaleX = m_scale.GetValue().x;
    tr.scaleY = m_scale.GetValue().y;
    if (m_scale.IsChanged()) tr.dirty |= TTransform::kDirtyScale;
    // No opacity or rotation tracks: back to the defaults before the parent's are combined in.
    tr.opacity = 1.0f;
    tr.angle = 0.0f;
    tr.sin = 0.0f;
    tr.cos = 1.0f;
    if (parent) {
        tr.Combine(parent->GetTransform());
        FollowParentClock(wasPlaying, parent);
    }
    if ((tr.dirty & TTransform::kDirtyLayer) && m_scene) m_scene->RequestSort();

    const float w = tr.scaleX * 100.0f;
    const float h = tr.scaleY * 100.0f;
    int32_t x2 = detail::TruncToInt(w);
    int32_t y2 = detail::TruncToInt(h);
    const float hx = m_hotspot.GetValue().x * (w / 10000.0f);
    const float hy = m_hotspot.GetValue().y * (h / 10000.0f);
    if (m_paramModifier) ApplyParamModifier(*m_paramModifier, tr, false);
    const int32_t x1 = detail::TruncToInt(tr.x - hx);
    const int32_t y1 = detail::TruncToInt(tr.y - hy);
    x2 += x1;
    y2 += y1;

    const THolder<CGameProperties> properties = GetGameProperties();
    const TRect screen{0, 0, properties->m_screenWidth, properties->m_screenHeight};
    TRectIntersect(TRect{x1, y1, x2, y2}, screen, m_clipRect);
    // Never a zero width or height: the engine takes that as "stop clipping". An empty rectangle
    // becomes one pixel and hides what follows.
    if (m_clipRect.right - m_clipRect.left <= 0) m_clipRect.right += 1;
    if (m_clipRect.bottom - m_clipRect.top <= 0) m_clipRect.bottom += 1;
    return true;
}

void CClipping::Render() {
    if (!m_visible) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->Gfx_SetClipping(m_clipRect.left, m_clipRect.top, m_clipRect.right - m_clipRect.left,
                         m_clipRect.bottom - m_clipRect.top);
    hge->Release();
}

}  // namespace HGENS
}  // namespace GF
