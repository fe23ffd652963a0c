#include "framework/app/StandInApplication.h"

#include "framework/core/GameProperties.h"

namespace GF {
namespace HGENS {

namespace {

// A screen that clears the window until the window is closed.
class CBlankScreen : public IScreen {
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
    const std::string first = m_manager->GetFirstRegisteredScreen();
    m_manager->ShowScreen(first, first, {}, "");
    return true;
}

void CStandInApplication::Unhook() {
    if (!m_manager) return;
    m_manager->GetScreenFinishedEvent().Remove(CreateDelegate(this, &CStandInApplication::OnScreenFinished));
    m_manager->GetSettingsSaveEvent().Remove(CreateDelegate(this, &CStandInApplication::OnSaveSettings));
    m_manager->GetSettingsLoadEvent().Remove(CreateDelegate(this, &CStandInApplication::OnLoadSettings));
    m_manager->GetSettingsResetEvent().Remove(CreateDelegate(this, &CStandInApplication::OnResetSettings));
}

// There is no screen flow yet: a finished screen simply goes, and the program ends with the last.
void CStandInApplication::OnScreenFinished(THolder<IScreen> screen) {
    if (screen) m_manager->DestroyScreen(screen->GetName());
}

void CStandInApplication::OnSaveSettings(THolder<IDataOutputStream> stream) {
    WriteInt32BE(*stream, kSettingsVersion);
}

void CStandInApplication::OnLoadSettings(THolder<IDataInputStream> stream) {
    int32_t version = 0;
    if (!ReadInt32BE(*stream, version) || version != kSettingsVersion) m_manager->ResetSettings();
}

void CStandInApplication::OnResetSettings() {
    const THolder<CGameProperties> properties = GetGameProperties();
    properties->SetInt("MusicVolume", 60);
    properties->SetInt("SoundVolume", 100);
}

}  // namespace HGENS
}  // namespace GF

// The game links its own CreateApplication, which takes the place of this one.
__attribute__((weak)) std::unique_ptr<GF::HGENS::CApplication> CreateApplication(HGE* hge) {
    return std::make_unique<GF::HGENS::CStandInApplication>(hge);
}
