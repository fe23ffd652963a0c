#include "game/app/ShowHideEffectScreen.h"

#include <type_traits>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/gui/BaseControl.h"

namespace {

// A yes/no question over a screen leaves that screen's layout and shades as they are.
constexpr const char* kConfirmScreen = "confirm_screen";
constexpr const char* kGobosPart = "_gobos";

}  // namespace

template <class T, int N>
CShowHideEffectScreen<T, N>::CShowHideEffectScreen() : m_shades(CWindowShadesEffect::GetInstance()) {}

// The gobos go first, then the shades (the members' reverse order), then the framework screen.
template <class T, int N>
CShowHideEffectScreen<T, N>::~CShowHideEffectScreen() = default;

template <class T, int N>
void CShowHideEffectScreen<T, N>::StartEffect(int mode) {
    m_shades->SetState(mode, m_effectDuration);
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::OnInitialize() {
    T::OnInitialize();
    m_shades->SetLayout(this->m_scene);
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::Show() {
    if (this->IsPhase(&CShowHideEffectScreen::UpdateOpening)) return;
    this->m_result.clear();
    this->m_pendingResult.clear();
    this->SetPhase(&CShowHideEffectScreen::UpdateOpening);
    // Over the play screen the shades are put away: disabled, they would never move, and a screen
    // that leaves them alone would wait for them for ever. Such a screen comes and goes without them.
    if (m_shadesAlone && !m_shades->IsEnabled()) m_noEffect = true;
    if (!m_noEffect) StartEffect(kModeOpen);
    SetGobosVisible(false);
}

template <class T, int N>
bool CShowHideEffectScreen<T, N>::UpdateOpening(const float&) {
    if (m_shades->GetProgress() < m_openThreshold) return true;
    SetGobosVisible(true);
    GF::HGENS::CScreenAbstract::Show();
    if (!m_noEffect && !m_shadesAlone) m_shades->SetEnabled(false);
    return true;
}

template <class T, int N>
bool CShowHideEffectScreen<T, N>::UpdateShowing(const float& dt) {
    if (!T::UpdateShowing(dt)) return false;
    // The frame "_show" ends in goes idle without the controls: they answer in it all the same, or
    // a press that comes on the next frame finds the mouse already held over its button.
    const bool showing = this->IsPhase(&CShowHideEffectScreen::UpdateShowing);
    if constexpr (std::is_base_of_v<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, T>) {
        // A button that answers sounds.
        if (!this->m_controlSoundsAttached) {
            this->m_controlSoundsAttached = true;
            this->AttachSoundsToControls();
        }
    }
    // The controls follow the layout as "_show" moves them; the list is copied, a click's handler
    // may change it.
    const std::vector<GF::THolder<GF::HGENS::CBaseControl>> controls = this->m_controls;
    for (const GF::THolder<GF::HGENS::CBaseControl>& control : controls) {
        if (showing) control->UpdateHitRect();
        control->Update(dt);
    }
    if (this->m_finishing && this->IsPhase(&CShowHideEffectScreen::UpdateShowing)) this->Idle();
    return true;
}

template <class T, int N>
bool CShowHideEffectScreen<T, N>::UpdateHiding(const float&) {
    if (this->m_layout && !this->m_layout->IsFinished()) {
        if (!this->RunPhaseTasks(GF::HGENS::CScreenAbstract::kPhaseHiding)) return true;
    } else {
        this->m_result = this->m_pendingResult;
    }
    this->SetPhase(&CShowHideEffectScreen::IsEffectDone);
    if (!m_shadesAlone) m_shades->SetEnabled(true);
    SetGobosVisible(false);
    if (!m_noEffect) StartEffect(kModeClose);
    return true;
}

template <class T, int N>
bool CShowHideEffectScreen<T, N>::IsEffectDone(const float&) {
    return m_shades->GetProgress() < m_doneThreshold;
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::OnActivate() {
    T::OnActivate();
    if (m_activationSwitchOff || !this->m_layout || this->m_layout->IsVisible()) return;
    this->m_layout->SetVisible(true);
    m_shades->SetEnabled(true);
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::OnDeactivate() {
    if (!m_activationSwitchOff && this->m_layout && this->m_layout->IsVisible()) {
        const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
        if (!top || top->GetName() != kConfirmScreen) {
            this->m_layout->SetVisible(false);
            m_shades->SetEnabled(false);
        }
    }
    T::OnDeactivate();
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::OnDestroy() {
    if (!this->IsShown()) m_shades->RemoveLayout(this->m_scene);
    T::OnDestroy();
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::OnCommand(const std::string& command) {
    if (command != "show_manual") return;
    StartEffect(kModeOpen);
    m_noEffect = false;
}

template <class T, int N>
void CShowHideEffectScreen<T, N>::SetGobosVisible(bool visible) {
    if (m_gobosOff) return;
    if (!m_gobos && this->m_layout)
        m_gobos = GF::TAnimationPtr(this->m_layout->FindDrawable(kGobosPart).Get());
    if (m_gobos) m_gobos->SetVisible(visible);
}

template class CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 1>;
template class CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 0>;
template class CShowHideEffectScreen<GF::HGENS::CConfirmMenuScreen, 1>;
