#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// A lost kitchen level ("LoseScreen"): the level's figures with the fixed fourth ribbon. A level never
// passed offers "replay" and "menu" (the map); one passed before offers "replay_2" and "continue"
// ("next"). Replaying names the level as the next one to play only when its stored place counts as
// passed in its stage.
class CLoseScreen : public TGameMenuScreen, public CScreenMaker<CLoseScreen> {
public:
    static constexpr int kShowSound = 18;

    void OnInitialize() override;
    void Show() override;
    void Idle() override;
    void OnCommand(const std::string& command) override;

private:
    friend CScreenMaker<CLoseScreen>;
    CLoseScreen() = default;
};
