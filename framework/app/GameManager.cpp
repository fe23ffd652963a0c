#include "framework/app/GameManager.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/FileOpen.h"
#include "engine/QuitSignals.h"
#include "framework/app/Application.h"
#include "framework/core/DataStreams.h"
#include "framework/core/GameProperties.h"
#include "framework/gui/Transition.h"
#include "platform/MessageBox.h"
#include "platform/SaveFolder.h"

namespace GF {

namespace {

THolder<HGENS::CGameManager>& Instance() {
    static THolder<HGENS::CGameManager> instance;
    return instance;
}

bool g_applicationActive = true;

constexpr unsigned kFrameworkSettingsBytes = 16;

}  // namespace

tagViewTransform& DefaultViewTransform() {
    static tagViewTransform transform;
    return transform;
}

THolder<HGENS::CGameManager> GetGameManager() {
    THolder<HGENS::CGameManager>& instance = Instance();
    if (!instance) instance = new HGENS::CGameManager;
    return instance;
}

bool IsApplicationActive() {
    return g_applicationActive;
}

namespace HGENS {

void BeginScreenFrame(HGE* hge) {
    hge->Gfx_BeginScene(0);
    const tagViewTransform& t = DefaultViewTransform();
    hge->Gfx_SetTransform(t.x, t.y, t.dx, t.dy, t.rotation, t.hscale, t.vscale);
}

CGameManager::CGameManager()
    : m_hge(hgeCreate(HGE_VERSION)),
      m_cursor(GetCustomCursor()),
      m_music(GetMusic()),
      m_sound(CGameSound::Instance()) {}

CGameManager::~CGameManager() {
    if (m_cursor) m_cursor->RestoreSystemCursor();
    if (m_hge) m_hge->Release();
}

void CGameManager::RegisterScreenFactory(const std::string& name, ScreenFactory factory) {
    if (factory) m_registry[name] = factory;
}

void CGameManager::CreateScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                                const char* phraseKey) {
    auto entry = m_registry.find(name);
    if (entry == m_registry.end()) {
        m_hge->System_Log("Can't find screen \"%s\"", name.c_str());
        return;
    }
    m_hge->System_Log("Create screen \"%s\"", name.c_str());
    THolder<IScreen> screen = entry->second();
    if (!screen) return;
    screen->SetName(name);
    RaiseScreenCreated(screen);
    screen->Initialize(layoutName, std::move(scene), phraseKey);
    m_screens.push_back(screen);
}

void CGameManager::ShowScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                              const char* phraseKey) {
    CreateScreen(name, layoutName, std::move(scene), phraseKey);
    THolder<IScreen> top = GetTopScreen();
    if (top && top->GetName() == name) {
        top->SetShown(true);
        top->OnTop();
    }
}

void CGameManager::DestroyAllScreens() {
    // Destroy may reach back into the manager; walk a copy and take out only what was walked.
    const std::vector<THolder<IScreen>> screens = m_screens;
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        m_hge->System_Log("Destroy screen \"%s\"", (*it)->GetName().c_str());
        (*it)->Destroy();
    }
    std::erase_if(m_screens, [&](const THolder<IScreen>& screen) {
        return std::find(screens.begin(), screens.end(), screen) != screens.end();
    });
}

void CGameManager::DestroyScreen(const std::string& name) {
    auto found = std::find_if(m_screens.begin(), m_screens.end(),
                              [&](const THolder<IScreen>& screen) { return screen->GetName() == name; });
    if (found == m_screens.end()) return;
    const THolder<IScreen> screen = *found;
    m_hge->System_Log("Destroy screen \"%s\"", name.c_str());
    screen->Destroy();
    auto again = std::find(m_screens.begin(), m_screens.end(), screen);
    if (again != m_screens.end()) m_screens.erase(again);
}

void CGameManager::SetNoneEffect() {
    m_effect = new CNoneEffect;
}

void CGameManager::RaiseDeactivate() {
    g_applicationActive = false;
    m_deactivate.Raise();
}

void CGameManager::RaiseActivate() {
    g_applicationActive = true;
    m_activate.Raise();
}

bool CGameManager::Update(const float& dt) {
    const THolder<CGameManager> self(this);  // a delegate may shut the manager down mid-frame
    if (m_music) m_music->Update(dt);
    if (m_sound) m_sound->Update(dt);
    if (m_screens.empty()) return false;
    if (!UpdateTopScreen(dt)) return false;

    if (m_cursor) m_cursor->Update(dt);
    if (m_effect) {
        m_effect->Update(dt);
        if (m_effect->IsFinished()) m_effect.Reset();
    }

    const THolder<IGfxEffect> effect = m_effect;
    if (effect) {
        effect->BeginRender();
    } else {
        BeginScreenFrame(m_hge);
    }
    if (const THolder<IScreen> top = GetTopScreen()) top->Draw();
    if (effect) effect->EndRender();
    if (m_cursor) m_cursor->Draw();
    m_hge->Gfx_EndScene();
    return true;
}

