#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/gui/Screen.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

struct CLevelInfo;

// The lost duel round ("DuelLoseScreen"): the round's number, the time the round took, the rival's
// flag and the round's dish. Before the round was ever won it offers "replay" and "map"; once won,
// "replay_2" (a replay of the same level) and "continue".
class CDuelLoseScreen : public TGameMenuScreen, public CScreenMaker<CDuelLoseScreen> {
public:
    // Times read from the settings file are shown within 0 .. 100 hours.
    static constexpr float kLongestTime = 100.0f * 3600.0f * 1000.0f;

    ~CDuelLoseScreen() override;
    void OnInitialize() override;
    void Show() override;
    void OnCommand(const std::string& command) override;

    // "m:ss" of a time in ms, truncated to whole seconds; minutes unbounded.
    static GF::WString FormatTime(float ms);
    // The flag's number for the level's orders: the rival's portrait (the second order's when the
    // first is the player's), 7 and above made 6, plus one; 0 when no order names the rival.
    static int FlagNumber(const CLevelInfo& level);

private:
    friend CScreenMaker<CDuelLoseScreen>;
    CDuelLoseScreen() = default;
};
