#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>

#include "framework/scene/HgeColor.h"
#include "framework/scene/IAnimation.h"
#include "game/screens/PaperEffect.h"
#include "tests/support/SampleSceneGL.h"
#include "tests/support/TempFolder.h"

namespace {

// A leaf of 128 x 128 over the rectangle (160, 56) - (288, 184) of a 320 x 240 picture, made from a
// test page: red on its left half, blue on its right, a white diagonal from its top-left corner to
// its bottom-right one. Its mask (128 x 128, smaller than the 512 x 512 side) is transparent in the
// top-right corner (x 96 and on, y below 32).
class PaperEffectGL : public CSampleSceneGL {
protected:
    static constexpr int kLeft = 160, kTop = 56, kSize = 128;

    void SetUp() override {
        CSampleSceneGL::SetUp();
        engine->System_SetStateString(HGE_LOGFILE, (log / "log.txt").c_str());
        CResourceBuilder b(*resource);
        b.Module("paper_test");
        b.Animation("page");
        b.Part("all", 0, 1000);
        const auto half = [&](const char* name, float x, const hgeColor& colour) {
            auto sprite = b.Sprite(name);
            AddKeys(sprite->GetIDResource(), {{4, 0, 1000}});  // the sample's plain block
            AddKeys(sprite->GetOffset(), {{{x, 0}, 0, 1000}});
            AddKeys(sprite->GetScale(), {{{4, 8}, 0, 1000}});
            AddKeys(sprite->GetBlend(), {{2, 0, 1000}});
            AddKeys(sprite->GetColor(), {{colour, 0, 1000}});
            return sprite;
        };
        half("red", 0, hgeColor(1, 0, 0, 1));
        half("blue", 64, hgeColor(0, 0, 1, 1));
        auto diagonal = half("diagonal", 0, hgeColor(1, 1, 1, 1));
        diagonal->GetScale()->front().value = {11.4f, 0.25f};
        AddKeys(diagonal->GetHotspot(), {{{0, 5000}, 0, 1000}});
        AddKeys(diagonal->GetRotate(), {{std::numbers::pi_v<float> / 4, 0, 1000}});
        AddKeys(diagonal->GetLayer(), {{1, 0, 1000}});
        b.Animation("back");
        b.Part("all", 0, 1000);
        half("green", 0, hgeColor(0, 1, 0, 1))->GetScale()->front().value = {8, 8};
        page = scene->CreateAnimation("paper_test.page");
        back = scene->CreateAnimation("paper_test.back");
        ASSERT_TRUE(back);
        back->Play("all", 0, false);
        back->Update(0.0f);
        ASSERT_TRUE(page);
        page->Play("all", 0, false);
        page->Update(0.0f);

        mask = engine->Texture_Create(kSize, kSize);
        DWORD* pixels = engine->Texture_Lock(mask, false, 0, 0, 0, 0);
        ASSERT_NE(pixels, nullptr);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                pixels[y * kSize + x] = x >= 96 && y < 32 ? 0x00FFFFFFu : 0xFFFFFFFFu;
        engine->Texture_Unlock(mask);
    }
    void TearDown() override {
        engine->Texture_Free(mask);
        engine->System_SetStateString(HGE_LOGFILE, "");
        page.Reset();
        back.Reset();
        CSampleSceneGL::TearDown();
    }

    GF::THolder<CPaperEffect> Leaf() {
        GF::THolder<CPaperEffect> leaf =
            CPaperEffect::Create(0.0f, 0.5f, 1.5707964f, {kLeft, kTop, kLeft + kSize, kTop + kSize});
        leaf->SetTextureSize(kSize, kSize);
        return leaf;
    }
    CEngineFixture::Pixels DrawAt(const GF::THolder<CPaperEffect>& leaf, float t) {
        leaf->SetProgress(t);
        return Draw([&] { leaf->Render(); });
    }
    std::string Log() const {
        std::ifstream in(log / "log.txt");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static int Red(DWORD p) { return static_cast<int>((p >> 16) & 0xFF); }
    static int Green(DWORD p) { return static_cast<int>((p >> 8) & 0xFF); }
    static int Blue(DWORD p) { return static_cast<int>(p & 0xFF); }
    static bool IsRed(DWORD p) { return Red(p) > 200 && Green(p) < 60 && Blue(p) < 60; }
    static bool IsBlue(DWORD p) { return Blue(p) > 200 && Red(p) < 60 && Green(p) < 60; }
    static bool IsWhite(DWORD p) { return Red(p) > 160 && Green(p) > 160 && Blue(p) > 160; }
    static bool IsBlack(DWORD p) { return Red(p) < 30 && Green(p) < 30 && Blue(p) < 30; }
    static bool IsGreen(DWORD p) { return Green(p) > 90 && Red(p) < 40 && Blue(p) < 40; }
    // Paper of one colour in shade.
    static int Shaded(const CEngineFixture::Pixels& pixels) {
        return static_cast<int>(std::count_if(pixels.argb.begin(), pixels.argb.end(), [](DWORD p) {
            const int top = std::max({Red(p), Green(p), Blue(p)});
            return top > 90 && top < 225 && std::min({Red(p), Green(p), Blue(p)}) < 40;
        }));
    }
    static int Count(const CEngineFixture::Pixels& pixels, bool (*is)(DWORD)) {
        return static_cast<int>(std::count_if(pixels.argb.begin(), pixels.argb.end(), is));
    }
    static int Drawn(const CEngineFixture::Pixels& pixels, int fromX, int toX) {
        int count = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = fromX; x < toX; ++x) count += IsBlack(pixels.At(x, y)) ? 0 : 1;
        return count;
    }

