#pragma once
#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// A page read and left again: the credits ("CreditsScreen") and a hint's page ("HintScreen", on the
// layout the hint names). Enter, Escape and the buttons "ok" and "back" all give "back". The layout
// lies on the game data's screen layer, above what it is shown over.
class CCreditsScreen : public TGameMenuScreen, public CScreenMaker<CCreditsScreen> {
public:
    void OnInitialize() override;

private:
    friend CScreenMaker<CCreditsScreen>;
    CCreditsScreen() = default;
};
