#include <gtest/gtest.h>

#include "engine/Log.h"
#include "engine/ResourcePacks.h"
#include "framework/core/DataStreams.h"
#include "framework/core/MemoryStreams.h"
#include "game/app/GameData.h"
#include "tests/support/DataBytes.h"
#include "tests/support/RecordingEngine.h"

namespace {

using Bytes = std::vector<unsigned char>;

// One expression node without children.
CDataBytes& Leaf(CDataBytes& b, int32_t kind, float number, int32_t variable) {
    return b.I32(1).Str("").I32(kind).F32(number).I32(variable).N32(0);
}

// A whole "gamedata.bin" written field by field. The loose form has duplicate keys out of order, a
// flag byte of 7, skipped point bytes of 0x5A and bytes after the last section; the canonical form is
// what the game's writer makes of it.
Bytes HandWrittenGameData(bool canonical) {
    const unsigned char skip = canonical ? 0 : 0x5A;
    CDataBytes b;
    // 1 sounds: the later of two records with key 3 wins
    if (canonical) {
        b.N32(2).Str("click").I32(2).Str("hover").I32(3);
    } else {
        b.N32(3).Str("old").I32(3).Str("click").I32(2).Str("hover").I32(3);
    }
    b.Raw({0x00, 0x00, 0x80, 0x3F});                                           // 2 bookPageTime 1.0
    b.N32(2).I32(0).I32(1).Raw({0x00, 0x00, 0x00, 0x01}).F32(4000).I32(8000);  // 3 persParams, persLayer 1
    b.F32(250).I32(60).I32(0).I32(0).I32(400).F32(2000).I32(500).I32(70).F32(700).F32(1).F32(2).F32(
        450);                                                                                       // 4
    b.F32(60).F32(1500).N32(1).I32(3).F32(10).F32(1).F32(1).F32(0.5f).F32(1).F32(9).F32(8).F32(7);  // 5
    for (int i = 1; i <= 20; ++i) (i == 3 ? b.F32(740) : b.I32(i));  // 6 zacazParams (floats by their bits)
    b.I32(100).F32(56).I32(3);                                       // 7
    b.N32(0).F32(1).F32(90).F32(400).F32(40).F32(800);               // 8 rivalParams
    // 9 hints: a balloon hint that leads to hint 1
    b.N32(1).I32(1).Str("hint_take").B8(canonical ? 1 : 7).I32(4).B8(0).I32(-1).B8(1).Str("balloon.hint");
    // 10 deform grids: one frame of a row of two points and an empty row
    b.N32(1).Str("map").N32(1).I32(1).I32(2).F32(0.5f).N32(2);
    b.N32(2).B8(skip).F32(1).F32(2).B8(skip).F32(3).F32(4).N32(0);
    // 11 fly paths
    b.N32(1).Str("spiral").N32(1).B8(skip).F32(0.25f).F32(-1);
    // 12 the store with one profile that has something in every map
    b.I32(2).Raw({0x02, 0x00, 0x41, 0x00, 0x42}).N32(1);
    b.N32(1).Str("comics_1").B8(1);                                                // flags
    b.N32(1).I32(0).I32(2);                                                        // hintShows
    b.N32(1).Str("stage1_1").F32(5).I32(1).B8(1).F32(900).N32(1).I32(6).F32(250);  // levels
    if (canonical) {
        b.N32(2).I32(1).F32(1).I32(7).F32(60);  // floatVars
    } else {
        b.N32(3).I32(7).F32(60).I32(1).F32(9).I32(1).F32(1);
    }
    b.N32(1).I32(11).Raw({0x02, 0x61, 0x62});  // stringVars 11 = "ab"
    b.WStr(u"AB");
    b.N32(1).Str("tomato").B8(1);                     // flags2
    b.N32(1).Str("pan").Str("stage1").N32(1).I32(3);  // names, stageName, stageList
    b.N32(1).Str("stage1").Str("t").I32(2).I32(1);    // stages
    b.N32(1).Str("e").F32(1.5f);                      // extras
    // 13 one rule with a condition whose expression compares variable 7 with 1.0
    b.N32(1).B8(1).Str("None").Str("None").Str("def_settings").Str("None").B8(0).Str("").B8(1).Str("x").B8(0);
    b.N32(1).I32(1).Str("").I32(22).F32(0).I32(0).N32(2);
    Leaf(b, 2, 0, 7);
    Leaf(b, 1, 1, 0);
    b.I32(0).I32(0).I32(1).F32(0).Str("").N32(0);
    // 14 the expression "test"
    b.N32(1);
    Leaf(b, 1, 0, 0).Str("test");
    if (!canonical) b.Raw({0xEE, 0xEE});
    return b.bytes;
}

Bytes Written(const CGameData& data) {
    GF::CMemoryOutputStream out;
    WriteGameData(out, data);
    return out.data;
}

bool Parse(const Bytes& bytes, CGameData& data, std::string& why) {
    GF::CMemoryInputStream in(bytes);
    return ParseGameData(in, data, why);
}

// The built sample "Binary\gamedata.bin" out of resource.dat.
Bytes SampleGameData() {
    Engine::CLog log;
    Engine::CResourcePacks packs(log, QUINDLE_TEST_DATA_DIR);
    if (!packs.Attach("resource.dat")) return {};
    size_t size = 0;
    void* block = packs.Load("Binary\\gamedata.bin", &size, Engine::kMaxDataFileBytes);
    if (!block) return {};
    Bytes bytes(static_cast<unsigned char*>(block), static_cast<unsigned char*>(block) + size);
    Engine::CResourcePacks::Free(block);
    return bytes;
}

// An expression whose longest path has `depth` nodes.
CExpressionNode Chain(int depth) {
    CExpressionNode node;
    node.kind = 1;
    for (int i = 1; i < depth; ++i) {
        CExpressionNode parent;
        parent.kind = 0;
        parent.children.push_back(std::move(node));
        node = std::move(parent);
    }
    return node;
}

// Writes like the game's writer and notes where each top-level list or table count lies.
struct CCountOffsets {
    std::vector<size_t> offsets;
    GF::CMemoryOutputStream out;
    CBinaryWriter writer{out};
    void Int(const char* k, const int32_t& v) { writer.Int(k, v); }
    void Float(const char* k, const float& v) { writer.Float(k, v); }
    void Flag(const char* k, const bool& v) { writer.Flag(k, v); }
    void String(const char* k, const std::string& v) { writer.String(k, v); }
    void WString(const char* k, const GF::WString& v) { writer.WString(k, v); }
    template <class R>
    void Record(const char*, R& r) {
        r.Visit(*this);
    }
    template <class... A>
    void List(const char* k, A&... a) {
        offsets.push_back(out.data.size());
        writer.List(k, a...);
    }
    template <class M, class K>
    void Table(const char* k, M& m, K key) {
        offsets.push_back(out.data.size());
        writer.Table(k, m, key);
    }
};

}  // namespace

