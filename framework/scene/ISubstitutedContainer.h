#pragma once
#include <string>

#include "framework/core/Base.h"
#include "framework/scene/SceneFwd.h"
#include "framework/scene/Transform.h"

namespace GF {

// A drawable that hosts whole animations inside it ("substituted" animations): they follow its world
// transform and are started by its CommandSubstAnimation track.
class ISubstitutedContainer : public virtual IBase {
public:
    // A new animation made from the description (name, part) of the resource tables, hosted here;
    // empty when the tables have no such description.
    virtual TAnimationPtr Substitute(const std::string& name, const std::string& part) = 0;
    virtual TAnimationPtr Substitute(const std::string& name) = 0;
    virtual void Detach() = 0;
    // Empty when the index is negative or not below the count.
    virtual TAnimationPtr GetSubstituted(int index) = 0;
    // The first hosted animation of that name (exact, case-sensitive); empty when none.
    virtual TAnimationPtr FindSubstituted(const std::string& name) = 0;
    // The container's world transform, which its hosted animations follow.
    virtual const TTransform& GetTransform() = 0;
    virtual bool RemoveSubstituted(const std::string& name) = 0;
};

}  // namespace GF
