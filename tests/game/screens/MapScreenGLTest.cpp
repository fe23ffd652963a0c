#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"
#include "game/screens/HoverGlow.h"
#include "game/screens/MapScreen.h"
#include "tests/support/LevelRun.h"
#include "tests/support/SampleSceneGL.h"

namespace {

// The colour the first sprite of a stage picture is drawn in.
uint32_t Colour(const GF::TAnimationPtr& picture) {
    const GF::TSpritePtr sprite(picture->GetDrawable(0).Get());
    return sprite ? sprite->GetColor() : 0u;
}

}  // namespace

// The map through the real program: a screenshot shows the stages over the textured background,
// and a second one a second later differs, the background's texture having drifted.
TEST(MapScreenRun, TheBackgroundIsDrawnAndDrifts) {
    CLevelRun run;
    std::vector<uint32_t> first;
    std::vector<uint32_t> second;
    int width = 0;
    int height = 0;
    run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            r.Player().stageName = "stage2";
            r.Player().floatVars[1] = 3.0f;
            r.Show("ProgressMapScreen", "main_menu.ProgressMapScreen");
            return true;
        }
        if (frame == 50) first = r.Picture(&width, &height);
        if (frame < 75) return true;
        second = r.Picture(&width, &height);
        return false;
    });
    ASSERT_FALSE(run.timedOut);
    ASSERT_EQ(first.size(), second.size());
    ASSERT_FALSE(first.empty());

    std::set<uint32_t> colours(first.begin(), first.end());
    EXPECT_GT(colours.size(), 50u);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < first.size(); ++i) changed += first[i] != second[i] ? 1 : 0;
    EXPECT_GT(changed, first.size() / 10);
    EXPECT_EQ(run.Log().find("Deform grid"), std::string::npos);
}

using HoverGlowGL = CSampleSceneGL;

// The object the mouse is over brightens to a grey of 0.15 over the duration; the one it left fades
// back from there and is let go once it is as drawn.
TEST_F(HoverGlowGL, TheEnteredObjectBrightensAndTheLeftOneFadesBack) {
    const GF::TAnimationPtr first = scene->CreateAnimation("ProgressMap.stage_1");
    const GF::TAnimationPtr second = scene->CreateAnimation("ProgressMap.stage_2");
    ASSERT_TRUE(first && second);
    for (const GF::TAnimationPtr& picture : {first, second}) {
        picture->Play("_live", 0, false);
        picture->Update(0.0f);
    }
    HoverGlow glow(100.0f);
    std::vector<uint32_t> rising;
    for (int frame = 0; frame < 5; ++frame) {
        glow.Update(25.0f, first);
        rising.push_back(Colour(first));
    }
    EXPECT_EQ(rising,
              (std::vector<uint32_t>{0xFF090909u, 0xFF131313u, 0xFF1C1C1Cu, 0xFF262626u, 0xFF262626u}));

    glow.Update(25.0f, second);
    EXPECT_EQ(Colour(first), 0xFF1C1C1Cu);
    EXPECT_EQ(Colour(second), 0xFF090909u);
    EXPECT_TRUE(glow.previous);
    for (int frame = 0; frame < 3; ++frame) glow.Update(25.0f, second);
    EXPECT_EQ(Colour(first), 0xFF000000u);
    EXPECT_FALSE(glow.previous);
    EXPECT_EQ(Colour(second), 0xFF262626u);
}
