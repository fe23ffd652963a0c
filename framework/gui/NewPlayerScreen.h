#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/gui/EditControl.h"
#include "framework/gui/MenuScreen.h"

namespace GF {
namespace HGENS {

// The screen on which the player types a new player's name: the edit field "edit", the button "ok"
// (and Enter), enabled only while the name holds something other than spaces, and "cancel". Either
// way it ends with the word "back" and leaves the name (empty after cancel) in the game properties
// under "NewPlayerName", where the game's screen flow picks it up.
class CNewPlayerMenuScreen : public CMenuScreenAbstract {
public:
    CNewPlayerMenuScreen() = default;
    ~CNewPlayerMenuScreen() override;

    static THolder<IScreen> Create();

    void OnInitialize() override;
    // Hides only with "back" and a name, or after "cancel"; stores the name in every case.
    void Hide() override;

private:
    // Enables "ok" and Enter while the name holds a character other than a space.
    void OnNameChanged(THolder<CBaseControl> sender);
    void OnClickSound(THolder<CBaseControl> control, const TPoint<int>& point, int buttons);
    void OnMouseOverSound(THolder<CBaseControl> control);
    void StartHiding();

    THolder<CEditControl> m_nameEdit;
    THolder<CBaseControl> m_okButton;
    bool m_enterTask = false;  // Enter has its task (one, however often the name changes)
};

}  // namespace HGENS
}  // namespace GF
