#include <gtest/gtest.h>

#include <string>

#include "framework/core/GameProperties.h"
#include "framework/gui/PublisherScreen.h"
#include "tests/support/EngineFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

constexpr DWORD kRgb = 0x00FFFFFF;

// The publisher screen on the real engine with an 800 x 600 picture and the built sample archive,
// whose first splash picture it shows.
class PublisherScreenGL : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine.Ready()) << engine.Error();
        ASSERT_TRUE(engine->Resource_AttachPack("resource.dat"));
        properties->m_screenWidth = 800;
        properties->m_screenHeight = 600;
        screen = CPublisherScreen::Create();
        screen->SetName("PublisherScreen");
        screen->Initialize("PublisherScreen", {}, "");
        screen->OnTop();
    }
    void TearDown() override {
        if (screen) screen->Destroy();
        screen.Reset();
        properties->m_screenWidth = m_savedSize.first;
        properties->m_screenHeight = m_savedSize.second;
        engine->Resource_RemoveAllPacks();
    }

    // The screen's frame drawn into a picture of the game's size.
    CEngineFixture::Pixels DrawFrame() {
        const HTARGET target = engine->Target_Create(800, 600, false);
        EXPECT_NE(target, 0u);
        EXPECT_TRUE(engine->Gfx_BeginScene(target));
        screen->Draw();
        engine->Gfx_EndScene();
        CEngineFixture::Pixels pixels = engine.ReadTarget(target);
        engine->Target_Free(target);
        return pixels;
    }

    CEngineFixture engine{800, 600};
    THolder<CGameProperties> properties = GetGameProperties();
    THolder<IScreen> screen;

private:
    std::pair<int, int> m_savedSize{properties->m_screenWidth, properties->m_screenHeight};
};

TEST_F(PublisherScreenGL, TheFirstPictureAtFullLevelIsCentredOnBlack) {
    // The picture as the archive holds it.
    const HTEXTURE picture = engine->Texture_Load("splash_1.png", 0);
    ASSERT_NE(picture, 0u);
    const int w = engine->Texture_GetWidth(picture, true);
    const int h = engine->Texture_GetHeight(picture, true);
    const CEngineFixture::Pixels source = engine.Read(picture);
    engine->Texture_Free(picture);
    ASSERT_GT(w, 0);
    ASSERT_LE(w, 800);
    ASSERT_LE(h, 600);

    // Four quarter-second steps bring the first picture up from black to its full level.
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(screen->Update(250.0f));

    const CEngineFixture::Pixels frame = DrawFrame();
    ASSERT_EQ(frame.width, 800);
    ASSERT_EQ(frame.height, 600);
    const int left = (800 - w) / 2, top = (600 - h) / 2;
    int wrong = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const bool inside = x >= left && x < left + w && y >= top && y < top + h;
            const DWORD want = inside ? source.At(x - left, y - top) & kRgb : 0;
            if ((frame.At(x, y) & kRgb) == want) continue;
            if (++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << frame.At(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
    // The picture's corners, and black just outside them.
    EXPECT_EQ(frame.At(left, top) & kRgb, source.At(0, 0) & kRgb);
    EXPECT_EQ(frame.At(left + w - 1, top + h - 1) & kRgb, source.At(w - 1, h - 1) & kRgb);
    EXPECT_EQ(frame.At(left - 1, top) & kRgb, 0u);
    EXPECT_EQ(frame.At(left + w, top + h - 1) & kRgb, 0u);
}

}  // namespace
