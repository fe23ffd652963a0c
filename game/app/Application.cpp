#include "game/app/Application.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "framework/app/GameManager.h"
#include "framework/app/Music.h"
#include "framework/core/DataStreams.h"
#include "framework/core/GameProperties.h"
#include "framework/core/WString.h"
#include "framework/gui/Transition.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/DataFiles.h"
#include "game/app/Expression.h"
#include "game/app/FilterSpriteManager.h"
#include "game/app/FlowRules.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/ScreenRegistry.h"
#include "game/app/ShowHideEffectScreen.h"
#include "game/app/TruncateToInt.h"
#include "game/app/WindowShadesEffect.h"
#include "game/screens/CheatClass.h"
#include "platform/MessageBox.h"
#include "platform/SaveFolder.h"

namespace {

constexpr const char* kConfirmExitScreen = "confirm_exit_screen";
constexpr const char* kNoTarget = "None";
// String variable 35 keeps the last main screen, as the application does.
constexpr int32_t kLastMainScreenVariable = 35;
constexpr float kSmoothSwitchTime = 1000.0f;

// Counts the flow runs in progress while one is running.
class CNesting {
public:
    explicit CNesting(int& depth) : m_depth(depth) { ++m_depth; }
    ~CNesting() { --m_depth; }
    CNesting(const CNesting&) = delete;
    CNesting& operator=(const CNesting&) = delete;

private:
    int& m_depth;
};

// Moves "Setting" to "Setting.bak" in place of the copy an earlier new start kept there: one copy,
// the latest, or every new start would leave one more file behind. Logged when the file could not be
// moved; without a file (nothing was saved since the last new start) the copy is left as it is.
void KeepSettingsAside(HGE* hge, const GF::WString& settingsPath) {
    if (settingsPath.empty()) return;
    const std::string path = GF::Utf16ToUtf8(settingsPath);
    std::error_code missing;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, missing))) return;
    std::remove((path + ".bak").c_str());
    std::string kept;
    std::string error;
    if (!Platform::SetAside(path, ".bak", kept, error)) {
        hge->System_Log("Can't move Setting aside: %s", error.c_str());
    } else if (!kept.empty()) {
        hge->System_Log("Setting moved to %s: starting from the defaults", kept.c_str());
    }
}

}  // namespace

CApplication::CApplication(HGE* hge) : GF::HGENS::CApplication(hge) {
    m_hge->System_SetStateString(HGE_ICON, kIconPicture);
}

CApplication::~CApplication() {
    UnhookGameManager();
}

bool CApplication::Start() {
    DropPendingRule();
    if (!GF::HGENS::CApplication::Start()) return false;
    if (!LoadGameDataFiles()) {
        m_dataMissing = true;
        std::string names;
        for (const std::string& name : m_unreadDataFiles)
            names += (names.empty() ? "\"" : ", \"") + name + "\"";
        const std::string message = "Can't read the game's data: " + names +
                                    (m_unreadDataFiles.size() > 1 ? " are" : " is") +
                                    " missing or damaged (the log says how). Please install the game again.";
        m_hge->System_Log("%s", message.c_str());
        Platform::ShowMessageBox(GF::HGENS::kWindowTitle, message, Platform::kMessageStop);
        return false;
    }
    // The expression "test" is there for its assignments.
    const auto test = GetGameData().expressions.find("test");
    if (test != GetGameData().expressions.end()) {
        std::string text;
        float number = 0.0f;
        EvaluateExpressionNode(test->second.root, GetCurrentPlayer(), text, number);
    }
    GF::HGENS::GetResourceCache()->PreloadGroup("interfaces");
    RegisterPremadeScreens();
    HookGameManager();
    m_manager->LoadSettings();
    RegisterScreenFactories();
    RunFirstFlows();
    if (const GF::THolder<GF::IScreen> top = m_manager->GetTopScreen()) top->OnTop();
    return true;
}

void CApplication::End() {
    // A start without its data has only the defaults: saving them would overwrite every profile.
    if (m_dataMissing && m_manager) {
        m_manager->Shutdown();
        m_manager.Reset();
    }
    GF::HGENS::CApplication::End();
    // The filter sheets are textures of the tables just let go: a next start in this process must
    // not find their handles.
    CFilterSpriteManager::DropInstance();
    // The shades keep the picture of resources that are gone now; a second start makes new ones.
    CWindowShadesEffect::DropInstance();
    // The title's code word is not saved: a next start begins without it.
    GetCheatListener() = CCheatClass();
}

