#pragma once
#include "framework/app/Application.h"

namespace GF {
namespace HGENS {

// An application of the framework's own screens alone, for the framework's start-up tests. Its
// flow: the publisher screen on the splash pictures, then the new-player screen, whose name is kept
// as the game property "PlayerName" and in the settings file's game part; after it a blank screen
// waits for the window to close, which asks through the confirm screen. A screen of the flow without
// a factory is skipped (the blank screen stands in for the new-player screen); without a confirm
// screen the window just closes.
class CStandInApplication : public CApplication {
public:
    // The game part of the settings file: this version word, then the player's name.
    static constexpr int32_t kSettingsVersion = 1;
    static constexpr const char* kBlankScreen = "StandInScreen";
    static constexpr const char* kPublisherScreen = "PublisherScreen";
    static constexpr const char* kPublisherLayout = "interfaces.publisher";
    static constexpr const char* kNewPlayerScreen = "new_player_screen";
    static constexpr const char* kNewPlayerLayout = "main_menu.new_player_screen";
    static constexpr const char* kConfirmScreen = "confirm_screen";

    explicit CStandInApplication(HGE* hge) : CApplication(hge) {}
    ~CStandInApplication() override;

    bool Start() override;
    bool OnExit() override;

    void OnScreenFinished(THolder<IScreen> screen);
    void OnSaveSettings(THolder<IDataOutputStream> stream);
    void OnLoadSettings(THolder<IDataInputStream> stream);
    void OnResetSettings();

private:
    void Unhook();
    // Shows the screen when it is registered; false (and nothing shown) when it is not.
    bool TryShow(const char* name, const char* layoutName, const char* phraseKey);
};

}  // namespace HGENS
}  // namespace GF
