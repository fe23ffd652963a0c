#pragma once
#include <string>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/gui/BaseControl.h"

namespace GF {
namespace HGENS {

class CCheckBoxControl;

// Check boxes of which at most one is checked. The group has no picture of its own: it finds its
// items in the screen's layout as "<name>_radio_1", "<name>_radio_2", ... (up to the first number
// missing), has the screen make a check box for each, and from then on keeps exactly the selected
// item checked.
class CRadioGroupControl : public CBaseControl {
public:
    CRadioGroupControl() = default;
    ~CRadioGroupControl() override;

    void Initialize(const std::string& name, THolder<IScreen> screen) override;
    void OnVisibleChanged(THolder<CBaseControl> sender) override;
    void OnEnabledChanged(THolder<CBaseControl> sender) override;
    // Around all the items.
    void UpdateHitRect() override;
    virtual void OnSelectionChanged(THolder<CBaseControl> sender);

    // -1 (no selection) or an item's index; false, and nothing changes, for any other value.
    bool SetSelected(int index);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    THolder<CCheckBoxControl> GetItem(int index) const;

    CControlEvent m_selectionChangedEvent;

private:
    // The items' Click delegate: the item has already flipped its own flag.
    void OnItemClick(THolder<CBaseControl> item, const TPoint<int>& point, int buttons);

    std::vector<THolder<CCheckBoxControl>> m_items;
    int m_selected = -1;
    THolder<IDelegate3<void, THolder<CBaseControl>, const TPoint<int>&, int>> m_itemClick;
};

// The screens' factory of radio groups; registered wherever this header is used.
void RegisterRadioGroupControl();
namespace detail {
inline const bool g_radioGroupControlRegistered = (RegisterRadioGroupControl(), true);
}

}  // namespace HGENS
}  // namespace GF
