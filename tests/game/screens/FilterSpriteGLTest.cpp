#include <gtest/gtest.h>

#include "game/screens/FilterSpriteManager.h"
#include "tests/game/SampleData.h"
#include "tests/support/SampleSceneGL.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using FilterSpriteGL = CSampleSceneGL;

// Cell 5 of the grey sheet, grey 40 + 20 * 5, drawn about (160, 120).
TEST_F(FilterSpriteGL, CellFiveDrawsItsOwnGrey) {
    CSampleLibrary library;
    const THolder<CHGESprite> sprite = CFilterSpriteManager::GetInstance()->GetSprite("gray", 5);
    ASSERT_TRUE(sprite);
    const CEngineFixture::Pixels pixels = Draw([&] { sprite->Render(160, 120); });
    const DWORD grey = 0xFF8C8C8C;
    for (const auto& [x, y] : {std::pair{150, 110}, {160, 120}, {170, 130}, {148, 132}})
        EXPECT_EQ(pixels.At(x, y), grey) << x << "," << y;
    for (const auto& [x, y] : {std::pair{141, 120}, {179, 120}, {160, 101}, {160, 139}})
        EXPECT_EQ(pixels.At(x, y), kBlack) << x << "," << y;
}

}  // namespace
