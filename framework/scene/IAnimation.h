#pragma once
#include <string>

#include "framework/core/Base.h"
#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/WString.h"
#include "framework/scene/Rect.h"
#include "framework/scene/SceneFwd.h"
#include "framework/scene/Transform.h"

namespace GF {

// Raised with the animation itself when its played part finishes.
using TAnimationEndEvent = TEvent1<TAnimationPtr>;

// One named, timed composition on a scene: a clock that plays a named part of an animation
// description, a transform its children inherit, and the children made from the description
// (drawables and sounds). Screens, controls and the game drive what they show through it. Times are
// float milliseconds.
class IAnimation : public virtual IBase {
public:
    // --- Children ---
    // Into the drawable list when the child is a drawable, else the sound list when it is a sound;
    // false (and in neither list) otherwise.
    virtual bool AddObject(const TObjectAnimationPtr& child) = 0;
    // Brings the world record up to date and shows the children at the current time.
    virtual void ApplyTransform() = 0;
    // Lets go of the children, the scene (telling it) and the container.
    virtual void Reset() = 0;
    // Lets go of the children, the scene (without telling it) and the container.
    virtual void Destroy() = 0;
    virtual bool IsVisible() = 0;
    virtual bool IsActive() = 0;
    virtual THolder<IAnimationData> GetAnimationData() = 0;
    virtual TAnimationEndEvent& GetEndEvent() = 0;
    virtual float GetTime() = 0;
    virtual int GetDrawableCount() = 0;
    // Empty when the index is not below the count.
    virtual TDrawablePtr GetDrawable(unsigned index) = 0;
    // The first drawable of that name (exact, case-sensitive); empty when none.
    virtual TDrawablePtr FindDrawable(const std::string& name) = 0;
    virtual float GetEndTime() = 0;
    virtual int GetLayer() = 0;
    // The description's name; null when the object has none.
    virtual const char* GetName() = 0;
    // The first child of that name, drawables first, then sounds; empty when none.
    virtual TObjectAnimationPtr FindObject(const std::string& name) = 0;
    // The characters of the named text sprite's text; null when there is none. Valid while that text
    // sprite keeps that text.
    virtual const WChar* GetText(const std::string& name) = 0;
    // --- World transform ---
    virtual TPoint<float> GetPosition() = 0;
    virtual float GetOpacity() = 0;
    // Around every drawable and the animations substituted into them; (0, 0, 0, 0) when none shows.
    virtual TRect GetBoundingBox() = 0;
    virtual float GetRotation() = 0;
    virtual TPoint<float> GetScale() = 0;
    virtual THolder<IScene> GetScene() = 0;
    virtual float GetStartTime() = 0;
    // The world record, which the children combine their own transforms with.
    virtual const TTransform& GetTransform() = 0;
    virtual TTransform& GetTransformRef() = 0;
    virtual TSubstitutedContainerPtr GetContainer() = 0;
    // The object asks its scene to drop it.
    virtual bool IsDone() = 0;
    // The clock has reached the end of the played part for the last time.
    virtual bool IsFinished() = 0;
    // --- Clock ---
    // Plays the named part of the description; repeat 0 takes the part's own count, -1 loops for
    // ever. A part the description lacks stops the object and answers false.
    virtual bool Play(const char* part, int repeat, bool dropAtEnd) = 0;
    // Play, then ApplyTransform when it played.
    virtual bool PlayAndApply(const char* part, int repeat, bool dropAtEnd) = 0;
    virtual bool RemoveObject(const TObjectAnimationPtr& child) = 0;
    // Shows the frame at t and holds it as a finished animation.
    virtual void ShowTime(const float& t) = 0;
    virtual void ResumeSounds() = 0;
    virtual void SetActive(bool active) = 0;
    // Rebuilds the children from the description; the clock goes to 0, finished.
    virtual void SetAnimationData(const THolder<IAnimationData>& data) = 0;
    // waitFirst: stand still for ms, then run; otherwise run for ms, then stop.
    virtual void SetDelay(const float& ms, bool waitFirst) = 0;
    // Plays on from the current time to end, once.
    virtual void PlayTo(const float& end) = 0;
    // The object switches itself inactive at the end of each played part.
    virtual void DeactivateOnEnd() = 0;
    virtual void SetLayer(int layer) = 0;
    virtual void SetParticlesEmitting(bool emitting) = 0;
    virtual void SetChildVisible(const char* name, bool visible) = 0;
    virtual void SetPosition(const float& x, const float& y) = 0;
    virtual void SetPosition(const TPoint<float>& position) = 0;
    virtual void SetX(const float& x) = 0;
    virtual void SetY(const float& y) = 0;
    // The named text sprite shows the number; false when there is no such text sprite.
    virtual bool SetTextNumber(const std::string& name, int number) = 0;
    virtual bool SetText(const std::string& name, const WString& text) = 0;
    virtual void SetOpacity(const float& opacity) = 0;
    // Shows the end of the part and holds it; no end event.
    virtual void Stop() = 0;
    // The running repetition is the last.
    virtual void StopLooping() = 0;
    virtual void SetRotation(const float& angle) = 0;  // radians
    virtual void SetScale(const float& sx, const float& sy) = 0;
    virtual void SetScaleX(const float& sx) = 0;
    virtual void SetScaleY(const float& sy) = 0;
    // Every drawable joins the scene's draw list.
    virtual void SetDrawablesScene(const THolder<IScene>& scene) = 0;
    // Plays on from t to the current end, once.
    virtual void PlayFrom(const float& t) = 0;
    virtual void StopSounds() = 0;
    // A factor on the frame time of the clock (the children still get the plain frame time).
    virtual void SetSpeed(const float& speed) = 0;
    // The drawable whose world transform this animation follows. asLocal: the current values become
    // offsets from the container; otherwise the animation keeps its place on the screen.
    virtual void SetContainer(const TSubstitutedContainerPtr& container, bool asLocal) = 0;
    // Leaves the old scene's animation list and joins the new one's.
    virtual void SetScene(const THolder<IScene>& scene) = 0;
    // Passed on to the child drawables.
    virtual void SetVisible(bool visible) = 0;
    virtual void PauseSounds() = 0;
    // Advances the clock and the children by the frame time; false asks the scene to drop the object.
    virtual bool Update(const float& dt) = 0;
};

}  // namespace GF
