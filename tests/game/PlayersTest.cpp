#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <list>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/gui/CustomCursor.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/SampleFiles.h"

using GF::WString;

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// A packed sample file; the screens' fixture points the data folder elsewhere meanwhile.
std::vector<unsigned char> Sample(const std::string& name) {
    CScopedEnv dataFolder{"QUINDLE_DATA_DIR", std::string(QUINDLE_TEST_DATA_DIR)};
    return LoadSampleFile(name);
}

// The sample game database in the game database's place, the settings file in a fresh folder, and
// the game's part of it written as the application does: the player store after the framework's
// four integers. The sample resource script is loaded, so the drawn cursor can be switched on.
class CPlayersFixture : public CGuiFixture {
protected:
    CPlayersFixture() {
        GF::CMemoryInputStream in(Sample("Binary/gamedata.bin"));
        CGameData sample;
        std::string why;
        EXPECT_TRUE(ParseGameData(in, sample, why)) << why;
        GetGameData() = sample;
        manager->GetSettingsSaveEvent().Add(GF::CreateDelegate(this, &CPlayersFixture::OnSave));
    }
    ~CPlayersFixture() override { GetGameData() = m_saved; }

    void OnSave(GF::THolder<GF::IDataOutputStream> stream) {
        ++saves;
        SavePlayerStore(*stream, GetGameData().players);
    }
    // The store as the settings file holds it now.
    CPlayerStore Saved() const {
        std::vector<unsigned char> bytes = ReadBytes(settings / "Setting");
        CPlayerStore store;
        std::string why;
        if (bytes.size() < 16) return store;
        GF::CMemoryInputStream in(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
        EXPECT_TRUE(LoadPlayerStore(in, store, why)) << why;
        return store;
    }
    static std::list<WString> NamesIn(const CPlayerStore& store) {
        std::list<WString> names;
        for (const auto& [name, profile] : store.players) names.push_back(name);
        names.sort();
        return names;
    }
    static const WString& Current() { return GetGameData().players.currentName; }

    const CGameData m_saved = GetGameData();
    CTempFolder settings{"quindle-players"};
    CScopedEnv saveFolder{"QUINDLE_SAVE_DIR", settings.Path()};
    int saves = 0;
};

using PlayersTest = CPlayersFixture;

TEST_F(PlayersTest, AHouseholdIsAddedListedSwitchedAndDeletedWithTheStoreSavedAtEachChange) {
    const CPlayerProfile defaults = GetCurrentPlayer();
    ASSERT_EQ(Current(), u"");
    ASSERT_FALSE(defaults.stageName.empty());
    GetCurrentPlayer().stringVars[20] = "shade_open";
    GetCurrentPlayer().stringVars[21] = "shade_close";
    GetCurrentPlayer().stringVars[28] = "replay";

    for (const WString name : {u"Bx", u"ax", u"Ay"}) EXPECT_TRUE(AddPlayer(name));
    EXPECT_EQ(saves, 3);
    for (const WString name : {u"Bx", u"ax", u"Ay"}) {
        const CPlayerProfile* player = FindPlayer(name);
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->floatVars, defaults.floatVars);
        EXPECT_EQ(player->stageName, defaults.stageName);
    }
    // The pending values went along to each newest player.
    CPlayerProfile& newest = *FindPlayer(u"Ay");
    EXPECT_EQ(newest.stringVars[20] + newest.stringVars[21] + newest.stringVars[28],
              "shade_openshade_closereplay");
    for (const WString name : {u"", u"Bx", u"ax"}) EXPECT_EQ(FindPlayer(name)->stringVars[28], "");
    std::list<WString> names;
    ListPlayerNames(names);
    EXPECT_EQ(names, (std::list<WString>{u"Ay", u"Bx", u"ax"}));

    EXPECT_FALSE(AddPlayer(u"Bx"));
    EXPECT_EQ(Current(), u"Bx");
    EXPECT_EQ(saves, 4);
    EXPECT_FALSE(SetCurrentPlayer(u"Bx"));
    EXPECT_EQ(FindPlayer(u"Cz"), nullptr);
    EXPECT_FALSE(SetCurrentPlayer(u"Cz") || DeletePlayer(u"Cz") || DeletePlayer(u""));
    EXPECT_EQ(saves, 4);

    struct Case {
        WString deleted;
        WString current;
        std::list<WString> saved;
    };
    const Case cases[] = {
        {u"Bx", u"Ay", {u"", u"Ay", u"ax"}},  // the current one: the alphabetically first takes over
        {u"ax", u"Ay", {u"", u"Ay"}},
        {u"Ay", u"", {u""}},  // the last named one: the default player takes over
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(GF::Utf16ToUtf8(c.deleted));
        EXPECT_TRUE(DeletePlayer(c.deleted));
        EXPECT_EQ(Current(), c.current);
        const CPlayerStore saved = Saved();
        EXPECT_EQ(NamesIn(saved), c.saved);
        EXPECT_EQ(saved.currentName, c.current);
    }

    // A current name that names no player (a store edited from outside) falls back to the default.
    GetGameData().players.currentName = u"ghost";
    EXPECT_EQ(&GetCurrentPlayer(), FindPlayer(u""));
    EXPECT_EQ(Current(), u"");
}

// The sample level data beside the sample game database.
class ProgressTest : public CPlayersFixture {
protected:
    ProgressTest() {
        GF::CMemoryInputStream in(Sample("Binary/levelsdata.bin"));
        CLevelsData sample;
        std::string why;
        EXPECT_TRUE(ParseLevelsData(in, sample, why)) << why;
        GetLevelsData() = sample;
    }
    ~ProgressTest() override { GetLevelsData() = m_savedLevels; }

