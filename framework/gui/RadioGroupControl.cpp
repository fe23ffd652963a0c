#include "framework/gui/RadioGroupControl.h"

#include "engine/Hge.h"
#include "framework/app/Screen.h"
#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/Screen.h"
#include "framework/scene/IAnimation.h"

namespace GF {
namespace HGENS {

CRadioGroupControl::~CRadioGroupControl() {
    // The items live on in the screen's controls; they must not call back into a group gone.
    for (const THolder<CCheckBoxControl>& item : m_items) item->m_clickEvent.Remove(m_itemClick);
    m_selectionChangedEvent.Clear();
}

void CRadioGroupControl::Initialize(const std::string& name, THolder<IScreen> screen) {
    CBaseControl::Initialize(name, screen);
    m_selected = -1;
    const TAnimationPtr layout = screen ? screen->GetAnimation() : TAnimationPtr();
    if (!layout) return;
    TRect hit;
    m_itemClick = CreateDelegate(this, &CRadioGroupControl::OnItemClick);
    for (int i = 1;; ++i) {
        const std::string itemName = name + "_radio_" + std::to_string(i);
        if (!FindLayoutItem(layout, itemName)) break;
        const THolder<CCheckBoxControl> item = screen->CreateCheckBox(itemName, false);
        if (!item) break;
        item->SetBindingIndex(i - 1);
        item->m_clickEvent.Add(m_itemClick);
        UnionRect(hit, item->GetHitRect(), hit);
        m_items.push_back(item);
    }
    SetHitRect(hit);
}

THolder<CCheckBoxControl> CRadioGroupControl::GetItem(int index) const {
    if (index < 0 || index >= GetItemCount()) return {};
    return m_items[static_cast<std::size_t>(index)];
}

void CRadioGroupControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    for (const THolder<CCheckBoxControl>& item : m_items) item->SetVisible(IsVisible());
    CBaseControl::OnVisibleChanged(sender);
}

void CRadioGroupControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    for (const THolder<CCheckBoxControl>& item : m_items) item->SetEnabled(IsEnabled());
    CBaseControl::OnEnabledChanged(sender);
}

void CRadioGroupControl::UpdateHitRect() {
    TRect hit;
    for (const THolder<CCheckBoxControl>& item : m_items) {
        item->UpdateHitRect();
        UnionRect(hit, item->GetHitRect(), hit);
    }
    SetHitRect(hit);
}

void CRadioGroupControl::OnSelectionChanged(THolder<CBaseControl> sender) {
    m_selectionChangedEvent.Raise(sender);
}

bool CRadioGroupControl::SetSelected(int index) {
    if (index < -1 || index >= GetItemCount()) return false;
    if (index == m_selected) return true;
    const THolder<CBaseControl> self = Self();
    if (m_selected != -1) m_items[static_cast<std::size_t>(m_selected)]->SetChecked(false);
    if (index != -1) m_items[static_cast<std::size_t>(index)]->SetChecked(true);
    m_selected = index;
    OnSelectionChanged(self);
    return true;
}

void CRadioGroupControl::OnItemClick(THolder<CBaseControl> sender, const TPoint<int>&, int) {
    const int k = sender ? sender->GetBindingIndex() : -1;
    const THolder<CCheckBoxControl> item = GetItem(k);
    if (!item || THolder<CBaseControl>(item) != sender) return;
    const THolder<CBaseControl> self = Self();
    if (k == m_selected) {
        // The selected item has just unchecked itself: a radio item stays checked.
        item->SetChecked(true);
        return;
    }
    if (m_selected != -1) m_items[static_cast<std::size_t>(m_selected)]->SetChecked(false);
    m_selected = k;
    OnSelectionChanged(self);
}

namespace {

THolder<CBaseControl> MakeRadioGroup() {
    return THolder<CBaseControl>(new CRadioGroupControl);
}

void SetUpRadioGroup(CBaseControl& control, const THolder<IScreen>&, const tagControlArgs& args) {
    auto& group = static_cast<CRadioGroupControl&>(control);
    if (group.SetSelected(args.selectedIndex)) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Radio group \"%s\" has no item %d to select", group.GetName().c_str(),
                    args.selectedIndex);
    hge->Release();
}

}  // namespace

void RegisterRadioGroupControl() {
    RegisterControlFactory(EControlKind::RadioGroup, {&MakeRadioGroup, &SetUpRadioGroup});
}

}  // namespace HGENS
}  // namespace GF
