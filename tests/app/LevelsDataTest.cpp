#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "framework/core/MemoryStreams.h"
#include "game/app/LevelsData.h"
#include "tests/support/DataBytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

// One file with a record of every kind. As it is read: the placed object's ignored bytes non-zero and
// a walk-grid flag of 2; as it is written: those bytes 0 and the flag 1.
Bytes LevelsFile(bool asRead) {
    const uint8_t ignored = asRead ? 0xAB : 0;
    CDataBytes b;
    b.Str("stage1_1");
    // Bonus kinds: "slow", 1000 ms (00 00 7A 44), kind 2.
    b.I32(1).Str("slow").Str("bonus.slow").Raw({0x00, 0x00, 0x7A, 0x44}).I32(2);
    // Recipes: one, with two numbers and one item.
    b.I32(1).Str("r1").WStr(u"Soup").I32(1).I32(2).I32(0).Str("pic").WStr(u"Hot soup").I32(2).I32(5).I32(6);
    b.Str("soup").I32(7).I32(1).WStr(u"pot").I32(3000).Str("Devices.saucepan");
    // Stages.
    b.I32(1).I32(2).I32(1).I32(3).I32(1).Str("stage1");
    // Levels: one, random bonuses, number 1.
    b.I32(1).B8(1).I32(1).I32(1).Str("Places.bread").I32(0);
    b.I32(1).I32(2).Raw({0x00, 0x00, 0x80, 0x3F});  // bonus entry: kind 2, time 1.0
    b.I32(1).I32(100).I32(6);                       // progress: 100 points for the player
    b.B8(1).I32(8).I32(10);                         // score point
    b.Str("levels.kitchen_1").Str("stage1").Str("").Str("stage1_1").Raw({0x00, 0x40, 0x1C, 0x46});  // 10000
                                                                                                    // ms
    b.I32(1).Raw({0x00, 0x00, 0x00, 0x40}).I32(3).I32(20).I32(100).Str("soup").I32(30);  // one order
    b.I32(-1);
    b.I32(3).B8(0).B8(asRead ? 2 : 1).B8(1);                               // a short walk grid
    b.I32(1).Raw({0x00, 0x00, 0xC8, 0x42}).Raw({0x00, 0x00, 0x48, 0x43});  // (100, 200)
    b.B8(0);
    // One placed object, its floats numbered 1 to 16 in file order, opacity (the fourth after the
    // flags) written by hand as 0.5.
    b.I32(1).Str("Devices.saucepan").F32(1).F32(2).B8(1).B8(0).B8(ignored);
    b.F32(3).F32(4).F32(5).Raw({0, 0, 0, 0x3F}).F32(7).I32(-5).F32(8).B8(ignored);
    b.F32(9).F32(10).F32(11).B8(ignored).F32(12).F32(13).B8(ignored).F32(14).F32(15);
    // Cook book: one chapter entry with one item; then the values 0 and 200.
    b.I32(1).B8(1).B8(1).I32(1);
    b.B8(0).I32(2).B8(0).B8(1).Raw({0, 0, 0x80, 0x3F}).Raw({0, 0, 0, 0x40}).I32(1).Raw({0, 0, 0, 0});
    b.WStr(u"key").B8(0).B8(1).I32(2).Str("cookingbook.soup").Raw({0x00, 0x00, 0x20, 0x41});
    b.Str("soup");
    b.I32(2).Raw({0, 0, 0, 0}).Raw({0x00, 0x00, 0x48, 0x43});
    return b.bytes;
}

