#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/gui/EditControl.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The new player's name ("new_player_screen"): at most 8 characters in the field "edit", trimmed of
// spaces at both ends. "ok" (and Enter) is there only while the name has a character other than a
// space. It ends with "back" once the player is made (or "ok" while a replay is asked for), "back"
// after "cancel", and "error" for a name that is taken, whose player then becomes current.
class CCookNewPlayerMenuScreen : public TGameMenuScreen, public CScreenMaker<CCookNewPlayerMenuScreen> {
public:
    static constexpr int kMaxNameLength = 8;

    ~CCookNewPlayerMenuScreen() override;

    void OnInitialize() override;
    void OnCommand(const std::string& command) override;

private:
    friend CScreenMaker<CCookNewPlayerMenuScreen>;
    CCookNewPlayerMenuScreen() = default;
    void OnNameChanged(GF::THolder<GF::HGENS::CBaseControl> control);
    void CreatePlayer();

    GF::THolder<GF::HGENS::CBaseControl> m_okButton;
    GF::THolder<GF::HGENS::CEditControl> m_edit;
    bool m_enterTask = false;  // Enter has its one shortcut
};

// Leading spaces, then trailing ones while more than one character is left; only U+0020 counts.
GF::WString TrimSpaces(const GF::WString& text);
