#include "framework/gui/LayoutItem.h"

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"

namespace GF {
namespace HGENS {

TAnimationPtr FirstHosted(const TDrawablePtr& drawable) {
    const TSubstitutedContainerPtr host(drawable.Get());
    return host ? host->GetSubstituted(0) : TAnimationPtr();
}

TAnimationPtr HostedAnimation(const TAnimationPtr& animation, const std::string& child) {
    return animation ? FirstHosted(animation->FindDrawable(child)) : TAnimationPtr();
}

TAnimationPtr FindLayoutItem(const TAnimationPtr& layout, const std::string& name) {
    if (!layout) return {};
    const std::string child = "_item_" + name;
    if (const TAnimationPtr item = HostedAnimation(layout, child)) return item;
    return HostedAnimation(FirstHosted(layout->GetDrawable(0)), child);
}

}  // namespace HGENS
}  // namespace GF