bool CGameManager::UpdateTopScreen(const float& dt) {
    THolder<IScreen> top = GetTopScreen();
    if (!top) return false;
    if (top->Update(dt)) return true;

    // The finished screen stays in the list: the delegates decide what goes and what comes next.
    RaiseScreenFinished(top);
    top->OnRemoved();

    top = GetTopScreen();
    if (!top) return false;
    top->OnTop();
    top->Update(dt);
    return true;
}

THolder<IScreen> CGameManager::FindScreen(const std::string& name) {
    for (const THolder<IScreen>& screen : m_screens)
        if (screen->GetName() == name) return screen;
    return {};
}

THolder<IScreen> CGameManager::GetTopScreen() {
    return m_screens.empty() ? THolder<IScreen>() : m_screens.back();
}

void CGameManager::Shutdown() {
    const THolder<CGameManager> self(this);
    m_music.Reset();
    m_sound.Reset();
    DestroyAllScreens();
    if (Instance().Get() == this) Instance().Reset();
}

std::string CGameManager::GetFirstRegisteredScreen() const {
    return m_registry.empty() ? std::string() : m_registry.begin()->first;
}

std::vector<std::string> CGameManager::GetRegisteredScreens() const {
    std::vector<std::string> names;
    for (const auto& entry : m_registry) names.push_back(entry.first);
    return names;
}

WString CGameManager::GetSaveFolder(const WString& name) {
    std::string error;
    const std::string folder = Platform::SaveFolder(Platform::CleanTitle(kWindowTitle), error);
    if (folder.empty()) {
        m_hge->System_Log("No save folder: %s", error.c_str());
        return {};
    }
    return Utf8ToUtf16(folder + "/") + name;
}

void CGameManager::ResetSettings() {
    THolder<CGameProperties> properties = GetGameProperties();
    properties->SetInt("SoundVolume", 50);
    properties->SetInt("MusicVolume", 50);
    properties->SetInt("CustomCursor", 0);
    properties->SetInt("FullScreen", 1);
    RaiseSettingsReset();
}

void CGameManager::LoadSettings() {
    m_settingsHeld = false;
    THolder<CGameProperties> properties = GetGameProperties();
    const WString path = GetSaveFolder(u"Setting");
    THolder<IDataInputStream> stream = CreateDataInputStream();
    if (path.empty()) {
        ResetSettings();
    } else if (!stream->OpenW(path)) {
        const int error = errno;
        const std::string file = Utf16ToUtf8(path);
        // No file is a first start. A pipe, a device or a folder holds no players; a file that can't
        // be read may, and is left as it stands.
        if (error == EINVAL) {
            m_hge->System_Log("Can't read %s: it is %s, not a regular file; the defaults are used",
                              file.c_str(), Engine::WhatIsAt(file));
        } else if (error != ENOENT) {
            m_settingsHeld = true;
            m_hge->System_Log("Can't read %s: %s; the defaults are used, and it is not saved over",
                              file.c_str(), std::strerror(error));
        }
        ResetSettings();
    } else if (stream->Remaining() < kFrameworkSettingsBytes) {
        SetSettingsAside("it holds " + std::to_string(stream->Remaining()) + " bytes, fewer than the " +
                         std::to_string(kFrameworkSettingsBytes) + " of its options");
        ResetSettings();
    } else {
        static const char* const kKeys[] = {"SoundVolume", "MusicVolume", "CustomCursor", "FullScreen"};
        for (const char* key : kKeys) {
            int32_t value = 0;
            ReadInt32BE(*stream, value);
            properties->SetInt(key, value);
        }
        RaiseSettingsLoad(stream);
    }
    SetFullScreen(properties->GetInt("FullScreen") != 0);
    // A whole session played for nothing would otherwise only show in the log.
    if (m_settingsHeld && !m_toldHeld) {
        m_toldHeld = true;
        const std::string message = "Nothing will be saved this time: the saved players in " +
                                    Utf16ToUtf8(path) +
                                    " can't be used, and that file is left as it is so that they are not "
                                    "lost. log.txt beside it says why.";
        m_hge->System_Log("%s", message.c_str());
        Platform::ShowMessageBox(kWindowTitle, message, Platform::kMessageWarning);
    }
}

