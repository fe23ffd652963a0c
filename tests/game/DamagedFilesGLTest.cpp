// The program's real start-up over damaged and missing files: what the player is told, what the exit
// code is, and that the saved players survive each fault.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/DataStreams.h"
#include "framework/core/Delegate.h"
#include "framework/core/MemoryStreams.h"
#include "game/app/GameData.h"
#include "game/app/PlayerStore.h"
#include "tests/game/SampleData.h"
#include "tests/support/LevelRun.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// The sample's default player store with "Ann", who has won something, as the current player.
CPlayerStore StoreWithAnn() {
    CGameData sample;
    const Bytes bytes = LoadBuiltSampleFile("Binary/gamedata.bin");
    GF::CMemoryInputStream in(bytes);
    std::string why;
    EXPECT_TRUE(ParseGameData(in, sample, why)) << why;
    CPlayerStore store = sample.players;
    store.players[u"Ann"].name = u"Ann";
    store.players[u"Ann"].floatVars[5] = 3.0f;
    store.currentName = u"Ann";
    return store;
}

// A settings file: the framework's four options, then the game's part.
Bytes SettingsFile(const CPlayerStore& store) {
    GF::CMemoryOutputStream out;
    for (int32_t value : {40, 30, 0, 0}) GF::WriteInt32BE(out, value);
    SaveSettingsPart(out, store);
    return out.data;
}

// Whether the file holds a whole store whose current player is Ann with what she won.
bool HoldsAnn(const Bytes& file, int32_t version) {
    if (file.size() < 16) return false;
    GF::CMemoryInputStream in(Bytes(file.begin() + 16, file.end()));
    CPlayerStore store;
    store.version = version;
    std::string why;
    if (LoadSettingsPart(in, store, why) != ESettingsPart::Loaded) return false;
    const auto ann = store.players.find(u"Ann");
    return store.currentName == u"Ann" && ann != store.players.end() && ann->second.floatVars[5] == 3.0f;
}

// A run of the program that ends after `frames` frames (none when the start fails).
struct CShortRun {
    int frames = 0;
    int code = -1;
    void Run(CLevelRun& run, int limit) {
        frames = 0;
        code = run.Run([this, limit](CLevelRun&) { return ++frames < limit; });
    }
};

// The sample's data file with its damages: cut in half, the count at `countAt` far beyond the file,
// and the one-byte string length at `lengthAt` made four bytes long and far beyond the file.
std::vector<std::pair<std::string, Bytes>> Damaged(const Bytes& sample, std::size_t countAt,
                                                   std::size_t lengthAt) {
    std::vector<std::pair<std::string, Bytes>> damaged;
    damaged.emplace_back("cut short",
                         Bytes(sample.begin(), sample.begin() + static_cast<long>(sample.size() / 2)));
    Bytes count = sample;
    count[countAt] = 0x7F;
    count[countAt + 1] = count[countAt + 2] = count[countAt + 3] = 0xFF;
    damaged.emplace_back("count", count);
    EXPECT_LT(sample[lengthAt], 0x80);
    Bytes length(sample.begin(), sample.begin() + static_cast<long>(lengthAt));
    length.insert(length.end(), {0xFF, 0xFF, 0xFF, 0x7F});
    length.insert(length.end(), sample.begin() + static_cast<long>(lengthAt) + 1, sample.end());
    damaged.emplace_back("string length", length);
    return damaged;
}

}  // namespace