TEST(GameData, HandWrittenFileReadsIntoTheNamedFieldsAndWritesBackCanonically) {
    CGameData data;
    std::string why;
    ASSERT_TRUE(Parse(HandWrittenGameData(false), data, why)) << why;

    EXPECT_EQ(data.sounds.size(), 2u);
    EXPECT_EQ(data.sounds.at(3).name, "hover");
    EXPECT_EQ(data.bookPageTime, 1.0f);
    EXPECT_EQ(data.persParams.persLayer, 1);
    EXPECT_EQ(data.fieldParams.flyTime, 450.0f);
    EXPECT_EQ(data.bonusParams.cookFactor, 0.5f);
    EXPECT_EQ(data.bonusParams.series, (std::vector<CSeriesEntry>{{3, 10.0f}}));
    EXPECT_EQ(data.zacazParams.columnX, 740.0f);
    EXPECT_EQ(data.zacazParams.workingColour, 20);
    EXPECT_EQ(data.helpValue, 3);
    EXPECT_EQ(data.rivalParams.stepInterval, 800.0f);

    ASSERT_EQ(data.hints.size(), 1u);
    const CHintInfo& hint = data.hints[0];
    EXPECT_EQ(hint.id, 1);
    EXPECT_TRUE(hint.flag);
    EXPECT_EQ(hint.trigger, 4);
    EXPECT_FALSE(hint.flag2);
    EXPECT_EQ(hint.maxShows, -1);
    EXPECT_TRUE(hint.flag3);
    EXPECT_EQ(hint.text, "balloon.hint");

    const CDeformGridFrame& frame = data.deformGrids.at("map").frames.at(0);
    EXPECT_EQ(frame.time, 0.5f);
    ASSERT_EQ(frame.rows.size(), 2u);
    EXPECT_EQ(frame.rows[0], (std::vector<CMarkedPoint>{{1, 2}, {3, 4}}));
    EXPECT_TRUE(frame.rows[1].empty());
    EXPECT_EQ(data.flyPaths.at("spiral").points, (std::vector<CMarkedPoint>{{0.25f, -1}}));

    EXPECT_EQ(data.players.version, 2);
    EXPECT_EQ(data.players.currentName, u"AB");
    const CPlayerProfile& profile = data.players.players.at(u"AB");
    EXPECT_EQ(profile.flags.at("comics_1"), true);
    EXPECT_EQ(profile.hintShows.at(0), 2);
    const CLevelProgress& level = profile.levels.at("stage1_1");
    EXPECT_EQ(level, (CLevelProgress{5, 1, true, 900, {{6, 250.0f}}}));
    EXPECT_EQ(profile.floatVars, (std::unordered_map<int32_t, float>{{1, 1.0f}, {7, 60.0f}}));
    EXPECT_EQ(profile.stringVars.at(11), "ab");
    EXPECT_EQ(profile.flags2.at("tomato"), true);
    EXPECT_EQ(profile.names, std::vector<std::string>{"pan"});
    EXPECT_EQ(profile.stageName, "stage1");
    EXPECT_EQ(profile.stageList, std::vector<int32_t>{3});
    EXPECT_EQ(profile.stages.at("stage1"), (CStageProgress{"t", 2, 1}));
    EXPECT_EQ(data.players.extras, (std::vector<CStoreExtra>{{"e", 1.5f}}));

    ASSERT_EQ(data.flowRules.size(), 1u);
    const CFlowRule& rule = data.flowRules[0];
    EXPECT_EQ(rule.argument, "def_settings");
    EXPECT_TRUE(rule.switchKind);
    EXPECT_EQ(rule.switchName, "x");
    ASSERT_EQ(rule.conditions.size(), 1u);
    const CExpressionNode& compare = rule.conditions[0].expression;
    EXPECT_EQ(compare.kind, 22);
    ASSERT_EQ(compare.children.size(), 2u);
    EXPECT_EQ(compare.children[0].variable, 7);
    EXPECT_EQ(compare.children[1].number, 1.0f);
    EXPECT_EQ(rule.conditions[0].valueType, 1);
    EXPECT_TRUE(rule.actions.empty());
    EXPECT_EQ(data.expressions.at("test").name, "test");

    EXPECT_EQ(Written(data), HandWrittenGameData(true));
}

