#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/gui/LayoutItem.h"
#include "framework/gui/ListBoxControl.h"
#include "framework/scene/IAnimation.h"
#include "tests/gui/GuiFixture.h"

using namespace GF::HGENS;

// The divisions by the number of rows and by the row height, which a layout can make zero.
TEST(ListBoxRows, NoRowsOrRowsWithoutHeightDivideNothing) {
    EXPECT_EQ(ListRowHeight(100, 0), 0);
    EXPECT_EQ(ListPageStart(4, 0, 12), 0);
    struct {
        int y, rowHeight, expected;
    } cases[] = {
        {219, 20, 0}, {220, 20, 1},  {199, 20, -1},  // the rows start at 200; above them: none
        {250, 0, -1}, {250, -3, -1},                 // before the rows were measured
    };
    for (const auto& c : cases) EXPECT_EQ(ListRowAt(c.y, 200, c.rowHeight), c.expected) << c.y;
    EXPECT_EQ(ListSliderValue(0, 5, 5), 0);  // every item fits: nothing to divide by
}

// --- The list box on a screen ---

namespace {

using namespace GF;

// Writes the list box's SelectionChanged, Scroll and Click events.
struct CListLog {
    explicit CListLog(const THolder<CListBoxControl>& l) : list(l) {
        l->m_selectionChangedEvent.Add(CreateDelegate(this, &CListLog::Selection));
        l->m_scrollEvent.Add(CreateDelegate(this, &CListLog::Scroll));
        l->m_clickEvent.Add(CreateDelegate(this, &CListLog::Click));
    }
    void Selection(THolder<CBaseControl>) {
        words.push_back("selection " + std::to_string(list->GetSelectedItem()));
    }
    void Scroll(THolder<CBaseControl> sender) { words.push_back("scroll " + sender->GetName()); }
    void Click(THolder<CBaseControl>, const TPoint<int>&, int) { words.push_back("click"); }
    THolder<CListBoxControl> list;
    std::vector<std::string> words;
};

// The list box "players" of the sample layout: five rows of 20 pixels from (100, 180), 200 wide, its
// scroll bar "players_slider" from y 180 down to 280 at x 310.
class ListBoxOnScreen : public CControlsFixture {
protected:
    THolder<CListBoxControl> Make(int items) {
        THolder<CListBoxControl> list = screen->CreateListBox("players", true);
        for (int i = 0; i < items; ++i) list->AddItem(u"P" + IntToWString(i));
        return list;
    }
    void Click(int x, int y) {
        for (const int buttons : {0, 1, 0}) {
            SetMouse(x, y, buttons);
            screen->Update(60.0f);
        }
    }
    // What each row shows: its text, "*" before it while it plays "_selected", "-" when hidden.
    static std::vector<std::u16string> Rows(const THolder<CListBoxControl>& list) {
        std::vector<std::u16string> rows;
        for (int r = 1; r <= list->GetRowCount(); ++r) {
            const TAnimationPtr row = HostedAnimation(list->GetAnimation(), "_text_" + std::to_string(r));
            if (!row->IsVisible()) {
                rows.push_back(u"-");
                continue;
            }
            const THolder<INamedPart> selected = row->GetAnimationData()->GetNamedPart("_selected");
            const bool marked = selected->GetStart() == row->GetStartTime();
            rows.push_back((marked ? u"*" : u"") + std::u16string(row->GetText("_text")));
        }
        return rows;
    }
    THolder<CSliderControl> Slider(const std::string& name) {
        return HolderCast<CSliderControl>(screen->FindControl(name + "_slider"));
    }
};

TEST_F(ListBoxOnScreen, RowsShowNumberedItemsAndAShortListHidesItsSlider) {
    const THolder<CListBoxControl> list = Make(3);
    ASSERT_EQ(list->GetRowCount(), 5);
    EXPECT_EQ(Rows(list), (std::vector<std::u16string>{u"* 1. P0", u" 2. P1", u" 3. P2", u"-", u"-"}));
    const THolder<CSliderControl> slider = Slider("players");
    ASSERT_TRUE(slider);
    EXPECT_FALSE(slider->IsVisible());
    EXPECT_EQ(list->FindItem(u"P2"), 2);
    EXPECT_EQ(list->FindItem(u"P9"), -1);
    EXPECT_EQ(list->GetItem(7), u"");  // outside the items: the empty text

    for (int i = 3; i < 12; ++i) list->AddItem(u"P" + IntToWString(i));
    EXPECT_TRUE(slider->IsVisible());
    EXPECT_EQ(slider->m_step, 14);  // 100 / (12 - 5)
    EXPECT_EQ(list->GetItem(9), u"P9");

    list->Clear();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_FALSE(slider->IsVisible());
    EXPECT_EQ(Rows(list), (std::vector<std::u16string>{u"-", u"-", u"-", u"-", u"-"}));
}

TEST_F(ListBoxOnScreen, AListBoxWithoutRowsShowsAndSelectsNothing) {
    const THolder<CListBoxControl> list = screen->CreateListBox("guests", false);
    for (int i = 0; i < 3; ++i) list->AddItem(u"G");
    list->SelectItem(2);
    list->UpdateHitRect();
    list->OnClick(list, {0, 0}, 1);
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_EQ(list->GetRowHeight(), 0);
    EXPECT_EQ(list->GetSelectedItem(), 0);
    EXPECT_FALSE(Slider("guests"));
}

TEST_F(ListBoxOnScreen, SelectItemTurnsToItsPage) {
    const THolder<CListBoxControl> list = Make(12);
    CListLog log(list);
    list->SelectItem(7);
    EXPECT_EQ(list->GetTopItem(), 5);
    EXPECT_EQ(Rows(list),
              (std::vector<std::u16string>{u" 6. P5", u" 7. P6", u"* 8. P7", u" 9. P8", u"10. P9"}));
    EXPECT_EQ(Slider("players")->GetValue(), 71);  // 5 * 100 / 7
    list->SelectItem(11);
    EXPECT_EQ(list->GetTopItem(), 7);
    EXPECT_EQ(Rows(list).back(), u"*12. P11");
    for (const int ignored : {11, -1, 12}) list->SelectItem(ignored);
    EXPECT_EQ(log.words,
              (std::vector<std::string>{"selection 7", "selection 11"}));  // no Scroll: the list moved itself
}

TEST_F(ListBoxOnScreen, ClicksSelectTheirRowAndTheSliderScrolls) {
    const THolder<CListBoxControl> list = Make(12);
    // Before the idle phase the rows have no height: a click selects nothing.
    list->OnClick(list, {150, 230}, 1);
    EXPECT_EQ(list->GetSelectedItem(), 0);
    ToIdle();
    EXPECT_EQ(list->GetRowHeight(), 20);
    CListLog log(list);

    Click(150, 245);  // row 3
    Click(150, 250);  // the same row again: Click but no SelectionChanged
    Click(150, 280);  // the bottom edge is inside the box but below the last row
    EXPECT_EQ(list->GetSelectedItem(), 3);
    EXPECT_EQ(log.words, (std::vector<std::string>{"selection 3", "click", "click", "click"}));

    // Drag the scroll bar's cursor (at 180) half way down: the top item becomes trunc(7 * 50 / 100).
    log.words.clear();
    for (const auto& [y, buttons] :
         std::vector<std::pair<int, int>>{{180, 0}, {180, 1}, {230, 1}, {230, 0}}) {
        SetMouse(310, y, buttons);
        screen->Update(60.0f);
    }
    EXPECT_EQ(Slider("players")->GetValue(), 50);
    EXPECT_EQ(list->GetTopItem(), 3);
    EXPECT_EQ(Rows(list).front(), u"* 4. P3");  // the selection's highlight follows the scroll
    EXPECT_EQ(log.words, std::vector<std::string>{"scroll players_slider"});

    // Scrolled further, the selected item leaves the rows and no row is highlighted.
    Slider("players")->SetValue(100, false);
    EXPECT_EQ(list->GetTopItem(), 7);
    EXPECT_EQ(Rows(list),
              (std::vector<std::u16string>{u" 8. P7", u" 9. P8", u"10. P9", u"11. P10", u"12. P11"}));
    Click(150, 185);
    EXPECT_EQ(list->GetSelectedItem(), 7);
}

}  // namespace
