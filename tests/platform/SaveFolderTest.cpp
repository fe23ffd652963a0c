#include <gtest/gtest.h>

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
