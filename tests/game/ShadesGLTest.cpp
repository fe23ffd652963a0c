#include <gtest/gtest.h>

#include "framework/core/DataStreams.h"
#include "framework/resources/Resource.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "game/app/WindowShadesEffect.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ResourceBuilder.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// The built sample archive with its game data, an 800 x 600 picture: the placeholder layout in a
// scene, and the window shades on it opening along the sample's curves.
class ShadesGL : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine.Ready()) << engine.Error();
        ASSERT_TRUE(engine->Resource_AttachPack("resource.dat"));
        InstallSceneObjectMakers();
        resource->Load();
        const THolder<IDataInputStream> stream = CreateBlobReader();
        ASSERT_TRUE(stream->Open("Binary\\gamedata.bin"));
        ASSERT_TRUE(ReadGameData(stream));
        layout = scene->CreateAnimation("interfaces.placeholder");
        ASSERT_TRUE(layout);
        layout->SetPosition(400, 300);
        layout->Play("_idle", 0, false);
        scene->Update(0);
        shades = CWindowShadesEffect::GetInstance();
        shades->SetLayout(THolder<IScene>(scene.Get()));
        GetCurrentPlayer().stringVars[20] = "shade_open";
        shades->SetState(CWindowShadesEffect::kOpen, 1250.0f);
    }
    void TearDown() override {
        shades.Reset();
        CWindowShadesEffect::DropInstance();
        layout.Reset();
        scene->Clear();
        resource->Clear();
        engine->Resource_RemoveAllPacks();
        CTextTable::Instance().Load();
        GetGameData() = CGameData();
    }

    // Both shades at this share of the first one's run; the picture drawn.
    CEngineFixture::Pixels DrawAt(float share) {
        shades->GetFirstShade()->Update(share * 1.25f);
        shades->GetSecondShade()->Update(share * 1.25f);
        const HTARGET target = engine->Target_Create(800, 600, false);
        EXPECT_TRUE(engine->Gfx_BeginScene(target));
        engine->Gfx_Clear(0xFF000000);
        scene->Render();
        engine->Gfx_EndScene();
        CEngineFixture::Pixels pixels = engine.ReadTarget(target);
        engine->Target_Free(target);
        return pixels;
    }
    static int Red(DWORD p) { return static_cast<int>(p >> 16 & 0xFF); }
    static int Green(DWORD p) { return static_cast<int>(p >> 8 & 0xFF); }
    // The curtain's deep red.
    static bool Cloth(DWORD p) { return Red(p) > 40 && Red(p) > 3 * Green(p); }
    // The mean red over a rectangle.
    static double MeanRed(const CEngineFixture::Pixels& pixels, int left, int top, int right, int bottom) {
        double sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) sum += Red(pixels.At(x, y));
        return sum / ((right - left) * (bottom - top));
    }

    CEngineFixture engine{800, 600};
    CObjectMakersScope makersScope;
    THolder<CResource> resource = GetResource();
    THolder<CScene> scene = MakeHolder<CScene>();
    TAnimationPtr layout;
    THolder<CWindowShadesEffect> shades;
};

// Half-way the cloth covers both halves, darker at its free edges; fully open it lies gathered beyond
// the window's edges and the layout shows everywhere, the top rows too.
TEST_F(ShadesGL, HalfOpenCoversBothHalvesAndOpenShowsTheWholeLayout) {
    const CEngineFixture::Pixels half = DrawAt(0.5f);
    for (int x : {60, 180, 640, 740}) EXPECT_TRUE(Cloth(half.At(x, 40))) << x;
    EXPECT_TRUE(Cloth(half.At(100, 500)));
    EXPECT_TRUE(Cloth(half.At(700, 500)));
    // Each free edge, found along the row, is darker than the cloth at the fixed edge.
    int first = 0, second = 799;
    while (first < 399 && Cloth(half.At(first + 1, 40))) ++first;
    while (second > 401 && Cloth(half.At(second - 1, 40))) --second;
    EXPECT_LT(first, 399);
    EXPECT_GT(second, 401);
    EXPECT_LT(MeanRed(half, first - 8, 20, first, 60), 0.7 * MeanRed(half, 20, 20, 120, 60));
    EXPECT_LT(MeanRed(half, second + 1, 20, second + 9, 60), 0.7 * MeanRed(half, 680, 20, 780, 60));

    const CEngineFixture::Pixels open = DrawAt(0.5f);
    shades->SetEnabled(false);
    const CEngineFixture::Pixels bare = DrawAt(0.0f);
    EXPECT_NE(bare.At(400, 450), 0xFF000000u);  // the layout's background
    for (int y : {2, 10, 300, 450, 598})
        for (int x : {0, 5, 60, 300, 500, 740, 795, 799})
            EXPECT_EQ(open.At(x, y), bare.At(x, y)) << x << ", " << y;
}

}  // namespace
