#pragma once
#include <initializer_list>
#include <string>

#include "framework/core/Holder.h"
#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/SliderControl.h"
#include "framework/scene/SceneFwd.h"
#include "game/screens/GameMenuScreen.h"

// The options ("OptionsScreen"): music and sound volume, full screen or window, the drawn cursor.
// Every change takes effect at once and goes into the current player's float variables 7 to 10;
// the settings file is written whenever the screen is deactivated. There is no cancel.
class CCookOptionsMenuScreen : public TGameMenuScreen {
public:
    static GF::THolder<GF::IScreen> Create();
    ~CCookOptionsMenuScreen() override;

    void OnDeactivate() override;
    void OnInitialize() override;
    bool UpdateIdle(const float& dt) override;

protected:
    CCookOptionsMenuScreen() = default;
    // The items of the other screen of the pair are hidden, and its buttons left unbound.
    virtual void HideItems();
    virtual void CreateControls();
    virtual void BindButtons();
    virtual void WireControls();
    virtual void SetupKnobs();
    // Hides the named layout parts.
    void HideParts(std::initializer_list<const char*> parts);

private:
    void OnFullScreenChanged(GF::THolder<GF::HGENS::CBaseControl> control);
    void OnCursorChanged(GF::THolder<GF::HGENS::CBaseControl> control);
    void OnMusicVolumeChanged(GF::THolder<GF::HGENS::CBaseControl> control);
    void OnSoundVolumeChanged(GF::THolder<GF::HGENS::CBaseControl> control);
    // The box follows the engine's window mode, which Alt+Enter may change elsewhere.
    void SyncFullScreenBox();
    GF::TAnimationPtr FindKnob(const char* item);

    GF::THolder<GF::HGENS::CCheckBoxControl> m_fullScreenBox;
    GF::THolder<GF::HGENS::CCheckBoxControl> m_cursorBox;
    GF::THolder<GF::HGENS::CSliderControl> m_musicSlider;
    GF::THolder<GF::HGENS::CSliderControl> m_soundSlider;
    GF::TAnimationPtr m_musicKnob;
    GF::TAnimationPtr m_soundKnob;
};

// The pause menu of a level ("InGameMenuScreen"): the options with "continue", "main_menu", "map"
// and "replay" in place of "ok".
class CIngameMenuScreen : public CCookOptionsMenuScreen {
public:
    static GF::THolder<GF::IScreen> Create();

protected:
    void HideItems() override;
    void BindButtons() override;

private:
    CIngameMenuScreen() = default;
};
