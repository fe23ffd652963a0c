#pragma once
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/Screen.h"
#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/core/Stream.h"
#include "game/app/GameData.h"

// The game's application: loads the three data files into the game's tables, registers the game's
// screens, keeps the game's part of the settings file, and moves between screens by the flow rules
// of the game data. A screen's result runs the rule table; a matching rule with a target waits
// (pending) until the reporting screen has finished and then replaces the screens by its target or
// shows it over them. The results "back", "force_quit", "reloadgamedata" and, from the title
// screen, "starting" have fixed meanings when no rule waits.
class CApplication : public GF::HGENS::CApplication {
public:
    using TScreenHandler = GF::THolder<GF::IDelegate1<void, GF::THolder<GF::IScreen>>>;

    // Flow runs nested through string variable 25 beyond this many are refused.
    static constexpr int kMaxFlowNesting = 8;
    // The picture the window shows as its icon.
    static constexpr const char* kIconPicture = "icon.png";

    explicit CApplication(HGE* hge);
    ~CApplication() override;

    // The start-up: the data files, the interface textures, the screens, the settings, the first
    // flows and the first screen. False when the framework's start fails or the data files can't be
    // read (then a message box says so and the end step saves nothing).
    bool Start() override;
    // Saves the settings unless the start found no usable data.
    void End() override;
    // The window's close button: the top screen is told to finish with "quit", and with
    // "force_quit" when no rule answers it. The window never closes by itself.
    bool OnExit() override;
    // Float variable 9 of the current player follows the full screen (1.0) or window (0.0) the player
    // asked for, whether or not the window could follow.
    void OnDisplayModeChanged() override;

    // Reads "gamedata.bin", "levelsdata.bin" and "libdata.bin"; false when one could not be read
    // (each failure is logged by name, and the start's message names them).
    bool LoadGameDataFiles();
    // Reads the game data and the settings again and runs the first flows; saves first when asked.
    void Restart(bool saveFirst);

    // Runs the rule table once for a start-up event text (no screen) or a screen's result (empty
    // text).
    void FindFlowRule(const std::string& eventText, GF::THolder<GF::IScreen> screen);
    void ApplyFlowActions(GF::THolder<GF::IScreen> screen, const CFlowRule& rule);
    // Replaces every screen by the target, cross-fading from the screen's scene when smooth.
    void SwitchScreen(GF::THolder<GF::IScreen> screen, const std::string& target,
                      const std::string& switchName, bool smooth);

    // The screen manager's events.
    void OnScreenFinished(GF::THolder<GF::IScreen> screen);
    void OnScreenCreated(GF::THolder<GF::IScreen> screen);
    void OnScreenResult(GF::THolder<GF::IScreen> screen);
    void OnSaveSettings(GF::THolder<GF::IDataOutputStream> stream);
    void OnLoadSettings(GF::THolder<GF::IDataInputStream> stream);
    void ResetDefaultSettings();

    // The Deactivate handlers of the dialogs and the title screen.
    void OnConfirmExitFinished(GF::THolder<GF::IScreen> screen);
    void OnPopupFinished(GF::THolder<GF::IScreen> screen);
    void OnStartingFinished(GF::THolder<GF::IScreen> screen);
    // A name that has a handler keeps its first one.
    void AddDeactivateHandler(const std::string& name, const TScreenHandler& handler);

private:
    void RegisterPremadeScreens();
    void HookGameManager();
    void UnhookGameManager();
    void RegisterScreenFactories();
    // The data-and-flows part shared by the start and the restart: the defaults of a new
    // installation, the first flow, and the first screen (which the caller activates).
    void RunFirstFlows();
    void CarryOutPendingRule(const GF::THolder<GF::IScreen>& screen);
    void ShowOver(const GF::THolder<GF::IScreen>& screen, const CFlowRule& rule);
    void DropPendingRule();

    std::unordered_map<std::string, TScreenHandler> m_activateHandlers;
    std::unordered_map<std::string, TScreenHandler> m_deactivateHandlers;
    std::string m_lastMainScreen;
    std::string m_pendingScreen;
    // A copy, so that reading the rule table again cannot leave it pointing into the old table.
    std::optional<CFlowRule> m_pendingRule;
    int m_flowNesting = 0;
    // The last screen that finished carried out a pending rule (which wins over "starting").
    bool m_finishCarriedOutRule = false;
    // The start found no usable data: nothing is saved at the end.
    bool m_dataMissing = false;
    // The data files the last load could not read, for the player's message.
    std::vector<std::string> m_unreadDataFiles;
};

// The game's application factory, which the program names in its start-up options.
std::unique_ptr<GF::HGENS::CApplication> CreateApplication(HGE* hge);