TEST(GameData, SampleFromTheArchiveFillsEveryTableAndWritesBackByteForByte) {
    const Bytes sample = SampleGameData();
    ASSERT_FALSE(sample.empty());
    CRecordingEngine engine;
    engine.AddResource("Binary\\gamedata.bin", sample);
    GF::THolder<GF::IDataInputStream> stream = GF::CreateBlobReader();
    ASSERT_TRUE(stream->Open("Binary\\gamedata.bin"));
    ASSERT_TRUE(ReadGameData(stream));

    const CGameData& data = GetGameData();
    EXPECT_EQ(data.sounds.at(2).name, "button_click");
    EXPECT_EQ(data.sounds.at(3).name, "button_hover");
    EXPECT_EQ(data.hints.size(), 17u);
    EXPECT_EQ(data.deformGrids.count("map"), 1u);
    EXPECT_EQ(data.flyPaths.count("spiral"), 1u);
    EXPECT_EQ(data.flyPaths.count("shade_open_2"), 1u);
    EXPECT_GE(data.flowRules.size(), 2u);  // each screen adds the rows it needs
    EXPECT_EQ(data.expressions.count("test"), 1u);
    EXPECT_EQ(data.bonusParams.stepTime, 60.0f);
    EXPECT_EQ(data.zacazParams.customersAtOnce, 3);
    EXPECT_EQ(data.persParams.dresses.size(), 12u);
    EXPECT_EQ(data.players.version, 2);
    const CPlayerProfile& player = data.players.players.at(u"");
    EXPECT_EQ(player.stageName, "stage1");
    EXPECT_EQ(player.floatVars,
              (std::unordered_map<int32_t, float>{{0, 1}, {1, 1}, {7, 60}, {8, 100}, {9, 0}, {10, 0}}));

    EXPECT_EQ(Written(data), sample);
    const CGameData once = data;
    stream = GF::CreateBlobReader();
    ASSERT_TRUE(stream->Open("Binary\\gamedata.bin"));
    ASSERT_TRUE(ReadGameData(stream));
    EXPECT_EQ(GetGameData(), once);
}

