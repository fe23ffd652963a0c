#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/FlyObject.h"
#include "game/screens/GameMenuScreen.h"

// The main menu ("MainMenuScreen"): options, help, the dressing room (its button "cookbook"),
// credits and back. The selector beside the menu glides in 100 ms to the height of any of the first
// four buttons the mouse enters, keeping its own x.
class CMainMenuScreen : public TGameMenuScreen, public CScreenMaker<CMainMenuScreen> {
public:
    static constexpr float kSelectorTime = 100.0f;

    ~CMainMenuScreen() override;

    bool Update(const float& dt) override;
    void OnInitialize() override;

private:
    friend CScreenMaker<CMainMenuScreen>;
    CMainMenuScreen();
    void OnItemEnter(GF::THolder<GF::HGENS::CBaseControl> control);
    void MoveSelectorTo(float y);

    GF::THolder<CFlyObject> m_selectorCurve;
    GF::TAnimationPtr m_selector;
};
