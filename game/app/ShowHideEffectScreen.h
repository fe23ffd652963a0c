#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/gui/ConfirmScreen.h"
#include "framework/gui/MenuScreen.h"
#include "framework/scene/IAnimation.h"
#include "game/app/ControlSoundScreen.h"
#include "game/app/WindowShadesEffect.h"

// What the game tells a screen to finish with: its autoShow and hide-before-finishing options and the
// idle phase.
constexpr int kScreenFinishFlags = 50;

// Wraps a screen's show, idle and hide phases in the window shades: when the screen is shown the
// shades open first and the layout's "_show" plays only once they are open; when "_hide" has
// played the shades close, and the screen ends only once they are closed. N is the default of the
// shades-alone switch: 1 leaves the shades drawn (open) over the screen, 0 (the play screen) hides
// them while the screen is idle and brings them back to close.
//
// Three instantiations exist, made in ShowHideEffectScreen.cpp: over the sounding menu screen with
// N 1 (every menu, result and career screen) and N 0 (the play screen), and over the framework's
// confirm screen with N 1 (the game's yes/no and message boxes).
template <class T, int N>
class CShowHideEffectScreen : public T {
public:
    enum { kModeOpen = 1, kModeClose = 2 };
    static constexpr float kEffectDuration = 1250.0f;

    CShowHideEffectScreen();
    ~CShowHideEffectScreen() override;

    void OnActivate() override;
    void OnDeactivate() override;
    void OnInitialize() override;
    void OnDestroy() override;
    void Show() override;
    // Once the shades are open the screen is seen: its controls answer while "_show" plays, and a
    // click that chooses a result goes on to the idle step at once, which hides the screen with it.
    bool UpdateShowing(const float& dt) override;
    bool UpdateHiding(const float& dt) override;
    // "show_manual" opens the shades and clears the no-effect flag; other commands are the screen's.
    void OnCommand(const std::string& command) override;

    // Phase steps: true keeps the screen running.
    virtual bool UpdateOpening(const float& dt);
    virtual bool IsEffectDone(const float& dt);
    virtual void StartEffect(int mode);

    void SetGobosVisible(bool visible);

protected:
    // While set, activation and deactivation leave the layout and the shades alone.
    bool m_activationSwitchOff = true;
    // While set, opening and closing never switch the shades' drawing.
    bool m_shadesAlone = N != 0;
    // While set, SetGobosVisible does nothing.
    bool m_gobosOff = true;
    float m_openThreshold = 1.0f;  // shade progress at which "_show" may start
    float m_doneThreshold = 1.0f;  // shade progress at which the screen ends
    float m_effectDuration = kEffectDuration;
    // While set, showing does not open the shades and hiding does not close them.
    bool m_noEffect = false;
    GF::THolder<CWindowShadesEffect> m_shades;
    GF::TAnimationPtr m_gobos;  // the layout's "_gobos", found on first use
};

extern template class CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 1>;
extern template class CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 0>;
extern template class CShowHideEffectScreen<GF::HGENS::CConfirmMenuScreen, 1>;