    const CLevelsData m_savedLevels = GetLevelsData();
};

TEST_F(ProgressTest, ACareerStoresQualifyingPlacesRanksTheStagesAndKeepsTheStageValues) {
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[19] = 0.5f;
    struct Case {
        std::string level;
        float outcome;            // float variable 5
        int place;                // stored
        std::vector<float> vars;  // float variables 15, 17 and 19 after it
    };
    const Case cases[] = {
        {"stage7_1", 1, 1, {0, 0, 0.5f}},  // stage 7 takes only a first place and leaves 19
        {"stage4_1", 203, 3, {0, 0, 1}},
        {"stage6_1", 203, 0, {0, 0, -1}},  // stage 6 asks for place 2 at least
        {"stage6_1", 1, 1, {0, 0, 1}},     // a first place at the first qualifying attempt
        {"stage4_1", 2, 2, {0, 0, 1}},
        {"stage4_1", 3, 2, {0, 0, 1}},  // not better: kept
        {"stage4_1", 1, 1, {1, 1, 1}},  // improved to the first place
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level + " " + std::to_string(c.outcome));
        player.stageName = c.level.substr(0, c.level.find('_'));
        player.stringVars[11] = c.level;
        player.floatVars[5] = c.outcome;
        StoreLevelResult();
        EXPECT_EQ(player.levels[c.level].place, c.place);
        EXPECT_EQ((std::vector<float>{player.floatVars[15], player.floatVars[17], player.floatVars[19]}),
                  c.vars);
    }
    EXPECT_EQ(saves, 7);
    EXPECT_EQ(Saved().players.at(u"").levels.at("stage4_1").place, 1);
    EXPECT_EQ(GetCurrentStageNumber(), 4);

    // Standings of the player's 250 points per level against the level data's rivals (participant
    // 3's 250 on the second level is stage 1's best); a tie goes to the lower participant number.
    EXPECT_EQ(CollectStageResults("stage1"), 0);
    GetLevelProgress("stage1_1");
    GetLevelProgress("stage1_2");
    EXPECT_EQ(CollectStageResults("stage1"), 1);
    player.levels["stage1_2"].scores[6] = 0.0f;  // 250 in all
    EXPECT_EQ(CollectStageResults("stage1"), 2);
    player.levels["stage1_2"].scores[6] = 1.0f;
    EXPECT_EQ(CollectStageResults("stage1"), 1);

    // A level the level data lacks gets an empty record there and only the player's points.
    GetLevelProgress("stage9_9");
    EXPECT_NE(GetLevelsData().FindLevel("stage9_9"), nullptr);
    EXPECT_EQ(player.levels["stage9_9"].scores, (std::unordered_map<int32_t, float>{{6, 250.0f}}));

    // The stage's values kept (the larger count of dresses stays) and brought back.
    player.floatVars[15] = 3.0f;
    player.floatVars[3] = 2.0f;
    SyncStageProgress(true);
    player.floatVars[15] = 1.0f;
    SyncStageProgress(true);
    EXPECT_EQ(Saved().players.at(u"").stages.at("stage4"), (CStageProgress{"", 3, 2}));
    player.floatVars[15] = 7.0f;
    player.floatVars[3] = 5.0f;
    SyncStageProgress(false);
    EXPECT_EQ((std::vector<float>{player.floatVars[15], player.floatVars[3]}), (std::vector<float>{3, 2}));
}

TEST_F(ProgressTest, TheLevelToStartStageLookupsAndThePlayersOptions) {
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[1] = 2.0f;
    player.floatVars[0] = 5.0f;
    GetLevelsData().TestLevelName = "test_level";
    player.stringVars[29] = "stage6_1";
    player.stringVars[12] = "stage2_2";
    std::string names = GetStageSummaryName();  // each source emptied in turn
    GetLevelsData().TestLevelName.clear();
    names += " " + GetStageSummaryName();
    player.stringVars[29].clear();
    names += " " + GetStageSummaryName();
    player.stringVars[12].clear();
    names += " " + GetStageSummaryName();
    EXPECT_EQ(names, "test_level stage6_1 stage2_2 stage2_5");
    EXPECT_EQ(GetStageNumber("stage6") * 10 + GetStageNumber("stage9"), 60);
    EXPECT_EQ(GetStageName(4) + "|" + GetStageName(9), "stage4|");

    // A damaged value (not a number, out of range) is taken as 0 or held to the integers.
    const GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    player.floatVars[10] = 1.0f;
    player.floatVars[7] = 35.9f;
    player.floatVars[8] = std::numeric_limits<float>::quiet_NaN();
    player.floatVars[9] = 0.0f;
    ApplyPlayerSettings();
    EXPECT_TRUE(GF::HGENS::GetCustomCursor()->GetAnimation());
    EXPECT_EQ(properties->GetInt("MusicVolume"), 35);
    EXPECT_EQ(properties->GetInt("SoundVolume"), 0);
    EXPECT_TRUE(engine.System_GetStateBool(HGE_WINDOWED));
    player.floatVars[10] = 0.0f;
    player.floatVars[7] = 1e12f;
    player.floatVars[9] = 1.0f;
    ApplyPlayerSettings();
    EXPECT_FALSE(GF::HGENS::GetCustomCursor()->GetAnimation());
    EXPECT_EQ(properties->GetInt("MusicVolume"), std::numeric_limits<int32_t>::max());
    EXPECT_FALSE(engine.System_GetStateBool(HGE_WINDOWED));
    EXPECT_EQ(saves, 0);
}

}  // namespace
