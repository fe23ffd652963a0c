#pragma once
#include "framework/core/Holder.h"
#include "framework/gui/Button.h"
#include "framework/scene/SceneFwd.h"

// A push button bound to an animation of the game scene rather than to a screen's layout: an order
// sign's delivery plate, the field's item delivery, a balloon's button. Such an animation moves, so
// a following button takes its hit area again from the animation ("_button_rect", or the whole
// animation) every frame; a fixed one keeps the area it had when it was made.
class CDeliveryButton : public GF::HGENS::CButtonControl {
public:
    // The animation becomes the button's item, named after the animation, captioned with the text
    // "item_" + that name; the button waits in its first state. Empty (logged) without an animation.
    static GF::THolder<CDeliveryButton> Create(const GF::TAnimationPtr& animation, bool follow);

    // Refreshes the hit area while following, then the usual step (nothing while hidden).
    bool Update(const float& dt) override;

private:
    bool m_follow = true;
};
