#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "engine/Log.h"
#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "tests/support/DataBytes.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

// The game's part of the settings file, as the game keeps it: a version word, then its players.
struct CGameSettings {
    static constexpr int32_t kVersion = 7;
    std::string players;
    int loads = 0;
    void (*crashWhileWriting)() = nullptr;

    void OnSave(GF::THolder<GF::IDataOutputStream> stream) {
        GF::WriteInt32BE(*stream, kVersion);
        if (crashWhileWriting) {
            GF::WriteString(*stream, "half a player st");
            crashWhileWriting();
        }
        GF::WriteString(*stream, players);
    }
    void OnLoad(GF::THolder<GF::IDataInputStream> stream) {
        ++loads;
        int32_t version = 0;
        if (!GF::ReadInt32BE(*stream, version) || version != kVersion) {
            players.clear();
            GF::GetGameManager()->ResetSettings();
            return;
        }
        GF::ReadString(*stream, players);
    }
    std::vector<int> frameworkDefaults;  // what the framework had stored when the game's reset ran
    void OnReset() {
        const auto properties = GF::GetGameProperties();
        frameworkDefaults = {properties->GetInt("SoundVolume"), properties->GetInt("MusicVolume"),
                             properties->GetInt("CustomCursor"), properties->GetInt("FullScreen")};
        GF::GetGameProperties()->SetInt("MusicVolume", 60);
        GF::GetGameProperties()->SetInt("SoundVolume", 100);
    }
};

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.System_Initiate();
        manager = GF::GetGameManager();
        manager->GetSettingsSaveEvent().Add(GF::CreateDelegate(&game, &CGameSettings::OnSave));
        manager->GetSettingsLoadEvent().Add(GF::CreateDelegate(&game, &CGameSettings::OnLoad));
        manager->GetSettingsResetEvent().Add(GF::CreateDelegate(&game, &CGameSettings::OnReset));
        properties = GF::GetGameProperties();
    }
    void TearDown() override {
        manager->Shutdown();
        manager.Reset();
    }

    void SetOptions(int sound, int music, int cursor, bool windowed) {
        properties->SetInt("SoundVolume", sound);
        properties->SetInt("MusicVolume", music);
        properties->SetInt("CustomCursor", cursor);
        manager->SetFullScreen(!windowed);
    }
    std::vector<int> Options() const {
        return {properties->GetInt("SoundVolume"), properties->GetInt("MusicVolume"),
                properties->GetInt("CustomCursor"), properties->GetInt("FullScreen")};
    }

    CTempFolder folder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", folder.Path()};
    std::string settingFile = folder / "Setting";
    CRecordingEngine engine;
    GF::THolder<GF::HGENS::CGameManager> manager;
    GF::THolder<GF::CGameProperties> properties;
    CGameSettings game;
};

}  // namespace

TEST_F(SettingsTest, WithoutAFileTheDefaultsThenTheGamesOwnApplyAndTheGameGoesFullScreen) {
    SetOptions(1, 2, 3, true);
    manager->LoadSettings();
    EXPECT_EQ(game.frameworkDefaults, (std::vector<int>{50, 50, 0, 1}));
    EXPECT_EQ(Options(), (std::vector<int>{100, 60, 0, 1}));
    EXPECT_EQ(game.loads, 0);
    EXPECT_FALSE(engine.System_GetStateBool(HGE_WINDOWED));
}

TEST_F(SettingsTest, RoundTripKeepsOptionsWindowAndTheGamePart) {
    SetOptions(30, 70, 1, true);
    game.players = "ann";
    manager->SaveSettings();
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile),
              CDataBytes().I32(30).I32(70).I32(1).I32(0).I32(7).Str("ann").bytes);
    EXPECT_FALSE(fs::exists(settingFile + ".tmp"));

    SetOptions(0, 0, 0, false);
    game.players.clear();
    manager->LoadSettings();
    EXPECT_EQ(Options(), (std::vector<int>{30, 70, 1, 0}));
    EXPECT_TRUE(engine.System_GetStateBool(HGE_WINDOWED));
    EXPECT_EQ(game.players, "ann");
}

