#pragma once
#include <string>
#include <vector>

#include "framework/core/RefCount.h"
#include "framework/core/WString.h"
#include "framework/resources/Font.h"
#include "framework/resources/ObjectData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IParticle.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISound.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "framework/scene/TrackPlayer.h"

// Small stand-ins for the children and the scene of an animation object, for tests of the animation
// itself before (or instead of) the real sprites, sounds, particles and scene.

// A drawable child: plays the transform tracks of a sprite or text-sprite description (the other
// kinds too, for reading) at its parent's time, combines them with the parent's world record, and
// records what was asked of it. Which faces it shows besides IObjectAnimation and IDrawable (text
// sprite, particle, substituted container) is chosen at construction.
class CTestDrawable : public GF::IObjectAnimation,
                      public GF::IDrawable,
                      public GF::ISubstitutedContainer,
                      public GF::ITextSprite,
                      public GF::HGENS::IParticle,
                      public GF::CRefCount {
public:
    enum EFace { kTextSprite = 1, kParticle = 2, kContainer = 4 };
    explicit CTestDrawable(int faces = 0, std::string name = std::string())
        : m_faces(faces), m_name(std::move(name)) {}

    // Makers for the object-maker table.
    static GF::THolder<GF::IObjectAnimation> MakeSprite();
    static GF::THolder<GF::IObjectAnimation> MakeTextSprite();
    static GF::THolder<GF::IObjectAnimation> MakeParticle();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // IObjectAnimation
    bool IsPlaying() override { return playing; }
    const std::string& GetName() override;
    GF::THolder<GF::IObjectData> GetObjectData() override { return description; }
    GF::TAnimationPtr GetParent() override { return parent; }
    void SetObjectData(const GF::THolder<GF::IObjectData>& data) override;
    void SetParent(const GF::TAnimationPtr& newParent) override;
    void Detach() override;
    void SetPlaying(bool value) override { playing = value; }
    bool Update(const float& dt) override;

    // IDrawable
    void Render() override { ++renders; }
    int32_t GetLayer() override { return transform.layer; }
    GF::TRect GetBoundingBox() override { return bounds; }
    GF::THolder<GF::IScene> GetScene() override { return scene; }
    bool IsVisible() override { return visible; }
    void SetScene(const GF::THolder<GF::IScene>& value) override;
    void SetVisible(bool value) override;

    // ISubstitutedContainer
    GF::TAnimationPtr Substitute(const std::string&, const std::string&) override { return {}; }
    GF::TAnimationPtr Substitute(const std::string&) override { return {}; }
    GF::TAnimationPtr GetSubstituted(int index) override;
    GF::TAnimationPtr FindSubstituted(const std::string& name) override;
    const GF::TTransform& GetTransform() override { return transform; }
    bool RemoveSubstituted(const std::string&) override { return false; }

    // ITextSprite
    const GF::WString& GetText() override { return text; }
    void SetText(const GF::WString& value) override { text = value; }
    void SetText(const GF::WChar* value) override { text = value ? value : u""; }
    void SetNumber(int number) override { text = GF::IntToWString(number); }
    uint32_t GetColor() override { return 0xFFFFFFFF; }
    void SetColor(uint32_t) override {}
    GF::THolder<GF::ITextDescrition> GetTextDescription() override { return {}; }
    GF::THolder<GF::IFont> GetFont() override { return {}; }

    // IParticle
    bool IsOrphan() override { return !parent; }
    bool IsAlive() override { return true; }
    void SetEmitting(bool value) override { emitting = value; }

    // The record the tracks start from each update (follow flags, scale weight).
    GF::TTransform base;
    GF::TTransform transform;
    GF::TRect bounds;
    GF::WString text;
    bool playing = true;
    bool visible = true;
    bool emitting = true;
    GF::TAnimationPtr parent;
    GF::THolder<GF::IObjectData> description;
    GF::THolder<GF::IScene> scene;
    std::vector<GF::TAnimationPtr> substituted;

    GF::TTrackPlayer<GF::EParamKind::Blend> blend;
    GF::TTrackPlayer<GF::EParamKind::Color> color;
    GF::TTrackPlayer<GF::EParamKind::Offset> offset;
    GF::TTrackPlayer<GF::EParamKind::Hotspot> hotspot;
    GF::TTrackPlayer<GF::EParamKind::IDResource> idResource;
    GF::TTrackPlayer<GF::EParamKind::Layer> layer;
    GF::TTrackPlayer<GF::EParamKind::Opaque> opaque;
    GF::TTrackPlayer<GF::EParamKind::Rotate> rotate;
    GF::TTrackPlayer<GF::EParamKind::Scale> scale;

    int updates = 0;
    float lastDt = -1.0f;
    std::vector<float> timesSeen;  // the parent's time at each update
    int detaches = 0;
    int renders = 0;
    int setVisibleCalls = 0;

private:
    int m_faces;
    std::string m_name;  // used when there is no description
};

