#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "engine/Log.h"
#include "engine/ResourcePacks.h"
#include "tests/support/MemoryWatch.h"

using Engine::CResourcePacks;
namespace fs = std::filesystem;

namespace {

class EngineResourcePacks : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("packs-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "Texture");
        fs::create_directories(m_dir / "Only");
        WriteFile("Texture/a.txt", "from disk");
        WriteFile("Only/disk.txt", "only on disk");
        WriteZip("resource.dat", {{"Texture/a.txt", "from the archive"}, {"Sound/empty.wav", ""}});
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }

    void WriteZip(const std::string& name, const std::map<std::string, std::string>& files) {
        int error = 0;
        zip_t* archive = zip_open((m_dir / name).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        ASSERT_NE(archive, nullptr);
        for (const auto& [entry, text] : files) {
            zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
            ASSERT_GE(zip_file_add(archive, entry.c_str(), source, ZIP_FL_OVERWRITE), 0);
        }
        ASSERT_EQ(zip_close(archive), 0);  // the buffers are read here, while `files` lives
    }

    // The file's text, or "<null>" when nothing was found.
    std::string Load(CResourcePacks& packs, const char* name, uint64_t largest = Engine::kMaxDataFileBytes) {
        size_t size = 12345;
        void* block = packs.Load(name, &size, largest);
        if (!block) {
            EXPECT_EQ(size, 0u);
            return "<null>";
        }
        std::string text(static_cast<const char*>(block), size);
        CResourcePacks::Free(block);
        return text;
    }

    fs::path m_dir;
    Engine::CLog m_log;
};

}  // namespace

TEST_F(EngineResourcePacks, ArchiveComesFirstThenTheDisk) {
    CResourcePacks packs(m_log, m_dir.string());
    ASSERT_TRUE(packs.Attach("resource.dat"));  // relative to the data folder
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"Texture\\a.txt", "from the archive"},
        {"Texture/a.txt", "from the archive"},
        {"TEXTURE\\A.TXT", "from the archive"},  // any letter case inside the archive
        {"Only\\disk.txt", "only on disk"},
        {"Sound\\empty.wav", ""},  // an empty file is found, with size 0
        {"missing.txt", "<null>"},
        {"Texture", "<null>"},  // a folder is not a file
        {"", "<null>"},
    };
    for (const auto& c : cases) EXPECT_EQ(Load(packs, c.name), c.text) << c.name;

    packs.RemoveAll();
    EXPECT_EQ(Load(packs, "Texture\\a.txt"), "from disk");
}

TEST_F(EngineResourcePacks, TheNewestPackWins) {
    WriteZip("patch.dat", {{"Texture/a.txt", "patched"}});
    CResourcePacks packs(m_log, m_dir.string());
    ASSERT_TRUE(packs.Attach("resource.dat"));
    ASSERT_TRUE(packs.Attach((m_dir / "patch.dat").c_str()));  // an absolute name is used as it stands
    EXPECT_EQ(Load(packs, "Texture\\a.txt"), "patched");
}

// A pack of more entries than the game's files number is refused by name before its directory is
// read: one of a million empty entries (a few tens of megabytes) took 400 MB and seconds to open.
TEST_F(EngineResourcePacks, AMissingOrDamagedPackIsRefused) {
    WriteFile("broken.dat", "PK\x03\x04 this is not an archive");
    std::map<std::string, std::string> many;
    for (uint64_t i = 0; i <= Engine::kMostPackEntries; ++i) many[std::to_string(i)] = "";
    WriteZip("many.dat", many);
    const std::string logPath = (m_dir / "log.txt").string();
    m_log.SetFile(logPath);
    CResourcePacks packs(m_log, m_dir.string());
    EXPECT_FALSE(packs.Attach("none.dat"));
    EXPECT_FALSE(packs.Attach("broken.dat"));
    EXPECT_FALSE(packs.Attach(nullptr));
    EXPECT_FALSE(packs.Attach("many.dat"));
    EXPECT_EQ(Load(packs, "Texture\\a.txt"), "from disk");
    m_log.Close();
    std::ifstream in(logPath);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("many.dat: 16385 entries, more than a pack may hold (16384)"), std::string::npos)
        << text;
}

// An archive entry of 100 MB of zeros (a few kilobytes in the archive) and a file of as many on disk,
// each more than a picture may need: refused by name before any room is made for them. A caller whose
// kind may be that large reads the same entry.
TEST_F(EngineResourcePacks, AFileBeyondItsKindsBoundIsRefusedByNameBeforeItIsRead) {
    constexpr std::size_t kBig = 100u << 20;
    WriteZip("big.dat", {{"Texture/big.png", std::string(kBig, '\0')}});
    WriteFile("Only/big.png", "");
    fs::resize_file(m_dir / "Only/big.png", kBig);
    const std::string logPath = (m_dir / "log.txt").string();
    m_log.SetFile(logPath);
    CResourcePacks packs(m_log, m_dir.string());
    ASSERT_TRUE(packs.Attach("big.dat"));
    for (const char* name : {"Texture\\big.png", "Only\\big.png"}) {
        CMemoryWatch watch;
        EXPECT_EQ(Load(packs, name, Engine::kMaxPictureFileBytes), "<null>") << name;
        watch.Stop();
        EXPECT_LT(watch.AddedPeakMegabytes(), 20) << name;
        EXPECT_LT(watch.LargestBlock(), std::size_t{1} << 20) << name;
    }
    EXPECT_EQ(Load(packs, "Texture\\big.png", kBig).size(), kBig);
    m_log.Close();
    std::ifstream in(logPath);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* name :
         {"Can't read Texture/big.png: 104857600 bytes, more than a file of its kind may hold",
          "big.png: 104857600 bytes, more than a file of its kind may hold"})
        EXPECT_NE(text.find(name), std::string::npos) << text;
}

TEST_F(EngineResourcePacks, TheDataFolderComesFromTheEnvironment) {
    const char* before = std::getenv("QUINDLE_DATA_DIR");
    const std::string saved = before ? before : "";
    setenv("QUINDLE_DATA_DIR", m_dir.c_str(), 1);
    EXPECT_EQ(Engine::DataFolder(), m_dir.string());
    unsetenv("QUINDLE_DATA_DIR");
    EXPECT_EQ(Engine::DataFolder(), fs::read_symlink("/proc/self/exe").parent_path().string());
    if (before) setenv("QUINDLE_DATA_DIR", saved.c_str(), 1);
}
