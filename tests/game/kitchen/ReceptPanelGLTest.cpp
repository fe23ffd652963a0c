#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "game/app/GameData.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/game/kitchen/PanelField.h"
#include "tests/support/LevelRun.h"

namespace {

struct tagPixel {
    int red = 0, green = 0, blue = 0;
    bool Grey() const { return std::abs(red - green) <= 3 && std::abs(green - blue) <= 3; }
};

// The window's pixel under a point of the game picture (800 x 600, whatever the window's size).
tagPixel PixelAt(const std::vector<uint32_t>& picture, int width, int height, const GF::TRect& box) {
    const int x = (box.left + box.right) / 2 * width / 800, y = (box.top + box.bottom) / 2 * height / 600;
    const uint32_t argb = CLevelRun::At(picture, width, x, y);
    return {static_cast<int>(argb >> 16 & 0xFF), static_cast<int>(argb >> 8 & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

}  // namespace

// A customer's pizza through the real program and its drawing: the open sign lists the cheese, the
// pizza to cook now and the tea after it, which is drawn from the grey sheet, while the pizza keeps
// its own colours.
TEST(ReceptPanelRun, AnOpenSignDrawsTheItemAfterTheCurrentOneInGrey) {
    const KitchenPlay::CMakerScope maker("panel_test", &CPanelField::Make);
    CLevelRun run;
    GF::THolder<CZacaz> pizza;
    int settledAt = -1;
    tagPixel current, later, cheese;
    const int code = run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            CLevelRun::AddLevel("panel_1", "panel_test", 100000.0f);
            r.Play("panel_1");
            return true;
        }
        auto* field = dynamic_cast<CPanelField*>(r.Field().Get());
        if (!field) return true;
        if (!pizza && field->customers.empty() && field->arrivals.empty()) {
            GetGameData().bonusParams.patienceFactor = 0.0f;
            field->Bring(0.0f, CPanelField::Order("pizza"));
        }
        if (!pizza && !field->customers.empty()) pizza = field->customers.front();
        if (!pizza || field->panel.IsSliding()) return true;
        if (settledAt < 0) settledAt = frame;
        if (frame < settledAt + 75) return true;  // the screen's shades open meanwhile
        int width = 0, height = 0;
        const std::vector<uint32_t> picture = r.Picture(&width, &height);
        const auto& icons = pizza->GetItemIcons();
        if (picture.empty() || icons.size() != 3 || !icons[0] || !icons[1] || !icons[2]) return false;
        cheese = PixelAt(picture, width, height, icons[0]->GetBoundingBox());
        current = PixelAt(picture, width, height, icons[1]->GetBoundingBox());
        later = PixelAt(picture, width, height, icons[2]->GetBoundingBox());
        return false;
    });
    pizza.Reset();
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(later.Grey()) << later.red << " " << later.green << " " << later.blue;
    EXPECT_GT(later.red, 0);
    EXPECT_FALSE(current.Grey()) << current.red << " " << current.green << " " << current.blue;
    EXPECT_FALSE(cheese.Grey()) << cheese.red << " " << cheese.green << " " << cheese.blue;
}