void CApplication::RunFirstFlows() {
    if (GetGameData().players.players.size() < 2) FindFlowRule("def_settings", {});
    CPlayerProfile& player = GetCurrentPlayer();
    // A current stage the game data lacks (none yet, or one of a Setting from elsewhere) would give a
    // map without levels and a level of nothing: the player goes on at the highest stage opened.
    if (!GetLevelsData().FindStage(player.stageName))
        player.stageName = GetStageName(TruncateToInt(player.floatVars[1]));
    ApplyPlayerSettings();
    FindFlowRule(GetLevelsData().TestLevelName.empty() ? "show_publisher" : "test_starting", {});
    OnScreenFinished({});
}

bool CApplication::LoadGameDataFiles() {
    m_unreadDataFiles.clear();
    const std::pair<const char*, bool (*)(const std::string&)> files[] = {
        {"gamedata.bin", &OpenGameDataFile},
        {"levelsdata.bin", &OpenLevelsDataFile},
        {"libdata.bin", &OpenLibDataFile},
    };
    // Every file is tried, so that the log and the message name each one that failed.
    for (const auto& [name, open] : files) {
        if (!open(name)) m_unreadDataFiles.push_back(name);
    }
    return m_unreadDataFiles.empty();
}

void CApplication::Restart(bool saveFirst) {
    if (saveFirst) m_manager->SaveSettings();
    // The table is read anew: a rule of the old one must not be carried out.
    DropPendingRule();
    OpenGameDataFile("gamedata.bin");
    m_manager->LoadSettings();
    // Restarts run inside the screen manager's frame step, which activates the new top screen.
    RunFirstFlows();
}

// --- The flow rules ---

void CApplication::FindFlowRule(const std::string& eventText, GF::THolder<GF::IScreen> screen) {
    const std::string name = screen ? screen->GetName() : std::string();
    if (m_flowNesting >= kMaxFlowNesting) {
        m_hge->System_Log("Flow rules for \"%s\" nested more than %d deep: refused", name.c_str(),
                          kMaxFlowNesting);
        return;
    }
    const CNesting nesting(m_flowNesting);
    const std::string result = !eventText.empty() ? eventText : screen ? screen->GetResult() : std::string();
    // By index: the table is never replaced during a run, but a copy of a matching rule is taken
    // all the same before its actions run, which may run the table again.
    for (std::size_t i = 0; i < GetGameData().flowRules.size(); ++i) {
        const CFlowRule& rule = GetGameData().flowRules[i];
        if (!rule.enabled) continue;
        if (rule.screen != kNoTarget && rule.screen != name) continue;
        if (rule.event != kNoTarget && rule.event != m_lastMainScreen) continue;
        if (rule.argument != "none" && rule.argument != result) continue;
        if (!FlowConditionsHold(rule.conditions, GetCurrentPlayer())) continue;
        const CFlowRule matched = rule;
        ApplyFlowActions(screen, matched);
    }
}

void CApplication::ApplyFlowActions(GF::THolder<GF::IScreen> screen, const CFlowRule& rule) {
    for (const CFlowCondition& action : rule.actions) {
        const bool finishes = !IsFlowExpression(action) && action.valueType != kNumberValue &&
                              action.variable == kFlowFinishVariable;
        if (finishes && screen) screen->Finish(action.text, kScreenFinishFlags);
        ApplyFlowAction(action, GetCurrentPlayer());
    }
    if (rule.target == kNoTarget) return;
    m_pendingScreen = screen ? screen->GetName() : std::string();
    m_pendingRule = rule;
}

void CApplication::DropPendingRule() {
    m_pendingRule.reset();
    m_pendingScreen.clear();
}

void CApplication::OnScreenFinished(GF::THolder<GF::IScreen> screen) {
    m_finishCarriedOutRule = false;
    if (m_pendingRule && screen && screen->GetName() != m_pendingScreen) DropPendingRule();
    if (m_pendingRule) {
        m_finishCarriedOutRule = static_cast<bool>(screen);
        CarryOutPendingRule(screen);
        return;
    }
    if (!screen) return;
    const std::string result = screen->GetResult();
    if (result == "back") {
        if (const GF::THolder<GF::IScreen> top = m_manager->GetTopScreen())
            m_manager->DestroyScreen(top->GetName());
    } else if (result == "force_quit") {
        m_manager->DestroyAllScreens();
    } else if (result == "reloadgamedata") {
        Restart(true);
    }
}

