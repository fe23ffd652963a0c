#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/LayoutItem.h"
#include "framework/gui/SliderControl.h"
#include "framework/scene/IAnimation.h"
#include "tests/gui/GuiFixture.h"

using namespace GF::HGENS;

// A track (in a careless layout) without length; the tracks that run either way are played on the
// screen below.
TEST(SliderTrack, NothingDividedByATrackWithoutLengthOrAnEmptyRange) {
    struct {
        float coordinate, start, end, held;
        int value;
    } cases[] = {
        {-7, 120, 120, 120, 42}, {500, 120, 120, 120, 42},  // the value stays as it was
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.coordinate) + " on " + std::to_string(c.start) + ".." +
                     std::to_string(c.end));
        const float held = ClampToTrack(c.coordinate, c.start, c.end);
        EXPECT_EQ(held, c.held);
        EXPECT_EQ(SliderValueAt(held, c.start, c.end, 0, 100, 42), c.value);
    }
    EXPECT_FLOAT_EQ(SliderFraction(3, 3, 3), 0.0f);  // an empty range divides nothing
    EXPECT_FLOAT_EQ(SliderFraction(2000000000, -2000000000, 2000000000), 1.0f);
}

// --- The slider on a screen ---

namespace {

using namespace GF;

// Writes each ValueChanged with the value then.
struct CValueLog {
    explicit CValueLog(const THolder<CSliderControl>& s) : slider(s.Get()) {
        s->m_valueChangedEvent.Add(CreateDelegate(this, &CValueLog::Changed));
    }
    void Changed(THolder<CBaseControl>) { values.push_back(slider->GetValue()); }
    CSliderControl* slider;
    std::vector<int> values;
};

// The sample layout of every control: "volume" runs from x 100 to 300 at y 100, with its arrows at
// x 80 and 320; "speed" runs upwards from y 300 to 200 at x 360.
class SliderOnScreen : public CControlsFixture {
protected:
    // dt 60: long enough for a control to take the mouse again after a click.
    void Frame(int x, int y, int buttons, float dt = 16.0f) {
        SetMouse(x, y, buttons);
        screen->Update(dt);
    }
    // Where the slider's cursor stands along its track.
    static float CursorAt(const THolder<CSliderControl>& s, bool horizontal = true) {
        const TAnimationPtr cursor = HostedAnimation(s->GetAnimation(), "_cursor");
        return horizontal ? cursor->GetPosition().x : cursor->GetPosition().y;
    }
};

TEST_F(SliderOnScreen, BeforeItsFirstFrameASliderIsPosedByTimeAndSilent) {
    const THolder<CSliderControl> slider = screen->CreateSlider("volume", 250, 100, 0, true);
    CValueLog log(slider);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_FLOAT_EQ(CursorAt(slider), 300.0f);
    slider->SetValue(25, false);
    EXPECT_FLOAT_EQ(CursorAt(slider), 150.0f);
    // The factory swaps a reversed range: values are held to 0..100.
    slider->SetValue(-5, false);
    EXPECT_EQ(slider->GetValue(), 0);
    slider->SetValue(500, false);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_TRUE(log.values.empty());
    const THolder<CSliderControl> one = screen->CreateSlider("speed", 7, 7, 7, false);
    one->SetValue(9, false);
    EXPECT_EQ(one->GetValue(), 8);  // an empty range is one step wide
}

TEST_F(SliderOnScreen, ClickOnTheTrackJumpsAndDraggingIsHeldToItsEnds) {
    const THolder<CSliderControl> slider = screen->CreateSlider("volume", 0, 0, 100, true);
    ToIdle();
    CValueLog log(slider);
    Frame(251, 100, 0);
    Frame(251, 100, 1);                 // on the track, off the cursor: jump
    EXPECT_EQ(slider->GetValue(), 76);  // trunc(75.5 + 0.5)
    EXPECT_FLOAT_EQ(CursorAt(slider), 252.0f);
    EXPECT_EQ(log.values, (std::vector<int>{76, 76}));
    Frame(251, 100, 0);
    Frame(251, 100, 0, 60.0f);

    // Press on the cursor (252) and drag: the cursor follows the mouse, held to the track.
    struct Step {
        int x, y, buttons;
        int value;
        float cursor;
    };
    const Step steps[] = {
        {250, 100, 1, 76, 252},  // pressed on the cursor: dragging starts, no change
        {202, 150, 1, 52, 204},  // 48 left, from 2 right of its centre; off the slider it goes on
        {-500, 100, 1, 0, 100},  // past the start
        {900, 40, 1, 100, 300},  // past the end
        {900, 40, 0, 100, 300},  // released
        {150, 100, 0, 100, 300},
    };
    log.values.clear();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.x);
        Frame(s.x, s.y, s.buttons);
        EXPECT_EQ(slider->GetValue(), s.value);
        EXPECT_FLOAT_EQ(CursorAt(slider), s.cursor);
    }
    // One ValueChanged a frame while the button was held after the press, changed or not.
    EXPECT_EQ(log.values, (std::vector<int>{52, 0, 100}));
}

