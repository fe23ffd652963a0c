#include "framework/gui/CheckBoxControl.h"

#include <string>

#include "framework/app/Screen.h"
#include "framework/gui/Screen.h"
#include "framework/scene/IAnimation.h"

namespace GF {
namespace HGENS {

CCheckBoxControl::~CCheckBoxControl() {
    m_checkedChangedEvent.Clear();
}

void CCheckBoxControl::OnMouseEnter(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseEnter(sender);
    ShowEnabledState();
}

void CCheckBoxControl::OnMouseLeave(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseLeave(sender);
    ShowEnabledState();
}

void CCheckBoxControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    CBaseControl::OnMouseDown(sender, point, buttons);
}

void CCheckBoxControl::OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    m_checked = !m_checked;
    ShowEnabledState();
    OnCheckedChanged(Self());
    CBaseControl::OnClick(sender, point, buttons);
}

void CCheckBoxControl::ShowEnabledState() {
    const TAnimationPtr item = GetAnimation();
    if (!item) return;
    std::string part = !IsEnabled() ? "_disabled_" : IsMouseOver() ? "_over_" : "_";
    part += m_checked ? "checked" : "unchecked";
    item->Play(part.c_str(), 0, false);
}

void CCheckBoxControl::OnCheckedChanged(THolder<CBaseControl> sender) {
    m_checkedChangedEvent.Raise(sender);
}

void CCheckBoxControl::SetChecked(bool checked) {
    if (checked == m_checked) return;
    ShowChecked(checked);
    OnCheckedChanged(Self());
}

void CCheckBoxControl::ShowChecked(bool checked) {
    m_checked = checked;
    ShowEnabledState();
}

namespace {

THolder<CBaseControl> MakeCheckBox() {
    return THolder<CBaseControl>(new CCheckBoxControl);
}

void SetUpCheckBox(CBaseControl& control, const THolder<IScreen>&, const tagControlArgs& args) {
    static_cast<CCheckBoxControl&>(control).SetChecked(args.checked);
}

}  // namespace

void RegisterCheckBoxControl() {
    RegisterControlFactory(EControlKind::CheckBox, {&MakeCheckBox, &SetUpCheckBox});
}

}  // namespace HGENS
}  // namespace GF
