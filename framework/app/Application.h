#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/core/Holder.h"
#include "platform/SingleInstance.h"

namespace GF {
namespace HGENS {

// The window title; it also names the instance lock and, cleaned, the save folder.
constexpr const char* kWindowTitle = "Quindle: Marvolant";

// The application: the start, frame and end steps that the engine's callbacks drive. The game
// derives its own and calls these from its overrides.
class CApplication {
public:
    // The engine is not owned.
    explicit CApplication(HGE* hge) : m_hge(hge) {}
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Seeds the random numbers, loads the resource tables and takes the screen manager; true = run
    // the frame loop.
    virtual bool Start();
    // Shuts the screen manager down and saves the settings.
    virtual void End();
    // dt in milliseconds, clamped to 50; false ends the frame loop.
    virtual bool Frame(float dt);
    // The window's close button: true lets the window close.
    virtual bool OnExit() { return true; }
    // Called after Alt+Enter switched between window and full screen.
    virtual void OnDisplayModeChanged() {}

protected:
    THolder<CGameManager> m_manager;
    HGE* m_hge;
};

// What the frame callbacks keep between frames, one per process.
struct tagFrameState {
    std::string programPath;             // the program's own executable, started anew by a restart
    std::vector<std::string> arguments;  // the command line, the program's name first, for a restart
    int colourDepth = 0;                 // desktop bits a pixel as the machine check measured it
    Platform::CSingleInstance instanceLock;
    bool altEnterLatch = false;
    // The window is sized to the desktop a few frames after it gained the focus (see FrameFunction).
    bool placementPending = false;
    int placementCountdown = 0;
    int clientWidth = 0;  // the window's client width as last set or placed
    // The game picture in the window: client pixels per game pixel, never 0 (the mouse is divided
    // by it), the same for both sides since the picture keeps its shape, and where its top-left
    // corner lies in the client area (the width of the black bars).
    float windowScaleX = 1.0f;
    float windowScaleY = 1.0f;
    float windowOffsetX = 0.0f;
    float windowOffsetY = 0.0f;
    int keyMap[HGEK_KEYCOUNT] = {};    // engine key code -> game key code (0 where none)
    bool keyDown[HGEK_KEYCOUNT] = {};  // engine key codes now down
};
tagFrameState& FrameState();

// Clears the key-down set and fills the key map: mouse buttons, Enter, Escape, Space, arrows, digits.
void ResetKeyMap();

// The point of the window's client area (its pixels, as the mouse reports them) that shows a point
// of the game picture, through the window scale and the bars.
void WindowPoint(float gameX, float gameY, int& windowX, int& windowY);

// The program's application object, the one the callbacks drive; setting another (or null)
// destroys the previous one.
void SetApplication(std::unique_ptr<CApplication> application);
CApplication* GetApplication();

// The engine callbacks. The frame function answers true to stop the frame loop; the focus
// handlers answer false; the exit request answers the application's OnExit.
bool FrameFunction();
bool FocusLostFunction();
bool FocusGainedFunction();
bool ExitFunction();

}  // namespace HGENS
}  // namespace GF
