#pragma once
#include <string>

#include "framework/app/StandIns.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/IScene.h"

namespace GF {

// A screen (a menu, a dialog, the play screen) as the screen manager sees it: it is made by a
// registered factory, named, initialised with its layout, updated and drawn while it is on top,
// told when it becomes the top and when it leaves it, and destroyed. Screens themselves add the
// rest of their operations after these.
class IScreen : public CRefCount {
public:
    // scene may be empty; phraseKey is for dialogs that pick a phrase by it.
    virtual void Initialize(const std::string& layoutName, THolder<IScene> scene, const char* phraseKey) = 0;
    virtual void Draw() = 0;
    virtual const std::string& GetName() = 0;
    virtual void SetName(const std::string& name) = 0;
    // false once the screen has finished.
    virtual bool Update(const float& dt) = 0;
    virtual void OnTop() = 0;
    virtual void OnRemoved() = 0;
    virtual void Destroy() = 0;
    virtual void SetShown(bool shown) = 0;
};

}  // namespace GF
