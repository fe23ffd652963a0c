#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/app/Screen.h"
#include "framework/core/Mouse.h"
#include "framework/gui/BaseControl.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// One frame of input: where the mouse is and which buttons are held (1 left, 2 right, 4 middle).
struct Frame {
    int x;
    int y;
    int buttons;
};

// Writes every event of a control as a word ("down 12,10 1" for the point events).
class CEventLog {
public:
    explicit CEventLog(CBaseControl& control) {
        control.m_mouseEnterEvent.Add(CreateDelegate(this, &CEventLog::Enter));
        control.m_mouseLeaveEvent.Add(CreateDelegate(this, &CEventLog::Leave));
        control.m_mouseDownEvent.Add(CreateDelegate(this, &CEventLog::Down));
        control.m_mouseUpEvent.Add(CreateDelegate(this, &CEventLog::Up));
        control.m_clickEvent.Add(CreateDelegate(this, &CEventLog::Click));
        control.m_visibleChangedEvent.Add(CreateDelegate(this, &CEventLog::Visible));
        control.m_enabledChangedEvent.Add(CreateDelegate(this, &CEventLog::Enabled));
    }
    std::vector<std::string> words;

private:
    void Enter(THolder<CBaseControl>) { words.push_back("enter"); }
    void Leave(THolder<CBaseControl>) { words.push_back("leave"); }
    void Point(const char* what, const TPoint<int>& p, int buttons) {
        words.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                        std::to_string(buttons));
    }
    void Down(THolder<CBaseControl>, const TPoint<int>& p, int b) { Point("down", p, b); }
    void Up(THolder<CBaseControl>, const TPoint<int>& p, int b) { Point("up", p, b); }
    void Click(THolder<CBaseControl>, const TPoint<int>& p, int b) { Point("click", p, b); }
    void Visible(THolder<CBaseControl>) { words.push_back("visible"); }
    void Enabled(THolder<CBaseControl>) { words.push_back("enabled"); }
};

class BaseControlTest : public ::testing::Test {
protected:
    BaseControlTest() {
        control->Initialize("box", {});
        control->SetHitRect({10, 10, 20, 20});
    }
    ~BaseControlTest() override { GetMouse()->SetPosition(0.0f, 0.0f); }

    void Step(const Frame& f, float dt = 16.0f, CBaseControl* target = nullptr) {
        GetMouse()->SetPosition(static_cast<float>(f.x), static_cast<float>(f.y));
        engine.SetKeyState(HGEK_LBUTTON, (f.buttons & 1) != 0);
        engine.SetKeyState(HGEK_RBUTTON, (f.buttons & 2) != 0);
        engine.SetKeyState(HGEK_MBUTTON, (f.buttons & 4) != 0);
        (target ? target : control.Get())->Update(dt);
    }
    void Run(const std::vector<Frame>& frames) {
        for (const Frame& f : frames) Step(f);
    }

    CRecordingEngine engine;
    THolder<CBaseControl> control = MakeHolder<CBaseControl>();
};

