#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/scene/Scene.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ShowObjectAction.h"
#include "tests/game/SampleData.h"
#include "tests/support/SampleSceneGL.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// The sample kitchen "stage1_1" on a real engine with its 800 x 600 picture.
class KitchenGL : public CSampleSceneGL {
protected:
    KitchenGL() : CSampleSceneGL(800, 600) {}
    void SetUp() override {
        CSampleSceneGL::SetUp();
        level = GetLevelsData().FindLevel("stage1_1");
        ASSERT_TRUE(level);
        SetFloorQuad(level->FloorQuad);
        SetGameScene(THolder<IScene>(scene.Get()));
    }
    void TearDown() override {
        objects.clear();
        pers.Reset();
        SetGameScene({});
        FloorQuad() = CFloorQuad{};
        ParticleRegistry::Clear(nullptr);
        CSampleSceneGL::TearDown();
    }
    // The rows from the first to the last one that show the colour in column x; {-1, -1} for none.
    static std::pair<int, int> Rows(const CEngineFixture::Pixels& pixels, int x, DWORD colour) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < pixels.height; ++y) {
            if (!Near(pixels.At(x, y), colour)) continue;
            if (rows.first < 0) rows.first = y;
            rows.second = y;
        }
        return rows;
    }
    // The rows from the first to the last one drawn (not black) within 20 pixels of column x.
    static std::pair<int, int> DrawnRows(const CEngineFixture::Pixels& pixels, int x) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < pixels.height; ++y)
            for (int column = std::max(0, x - 20); column <= x + 20 && column < pixels.width; ++column) {
                if (pixels.At(column, y) == kBlack) continue;
                if (rows.first < 0) rows.first = y;
                rows.second = y;
                break;
            }
        return rows;
    }
    static bool Near(DWORD a, DWORD b) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3)
                return false;
        return true;
    }

    const CLevelInfo* level = nullptr;
    std::vector<THolder<CCookObject>> objects;
    THolder<CPers> pers;

private:
    CSampleGameData m_gameData;
    CSampleLevelsData m_levelsData;
    CSampleLibrary m_library;
};

// Her feet stand on the floor point (the figure reaches a tenth of its height below it), and she is
// drawn larger at the front of the floor than at its back. Her figure is all that is drawn: its rows
// are those not black in the columns about the floor point.
TEST_F(KitchenGL, TheHeroineStandsOnHerFloorPointLargerNearTheFront) {
    pers = CPers::Create(0, level->WalkGrid.begin(), level->WalkGrid.end(), GetGameScene());
    std::pair<int, int> heights[2];
    const TPoint<float> points[2] = {{8.0f, 4.0f}, {8.0f, 14.0f}};
    for (int i = 0; i < 2; ++i) {
        pers->SetPosition(points[i].x, points[i].y);
        scene->Update(0.0f);
        const TPoint<float> feet = MapFloorPoint(FloorQuad(), points[i]);
        heights[i] = DrawnRows(Draw(), static_cast<int>(feet.x));
        ASSERT_GE(heights[i].first, 0) << i;
        const int height = heights[i].second - heights[i].first + 1;
        EXPECT_NEAR(heights[i].second, feet.y + height / 10.0f, 2.0f) << i;
    }
    const int back = heights[0].second - heights[0].first, front = heights[1].second - heights[1].first;
    EXPECT_GT(front, back * 1.15) << back << " " << front;
}

// Half-way through the reveal the plant at y = 300 shows its picture with the full red tint added; the
// window above, past the band, its picture alone, as everything at the end; the devices show their own
// colours from the start.
TEST_F(KitchenGL, MidSweepTheSceneryIsTintedAndTheDevicesPlain) {
    for (const CPlacedObjectInfo& placement : level->Objects) {
        objects.push_back(CCookObject::Create(placement, GetGameScene()));
        objects.back()->SetShown(false);
    }
    const THolder<CShowObjectAction> action =
        CShowObjectAction::Create(objects.begin(), objects.end(), 1000.0f);
    action->Start();
    scene->Update(0.0f);
    const CEngineFixture::Pixels before = Draw();
    const TPoint<int> plant{40, 300}, window{400, 60}, griddle{300, 280};
    EXPECT_EQ(before.At(plant.x, plant.y), kBlack);  // the scenery waits for the sweep
    EXPECT_EQ(before.At(window.x, window.y), kBlack);
    EXPECT_NE(before.At(griddle.x, griddle.y), kBlack);
    auto run = [&](int frames) {
        for (int f = 0; f < frames; ++f) {
            action->Update(20.0f);
            scene->Update(20.0f);
        }
        return Draw();
    };
    const CEngineFixture::Pixels middle = run(25);
    const CEngineFixture::Pixels end = run(25);
    ASSERT_TRUE(action->IsDone());
    ASSERT_NE(end.At(plant.x, plant.y), kBlack);
    // The tint (0.8, 0.3, 0.3) added to the picture, held at white.
    DWORD tinted = 0xFF000000;
    const int tint[3] = {76, 76, 204};  // blue, green, red
    for (int c = 0; c < 3; ++c) {
        const int value =
            std::min(255, static_cast<int>((end.At(plant.x, plant.y) >> (8 * c)) & 0xFF) + tint[c]);
        tinted |= static_cast<DWORD>(value) << (8 * c);
    }
    EXPECT_TRUE(Near(middle.At(plant.x, plant.y), tinted)) << std::hex << middle.At(plant.x, plant.y);
    EXPECT_TRUE(Near(middle.At(window.x, window.y), end.At(window.x, window.y)));
    EXPECT_NE(end.At(window.x, window.y), kBlack);
    EXPECT_TRUE(Near(end.At(griddle.x, griddle.y), before.At(griddle.x, griddle.y)));
}

}  // namespace