TEST_F(SliderOnScreen, ATrackRunningBackwardsHoldsTheCursorBetweenItsEnds) {
    const THolder<CSliderControl> slider = screen->CreateSlider("speed", 0, 0, 100, false);
    ToIdle();
    EXPECT_FLOAT_EQ(CursorAt(slider, false), 300.0f);
    struct Step {
        int y, buttons;
        int value;
        float cursor;
    };
    const Step steps[] = {
        {250, 0, 0, 300},   {250, 1, 50, 250}, {250, 0, 50, 250},  // a jump up the track
        {251, 0, 50, 250},  {250, 1, 50, 250},                     // a press on the cursor
        {130, 1, 100, 200}, {420, 1, 0, 300},  {420, 0, 0, 300},   // dragged past both ends
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.y);
        Frame(360, s.y, s.buttons, 60.0f);
        EXPECT_EQ(slider->GetValue(), s.value);
        EXPECT_FLOAT_EQ(CursorAt(slider, false), s.cursor);
    }
}

TEST_F(SliderOnScreen, ArrowsStepTheValueAndStopAtTheEnds) {
    const THolder<CSliderControl> slider = screen->CreateSlider("volume", 80, 0, 100, true);
    const THolder<CBaseControl> up = screen->FindControl("volume_up");
    const THolder<CBaseControl> down = screen->FindControl("volume_down");
    ASSERT_TRUE(up && down);
    ToIdle();
    const auto click = [this](int x) {
        Frame(x, 100, 0, 60.0f);
        Frame(x, 100, 1);
        Frame(x, 100, 0);
    };
    click(320);
    EXPECT_EQ(slider->GetValue(), 90);
    slider->SetValue(97, false);
    click(320);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_FALSE(down->IsEnabled());
    EXPECT_TRUE(up->IsEnabled());
    click(320);  // disabled: nothing
    EXPECT_EQ(slider->GetValue(), 100);
    click(80);
    EXPECT_EQ(slider->GetValue(), 90);
    EXPECT_TRUE(down->IsEnabled());

    // Hiding the slider hides its arrows; disabling it disables them.
    slider->SetVisible(false);
    EXPECT_FALSE(down->IsVisible());
    slider->SetVisible(true);
    slider->SetEnabled(false);
    EXPECT_FALSE(up->IsEnabled());
    EXPECT_FALSE(down->IsEnabled());
}

TEST_F(SliderOnScreen, HidingOrDisablingEndsADragWithOneValueChanged) {
    const THolder<CSliderControl> slider = screen->CreateSlider("volume", 0, 0, 100, true);
    ToIdle();
    CValueLog log(slider);
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide);
        Frame(100, 100, 0, 60.0f);
        Frame(100, 100, 1);
        log.values.clear();
        if (hide)
            slider->SetVisible(false);
        else
            slider->SetEnabled(false);
        EXPECT_EQ(log.values, std::vector<int>{0});  // the drag's last
        slider->SetVisible(true);
        slider->SetEnabled(true);
        Frame(100, 100, 0);
    }
}

}  // namespace
