#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/CheckBoxControl.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// The part the box's item animation shows, among the check box's six pictures and "_up".
std::string Picture(const THolder<CCheckBoxControl>& box) {
    const TAnimationPtr item = box->GetAnimation();
    for (const char* name : {"_up", "_checked", "_unchecked", "_over_checked", "_over_unchecked",
                             "_disabled_checked", "_disabled_unchecked"}) {
        const THolder<INamedPart> part = item->GetAnimationData()->GetNamedPart(name);
        if (part && part->GetStart() == item->GetStartTime()) return name;
    }
    return "?";
}

// Writes each CheckedChanged and Click with the flag and the picture shown then.
struct CBoxLog {
    explicit CBoxLog(const THolder<CCheckBoxControl>& b) : box(b) {
        b->m_checkedChangedEvent.Add(CreateDelegate(this, &CBoxLog::Changed));
        b->m_clickEvent.Add(CreateDelegate(this, &CBoxLog::Click));
    }
    void Changed(THolder<CBaseControl>) {
        words.push_back(std::string("changed ") + (box->m_checked ? "on" : "off"));
    }
    void Click(THolder<CBaseControl>, const TPoint<int>&, int) { words.push_back("click"); }
    THolder<CCheckBoxControl> box;
    std::vector<std::string> words;
};

// The check box "sound" of the sample layout: 16 x 16 about (420, 100).
class CheckBoxTest : public CControlsFixture {
protected:
    std::string Frame(int x, int y, int buttons, const THolder<CCheckBoxControl>& box, float dt = 16.0f) {
        SetMouse(x, y, buttons);
        screen->Update(dt);
        return Picture(box);
    }
};

TEST_F(CheckBoxTest, CreatedCheckedShowsUpUntilTheMouseComes) {
    const THolder<CCheckBoxControl> on = screen->CreateCheckBox("sound", true);
    EXPECT_TRUE(on->m_checked);
    EXPECT_EQ(Picture(on), "_up");
    on->Destroy();
    const THolder<CCheckBoxControl> off = screen->CreateCheckBox("sound", false);
    EXPECT_FALSE(off->m_checked);
    EXPECT_EQ(Picture(off), "_unchecked");
}

TEST_F(CheckBoxTest, EachClickFlipsTheFlagBeforeTheClickIsRaised) {
    const THolder<CCheckBoxControl> box = screen->CreateCheckBox("sound", true);
    ToIdle();
    CBoxLog log(box);
    struct Step {
        int x, buttons;
        float dt;
        const char* picture;
    };
    const Step steps[] = {
        {420, 0, 16, "_over_checked"},   {420, 1, 16, "_over_checked"},  // down plays no part
        {420, 0, 16, "_unchecked"},                                      // through Out after the click
        {420, 0, 60, "_over_unchecked"}, {420, 1, 16, "_over_unchecked"},
        {420, 0, 16, "_checked"},        {500, 0, 60, "_checked"},
    };
    for (const Step& s : steps) EXPECT_EQ(Frame(s.x, 100, s.buttons, box, s.dt), s.picture) << s.x;
    EXPECT_EQ(log.words, (std::vector<std::string>{"changed off", "click", "changed on", "click"}));
}

TEST_F(CheckBoxTest, ADisabledBoxShowsItsDisabledPictureAndTakesNoClick) {
    const THolder<CCheckBoxControl> box = screen->CreateCheckBox("sound", true);
    ToIdle();
    CBoxLog log(box);
    Frame(420, 100, 0, box);
    box->SetEnabled(false);
    EXPECT_EQ(Picture(box), "_disabled_checked");
    Frame(420, 100, 1, box);
    EXPECT_EQ(Frame(420, 100, 0, box), "_disabled_checked");
    EXPECT_TRUE(log.words.empty());
    // Setting the flag directly shows nothing until the next picture change.
    box->m_checked = false;
    EXPECT_EQ(Picture(box), "_disabled_checked");
    box->SetEnabled(true);
    EXPECT_EQ(Picture(box), "_unchecked");
}

}  // namespace
