#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/gui/ConfirmScreen.h"
#include "game/app/ShowHideEffectScreen.h"

// The game's yes/no question and message box, registered under "confirm_exit_screen",
// "confirm_screen", "message_screen" and "bonus_message_screen". The registered name picks the
// layout (through the flow) and the phrases: the texts "<name>_01" to "<name>_03" fill the parts
// "_phrase_1" to "_phrase_3", the first "_name" of each replaced by the player's name; a part
// without a text is hidden. It opens and closes behind the window shades and ends with "yes" or
// "no" (buttons, Enter and Escape).
class CCookConfirmMenuScreen : public CShowHideEffectScreen<GF::HGENS::CConfirmMenuScreen, 1> {
public:
    static GF::THolder<GF::IScreen> Create();

    // Keys on the screen's registered name, whatever phrase key the opener passed.
    void ChoosePhrase(const char* phraseKey) override;
    // The replay rule: a "yes" to a replay request (string variable 28 "replay") of a level passed
    // well enough names that level (variable 11) as the one to play (29).
    void OnCommand(const std::string& command) override;
};
