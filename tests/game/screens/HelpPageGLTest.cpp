#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>

#include "framework/app/Screen.h"
#include "framework/core/GameProperties.h"
#include "game/app/Players.h"
#include "game/screens/HelpScreen.h"
#include "game/screens/WindowShadesEffect.h"
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

    // Pixels of each page's own colour in a screenshot of the help opened on `page`.
    std::map<int, int> PageColours(float page) {
        GetCurrentPlayer().floatVars[CHelpScreen::kPageVariable] = page;
        const GF::THolder<GF::IScreen> screen = CHelpScreen::Create();
        screen->SetName("HelpScreen");
        screen->Initialize("main_menu.HelpScreen", GF::THolder<GF::IScene>(scene.Get()), "");
        CWindowShadesEffect::GetInstance()->SetEnabled(false);  // the shades would cover the page
        scene->Update(0.0f);
        const CEngineFixture::Pixels pixels = Draw();
        screen->Destroy();
        const std::map<int, DWORD> colours = {{1, 0xFFC83C3C}, {2, 0xFF3CA03C}, {3, 0xFF3C50C8}};
        std::map<int, int> counts;
        for (const auto& [shown, colour] : colours) {
            counts[shown] = 0;
            for (const DWORD pixel : pixels.argb) counts[shown] += pixel == colour ? 1 : 0;
        }
        return counts;
    }

    GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    const int m_width = properties->m_screenWidth;
    const int m_height = properties->m_screenHeight;
};

}  // namespace

TEST_F(HelpPageGL, AScreenshotShowsThePageTheVariableNames) {
    for (const auto& [variable, page] : {std::pair{1.0f, 1}, {2.7f, 2}, {3.0f, 3}}) {
        SCOPED_TRACE(variable);
        const std::map<int, int> counts = PageColours(variable);
        for (const auto& [shown, count] : counts) {
            if (shown == page)
                EXPECT_GT(count, 1000);
            else
                EXPECT_EQ(count, 0);
        }
    }
}
