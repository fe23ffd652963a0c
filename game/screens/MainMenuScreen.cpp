#include "game/screens/MainMenuScreen.h"

#include <cstdint>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameData.h"
#include "game/kitchen/FlyStrategies.h"

namespace {

// The buttons the selector points at; "back" is not one of them.
const char* const kSelectorItems[] = {"settings", "help", "cookbook", "credits"};

}  // namespace

CMainMenuScreen::CMainMenuScreen() : m_selectorCurve(CFlyObject::Create()) {}

CMainMenuScreen::~CMainMenuScreen() {
    // The buttons may outlive the screen in other holders: they must not call back into it.
    for (const char* item : kSelectorItems)
        if (const GF::THolder<GF::HGENS::CBaseControl> control = FindControl(item))
            control->m_mouseEnterEvent.Remove(GF::CreateDelegate(this, &CMainMenuScreen::OnItemEnter));
    m_selector.Reset();
    m_selectorCurve.Reset();
}

void CMainMenuScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    m_selector = GF::HGENS::HostedAnimation(m_layout, "_select");
    if (m_selector)
        m_selectorCurve->AddAnimation(m_selector);
    else
        LogMissingPart(m_name, "_select");

    BindControl("settings", "options", false, kGameFinishFlags);
    BindControl("help", "help", false, kGameFinishFlags);
    BindControl("cookbook", "velmoroom", false, kGameFinishFlags);
    BindControl("credits", "credits", false, kGameFinishFlags);
    BindControl("back", "back", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kGameFinishFlags);

    for (const char* item : kSelectorItems)
        if (const GF::THolder<GF::HGENS::CBaseControl> control = FindControl(item))
            control->m_mouseEnterEvent.Add(GF::CreateDelegate(this, &CMainMenuScreen::OnItemEnter));

    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
}

void CMainMenuScreen::OnItemEnter(GF::THolder<GF::HGENS::CBaseControl> control) {
    if (!control) return;
    const GF::TRect& rect = control->GetHitRect();
    MoveSelectorTo(static_cast<float>((int64_t{rect.top} + rect.bottom) / 2));
}

void CMainMenuScreen::MoveSelectorTo(float y) {
    // Without a selector there is nothing to move.
    if (!m_selector) return;
    const GF::TPoint<float> from = m_selector->GetPosition();
    m_selectorCurve->GetTime() = 0.0f;
    m_selectorCurve->SetDuration(kSelectorTime);
    CreateLineStrategy(*m_selectorCurve, from, GF::TPoint<float>{from.x, y});
    m_selectorCurve->SetRunning(true);
}

bool CMainMenuScreen::Update(const float& dt) {
    // The selector moves in every phase, also while the screen shows or hides.
    m_selectorCurve->Update(dt);
    return TGameMenuScreen::Update(dt);
}
