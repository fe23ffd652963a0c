#pragma once
#include <cstdint>

#include "framework/scene/SceneFwd.h"

// Brightens the object under the mouse: over its duration the object's opaque sprites rise to a grey
// of 0.15 drawn in colour mode 3 (a grey brightens, black leaves the sprite as drawn); the object the
// mouse left fades back from where it had risen and is then dropped. Its owner calls Update every
// frame with the object now under the mouse, or none.
class HoverGlow {
public:
    static constexpr float kPeak = 0.15f;

    explicit HoverGlow(float durationMs) : duration(durationMs) {}
    ~HoverGlow();
    HoverGlow(const HoverGlow&) = delete;
    HoverGlow& operator=(const HoverGlow&) = delete;

    void Update(float dt, const GF::TAnimationPtr& object);

    float duration;         // ms to full brightness
    float riseTime = 0.0f;  // ms spent on the present object
    float fallTime = 0.0f;  // ms left for the previous object to fade
    GF::TAnimationPtr previous;
    GF::TAnimationPtr present;
};

// Every child drawable of the animation that is a sprite drawn fully opaque takes the colour in
// colour mode 3; other children are left alone.
void TintOpaqueSprites(const GF::TAnimationPtr& animation, uint32_t colour);
