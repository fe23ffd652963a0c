#pragma once
#include <deque>
#include <string>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/gui/Button.h"
#include "framework/gui/SliderControl.h"
#include "framework/scene/SceneFwd.h"

namespace GF {
namespace HGENS {

// The arithmetic of a list box's rows, apart from the animations that show them. `items` is the
// number of texts, `rows` the number of rows the layout gives; the scroll slider runs 0..100.

// Pixels a row: the hit rectangle's height shared among the rows; 0 without rows.
int ListRowHeight(int hitHeight, int rows);
// The row (0-based, from the first shown) under y; -1 above the first row or while the rows have no
// height yet.
int ListRowAt(int y, int hitTop, int rowHeight);
// The first item shown when `index` is brought into view a page at a time: the start of its page,
// held back so that a full list fills every row.
int ListPageStart(int index, int rows, int items);
// The slider position that shows the top item; 0 while every item fits.
int ListSliderValue(int top, int items, int rows);
// The top item a slider position shows.
int ListScrollOffset(int items, int rows, int sliderValue);
// The value an arrow of the slider moves by: about one item.
int ListSliderStep(int items, int rows);

// A list of texts shown in the fixed number of rows its layout gives ("_text_1", "_text_2", ... in
// its item animation). Each row shows the item's number from 1 and its text; the selected item's
// row plays "_selected", the others "_unselected". A click selects the item of its row; longer lists
// scroll with a slider "<name>_slider" that the list box makes on the same screen.
class CListBoxControl : public CButtonControl {
public:
    CListBoxControl() = default;
    ~CListBoxControl() override;

    void Initialize(const std::string& name, THolder<IScreen> screen) override;
    void OnMouseEnter(THolder<CBaseControl> sender) override;
    void OnMouseLeave(THolder<CBaseControl> sender) override;
    void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnVisibleChanged(THolder<CBaseControl> sender) override;
    void OnEnabledChanged(THolder<CBaseControl> sender) override;
    void UpdateHitRect() override;
    void ShowEnabledState() override;
    virtual void OnSelectionChanged(THolder<CBaseControl> sender);
    // The slider's ValueChanged delegate.
    virtual void OnSliderChanged(THolder<CBaseControl> sender);
    virtual void OnItemsChanged(THolder<CBaseControl> sender);

    void AddItem(const WString& text);
    void Clear();
    // Brings the item's page into view and selects it; an index outside the items is ignored.
    void SelectItem(int index);
    // The empty text for an index outside the items.
    const WString& GetItem(int index) const;
    // -1 when no item equals the text.
    int FindItem(const WString& text) const;
    // The top item the slider asks for; 0 without a visible slider or items.
    int GetScrollOffset() const;
    // Makes (true) or destroys (false) the scroll slider on the screen.
    void AttachSlider(bool wanted, THolder<IScreen> screen);

    int GetSelectedItem() const { return m_selected; }
    int GetTopItem() const { return m_top; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetRowHeight() const { return m_rowHeight; }

    bool m_addAtFront = false;  // AddItem inserts at the front
    CControlEvent m_selectionChangedEvent;
    CControlEvent m_scrollEvent;  // raised with the slider as sender
    CControlEvent m_itemsChangedEvent;

private:
    void ShowRows(int first);
    void Highlight(int index);
    void SyncSlider();
    void UpdateSliderVisibility();
    void DropSlider();

    THolder<CSliderControl> m_slider;
    THolder<IDelegate1<void, THolder<CBaseControl>>> m_sliderDelegate;
    int m_top = 0;
    std::deque<WString> m_items;
    std::vector<TAnimationPtr> m_rows;
    int m_rowHeight = 0;
    int m_selected = 0;
    bool m_syncingSlider = false;
    int m_highlightedRow = 0;  // may lie outside the rows
};

// The screens' factory of list boxes; registered wherever this header is used.
void RegisterListBoxControl();
namespace detail {
inline const bool g_listBoxControlRegistered = (RegisterListBoxControl(), true);
}

}  // namespace HGENS
}  // namespace GF