void CApplication::CarryOutPendingRule(const GF::THolder<GF::IScreen>& screen) {
    const CFlowRule rule = *m_pendingRule;
    DropPendingRule();
    if (screen) {
        const std::string name = screen->GetName();
        if (name.find('_') == std::string::npos) {
            GetCurrentPlayer().stringVars[kLastMainScreenVariable] = name;
            m_lastMainScreen = name;
        }
    }
    if (!rule.switchKind) {
        SwitchScreen(screen, rule.target, rule.switchName, rule.switchFlag);
    } else if (!screen) {
        m_hge->System_Log(
            "The rule to \"%s\" shows it over a screen, but none finished: it replaces the screens",
            rule.target.c_str());
        SwitchScreen(screen, rule.target, rule.switchName, false);
    } else {
        ShowOver(screen, rule);
    }
}

// The new screen joins the finishing screen's scene and is raised above all that the scene draws
// below the shades (the screen beneath and what its own code added). It is activated by the screen manager's
// frame step, from which the finishing screen's rule is always carried out, so it is only marked shown.
void CApplication::ShowOver(const GF::THolder<GF::IScreen>& screen, const CFlowRule& rule) {
    const GF::THolder<GF::IScene> scene = screen->GetScene();
    if (screen->IsShown() && rule.effectSet) {
        if (const GF::THolder<GF::IScreen> top = m_manager->GetTopScreen())
            m_manager->DestroyScreen(top->GetName());
    }
    const int32_t beneath = CWindowShadesEffect::TopLayerBelowShades(scene);
    m_manager->CreateScreen(rule.target, rule.switchName, scene, rule.effect.c_str());
    const GF::THolder<GF::IScreen> top = m_manager->GetTopScreen();
    if (!top || top->GetName() != rule.target) return;
    top->SetShown(true);
    CWindowShadesEffect::RaiseAbove(top->GetAnimation(), beneath);
}

void CApplication::SwitchScreen(GF::THolder<GF::IScreen> screen, const std::string& target,
                                const std::string& switchName, bool smooth) {
    if (smooth && screen) {
        const GF::THolder<GF::HGENS::CSmoothShow> effect(new GF::HGENS::CSmoothShow);
        effect->Start(screen->GetScene(), kSmoothSwitchTime);
        m_manager->SetScreenEffect(GF::THolder<GF::HGENS::IGfxEffect>(effect.Get()));
    }
    m_manager->DestroyAllScreens();
    m_manager->CreateScreen(target, switchName, {}, "");
}

// --- The screen manager's events ---

void CApplication::RegisterPremadeScreens() {
    AddDeactivateHandler(kConfirmExitScreen, GF::CreateDelegate(this, &CApplication::OnConfirmExitFinished));
    AddDeactivateHandler("confirm_screen", GF::CreateDelegate(this, &CApplication::OnPopupFinished));
    AddDeactivateHandler("message_screen", GF::CreateDelegate(this, &CApplication::OnPopupFinished));
    AddDeactivateHandler("SplashScreen", GF::CreateDelegate(this, &CApplication::OnStartingFinished));
}

void CApplication::AddDeactivateHandler(const std::string& name, const TScreenHandler& handler) {
    m_deactivateHandlers.emplace(name, handler);
}

void CApplication::HookGameManager() {
    m_manager->GetScreenResultEvent().Add(GF::CreateDelegate(this, &CApplication::OnScreenResult));
    m_manager->GetScreenCreatedEvent().Add(GF::CreateDelegate(this, &CApplication::OnScreenCreated));
    m_manager->GetScreenFinishedEvent().Add(GF::CreateDelegate(this, &CApplication::OnScreenFinished));
    m_manager->GetSettingsLoadEvent().Add(GF::CreateDelegate(this, &CApplication::OnLoadSettings));
    m_manager->GetSettingsSaveEvent().Add(GF::CreateDelegate(this, &CApplication::OnSaveSettings));
    m_manager->GetSettingsResetEvent().Add(GF::CreateDelegate(this, &CApplication::ResetDefaultSettings));
}

void CApplication::UnhookGameManager() {
    if (!m_manager) return;
    m_manager->GetScreenResultEvent().Remove(GF::CreateDelegate(this, &CApplication::OnScreenResult));
    m_manager->GetScreenCreatedEvent().Remove(GF::CreateDelegate(this, &CApplication::OnScreenCreated));
    m_manager->GetScreenFinishedEvent().Remove(GF::CreateDelegate(this, &CApplication::OnScreenFinished));
    m_manager->GetSettingsLoadEvent().Remove(GF::CreateDelegate(this, &CApplication::OnLoadSettings));
    m_manager->GetSettingsSaveEvent().Remove(GF::CreateDelegate(this, &CApplication::OnSaveSettings));
    m_manager->GetSettingsResetEvent().Remove(GF::CreateDelegate(this, &CApplication::ResetDefaultSettings));
}

