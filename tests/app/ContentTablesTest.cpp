#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "framework/core/DataStreams.h"
#include "framework/core/MemoryStreams.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/SampleFiles.h"

namespace {

using Bytes = std::vector<unsigned char>;

template <class T>
Bytes Written(const T& tables, void (*write)(GF::COutputStream&, const T&)) {
    GF::CMemoryOutputStream out;
    write(out, tables);
    return out.data;
}

struct CSamples {
    Bytes levelsBytes = LoadSampleFile("Binary/levelsdata.bin");
    Bytes libBytes = LoadSampleFile("Binary/libdata.bin");
    CLevelsData levels;
    CLibData lib;
    bool ok = false;

    CSamples() {
        std::string why;
        GF::CMemoryInputStream levelsIn(levelsBytes), libIn(libBytes);
        ok = ParseLevelsData(levelsIn, levels, why) && ParseLibData(libIn, lib, why);
        EXPECT_TRUE(ok) << why;
    }
};

TEST(SampleContent, TheSkeletonLaterIssuesFillWithEveryReferenceFound) {
    CSamples s;
    ASSERT_TRUE(s.ok);
    CLevelsData& levels = s.levels;
    EXPECT_TRUE(levels.TestLevelName.empty());
    for (int32_t kind = 0; kind <= 5; ++kind) EXPECT_EQ(levels.Bonuses.count(kind), 1u) << kind;

    const std::vector<std::string> stages = {"stage1", "stage2", "stage3", "stage4",
                                             "stage5", "stage6", "stage7"};
    ASSERT_EQ(levels.StageOrder(), stages);
    std::set<int32_t> dresses;  // each stage unlocks dresses of its own
    for (size_t n = 0; n < stages.size(); ++n) {
        const CStageInfo& stage = *levels.FindStage(stages[n]);
        EXPECT_EQ(stage.Number, int32_t(n + 1));
        EXPECT_FALSE(stage.Dresses.empty());
        for (int32_t dress : stage.Dresses) {
            EXPECT_TRUE(dress >= 1 && dress <= 11) << stage.Name;
            EXPECT_TRUE(dresses.insert(dress).second) << stage.Name << " shares dress " << dress;
        }
        // Its levels run "stageN_1" to "stageN_" + MapValue; the first one has places to win.
        for (int32_t k = 1; k <= stage.MapValue; ++k) {
            const CLevelInfo* level = levels.FindLevel(stage.Name + "_" + std::to_string(k));
            ASSERT_NE(level, nullptr) << stage.Name << " " << k;
            EXPECT_EQ(level->StageName, stage.Name);
            EXPECT_EQ(level->Number, k);
        }
        std::set<int32_t> rivals;
        for (const CLevelValuePair& pair : levels.FindLevel(stage.Name + "_1")->ProgressValues)
            rivals.insert(pair.Slot);
        EXPECT_EQ(rivals, (std::set<int32_t>{0, 1, 2})) << stage.Name;
    }
    // The second level of stage 1 has four rivals: with it every portrait but the player's is used.
    std::set<int32_t> rivals;
    for (const CLevelValuePair& pair : levels.FindLevel("stage1_2")->ProgressValues) rivals.insert(pair.Slot);
    EXPECT_EQ(rivals, (std::set<int32_t>{3, 4, 5, 7}));
    std::set<int32_t> duelKinds;
    for (const COrderInfo& order : levels.FindLevel("stage2_2")->Orders) duelKinds.insert(order.Kind);
    EXPECT_EQ(duelKinds, (std::set<int32_t>{101, 102}));
    EXPECT_TRUE(levels.FindLevel("stage2_2")->ProgressValues.empty());
    // The kitchen's drawn walk grid, string y and character x: the wall at x 7 of rows 4 to 10.
    const std::vector<bool>& grid = levels.FindLevel("stage3_1")->WalkGrid;
    EXPECT_TRUE(grid[16 * 7 + 4] && grid[16 * 7 + 10]);
    EXPECT_FALSE(grid[16 * 4 + 7] || grid[16 * 10 + 7]);
    EXPECT_TRUE(levels.FindLevel("other_1")->StageName.empty());
    EXPECT_GE(levels.FindLevel("other_1")->FloorQuad.size(), 4u);

    const std::pair<const char*, const char*> bonusLevels[] = {
        {"bonus_place_in_1", "bonus_place_in"},   {"bonus_place_in_2", "bonus_place_in"},
        {"bonus_ispy_1", "bonus_ispy"},           {"bonus_ispy_dark_1", "bonus_ispy_dark"},
        {"bonus_ispy_dark_2", "bonus_ispy_dark"}, {"bonus_diference_1", "bonus_diference"},
    };
    for (const auto& [name, kind] : bonusLevels) {
        const CLevelInfo* level = levels.FindLevel(name);
        ASSERT_NE(level, nullptr) << name;
        EXPECT_EQ(level->StageName, kind);
        EXPECT_FALSE(level->Objects.empty()) << name;
    }

    // Every name the tables use leads to a record; the kitchen's stage levels have a full floor.
    for (const auto& [name, level] : levels.Levels) {
        if (levels.FindStage(level.StageName)) {
            EXPECT_EQ(level.WalkGrid.size(), 256u) << name;
            EXPECT_FALSE(level.WalkGrid[16 * level.ScorePoint.X + level.ScorePoint.Y]) << name;
        }
        for (const COrderInfo& order : level.Orders) {
            const bool customer = order.Kind != 1 && order.Kind != 2;  // 1 and 2 mark a run
            if (customer) {
                EXPECT_NE(levels.FindRecept(order.Recept), nullptr) << name;
            }
        }
        for (const CLevelBonusEntry& bonus : level.Bonuses)
            EXPECT_EQ(levels.Bonuses.count(bonus.BonusId), 1u);
        for (const CPlacedObjectInfo& object : level.Objects)
            EXPECT_NE(s.lib.FindIngridient(object.Name), nullptr) << name << " " << object.Name;
    }
    // The recipes only hidden-object levels order: lists of things to find, every one taken from an
    // object of each level that orders it; no kitchen level orders them (the level shuffles them).
    std::set<std::string> findLists;
    for (const auto& [name, level] : levels.Levels)
        if (level.StageName == "bonus_ispy" || level.StageName == "bonus_ispy_dark")
            for (const COrderInfo& order : level.Orders) findLists.insert(order.Recept);
    EXPECT_FALSE(findLists.empty());
    for (const auto& [name, level] : levels.Levels) {
        const bool hiddenObject = level.StageName == "bonus_ispy" || level.StageName == "bonus_ispy_dark";
        for (const COrderInfo& order : level.Orders) {
            if (!findLists.count(order.Recept)) continue;
            EXPECT_TRUE(hiddenObject) << name << " orders " << order.Recept;
            const CReceptInfo* list = levels.FindRecept(order.Recept);
            if (!list) continue;
            for (const CReceptItemInfo& item : list->Items)
                EXPECT_TRUE(std::any_of(level.Objects.begin(), level.Objects.end(),
                                        [&](const CPlacedObjectInfo& o) { return o.Name == item.Name; }))
                    << name << " hides no " << item.Name;
        }
    }
    int tipless = 0;
    for (const auto& [name, recept] : levels.Recepts) {
        tipless += recept.Tips == 0;
        EXPECT_GE(recept.Items.size(), 2u) << name;
        if (findLists.count(name)) {
            for (const CReceptItemInfo& item : recept.Items) {
                EXPECT_EQ(item.Value, 0) << name;
                const CIngridientInfo* object = s.lib.FindIngridient(item.Name);
                EXPECT_TRUE(object && object->Kind == 0) << item.Name;
            }
            continue;
        }
        // Every dish needs work at a device and has a side that is only taken.
        const auto work = std::count_if(recept.Items.begin(), recept.Items.end(),
                                        [](const CReceptItemInfo& item) { return item.Value > 0; });
        EXPECT_GE(work, 1) << name;
        EXPECT_LT(static_cast<std::size_t>(work), recept.Items.size()) << name;
        for (const CReceptItemInfo& item : recept.Items) {
            const CIngridientInfo* object = s.lib.FindIngridient(item.Name);
            ASSERT_NE(object, nullptr) << item.Name;
            // A device's item is matched by the device; a side is taken from a place of kind 0.
            if (item.Value > 0)
                EXPECT_TRUE(MatchesReceptItem(*object, item, s.lib)) << item.Name;
            else
                EXPECT_EQ(object->Kind, 0) << item.Name;
        }
    }
    EXPECT_EQ(tipless, 1);
    // Every recipe has its pages in the cook book; the book has a chapter per stage and one more.
    for (const auto& [name, recept] : levels.Recepts) {
        EXPECT_TRUE(
            std::any_of(levels.CookBook.begin(), levels.CookBook.end(),
                        [&](const CCookBookEntry& entry) { return entry.Name == name && !entry.Flag1; }))
            << name;
    }
    EXPECT_EQ(std::count_if(levels.CookBook.begin(), levels.CookBook.end(),
                            [](const CCookBookEntry& entry) { return entry.Flag2; }),
              static_cast<std::ptrdiff_t>(stages.size() + 1));

    for (const char* device :
         {"Devices.saucepan", "Devices.griddle", "Devices.micro_wave", "Devices.electric_stove_4"})
        EXPECT_FALSE(s.lib.FindIngridient(device)->Label2.empty()) << device;
    EXPECT_EQ(s.lib.FindIngridient("Scenery.window")->Kind, 0);
    const CCellMaskInfo& mask = s.lib.FindIngridient("Bonus.vase")->Mask;
    EXPECT_TRUE(s.lib.FindIngridient("Bonus.vase")->PixelHitTest);
    EXPECT_EQ(mask.Cells.size(), size_t(mask.Value1 * mask.Value4));
    EXPECT_EQ(s.lib.FindFrameGrid("icons")->Columns(), 4);

    EXPECT_EQ(Written(levels, &WriteLevelsData), s.levelsBytes);
    EXPECT_EQ(Written(s.lib, &WriteLibData), s.libBytes);
}

// Where each top-level count of a written file lies: the bytes of everything before it.
std::vector<size_t> LevelsSectionOffsets(const CLevelsData& full) {
    std::vector<size_t> offsets;
    for (int sections = 0; sections < 6; ++sections) {
        CLevelsData before;
        before.TestLevelName = full.TestLevelName;
        if (sections > 0) before.Bonuses = full.Bonuses;
        if (sections > 1) before.Recepts = full.Recepts;
        if (sections > 2)
            for (const std::string& name : full.StageOrder()) before.PutStage(full.Stages().at(name));
        if (sections > 3) before.Levels = full.Levels;
        if (sections > 4) before.CookBook = full.CookBook;
        offsets.push_back(Written(before, &WriteLevelsData).size() - 4 * (6 - sections));
    }
    return offsets;
}

// How many of the file's cuts (every length below its own) the parser refuses. One buffer is cut
// shorter each time instead of copied, so that the long file's thousands of cuts stay quick.
template <class T>
size_t RefusedCuts(Bytes file, T& tables, bool (*parse)(GF::CInputStream&, T&, std::string&)) {
    size_t refused = 0;
    std::string why;
    while (!file.empty()) {
        file.pop_back();
        GF::CMemoryInputStream in(std::move(file));
        refused += !parse(in, tables, why);
        file = std::move(in.data);
    }
    return refused;
}

// The file cut short by one byte, and a count of 0x7FFFFFFF at each offset.
std::vector<Bytes> Forged(const Bytes& file, const std::vector<size_t>& countOffsets) {
    std::vector<Bytes> forged = {Bytes(file.begin(), file.end() - 1)};
    for (size_t offset : countOffsets) {
        Bytes bytes = file;
        const unsigned char huge[] = {0x7F, 0xFF, 0xFF, 0xFF};
        std::copy(std::begin(huge), std::end(huge), bytes.begin() + long(offset));
        forged.push_back(bytes);
    }
    return forged;
}

// Each file reaches the program's reader through the engine's loader, as at start-up.
void ExpectRefused(CRecordingEngine& engine, const std::string& file, const std::vector<Bytes>& inputs,
                   bool (*read)(GF::THolder<GF::IDataInputStream>)) {
    for (size_t i = 0; i < inputs.size(); ++i) {
        engine.AddResource("Binary\\" + file, inputs[i]);
        GF::THolder<GF::IDataInputStream> stream = GF::CreateBlobReader();
        ASSERT_TRUE(stream->Open(("Binary\\" + file).c_str()));
        engine.log.clear();
        EXPECT_FALSE(read(stream)) << file << " " << i;
        EXPECT_TRUE(engine.HasLog(file + ": ")) << file << " " << i;
    }
}

TEST(SampleContent, CutOrOversizedFilesAreRefusedLoggedAndLeaveTheTables) {
    CSamples s;
    ASSERT_TRUE(s.ok);
    CRecordingEngine engine;
    CLevelsData& levels = GetLevelsData();
    CLibData& lib = GetLibData();
    levels = s.levels;
    lib = s.lib;
    const CLevelInfo* held = levels.FindLevel("stage1_1");
    const CIngridientInfo* heldObject = lib.FindIngridient("Devices.saucepan");

    // Every cut of both files, shortest last, parsed straight into the program's tables.
    EXPECT_EQ(RefusedCuts(s.levelsBytes, levels, &ParseLevelsData), s.levelsBytes.size());
    EXPECT_EQ(RefusedCuts(s.libBytes, lib, &ParseLibData), s.libBytes.size());

    // A count of 0x7FFFFFFF in each section, and a cut file, through the program's readers.
    const std::vector<size_t> offsets = LevelsSectionOffsets(s.levels);
    const size_t counts[] = {s.levels.Bonuses.size(),      s.levels.Recepts.size(),
                             s.levels.StageOrder().size(), s.levels.Levels.size(),
                             s.levels.CookBook.size(),     s.levels.CookBookValues.size()};
    for (size_t k = 0; k < offsets.size(); ++k) {  // the offsets found are the counts'
        const unsigned char* at = s.levelsBytes.data() + offsets[k];
        EXPECT_EQ(size_t(at[0] << 24 | at[1] << 16 | at[2] << 8 | at[3]), counts[k]) << k;
    }
    ExpectRefused(engine, "levelsdata.bin", Forged(s.levelsBytes, offsets), &ReadLevelsData);
    CLibData gridsOnly;
    gridsOnly.FrameGrids = s.lib.FrameGrids;
    ExpectRefused(engine, "libdata.bin",
                  Forged(s.libBytes, {0, Written(gridsOnly, &WriteLibData).size() - 4}), &ReadLibData);

    EXPECT_EQ(levels.FindLevel("stage1_1"), held);
    EXPECT_EQ(lib.FindIngridient("Devices.saucepan"), heldObject);
    EXPECT_EQ(Written(levels, &WriteLevelsData), s.levelsBytes);
    EXPECT_EQ(Written(lib, &WriteLibData), s.libBytes);
    levels = CLevelsData();
    lib = CLibData();
}

}  // namespace