TEST(LevelsDataFile, HandWrittenBytesReadFieldByFieldAndWriteBackTheSame) {
    GF::CMemoryInputStream in(LevelsFile(true));
    CLevelsData data;
    std::string why;
    ASSERT_TRUE(ParseLevelsData(in, data, why)) << why;

    EXPECT_EQ(data.TestLevelName, "stage1_1");
    const CBonusInfo& bonus = data.Bonuses.at(2);
    EXPECT_EQ(bonus.Name, "slow");
    EXPECT_EQ(bonus.Duration, 1000.0f);
    const CReceptInfo* soup = data.FindRecept("soup");
    ASSERT_NE(soup, nullptr);
    EXPECT_EQ(soup->Caption, u"Soup");
    EXPECT_EQ(soup->Numbers, (std::vector<int32_t>{5, 6}));
    ASSERT_EQ(soup->Items.size(), 1u);
    EXPECT_EQ(soup->Items[0].Value, 3000);
    EXPECT_EQ(soup->Items[0].Name, "Devices.saucepan");
    EXPECT_EQ(data.StageOrder(), std::vector<std::string>{"stage1"});
    EXPECT_EQ(data.FindStage("stage1")->Dresses, std::vector<int32_t>{3});

    const CLevelInfo* level = data.FindLevel("stage1_1");
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->RandomBonuses);
    ASSERT_EQ(level->Bonuses.size(), 1u);
    EXPECT_EQ(level->Bonuses[0].Time, 1.0f);
    EXPECT_EQ(level->ProgressValues[0].Slot, 6);
    EXPECT_EQ(level->ScorePoint.X, 8);
    EXPECT_EQ(level->ScorePoint.Y, 10);
    EXPECT_EQ(level->Duration, 10000.0f);
    EXPECT_EQ(level->AuxValue, -1);
    ASSERT_EQ(level->Orders.size(), 1u);
    EXPECT_EQ(level->Orders[0].Time, 2.0f);
    EXPECT_EQ(level->Orders[0].Kind, 100);
    EXPECT_EQ(level->Orders[0].PatienceSeconds, 30);
    EXPECT_EQ(level->WalkGrid, (std::vector<bool>{false, true, true}));  // byte 2 is true
    EXPECT_EQ(level->FloorQuad, (std::vector<GF::TPoint<float>>{{100.0f, 200.0f}}));
    ASSERT_EQ(level->Objects.size(), 1u);
    const CPlacedObjectInfo& pot = level->Objects[0];
    EXPECT_TRUE(pot.Flag1 && !pot.Flag2);
    EXPECT_EQ(pot.Layer, -5);
    const float floats[] = {pot.AuxX,    pot.AuxY,      pot.ScaleX,   pot.ScaleY, pot.AuxValue1,
                            pot.Opacity, pot.AuxValue2, pot.Rotation, pot.X,      pot.Y,
                            pot.Extra1,  pot.Extra2,    pot.Extra3,   pot.Extra4, pot.Extra5};
    const float expected[] = {1, 2, 3, 4, 5, 0.5f, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_TRUE(std::equal(std::begin(floats), std::end(floats), std::begin(expected)));

    ASSERT_EQ(data.CookBook.size(), 1u);
    EXPECT_TRUE(data.CookBook[0].Flag2);
    const CCookBookItem& item = data.CookBook[0].Items.at(0);
    EXPECT_EQ(item.ValueIndex, 1);
    EXPECT_EQ(item.Text, u"key");
    EXPECT_EQ(item.Name, "cookingbook.soup");
    EXPECT_EQ(item.Value4, 10.0f);
    EXPECT_EQ(data.CookBookValues, (std::vector<float>{0.0f, 200.0f}));

    GF::CMemoryOutputStream out;
    WriteLevelsData(out, data);
    EXPECT_EQ(out.data, LevelsFile(false));
}

// A level of the given name and number with nothing else in it.
void EmptyLevel(CDataBytes& b, const std::string& name, int32_t number) {
    b.B8(0).I32(number).I32(0).I32(0).I32(0).I32(0).B8(0).I32(0).I32(0).Str("").Str("").Str("").Str(name);
    b.I32(0).I32(0).I32(0).I32(0).I32(0).B8(0).I32(0);
}

TEST(LevelsDataFile, EmptySectionsAndRepeatedNames) {
    CDataBytes empty;
    empty.Str("").I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
    GF::CMemoryInputStream emptyIn(empty.bytes);
    CLevelsData data;
    std::string why;
    ASSERT_TRUE(ParseLevelsData(emptyIn, data, why)) << why;
    EXPECT_TRUE(data.TestLevelName.empty());
    EXPECT_TRUE(data.Levels.empty() && data.Stages().empty() && data.CookBook.empty());

    // The later level of one name wins; a stage named twice keeps its first place.
    CDataBytes twice;
    twice.Str("").I32(0).I32(0);
    twice.I32(3).I32(1).I32(0).I32(1).Str("b").I32(2).I32(0).I32(2).Str("a").I32(3).I32(0).I32(3).Str("b");
    twice.I32(2);
    EmptyLevel(twice, "stage1_1", 1);
    EmptyLevel(twice, "stage1_1", 2);
    twice.I32(0).I32(0);
    GF::CMemoryInputStream twiceIn(twice.bytes);
    CLevelsData repeated;
    ASSERT_TRUE(ParseLevelsData(twiceIn, repeated, why)) << why;
    EXPECT_EQ(repeated.Levels.size(), 1u);
    EXPECT_EQ(repeated.FindLevel("stage1_1")->Number, 2);
    EXPECT_EQ(repeated.StageOrder(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(repeated.FindStage("b")->Number, 3);

    // A level introducing two million ingredients of empty names: two megabytes in the file, more
    // than sixty in memory. Refused by name, the tables as they were.
    CDataBytes many;
    many.Str("").I32(0).I32(0).I32(0).I32(1).B8(0).I32(1).N32(2u << 20);
    many.bytes.resize(many.bytes.size() + (2u << 20), 0);
    many.I32(0).I32(0).I32(0).B8(0).I32(0).I32(0).Str("").Str("").Str("").Str("stage1_1");
    many.I32(0).I32(0).I32(0).I32(0).I32(0).B8(0).I32(0).I32(0).I32(0);
    GF::CMemoryInputStream manyIn(many.bytes);
    EXPECT_FALSE(ParseLevelsData(manyIn, repeated, why));
    EXPECT_EQ(why, "Levels[0].NewIngridients: count 2097152 takes the file's lists past 32 MB");
    EXPECT_EQ(repeated.FindLevel("stage1_1")->Number, 2);
}

}  // namespace