TEST(GameData, DamagedFilesAreRefusedAndLoggedAndTheDatabaseKept) {
    const Bytes sample = SampleGameData();
    ASSERT_FALSE(sample.empty());
    CGameData sampleData;
    std::string why;
    ASSERT_TRUE(Parse(sample, sampleData, why)) << why;

    // Cut at every length: refused, nothing of it taken. One buffer is cut shorter each time instead
    // of copied, and each cut is read over a small database of other content (anything taken from
    // the cut, or a table cleared, shows in it), so that the thousands of cuts stay quick.
    CGameData small;
    ASSERT_TRUE(Parse(HandWrittenGameData(false), small, why)) << why;
    ASSERT_NE(small, sampleData);
    Bytes cut = sample;
    while (!cut.empty()) {
        cut.pop_back();
        CGameData data = small;
        ASSERT_FALSE(Parse(cut, data, why)) << cut.size();
        ASSERT_EQ(data, small) << cut.size();
    }

    // A count of 0x7FFFFFFF in place of each top-level count of the sample.
    CCountOffsets counts;
    sampleData.Visit(counts);
    ASSERT_EQ(counts.out.data, sample);
    EXPECT_EQ(counts.offsets.size(), 11u);  // sections 1, 3, 5, 8, 9, 10, 11, 12 (two), 13, 14
    CRecordingEngine engine;
    for (size_t offset : counts.offsets) {
        Bytes forged = sample;
        forged[offset] = 0x7F;
        forged[offset + 1] = forged[offset + 2] = forged[offset + 3] = 0xFF;
        engine.AddResource("Binary\\gamedata.bin", forged);
        GF::THolder<GF::IDataInputStream> stream = GF::CreateBlobReader();
        ASSERT_TRUE(stream->Open("Binary\\gamedata.bin"));
        GetGameData() = sampleData;
        engine.log.clear();
        EXPECT_FALSE(ReadGameData(stream)) << offset;
        EXPECT_TRUE(engine.HasLog("gamedata.bin: ")) << offset;
        EXPECT_TRUE(engine.HasLog("count 2147483647 cannot fit")) << offset;
        EXPECT_EQ(GetGameData(), sampleData) << offset;
    }

    // Expression trees: a path of 32 nodes reads, 33 is refused.
    for (int depth : {32, 33}) {
        CGameData deep = sampleData;
        deep.expressions["test"].root = Chain(depth);
        CGameData data = sampleData;
        EXPECT_EQ(Parse(Written(deep), data, why), depth == 32) << depth;
        EXPECT_EQ(data, depth == 32 ? deep : sampleData);
        if (depth == 33) {
            EXPECT_EQ(why.rfind("expressions[0].root.children[0].children[0]", 0), 0u) << why;
            EXPECT_NE(why.find(": nested deeper than 32"), std::string::npos) << why;
        }
    }
}
