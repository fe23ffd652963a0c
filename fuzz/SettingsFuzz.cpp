// The settings file as the program reads it at start: the screen manager's part, then the game's
// (its version word and player store), from "Setting" in the save folder (a temporary one here).
// Beyond the sanitizers it checks that what was loaded saves and loads again to the same options
// and players.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "fuzz/FuzzCheck.h"
#include "game/app/Application.h"
#include "game/app/GameData.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

using namespace GF;

namespace {

// The game's settings handlers, hooked to the manager without starting the program.
class CSettingsApplication : public CApplication {
public:
    explicit CSettingsApplication(HGE* hge) : CApplication(hge) {
        m_manager = GetGameManager();
        CApplication* self = this;
        m_manager->GetSettingsSaveEvent().Add(CreateDelegate(self, &CApplication::OnSaveSettings));
        m_manager->GetSettingsLoadEvent().Add(CreateDelegate(self, &CApplication::OnLoadSettings));
        m_manager->GetSettingsResetEvent().Add(CreateDelegate(self, &CApplication::ResetDefaultSettings));
    }
};

struct CWorld {
    CTempFolder folder{"quindle-fuzz-settings"};
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", folder.Path()};
    CRecordingEngine engine;
    THolder<HGENS::CGameManager> manager = GetGameManager();
    CSettingsApplication application{&engine};

    // The game data's default store: version 2 and the default player.
    CWorld() { Reset(); }
    ~CWorld() { manager->Shutdown(); }
    static void Reset() {
        CPlayerStore& store = GetGameData().players;
        store = CPlayerStore();
        store.version = 2;
        store.players[u""];
    }
};

std::vector<int> Options() {
    const THolder<CGameProperties> properties = GetGameProperties();
    return {properties->GetInt("SoundVolume"), properties->GetInt("MusicVolume"),
            properties->GetInt("CustomCursor"), properties->GetInt("FullScreen") != 0 ? 1 : 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CWorld world;
    FUZZ_CHECK(!world.folder.Path().empty());
    CWorld::Reset();
    std::ofstream(world.folder / "Setting", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    world.engine.ClearRecord();
    world.manager->LoadSettings();
    const std::vector<int> loaded = Options();
    world.manager->SaveSettings();
    world.manager->LoadSettings();
    FUZZ_CHECK(Options() == loaded);
    // A load clears a few of the current player's variables, which creates them: from here on the
    // players are what was saved.
    const CPlayerStore players = GetGameData().players;
    world.manager->SaveSettings();
    world.manager->LoadSettings();
    FUZZ_CHECK(GetGameData().players == players);
    return 0;
}
