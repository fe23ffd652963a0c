#pragma once
#include <string>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

// What a screen shows: the animations whose clocks it advances every frame and the drawables it draws
// every frame in layer order. Animations join through their SetScene, their drawables through
// SetDrawablesScene. It has no interface number: it is passed around in holders only.
class IScene : public CRefCount {
public:
    using TUpdateEvent = TEvent1<float>;

    virtual void AddAnimation(const TAnimationPtr& animation) = 0;
    virtual void AddDrawable(const TDrawablePtr& drawable) = 0;
    // A new animation of the description "module.name", on this scene with its drawables; empty when
    // the resource tables have no such description.
    virtual TAnimationPtr CreateAnimation(const std::string& name) = 0;
    // Placed, playing part with drop-at-end after waiting delay milliseconds.
    virtual TAnimationPtr CreateAnimationAtXY(const std::string& name, const float& x, const float& y,
                                              const char* part, int repeat, const float& delay) = 0;
    virtual TAnimationPtr CreateAnimationAt(const std::string& name, const TPoint<float>& position,
                                            const char* part, int repeat, const float& delay) = 0;
    virtual void Render() = 0;
    virtual void SortDrawables() = 0;
    virtual void RemoveAnimation(const TAnimationPtr& animation) = 0;
    virtual void RemoveDrawable(const TDrawablePtr& drawable) = 0;
    virtual bool Update(const float& dt) = 0;
    virtual void Clear() = 0;
    virtual void PauseSounds() = 0;
    virtual void ResumeSounds() = 0;
    virtual void StopSounds() = 0;
    virtual void SetUpdateEnabled(bool enabled) = 0;
    // The drawables are sorted again before the next draw (a layer changed).
    virtual void RequestSort() = 0;
    virtual void SetRenderEnabled(bool enabled) = 0;
    // Raised with the frame time at the end of every enabled Update.
    virtual TUpdateEvent& GetUpdateEvent() = 0;
    // An object the scene keeps alive for its owner; the scene never calls it.
    virtual THolder<CRefCount> GetAttachment() = 0;
    virtual THolder<CRefCount>& GetAttachmentRef() = 0;
    virtual void SetAttachment(const THolder<CRefCount>& attachment) = 0;
};

}  // namespace GF
