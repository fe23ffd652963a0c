#include <gtest/gtest.h>

#include "game/app/FilterSpriteManager.h"
#include "game/app/LibData.h"
#include "tests/game/SampleData.h"
#include "tests/game/kitchen/KitchenFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// The sample script and library on the recording engine, which serves the grey sheet's file.
class FilterSprites : public CKitchenFixture {
protected:
    FilterSprites() {
        engine.AddResource("Texture\\2.png", "sheet");
        engine.SetTextureSize("Texture\\2.png", 128, 64);
    }
    CSampleLibrary library;
    THolder<CFilterSpriteManager> manager = CFilterSpriteManager::GetInstance();
};

TEST_F(FilterSprites, CellsAreCutRowByRowFromASheetLoadedOnce) {
    EXPECT_EQ(CFilterSpriteManager::GetInstance(), manager);
    struct Case {
        int cell;
        float x, y;
    };
    // "gray": 128 x 64 in cells of 32 x 32, four across and two down.
    const Case cases[] = {{0, 0, 0}, {3, 96, 0}, {5, 32, 32}, {7, 96, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        const THolder<CHGESprite> sprite = manager->GetSprite("gray", c.cell);
        ASSERT_TRUE(sprite);
        EXPECT_EQ(sprite->tx, c.x);
        EXPECT_EQ(sprite->ty, c.y);
        EXPECT_EQ(sprite->width, 32.0f);
        EXPECT_EQ(sprite->height, 32.0f);
        EXPECT_EQ(sprite->hotX, 16.0f);
        EXPECT_EQ(sprite->hotY, 16.0f);
        EXPECT_EQ(sprite->quad.tex, manager->GetFilterTexture("gray"));
    }
    EXPECT_EQ(engine.CountCalls("Texture_Load"), 1);
}

TEST_F(FilterSprites, NoRecordNoPictureOrNoSuchCellGivesNoSprite) {
    GetLibData().GetFrameGrid("flat") = {"flat", 128, 64, 0, 32};
    GetLibData().GetFrameGrid("tiny") = {"tiny", 16, 16, 32, 32};
    struct Case {
        const char* filter;
        int cell;
        const char* log;  // null: nothing said
    };
    const Case cases[] = {
        {"sepia", 0, nullptr},  // "Devices" shows it, the library has no grid of it
        {"icons", 0, nullptr},  // a grid, but no picture in "Devices"
        {"gray", 8, "Filter \"gray\": no cell 8 in its 4 x 2 cells"},
        {"gray", -1, "Filter \"gray\": no cell -1"},
        {"flat", 0, "Filter \"flat\": no whole cell of 0 x 32 in a sheet of 128 x 64"},
        {"tiny", 0, "Filter \"tiny\": no whole cell of 32 x 32 in a sheet of 16 x 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + " " + std::to_string(c.cell));
        EXPECT_FALSE(manager->GetSprite(c.filter, c.cell));
        if (c.log) {
            EXPECT_TRUE(engine.HasLog(c.log));
        }
    }
    EXPECT_EQ(engine.CountCalls("Texture_Load"), 0);
    EXPECT_EQ(manager->GetFilterTexture("icons"), 0u);
}

}  // namespace
