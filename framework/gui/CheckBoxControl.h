#pragma once
#include "framework/gui/Button.h"

namespace GF {
namespace HGENS {

// A button that keeps a checked flag, flips it on every click and shows one of six pictures of its
// item animation: "_checked" or "_unchecked", plain, with the prefix "_over" while the mouse is over
// it, or "_disabled" while it is disabled.
class CCheckBoxControl : public CButtonControl {
public:
    CCheckBoxControl() = default;
    ~CCheckBoxControl() override;

    void OnMouseEnter(THolder<CBaseControl> sender) override;
    void OnMouseLeave(THolder<CBaseControl> sender) override;
    void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void ShowEnabledState() override;
    virtual void OnCheckedChanged(THolder<CBaseControl> sender);

    // When the flag changes: stores it, shows its picture and raises CheckedChanged.
    void SetChecked(bool checked);
    // Stores the flag and shows its picture, raising nothing: the box made to show a state that
    // changed elsewhere, which nobody chose through it.
    void ShowChecked(bool checked);

    bool m_checked = true;  // setting it directly shows nothing until the next ShowEnabledState
    CControlEvent m_checkedChangedEvent;
};

// The screens' factory of check boxes; registered wherever this header is used.
void RegisterCheckBoxControl();
namespace detail {
inline const bool g_checkBoxControlRegistered = (RegisterCheckBoxControl(), true);
}

}  // namespace HGENS
}  // namespace GF
