#include "game/screens/HoverGlow.h"

#include <algorithm>

#include "framework/scene/HgeColor.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr int kBrightenMode = 3;

uint32_t Grey(float value) {
    return hgeColor(value, value, value, 1.0f).GetHWColor();
}

// A duration of 0 or less reaches the end at once.
float Share(float time, float duration) {
    return duration > 0.0f ? time / duration : (time > 0.0f ? 1.0f : 0.0f);
}

}  // namespace

HoverGlow::~HoverGlow() {
    present.Reset();
    previous.Reset();
}

void HoverGlow::Update(float dt, const GF::TAnimationPtr& object) {
    if (object.Get() != present.Get()) {
        if (previous) TintOpaqueSprites(previous, kBlack);
        previous = present;
        fallTime = riseTime;
        present = object;
        riseTime = 0.0f;
    }
    if (present) {
        riseTime = std::min(riseTime + dt, std::max(duration, 0.0f));
        TintOpaqueSprites(present, Grey(std::min(Share(riseTime, duration), 1.0f) * kPeak));
    }
    if (previous) {
        fallTime -= dt;
        const float f = std::max(Share(fallTime, duration), 0.0f);
        TintOpaqueSprites(previous, Grey(f * kPeak));
        if (f == 0.0f) previous.Reset();
    }
}

void TintOpaqueSprites(const GF::TAnimationPtr& animation, uint32_t colour) {
    if (!animation) return;
    const int count = animation->GetDrawableCount();
    for (int i = 0; i < count; ++i) {
        const GF::TSpritePtr sprite(animation->GetDrawable(static_cast<unsigned>(i)).Get());
        if (sprite && (sprite->GetColor() >> 24) == 0xFFu) sprite->SetColorAndBlend(colour, kBrightenMode);
    }
}
