#pragma once
#include <string>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

// A child of an animation object that follows its parent's clock: drawables (sprites, text sprites,
// clipping rectangles, particle systems) and sound objects. The parent calls Update every frame;
// the child reads the parent's time and plays its description's tracks at it.
class IObjectAnimation : public virtual IBase {
public:
    // The object follows its parent's clock (it stops when the parent has finished).
    virtual bool IsPlaying() = 0;
    // The description's name; the empty string when the object has none.
    virtual const std::string& GetName() = 0;
    virtual THolder<IObjectData> GetObjectData() = 0;
    virtual TAnimationPtr GetParent() = 0;
    // Replaces the description the tracks play; a description of the wrong kind is ignored.
    virtual void SetObjectData(const THolder<IObjectData>& description) = 0;
    // Leaves the old parent (its RemoveObject) and joins the new one (its AddObject).
    virtual void SetParent(const TAnimationPtr& parent) = 0;
    // Lets go of the parent and of what the object shows (scene, substituted animations, sound).
    virtual void Detach() = 0;
    virtual void SetPlaying(bool playing) = 0;
    virtual bool Update(const float& dt) = 0;
};

}  // namespace GF
