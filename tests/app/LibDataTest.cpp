#include <gtest/gtest.h>

#include "framework/core/MemoryStreams.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "tests/support/DataBytes.h"

namespace {

TEST(LibDataFile, HandWrittenBytesReadFieldByFieldAndWriteBackTheSame) {
    CDataBytes b;
    b.I32(1).Str("icons").I32(256).I32(128).I32(64).I32(64);
    b.I32(1).B8(1).Str("icon.pot").I32(0).Str("").B8(0).I32(1).WStr(u"pot").I32(0).Str("Places.pot");
    b.I32(1).Str("pot_work").WStr(u"Pot").Raw({0x00, 0x00, 0x20, 0x41}).I32(-3);
    b.I32(3).B8(200).B8(0).B8(255).I32(3).I32(0).I32(0).I32(1).Str("Devices.saucepan");
    GF::CMemoryInputStream in(b.bytes);
    CLibData lib;
    std::string why;
    ASSERT_TRUE(ParseLibData(in, lib, why)) << why;

    const CFrameGridInfo* icons = lib.FindFrameGrid("icons");
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(icons->Columns(), 4);
    EXPECT_EQ(icons->Rows(), 2);
    const CIngridientInfo* pot = lib.FindIngridient("Devices.saucepan");
    ASSERT_NE(pot, nullptr);
    EXPECT_TRUE(pot->PixelHitTest);
    EXPECT_EQ(pot->Items.at(0).Name, "Places.pot");
    EXPECT_EQ(pot->Kind, 1);
    EXPECT_EQ(pot->Label2, "pot_work");
    EXPECT_EQ(pot->Title, u"Pot");
    EXPECT_EQ(pot->Value2, 10.0f);
    EXPECT_EQ(pot->Value3, -3);
    EXPECT_EQ(pot->Mask.Cells, (std::vector<uint8_t>{200, 0, 255}));
    EXPECT_EQ(pot->Mask.Value1, 3);
    EXPECT_EQ(pot->Mask.Value4, 1);

    GF::CMemoryOutputStream out;
    WriteLibData(out, lib);
    EXPECT_EQ(out.data, b.bytes);
}

// What the level, order and screen code may do with the tables while pointers into them are held.
TEST(DataLookups, GetAddsOnceFindAddsNothingAndRecordsNeverMove) {
    CLevelsData levels;
    EXPECT_EQ(levels.FindLevel("stage9_9"), nullptr);
    CLevelInfo& added = levels.GetLevel("stage9_9");
    EXPECT_EQ(added.Name, "stage9_9");  // a record under its own key, to write and read back
    EXPECT_EQ(added.Number, 0);
    EXPECT_TRUE(added.StageName.empty() && added.WalkGrid.empty());
    EXPECT_EQ(&levels.GetLevel("stage9_9"), &added);
    EXPECT_EQ(levels.FindLevel("stage9_9"), &added);
    EXPECT_EQ(levels.Levels.size(), 1u);

    added.Number = 4;
    CStageInfo& stage = levels.GetStage("stage1");
    stage.Number = 1;
    CLibData lib;
    CIngridientInfo& saucepan = lib.FindIngridientInfo("Devices.saucepan");
    saucepan.Kind = 1;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = "n" + std::to_string(i);
        levels.GetLevel(name);
        levels.GetStage(name);
        lib.FindIngridientInfo(name);
    }
    EXPECT_EQ(added.Number, 4);
    EXPECT_EQ(stage.Number, 1);
    EXPECT_EQ(saucepan.Kind, 1);
    EXPECT_EQ(levels.StageOrder().front(), "stage1");
    EXPECT_EQ(levels.StageOrder().size(), 1001u);
    EXPECT_EQ(lib.Ingridients.size(), 1001u);

    EXPECT_EQ(lib.FindFrameGrid("icons"), nullptr);
    EXPECT_TRUE(lib.FrameGrids.empty());
    EXPECT_EQ(lib.FindIngridient("missing"), nullptr);
    EXPECT_EQ(lib.Ingridients.count("missing"), 0u);

    CReceptInfo recept;
    recept.Tips = 9;
    recept.Items.resize(2);
    ClearReceptInfo(recept);
    EXPECT_EQ(recept.Tips, 0);
    EXPECT_TRUE(recept.Items.empty());
}

TEST(DataLookups, ItemMatchingAndFrameGrids) {
    CLibData lib;
    auto object = [&lib](const std::string& name, int32_t kind,
                         const GF::WString& title) -> CIngridientInfo& {
        CIngridientInfo& record = lib.FindIngridientInfo(name);
        record.Name = name;
        record.Kind = kind;
        record.Title = title;
        return record;
    };
    CIngridientInfo& tomato = object("Places.tomato", 2, u"Tomato");
    CIngridientInfo& cherry = object("Places.cherry_tomato", 2, u"Tomato");
    CIngridientInfo& plant = object("Scenery.tomato_plant", 0, u"Tomato");
    CIngridientInfo& bread = object("Places.bread", 3, u"");
    CIngridientInfo& roll = object("Places.roll", 3, u"");
    CReceptItemInfo wantsTomato, wantsBread;
    wantsTomato.Name = "Places.tomato";
    wantsBread.Name = "Places.bread";

    EXPECT_TRUE(MatchesReceptItem(tomato, wantsTomato, lib));  // by name
    EXPECT_TRUE(MatchesReceptItem(cherry, wantsTomato, lib));  // by title
    EXPECT_FALSE(MatchesReceptItem(plant, wantsTomato, lib));  // scenery never
    EXPECT_FALSE(MatchesReceptItem(cherry, wantsBread, lib));  // other title
    EXPECT_FALSE(MatchesReceptItem(roll, wantsBread, lib));    // no titles to match
    EXPECT_TRUE(MatchesReceptItem(bread, wantsBread, lib));
    plant.Kind = 1;
    EXPECT_TRUE(MatchesReceptItem(plant, wantsTomato, lib));

    const struct {
        CFrameGridInfo grid;
        int32_t columns, rows;
    } grids[] = {
        {{"a", 256, 128, 64, 64}, 4, 2}, {{"b", 250, 130, 64, 64}, 3, 2},   {{"c", 256, 128, 0, 64}, 0, 2},
        {{"d", 256, 128, 64, 0}, 4, 0},  {{"e", -256, 128, -64, 64}, 0, 2},
    };
    for (const auto& g : grids) {
        EXPECT_EQ(g.grid.Columns(), g.columns) << g.grid.Name;
        EXPECT_EQ(g.grid.Rows(), g.rows) << g.grid.Name;
    }
}

}  // namespace
