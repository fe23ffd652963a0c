#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/gui/ListBoxControl.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The player list ("ChangePlayerScreen"): the chosen player becomes current on "ok", Enter, "new"
// and "remove"; Escape leaves the current player as it is. "remove" remembers the player that was
// current; when the screen comes back on top, a confirmation that set string variable 26 to "yes"
// deletes the chosen player, anything else makes the remembered player current again.
class CCookChangePlayerScreen : public TGameMenuScreen, public CScreenMaker<CCookChangePlayerScreen> {
public:
    ~CCookChangePlayerScreen() override;

    void OnActivate() override;
    void OnDeactivate() override;
    void OnInitialize() override;
    void OnCommand(const std::string& command) override;

    const GF::THolder<GF::HGENS::CListBoxControl>& GetList() const { return m_list; }

protected:
    virtual void DeleteCurrentPlayer();
    virtual void CreateControls();

private:
    friend CScreenMaker<CCookChangePlayerScreen>;
    CCookChangePlayerScreen() = default;
    void FillList();
    void UpdateButtons();

    GF::THolder<GF::HGENS::CListBoxControl> m_list;
    GF::THolder<GF::HGENS::CBaseControl> m_removeButton;
    GF::THolder<GF::HGENS::CBaseControl> m_okButton;
    GF::WString m_previousPlayer;
};