    CTempFolder log{"quindle-paper"};
    GF::TAnimationPtr page;
    GF::TAnimationPtr back;  // all green
    HTEXTURE mask = 0;
};

}  // namespace

// Flat, the front lies on its rectangle the right way up with the background through the mask's
// corner; turned over, only the back shows, mirrored about the rectangle's left edge; half way both
// show, with the curl in shade. A later build of the back alone keeps the front.
TEST_F(PaperEffectGL, ALeafLiesFlatTurnsOverMirroredAndCurlsInShadeHalfWay) {
    const GF::THolder<CPaperEffect> leaf = Leaf();
    ASSERT_TRUE(leaf->Build(page, page, mask, mask)) << Log();
    EXPECT_NE(Log().find("CPaperEffect:end writing texture 2"), std::string::npos);

    const CEngineFixture::Pixels flat = DrawAt(leaf, 0.0f);
    EXPECT_TRUE(IsRed(flat.At(kLeft + 16, kTop + 64)));
    EXPECT_TRUE(IsBlue(flat.At(kLeft + 112, kTop + 64)));
    EXPECT_TRUE(IsRed(flat.At(kLeft + 20, kTop + 108)));  // below the diagonal, not beside it
    for (int k : {12, 40, 64, 90, 116}) EXPECT_TRUE(IsWhite(flat.At(kLeft + k, kTop + k))) << k;
    EXPECT_TRUE(IsBlack(flat.At(kLeft + 122, kTop + 6)));  // the mask's transparent corner
    EXPECT_EQ(Drawn(flat, 0, kLeft), 0);

    const CEngineFixture::Pixels over = DrawAt(leaf, 1.0f);
    EXPECT_TRUE(IsRed(over.At(kLeft - 16, kTop + 64)));
    EXPECT_TRUE(IsBlue(over.At(kLeft - 112, kTop + 64)));
    EXPECT_TRUE(IsRed(over.At(kLeft - 20, kTop + 108)));
    for (int k : {12, 64, 116}) EXPECT_TRUE(IsWhite(over.At(kLeft - k, kTop + k))) << k;
    EXPECT_TRUE(IsBlack(over.At(kLeft - 122, kTop + 6)));
    EXPECT_EQ(Drawn(over, kLeft, flat.width), 0);

    ASSERT_TRUE(leaf->Build({}, back, mask, mask));
    EXPECT_EQ(Count(DrawAt(leaf, 0.0f), &IsGreen), 0);
    const CEngineFixture::Pixels half = DrawAt(leaf, 0.5f);
    EXPECT_GT(Count(half, &IsGreen), 100);
    EXPECT_GT(Count(half, &IsBlue) + Count(half, &IsRed), 1000);
    EXPECT_GT(Shaded(half), Shaded(flat) + 500) << Shaded(half) << " " << Shaded(flat);
    EXPECT_GT(Count(DrawAt(leaf, 1.0f), &IsGreen), 10000);
}

// A build that cannot draw its sides answers false, says why in the log and leaves the leaf blank.
TEST_F(PaperEffectGL, AMaskTooLargeAMissingMaskOrNothingToDrawFailsLoggedAndDrawsNothing) {
    const HTEXTURE large = engine->Texture_Create(600, 600);
    struct Case {
        const char* what;
        bool withPage;
        HTEXTURE mask;
        const char* logged;
    };
    const Case cases[] = {
        {"mask too large", true, large, "CPaperEffect:[ERR]mask size is wrong"},
        {"no mask", true, 0, "CPaperEffect:[ERR]texture or(and) not mask Texture_Lock"},
        {"nothing to draw", false, mask, "CPaperEffect:[ERR]not texture loading"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GF::THolder<CPaperEffect> leaf = Leaf();
        const GF::TAnimationPtr side = c.withPage ? page : GF::TAnimationPtr();
        EXPECT_FALSE(leaf->Build(side, side, c.mask, c.mask));
        EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();
        EXPECT_FALSE(leaf->IsReady());
        for (float t : {0.0f, 0.5f, 1.0f}) EXPECT_EQ(Drawn(DrawAt(leaf, t), 0, 320), 0) << t;
    }
    engine->Texture_Free(large);
}
