#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/Button.h"
#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/ListBoxControl.h"
#include "framework/gui/RadioGroupControl.h"
#include "framework/gui/Screen.h"
#include "tests/support/LevelRun.h"

// What a player sees of a control's two states: the window's pixels inside the control, in one state
// and in the other, must differ; a control that looks the same either way tells the player nothing.

namespace {

// The mean colour (red, green, blue) of the window's pixels inside a box of the game's 800 x 600
// picture, which the window shows whole, scaled to its height or its width and centred.
struct tagColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const tagColour&) const = default;
};
std::ostream& operator<<(std::ostream& out, const tagColour& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

tagColour Inside(const CLevelRun& run, const GF::TRect& box) {
    int width = 0;
    int height = 0;
    const std::vector<uint32_t> picture = run.Picture(&width, &height);
    const double scale = std::min(width / 800.0, height / 600.0);
    const double left = (width - 800.0 * scale) / 2.0;
    const double top = (height - 600.0 * scale) / 2.0;
    long sums[3] = {};
    long count = 0;
    // A pixel in from the edges, where a scaled picture blends into what lies around it.
    for (int y = static_cast<int>(top + (box.top + 1) * scale);
         y < static_cast<int>(top + (box.bottom - 1) * scale); ++y)
        for (int x = static_cast<int>(left + (box.left + 1) * scale);
             x < static_cast<int>(left + (box.right - 1) * scale); ++x) {
            if (x < 0 || y < 0 || x >= width || y >= height) continue;
            const uint32_t pixel = CLevelRun::At(picture, width, x, y);
            sums[0] += (pixel >> 16) & 0xFF;
            sums[1] += (pixel >> 8) & 0xFF;
            sums[2] += pixel & 0xFF;
            ++count;
        }
    if (count == 0) return {-1, -1, -1};
    return {static_cast<int>(sums[0] / count), static_cast<int>(sums[1] / count),
            static_cast<int>(sums[2] / count)};
}

GF::TPoint<int> Centre(const GF::TRect& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// Each control's pixels in its first state and in its second.
struct tagStates {
    tagColour first;
    tagColour second;
};

// A screen with no behaviour of its own, on the controls' sample layout.
class CSampleScreen : public GF::HGENS::CScreenAbstract {
public:
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CSampleScreen); }
};

}  // namespace

// The real program, 40 ms frames: the options screen idle with both boxes off, then each box clicked
// (full screen, the drawn cursor) and the mouse taken away: each box shows whether it is on.
TEST(ControlStatesRun, TheOptionsBoxesLookDifferentOnAndOff) {
    CLevelRun run;
    const std::vector<std::string> boxes = {"full_screen", "custom_cursor"};
    std::vector<tagStates> seen(boxes.size());
    std::vector<bool> checked;
    run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            r.Show("OptionsScreen", "main_menu.OptionsScreen");
            r.MoveMouse(20, 20);
            return true;
        }
        // Idle after 60 frames; a click every 10 frames from then on, the mouse away after each.
        const int step = (frame - 70) / 10;
        const int at = (frame - 70) % 10;
        if (frame == 60 || frame == 100)
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const GF::THolder<GF::HGENS::CBaseControl> box = r.Top()->FindControl(boxes[i]);
                if (!box) return false;
                (frame == 60 ? seen[i].first : seen[i].second) = Inside(r, box->GetHitRect());
                if (frame == 100)
                    checked.push_back(static_cast<GF::HGENS::CCheckBoxControl*>(box.Get())->m_checked);
            }
        if (frame >= 70 && step < static_cast<int>(boxes.size())) {
            const GF::THolder<GF::HGENS::CBaseControl> box =
                r.Top()->FindControl(boxes[static_cast<std::size_t>(step)]);
            if (!box) return false;
            const GF::TPoint<int> middle = Centre(box->GetHitRect());
            if (at == 0) r.MoveMouse(middle.x, middle.y);
            if (at == 1) r.Button(true, middle.x, middle.y);
            if (at == 2) r.Button(false, middle.x, middle.y);
            if (at == 3) r.MoveMouse(20, 20);
        }
        return frame < 100;
    });
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(checked, std::vector<bool>({true, true}));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        ASSERT_NE(seen[i].first.red, -1) << boxes[i];
        EXPECT_NE(seen[i].first, seen[i].second) << boxes[i] << " looks the same on and off";
    }
    // Both boxes are on and the mouse is away from both: they look alike, whatever switching the
    // drawn cursor on did to the mouse.
    EXPECT_EQ(seen[0].second, seen[1].second);
}

// The controls' sample layout in the real program: a check box off and on, the radio group's first
// and second item chosen, the list box's first and second row selected, a button enabled and
// disabled; the mouse stays away from them all.
TEST(ControlStatesRun, TheSampleControlsShowEachOfTheirTwoStates) {
    CLevelRun run;
    GF::THolder<GF::HGENS::CCheckBoxControl> box;
    GF::THolder<GF::HGENS::CRadioGroupControl> group;
    GF::THolder<GF::HGENS::CListBoxControl> list;
    GF::THolder<GF::HGENS::CButtonControl> button;
    const std::vector<std::string> names = {"check box", "radio group's first item", "list box's first row",
                                            "button"};
    std::vector<tagStates> seen(names.size());
    const auto picture = [&](CLevelRun& r, bool first) {
        // The group's first item, and the list's first row.
        GF::TRect row = list->GetHitRect();
        row.bottom = row.top + list->GetRowHeight();
        const GF::TRect boxes[] = {box->GetHitRect(), group->GetItem(0)->GetHitRect(), row,
                                   button->GetHitRect()};
        for (std::size_t i = 0; i < names.size(); ++i)
            (first ? seen[i].first : seen[i].second) = Inside(r, boxes[i]);
    };
    run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            GF::GetGameManager()->RegisterScreenFactory("controls_sample", CSampleScreen::Create);
            r.Show("controls_sample", "controls.sample");
            r.MoveMouse(20, 20);
            return true;
        }
        if (frame == 1) {
            const GF::THolder<GF::IScreen> screen = r.Top();
            if (!screen || screen->GetName() != "controls_sample") return false;
            screen->OnTop();
            box = screen->CreateCheckBox("sound", false);
            group = screen->CreateRadioGroup("level", 0);
            list = screen->CreateListBox("players", true);
            button = screen->CreateButton("volume_up");
            if (!box || !group || !list || !button) return false;
            for (const char16_t* name : {u"Ann", u"Bob", u"Cid"}) list->AddItem(name);
            list->SelectItem(0);
        }
        if (frame == 40) {
            picture(r, true);
            box->SetChecked(true);
            group->SetSelected(1);
            list->SelectItem(1);
            button->SetEnabled(false);
        }
        if (frame == 60) picture(r, false);
        return frame < 60;
    });
    ASSERT_FALSE(run.timedOut);
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_NE(seen[i].first.red, -1) << names[i];
        EXPECT_NE(seen[i].first, seen[i].second) << "the " << names[i] << " looks the same in both states";
    }
}
