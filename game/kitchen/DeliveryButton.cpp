#include "game/kitchen/DeliveryButton.h"

#include <string>

#include "framework/app/Screen.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameLog.h"

using GF::THolder;
using GF::HGENS::CBaseControl;

THolder<CDeliveryButton> CDeliveryButton::Create(const GF::TAnimationPtr& animation, bool follow) {
    if (!animation) {
        GameLog("CDeliveryButton::Create: no animation");
        return {};
    }
    THolder<CDeliveryButton> button(new CDeliveryButton);
    const char* name = animation->GetName();
    button->CBaseControl::Initialize(name ? name : "", {});
    button->Bind(animation);
    button->OnInitialize(THolder<CBaseControl>(button.Get()), {});
    button->m_follow = follow;
    return button;
}

bool CDeliveryButton::Update(const float& dt) {
    if (m_follow) UpdateHitRect();
    return CButtonControl::Update(dt);
}
