#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/MenuScreen.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

class CMenu : public CMenuScreenAbstract {
public:
    static THolder<IScreen> Create() { return THolder<IScreen>(new CMenu); }
    void OnCommand(const std::string& result) override {
        commands.push_back(result);
        if (cancels > 0) {
            --cancels;
            m_result.clear();
        }
    }
    std::vector<std::string> commands;
    int cancels = 0;  // how many of the next commands empty the result
};

using Parts = std::vector<std::string>;
using Notes = std::vector<std::string>;

// The menu "menu" over the sample layout, its buttons "yes" (about (240, 280)) and "no" (about
// (400, 280)) bound by each test, played to its idle phase.
class MenuScreenTest : public CGuiFixture {
protected:
    MenuScreenTest() {
        manager->RegisterScreenFactory("menu", CMenu::Create);
        manager->ShowScreen("menu", "main_menu.confirm_screen", {}, "");
        menu = static_cast<CMenu*>(manager->FindScreen("menu").Get());
    }
    void ToIdle() {
        for (int i = 0; i < 5; ++i) Frame();
        ASSERT_EQ(PartOf(menu->GetAnimation()), "_idle");
    }
    // A frame with the mouse at (x, y) and the left button held or not.
    std::string MouseFrame(int x, int y, bool held) {
        SetMouse(x, y, held ? 1 : 0);
        return Frame();
    }
    // Hover, press and release over the point; the parts after each of the three frames.
    Parts Click(int x, int y) {
        return {MouseFrame(x, y, false), MouseFrame(x, y, true), MouseFrame(x, y, false)};
    }
    std::u16string Hint() {
        const WChar* text = menu->GetAnimation()->GetText("_hint");
        return text ? text : u"(none)";
    }

    CMenu* menu = nullptr;
};

