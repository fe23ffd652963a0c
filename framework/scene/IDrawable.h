#pragma once
#include <cstdint>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/scene/Rect.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

// Something a scene draws in layer order: the drawable children of animations and the game's own
// effects. A visible drawable with a scene is in that scene's draw list.
class IDrawable : public virtual IBase {
public:
    virtual void Detach() = 0;
    virtual void Render() = 0;
    // The world layer of its transform.
    virtual int32_t GetLayer() = 0;
    // On screen, in pixels; (0, 0, 0, 0) when it shows nothing.
    virtual TRect GetBoundingBox() = 0;
    virtual THolder<IScene> GetScene() = 0;
    virtual bool IsVisible() = 0;
    // Leaves the old scene's draw list and joins the new one's (while visible).
    virtual void SetScene(const THolder<IScene>& scene) = 0;
    // Joins or leaves the scene's draw list when the flag changes.
    virtual void SetVisible(bool visible) = 0;
};

// Answers the faces of a drawable that shows no other (the base and the drawable), a reference added;
// false, with a null answer, for any other face.
inline bool QueryDrawableOnly(IDrawable* self, const int& id, void** out) {
    if (id != kIdBase && id != kIdDrawable) {
        *out = nullptr;
        return false;
    }
    *out = id == kIdBase ? static_cast<void*>(static_cast<IBase*>(self)) : static_cast<void*>(self);
    self->AddRef();
    return true;
}

}  // namespace GF
