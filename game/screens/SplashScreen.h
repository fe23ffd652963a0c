#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The title menu ("SplashScreen"): play, options, help, high scores, player selection and quit, the
// current player's name on the player button. A player without a name is sent to the player
// screens at once, and the first "play" of a player who has not seen the first comic becomes
// "comics". While it is the active screen the typed characters go to the code listener.
class CSplashScreen : public TGameMenuScreen, public CScreenMaker<CSplashScreen> {
public:
    void OnActivate() override;
    void OnDeactivate() override;
    void OnInitialize() override;
    bool UpdateIdle(const float& dt) override;
    void OnCommand(const std::string& command) override;

private:
    friend CScreenMaker<CSplashScreen>;
    CSplashScreen() = default;
};
