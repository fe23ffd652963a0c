#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/ConfirmScreen.h"
#include "framework/gui/MenuScreen.h"
#include "framework/resources/TextTable.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using Notes = std::vector<std::string>;

constexpr int kAsk = CKeyset::kKeySpace;
// Longer than the 39 characters the phrase keys were once limited to.
const std::string kLongKey = "confirm_" + std::string(50, 'x');

// The screen under the dialog: Space asks before it ends with "quit" (after its "_hide").
class CMenu : public CMenuScreenAbstract {
public:
    static THolder<IScreen> Create() { return THolder<IScreen>(new CMenu); }
    void OnInitialize() override {
        CMenuScreenAbstract::OnInitialize();
        AddPhaseTask(kAsk, "quit", true, kPhaseIdle | kHideBeforeFinish);
    }
    void OnActivate() override {
        ++activations;
        CMenuScreenAbstract::OnActivate();
    }
    int activations = 0;
};

class ConfirmScreenTest : public CGuiFixture {
protected:
    ConfirmScreenTest() {
        manager->RegisterScreenFactory("confirm_screen", CConfirmMenuScreen::Create);
        manager->RegisterScreenFactory("menu", CMenu::Create);
        manager->GetScreenFinishedEvent().Add(CreateDelegate(this, &ConfirmScreenTest::OnFinished));
        engine.AddResource("Binary\\textdata.txt", WriteTextTable({{"item_yes", u"Yes!"},
                                                                   {"item_no", u"No!"},
                                                                   {"confirm_quit_01", u"Quit?"},
                                                                   {"confirm_quit_02", u"Orders are lost."},
                                                                   {"confirm_quit_03", u"Sure?"},
                                                                   {"confirm_sell_01", u"Sell it?"},
                                                                   {"confirm_gap_02", u"Second only"},
                                                                   {kLongKey + "_01", u"Long one"},
                                                                   {kLongKey + "_02", u"Long two"}}));
        CTextTable::Instance().Load();
        engine.AddResource("Sound\\click_menu.ogg", std::string("ogg"));
        engine.AddResource("Sound\\mouse_over.ogg", std::string("ogg"));
    }
    ~ConfirmScreenTest() override {
        manager->GetScreenFinishedEvent().Remove(CreateDelegate(this, &ConfirmScreenTest::OnFinished));
    }

    void OnFinished(THolder<IScreen> screen) {
        if (screen->GetName() == "confirm_screen") answers.push_back(screen->GetResult());
    }
    // The menu shown and played to its idle phase.
    CMenu* ShowMenu() {
        manager->ShowScreen("menu", "main_menu.confirm_screen", {}, "");
        auto* menu = static_cast<CMenu*>(manager->FindScreen("menu").Get());
        for (int i = 0; i < 5; ++i) Frame();
        return menu;
    }
    // Space on the menu: the dialog opens over it and is played to its idle phase.
    CConfirmMenuScreen* Ask() {
        PressKey(kAsk);
        EXPECT_EQ(Frame(), "confirm_screen_show");
        for (int i = 0; i < 4; ++i) Frame();
        EXPECT_EQ(Frame(), "confirm_screen_idle");
        return static_cast<CConfirmMenuScreen*>(manager->FindScreen("confirm_screen").Get());
    }
    void ClickOn(const THolder<CBaseControl>& button) {
        ASSERT_TRUE(button);
        const TRect& r = button->GetHitRect();
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        for (int buttons : {0, 1, 0}) {
            SetMouse(x, y, buttons);
            Frame();
        }
        SetMouse(0, 0);
    }

    Notes answers;
};