void CApplication::RegisterScreenFactories() {
    for (const tagScreenEntry& entry : GetScreenRegistry())
        m_manager->RegisterScreenFactory(entry.name, entry.factory);
}

void CApplication::OnScreenCreated(GF::THolder<GF::IScreen> screen) {
    if (!screen) return;
    const auto activate = m_activateHandlers.find(screen->GetName());
    if (activate != m_activateHandlers.end()) screen->GetActivateEvent().Add(activate->second);
    const auto deactivate = m_deactivateHandlers.find(screen->GetName());
    if (deactivate != m_deactivateHandlers.end()) screen->GetDeactivateEvent().Add(deactivate->second);
}

void CApplication::OnScreenResult(GF::THolder<GF::IScreen> screen) {
    FindFlowRule("", screen);
}

// --- Quitting and the fixed handlers ---

bool CApplication::OnExit() {
    const GF::THolder<GF::IScreen> top = m_manager ? m_manager->GetTopScreen() : GF::THolder<GF::IScreen>();
    if (!top || top->GetName() == kConfirmExitScreen) return false;
    top->Finish("quit", kScreenFinishFlags);
    if (!m_pendingRule) {
        if (const GF::THolder<GF::IScreen> still = m_manager->GetTopScreen())
            still->Finish("force_quit", kScreenFinishFlags);
    }
    return false;
}

void CApplication::OnConfirmExitFinished(GF::THolder<GF::IScreen> screen) {
    if (screen && screen->GetResult() == "yes")
        m_manager->DestroyAllScreens();
    else
        m_manager->DestroyScreen(kConfirmExitScreen);
}

void CApplication::OnPopupFinished(GF::THolder<GF::IScreen> screen) {
    if (screen && m_manager->FindScreen(screen->GetName())) m_manager->DestroyScreen(screen->GetName());
}

// The title screen's "starting" begins anew from the defaults. The profiles are kept in
// "Setting.bak" rather than deleted: the key that asks for it asks no question.
void CApplication::OnStartingFinished(GF::THolder<GF::IScreen> screen) {
    if (!screen || screen->GetResult() != "starting" || m_finishCarriedOutRule) return;
    KeepSettingsAside(m_hge, m_manager->GetSaveFolder(u"Setting"));
    Restart(false);
}

void CApplication::OnDisplayModeChanged() {
    GetCurrentPlayer().floatVars[9] = GF::GetGameProperties()->GetInt("FullScreen") != 0 ? 1.0f : 0.0f;
}

// --- The game's part of the settings file ---

void CApplication::OnSaveSettings(GF::THolder<GF::IDataOutputStream> stream) {
    if (stream && !SaveSettingsPart(*stream, GetGameData().players))
        m_hge->System_Log(
            "The players take more than the %u bytes a saved store may: Setting is kept as it was",
            kMaxSavedStoreBytes);
}

void CApplication::OnLoadSettings(GF::THolder<GF::IDataInputStream> stream) {
    std::string why = "no stream";
    const ESettingsPart part =
        stream ? LoadSettingsPart(*stream, GetGameData().players, why) : ESettingsPart::OtherVersion;
    if (part == ESettingsPart::Loaded) {
        CPlayerProfile& player = GetCurrentPlayer();
        player.stringVars[29].clear();
        player.stringVars[28].clear();
        player.stringVars[26].clear();
        player.floatVars[33] = 0.0f;
        player.floatVars[17] = 0.0f;
        player.floatVars[19] = 0.0f;
        player.stringVars[31].clear();
        return;
    }
    // Whatever stops the players from being read, they stay in the file kept aside, for the player
    // or a later version to bring back.
    m_manager->SetSettingsAside(why);
    ResetDefaultSettings();
}

void CApplication::ResetDefaultSettings() {
    const GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    properties->SetInt("MusicVolume", 60);
    properties->SetInt("SoundVolume", 100);
    GF::GetMusic()->ApplyVolume();
}

std::unique_ptr<GF::HGENS::CApplication> CreateApplication(HGE* hge) {
    return std::make_unique<CApplication>(hge);
}