TEST_F(BaseControlTest, MouseScriptsRaiseTheirEvents) {
    struct Case {
        const char* name;
        std::vector<Frame> frames;
        std::vector<std::string> events;  // after the Out state's own leave at creation
    };
    const std::vector<Case> cases = {
        {"click inside",
         {{0, 0, 0}, {15, 15, 0}, {15, 15, 1}, {16, 14, 1}, {16, 14, 0}},
         {"enter", "down 15,15 1", "up 16,14 0", "click 16,14 0", "leave"}},
        {"edges are inside",
         {{20, 20, 0}, {10, 10, 1}, {20, 10, 0}},
         {"enter", "down 10,10 1", "up 20,10 0", "click 20,10 0", "leave"}},
        {"one pixel past the edge", {{21, 15, 0}, {15, 21, 1}, {9, 9, 0}}, {}},
        {"pressed outside, dragged in, released: no press", {{0, 0, 1}, {15, 15, 1}, {15, 15, 0}}, {"enter"}},
        {"dragged in, let go, pressed again: a press",
         {{0, 0, 1}, {15, 15, 1}, {15, 15, 0}, {15, 15, 1}},
         {"enter", "down 15,15 1"}},
        {"pressed inside, moved off, released outside: no up, no click",
         {{15, 15, 0}, {15, 15, 1}, {30, 30, 1}, {30, 30, 0}},
         {"enter", "down 15,15 1", "leave"}},
        {"right or middle button alone does nothing",
         {{15, 15, 0}, {15, 15, 2}, {15, 15, 0}, {15, 15, 4}, {15, 15, 0}},
         {"enter"}},
        {"the whole mask is passed on",
         {{15, 15, 0}, {15, 15, 3}, {15, 15, 2}},
         {"enter", "down 15,15 3", "up 15,15 2", "click 15,15 2", "leave"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control = MakeHolder<CBaseControl>();
        control->Initialize("box", {});
        control->SetHitRect({10, 10, 20, 20});
        CEventLog log(*control);
        control->OnInitialize(control, {});
        ASSERT_EQ(log.words, std::vector<std::string>{"leave"});  // the base enters Out
        log.words.clear();
        Run(c.frames);
        EXPECT_EQ(log.words, c.events);
    }
}

TEST_F(BaseControlTest, FlagsRaiseOnlyOnChangeAndAnInvisibleControlIsDeaf) {
    CEventLog log(*control);
    control->OnInitialize(control, {});
    log.words.clear();

    control->SetEnabled(true);
    control->SetVisible(true);
    EXPECT_TRUE(log.words.empty());

    control->SetVisible(false);
    control->SetVisible(false);
    EXPECT_EQ(log.words, std::vector<std::string>{"visible"});
    log.words.clear();
    Run({{15, 15, 0}, {15, 15, 1}, {15, 15, 0}});
    EXPECT_TRUE(log.words.empty());

    control->SetEnabled(false);
    EXPECT_EQ(log.words, std::vector<std::string>{"enabled"});
    control->SetVisible(true);
    log.words.clear();
    Run({{15, 15, 0}, {15, 15, 1}, {15, 15, 0}});
    EXPECT_TRUE(log.words.empty());

    control->SetEnabled(true);
    Step({15, 15, 0});
    EXPECT_EQ(log.words, (std::vector<std::string>{"enabled", "enter"}));
}

// Handlers that disable the control: from Click the Disabled state stays (no leave after the click);
// from MouseDown the control is not pressed, so the release raises neither up nor click.
TEST_F(BaseControlTest, AHandlerThatDisablesTheControlKeepsItDisabled) {
    struct Disabler {
        void Disable(THolder<CBaseControl> c, const TPoint<int>&, int) { c->SetEnabled(false); }
    } disabler;
    struct Case {
        CControlPointEvent CBaseControl::*event;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {&CBaseControl::m_clickEvent, {"enter", "down 15,15 1", "up 15,15 0", "click 15,15 0", "enabled"}},
        {&CBaseControl::m_mouseDownEvent, {"enter", "down 15,15 1", "enabled"}},
    };
    for (const Case& c : cases) {
        control = MakeHolder<CBaseControl>();
        control->Initialize("box", {});
        control->SetHitRect({10, 10, 20, 20});
        control->OnInitialize(control, {});
        CEventLog log(*control);
        ((*control).*c.event).Add(CreateDelegate(&disabler, &Disabler::Disable));
        Run({{15, 15, 0}, {15, 15, 1}, {15, 15, 0}, {15, 15, 0}});
        EXPECT_EQ(log.words, c.events);
        EXPECT_FALSE(control->IsEnabled());
    }
}

// A Click handler that lets go of the last holder of its control (as when the click ends the screen
// that owns it): the step that raised the click finishes on a live object.
TEST_F(BaseControlTest, ClickHandlerMayReleaseTheLastHolderOfItsControl) {
    struct Owner {
        THolder<CBaseControl> held;
        int clicks = 0;
        void Drop(THolder<CBaseControl>, const TPoint<int>&, int) {
            ++clicks;
            held.Reset();
        }
    } owner;
    CBaseControl* raw = control.Get();
    owner.held = control;
    control.Reset();
    raw->OnInitialize(owner.held, {});
    raw->m_clickEvent.Add(CreateDelegate(&owner, &Owner::Drop));
    Step({15, 15, 0}, 16.0f, raw);
    Step({15, 15, 1}, 16.0f, raw);
    Step({15, 15, 0}, 16.0f, raw);  // the click: its handler drops the only holder
    EXPECT_EQ(owner.clicks, 1);
    EXPECT_FALSE(owner.held);
}

}  // namespace
