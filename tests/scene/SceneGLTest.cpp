#include <gtest/gtest.h>

#include "framework/resources/Resource.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "tests/support/SampleSceneGL.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

constexpr DWORD kWhite = 0xFFFFFFFF;

// The built sample archive, loaded as the game loads it, on a real engine with a 320 x 240 picture.
using SceneGL = CSampleSceneGL;

// "interfaces.score": a 200 x 48 block of one colour about (160, 120), the text centred on it.
TEST_F(SceneGL, ScorePlateOfTheSampleScriptDrawsItsBlockAndItsText) {
    TAnimationPtr plate = scene->CreateAnimation("interfaces.score");
    ASSERT_TRUE(plate);
    plate->SetPosition(160, 120);
    ASSERT_TRUE(plate->Play("_idle", -1, false));
    plate->SetTextNumber("value", 1250);
    scene->Update(0);
    const DWORD blue = TSpritePtr(plate->FindDrawable("plate").Get())->GetColor();
    EXPECT_EQ(blue & 0xFF000000, 0xFF000000);
    const TRect text = plate->FindDrawable("value")->GetBoundingBox();
    EXPECT_EQ(plate->FindDrawable("plate")->GetBoundingBox(), (TRect{60, 96, 260, 144}));
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_LT(60, text.left);
    EXPECT_LT(text.right, 260);

    const CEngineFixture::Pixels pixels = Draw();
    ASSERT_EQ(pixels.width, 320);
    int ink = 0;
    for (int y = 90; y < 150; ++y) {
        for (int x = 50; x < 270; ++x) {
            const DWORD p = pixels.At(x, y);
            const bool onPlate = x >= 60 && x < 260 && y >= 96 && y < 144;
            const bool inText = x >= text.left && x < text.right && y >= text.top && y < text.bottom;
            if (!onPlate) {
                EXPECT_EQ(p, kBlack) << x << "," << y;
            } else if (!inText) {
                EXPECT_EQ(p, blue) << x << "," << y;
            } else {
                EXPECT_TRUE(p == blue || p == kWhite) << x << "," << y << ": " << std::hex << p;
                ink += p == kWhite;
            }
        }
    }
    EXPECT_GT(ink, 40);  // four digits of 5 x 7 pixels, drawn 2 x 2
}

}  // namespace