TEST_F(MenuScreenTest, ButtonBoundToAResultWordEndsTheScreen) {
    struct Case {
        int mask;
        Parts after;  // the frames after the click
    };
    const Case cases[] = {
        {0, {"end"}},
        {CScreenAbstract::kHideBeforeFinish, {"_hide", "_hide", "_hide", "_hide", "end"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        if (!menu) {
            manager->ShowScreen("menu", "main_menu.confirm_screen", {}, "");
            menu = static_cast<CMenu*>(manager->FindScreen("menu").Get());
        }
        flow.notes.clear();
        THolder<IScreen> kept(menu);
        menu->BindControl("yes", "accept", false, c.mask);
        ToIdle();
        EXPECT_EQ(Click(240, 280), (Parts{"_idle", "_idle", "_idle"}));
        EXPECT_EQ(flow.notes, Notes{"result accept"});  // announced in the click's frame
        EXPECT_EQ(Run(), c.after);
        EXPECT_EQ(flow.notes, (Notes{"result accept", "finished menu accept"}));
        EXPECT_EQ(menu->commands, Notes{"accept"});
        menu = nullptr;
    }
}

TEST_F(MenuScreenTest, HintShowsWhileTheMouseIsOverABoundButton) {
    menu->BindControl("yes", "accept", false, 0);
    menu->BindControl("no", "decline", false, 0);
    ToIdle();
    MouseFrame(240, 280, false);
    EXPECT_EQ(Hint(), u"Agree");
    MouseFrame(100, 100, false);
    EXPECT_EQ(Hint(), u" ");  // a space, not an empty text
    MouseFrame(400, 280, false);
    EXPECT_EQ(Hint(), u"");
}

TEST_F(MenuScreenTest, ClickOnAButtonWhoseIndexNamesNoRecordDoesNothing) {
    menu->BindControl("yes", "accept", false, 0);
    ToIdle();
    const THolder<CBaseControl> button = menu->FindControl("yes");
    for (int index : {-1, 1, 7}) {
        button->SetBindingIndex(index);
        Click(240, 280);
        MouseFrame(0, 0, false);
        EXPECT_EQ(Frame(), "_idle");
    }
    EXPECT_TRUE(flow.notes.empty());
    EXPECT_TRUE(menu->commands.empty());
}

TEST_F(MenuScreenTest, ConfirmingButtonAnnouncesThenAsks) {
    const int mask = CScreenAbstract::kHideBeforeFinish;
    for (const char* answer : {"no", "yes"}) {
        SCOPED_TRACE(answer);
        if (!menu) {
            manager->ShowScreen("menu", "main_menu.confirm_screen", {}, "");
            menu = static_cast<CMenu*>(manager->FindScreen("menu").Get());
        }
        flow.notes.clear();
        THolder<IScreen> kept(menu);
        menu->BindControl("no", "decline", true, mask);
        ToIdle();
        EXPECT_EQ(Click(400, 280).back(), "confirm_screen_show");
        EXPECT_EQ(flow.notes, Notes{"result decline"});
        EXPECT_EQ(menu->commands, Notes{"decline"});
        for (int i = 0; i < 4; ++i) Frame();
        PressKey(std::string(answer) == "yes" ? CKeyset::kKeyEnter : CKeyset::kKeyEscape);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Frame(), "confirm_screen_hide");
        if (std::string(answer) == "no") {
            // Back on top, still idle (the button's mask cleared autoShow) and still holding the word.
            EXPECT_EQ(Frame(), "_idle");
            EXPECT_EQ(Frame(), "_idle");
            EXPECT_EQ(menu->GetResult(), "decline");
            EXPECT_EQ(flow.notes, Notes{"result decline"});
            manager->DestroyScreen("menu");
        } else {
            // The next idle update finishes the screen again with the same word, after "_hide".
            EXPECT_EQ(Run(), (Parts{"_hide", "_hide", "_hide", "_hide", "end"}));
            EXPECT_EQ(flow.notes, (Notes{"result decline", "result decline", "finished menu decline"}));
            EXPECT_EQ(menu->commands, (Notes{"decline", "decline"}));
        }
        menu = nullptr;
    }
}

// A command that empties the result cancels the click: the menu stays idle, nothing is announced,
// and the next click ends it as usual.
TEST_F(MenuScreenTest, CommandThatEmptiesTheResultKeepsTheMenuIdle) {
    THolder<IScreen> kept(menu);
    menu->cancels = 1;
    menu->BindControl("yes", "accept", false, CScreenAbstract::kHideBeforeFinish);
    ToIdle();
    Click(240, 280);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(MouseFrame(0, 0, false), "_idle");
    EXPECT_TRUE(flow.notes.empty());
    EXPECT_EQ(menu->GetResult(), "");

    Click(240, 280);
    EXPECT_EQ(Run(), (Parts{"_hide", "_hide", "_hide", "_hide", "end"}));
    EXPECT_EQ(flow.notes, (Notes{"result accept", "finished menu accept"}));
    EXPECT_EQ(menu->commands, (Notes{"accept", "accept"}));
}

// The game's flow lets go of the menu as soon as its result is announced (inside the click): the
// update that ran the click finishes on a live menu.
TEST_F(MenuScreenTest, ResultListenerMayReleaseTheMenuDuringTheClick) {
    manager->DestroyScreen("menu");
    struct Owner {
        THolder<IScreen> held;
        void Drop(THolder<IScreen>) { held.Reset(); }
    } owner;
    owner.held = CMenu::Create();
    IScreen* raw = owner.held.Get();
    raw->Initialize("main_menu.confirm_screen", {}, "");
    raw->BindControl("yes", "accept", false, 0);
    manager->GetScreenResultEvent().Add(CreateDelegate(&owner, &Owner::Drop));
    raw->OnTop();
    for (int i = 0; i < 5; ++i) raw->Update(100.0f);
    SetMouse(240, 280, 0);
    raw->Update(16.0f);
    SetMouse(240, 280, 1);
    raw->Update(16.0f);
    SetMouse(240, 280, 0);
    raw->Update(16.0f);  // the click: Finish announces the result, the flow lets go
    EXPECT_FALSE(owner.held);
    manager->GetScreenResultEvent().Remove(CreateDelegate(&owner, &Owner::Drop));
}

}  // namespace
