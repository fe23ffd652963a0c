#pragma once
#include "framework/core/Base.h"

namespace GF {
namespace HGENS {

// The face every particle object shows to the scene's particle registry and to its animation.
class IParticle : public virtual IBase {
public:
    // No animation updates this object: the registry does, until it is no longer alive.
    virtual bool IsOrphan() = 0;
    // It still has something to show.
    virtual bool IsAlive() = 0;
    virtual void SetEmitting(bool emitting) = 0;
};

}  // namespace HGENS
}  // namespace GF
