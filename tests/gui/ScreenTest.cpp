#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/Keyset.h"
#include "framework/gui/Screen.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

constexpr int kEnter = CKeyset::kKeyEnter;
constexpr int kEscape = CKeyset::kKeyEscape;

// A screen with the base's behaviour that notes the words it is told through OnCommand.
class CTaskScreen : public CScreenAbstract {
public:
    static THolder<IScreen> Create() { return THolder<IScreen>(new CTaskScreen); }
    void OnCommand(const std::string& result) override { commands.push_back(result); }
    std::vector<std::string> commands;
};

class ScreenTest : public CGuiFixture {
protected:
    ScreenTest() { manager->RegisterScreenFactory("menu", CTaskScreen::Create); }

    CTaskScreen* Show(const std::string& layout = "main_menu.confirm_screen") {
        manager->ShowScreen("menu", layout, {}, "");
        return static_cast<CTaskScreen*>(manager->FindScreen("menu").Get());
    }
};

using Parts = std::vector<std::string>;

TEST_F(ScreenTest, ShowIdleAndHideToItsResult) {
    CTaskScreen* screen = Show();
    screen->AddPhaseTask(kEnter, "ok", false,
                         CScreenAbstract::kPhaseIdle | CScreenAbstract::kHideBeforeFinish);
    EXPECT_EQ(PartOf(screen->GetAnimation()), "_show");
    EXPECT_EQ(screen->GetAnimation()->GetPosition(), (TPoint<float>{320.0f, 240.0f}));  // centred

    // "_show" plays 300 ms (its last time is shown one frame more), then idle; Enter in the 7th
    // frame plays "_hide" and the screen finishes when that has played.
    const Parts parts = Run({{6, kEnter}});
    EXPECT_EQ(parts, (Parts{"_show", "_show", "_show", "_show", "_idle", "_idle", "_hide", "_hide", "_hide",
                            "_hide", "end"}));
    EXPECT_EQ(flow.notes, (std::vector<std::string>{"result ok", "finished menu ok"}));
    EXPECT_FALSE(KeyWaiting(kEnter));
}

