#include <gtest/gtest.h>

#include "game/app/FilterSpriteManager.h"
#include "tests/game/SampleData.h"
#include "tests/support/SampleSceneGL.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using FilterSpriteGL = CSampleSceneGL;

// Cell 5 of the grey sheet, the salad's icon in greys, drawn about (160, 120): grey within its 32 x 32
// cell, drawn at its middle, nothing outside it.
TEST_F(FilterSpriteGL, CellFiveDrawsItsOwnGrey) {
    CSampleLibrary library;
    const THolder<CHGESprite> sprite = CFilterSpriteManager::GetInstance()->GetSprite("gray", 5);
    ASSERT_TRUE(sprite);
    const CEngineFixture::Pixels pixels = Draw([&] { sprite->Render(160, 120); });
    int drawn = 0;
    for (int y = 104; y < 136; ++y)
        for (int x = 144; x < 176; ++x) {
            const DWORD p = pixels.At(x, y);
            const int red = static_cast<int>(p >> 16 & 0xFF), green = static_cast<int>(p >> 8 & 0xFF);
            EXPECT_EQ(red, green) << x << "," << y;
            EXPECT_EQ(green, static_cast<int>(p & 0xFF)) << x << "," << y;
            drawn += p != kBlack;
        }
    EXPECT_NE(pixels.At(160, 120), kBlack);
    EXPECT_GT(drawn, 200);
    for (const auto& [x, y] : {std::pair{141, 120}, {179, 120}, {160, 101}, {160, 139}})
        EXPECT_EQ(pixels.At(x, y), kBlack) << x << "," << y;
}

}  // namespace
