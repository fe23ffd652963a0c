#include "framework/app/Application.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "engine/PictureFit.h"
#include "framework/app/GameSound.h"
#include "framework/app/Music.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/core/Random.h"
#include "framework/gui/CheckBoxControl.h"
#include "framework/gui/ConfirmScreen.h"
#include "framework/gui/EditControl.h"
#include "framework/gui/ListBoxControl.h"
#include "framework/gui/NewPlayerScreen.h"
#include "framework/gui/PublisherScreen.h"
#include "framework/gui/RadioGroupControl.h"
#include "framework/gui/SliderControl.h"
#include "framework/resources/Resource.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

namespace GF {
namespace HGENS {

namespace {

constexpr float kLongestFrame = 50.0f;  // milliseconds

// Frames between gaining the focus and placing the window: the fourth frame places it.
constexpr int kPlacementDelay = 3;
// A desktop this high takes the 800x600 window; a lower one gets 640x480.
constexpr int kTallDesktop = 768;

std::unique_ptr<CApplication>& ApplicationSlot() {
    static std::unique_ptr<CApplication> application;
    return application;
}

// Engine interfaces are taken per use and given back at the end of the scope.
class CEngineRef {
public:
    CEngineRef() : m_hge(hgeCreate(HGE_VERSION)) {}
    ~CEngineRef() { m_hge->Release(); }
    CEngineRef(const CEngineRef&) = delete;
    CEngineRef& operator=(const CEngineRef&) = delete;
    HGE* operator->() const { return m_hge; }

private:
    HGE* m_hge;
};

// Lines meant for a debugger watching the program; stderr is the nearest thing here.
void DebugOutput(const char* line) {
    std::fputs(line, stderr);
}

// Where the game picture lies in the window's client area: the same fit the engine draws it with.
// A window with no client area (minimised) keeps the last scale, so the mouse is never divided by zero.
void UpdateWindowScale(const CEngineRef& hge, tagFrameState& state) {
    const THolder<CGameProperties> properties = GetGameProperties();
    const Engine::tagPictureFit fit = Engine::FitPicture(
        properties->m_screenWidth, properties->m_screenHeight, hge->System_GetStateInt(HGE_CLIENTWIDTH),
        hge->System_GetStateInt(HGE_CLIENTHEIGHT));
    if (fit.width <= 0 || fit.height <= 0) return;
    state.windowScaleX = state.windowScaleY = fit.scale;
    state.windowOffsetX = static_cast<float>(fit.x);
    state.windowOffsetY = static_cast<float>(fit.y);
}

float GameX(const tagFrameState& state, float windowX) {
    return (windowX - state.windowOffsetX) / state.windowScaleX;
}

float GameY(const tagFrameState& state, float windowY) {
    return (windowY - state.windowOffsetY) / state.windowScaleY;
}

void ReadMouse(const CEngineRef& hge, tagFrameState& state) {
    if (hge->System_GetStateHwnd(HGE_HWND) == 0) return;
    UpdateWindowScale(hge, state);
    float x = 0.0f;
    float y = 0.0f;
    hge->Input_GetMousePos(&x, &y);
    GetMouse()->SetPosition(GameX(state, x), GameY(state, y));
}

// A click on the black bars beside the picture reaches no control.
bool OnBars(const tagFrameState& state, const hgeInputEvent& event) {
    const THolder<CGameProperties> properties = GetGameProperties();
    const float x = GameX(state, event.x);
    const float y = GameY(state, event.y);
    return x < 0.0f || y < 0.0f || x >= static_cast<float>(properties->m_screenWidth) ||
           y >= static_cast<float>(properties->m_screenHeight);
}

// A window on a desktop too low for it, or of another width than the game's, gets a client area
// of 800x600, or 640x480 on a desktop below 768 pixels. Only a window is placed; the engine keeps
// the client area's top-left corner where it was.
void PlaceWindow(const CEngineRef& hge, tagFrameState& state) {
    if (!hge->System_GetStateBool(HGE_WINDOWED)) return;
    const THolder<CGameProperties> properties = GetGameProperties();
    const int desktopHeight = hge->System_GetStateInt(HGE_DESKTOPHEIGHT);
    const bool tall = desktopHeight >= kTallDesktop;
    if (tall && state.clientWidth == properties->m_screenWidth &&
        hge->System_GetStateInt(HGE_CLIENTWIDTH) >= properties->m_screenWidth)
        return;
    hge->System_SetStateInt(HGE_CLIENTWIDTH, tall ? 800 : 640);
    hge->System_SetStateInt(HGE_CLIENTHEIGHT, tall ? 600 : 480);
    state.clientWidth = hge->System_GetStateInt(HGE_CLIENTWIDTH);
    hge->System_Log("Window placed: client area %dx%d on a desktop %d pixels high", state.clientWidth,
                    hge->System_GetStateInt(HGE_CLIENTHEIGHT), desktopHeight);
    UpdateWindowScale(hge, state);
}

// Counts down the frames after the focus came; the frame after the count reached 0 places the window.
void CheckPlacement(const CEngineRef& hge, tagFrameState& state) {
    if (!state.placementPending) return;
    if (state.placementCountdown > 0) {
        --state.placementCountdown;
        return;
    }
    state.placementPending = false;
    PlaceWindow(hge, state);
}

// Alt+Enter switches between window and full screen once both keys are let go; Ctrl+Alt+Enter
// does nothing.
void CheckAltEnter(const CEngineRef& hge, tagFrameState& state) {
    const bool alt = hge->Input_GetKeyState(HGEK_ALT);
    const bool enter = hge->Input_GetKeyState(HGEK_ENTER);
    if (state.altEnterLatch && !alt && !enter) {
        state.altEnterLatch = false;
        GetGameManager()->SetFullScreen(hge->System_GetStateBool(HGE_WINDOWED));
        if (CApplication* application = GetApplication()) application->OnDisplayModeChanged();
    }
    if (!hge->Input_GetKeyState(HGEK_CTRL) && alt && enter) state.altEnterLatch = true;
}

// Engine input events become the key table's flags and events, and typed characters go to the
// manager's character event. A key pressed with Alt held raises nothing, but letting go of a key
// that is down is always applied, so a key or button released while Alt is held never stays down.
void ReadEvents(const CEngineRef& hge, tagFrameState& state) {
    const THolder<CKeyset> keyset = GetKeyset();
    hgeInputEvent event{};
    while (hge->Input_GetEvent(&event)) {
        if (event.type == INPUT_CHAR) {
            GetGameManager()->RaiseChar(static_cast<WChar>(event.chr));
            continue;
        }
        const bool pressed = event.type == INPUT_KEYDOWN || event.type == INPUT_MBUTTONDOWN;
        const bool released = event.type == INPUT_KEYUP || event.type == INPUT_MBUTTONUP;
        if ((!pressed && !released) || event.key < 0 || event.key >= HGEK_KEYCOUNT) continue;
        const bool alt = (event.flags & HGEINP_ALT) != 0;
        const int code = state.keyMap[event.key];
        bool& down = state.keyDown[event.key];
        if (pressed) {
            if (alt || (event.type == INPUT_MBUTTONDOWN && OnBars(state, event))) continue;
            if (!down) {
                down = true;
                keyset->SetDown(code, true);
            }
            keyset->RaiseKeyDown(code);
        } else {
            if (alt && !down) continue;
            if (down) {
                down = false;
                keyset->SetDown(code, false);
            }
            keyset->RaiseKeyUp(code);
        }
    }
}

}  // namespace

tagFrameState& FrameState() {
    static tagFrameState state;
    return state;
}

void ResetKeyMap() {
    tagFrameState& state = FrameState();
    for (int key = 0; key < HGEK_KEYCOUNT; ++key) {
        state.keyMap[key] = 0;
        state.keyDown[key] = false;
    }
    state.keyMap[HGEK_LBUTTON] = CKeyset::kKeyMouseLeft;
    state.keyMap[HGEK_RBUTTON] = CKeyset::kKeyMouseRight;
    state.keyMap[HGEK_ENTER] = CKeyset::kKeyEnter;
    state.keyMap[HGEK_ESCAPE] = CKeyset::kKeyEscape;
    state.keyMap[HGEK_SPACE] = CKeyset::kKeySpace;
    state.keyMap[HGEK_LEFT] = CKeyset::kKeyLeft;
    state.keyMap[HGEK_UP] = CKeyset::kKeyUp;
    state.keyMap[HGEK_RIGHT] = CKeyset::kKeyRight;
    state.keyMap[HGEK_DOWN] = CKeyset::kKeyDown;
    for (int digit = 0; digit <= 9; ++digit) state.keyMap[HGEK_0 + digit] = CKeyset::kKeyDigit0 + digit;
}

void WindowPoint(float gameX, float gameY, int& windowX, int& windowY) {
    const tagFrameState& state = FrameState();
    windowX = static_cast<int>(std::lround(gameX * state.windowScaleX + state.windowOffsetX));
    windowY = static_cast<int>(std::lround(gameY * state.windowScaleY + state.windowOffsetY));
}

void SetApplication(std::unique_ptr<CApplication> application) {
    // The old application goes after the slot has changed, so its destructor never sees itself there.
    std::unique_ptr<CApplication> previous = std::move(ApplicationSlot());
    ApplicationSlot() = std::move(application);
}

CApplication* GetApplication() {
    return ApplicationSlot().get();
}

CApplication::~CApplication() {
    tagFrameState& state = FrameState();
    if (state.instanceLock.IsHeld()) {
        if (m_hge) m_hge->System_Log("mutext rel");
        state.instanceLock.Release();
    }
}

bool CApplication::Start() {
    SeedRand(static_cast<unsigned>(std::time(nullptr)));
    // Layouts make their objects and controls through these tables, so they are filled before
    // the resource script describes anything and before any screen exists.
    InstallSceneObjectMakers();
    RegisterEditControl();
    RegisterSliderControl();
    RegisterListBoxControl();
    RegisterCheckBoxControl();
    RegisterRadioGroupControl();
    GetResource()->Load();
    m_manager = GetGameManager();
    // The framework's own screens; the game's registrations come later and replace them.
    m_manager->RegisterScreenFactory("confirm_screen", &CConfirmMenuScreen::Create);
    m_manager->RegisterScreenFactory("new_player_screen", &CNewPlayerMenuScreen::Create);
    m_manager->RegisterScreenFactory("PublisherScreen", &CPublisherScreen::Create);
    return true;
}

void CApplication::End() {
    if (m_manager) {
        m_manager->Shutdown();
        m_manager->SaveSettings();
    }
    // The registry is the process's: particle systems of screens that ended before their last spark
    // died would keep their scenes, and the engine, past this run.
    ParticleRegistry::ClearAll();
    // Logs the texture list and lets go of every table; a next start loads them afresh.
    GetResource()->Clear();
}

bool CApplication::Frame(float dt) {
    if (dt > kLongestFrame) {
        m_hge->System_Log("if(fDeltaTimeTmp > 50) fDeltaTimeTmp == %f", dt);
        dt = kLongestFrame;
    }
    return m_manager && m_manager->Update(dt);
}

bool FrameFunction() {
    const CEngineRef hge;
    tagFrameState& state = FrameState();
    ReadMouse(hge, state);
    CheckAltEnter(hge, state);
    CheckPlacement(hge, state);
    ReadEvents(hge, state);
    const float dt = hge->Timer_GetDelta() * 1000.0f;
    CApplication* application = GetApplication();
    return !application || !application->Frame(dt);
}

bool FocusLostFunction() {
    DebugOutput("LostFocus\n");
    GetMusic()->Pause("");
    CGameSound::Instance()->PauseAll();
    GetGameManager()->RaiseDeactivate();
    return false;
}

bool FocusGainedFunction() {
    DebugOutput("Gain focus\n");
    const CEngineRef hge;
    tagFrameState& state = FrameState();
    const int depth = hge->System_GetStateInt(HGE_DESKTOPBPP);
    if (depth != state.colourDepth && hge->System_GetStateBool(HGE_WINDOWED)) {
        state.colourDepth = depth;
        const bool restart =
            Platform::ShowMessageBox(kWindowTitle, "The game must restart for these changes to take effect",
                                     Platform::kMessageQuestion);
        if (restart && !state.programPath.empty()) {
            const THolder<CGameManager> manager = GetGameManager();
            manager->SaveSettings();
            state.instanceLock.Release();
            // A new copy of this program with this one's command line; this one ends below.
            hge->System_Log("Restart %s", state.programPath.c_str());
            std::string error;
            if (Platform::StartProgram(state.programPath, state.arguments, error)) {
                // The new copy starts its own log and reads the settings just saved: this one, on
                // its way out, must write neither.
                hge->System_SetStateString(HGE_LOGFILE, "");
                manager->HandOverSaveFolder();
            } else {
                hge->System_Log("%s", error.c_str());
            }
        }
        // Without screens the frame loop ends at its next step.
        GetGameManager()->DestroyAllScreens();
    }
    state.windowScaleX = 1.0f;
    state.windowScaleY = 1.0f;
    state.windowOffsetX = 0.0f;
    state.windowOffsetY = 0.0f;
    if (hge->System_GetStateBool(HGE_WINDOWED)) {
        state.placementPending = true;
        state.placementCountdown = kPlacementDelay;
    }
    GetMusic()->Resume("");
    CGameSound::Instance()->ResumeAll();
    GetGameManager()->RaiseActivate();
    return false;
}

bool ExitFunction() {
    CApplication* application = GetApplication();
    return !application || application->OnExit();
}

}  // namespace HGENS
}  // namespace GF
