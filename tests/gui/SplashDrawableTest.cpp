#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/SplashDrawable.h"
#include "tests/support/RecordingEngine.h"

using GF::HGENS::CSpalshDrawable;

namespace {

// One picture's light in 250 ms steps: a quarter of the light per step in, four steps of holding,
// a quarter per step out; the step that goes below black moves on to the next picture.
const std::vector<float> kPictureSteps = {
    0.25f, 0.5f, 0.75f, 1.0f,  // 1.0 is not above 1.0: still fading in
    1.0f,                      // 1.25 held at 1.0; the hold starts
    1.0f,  1.0f, 1.0f,         // 750, 500, 250 ms left
    1.0f,                      // no time left: fading out starts next step
    0.75f, 0.5f, 0.25f, 0.0f,  // 0.0 is not below 0.0
};

class SplashDrawableTest : public ::testing::Test {
protected:
    void AddPicture(const std::string& file, int width, int height) {
        engine.AddResource(file, std::string("picture"));
        engine.SetTextureSize(file, width, height);
    }
    std::vector<std::string> Loaded() const {
        std::vector<std::string> out;
        for (const std::string& call : engine.calls)
            if (call.rfind("Texture_Load ", 0) == 0) out.push_back(call.substr(13));
        return out;
    }

    CRecordingEngine engine;
};

TEST_F(SplashDrawableTest, EachPictureFadesInHoldsAndFadesOutThenTheNextFollows) {
    AddPicture("splash_1.png", 200, 100);
    AddPicture("splash_4.jpg", 800, 600);
    AddPicture("splash_9.bmp", 1000, 700);
    GF::THolder<CSpalshDrawable> splash(new CSpalshDrawable);
    splash->Init();

    const std::vector<std::string> names = {"splash_1", "splash_4", "splash_9"};
    const float expectedX[] = {300.0f, 0.0f, -100.0f};  // centred on 800 x 600, larger ones off the edge
    const float expectedY[] = {250.0f, 0.0f, -50.0f};
    for (std::size_t picture = 0; picture < names.size(); ++picture) {
        SCOPED_TRACE(names[picture]);
        EXPECT_EQ(splash->GetCurrentName(), names[picture]);
        EXPECT_EQ(splash->GetLevel(), 0.0f);
        for (std::size_t step = 0; step < kPictureSteps.size(); ++step) {
            SCOPED_TRACE("step " + std::to_string(step + 1));
            splash->Update(250.0f);
            EXPECT_EQ(splash->GetLevel(), kPictureSteps[step]);
            // The ninth name is the last: its picture is done as soon as it is black.
            EXPECT_EQ(splash->IsFinished(), picture == 2 && step + 1 == kPictureSteps.size());

            engine.quads.clear();
            engine.ClearRecord();
            splash->Render();
            ASSERT_EQ(engine.quads.size(), 1u);
            EXPECT_TRUE(engine.HasCall("Gfx_Clear 00000000"));  // black around the picture
            const unsigned grey = static_cast<unsigned>(kPictureSteps[step] * 255.0f);
            const DWORD colour = 0xFF000000u | grey << 16 | grey << 8 | grey;
            for (const hgeVertex& v : engine.quads[0].v) EXPECT_EQ(v.col, colour);
            EXPECT_EQ(engine.quads[0].v[0].x, expectedX[picture]);
            EXPECT_EQ(engine.quads[0].v[0].y, expectedY[picture]);
        }
        splash->Update(250.0f);  // below black: the next picture, or the end
    }
    EXPECT_TRUE(splash->IsFinished());
    EXPECT_EQ(splash->GetLevel(), 0.0f);

    // Finished it stays: further steps change nothing.
    splash->Update(250.0f);
    EXPECT_TRUE(splash->IsFinished());
}

TEST_F(SplashDrawableTest, WithoutPicturesItIsFinishedAtOnceAndDrawsNothing) {
    GF::THolder<CSpalshDrawable> splash(new CSpalshDrawable);
    splash->Init();
    EXPECT_TRUE(splash->IsFinished());
    EXPECT_EQ(splash->GetLevel(), 0.0f);

    splash->Update(16.0f);
    splash->Render();
    EXPECT_TRUE(splash->IsFinished());
    EXPECT_TRUE(engine.quads.empty());
    EXPECT_EQ(engine.CountCalls("Gfx_Clear"), 0);
}

TEST_F(SplashDrawableTest, MissingNumbersAreSkippedAndTheExtensionsAreTriedInOrder) {
    AddPicture("splash_2.png", 64, 64);
    AddPicture("splash_3.png", 64, 64);
    AddPicture("splash_3.jpg", 64, 64);
    AddPicture("splash_3.jpeg", 64, 64);
    AddPicture("splash_5.jpeg", 64, 64);
    GF::THolder<CSpalshDrawable> splash(new CSpalshDrawable);
    splash->Init();
    for (int i = 0; i < 3 * 14; ++i) splash->Update(250.0f);
    EXPECT_TRUE(splash->IsFinished());
    EXPECT_EQ(Loaded(), (std::vector<std::string>{"splash_2.png", "splash_3.jpg", "splash_5.jpeg"}));
    // Each picture's texture is freed when the next is looked for; the last one with the drawable.
    EXPECT_EQ(engine.CountCalls("Texture_Free"), 3);
    splash.Reset();
    EXPECT_EQ(engine.CountCalls("Texture_Free"), 3);
}

TEST_F(SplashDrawableTest, AtSixteenMillisecondsTheFadeInEndsOnTheSixtyThirdStep) {
    AddPicture("splash_1.png", 64, 64);
    GF::THolder<CSpalshDrawable> splash(new CSpalshDrawable);
    splash->Init();
    for (int i = 0; i < 62; ++i) splash->Update(16.0f);
    EXPECT_LT(splash->GetLevel(), 1.0f);
    splash->Update(16.0f);
    EXPECT_EQ(splash->GetLevel(), 1.0f);
}

}  // namespace