TEST_F(ScreenTest, EscapeAndEnterThroughPhaseTasks) {
    using S = CScreenAbstract;
    struct Task {
        int key;
        const char* name;
        int mask;
    };
    struct Case {
        const char* what;
        std::vector<Task> tasks;
        std::vector<std::pair<int, int>> presses;
        Parts parts;
        std::string result;
    };
    const Case cases[] = {
        {"Escape while idle, no hide: ends in its frame",
         {{kEscape, "back", S::kPhaseIdle}},
         {{5, kEscape}},
         {"_show", "_show", "_show", "_show", "_idle", "end"},
         "back"},
        {"Enter while idle with hide and autoShow",
         {{kEnter, "ok", S::kPhaseIdle | S::kHideBeforeFinish | S::kAutoShow}},
         {{5, kEnter}},
         {"_show", "_show", "_show", "_show", "_idle", "_hide", "_hide", "_hide", "_hide", "end"},
         "ok"},
        {"Escape while showing is kept for the first idle update",
         {{kEscape, "back", S::kPhaseShowing | S::kPhaseIdle | S::kReplayInIdle}},
         {{1, kEscape}},
         {"_show", "_show", "_show", "_show", "_idle", "end"},
         "back"},
        {"a task of the showing phase ends the screen at once, hide flag or not",
         {{kEscape, "skip", S::kPhaseShowing | S::kHideBeforeFinish}},
         {{1, kEscape}},
         {"_show", "end"},
         "skip"},
        {"a key without a task in the phase waits in the key table",
         {{kEnter, "ok", S::kPhaseIdle}},
         {{1, kEnter}},
         {"_show", "_show", "_show", "_show", "_idle", "end"},
         "ok"},
        {"two tasks on one key: the first decides",
         {{kEnter, "first", S::kPhaseIdle}, {kEnter, "second", S::kPhaseIdle}},
         {{5, kEnter}},
         {"_show", "_show", "_show", "_show", "_idle", "end"},
         "first"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        flow.notes.clear();
        CTaskScreen* screen = Show();
        for (const Task& t : c.tasks) screen->AddPhaseTask(t.key, t.name, false, t.mask);
        THolder<IScreen> kept(screen);  // to read it after the flow destroyed it
        EXPECT_EQ(Run(c.presses), c.parts);
        EXPECT_EQ(flow.notes, (std::vector<std::string>{"result " + c.result, "finished menu " + c.result}));
        EXPECT_EQ(static_cast<CTaskScreen*>(kept.Get())->commands, std::vector<std::string>{c.result});
        EXPECT_FALSE(KeyWaiting(kEnter));
        EXPECT_FALSE(KeyWaiting(kEscape));
    }
}

TEST_F(ScreenTest, OnTopShowsAgainOnlyWhileAutoShowIsSet) {
    CTaskScreen* screen = Show();
    THolder<IScreen> kept(screen);
    manager->GetScreenFinishedEvent().Clear();  // nothing destroys it: it stays on top
    screen->AddPhaseTask(kEscape, "back", false, CScreenAbstract::kPhaseIdle);
    Run({{5, kEscape}});
    screen->OnTop();
    EXPECT_EQ(screen->GetResult(), "back");  // not shown again: the result stands
    screen->AddPhaseTask(kEnter, "again", false, CScreenAbstract::kPhaseIdle | CScreenAbstract::kAutoShow);
    PressKey(kEnter);
    screen->Update(100.0f);
    screen->OnTop();
    EXPECT_EQ(screen->GetResult(), "");  // shown again, which empties the result
    EXPECT_EQ(PartOf(screen->GetAnimation()), "_show");
    manager->DestroyScreen("menu");
}

TEST_F(ScreenTest, ConfirmingTaskAsksFirst) {
    const int mask = CScreenAbstract::kPhaseIdle | CScreenAbstract::kHideBeforeFinish;
    for (const char* answer : {"no", "yes"}) {
        SCOPED_TRACE(answer);
        flow.notes.clear();
        CTaskScreen* screen = Show();
        THolder<IScreen> kept(screen);
        screen->AddPhaseTask(kEscape, "quit", true, mask);
        for (int i = 0; i < 5; ++i) Frame();
        PressKey(kEscape);
        EXPECT_EQ(Frame(), "confirm_screen_show");
        THolder<IScreen> dialog = manager->GetTopScreen();
        EXPECT_EQ(dialog->GetScene(), screen->GetScene());  // the dialog shows on the opener's scene
        for (int i = 0; i < 4; ++i) Frame();
        PressKey(std::string(answer) == "yes" ? kEnter : kEscape);
        Parts parts;
        for (int i = 0; i < 6; ++i) parts.push_back(Frame());
        EXPECT_FALSE(manager->FindScreen("confirm_screen"));
        if (std::string(answer) == "no") {
            // Back on top, shown again from "_show", with no result.
            EXPECT_EQ(parts, (Parts{"confirm_screen_hide", "confirm_screen_hide", "confirm_screen_hide",
                                    "confirm_screen_hide", "_show", "_show"}));
            EXPECT_EQ(screen->GetResult(), "");
            EXPECT_TRUE(flow.notes.empty());
            manager->DestroyScreen("menu");
        } else {
            // Ends from its next idle update, with "_hide" as the task's mask says, and no OnCommand.
            EXPECT_EQ(parts, (Parts{"confirm_screen_hide", "confirm_screen_hide", "confirm_screen_hide",
                                    "confirm_screen_hide", "_hide", "_hide"}));
            EXPECT_EQ(Run(), (Parts{"_hide", "_hide", "end"}));
            EXPECT_EQ(flow.notes, std::vector<std::string>{"finished menu quit"});
            EXPECT_TRUE(static_cast<CTaskScreen*>(kept.Get())->commands.empty());
        }
    }
}

TEST_F(ScreenTest, KeyCodesOutsideTheKeyTableAreRefused) {
    CTaskScreen* screen = Show();
    for (int key : {-1, CKeyset::kKeyCount, 1000})
        screen->AddPhaseTask(key, "far", false, CScreenAbstract::kPhaseIdle);
    screen->AddPhaseTask(CKeyset::kKeyCount - 1, "last", false, CScreenAbstract::kPhaseIdle);
    EXPECT_TRUE(engine.HasLog("phase task \"far\" has the key code 255, outside the key table"));
    EXPECT_EQ(Run({{5, CKeyset::kKeyCount - 1}}).back(), "end");
}

TEST_F(ScreenTest, RemovingTasksKeepsTheOpenConfirmationOnItsTask) {
    const int idle = CScreenAbstract::kPhaseIdle;
    for (bool removeTheConfirmingTask : {false, true}) {
        SCOPED_TRACE(removeTheConfirmingTask);
        flow.notes.clear();
        CTaskScreen* screen = Show();
        screen->AddPhaseTask(CKeyset::kKeySpace, "first", false, idle);
        screen->AddPhaseTask(kEscape, "quit", true, idle);
        for (int i = 0; i < 5; ++i) Frame();
        PressKey(kEscape);
        Frame();  // the dialog opens for the task at index 1
        screen->RemovePhaseTask(removeTheConfirmingTask ? kEscape : CKeyset::kKeySpace);
        for (int i = 0; i < 4; ++i) Frame();
        PressKey(kEnter);  // "yes"
        const Parts parts = Run();
        if (removeTheConfirmingTask) {
            EXPECT_EQ(parts.back(), "_idle");  // no task to act on: the screen stays
            EXPECT_TRUE(flow.notes.empty());
            manager->DestroyScreen("menu");
        } else {
            EXPECT_EQ(parts.back(), "end");
            EXPECT_EQ(flow.notes, std::vector<std::string>{"finished menu quit"});
        }
    }
}

// A result listener that lets go of the last holder of the screen that announced the result: the
// update that ran the task finishes on a live object.
TEST_F(ScreenTest, ResultListenerMayReleaseTheScreenDuringItsUpdate) {
    struct Owner {
        THolder<IScreen> held;
        void Drop(THolder<IScreen>) { held.Reset(); }
    } owner;
    owner.held = CTaskScreen::Create();
    IScreen* raw = owner.held.Get();
    raw->Initialize("main_menu.confirm_screen", {}, "");
    raw->AddPhaseTask(kEscape, "back", false,
                      CScreenAbstract::kPhaseIdle | CScreenAbstract::kHideBeforeFinish);
    manager->GetScreenResultEvent().Add(CreateDelegate(&owner, &Owner::Drop));
    raw->OnTop();
    for (int i = 0; i < 5; ++i) raw->Update(100.0f);
    PressKey(kEscape);
    raw->Update(100.0f);  // the task ends the idle phase and starts hiding
    EXPECT_FALSE(owner.held);
    manager->GetScreenResultEvent().Remove(CreateDelegate(&owner, &Owner::Drop));
}

TEST_F(ScreenTest, WithoutALayoutEveryPhaseEndsAtOnce) {
    CTaskScreen* screen = Show("main_menu.nowhere");
    EXPECT_TRUE(engine.HasLog("AnimatioData \"nowhere\" not found"));
    EXPECT_FALSE(screen->GetAnimation());
    EXPECT_EQ(screen->GetControlCount(), 0);
    EXPECT_FALSE(screen->FindControl("yes"));
    screen->AddPhaseTask(kEnter, "ok", false,
                         CScreenAbstract::kPhaseIdle | CScreenAbstract::kHideBeforeFinish);
    EXPECT_EQ(Run({{2, kEnter}}), (Parts{"(none)", "(none)", "(none)", "end"}));
    EXPECT_EQ(flow.notes, (std::vector<std::string>{"result ok", "finished menu ok"}));
}

}  // namespace
