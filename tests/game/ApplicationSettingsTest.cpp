#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/Stream.h"
#include "game/app/Players.h"
#include "tests/game/GameFixture.h"

namespace {

class ApplicationSettingsTest : public CGameFixture {
protected:
    ApplicationSettingsTest() {
        data.flowRules.push_back(Rule("None", "show_publisher", "SplashScreen"));
        GF::GetGameManager()->GetScreenCreatedEvent().Add(
            GF::CreateDelegate(this, &ApplicationSettingsTest::OnCreated));
    }
    ~ApplicationSettingsTest() override {
        GF::GetGameManager()->GetScreenCreatedEvent().Remove(
            GF::CreateDelegate(this, &ApplicationSettingsTest::OnCreated));
    }
    void OnCreated(GF::THolder<GF::IScreen> screen) {
        screen->GetActivateEvent().Add(GF::CreateDelegate(this, &ApplicationSettingsTest::OnActivated));
    }
    void OnActivated(GF::THolder<GF::IScreen> screen) { activated.push_back(screen->GetName()); }

    // A settings file: the framework's four integers, then the given game part.
    void WriteSettings(const std::vector<unsigned char>& gamePart) {
        GF::CMemoryOutputStream out;
        for (int32_t value : {11, 22, 0, 0}) GF::WriteInt32BE(out, value);
        out.data.insert(out.data.end(), gamePart.begin(), gamePart.end());
        std::ofstream file(SettingsPath(), std::ios::binary);
        file.write(reinterpret_cast<const char*>(out.data.data()),
                   static_cast<std::streamsize>(out.data.size()));
    }
    // The game part of a store that has the player "Ann", under the given version word.
    std::vector<unsigned char> StoreWithAnn(int32_t version) const {
        CPlayerStore store = data.players;
        store.version = version;
        store.players[u"Ann"].name = u"Ann";
        store.players[u"Ann"].floatVars[5] = 1.0f;
        store.currentName = u"Ann";
        GF::CMemoryOutputStream out;
        SaveSettingsPart(out, store);
        return out.data;
    }
    int Property(const char* key) const { return properties->GetInt(key); }
    bool HasAnn() const { return GetGameData().players.players.count(u"Ann") != 0; }

    std::vector<std::string> activated;
};

}  // namespace

TEST_F(ApplicationSettingsTest, AnotherVersionOrACutFileGivesTheGameVolumesWithoutTheStoredPlayers) {
    ASSERT_TRUE(Start());
    const std::vector<unsigned char> ann = StoreWithAnn(2);
    // Each is kept aside under a name of its own, byte for byte: none replaces an earlier one.
    const std::vector<std::vector<unsigned char>> others = {StoreWithAnn(1), {0, 0}, {}};
    const char* const kept[] = {".damaged", ".damaged.2", ".damaged.3"};
    for (std::size_t i = 0; i < others.size(); ++i) {
        WriteSettings(others[i]);
        const std::vector<unsigned char> before = ReadSettings();
        properties->SetInt("MusicVolume", 1);
        properties->SetInt("SoundVolume", 1);
        GF::GetGameManager()->LoadSettings();
        EXPECT_EQ(Property("MusicVolume"), 60) << i;
        EXPECT_EQ(Property("SoundVolume"), 100);
        EXPECT_FALSE(HasAnn());
        std::ifstream aside(SettingsPath() + kept[i], std::ios::binary);
        EXPECT_EQ(std::vector<unsigned char>(std::istreambuf_iterator<char>(aside), {}), before) << i;
        EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    }
    EXPECT_TRUE(engine.HasLog("Setting can't be used (version 1, the game data's is 2): kept as"));

    // The same version: the players, the framework's volumes, and the seven variables cleared.
    WriteSettings(ann);
    GF::GetGameManager()->LoadSettings();
    ASSERT_TRUE(HasAnn());
    EXPECT_EQ(Property("SoundVolume"), 11);
    EXPECT_EQ(GetCurrentPlayer().floatVars[5], 1.0f);
}