TEST(DamagedFiles, AMissingEmptyOrCutResourceArchiveIsNamedWithItsFolderAndEndsTheProgramWith1) {
    CLevelRun run;
    CTempFolder data("quindle-data");
    const CScopedEnv dataDir("QUINDLE_DATA_DIR", data.Path());
    const std::string settings = run.SaveFolder() + "/Setting";
    const Bytes saved = SettingsFile(StoreWithAnn());
    WriteBytes(settings, saved);
    const Bytes archive = ReadBytes(std::string(QUINDLE_TEST_DATA_DIR) + "/resource.dat");
    ASSERT_GT(archive.size(), 1000u);

    const std::pair<const char*, const char*> cases[] = {
        {"missing", "it is not there"}, {"empty", "it is empty"}, {"cut", "it is damaged or cut short"}};
    for (const auto& [kind, why] : cases) {
        const std::string pack = data / "resource.dat";
        fs::remove(pack);
        if (std::string(kind) == "empty") WriteBytes(pack, {});
        if (std::string(kind) == "cut") WriteBytes(pack, Bytes(archive.begin(), archive.begin() + 1000));
        const CMessageBoxRecorder boxes;
        CShortRun program;
        testing::internal::CaptureStderr();
        program.Run(run, 5);
        const std::string errors = testing::internal::GetCapturedStderr();

        const std::string message = std::string("Quindle: Marvolant: Can't read \"resource.dat\" in ") +
                                    data.Path() + ": " + why + ". Please install the game again.";
        EXPECT_EQ(program.code, 1) << kind;
        EXPECT_EQ(program.frames, 0) << kind;
        EXPECT_EQ(boxes.messages, std::vector<std::string>{message}) << kind;
        EXPECT_NE(errors.find(message), std::string::npos) << kind << ": " << errors;
        EXPECT_EQ(ReadBytes(settings), saved) << kind;
    }
}

TEST(DamagedFiles, ADamagedDataFileIsRefusedByNameAndTheGameStopsWithoutTouchingTheSettings) {
    CLevelRun run;
    CTempFolder data("quindle-data");
    const CScopedEnv dataDir("QUINDLE_DATA_DIR", data.Path());
    fs::copy_file(std::string(QUINDLE_TEST_DATA_DIR) + "/resource.dat", data / "resource.dat");
    const std::string settings = run.SaveFolder() + "/Setting";
    const Bytes saved = SettingsFile(StoreWithAnn());
    WriteBytes(settings, saved);

    // Where each file's first count and first string length lie: gamedata.bin and libdata.bin open
    // with a table (its count, then the first record's name), levelsdata.bin with the name of its
    // test level, then a table.
    struct tagFile {
        const char* name;
        std::size_t countAt;
        std::size_t lengthAt;
    };
    for (const tagFile& file :
         {tagFile{"gamedata.bin", 0, 4}, tagFile{"levelsdata.bin", 1, 0}, tagFile{"libdata.bin", 0, 4}}) {
        const Bytes sample = LoadBuiltSampleFile(std::string("Binary/") + file.name);
        ASSERT_FALSE(sample.empty()) << file.name;
        // The data folder's "Binary_2" comes before the archive's "Binary".
        const std::string patch = data / (std::string("Binary_2/") + file.name);
        for (const auto& [damage, bytes] : Damaged(sample, file.countAt, file.lengthAt)) {
            WriteBytes(patch, bytes);
            fs::remove(run.SaveFolder() + "/log.txt");
            const CMessageBoxRecorder boxes;
            CShortRun program;
            testing::internal::CaptureStderr();
            program.Run(run, 5);
            const std::string errors = testing::internal::GetCapturedStderr();

            const std::string message =
                std::string("Quindle: Marvolant: Can't read the game's data: \"") + file.name +
                "\" is missing or damaged (the log says how). Please install the game again.";
            EXPECT_EQ(program.code, 1) << file.name << ", " << damage;
            EXPECT_EQ(program.frames, 0) << file.name << ", " << damage;
            EXPECT_EQ(boxes.messages, std::vector<std::string>{message}) << file.name << ", " << damage;
            EXPECT_NE(errors.find(message), std::string::npos) << errors;
            const std::string log = ReadText(run.SaveFolder() + "/log.txt");
            EXPECT_NE(log.find(std::string(file.name) + ": "), std::string::npos) << damage << "\n" << log;
            EXPECT_NE(log.find(std::string(file.name) + " was refused"), std::string::npos) << log;
            if (damage == "count") {
                EXPECT_NE(log.find("count 2147483647 cannot fit"), std::string::npos) << file.name << "\n"
                                                                                      << log;
            }
            EXPECT_EQ(ReadBytes(settings), saved) << file.name << ", " << damage;
        }
        fs::remove(patch);
    }
}

