#pragma once
#include <cstdint>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"

namespace GF {
namespace HGENS {
class CHGESprite;
}

// The image face of a sprite object: code may colour it and choose its blend over its tracks.
class ISprite : public virtual IBase {
public:
    // ARGB of the engine sprite's first corner; 0xFFFFFFFF when there is no sprite.
    virtual uint32_t GetColor() = 0;
    // Draws the sprite in `color` (its alpha times the opacity) with the engine blend value, over the
    // Color and Blend tracks, on every frame until replaced or cleared. White is a colour like any.
    virtual void SetColorAndBlend(uint32_t color, int blend) = 0;
    // Draws the given engine sprite in place of its frame's (keeping the colour, blend and placement)
    // until given an empty one; a cell cut from a filter sheet is shown so.
    virtual void ShowSprite(const THolder<HGENS::CHGESprite>& sprite) = 0;
    // The engine sprite drawn now: the one given to ShowSprite, else the frame's; empty when none.
    virtual THolder<HGENS::CHGESprite> GetShownSprite() = 0;
};

}  // namespace GF
