#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "framework/app/Screen.h"
#include "framework/core/GameProperties.h"
#include "game/app/Players.h"
#include "game/app/WindowShadesEffect.h"
#include "game/screens/HelpScreen.h"
#include "tests/support/SampleSceneGL.h"

namespace {

// The help screen of the built sample drawn on a real engine: the picture in "_help_place" is the
// page that float variable 30 names, truncated.
class HelpPageGL : public CSampleSceneGL {
protected:
    void SetUp() override {
        CSampleSceneGL::SetUp();
        properties->m_screenWidth = 320;
        properties->m_screenHeight = 240;
    }
    void TearDown() override {
        properties->m_screenWidth = m_width;
        properties->m_screenHeight = m_height;
        CWindowShadesEffect::DropInstance();
        CSampleSceneGL::TearDown();
    }

    // The mean red, green and blue of a screenshot of the help opened on `page`.
    std::array<double, 3> MeanColour(float page) {
        GetCurrentPlayer().floatVars[CHelpScreen::kPageVariable] = page;
        const GF::THolder<GF::IScreen> screen = CHelpScreen::Create();
        screen->SetName("HelpScreen");
        screen->Initialize("main_menu.HelpScreen", GF::THolder<GF::IScene>(scene.Get()), "");
        CWindowShadesEffect::GetInstance()->SetEnabled(false);  // the shades would cover the page
        scene->Update(0.0f);
        const CEngineFixture::Pixels pixels = Draw();
        screen->Destroy();
        std::array<double, 3> mean{};
        for (const DWORD pixel : pixels.argb)
            for (int c = 0; c < 3; ++c) mean[c] += (pixel >> (16 - 8 * c)) & 0xFF;
        for (double& channel : mean) channel /= static_cast<double>(pixels.argb.size());
        return mean;
    }

    GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    const int m_width = properties->m_screenWidth;
    const int m_height = properties->m_screenHeight;
};

}  // namespace

// Each page is the kitchen tinted in its own colour (red, green, blue): the page a variable names
// is the one whose colour its screenshot leans to most.
TEST_F(HelpPageGL, AScreenshotShowsThePageTheVariableNames) {
    const std::array<std::array<double, 3>, 3> shots = {MeanColour(1.0f), MeanColour(2.7f), MeanColour(3.0f)};
    for (int page = 0; page < 3; ++page)
        for (int other = 0; other < 3; ++other) {
            if (other == page) continue;
            EXPECT_GT(shots[page][page], shots[other][page] + 10.0) << page + 1 << " " << other + 1;
        }
}
