#pragma once
#include "framework/app/Application.h"

namespace GF {
namespace HGENS {

// The framework's own application, which the program runs until the game provides its own
// CreateApplication: the framework's start, the settings file with an empty game part, and the
// first registered screen shown (a blank screen of its own when nothing else is registered).
class CStandInApplication : public CApplication {
public:
    // The game part of the settings file: this version word and nothing after it.
    static constexpr int32_t kSettingsVersion = 0;
    static constexpr const char* kBlankScreen = "StandInScreen";

    explicit CStandInApplication(HGE* hge) : CApplication(hge) {}
    ~CStandInApplication() override;

    bool Start() override;

    void OnScreenFinished(THolder<IScreen> screen);
    void OnSaveSettings(THolder<IDataOutputStream> stream);
    void OnLoadSettings(THolder<IDataInputStream> stream);
    void OnResetSettings();

private:
    void Unhook();
};

}  // namespace HGENS
}  // namespace GF
