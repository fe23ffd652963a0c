#pragma once
#include <cstdint>

#include "framework/core/Base.h"

namespace GF {

// The image face of a sprite object: code may colour it and choose its blend over its tracks.
class ISprite : public virtual IBase {
public:
    // ARGB of the engine sprite's first corner; 0xFFFFFFFF when there is no sprite.
    virtual uint32_t GetColor() = 0;
    // Draws the sprite in `color` (its alpha times the opacity) with the engine blend value, over the
    // Color and Blend tracks, on every frame until replaced or cleared. White is a colour like any.
    virtual void SetColorAndBlend(uint32_t color, int blend) = 0;
    // The Color and Blend tracks colour the sprite again.
    virtual void ClearColorAndBlend() = 0;
};

}  // namespace GF
