#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/SceneFwd.h"

namespace GF {
namespace HGENS {

// The drawn mouse cursor: an animation that follows the mouse in place of the system cursor. The
// screen manager updates and draws it after the top screen; the game switches it on and off with
// the "CustomCursor" option. One per process.
class CCustomCursor : public CRefCount {
public:
    ~CCustomCursor() override;

    // Switches to the cursor drawn by the animation "module.name" (the game uses "cursor.custom").
    // A name the resource tables do not know leaves the system cursor showing.
    void SetCursor(const std::string& name);
    void RestoreSystemCursor();
    // Moves the animation to the mouse and advances it.
    void Update(float dt);
    // Draws the animation while it stands on the game picture.
    void Draw();

    // Empty while the system cursor is in use.
    const TAnimationPtr& GetAnimation() const { return m_animation; }

private:
    TAnimationPtr m_animation;
};

THolder<CCustomCursor> GetCustomCursor();

}  // namespace HGENS
}  // namespace GF
