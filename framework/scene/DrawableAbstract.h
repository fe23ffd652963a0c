#pragma once
#include <string>
#include <vector>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/resources/ObjectData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IPropertiesTransform.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Modifier.h"
#include "framework/scene/TrackPlayer.h"
#include "framework/scene/Transform.h"

namespace GF {

// The point (x, y) of the screen in the local frame of an object standing at `transform`: moved to
// its position, turned back by its rotation and divided by its scale. Hit tests of sprites and of the
// game's own objects compare the answer with the object's local rectangle. A scale of 0 has no
// extent: that coordinate becomes +infinity, outside every rectangle.
TPoint<float> InverseTransformPoint(const TTransform& transform, const TPoint<float>& point);

// A new parameter modifier over a description's records; empty when there are none.
THolder<IParamModifier> MakeParamModifier(const THolder<TParamModifierList>& records);

// Advances a drawable's parameter modifier by the engine's frame time (seconds) and adds parameters
// 2 and 3 to the position and, withRotation, parameter 1 to the angle; only what moves is stored and
// gets its dirty bit.
void ApplyParamModifier(IParamModifier& modifier, TTransform& transform, bool withRotation);

// Answers the faces a child of an animation shows: the base and the timeline always, the drawable,
// the substituted container and the particle where given (not null); a reference added. false for any
// other face.
bool QueryChildFaces(const int& id, void** out, IObjectAnimation* timeline, IDrawable* drawable,
                     ISubstitutedContainer* container = nullptr, HGENS::IParticle* particle = nullptr);

// A drawable's place in a scene's draw list: the scene it is on and whether it shows. A visible
// drawable with a scene is listed; the drawable's own SetScene and SetVisible call these.
class CSceneMembership {
protected:
    // Leaves the old scene's draw list and joins the new one's, while visible or when `evenHidden`.
    void JoinScene(const THolder<IScene>& scene, const TDrawablePtr& self, bool evenHidden = false);
    // Joins or leaves the draw list as the flag changes; false when it did not change.
    bool ChangeVisibility(bool visible, const TDrawablePtr& self);

    THolder<IScene> m_scene;
    bool m_visible = true;
};

// The timeline part every child of an animation shares: the playing flag, the parent whose clock it
// follows and the description (of interface D) it plays. The concrete class answers the queries and
// keeps the reference count.
template <class D>
class CObjectAnimationAbstract : public IObjectAnimation {
public:
    bool IsPlaying() override { return m_playing; }
    const std::string& GetName() override {
        static const std::string kNoName;
        return m_data ? m_data->GetName() : kNoName;
    }
    THolder<IObjectData> GetObjectData() override { return THolder<IObjectData>(m_data.Get()); }
    TAnimationPtr GetParent() override { return m_parent; }
    void SetParent(const TAnimationPtr& parent) override {
        const TAnimationPtr incoming = parent;  // the argument may be this object's own field
        const TObjectAnimationPtr self(static_cast<IObjectAnimation*>(this));
        if (m_parent) {
            const TAnimationPtr old = m_parent;
            old->RemoveObject(self);
        }
        m_parent = incoming;
        if (m_parent) m_parent->AddObject(self);
    }
    void SetPlaying(bool playing) override { m_playing = playing; }

protected:
    // The first half of every child's step: its tracks play at the parent's time t while it plays;
    // while it is held they only forget their changes. Answers whether it was playing.
    template <class... Tracks>
    bool PlayTracks(float t, Tracks&... tracks) {
        if (m_playing)
            (tracks.Update(t), ...);
        else
            (tracks.ClearChanged(), ...);
        return m_playing;
    }
    // The second half: the child plays as long as its parent does, stopping when the parent has
    // finished and starting again when the parent plays anew.
    void FollowParentClock(bool wasPlaying, const TAnimationPtr& parent) {
        const bool finished = parent->IsFinished();
        if (!wasPlaying && !finished) m_playing = true;
        if (wasPlaying && finished) m_playing = false;
    }
    // Sends the tracks back to their start, before a new description (or none) binds them.
    template <class... Tracks>
    static void RewindTracks(Tracks&... tracks) {
        (tracks.Rewind(), ...);
    }

