#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Texture.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IParticle.h"
#include "framework/scene/IPropertiesTransform.h"
#include "framework/scene/ParticleCore.h"
#include "framework/scene/Rect.h"
#include "framework/scene/TrackPlayer.h"
#include "framework/scene/Transform.h"

namespace GF {
namespace HGENS {

// The free particle system the game makes from a ".fgp" file and a texture name: it may follow a
// parent animation (its position, or its whole bounding box) and may emit for a limited time, after
// which it stops and lets go of its parent. While it has no animation to update it, the particle
// registry does, until its last particle has died. Every object registers itself when it is made.
// Times given to Update are milliseconds; the core's fields are the game's to set directly.
class CFGParticle : public IObjectAnimation,
                    public IDrawable,
                    public CRefCount,
                    public IParticle,
                    public CFGParticleImpl,
                    protected CSceneMembership {
public:
    CFGParticle();
    ~CFGParticle() override;

    // A new system with the file's parameters (a missing file leaves the defaults), emitting for
    // `lifetime` seconds (-1: without end), drawn with the cached texture of that name (an unknown
    // name draws nothing).
    static THolder<CFGParticle> Create(const std::string& fileName, const std::string& textureName,
                                       float lifetime, bool removeWhenDone);

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // --- IObjectAnimation ---
    bool IsPlaying() override { return emitting; }
    const std::string& GetName() override;
    THolder<IObjectData> GetObjectData() override { return {}; }
    TAnimationPtr GetParent() override { return m_parent; }
    void SetObjectData(const THolder<IObjectData>&) override {}
    // Leaves the old parent; joins the new one as a child only while attachToParent is set.
    void SetParent(const TAnimationPtr& parent) override;
    // Stops emitting and forgets the parent (the live particles fly on).
    void Detach() override;
    void SetPlaying(bool playing) override;
    bool Update(const float& dt) override;

    // --- IDrawable ---
    void Render() override { CFGParticleImpl::Render(); }
    int32_t GetLayer() override { return layer; }
    // A particle system reports an empty box.
    TRect GetBoundingBox() override;
    THolder<IScene> GetScene() override { return m_scene; }
    bool IsVisible() override { return m_visible; }
    void SetScene(const THolder<IScene>& scene) override;
    void SetVisible(bool visible) override;

    // --- IParticle ---
    bool IsOrphan() override { return !(m_parent && attachToParent); }
    bool IsAlive() override { return GetLiveCount() != 0 || emitting; }
    void SetEmitting(bool on) override { SetPlaying(on); }

    const TTransform& GetTransform() const { return m_transform; }

    float startDelay = 0.0f;  // milliseconds the system waits before its first update
    float density = 0.0f;     // emission per square pixel of half box in fill-box mode
    bool attachToParent = true;
    bool fillParentBox = false;
    float offsetX = 0.0f, offsetY = 0.0f;  // from the parent's position
    bool removeWhenDone = false;
    float lifetime = -1.0f;  // seconds of emission left; -1 endless
    int32_t layer = 10000;

private:
    void FollowParent();
    // At the end of its life time: out of the parent's child list (so that only the registry
    // updates it from now on), stopped, parent forgotten.
    void LeaveParent();

    TTransform m_transform;
    TRect m_bounds;
    TAnimationPtr m_parent;
};

// The timeline particle object: a child of an animation built from a particle-system description.
// Its tracks choose the ".PSI" file and the particle sprite and start and stop emission against the
// parent's clock; its offset, layer and opacity follow the parent like a drawable's. Once it has no
// parent, the particle registry runs it until its last particle has died.
class CFGFParticle : public CObjectAnimationAbstract<IParticleObjectData>,
                     public IParticle,
                     public IDrawable,
                     public CRefCount,
                     public IPropertiesTransform,
                     protected CSceneMembership {
public:
    CFGFParticle();
    ~CFGFParticle() override;

    // A new, unbound object in its first holder: the maker particle descriptions use.
    static THolder<IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // --- IObjectAnimation ---
    // Rebinds the seven tracks and makes a new parameter modifier; a description that is not a
    // particle system's is ignored.
    void SetObjectData(const THolder<IObjectData>& description) override;
    void Detach() override;
    bool Update(const float& dt) override;

    // --- IDrawable ---
    void Render() override { m_core.Render(); }
    int32_t GetLayer() override { return m_transform.layer; }
    TRect GetBoundingBox() override { return TRect{}; }
    THolder<IScene> GetScene() override { return m_scene; }
    bool IsVisible() override { return m_visible; }
    void SetScene(const THolder<IScene>& scene) override;
    void SetVisible(bool visible) override;

    // --- IParticle ---
    bool IsOrphan() override { return !m_parent; }
    bool IsAlive() override { return m_core.GetLiveCount() > 0; }
    // Only remembered: the command track decides about emission.
    void SetEmitting(bool on) override { m_emittingFlag = on; }

    // --- IPropertiesTransform ---
    TOffsetPlayer* Offset() override { return &m_offset; }
    const TOffsetPlayer* Offset() const override { return &m_offset; }
    TLayerPlayer* Layer() override { return &m_layer; }
    const TLayerPlayer* Layer() const override { return &m_layer; }
    TOpaquePlayer* Opaque() override { return &m_opaque; }
    const TOpaquePlayer* Opaque() const override { return &m_opaque; }

    const TTransform& GetTransform() const { return m_transform; }

private:
    void PlayTimeline(const TAnimationPtr& parent);
    void ApplyCommand();
    void ApplyBlend();

    THolder<IParamModifier> m_paramModifier;
    TTrackPlayer<EParamKind::Blend> m_blend;
    TTrackPlayer<EParamKind::Offset> m_offset;
    TTrackPlayer<EParamKind::IDResource> m_particleID;
    TTrackPlayer<EParamKind::Layer> m_layer;
    TTrackPlayer<EParamKind::Opaque> m_opaque;
    TTrackPlayer<EParamKind::IDResource> m_particleIDSprite;
    TTrackPlayer<EParamKind::ParticleCommand> m_command{2};  // 2: stop emitting
    TTransform m_transform;
    CFGParticleImpl m_core;
    THolder<IImage> m_sprite;
    bool m_emittingFlag = false;
};

}  // namespace HGENS
}  // namespace GF
