#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The paged help ("HelpScreen"): the page that float variable 30 names ("help_1", "help_2", ...)
// in the layout's "_help_place". "prev" and "next" report themselves, "next_2" reports "next" and
// "skip" reports "exit"; where they lead is the flow's part, and "next" on the last page (the game
// data's help page count) becomes "exit". The screen never writes variable 30.
class CHelpScreen : public TGameMenuScreen, public CScreenMaker<CHelpScreen> {
public:
    static constexpr int32_t kPageVariable = 30;
    static constexpr const char* kPlace = "_help_place";

    void OnInitialize() override;
    void OnCommand(const std::string& command) override;

private:
    friend CScreenMaker<CHelpScreen>;
    CHelpScreen() = default;

    void ShowPage(int page);
    void EnableButtons(float page, int pageCount);
};