// Each new start from the title keeps the profiles it leaves in "Setting.bak", in place of those an
// earlier one kept: over ten new starts, each after a save, one copy stays beside "Setting", the
// latest. A new start with nothing saved since keeps that copy.
TEST_F(ApplicationSettingsTest, StartingFromTheTitleKeepsTheLatestProfilesAsideAndStartsFromTheDefaults) {
    std::ofstream(SettingsPath() + ".bak") << "the profiles of an earlier new start";
    WriteSettings(StoreWithAnn(2));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HasAnn());
    std::vector<unsigned char> latest;
    for (int start = 0; start <= 10; ++start) {
        if (start < 10) {  // a save since the last new start, each with another sound volume
            WriteSettings(StoreWithAnn(2));
            latest = ReadSettings();
            latest[3] = static_cast<unsigned char>(start);
            std::ofstream(SettingsPath(), std::ios::binary)
                .write(reinterpret_cast<const char*>(latest.data()),
                       static_cast<std::streamsize>(latest.size()));
        }
        ASSERT_EQ(TopName(), "SplashScreen");
        for (int frame = 0; frame < 5; ++frame) Frame();  // open: a result given earlier is cleared
        activated.clear();

        Finish("starting");
        for (int frame = 0; frame < 30 && activated.empty(); ++frame) Frame();
        for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(Frame(), "SplashScreen");
        EXPECT_EQ(activated, std::vector<std::string>{"SplashScreen"});
        EXPECT_FALSE(HasAnn());
        EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    }
    std::ifstream aside(SettingsPath() + ".bak", std::ios::binary);
    EXPECT_EQ(std::vector<unsigned char>(std::istreambuf_iterator<char>(aside), {}), latest);
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(SettingsPath()).parent_path()))
        if (entry.path().filename().string().rfind("Setting", 0) == 0)
            names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"Setting.bak"});
}

TEST_F(ApplicationSettingsTest, TheSecondDataFolderWinsAndMissingDataStopsWithoutSaving) {
    data.players.version = 3;
    PutGameData("Binary_2\\");
    data.players.version = 2;
    ASSERT_TRUE(Start());
    EXPECT_EQ(GetGameData().players.version, 3);
    app->End();
    app.reset();
    GF::GetGameManager()->Shutdown();
    GF::GetResource()->Clear();

    // A level data file that its reader refuses stops the start with a message, and the end writes
    // nothing over the players.
    WriteSettings(StoreWithAnn(3));
    const std::vector<unsigned char> before = ReadSettings();
    engine.AddResource("Binary\\levelsdata.bin", std::string());
    engine.AddResource("Binary_2\\levelsdata.bin", std::string("\x05", 1));
    // A data file larger than the game's data may be is refused for its size, by name and once; the
    // other folder's is read. A file in no folder is named as missing.
    engine.AddResource("Binary_2\\gamedata.bin", std::string((16u << 20) + 1, '\0'));
    engine.RemoveResource("Binary\\libdata.bin");
    app = std::make_unique<CApplication>(&engine);
    EXPECT_FALSE(app->Start());
    EXPECT_EQ(messageBoxes.messages.size(), 1u);
    EXPECT_TRUE(engine.HasLog("levelsdata.bin was refused"));
    EXPECT_TRUE(engine.HasLog("libdata.bin is in neither Binary_2 nor Binary"));
    EXPECT_TRUE(
        engine.HasLog("Can't read Binary_2/gamedata.bin: 16777217 bytes, more than a file of its kind may "
                      "hold (16777216)"));
    EXPECT_FALSE(engine.HasLog("gamedata.bin is in neither") || engine.HasLog("gamedata.bin was refused"));
    app->End();
    app.reset();
    EXPECT_EQ(ReadSettings(), before);
}