void CGameManager::SetSettingsAside(const std::string& why) {
    const WString path = GetSaveFolder(u"Setting");
    if (path.empty()) return;
    const std::string file = Utf16ToUtf8(path);
    std::string kept;
    std::string error;
    if (!Platform::SetAside(file, ".damaged", kept, error)) {
        m_settingsHeld = true;
        m_hge->System_Log("Setting can't be used (%s) nor kept aside (%s): it is not saved over", why.c_str(),
                          error.c_str());
    } else if (!kept.empty()) {
        m_hge->System_Log("Setting can't be used (%s): kept as %s, the game starts from the defaults",
                          why.c_str(), kept.c_str());
    }
}

void CGameManager::SetFullScreen(bool fullScreen) {
    GetGameProperties()->SetInt("FullScreen", fullScreen ? 1 : 0);
    m_hge->System_SetStateBool(HGE_WINDOWED, !fullScreen);
}

void CGameManager::SaveSettings() {
    if (m_handedOver) return;
    if (m_settingsHeld) {
        m_hge->System_Log("Setting is left as it is: it could not be read nor kept aside");
        return;
    }
    const WString path = GetSaveFolder(u"Setting");
    // A quit asked meanwhile waits for the file: the frame loop takes it once this frame is over.
    Engine::CQuitSignals::Saving(true);
    const bool written = !path.empty() && WriteSettings(path);
    Engine::CQuitSignals::Saving(false);
    if (written) return;
    m_hge->System_Log("Cant't Save Setting");
    // A level won and then lost with the session would otherwise only show in the log. The game goes
    // on, and every later save tries again, so once is enough.
    if (m_toldUnsaved) return;
    m_toldUnsaved = true;
    const std::string where = path.empty() ? "the save folder" : Utf16ToUtf8(path);
    // A box does not wrap its text: short lines, so that a long path still leaves the rest readable.
    const std::string message = "Your progress can't be saved:\nwriting " + where +
                                " failed (is the disk full?).\nYou can play on, and each later save tries "
                                "again;\nuntil one succeeds, what you win now is lost when the game ends.";
    m_hge->System_Log("%s", message.c_str());
    Platform::ShowMessageBox(kWindowTitle, message, Platform::kMessageWarning);
}

bool CGameManager::WriteSettings(const WString& path) {
    const std::string target = Utf16ToUtf8(path);
    std::string temporary = target + ".tmp";
    THolder<IDataOutputStream> stream = CreateDataOutputStream();
    bool opened = stream->OpenW(Utf8ToUtf16(temporary));
    if (!opened && errno == EISDIR) {
        // A folder is not ours to remove, and it must not stop every save: a free name beside it
        // takes its place.
        std::string unique = temporary + ".XXXXXX";
        const int fd = mkstemp(unique.data());
        if (fd < 0) {
            m_hge->System_Log("%s is a directory, and no name beside it is free: %s", temporary.c_str(),
                              std::strerror(errno));
            return false;
        }
        close(fd);
        m_hge->System_Log("%s is a directory, not a file: the settings are written through %s instead",
                          temporary.c_str(), unique.c_str());
        temporary = unique;
        stream = CreateDataOutputStream();  // the failed open marked the first one failed
        opened = stream->OpenW(Utf8ToUtf16(temporary));
    }
    if (!opened) {
        m_hge->System_Log("Can't open %s for writing: %s", temporary.c_str(), std::strerror(errno));
        if (temporary != target + ".tmp") std::remove(temporary.c_str());
        return false;
    }
    THolder<CGameProperties> properties = GetGameProperties();
    WriteInt32BE(*stream, properties->GetInt("SoundVolume"));
    WriteInt32BE(*stream, properties->GetInt("MusicVolume"));
    WriteInt32BE(*stream, properties->GetInt("CustomCursor"));
    // The player's choice, not the window as it is: a session that can't have full screen must
    // not take it from the next one.
    WriteInt32BE(*stream, properties->GetInt("FullScreen") != 0 ? 1 : 0);
    RaiseSettingsSave(stream);
    stream->Close();  // flushes; a full disk shows here at the latest

    std::string error;
    if (stream->Failed()) {
        m_hge->System_Log("Can't write %s", temporary.c_str());
    } else if (!Platform::ReplaceFile(temporary, target, error)) {
        m_hge->System_Log("%s", error.c_str());
    } else {
        return true;
    }
    std::remove(temporary.c_str());
    return false;
}

}  // namespace HGENS
}  // namespace GF