    bool m_playing = true;
    TAnimationPtr m_parent;
    THolder<D> m_data;
};

// The common base of the image and text drawables: it plays the tracks of a drawable description
// against its parent's clock, folds their values and the parent's world transform into one record per
// frame, registers itself with a scene for drawing, and hosts substituted animations, which its
// CommandSubstAnimation track starts. The concrete classes add the reference count, the interface
// query, drawing and the bounding box.
class CDrawableAbstract : public CObjectAnimationAbstract<IDrawableObjectData>,
                          public IDrawable,
                          public ISubstitutedContainer,
                          public IPropertiesTransform,
                          protected CSceneMembership {
public:
    using TIDResourcePlayer = TTrackPlayer<EParamKind::IDResource>;

    CDrawableAbstract() = default;
    ~CDrawableAbstract() override;
    CDrawableAbstract(const CDrawableAbstract&) = delete;
    CDrawableAbstract& operator=(const CDrawableAbstract&) = delete;

    // --- IObjectAnimation ---
    // Rebinds the tracks, rebuilds the substituted animations and makes a new parameter modifier; a
    // description that is not a drawable's is ignored.
    void SetObjectData(const THolder<IObjectData>& description) override;
    // Leaves the scene and destroys the substituted animations.
    void Detach() override;
    bool Update(const float& dt) override;

    // Called by Update once the track values are in the transform record, before the parent's
    // record is combined in: where parameter modifiers add their wobble.
    virtual void ApplyModifiers() = 0;

    // --- IDrawable ---
    int32_t GetLayer() override { return m_transform.layer; }
    THolder<IScene> GetScene() override { return m_scene; }
    bool IsVisible() override { return m_visible; }
    void SetScene(const THolder<IScene>& scene) override;
    void SetVisible(bool visible) override;

    // --- ISubstitutedContainer ---
    // (module, name) of the resource tables.
    TAnimationPtr Substitute(const std::string& module, const std::string& name) override;
    // "module.name", or a bare name searched in every module.
    TAnimationPtr Substitute(const std::string& path) override;
    TAnimationPtr GetSubstituted(int index) override;
    TAnimationPtr FindSubstituted(const std::string& name) override;
    const TTransform& GetTransform() override { return m_transform; }
    bool RemoveSubstituted(const std::string& name) override;

    // --- IPropertiesTransform ---
    TOffsetPlayer* Offset() override { return &m_offset; }
    const TOffsetPlayer* Offset() const override { return &m_offset; }
    THotspotPlayer* Hotspot() override { return &m_hotspot; }
    const THotspotPlayer* Hotspot() const override { return &m_hotspot; }
    TLayerPlayer* Layer() override { return &m_layer; }
    const TLayerPlayer* Layer() const override { return &m_layer; }
    TOpaquePlayer* Opaque() override { return &m_opaque; }
    const TOpaquePlayer* Opaque() const override { return &m_opaque; }
    TRotatePlayer* Rotate() override { return &m_rotate; }
    const TRotatePlayer* Rotate() const override { return &m_rotate; }
    TScalePlayer* Scale() override { return &m_scale; }
    const TScalePlayer* Scale() const override { return &m_scale; }

    // The record as its follow flags and scale weight are set for the next updates.
    TTransform& GetTransformRef() { return m_transform; }

protected:
    // Answers the faces every drawable shows (0, 1, 3 and 4), a reference added; false otherwise.
    bool QueryDrawableFaces(const int& id, void** out);

    TTrackPlayer<EParamKind::Blend> m_blend;
    TTrackPlayer<EParamKind::Color> m_color;
    TTrackPlayer<EParamKind::Offset> m_offset;
    TTrackPlayer<EParamKind::Hotspot> m_hotspot;
    TTrackPlayer<EParamKind::IDResource> m_idResource;
    TTrackPlayer<EParamKind::Layer> m_layer;
    TTrackPlayer<EParamKind::Opaque> m_opaque;
    TTrackPlayer<EParamKind::Rotate> m_rotate;
    TTrackPlayer<EParamKind::Scale> m_scale;
    TTrackPlayer<EParamKind::CommandSubstAnimation> m_commandSubst;
    TTransform m_transform;
    std::vector<TAnimationPtr> m_substituted;
    // Made from the description's parameter-modifier records; ApplyModifiers applies it.
    THolder<IParamModifier> m_paramModifier;

private:
    TDrawablePtr SelfDrawable() { return TDrawablePtr(static_cast<IDrawable*>(this)); }
    TAnimationPtr Host(const THolder<IAnimationData>& data);
    void DestroySubstituted();
    void BuildCommandTrack();
    void TracksIntoTransform();

    // The rotation whose sine and cosine were computed last, so that a steady angle costs no trig.
    float m_trigAngle = 0.0f;
    float m_trigSin = 0.0f;
    float m_trigCos = 1.0f;
};

}  // namespace GF
