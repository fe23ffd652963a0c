#pragma once
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/DrawableAbstract.h"

namespace GF {
namespace HGENS {

// An invisible member of an animation that restricts drawing to a screen rectangle: it sits in the
// scene's draw list at its layer, and drawing it sets the engine's clipping rectangle, which holds for
// everything drawn after it until the next clipping object or the end of the scene's draw. Its
// rectangle follows its Offset, Hotspot and Scale tracks (the size in units of 100 pixels) and the
// parent; it is cut to the screen and never handed to the engine with no width or height, which the
// engine would take as "stop clipping".
class CClipping : public CObjectAnimationAbstract<IClippingObjectData>,
                  public IDrawable,
                  public CRefCount,
                  public IPropertiesTransform,
                  protected CSceneMembership {
public:
    CClipping() = default;
    ~CClipping() override;
    CClipping(const CClipping&) = delete;
    CClipping& operator=(const CClipping&) = delete;

    // A new, unbound clipping object in its first holder: the maker clipping descriptions use.
    static THolder<IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // --- IObjectAnimation ---
    // A description that is not a clipping's is ignored.
    void SetObjectData(const THolder<IObjectData>& description) override;
    // Leaves the scene's draw list.
    void Detach() override;
    bool Update(const float& dt) override;

    // --- IDrawable ---
    // Sets the engine's clipping rectangle while visible; draws nothing.
    void Render() override;
    int32_t GetLayer() override { return m_transform.layer; }
    TRect GetBoundingBox() override { return m_clipRect; }
    THolder<IScene> GetScene() override { return m_scene; }
    bool IsVisible() override { return m_visible; }
    // Joins the scene's draw list whether visible or not: an invisible clipping leaves the engine's
    // clipping as it is when its turn comes.
    void SetScene(const THolder<IScene>& scene) override;
    void SetVisible(bool visible) override { m_visible = visible; }

    // --- IPropertiesTransform ---
    TOffsetPlayer* Offset() override { return &m_offset; }
    const TOffsetPlayer* Offset() const override { return &m_offset; }
    THotspotPlayer* Hotspot() override { return &m_hotspot; }
    const THotspotPlayer* Hotspot() const override { return &m_hotspot; }
    TLayerPlayer* Layer() override { return &m_layer; }
    const TLayerPlayer* Layer() const override { return &m_layer; }
    TScalePlayer* Scale() override { return &m_scale; }
    const TScalePlayer* Scale() const override { return &m_scale; }

    const TTransform& GetTransform() const { return m_transform; }

private:
    TDrawablePtr SelfDrawable() { return TDrawablePtr(static_cast<IDrawable*>(this)); }

    THolder<IParamModifier> m_paramModifier;
    TTrackPlayer<EParamKind::Offset> m_offset;
    TTrackPlayer<EParamKind::Hotspot> m_hotspot;
    TTrackPlayer<EParamKind::Layer> m_layer;
    TTrackPlayer<EParamKind::Scale> m_scale;
    TRect m_clipRect;
    TTransform m_transform;
};

}  // namespace HGENS
}  // namespace GF
