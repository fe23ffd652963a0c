#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/Button.h"
#include "framework/gui/Screen.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// Writes each event of a button with the part its item animation shows when the event arrives.
class CPartLog {
public:
    explicit CPartLog(const THolder<CButtonControl>& button) : m_button(button.Get()) {
        button->m_mouseEnterEvent.Add(CreateDelegate(this, &CPartLog::Enter));
        button->m_mouseLeaveEvent.Add(CreateDelegate(this, &CPartLog::Leave));
        button->m_mouseDownEvent.Add(CreateDelegate(this, &CPartLog::Down));
        button->m_mouseUpEvent.Add(CreateDelegate(this, &CPartLog::Up));
        button->m_clickEvent.Add(CreateDelegate(this, &CPartLog::Click));
    }
    std::vector<std::string> words;

private:
    void Note(const char* what) { words.push_back(std::string(what) + ":" + PartName(m_button)); }
    void Enter(THolder<CBaseControl>) { Note("enter"); }
    void Leave(THolder<CBaseControl>) { Note("leave"); }
    void Down(THolder<CBaseControl>, const TPoint<int>&, int) { Note("down"); }
    void Up(THolder<CBaseControl>, const TPoint<int>&, int) { Note("up"); }
    void Click(THolder<CBaseControl>, const TPoint<int>&, int) { Note("click"); }

    CButtonControl* m_button;
};

// The buttons of the confirmation dialog's layout on a plain screen.
class ButtonTest : public CControlsFixture {
protected:
    ButtonTest() : CControlsFixture("main_menu.confirm_screen") {
        yes = screen->CreateButton("yes");
        no = screen->CreateButton("no");
    }
    void Frame(int x, int y, int buttons, float dt = 16.0f) {
        SetMouse(x, y, buttons);
        screen->Update(dt);
    }

    THolder<CButtonControl> yes;
    THolder<CButtonControl> no;
};

TEST_F(ButtonTest, BindsToItsLayoutItemWithTextAndHitRectangle) {
    const THolder<CButtonControl> missing = screen->CreateButton("maybe");
    struct Case {
        THolder<CButtonControl> button;
        std::u16string text;
        TRect hit;
    };
    // "yes" takes the box of its face (172.8 x 32 about (230, 280)); "no" the smaller "_button_rect"
    // (96 x 24 stretched to 163 x 30, about (410, 280)) inside its face.
    const Case cases[] = {
        {yes, u"Yes!", {143, 264, 316, 296}},
        {no, u"No!", {328, 265, 491, 295}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button->GetName());
        ASSERT_TRUE(c.button->GetAnimation());
        EXPECT_STREQ(c.button->GetAnimation()->GetName(), ("button_" + c.button->GetName()).c_str());
        ASSERT_NE(c.button->GetText(), nullptr);
        EXPECT_EQ(std::u16string(c.button->GetText()), c.text);
        EXPECT_EQ(c.button->GetHitRect(), c.hit);
        EXPECT_EQ(PartName(c.button.Get()), "_up");
    }
    // A name without a layout child: unbound and silent, but counted and found by the screen.
    EXPECT_FALSE(missing->GetAnimation());
    EXPECT_EQ(missing->GetText(), nullptr);
    EXPECT_EQ(missing->GetHitRect(), TRect{});
    EXPECT_EQ(screen->GetControlCount(), 3);
    EXPECT_EQ(screen->FindControl("maybe"), THolder<CBaseControl>(missing));
    EXPECT_FALSE(screen->FindControl("Yes"));
}

TEST_F(ButtonTest, EventsAndPartsForEnterPressReleaseAndLeave) {
    ToIdle();
    CPartLog log(yes);
    struct Step {
        const char* what;
        int x, y, buttons;
        float dt;
        std::vector<std::string> words;
    };
    const Step steps[] = {
        {"away", 0, 0, 0, 16, {}},
        {"enter", 240, 280, 0, 16, {"enter:_over"}},
        {"press", 240, 280, 1, 16, {"down:_down"}},
        {"held", 250, 285, 1, 16, {}},
        {"release inside", 250, 285, 0, 16, {"up:_up", "click:_up", "leave:_leave"}},
        {"49 ms later", 250, 285, 0, 49, {}},
        {"50 ms later", 250, 285, 0, 1, {"enter:_over"}},
        {"press again", 250, 285, 1, 16, {"down:_down"}},
        {"release outside", 100, 100, 0, 16, {"leave:_leave"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        log.words.clear();
        Frame(s.x, s.y, s.buttons, s.dt);
        EXPECT_EQ(log.words, s.words);
    }
}

TEST_F(ButtonTest, DisablingAHoveredButtonShowsDisabledWithoutALeave) {
    ToIdle();
    CPartLog log(no);
    Frame(400, 280, 0);
    ASSERT_TRUE(no->IsMouseOver());
    log.words.clear();

    no->SetEnabled(false);
    EXPECT_EQ(PartName(no.Get()), "_disabled");
    EXPECT_FALSE(no->IsMouseOver());
    Frame(400, 280, 1);
    Frame(400, 280, 0);
    EXPECT_TRUE(log.words.empty());

    no->SetEnabled(true);
    EXPECT_EQ(PartName(no.Get()), "_up");
    Frame(400, 280, 0);
    EXPECT_EQ(log.words, std::vector<std::string>{"enter:_over"});
}

}  // namespace
