#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "framework/app/GameManager.h"
#include "framework/core/MemoryStreams.h"
#include "game/app/PlayerStore.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Handlers as the application's: the game's part of "Setting" through SaveSettingsPart and
// LoadSettingsPart, on a store whose version the game data set.
struct CGamePart {
    CPlayerStore store;
    ESettingsPart answer = ESettingsPart::Damaged;
    std::string why;
    int loads = 0;

    void OnSave(GF::THolder<GF::IDataOutputStream> stream) { SaveSettingsPart(*stream, store); }
    void OnLoad(GF::THolder<GF::IDataInputStream> stream) {
        ++loads;
        answer = LoadSettingsPart(*stream, store, why);
    }
};

CPlayerStore TwoPlayers() {
    CPlayerStore store;
    store.version = 2;
    store.currentName = u"Ann";
    for (const GF::WString& name : {GF::WString(u"Ann"), GF::WString(u"Bo\u00e9")}) {
        CPlayerProfile& p = store.players[name];
        p.name = name;
        p.flags["comics_1"] = true;
        p.flags["comics_2"] = false;
        p.hintShows[0] = 1;
        p.levels["stage1_1"] = {12.5f, 1, true, 61000.0f, {{6, 250.0f}, {2, 180.0f}}};
        p.levels["stage1_2"].place = 3;
        p.floatVars[1] = 1.0f;
        p.stringVars[11] = "stage1_2";
        p.flags2["tomato"] = true;
        p.names = {"pan", "pot"};
        p.stageName = "stage1";
        p.stageList = {1, 4};
        p.stages["stage1"] = {"t", 2, 1};
    }
    store.players[u"Bo\u00e9"].floatVars[42];  // created by reading: saved with the profile
    store.extras = {{"volume", 0.5f}, {"", -1.0f}};
    return store;
}

class PlayerSettings : public ::testing::Test {
protected:
    void SetUp() override {
        engine.System_Initiate();
        manager = GF::GetGameManager();
        manager->GetSettingsSaveEvent().Add(GF::CreateDelegate(&game, &CGamePart::OnSave));
        manager->GetSettingsLoadEvent().Add(GF::CreateDelegate(&game, &CGamePart::OnLoad));
    }
    void TearDown() override {
        manager->Shutdown();
        manager.Reset();
    }

    CTempFolder folder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", folder.Path()};
    std::string settingFile = folder / "Setting";
    CRecordingEngine engine;
    GF::THolder<GF::HGENS::CGameManager> manager;
    CGamePart game;
};

}  // namespace

TEST_F(PlayerSettings, PlayersSavedAndLoadedEqual) {
    game.store = TwoPlayers();
    manager->SaveSettings();

    game.store.players.clear();
    game.store.currentName.clear();
    game.store.extras.clear();
    manager->LoadSettings();
    EXPECT_EQ(game.answer, ESettingsPart::Loaded) << game.why;
    EXPECT_EQ(game.store, TwoPlayers());
    EXPECT_EQ(game.store.players.at(u"Bo\u00e9").floatVars.count(42), 1u);
}

TEST_F(PlayerSettings, ForeignOrDamagedFilesLeaveThePlayersInMemory) {
    game.store = TwoPlayers();
    manager->SaveSettings();
    const Bytes saved = ReadWholeFile<Bytes>(settingFile);
    const size_t part = 16;  // the framework's four integers come first

    // The kind of file that once took every byte of memory (a player with 140 million empty names),
    // smaller: just beyond the store's bound, every byte of it a name. The game never writes one:
    // the file saved before stays as it was.
    CPlayerStore huge = TwoPlayers();
    huge.players[u"Ann"].names.resize(kMaxSavedStoreBytes);
    game.store = huge;
    manager->SaveSettings();
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile), saved);
    EXPECT_FALSE(std::ifstream(settingFile + ".tmp").good());
    GF::CMemoryOutputStream hugePart;
    GF::WriteInt32BE(hugePart, huge.version);
    SavePlayerStore(hugePart, huge);
    Bytes hugeFile(saved.begin(), saved.begin() + part);
    hugeFile.insert(hugeFile.end(), hugePart.data.begin(), hugePart.data.end());
    huge = {};
    // The names count of one profile said to be 140 million in a file of a few hundred bytes.
    Bytes manyNames = saved;
    const Bytes names = {0, 0, 0, 2, 3, 'p', 'a', 'n'};
    const auto at = std::search(manyNames.begin(), manyNames.end(), names.begin(), names.end());
    ASSERT_NE(at, manyNames.end());
    std::copy_n(Bytes{0x08, 0x58, 0x3B, 0x00}.begin(), 4, at);

    const struct {
        const char* what;
        Bytes bytes;
        ESettingsPart answer;
        const char* said = "";
    } cases[] = {
        {"another version",
         [&] {
             Bytes b = saved;
             b[part + 3] = 3;
             b[part + 7] = 3;
             return b;
         }(),
         ESettingsPart::OtherVersion},
        {"no version word", Bytes(saved.begin(), saved.begin() + part), ESettingsPart::OtherVersion},
        {"cut inside the version word", Bytes(saved.begin(), saved.begin() + part + 2),
         ESettingsPart::OtherVersion},
        {"cut inside the store", Bytes(saved.begin(), saved.end() - 3), ESettingsPart::Damaged},
        {"cut after the store's version", Bytes(saved.begin(), saved.begin() + part + 8),
         ESettingsPart::Damaged},
        {"bytes after the store",
         [&] {
             Bytes b = saved;
             b.push_back(0);
             return b;
         }(),
         ESettingsPart::Damaged},
        {"a differing second word",
         [&] {
             Bytes b = saved;
             b[part + 7] = 3;
             return b;
         }(),
         ESettingsPart::Damaged},
        {"a store beyond its bound", std::move(hugeFile), ESettingsPart::Damaged, "bytes, more than the"},
        {"a count far beyond the bytes left", manyNames, ESettingsPart::Damaged,
         "names: count 140000000 cannot fit"},
    };
    for (const auto& c : cases) {
        WriteWholeFile(settingFile, c.bytes);
        game.store = TwoPlayers();
        game.store.players[u"Cy"].name = u"Cy";  // only in memory
        const CPlayerStore before = game.store;
        game.loads = 0;
        manager->LoadSettings();
        EXPECT_EQ(game.loads, 1) << c.what;
        EXPECT_EQ(game.answer, c.answer) << c.what << ": " << game.why;
        EXPECT_NE(game.why.find(c.said), std::string::npos) << c.what << ": " << game.why;
        EXPECT_EQ(game.store, before) << c.what;
    }
}
