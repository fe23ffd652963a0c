#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/SaveFolder.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(SaveFolder, TitleLosesTheNineReservedCharacters) {
    EXPECT_EQ(Platform::CleanTitle("Quindle: Marvolant"), "Quindle Marvolant");
    EXPECT_EQ(Platform::CleanTitle("a\\b/c:d*e?f\"g<h>i|j"), "abcdefghij");
}

TEST(SaveFolder, EnvironmentPicksTheFolderAndItIsCreated) {
    CTempFolder temp;
    struct Case {
        std::optional<std::string> saveDir, dataHome, home;
        std::string expected;
    };
    const Case cases[] = {
        {temp / "override", temp / "data", temp / "home", temp / "override"},
        {std::nullopt, temp / "data", temp / "home", temp / "data/Game"},
        {std::nullopt, std::string("relative/data"), temp / "home", temp / "home/.local/share/Game"},
        {std::nullopt, std::nullopt, temp / "home", temp / "home/.local/share/Game"},
        {std::string(""), std::string(""), temp / "home2/", temp / "home2/.local/share/Game"},
    };
    for (const Case& c : cases) {
        CScopedEnv saveDir("QUINDLE_SAVE_DIR", c.saveDir);
        CScopedEnv dataHome("XDG_DATA_HOME", c.dataHome);
        CScopedEnv home("HOME", c.home);
        std::string error;
        const std::string folder = Platform::SaveFolder("Game", error);
        EXPECT_EQ(fs::path(folder).lexically_normal(), fs::path(c.expected).lexically_normal()) << error;
        EXPECT_TRUE(fs::is_directory(c.expected));
    }
}

TEST(SaveFolder, FolderThatCannotBeMadeAnswersEmptyWithAReason) {
    CTempFolder temp;
    WriteAll(temp / "file", "x");
    {
        CScopedEnv saveDir("QUINDLE_SAVE_DIR", temp / "file/sub");
        std::string error;
        EXPECT_EQ(Platform::SaveFolder("Game", error), "");
        EXPECT_NE(error.find("file/sub"), std::string::npos) << error;
    }
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", std::nullopt);
    CScopedEnv dataHome("XDG_DATA_HOME", std::nullopt);
    CScopedEnv home("HOME", std::nullopt);
    std::string error;
    EXPECT_EQ(Platform::SaveFolder("Game", error), "");
    EXPECT_FALSE(error.empty());
}

TEST(SaveFolder, ReplaceFileSwapsContentOrLeavesTheTargetAlone) {
    CTempFolder temp;
    WriteAll(temp / "Setting", "old");
    WriteAll(temp / "Setting.tmp", "new");
    std::string error;
    ASSERT_TRUE(Platform::ReplaceFile(temp / "Setting.tmp", temp / "Setting", error)) << error;
    EXPECT_EQ(ReadAll(temp / "Setting"), "new");
    EXPECT_FALSE(fs::exists(temp / "Setting.tmp"));

    EXPECT_FALSE(Platform::ReplaceFile(temp / "missing.tmp", temp / "Setting", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(temp / "Setting"), "new");
}

// A folder named through the environment that someone else could put links or files into is refused,
// named in the reason; the user's own folder is used, and the default folder is made the user's alone.
TEST(SaveFolder, NamedFolderThatOthersCanWriteOrOwnIsRefused) {
    CTempFolder temp;
    const std::string named = temp / "named";
    fs::create_directory(named);
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", named);
    const struct {
        fs::perms perms;
        bool refused;
    } cases[] = {
        {fs::perms::owner_all, false},
        {fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec, false},
        {fs::perms::all, true},
        {fs::perms::owner_all | fs::perms::others_write | fs::perms::others_exec | fs::perms::sticky_bit,
         true},
        {fs::perms::owner_all | fs::perms::group_write | fs::perms::group_exec, true},
    };
    for (const auto& c : cases) {
        fs::permissions(named, c.perms);
        std::string error;
        bool refused = !c.refused;
        const std::string folder = Platform::SaveFolder("Game", error, &refused);
        EXPECT_EQ(refused, c.refused) << static_cast<int>(c.perms);
        EXPECT_EQ(folder.empty(), c.refused) << error;
        if (c.refused) {
            EXPECT_NE(error.find(named + " can be written by other users"), std::string::npos) << error;
        }
    }

    // Another user's folder: only root can give one away, so elsewhere this part has nothing to try.
    fs::permissions(named, fs::perms::owner_all);
    if (chown(named.c_str(), 65534, 65534) == 0) {
        std::string error;
        bool refused = false;
        EXPECT_EQ(Platform::SaveFolder("Game", error, &refused), "");
        EXPECT_TRUE(refused);
        EXPECT_NE(error.find(named + " belongs to another user"), std::string::npos) << error;
    }

    CScopedEnv noNamed("QUINDLE_SAVE_DIR", std::nullopt);
    CScopedEnv dataHome("XDG_DATA_HOME", temp / "data");
    std::string error;
    bool refused = true;
    const std::string folder = Platform::SaveFolder("Game", error, &refused);
    EXPECT_FALSE(refused);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
}
