#pragma once
#include "framework/core/Base.h"

namespace GF {

// The sound face of a sound object, through which its animation (and the scene) pause, resume and
// stop what it plays.
class ISound : public virtual IBase {
public:
    virtual void Play() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
};

}  // namespace GF
