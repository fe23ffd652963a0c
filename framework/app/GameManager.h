#pragma once
#include <map>
#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/app/GameSound.h"
#include "framework/app/GfxEffect.h"
#include "framework/app/Music.h"
#include "framework/app/Screen.h"
#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/core/Stream.h"
#include "framework/core/WString.h"
#include "framework/gui/CustomCursor.h"

namespace GF {

// The screen manager as the game and the screens reach it: screens by registered name, the stack
// of live screens, the application-wide events and the settings file.
class IGameManager : public CRefCount {
public:
    using ScreenFactory = THolder<IScreen> (*)();
    using ScreenEvent = TEvent1<THolder<IScreen>>;
    using SettingsSaveEvent = TEvent1<THolder<IDataOutputStream>>;
    using SettingsLoadEvent = TEvent1<THolder<IDataInputStream>>;
    using CharEvent = TEvent1<WChar>;
    using PlainEvent = TEvent0<>;

    // A second registration of a name replaces the first.
    virtual void RegisterScreenFactory(const std::string& name, ScreenFactory factory) = 0;
    // Makes the named screen the top one (without calling its OnTop); an unknown name is logged.
    virtual void CreateScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                              const char* phraseKey) = 0;
    // CreateScreen, then marks the new top screen shown and calls its OnTop.
    virtual void ShowScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                            const char* phraseKey) = 0;
    virtual void DestroyAllScreens() = 0;
    virtual void DestroyScreen(const std::string& name) = 0;
    virtual void SetScreenEffect(THolder<HGENS::IGfxEffect> effect) = 0;
    virtual void SetNoneEffect() = 0;

    virtual CharEvent& GetCharEvent() = 0;
    virtual PlainEvent& GetDeactivateEvent() = 0;
    virtual void RaiseDeactivate() = 0;
    virtual void RaiseChar(WChar c) = 0;
    virtual PlainEvent& GetActivateEvent() = 0;
    virtual void RaiseActivate() = 0;
    virtual ScreenEvent& GetScreenCreatedEvent() = 0;
    virtual ScreenEvent& GetScreenFinishedEvent() = 0;
    virtual ScreenEvent& GetScreenResultEvent() = 0;
    virtual SettingsSaveEvent& GetSettingsSaveEvent() = 0;
    virtual SettingsLoadEvent& GetSettingsLoadEvent() = 0;
    virtual PlainEvent& GetSettingsResetEvent() = 0;

    // The per-frame step; false when no screen is left, which ends the program's frame loop.
    virtual bool Update(const float& dt) = 0;
    // The first live screen from the bottom with this name; empty when none.
    virtual THolder<IScreen> FindScreen(const std::string& name) = 0;
    virtual THolder<IScreen> GetTopScreen() = 0;
    virtual void SaveSettings() = 0;
    virtual void LoadSettings() = 0;
    virtual void ResetSettings() = 0;
    // Releases music and sounds, destroys every screen and drops the singleton: the next
    // GetGameManager makes a new manager.
    virtual void Shutdown() = 0;
    virtual void RequestExit() = 0;
    virtual bool IsExitRequested() = 0;
    virtual void RaiseScreenResult(THolder<IScreen> screen) = 0;
    // The full path of a file in the save folder; empty (and logged) when the folder can't be had.
    virtual WString GetSaveFolder(const WString& name) = 0;
    virtual void RaiseScreenCreated(THolder<IScreen> screen) = 0;
    virtual void RaiseScreenFinished(THolder<IScreen> screen) = 0;
    virtual void RaiseSettingsSave(THolder<IDataOutputStream> stream) = 0;
    virtual void RaiseSettingsLoad(THolder<IDataInputStream> stream) = 0;
    virtual void RaiseSettingsReset() = 0;
    virtual bool UpdateTopScreen(const float& dt) = 0;
};

namespace HGENS {

class CGameManager : public IGameManager {
public:
    CGameManager();
    ~CGameManager() override;
    CGameManager(const CGameManager&) = delete;
    CGameManager& operator=(const CGameManager&) = delete;

    void RegisterScreenFactory(const std::string& name, ScreenFactory factory) override;
    void CreateScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                      const char* phraseKey) override;
    void ShowScreen(const std::string& name, const std::string& layoutName, THolder<IScene> scene,
                    const char* phraseKey) override;
    void DestroyAllScreens() override;
    void DestroyScreen(const std::string& name) override;
    void SetScreenEffect(THolder<IGfxEffect> effect) override { m_effect = effect; }
    void SetNoneEffect() override;