// A sound child: plays the ActionSound track of a sound description at its parent's time, records
// the commands entered, and counts the sound calls of its animation.
class CTestSound : public GF::IObjectAnimation, public GF::ISound, public GF::CRefCount {
public:
    explicit CTestSound(std::string name = std::string()) : m_name(std::move(name)) {}
    static GF::THolder<GF::IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    bool IsPlaying() override { return true; }
    const std::string& GetName() override;
    GF::THolder<GF::IObjectData> GetObjectData() override { return description; }
    GF::TAnimationPtr GetParent() override { return parent; }
    void SetObjectData(const GF::THolder<GF::IObjectData>& data) override;
    void SetParent(const GF::TAnimationPtr& newParent) override;
    void Detach() override;
    void SetPlaying(bool) override {}
    bool Update(const float& dt) override;

    void Play() override { ++plays; }
    void Resume() override { ++resumes; }
    void Stop() override { ++stops; }
    void Pause() override { ++pauses; }

    GF::TAnimationPtr parent;
    GF::THolder<GF::IObjectData> description;
    GF::TTrackPlayer<GF::EParamKind::ActionSound> action;
    std::vector<std::pair<float, int>> commands;  // (parent time, command) when a key was entered
    int updates = 0;
    int detaches = 0;
    int plays = 0, resumes = 0, stops = 0, pauses = 0;

private:
    std::string m_name;
};

// A scene that only keeps its two lists. Clear lets go of them (and so of the animations, which
// hold the scene back).
class CTestScene : public GF::IScene {
public:
    void AddAnimation(const GF::TAnimationPtr& animation) override { animations.push_back(animation); }
    void AddDrawable(const GF::TDrawablePtr& drawable) override { drawables.push_back(drawable); }
    GF::TAnimationPtr CreateAnimation(const std::string&) override { return {}; }
    GF::TAnimationPtr CreateAnimationAtXY(const std::string&, const float&, const float&, const char*, int,
                                          const float&) override {
        return {};
    }
    GF::TAnimationPtr CreateAnimationAt(const std::string&, const GF::TPoint<float>&, const char*, int,
                                        const float&) override {
        return {};
    }
    void Render() override {}
    void SortDrawables() override {}
    void RemoveAnimation(const GF::TAnimationPtr& animation) override;
    void RemoveDrawable(const GF::TDrawablePtr& drawable) override;
    bool Update(const float&) override { return true; }
    void Clear() override {
        animations.clear();
        drawables.clear();
    }
    void PauseSounds() override {}
    void ResumeSounds() override {}
    void StopSounds() override {}
    void SetUpdateEnabled(bool) override {}
    void RequestSort() override {}
    void SetRenderEnabled(bool) override {}
    TUpdateEvent& GetUpdateEvent() override { return m_updateEvent; }
    GF::THolder<GF::CRefCount> GetAttachment() override { return m_attachment; }
    GF::THolder<GF::CRefCount>& GetAttachmentRef() override { return m_attachment; }
    void SetAttachment(const GF::THolder<GF::CRefCount>& attachment) override { m_attachment = attachment; }

    std::vector<GF::TAnimationPtr> animations;
    std::vector<GF::TDrawablePtr> drawables;
    int removedAnimations = 0;

private:
    TUpdateEvent m_updateEvent;
    GF::THolder<GF::CRefCount> m_attachment;
};
