#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/TextBalloon.h"
#include "tests/support/SampleSceneGL.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// The balloon of the sample script on a real engine, drawn from the built archive.
class TextBalloonGL : public CSampleSceneGL {
protected:
    void SetUp() override {
        CSampleSceneGL::SetUp();
        balloon.Assign("interfaces.nolla_baloon_podkladka", "interfaces.nolla_text",
                       THolder<IScene>(scene.Get()));
    }
    static int Width(const TRect& r) { return r.right - r.left; }
    static int Height(const TRect& r) { return r.bottom - r.top; }
    CTextBalloon balloon;
};

// The balloon stretched round its text by the margin: only the balloon joins the scene (the text it
// was measured by is gone), the words keep their own size, and the picture shows dark words on light
// paper with room on every side.
TEST_F(TextBalloonGL, AScreenshotShowsTheBalloonAroundTheText) {
    balloon.SetMargin(13);
    const int before = scene->GetAnimationCount();
    const TAnimationPtr shown = balloon.SetText(u"Soup is ready!");
    ASSERT_TRUE(shown);
    EXPECT_EQ(scene->GetAnimationCount(), before + 1);
    shown->SetPosition(160, 120);
    scene->Update(0.0f);
    const TRect box = shown->GetBoundingBox();
    const TAnimationPtr inside = FirstHosted(shown->GetDrawable(0));
    ASSERT_TRUE(inside);
    EXPECT_NEAR(inside->GetScale().x, 1.0f, 1e-5f);
    EXPECT_NEAR(inside->GetScale().y, 1.0f, 1e-5f);
    EXPECT_EQ(std::u16string(inside->GetText("_text")), u"Soup is ready!");
    const TRect text = inside->GetBoundingBox();
    ASSERT_FALSE(text.IsEmpty());
    // The text stands inside the balloon with room to spare on every side.
    EXPECT_LT(box.left + 20, text.left);
    EXPECT_LT(text.right, box.right - 20);
    EXPECT_LT(box.top + 5, text.top);
    EXPECT_LT(text.bottom, box.bottom - 5);

    const CEngineFixture::Pixels pixels = Draw();
    int ink = 0, paper = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const DWORD p = pixels.At(x, y);
            const bool inBalloon = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            // The stretched picture's filtered edge may reach a pixel or two past its box.
            const bool near =
                x >= box.left - 2 && x < box.right + 2 && y >= box.top - 2 && y < box.bottom + 2;
            if (!near) {
                EXPECT_EQ(p, kBlack) << x << "," << y;
            }
            if (!inBalloon) continue;
            const bool inText = x >= text.left && x < text.right && y >= text.top && y < text.bottom;
            const int red = static_cast<int>((p >> 16) & 0xFF);
            if (inText && red < 100) ++ink;
            if (!inText && red > 200) ++paper;
        }
    }
    // Dark words on the light balloon: both are there in plenty.
    EXPECT_GT(ink, 40);
    EXPECT_GT(paper, (Width(box) * Height(box) - Width(text) * Height(text)) / 2);
    // The balloon's middle left and right of the text is light.
    EXPECT_GT(static_cast<int>((pixels.At(text.left - 8, 120) >> 16) & 0xFF), 200);
    EXPECT_GT(static_cast<int>((pixels.At(text.right + 8, 120) >> 16) & 0xFF), 200);
}

TEST_F(TextBalloonGL, AMissingAnimationGivesNoBalloon) {
    CTextBalloon missing;
    missing.Assign("interfaces.no_such_balloon", "interfaces.nolla_text", THolder<IScene>(scene.Get()));
    EXPECT_FALSE(missing.SetText(u"Hello"));
    missing.Assign("interfaces.nolla_baloon_podkladka", "interfaces.no_such_text",
                   THolder<IScene>(scene.Get()));
    EXPECT_FALSE(missing.SetText(u"Hello"));
    EXPECT_EQ(scene->GetAnimationCount(), 0);
}

}  // namespace
