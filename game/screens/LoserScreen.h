#pragma once
#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The player is out of the tournament ("LoserScreen"): on the layout "loser_screen" the portrait and
// name of the participant float variable 18 names; "ok" ends it.
class CLoserScreen : public TGameMenuScreen, public CScreenMaker<CLoserScreen> {
public:
    static constexpr int kShowSound = 30;
    static constexpr const char* kLayoutName = "loser_screen";

    void OnInitialize() override;

private:
    friend CScreenMaker<CLoserScreen>;
    CLoserScreen() = default;
};
