#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/RadioGroupControl.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// The item a player sees checked; -1 when none is.
int CheckedIndex(const THolder<CRadioGroupControl>& group) {
    for (int i = 0; i < group->GetItemCount(); ++i)
        if (group->GetItem(i)->m_checked) return i;
    return -1;
}

// Writes the group's SelectionChanged and each item's CheckedChanged and Click, in order.
struct CGroupLog {
    explicit CGroupLog(const THolder<CRadioGroupControl>& g) : group(g) {
        g->m_selectionChangedEvent.Add(CreateDelegate(this, &CGroupLog::Selection));
        for (int i = 0; i < g->GetItemCount(); ++i) {
            g->GetItem(i)->m_checkedChangedEvent.Add(CreateDelegate(this, &CGroupLog::Checked));
            g->GetItem(i)->m_clickEvent.Add(CreateDelegate(this, &CGroupLog::Click));
        }
    }
    void Selection(THolder<CBaseControl>) {
        words.push_back("selection " + std::to_string(CheckedIndex(group)));
    }
    void Checked(THolder<CBaseControl> item) {
        words.push_back(item->GetName() +
                        (static_cast<CCheckBoxControl*>(item.Get())->m_checked ? " on" : " off"));
    }
    void Click(THolder<CBaseControl> item, const TPoint<int>&, int) {
        words.push_back(item->GetName() + " click");
    }
    THolder<CRadioGroupControl> group;
    std::vector<std::string> words;
};

// The radio group "level" of the sample layout: boxes at (420, 180), (420, 210) and (420, 240), and
// one at (420, 300) that the group never reaches (there is no fourth).
class RadioGroupTest : public CControlsFixture {
protected:
    void Click(int y) {
        for (const int buttons : {0, 1, 0}) {
            SetMouse(420, y, buttons);
            screen->Update(60.0f);
        }
        SetMouse(0, 0, 0);
        screen->Update(60.0f);
    }
    std::vector<bool> Checked(const THolder<CRadioGroupControl>& group) {
        std::vector<bool> flags;
        for (int i = 0; i < group->GetItemCount(); ++i) flags.push_back(group->GetItem(i)->m_checked);
        return flags;
    }
};

TEST_F(RadioGroupTest, ItemsUpToTheFirstMissingNumberStartingWithTheGivenSelection) {
    const THolder<CRadioGroupControl> group = screen->CreateRadioGroup("level", 1);
    ASSERT_EQ(group->GetItemCount(), 3);
    EXPECT_EQ(group->GetItem(2)->GetName(), "level_radio_3");
    EXPECT_EQ(group->GetItem(2)->GetBindingIndex(), 2);
    EXPECT_EQ(Checked(group), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(screen->GetControlCount(), 4);  // the boxes, then the group
    EXPECT_EQ(group->GetHitRect(), (TRect{412, 172, 428, 248}));
    EXPECT_FALSE(screen->FindControl("level_radio_5"));

    // A layout without the first item: a group of none, where only -1 selects.
    const THolder<CRadioGroupControl> none = screen->CreateRadioGroup("difficulty", -1);
    EXPECT_EQ(none->GetItemCount(), 0);
    EXPECT_EQ(CheckedIndex(none), -1);
}

TEST_F(RadioGroupTest, SelectionsOutsideTheItemsAreRefused) {
    const THolder<CRadioGroupControl> group = screen->CreateRadioGroup("level", 3);
    EXPECT_EQ(CheckedIndex(group), -1);
    EXPECT_TRUE(engine.HasLog("Radio group \"level\" has no item 3 to select"));
    for (const int index : {-2, 3, 1000}) {
        EXPECT_FALSE(group->SetSelected(index)) << index;
        EXPECT_EQ(CheckedIndex(group), -1);
    }
    EXPECT_TRUE(group->SetSelected(2));
    EXPECT_FALSE(group->SetSelected(-7));
    EXPECT_EQ(Checked(group), (std::vector<bool>{false, false, true}));
}

TEST_F(RadioGroupTest, ClicksKeepExactlyOneItemChecked) {
    const THolder<CRadioGroupControl> group = screen->CreateRadioGroup("level", 0);
    ToIdle();
    CGroupLog log(group);

    // Another item: it checks itself, then its Click reaches the group (the first of its Click
    // delegates, ahead of this log), which unchecks the old item and announces the selection.
    Click(210);
    EXPECT_EQ(log.words, (std::vector<std::string>{"level_radio_2 on", "level_radio_1 off", "selection 1",
                                                   "level_radio_2 click"}));
    EXPECT_EQ(Checked(group), (std::vector<bool>{false, true, false}));

    log.words.clear();
    Click(210);  // the selected item: it unchecks itself and the group checks it again, silently
    EXPECT_EQ(log.words,
              (std::vector<std::string>{"level_radio_2 off", "level_radio_2 on", "level_radio_2 click"}));
    EXPECT_EQ(CheckedIndex(group), 1);

    log.words.clear();
    EXPECT_TRUE(group->SetSelected(-1));
    EXPECT_EQ(log.words, (std::vector<std::string>{"level_radio_2 off", "selection -1"}));
    EXPECT_EQ(Checked(group), (std::vector<bool>{false, false, false}));
}

TEST_F(RadioGroupTest, DisablingOrHidingTheGroupReachesEveryItem) {
    const THolder<CRadioGroupControl> group = screen->CreateRadioGroup("level", 0);
    group->SetEnabled(false);
    group->SetVisible(false);
    for (int i = 0; i < group->GetItemCount(); ++i) {
        EXPECT_FALSE(group->GetItem(i)->IsEnabled());
        EXPECT_FALSE(group->GetItem(i)->IsVisible());
    }
    group->SetEnabled(true);
    EXPECT_TRUE(group->GetItem(1)->IsEnabled());
}

}  // namespace
