// The settings file as the program reads it at start: the screen manager's part, then the
// application's, from "Setting" in the save folder (a temporary one here). Beyond the sanitizers it
// checks that what was loaded saves and loads again to the same options.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/app/StandInApplication.h"
#include "framework/core/GameProperties.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

using namespace GF;

namespace {

// The stand-in application's settings handlers, hooked to the manager without starting the program.
class CSettingsApplication : public HGENS::CStandInApplication {
public:
    explicit CSettingsApplication(HGE* hge) : CStandInApplication(hge) {
        m_manager = GetGameManager();
        CStandInApplication* self = this;
        m_manager->GetSettingsSaveEvent().Add(CreateDelegate(self, &CStandInApplication::OnSaveSettings));
        m_manager->GetSettingsLoadEvent().Add(CreateDelegate(self, &CStandInApplication::OnLoadSettings));
        m_manager->GetSettingsResetEvent().Add(CreateDelegate(self, &CStandInApplication::OnResetSettings));
    }
};

struct CWorld {
    CTempFolder folder{"quindle-fuzz-settings"};
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", folder.Path()};
    CRecordingEngine engine;
    THolder<HGENS::CGameManager> manager = GetGameManager();
    CSettingsApplication application{&engine};

    ~CWorld() { manager->Shutdown(); }
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
    std::ofstream(world.folder / "Setting", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    world.engine.ClearRecord();
    world.manager->LoadSettings();
    const std::vector<int> loaded = Options();
    world.manager->SaveSettings();
    world.manager->LoadSettings();
    FUZZ_CHECK(Options() == loaded);
    return 0;
}
