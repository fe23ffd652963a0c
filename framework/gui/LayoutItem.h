#pragma once
#include <string>

#include "framework/scene/SceneFwd.h"

namespace GF {
namespace HGENS {

// The first animation hosted (substituted) by the drawable; empty when it hosts none.
TAnimationPtr FirstHosted(const TDrawablePtr& drawable);

// The first animation hosted (substituted) by the animation's child of that name; empty when there
// is no such child or it hosts nothing. Controls find their cursors, rows and progress bars so.
TAnimationPtr HostedAnimation(const TAnimationPtr& animation, const std::string& child);

// The animation a button named `name` binds to in the layout (the child "_item_<name>", or else the
// same child of the animation hosted by the layout's first child); empty when there is none. The
// controls that make buttons beside themselves (the slider's arrows, the radio group's boxes) ask
// it first, so that they make only the buttons the layout has.
TAnimationPtr FindLayoutItem(const TAnimationPtr& layout, const std::string& name);

}  // namespace HGENS
}  // namespace GF