    CharEvent& GetCharEvent() override { return m_char; }
    PlainEvent& GetDeactivateEvent() override { return m_deactivate; }
    void RaiseDeactivate() override;
    void RaiseChar(WChar c) override { m_char.Raise(c); }
    PlainEvent& GetActivateEvent() override { return m_activate; }
    void RaiseActivate() override;
    ScreenEvent& GetScreenCreatedEvent() override { return m_screenCreated; }
    ScreenEvent& GetScreenFinishedEvent() override { return m_screenFinished; }
    ScreenEvent& GetScreenResultEvent() override { return m_screenResult; }
    SettingsSaveEvent& GetSettingsSaveEvent() override { return m_settingsSave; }
    SettingsLoadEvent& GetSettingsLoadEvent() override { return m_settingsLoad; }
    PlainEvent& GetSettingsResetEvent() override { return m_settingsReset; }

    bool Update(const float& dt) override;
    THolder<IScreen> FindScreen(const std::string& name) override;
    THolder<IScreen> GetTopScreen() override;
    void SaveSettings() override;
    void LoadSettings() override;
    void ResetSettings() override;
    void Shutdown() override;
    void RequestExit() override { m_exitRequested = true; }
    bool IsExitRequested() override { return m_exitRequested; }
    void RaiseScreenResult(THolder<IScreen> screen) override { m_screenResult.Raise(screen); }
    WString GetSaveFolder(const WString& name) override;
    void RaiseScreenCreated(THolder<IScreen> screen) override { m_screenCreated.Raise(screen); }
    void RaiseScreenFinished(THolder<IScreen> screen) override { m_screenFinished.Raise(screen); }
    void RaiseSettingsSave(THolder<IDataOutputStream> stream) override { m_settingsSave.Raise(stream); }
    void RaiseSettingsLoad(THolder<IDataInputStream> stream) override { m_settingsLoad.Raise(stream); }
    void RaiseSettingsReset() override { m_settingsReset.Raise(); }
    bool UpdateTopScreen(const float& dt) override;

    // Every registered screen name, sorted.
    std::vector<std::string> GetRegisteredScreens() const;

    // The player's choice between full screen and a window: kept as the property "FullScreen",
    // which the settings file saves, and asked of the engine. The engine may not be able to carry it
    // out (no window manager); the choice stays for the next start all the same.
    void SetFullScreen(bool fullScreen);
    // A new copy of the program has started and owns the save folder: from now on this manager
    // writes no settings.
    void HandOverSaveFolder() { m_handedOver = true; }
    // For a "Setting" that can't be taken (damaged, cut short, of another version): keeps it byte for
    // byte as "Setting.damaged" (or the first free "Setting.damaged.N"), with a log line saying why,
    // so that the players in it can be brought back. When it can't be moved, nothing writes over it
    // until the settings are loaded again.
    void SetSettingsAside(const std::string& why);

private:
    // Writes the settings into a temporary file beside "Setting" and renames it over the old one
    // only when every byte was written, so a crash or a full disk leaves the old file whole.
    bool WriteSettings(const WString& path);

    CharEvent m_char;
    PlainEvent m_activate;
    PlainEvent m_deactivate;
    ScreenEvent m_screenCreated;
    ScreenEvent m_screenFinished;
    ScreenEvent m_screenResult;
    SettingsSaveEvent m_settingsSave;
    SettingsLoadEvent m_settingsLoad;
    PlainEvent m_settingsReset;
    std::map<std::string, ScreenFactory> m_registry;
    std::vector<THolder<IScreen>> m_screens;  // bottom first; the last is the top screen

    HGE* m_hge;
    THolder<IGfxEffect> m_effect;
    THolder<CCustomCursor> m_cursor;

    bool m_exitRequested = false;
    bool m_handedOver = false;
    bool m_settingsHeld = false;  // "Setting" could not be read nor kept aside: it is not saved over
    bool m_toldHeld = false;      // the player has been told that nothing is saved (once is enough)
    bool m_toldUnsaved = false;   // the player has been told that a save failed (once is enough)
    THolder<IMusic> m_music;
    THolder<CGameSound> m_sound;
};

}  // namespace HGENS

// The screen manager, made on first use.
THolder<HGENS::CGameManager> GetGameManager();

// False while the program's window has lost the focus (between the deactivate and activate
// events); animations read it.
bool IsApplicationActive();

}  // namespace GF