namespace {

void KillBeforeTheRename(GF::THolder<GF::IDataOutputStream>) {
    raise(SIGKILL);
}

}  // namespace

// The faults that could cost saved progress: the disk filling while the settings are saved, the
// program killed once everything is written but before the new file takes the old one's name, and
// a settings file whose player store is damaged.
TEST(DamagedFiles, SavedPlayersSurviveAFullDiskAKillBeforeTheRenameAndADamagedStore) {
    CLevelRun run;
    const std::string settings = run.SaveFolder() + "/Setting";
    const CPlayerStore ann = StoreWithAnn();
    WriteBytes(settings, SettingsFile(ann));

    // Each fault hits the save at the end of a run, in a child process (before this one has made a
    // window); the file it leaves must be the one from before that save.
    EXPECT_EXIT(
        {
            Bytes before;
            const int code = run.Run([&](CLevelRun& self) {
                if (self.FrameNumber() < 5) return true;
                before = ReadBytes(settings);
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                limit.rlim_cur = limit.rlim_max = 24;  // the framework's part fits, the players don't
                setrlimit(RLIMIT_FSIZE, &limit);
                return false;
            });
            const Bytes after = ReadBytes(settings);
            _exit(code == 0 && after == before && HoldsAnn(after, ann.version) &&
                          !fs::exists(settings + ".tmp")
                      ? 7
                      : 8);
        },
        testing::ExitedWithCode(7), "");
    EXPECT_TRUE(HoldsAnn(ReadBytes(settings), ann.version));

    const Bytes beforeKill = ReadBytes(settings);
    EXPECT_EXIT(
        {
            run.Run([](CLevelRun& self) {
                if (self.FrameNumber() < 5) return true;
                // After the game's own handler: every byte is written, the file not yet renamed.
                GF::GetGameManager()->GetSettingsSaveEvent().Add(GF::CreateDelegate(&KillBeforeTheRename));
                return false;
            });
            _exit(0);
        },
        testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(ReadBytes(settings), beforeKill);
    EXPECT_TRUE(HoldsAnn(beforeKill, ann.version));

    // The next start reads the old file, not the temporary one the kill left, and its save replaces
    // both.
    CShortRun program;
    program.Run(run, 5);
    EXPECT_EQ(program.code, 0);
    EXPECT_TRUE(HoldsAnn(ReadBytes(settings), ann.version));
    EXPECT_FALSE(fs::exists(settings + ".tmp"));

    // A damaged store: the players are out of reach this time, but not overwritten; the file is kept
    // beside the new one and the log says so.
    Bytes damaged = SettingsFile(ann);
    damaged.resize(damaged.size() - 3);
    WriteBytes(settings, damaged);
    program.Run(run, 5);
    EXPECT_EQ(program.code, 0);
    EXPECT_EQ(ReadBytes(settings + ".damaged"), damaged);
    EXPECT_FALSE(HoldsAnn(ReadBytes(settings), ann.version));
    EXPECT_GT(ReadBytes(settings).size(), 20u);
    const std::string log = ReadText(run.SaveFolder() + "/log.txt");
    EXPECT_NE(log.find("Setting can't be used ("), std::string::npos) << log;
    EXPECT_NE(log.find("kept as " + settings + ".damaged,"), std::string::npos) << log;
    // A later start and save leave the kept file alone.
    program.Run(run, 5);
    EXPECT_EQ(ReadBytes(settings + ".damaged"), damaged);
}
