#include "tests/support/StandInApplication.h"

#include "framework/core/GameProperties.h"
#include "framework/gui/Screen.h"

namespace GF {
namespace HGENS {

namespace {

// The end of the flow: a screen that clears the window and stays until the window is closed.
class CBlankScreen : public CScreenAbstract {
public:
    CBlankScreen() : m_hge(hgeCreate(HGE_VERSION)) {}
    ~CBlankScreen() override { m_hge->Release(); }

    void Initialize(const std::string&, THolder<IScene>, const char*) override {}
    void Draw() override { m_hge->Gfx_Clear(0xFF203040); }
    const std::string& GetName() override { return m_name; }
    void SetName(const std::string& name) override { m_name = name; }
    bool Update(const float&) override { return true; }
    void OnTop() override {}
    void OnRemoved() override {}
    void Destroy() override {}
    void SetShown(bool) override {}

private:
    HGE* m_hge;
    std::string m_name;
};

THolder<IScreen> CreateBlankScreen() {
    return THolder<IScreen>(new CBlankScreen);
}

}  // namespace

CStandInApplication::~CStandInApplication() {
    Unhook();
}

bool CStandInApplication::Start() {
    if (!CApplication::Start()) return false;
    m_manager->RegisterScreenFactory(kBlankScreen, CreateBlankScreen);
    m_manager->GetScreenFinishedEvent().Add(CreateDelegate(this, &CStandInApplication::OnScreenFinished));
    m_manager->GetSettingsSaveEvent().Add(CreateDelegate(this, &CStandInApplication::OnSaveSettings));
    m_manager->GetSettingsLoadEvent().Add(CreateDelegate(this, &CStandInApplication::OnLoadSettings));
    m_manager->GetSettingsResetEvent().Add(CreateDelegate(this, &CStandInApplication::OnResetSettings));
    m_manager->LoadSettings();
    if (!TryShow(kPublisherScreen, kPublisherLayout, "")) TryShow(kNewPlayerScreen, kNewPlayerLayout, "");
    return true;
}

void CStandInApplication::Unhook() {
    if (!m_manager) return;
    m_manager->GetScreenFinishedEvent().Remove(CreateDelegate(this, &CStandInApplication::OnScreenFinished));
    m_manager->GetSettingsSaveEvent().Remove(CreateDelegate(this, &CStandInApplication::OnSaveSettings));
    m_manager->GetSettingsLoadEvent().Remove(CreateDelegate(this, &CStandInApplication::OnLoadSettings));
    m_manager->GetSettingsResetEvent().Remove(CreateDelegate(this, &CStandInApplication::OnResetSettings));
}

bool CStandInApplication::TryShow(const char* name, const char* layoutName, const char* phraseKey) {
    m_manager->ShowScreen(name, layoutName, {}, phraseKey);
    return static_cast<bool>(m_manager->FindScreen(name));
}

bool CStandInApplication::OnExit() {
    if (!m_manager) return true;
    const THolder<IScreen> top = m_manager->GetTopScreen();
    if (top && top->GetName() == kConfirmScreen) return false;
    // Without a confirm screen there is nobody to ask: the window closes.
    return !TryShow(kConfirmScreen, "main_menu.confirm_screen", "confirm_exit");
}

void CStandInApplication::OnScreenFinished(THolder<IScreen> screen) {
    if (!screen) return;
    const std::string name = screen->GetName();
    m_manager->DestroyScreen(name);
    if (name == kPublisherScreen) {
        if (!TryShow(kNewPlayerScreen, kNewPlayerLayout, "")) TryShow(kBlankScreen, kBlankScreen, "");
    } else if (name == kConfirmScreen) {
        // "yes" to closing: without screens the frame loop ends at its next step.
        if (screen->GetResult() == "yes") m_manager->DestroyAllScreens();
    } else if (name == kNewPlayerScreen) {
        const THolder<CGameProperties> properties = GetGameProperties();
        const WString entered = properties->GetString("NewPlayerName");
        if (!entered.empty()) properties->SetString("PlayerName") = entered;
        TryShow(kBlankScreen, kBlankScreen, "");
    }
}

void CStandInApplication::OnSaveSettings(THolder<IDataOutputStream> stream) {
    WriteInt32BE(*stream, kSettingsVersion);
    WriteWString(*stream, GetGameProperties()->GetString("PlayerName"));
}

void CStandInApplication::OnLoadSettings(THolder<IDataInputStream> stream) {
    int32_t version = 0;
    WString name;
    if (!ReadInt32BE(*stream, version) || version != kSettingsVersion || !ReadWString(*stream, name)) {
        m_manager->ResetSettings();
        return;
    }
    GetGameProperties()->SetString("PlayerName") = name;
}

void CStandInApplication::OnResetSettings() {
    const THolder<CGameProperties> properties = GetGameProperties();
    properties->SetInt("MusicVolume", 60);
    properties->SetInt("SoundVolume", 100);
    properties->SetString("PlayerName").clear();
}

}  // namespace HGENS
}  // namespace GF
