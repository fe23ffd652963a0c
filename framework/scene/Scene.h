#pragma once
#include <list>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IParticle.h"
#include "framework/scene/IScene.h"

namespace GF {
namespace HGENS {

// What a screen shows: the animations whose clocks it advances every frame, in the order they were
// added, and the drawables it draws every frame in layer order (equal layers in the order they were
// added, later ones on top). Animations that finished with drop-at-end are taken out. Every scene
// also advances the particle registry and counts frames for the frame-rate line of the log.
class CScene : public IScene {
public:
    CScene() = default;
    ~CScene() override;
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;

    void AddAnimation(const TAnimationPtr& animation) override;
    void AddDrawable(const TDrawablePtr& drawable) override;
    TAnimationPtr CreateAnimation(const std::string& name) override;
    TAnimationPtr CreateAnimationAtXY(const std::string& name, const float& x, const float& y,
                                      const char* part, int repeat, const float& delay) override;
    TAnimationPtr CreateAnimationAt(const std::string& name, const TPoint<float>& position, const char* part,
                                    int repeat, const float& delay) override;
    // Draws every drawable (while rendering is enabled), then switches clipping off in every case.
    void Render() override;
    void SortDrawables() override;
    void RemoveAnimation(const TAnimationPtr& animation) override;
    void RemoveDrawable(const TDrawablePtr& drawable) override;
    bool Update(const float& dt) override;
    // Lets go of this scene's orphaned particle systems, destroys every animation and detaches every
    // drawable still listed. Other scenes' particle systems stay.
    void Clear() override;
    void PauseSounds() override;
    void ResumeSounds() override;
    void StopSounds() override;
    void SetUpdateEnabled(bool enabled) override { m_updateEnabled = enabled; }
    void RequestSort() override { m_needsSort = true; }
    void SetRenderEnabled(bool enabled) override { m_renderEnabled = enabled; }
    TUpdateEvent& GetUpdateEvent() override { return m_updateEvent; }
    THolder<CRefCount> GetAttachment() override { return m_attachment; }
    THolder<CRefCount>& GetAttachmentRef() override { return m_attachment; }
    void SetAttachment(const THolder<CRefCount>& attachment) override { m_attachment = attachment; }

    int GetAnimationCount() const { return static_cast<int>(m_animations.size()); }
    const std::list<TAnimationPtr>& GetAnimations() const { return m_animations; }
    int GetDrawableCount() const { return static_cast<int>(m_drawables.size()); }
    // The drawables in drawing order.
    const std::list<TDrawablePtr>& GetDrawables() const { return m_drawables; }

private:
    THolder<IScene> Self() { return THolder<IScene>(this); }
    template <class Call>
    void ForEachAnimation(Call call);

    bool m_needsSort = true;
    std::list<TDrawablePtr> m_drawables;
    std::list<TAnimationPtr> m_animations;
    bool m_updateEnabled = true;
    bool m_renderEnabled = true;
    TUpdateEvent m_updateEvent;
    THolder<CRefCount> m_attachment;
    // While Update walks a copy of the animation list: what left the list meanwhile, not to be
    // updated in this walk.
    int m_walking = 0;
    std::vector<IAnimation*> m_leftDuringWalk;
};

// The particle systems that outlive their animation, process-wide: every particle object registers
// itself when it is made; a scene's update advances those that no animation updates any more until
// their last particle has died, and then lets them go. An entry belongs to the scene its drawable is
// on.
class ParticleRegistry {
public:
    static void Register(const TParticlePtr& particle);
    // Advances every orphaned system that still shows something; lets go of (and takes out of its
    // scene) every orphaned one that shows nothing.
    static void Update(float dt);
    // Takes the systems on this scene out of it and out of the registry; the others stay.
    static void Clear(const IScene* scene);
    // Takes every system out of its scene and out of the registry: what a run of the program made
    // must not outlive it (a system holds its scene, its pictures and, through them, the engine).
    static void ClearAll();
    static int Count();
    // While off, a scene's update leaves the orphaned systems where they stand (a paused level
    // freezes its fading sparks); on at start.
    static void SetEnabled(bool enabled);
    static bool IsEnabled();

private:
    static std::list<TParticlePtr>& Entries();
};

// The frame-rate line every scene's update feeds: frames and milliseconds, shared by all scenes.
struct TFrameRateCounter {
    int frames = 0;
    float elapsed = 0.0f;
};
TFrameRateCounter& FrameRateCounter();

}  // namespace HGENS
}  // namespace GF
