#pragma once
#include <cstdint>

#include "framework/core/Base.h"

namespace GF {

// The image face of a sprite object: code may colour it and choose its blend over its tracks.
class ISprite : public virtual IBase {
public:
    // ARGB of the engine sprite's first corner; 0xFFFFFFFF when there is no sprite.
    virtual uint32_t GetColor() = 0;
    // color replaces the Color track while it is not 0xFFFFFFFF; blend is an engine blend value.
    virtual void SetColorAndBlend(uint32_t color, int blend) = 0;
};

}  // namespace GF