TEST_F(ConfirmScreenTest, PhraseLinesShowOnlyTheTextsOfTheKey) {
    const struct {
        const char* key;
        std::vector<std::u16string> lines;  // empty: hidden
    } cases[] = {
        {"confirm_quit", {u"Quit?", u"Orders are lost.", u"Sure?"}},
        {"confirm_sell", {u"Sell it?", u"", u""}},
        {"confirm_gap", {u"", u"Second only", u""}},  // "_02" looked up in two digits, shown on "_phrase_2"
        {"confirm_nothing", {u"", u"", u""}},
        {kLongKey.c_str(), {u"Long one", u"Long two", u""}},  // formatted whole, not cut to a buffer
        {nullptr, {u"", u"", u""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key ? c.key : "(null)");
        manager->ShowScreen("confirm_screen", "main_menu.confirm_screen", {}, c.key);
        const THolder<IScreen> dialog = manager->FindScreen("confirm_screen");
        ASSERT_TRUE(dialog);
        const TAnimationPtr layout = dialog->GetAnimation();
        ASSERT_TRUE(layout);
        for (int line = 1; line <= 3; ++line) {
            const std::string child = "_phrase_" + std::to_string(line);
            const TDrawablePtr drawable = layout->FindDrawable(child);
            ASSERT_TRUE(drawable) << child;
            const std::u16string& want = c.lines[static_cast<std::size_t>(line - 1)];
            EXPECT_EQ(drawable->IsVisible(), !want.empty()) << child;
            if (!want.empty()) {
                EXPECT_EQ(std::u16string(layout->GetText(child)), want) << child;
            }
        }
        manager->DestroyScreen("confirm_screen");
    }
}

TEST_F(ConfirmScreenTest, EachAnswerEndsTheDialogAndTheScreenUnderItResumes) {
    const struct {
        const char* how;
        const char* answer;
    } cases[] = {{"yes", "yes"}, {"no", "no"}, {"Enter", "yes"}, {"Escape", "no"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        flow.notes.clear();
        answers.clear();
        CMenu* menu = ShowMenu();
        ASSERT_NE(menu, nullptr);
        const THolder<IScreen> kept(menu);
        const int activations = menu->activations;
        CConfirmMenuScreen* dialog = Ask();
        ASSERT_NE(dialog, nullptr);

        const std::string how = c.how;
        if (how == "Enter" || how == "Escape") {
            PressKey(how == "Enter" ? CKeyset::kKeyEnter : CKeyset::kKeyEscape);
            EXPECT_EQ(Frame(), "confirm_screen_hide");
        } else {
            engine.ClearRecord();
            ClickOn(dialog->FindControl(how));
            EXPECT_TRUE(engine.HasCall("Stream_Load Sound/mouse_over.ogg"));
            EXPECT_TRUE(engine.HasCall("Stream_Load Sound/click_menu.ogg"));
        }
        // "_hide" plays, then the dialog ends with the word and its opener is on top again.
        std::string frame;
        for (int i = 0; i < 10 && (frame = Frame()).rfind("confirm_screen", 0) == 0;) ++i;
        EXPECT_EQ(answers, Notes{c.answer});
        EXPECT_FALSE(manager->FindScreen("confirm_screen"));
        EXPECT_EQ(menu->activations, activations + 1);
        if (std::string(c.answer) == "yes") {
            EXPECT_EQ(frame, "_hide");  // the menu ends with its task's word after its own "_hide"
            EXPECT_EQ(Run().back(), "end");
            EXPECT_EQ(flow.notes, Notes{"finished menu quit"});
        } else {
            // Shown again (its task never fired, so it keeps showing itself when on top), then idle
            // with no result, where it asks again.
            EXPECT_EQ(frame, "_show");
            for (int i = 0; i < 10 && frame != "_idle"; ++i) frame = Frame();
            EXPECT_EQ(frame, "_idle");
            EXPECT_EQ(menu->GetResult(), "");
            PressKey(kAsk);
            EXPECT_EQ(Frame(), "confirm_screen_show");
            manager->DestroyAllScreens();
        }
    }
}

TEST_F(ConfirmScreenTest, WithoutALayoutTheDialogAnswersYesAtOnce) {
    manager->RegisterScreenFactory("bare", CConfirmMenuScreen::Create);
    manager->ShowScreen("bare", "main_menu.no_such_dialog", {}, "confirm_quit");
    EXPECT_EQ(Run(), (std::vector<std::string>{"bare(none)", "end"}));  // showing, then the first idle update
    EXPECT_EQ(flow.notes, Notes{"finished bare yes"});
}

}  // namespace
