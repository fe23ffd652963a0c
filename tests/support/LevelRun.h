#pragma once
#include <SDL2/SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/app/Screen.h"
#include "framework/core/Holder.h"
#include "game/app/PlayerStore.h"
#include "game/kitchen/FieldMakers.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScreen.h"
#include "tests/support/TempFolder.h"

// The game's own program run headless for the kitchen's scenarios: offscreen GL, dummy audio, a
// temporary save folder, the built sample content, frames of a fixed 40 ms (frameMs) and seeded random
// numbers. A test may give a field kind a maker of its own (SetFieldMaker). A script runs at the start of
// every frame, before the frame reads its input; it plays a level, presses keys, moves the mouse and reads
// what the player would see. Only one run exists at a time.
class CLevelRun {
public:
    static constexpr float kFrameMs = 40.0f;
    using TScript = std::function<bool(CLevelRun& run)>;  // false ends the run after this frame

    CLevelRun();
    ~CLevelRun();
    CLevelRun(const CLevelRun&) = delete;
    CLevelRun& operator=(const CLevelRun&) = delete;

    // Runs the program until the script answers false or the frame limit is reached (timedOut);
    // answers the program's exit code.
    int Run(TScript script, int frameLimit = 3000);

    // String variable 29 := level, and "GameScreen" on the game screen's layout replaces every
    // screen. A test level: a copy of the sample's "stage1_1" under a new name and field kind.
    static CLevelInfo& AddLevel(const std::string& name, const std::string& kind, float duration = 0.0f);
    void Play(const std::string& level);
    // The screen on the layout replaces every screen, as a flow rule would show it.
    void Show(const std::string& screen, const std::string& layout);
    // The key (an SDL key code) goes down or up; the mouse moves to a point of the game picture (in
    // game pixels, whatever the window's size).
    void Key(SDL_Keycode key, bool down);
    void MoveMouse(int x, int y);
    void Button(bool down, int x, int y);
    void FocusLost();
    // Characters typed, as the window's text input gives them; the window's close button.
    void Text(const char* text);
    void CloseWindow();

    int FrameNumber() const { return m_frame; }
    GF::THolder<GF::IScreen> Top() const;
    std::string TopName() const;
    CGameScreen* GetGameScreen() const;
    GF::THolder<CGameFieldBase> Field() const;
    CPlayerProfile& Player() const;
    // How many screens were created so far, and the last one (only to compare with): a screen may
    // take the place of one of its name at the same address.
    int CreatedCount() const { return m_created; }
    const GF::IScreen* LastCreated() const { return m_lastCreated; }
    // Every screen result as "screen:result", in order.
    const std::vector<std::string>& Results() const { return m_results; }
    // The engine's log so far.
    std::string Log() const;
    // The whole window drawn as the frame draws it (every screen), ARGB, top row first.
    std::vector<uint32_t> Picture(int* width, int* height) const;
    // What the frame being drawn holds so far (for a drawable reading the picture as it is drawn).
    std::vector<uint32_t> DrawnSoFar(int* width, int* height) const;
    static uint32_t At(const std::vector<uint32_t>& picture, int width, int x, int y) {
        return picture[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
    }
    const std::string& SaveFolder() const { return m_save.Path(); }

    bool timedOut = false;
    unsigned seed = 1;
    float frameMs = kFrameMs;  // set before Run

private:
    static void BeforeFrame(int frame);
    static void OnResult(GF::THolder<GF::IScreen> screen);
    static void OnCreated(GF::THolder<GF::IScreen> screen);

    CTempFolder m_save;
    CTempFolder m_runtime;
    CScopedEnv m_saveDir;
    CScopedEnv m_runtimeDir;
    TScript m_script;
    int m_frame = 0;
    int m_frameLimit = 0;
    bool m_ended = false;
    std::vector<std::string> m_results;
    int m_created = 0;
    const GF::IScreen* m_lastCreated = nullptr;
};
