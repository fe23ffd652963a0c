#pragma once
#include <string>
#include <vector>

#include "framework/core/WString.h"
#include "framework/gui/Screen.h"

namespace GF {
namespace HGENS {

// The screen of menus and dialogs operated with buttons drawn in the layout. A button bound to a
// result word ends the screen with that word when clicked (after a yes/no confirmation when asked),
// and while the mouse is over it the layout's child "_hint" shows the text "hint_" + its name.
class CMenuScreenAbstract : public CScreenAbstract {
public:
    struct tagBoundControl {
        bool confirm = false;
        std::string resultWord;
        std::string controlName;
        WString hint;
        THolder<CBaseControl> control;
        int mask = 0;
    };

    CMenuScreenAbstract() = default;
    // Takes its delegates off the buttons, which may outlive it in other holders.
    ~CMenuScreenAbstract() override;

    // Makes the button and binds it; its binding index is the record's index.
    void BindControl(const std::string& controlName, const std::string& resultWord, bool confirm,
                     int mask) override;
    // Ends the screen with the word: the next idle update finishes it (after "_hide" with flag 0x20).
    // OnCommand sees the word first; when it leaves the result empty the screen stays idle and
    // nothing is reported.
    void Finish(const std::string& resultWord, int mask) override;
    bool UpdateIdle(const float& dt) override;
    void OnActivate() override;
    void OnDeactivate() override;

protected:
    void OnButtonClick(THolder<CBaseControl> control, const TPoint<int>& point, int buttons);
    void OnHintOn(THolder<CBaseControl> control);
    void OnHintOff(THolder<CBaseControl> control);
    void OnConfirmation(THolder<IScreen> confirmation);
    // The record the control's binding index names; null when it names none.
    const tagBoundControl* FindRecord(const THolder<CBaseControl>& control) const;

    std::vector<tagBoundControl> m_boundControls;
    int m_confirmRecordIndex = -1;
    bool m_confirmed = false;
    bool m_finishing = false;
};

}  // namespace HGENS
}  // namespace GF