// Without a window manager the engine stays in a window whatever it is asked: the file keeps the
// player's full screen for the next start.
TEST_F(SettingsTest, AWindowThatCouldNotGoFullScreenSavesThePlayersFullScreen) {
    SetOptions(30, 70, 0, false);
    engine.System_SetStateBool(HGE_WINDOWED, true);  // the engine's fallback
    manager->SaveSettings();
    const Bytes saved = ReadWholeFile<Bytes>(settingFile);
    ASSERT_GE(saved.size(), 16u);
    EXPECT_EQ(Bytes(saved.begin() + 12, saved.begin() + 16), CDataBytes().I32(1).bytes);
    manager->LoadSettings();
    EXPECT_FALSE(engine.System_GetStateBool(HGE_WINDOWED));
}

TEST_F(SettingsTest, AnotherVersionDiscardsTheGamePart) {
    WriteWholeFile(settingFile, CDataBytes().I32(30).I32(70).I32(1).I32(0).I32(6).Str("bob").bytes);
    manager->LoadSettings();
    EXPECT_EQ(game.loads, 1);
    EXPECT_EQ(game.players, "");
    EXPECT_EQ(Options(), (std::vector<int>{100, 60, 0, 1}));
    EXPECT_FALSE(engine.System_GetStateBool(HGE_WINDOWED));
}

// Whatever it held is kept aside byte for byte, each under a name of its own, before a save can
// write over it.
TEST_F(SettingsTest, FileShorterThanTheFrameworkPartGivesTheDefaultsAndIsKeptAside) {
    const Bytes whole = CDataBytes().I32(30).I32(70).I32(1).I32(0).bytes;
    const char* const kept[] = {".damaged", ".damaged.2", ".damaged.3"};
    const std::ptrdiff_t sizes[] = {0, 4, 15};
    for (int i = 0; i < 3; ++i) {
        const Bytes cut(whole.begin(), whole.begin() + sizes[i]);
        WriteWholeFile(settingFile, cut);
        SetOptions(1, 2, 3, true);
        manager->LoadSettings();
        EXPECT_EQ(Options(), (std::vector<int>{100, 60, 0, 1})) << sizes[i];
        EXPECT_EQ(game.loads, 0) << sizes[i];
        EXPECT_TRUE(fs::is_regular_file(settingFile + kept[i])) << sizes[i];
        EXPECT_EQ(ReadWholeFile<Bytes>(settingFile + kept[i]), cut) << sizes[i];
        manager->SaveSettings();
    }
}

TEST_F(SettingsTest, CrashWhileWritingLeavesTheOldFileWhole) {
    SetOptions(30, 70, 1, true);
    game.players = "ann";
    manager->SaveSettings();
    const Bytes old = ReadWholeFile<Bytes>(settingFile);

    game.crashWhileWriting = [] { _exit(3); };
    EXPECT_EXIT(manager->SaveSettings(), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile), old);

    // The half-written temporary file of the crashed run does not get in the way of the next save.
    game.crashWhileWriting = nullptr;
    game.players = "bo";
    manager->SaveSettings();
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile).size(), old.size() - 1);
}

TEST_F(SettingsTest, FullDiskIsReportedAndTheOldFileKept) {
    SetOptions(30, 70, 1, true);
    manager->SaveSettings();
    const Bytes old = ReadWholeFile<Bytes>(settingFile);

    // A file-size limit makes the writes fail the way a full disk does. The player is told once,
    // where the game saves; every save tries again.
    EXPECT_EXIT(
        {
            const CMessageBoxRecorder boxes;
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = 8;
            setrlimit(RLIMIT_FSIZE, &limit);
            manager->SaveSettings();
            manager->SaveSettings();
            const bool told = boxes.messages.size() == 1 &&
                              boxes.messages[0].find("Your progress can't be saved:\nwriting " + settingFile +
                                                     " failed") != std::string::npos;
            _exit(engine.HasLog("Cant't Save Setting") && told ? 5 : 6);
        },
        ::testing::ExitedWithCode(5), "");
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile), old);
    EXPECT_FALSE(fs::exists(settingFile + ".tmp"));
}

