#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "tests/gui/GuiFixture.h"

using GF::WString;

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The sample game database in the game database's place, the settings file in a fresh folder, and
// the game's part of it written as the application does: the player store after the framework's
// four integers. The sample resource script is loaded, so the drawn cursor can be switched on.
class CPlayersFixture : public CGuiFixture {
protected:
    CPlayersFixture() {
        GF::CMemoryInputStream in(ReadBytes(QUINDLE_TEST_DATA_DIR "/../content-staging/Binary/gamedata.bin"));
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
    EXPECT_FALSE(SetCurrentPlayer(u"Cz"));
    EXPECT_FALSE(DeletePlayer(u"Cz"));
    EXPECT_FALSE(DeletePlayer(u""));
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

}  // namespace
