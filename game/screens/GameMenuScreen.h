#pragma once
#include <string>

#include "framework/gui/MenuScreen.h"
#include "game/app/ControlSoundScreen.h"
#include "game/app/ShowHideEffectScreen.h"

// The base of the game's menu screens: behind the window shades, with sounding buttons.
using TGameMenuScreen = CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 1>;

// What a game screen's buttons and keys finish it with: the idle phase, shown again when it comes
// back on top, hidden before it ends.
constexpr int kGameFinishFlags = GF::HGENS::CScreenAbstract::kPhaseIdle |
                                 GF::HGENS::CScreenAbstract::kAutoShow |
                                 GF::HGENS::CScreenAbstract::kHideBeforeFinish;

// One log line for a part the layout should have and lacks; the screen then does without it.
void LogMissingPart(const std::string& screen, const std::string& part);

// A button the screen does not offer is put away, not left dimmed beside the one offered instead;
// a button the layout lacks is passed over.
void OfferControl(const GF::THolder<GF::HGENS::CBaseControl>& control, bool offered);