TEST_F(SettingsTest, WithoutASaveFolderNothingIsWrittenAnywhere) {
    WriteWholeFile(folder / "file", {1});
    CScopedEnv badFolder("QUINDLE_SAVE_DIR", folder / "file/sub");
    const bool rootFileExisted = fs::exists("/Setting");

    EXPECT_EQ(manager->GetSaveFolder(u"Setting"), u"");
    SetOptions(30, 70, 1, true);
    const CMessageBoxRecorder boxes;
    manager->SaveSettings();
    EXPECT_TRUE(engine.HasLog("Cant't Save Setting"));
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_NE(boxes.messages[0].find("writing the save folder failed"), std::string::npos);
    EXPECT_EQ(fs::exists("/Setting"), rootFileExisted);
    EXPECT_FALSE(fs::exists("Setting"));

    manager->LoadSettings();
    EXPECT_EQ(Options(), (std::vector<int>{100, 60, 0, 1}));
}

// Whatever stands in the place of "Setting.tmp" or "log.txt" (a symbolic link, a second name of
// another file) is replaced: the settings and the log are written, the file it led to is left as it was.
TEST_F(SettingsTest, LinksInTheSaveFolderAreNeverWrittenThrough) {
    SetOptions(30, 70, 1, true);
    const Bytes kept = {'k', 'e', 'e', 'p'};
    for (bool symbolic : {true, false}) {
        const std::string elsewhere = folder / (symbolic ? "elsewhere-symbolic" : "elsewhere-hard");
        WriteWholeFile(elsewhere, kept);
        for (const char* name : {"Setting.tmp", "log.txt"}) {
            const std::string path = folder / name;
            fs::remove(path);
            if (symbolic)
                fs::create_symlink(elsewhere, path);
            else
                fs::create_hard_link(elsewhere, path);
        }
        manager->SaveSettings();
        Engine::CLog log;
        log.SetFile(folder / "log.txt");
        log.Write("a line");
        log.Close();

        EXPECT_EQ(ReadWholeFile<Bytes>(elsewhere), kept) << elsewhere;
        EXPECT_EQ(ReadWholeFile<Bytes>(settingFile).size(), 21u) << elsewhere;
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "Setting.tmp"))) << elsewhere;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "log.txt"))) << elsewhere;
        EXPECT_EQ(ReadWholeFile<Bytes>(folder / "log.txt"), (Bytes{'a', ' ', 'l', 'i', 'n', 'e', '\n'}))
            << elsewhere;
    }
}

// What stands in the way is said, and the saving and the log go on: a folder at "Setting.tmp" (not
// ours to remove) is written around; a pipe at "log.txt" is replaced, and the new log says so.
TEST_F(SettingsTest, AFolderAtTheTemporaryNameOrAPipeAtTheLogIsSaidAndTheWritingGoesOn) {
    fs::create_directory(settingFile + ".tmp");
    WriteWholeFile(settingFile + ".tmp/kept", {'k'});
    SetOptions(30, 70, 1, true);
    game.players = "ann";
    for (int save = 0; save < 2; ++save) {
        manager->SaveSettings();
        EXPECT_FALSE(engine.HasLog("Cant't Save Setting"));
        EXPECT_EQ(ReadWholeFile<Bytes>(settingFile),
                  CDataBytes().I32(30).I32(70).I32(1).I32(0).I32(7).Str("ann").bytes);
    }
    EXPECT_TRUE(engine.HasLog(settingFile +
                              ".tmp is a directory, not a file: the settings are written through " +
                              settingFile + ".tmp."));
    EXPECT_EQ(ReadWholeFile<Bytes>(settingFile + ".tmp/kept"), Bytes{'k'});
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);

    const std::string log = folder / "log.txt";
    ASSERT_EQ(mkfifo(log.c_str(), 0600), 0);
    Engine::CLog file;
    file.SetFile(log);
    file.Write("a line");
    file.Close();
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(log)));
    const std::string said = log + " was a FIFO, not a file: this log took its place\na line\n";
    EXPECT_EQ(ReadWholeFile<Bytes>(log), Bytes(said.begin(), said.end()));
}
