#include "framework/gui/ListBoxControl.h"

#include <algorithm>
#include <cstdio>

#include "framework/app/Screen.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/Screen.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"

namespace GF {
namespace HGENS {

int ListRowHeight(int hitHeight, int rows) {
    return rows > 0 ? hitHeight / rows : 0;
}

int ListRowAt(int y, int hitTop, int rowHeight) {
    if (rowHeight <= 0 || y < hitTop) return -1;
    return static_cast<int>((static_cast<long long>(y) - hitTop) / rowHeight);
}

int ListPageStart(int index, int rows, int items) {
    if (rows <= 0) return 0;
    int start = index - index % rows;
    if (items >= rows && start > items - rows) start = items - rows;
    return start;
}

int ListSliderValue(int top, int items, int rows) {
    if (items <= rows) return 0;
    return static_cast<int>(static_cast<long long>(top) * 100 / (items - rows));
}

int ListScrollOffset(int items, int rows, int sliderValue) {
    if (items <= rows) return 0;
    return std::max(0, static_cast<int>((static_cast<long long>(items) - rows) * sliderValue / 100));
}

int ListSliderStep(int items, int rows) {
    return 100 / std::max(1, items - rows);
}

// --- The list box ---

CListBoxControl::~CListBoxControl() {
    // The slider lives on in the screen's controls; it must not call back into a list box gone.
    if (m_slider && m_sliderDelegate) m_slider->m_valueChangedEvent.Remove(m_sliderDelegate);
    m_selectionChangedEvent.Clear();
    m_scrollEvent.Clear();
    m_itemsChangedEvent.Clear();
}

void CListBoxControl::Initialize(const std::string& name, THolder<IScreen> screen) {
    CButtonControl::Initialize(name, screen);
    if (const TAnimationPtr item = GetAnimation()) {
        for (int n = 1;; ++n) {
            const TAnimationPtr row = HostedAnimation(item, "_text_" + std::to_string(n));
            if (!row) break;
            row->Play("_unselected", 0, false);
            row->SetVisible(false);
            m_rows.push_back(row);
        }
    }
    m_top = 0;
    m_selected = 0;
    if (!m_rows.empty()) m_rows[0]->Play("_selected", 0, false);
}

void CListBoxControl::AttachSlider(bool wanted, THolder<IScreen> screen) {
    if (wanted == static_cast<bool>(m_slider)) return;
    if (!wanted) {
        DropSlider();
        return;
    }
    if (!screen) return;
    m_slider = screen->CreateSlider(GetName() + "_slider",
                                    ListSliderValue(m_top, GetItemCount(), GetRowCount()), 0, 100, false);
    if (!m_slider) return;
    m_sliderDelegate = CreateDelegate(this, &CListBoxControl::OnSliderChanged);
    m_slider->m_valueChangedEvent.Add(m_sliderDelegate);
    UpdateSliderVisibility();
}

void CListBoxControl::DropSlider() {
    if (!m_slider) return;
    m_slider->m_valueChangedEvent.Remove(m_sliderDelegate);
    m_slider->Destroy();
    m_slider.Reset();
    m_sliderDelegate.Reset();
}

void CListBoxControl::AddItem(const WString& text) {
    if (m_addAtFront)
        m_items.push_front(text);
    else
        m_items.push_back(text);
    const int items = GetItemCount(), rows = GetRowCount();
    if (static_cast<long long>(items) <= static_cast<long long>(m_top) + rows)
        ShowRows(std::max(0, items - rows));
    UpdateSliderVisibility();
    OnItemsChanged(Self());
}

void CListBoxControl::Clear() {
    m_items.clear();
    m_top = 0;
    ShowRows(0);
    UpdateSliderVisibility();
    m_selected = 0;
    OnItemsChanged(Self());
}

void CListBoxControl::SelectItem(int index) {
    if (index == m_selected || index < 0 || index >= GetItemCount() || m_rows.empty()) return;
    const int start = ListPageStart(index, GetRowCount(), GetItemCount());
    if (start != m_top) {
        m_top = start;
        ShowRows(start);
        SyncSlider();
    }
    Highlight(index);
    OnSelectionChanged(Self());
}

const WString& CListBoxControl::GetItem(int index) const {
    static const WString kNone;
    if (index < 0 || index >= GetItemCount()) return kNone;
    return m_items[static_cast<std::size_t>(index)];
}

int CListBoxControl::FindItem(const WString& text) const {
    const auto found = std::find(m_items.begin(), m_items.end(), text);
    return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

int CListBoxControl::GetScrollOffset() const {
    if (!m_slider || !m_slider->IsVisible() || m_items.empty()) return 0;
    return ListScrollOffset(GetItemCount(), GetRowCount(), m_slider->GetValue());
}

void CListBoxControl::ShowRows(int first) {
    for (int r = 0; r < GetRowCount(); ++r) {
        const TAnimationPtr& row = m_rows[static_cast<std::size_t>(r)];
        const long long i = static_cast<long long>(first) + r;
        if (i < GetItemCount()) {
            char number[24];
            std::snprintf(number, sizeof number, "%2lld. ", i + 1);
            row->SetText("_text", Widen(number) + m_items[static_cast<std::size_t>(i)]);
            row->SetVisible(true);
        } else {
            row->SetVisible(false);
        }
    }
}

void CListBoxControl::Highlight(int index) {
    const int rows = GetRowCount();
    if (m_highlightedRow >= 0 && m_highlightedRow < rows)
        m_rows[static_cast<std::size_t>(m_highlightedRow)]->Play("_unselected", 0, false);
    m_selected = index;
    const int row = index - m_top;
    if (row >= 0 && row < rows) m_rows[static_cast<std::size_t>(row)]->Play("_selected", 0, false);
    m_highlightedRow = row;
}

void CListBoxControl::SyncSlider() {
    if (!m_slider) return;
    m_syncingSlider = true;
    m_slider->SetValue(ListSliderValue(m_top, GetItemCount(), GetRowCount()), false);
    m_syncingSlider = false;
}

void CListBoxControl::UpdateSliderVisibility() {
    if (!m_slider) return;
    if (IsVisible() && GetItemCount() > GetRowCount()) {
        m_slider->SetVisible(true);
        SyncSlider();
    } else {
        m_slider->SetVisible(false);
    }
}

void CListBoxControl::OnMouseEnter(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseEnter(sender);
}

void CListBoxControl::OnMouseLeave(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseLeave(sender);
}

void CListBoxControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    CBaseControl::OnMouseDown(sender, point, buttons);
}

void CListBoxControl::OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    // The hit rectangle's bottom edge counts as inside, one pixel below the last row: only a shown
    // row selects.
    const int row = ListRowAt(point.y, GetHitRect().top, m_rowHeight);
    if (row >= 0 && row < GetRowCount()) {
        const long long item = static_cast<long long>(row) + m_top;
        if (item < GetItemCount() && item != m_selected) {
            Highlight(static_cast<int>(item));
            OnSelectionChanged(Self());
        }
    }
    CBaseControl::OnClick(sender, point, buttons);
}

void CListBoxControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    UpdateSliderVisibility();
    CButtonControl::OnVisibleChanged(sender);
}

void CListBoxControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    if (m_slider) m_slider->SetEnabled(IsEnabled());
    CButtonControl::OnEnabledChanged(sender);
}

void CListBoxControl::UpdateHitRect() {
    CButtonControl::UpdateHitRect();
    const TRect& hit = GetHitRect();
    m_rowHeight = ListRowHeight(hit.bottom - hit.top, GetRowCount());
}

void CListBoxControl::ShowEnabledState() {
    if (const TAnimationPtr item = GetAnimation())
        item->Play(IsEnabled() ? "_enabled" : "_disabled", 0, false);
}

void CListBoxControl::OnSelectionChanged(THolder<CBaseControl> sender) {
    m_selectionChangedEvent.Raise(sender);
}

void CListBoxControl::OnSliderChanged(THolder<CBaseControl> sender) {
    if (m_syncingSlider) return;
    const int offset = GetScrollOffset();
    if (offset == m_top) return;
    m_top = offset;
    ShowRows(offset);
    Highlight(m_selected);
    m_scrollEvent.Raise(sender);
}

void CListBoxControl::OnItemsChanged(THolder<CBaseControl> sender) {
    m_itemsChangedEvent.Raise(sender);
    if (m_slider) m_slider->m_step = ListSliderStep(GetItemCount(), GetRowCount());
}

// --- The screens' factory ---

namespace {

THolder<CBaseControl> MakeListBox() {
    return THolder<CBaseControl>(new CListBoxControl);
}

void SetUpListBox(CBaseControl& control, const THolder<IScreen>& screen, const tagControlArgs& args) {
    static_cast<CListBoxControl&>(control).AttachSlider(args.withSlider, screen);
}

}  // namespace

void RegisterListBoxControl() {
    RegisterControlFactory(EControlKind::ListBox, {&MakeListBox, &SetUpListBox});
}

}  // namespace HGENS
}  // namespace GF
