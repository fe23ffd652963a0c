#include "engine/Engine.h"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <ctime>
#include <thread>

#include "engine/EngineKeys.h"
#include "engine/PictureFile.h"
#include "engine/QuitSignals.h"
#include "engine/WindowManager.h"

namespace Engine {

namespace {

CEngine* g_engine = nullptr;
HGE* g_installed = nullptr;

constexpr Uint32 kVideoSystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;

// A display that does not tell its refresh rate is taken for this one.
constexpr int kDefaultRefreshRate = 60;

}  // namespace

int ColourDepthOfFormat(uint32_t sdlPixelFormat) {
    if (sdlPixelFormat == SDL_PIXELFORMAT_UNKNOWN) return 0;
    const int bytes = SDL_BYTESPERPIXEL(sdlPixelFormat);
    if (bytes == 3 || bytes == 4) return 32;
    if (bytes == 2) return 16;
    return static_cast<int>(SDL_BITSPERPIXEL(sdlPixelFormat));
}

int WindowDisplay(SDL_Window* window) {
    // The window opens centred on the first display, the primary one.
    return window ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0;
}

CEngine::CEngine() : m_packs(m_log, DataFolder()), m_audio(m_log), m_renderer(m_log) {
    m_random.Seed(static_cast<uint64_t>(std::time(nullptr)));
}

CEngine::~CEngine() {
    Teardown();
}

void CEngine::Release() {
    if (--m_refs > 0) return;
    if (g_engine == this) g_engine = nullptr;
    delete this;
}

bool CEngine::Fail(const std::string& message) {
    m_error = message;
    m_log.Write("%s", message.c_str());
    Teardown();
    return false;
}

// ---- system ----

bool CEngine::System_Initiate() {
    if (m_window) return true;
    m_shutDown = false;
    m_error.clear();
    m_refreshRate = 0;
    // A close button asks the exit function; SDL_QUIT then only comes from a signal that SDL handles
    // (where the program has not taken the signals over) or from an input script.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(kVideoSystems) != 0) {
        return Fail(std::string("System_Initiate: can't start SDL video: ") + SDL_GetError());
    }
    m_videoStarted = true;
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    // Hidden until the frame loop starts: the settings and the player read in between may still
    // switch it to full screen, and it then opens in the mode it keeps.
    const int display = WindowDisplay(nullptr);
    m_window = SDL_CreateWindow(m_title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                SDL_WINDOWPOS_CENTERED_DISPLAY(display), std::max(m_screenWidth, 1),
                                std::max(m_screenHeight, 1), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!m_window) return Fail(std::string("System_Initiate: can't create the window: ") + SDL_GetError());
    if (!m_windowed) ApplyFullscreen();
    m_context = SDL_GL_CreateContext(m_window);
    if (!m_context) {
        return Fail(std::string("System_Initiate: can't create an OpenGL 3.3 context: ") + SDL_GetError());
    }
    SDL_GL_MakeCurrent(m_window, m_context);
    ApplySwapInterval();
    std::string error;
    if (!m_renderer.Init(error)) return Fail("System_Initiate: " + error);

    SDL_ShowCursor(m_hideMouse ? SDL_DISABLE : SDL_ENABLE);
    ApplyIcon();
    SDL_StartTextInput();
    int mouseX = 0, mouseY = 0;
    SDL_GetMouseState(&mouseX, &mouseY);
    m_input.SetMouse(static_cast<float>(mouseX), static_cast<float>(mouseY));

    m_audio.Open();
    m_startCounter = m_lastFrame = m_fpsStart = SDL_GetPerformanceCounter();
    m_delta = 0;
    m_fps = 0;
    m_fpsFrames = 0;
    SDL_version version;
    SDL_GetVersion(&version);
    m_log.Write("Engine started: SDL %d.%d.%d, video %s, %dx%d %s, display %d Hz%s", version.major,
                version.minor, version.patch, SDL_GetCurrentVideoDriver(), m_screenWidth, m_screenHeight,
                m_windowed ? "windowed" : "fullscreen", RefreshRate(),
                m_vsyncRefused ? ", no vertical sync: frames paced by the engine" : "");
    return true;
}

void CEngine::Teardown() {
    m_audio.Close();
    if (m_context) {
        SDL_GL_MakeCurrent(m_window, m_context);
        m_renderer.Shutdown();
        SDL_GL_DeleteContext(m_context);
        m_context = nullptr;
    }
    if (m_window) {
        SDL_StopTextInput();
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (m_videoStarted) {
        IMG_Quit();
        SDL_QuitSubSystem(kVideoSystems);
        m_videoStarted = false;
    }
}

void CEngine::System_Shutdown() {
    if (m_shutDown) return;
    Teardown();
    m_packs.RemoveAll();
    m_shutDown = true;
}

bool CEngine::System_Start() {
    if (m_shutDown) return false;
    if (!m_window) {
        m_error = "System_Start: System_Initiate wasn't called";
        m_log.Write("%s", m_error.c_str());
        return false;
    }
    if (!m_frameFunc) {
        m_error = "System_Start: no frame function";
        m_log.Write("%s", m_error.c_str());
        return false;
    }
    SDL_ShowWindow(m_window);
    m_lastFrame = m_fpsStart = SDL_GetPerformanceCounter();
    m_nextFrame = 0;
    CQuitSignals::Looping();
    for (;;) {
        bool quit = false;
        const bool closeAsked = PumpEvents(quit);
        if (quit || CQuitSignals::Asked()) break;
        if (closeAsked && (!m_exitFunc || m_exitFunc())) break;
        Pace();
        const uint64_t now = SDL_GetPerformanceCounter();
        const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
        m_delta = m_fixedDelta > 0 ? m_fixedDelta
                                   : static_cast<float>(static_cast<double>(now - m_lastFrame) / frequency);
        m_lastFrame = now;
        m_fixedClock += static_cast<double>(m_fixedDelta);
        ++m_fpsFrames;
        if (static_cast<double>(now - m_fpsStart) >= frequency) {
            m_fps = m_fpsFrames;
            m_fpsFrames = 0;
            m_fpsStart = now;
            CheckVerticalSync();
        }
        const bool stop = m_frameFunc();
        m_input.EndFrame();
        if (stop || !m_window) break;  // the frame function may have shut the engine down
    }
    CQuitSignals::Closing();
    return true;
}

bool CEngine::PumpEvents(bool& quit) {
    bool closeAsked = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            quit = true;
        } else if (event.type == SDL_WINDOWEVENT) {
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    closeAsked = true;
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    if (m_focusLostFunc) m_focusLostFunc();
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    if (m_focusGainFunc) m_focusGainFunc();
                    break;
                default:
                    break;
            }
        } else {
            m_input.HandleEvent(event);
        }
    }
    return closeAsked;
}

// Frames start on a schedule of fixed steps, slept to rather than spun for; a frame that comes later
// than a whole step starts the schedule again from now instead of being caught up with a burst.
void CEngine::Pace() {
    double seconds = 0;
    if (m_framePacing > 0) seconds = m_framePacing / 1000.0;
    if (m_framePacing == -1 && m_vsyncRefused) seconds = 1.0 / RefreshRate();
    if (seconds <= 0) {
        m_nextFrame = 0;
        return;
    }
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const auto step = static_cast<uint64_t>(seconds * static_cast<double>(frequency));
    uint64_t now = SDL_GetPerformanceCounter();
    if (m_nextFrame > now) {
        const double wait = static_cast<double>(m_nextFrame - now) / static_cast<double>(frequency);
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
        now = SDL_GetPerformanceCounter();
    }
    m_nextFrame = m_nextFrame + step < now ? now + step : m_nextFrame + step;
}

// Vertical sync asked for can be refused by the driver, or granted without ever waiting (a software
// renderer, a virtual display): frames well above the display's rate tell so, and the engine then
// paces them itself.
void CEngine::CheckVerticalSync() {
    if (m_framePacing != -1 || m_vsyncRefused || m_fixedDelta > 0) return;
    const int rate = RefreshRate();
    if (m_fps <= rate + rate / 4) return;
    m_vsyncRefused = true;
    SDL_GL_SetSwapInterval(0);
    m_log.Write("Vertical sync does not hold frames back (%d a second): paced to %d Hz", m_fps, rate);
}

void CEngine::ApplySwapInterval() {
    m_vsyncRefused = false;
    if (!m_context) return;
    if (m_framePacing != -1) {
        SDL_GL_SetSwapInterval(0);
        return;
    }
    m_vsyncRefused = SDL_GL_SetSwapInterval(1) != 0;
}

int CEngine::RefreshRate() {
    SDL_DisplayMode mode;
    if (m_refreshRate == 0)
        m_refreshRate = DesktopMode(mode) && mode.refresh_rate > 0 ? mode.refresh_rate : kDefaultRefreshRate;
    return m_refreshRate;
}

void CEngine::System_Log(const char* format, ...) {
    if (m_shutDown) return;
    va_list args;
    va_start(args, format);
    m_log.WriteV(format, args);
    va_end(args);
}

bool CEngine::System_Launch(const char* url) {
    if (m_shutDown || !url || !*url) return false;
    m_log.Write("Launch %s", url);
    if (SDL_OpenURL(url) != 0) {
        m_log.Write("Can't launch %s: %s", url, SDL_GetError());
        return false;
    }
    return true;
}

// ---- states ----

void CEngine::System_SetStateBool(hgeBoolState state, bool value) {
    switch (state) {
        case HGE_WINDOWED:
            if (m_windowed == value) break;
            m_windowed = value;
            ApplyFullscreen();
            break;
        case HGE_DONTSUSPEND:
            m_dontSuspend = value;
            break;
        case HGE_HIDEMOUSE:
            m_hideMouse = value;
            if (m_window) SDL_ShowCursor(value ? SDL_DISABLE : SDL_ENABLE);
            break;
    }
}

// A switch that can't be carried out leaves the window as it was, windowed state included, so that
// what the engine reports and draws to stays the real window.
void CEngine::ApplyFullscreen() {
    if (!m_window) return;
    if (!m_windowed && !HasWindowManager(m_window)) {
        m_log.Write(
            "Can't switch to full screen: no window manager to carry it out; the window stays as it is");
        m_windowed = true;
        return;
    }
    if (SDL_SetWindowFullscreen(m_window, m_windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        m_log.Write("Can't switch to %s: %s", m_windowed ? "a window" : "full screen", SDL_GetError());
        m_windowed = (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    }
}

void CEngine::System_SetStateFunc(hgeFuncState state, hgeCallback value) {
    switch (state) {
        case HGE_FRAMEFUNC:
            m_frameFunc = value;
            break;
        case HGE_FOCUSLOSTFUNC:
            m_focusLostFunc = value;
            break;
        case HGE_FOCUSGAINFUNC:
            m_focusGainFunc = value;
            break;
        case HGE_EXITFUNC:
            m_exitFunc = value;
            break;
    }
}

void CEngine::System_SetStateInt(hgeIntState state, int value) {
    switch (state) {
        case HGE_SCREENWIDTH:
            m_screenWidth = value;
            break;
        case HGE_SCREENHEIGHT:
            m_screenHeight = value;
            break;
        case HGE_RESERVED20:
            m_reserved20 = value;
            break;
        case HGE_RESERVED21:
            m_reserved21 = value;
            break;
        case HGE_FPS:
            m_framePacing = value < 0 ? -1 : value;
            ApplySwapInterval();
            break;
        case HGE_CLIENTWIDTH:
        case HGE_CLIENTHEIGHT:
            SetClientSize(state == HGE_CLIENTWIDTH ? value : -1, state == HGE_CLIENTHEIGHT ? value : -1);
            break;
        default:
            break;  // the rest are read-only
    }
}

void CEngine::System_SetStateString(hgeStringState state, const char* value) {
    // A small number in place of a pointer names a built-in resource, of which this engine has none.
    if (reinterpret_cast<uintptr_t>(value) < 0x10000) value = "";
    switch (state) {
        case HGE_ICON:
            m_icon = value;
            ApplyIcon();
            break;
        case HGE_TITLE:
            m_title = value;
            if (m_window) SDL_SetWindowTitle(m_window, m_title.c_str());
            break;
        case HGE_LOGFILE:
            m_log.SetFile(value);
            break;
    }
}

bool CEngine::System_GetStateBool(hgeBoolState state) {
    switch (state) {
        case HGE_WINDOWED:
            return m_windowed;
        case HGE_DONTSUSPEND:
            return m_dontSuspend;
        case HGE_HIDEMOUSE:
            return m_hideMouse;
    }
    return false;
}

int CEngine::System_GetStateInt(hgeIntState state) {
    switch (state) {
        case HGE_SCREENWIDTH:
            return m_screenWidth;
        case HGE_SCREENHEIGHT:
            return m_screenHeight;
        case HGE_SCREENBPP:
            return 32;
        case HGE_RESERVED20:
            return m_reserved20;
        case HGE_RESERVED21:
            return m_reserved21;
        case HGE_FPS:
            return m_framePacing;
        case HGE_CLIENTWIDTH:
        case HGE_CLIENTHEIGHT: {
            // In the window's own units, those of the mouse.
            if (!m_window) return 0;
            int width = 0, height = 0;
            SDL_GetWindowSize(m_window, &width, &height);
            return state == HGE_CLIENTWIDTH ? width : height;
        }
        case HGE_DESKTOPHEIGHT:
        case HGE_DESKTOPBPP: {
            SDL_DisplayMode mode;
            if (!DesktopMode(mode)) return 0;
            if (state == HGE_DESKTOPHEIGHT) return mode.h;
            return ColourDepthOfFormat(mode.format);
        }
    }
    return 0;
}

// Only a window is sized: in full screen the desktop decides. The frame around the client area is
// the window manager's business.
void CEngine::SetClientSize(int width, int height) {
    if (!m_window || !m_windowed) return;
    int oldWidth = 0, oldHeight = 0;
    SDL_GetWindowSize(m_window, &oldWidth, &oldHeight);
    if (width <= 0) width = oldWidth;
    if (height <= 0) height = oldHeight;
    if (width == oldWidth && height == oldHeight) return;
    SDL_RestoreWindow(m_window);
    SDL_SetWindowSize(m_window, width, height);
}

bool CEngine::DesktopMode(SDL_DisplayMode& mode) {
    // Asked before the window exists (the machine check), video is started just for the question.
    const bool started = m_videoStarted || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!started) return false;
    const bool ok = SDL_GetDesktopDisplayMode(WindowDisplay(m_window), &mode) == 0;
    if (!m_videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return ok;
}

const char* CEngine::System_GetStateString(hgeStringState state) {
    switch (state) {
        case HGE_ICON:
            return m_icon.c_str();
        case HGE_TITLE:
            return m_title.c_str();
        case HGE_LOGFILE:
            return m_log.File().c_str();
    }
    return "";
}

HWND_T CEngine::System_GetStateHwnd(hgeHwndState state) {
    return state == HGE_HWND ? reinterpret_cast<HWND_T>(m_window) : 0;
}

void CEngine::ApplyIcon() {
    if (!m_window || m_icon.empty()) return;
    if (SDL_Surface* icon = DecodeImage(m_icon.c_str())) {
        SDL_SetWindowIcon(m_window, icon);
        SDL_FreeSurface(icon);
    }
}

// ---- resources, timer, random ----

bool CEngine::Resource_AttachPack(const char* filename, const char* /*password*/) {
    const bool attached = m_packs.Attach(filename);
    if (attached) ++m_packChanges;
    return attached;
}

void CEngine::Resource_RemoveAllPacks() {
    m_packs.RemoveAll();
    ++m_packChanges;
}

void* CEngine::Resource_Load(const char* filename, DWORD* size, uint64_t largest) {
    size_t length = 0;
    void* block = m_packs.Load(filename, &length, std::min<uint64_t>(largest, UINT32_MAX));
    if (size) *size = block ? static_cast<DWORD>(length) : 0;
    return block;
}

void CEngine::Resource_Free(void* res) {
    CResourcePacks::Free(res);
}

float CEngine::Timer_GetTime() {
    // With a fixed frame time the clock advances by frame times, so that what reads it repeats.
    if (m_fixedDelta > 0) return static_cast<float>(m_fixedClock);
    if (!m_startCounter) return 0;
    return static_cast<float>(static_cast<double>(SDL_GetPerformanceCounter() - m_startCounter) /
                              static_cast<double>(SDL_GetPerformanceFrequency()));
}

void CEngine::Random_Seed(int seed) {
    m_random.Seed(seed ? static_cast<uint64_t>(static_cast<uint32_t>(seed))
                       : static_cast<uint64_t>(std::time(nullptr)) ^ SDL_GetPerformanceCounter());
}

// ---- sound ----

HSTREAM CEngine::Stream_Load(const char* filename, DWORD /*size*/) {
    if (!m_audio.IsOpen()) return 0;
    // Effects and music come this one way; each is held whole until it is decoded.
    DWORD length = 0;
    void* block = Resource_Load(filename, &length, kMaxMusicFileBytes);
    if (!block) return 0;
    const HSTREAM stream = m_audio.Load(block, length, filename);
    Resource_Free(block);
    return stream;
}

// ---- input ----

void CEngine::Input_GetMousePos(float* x, float* y) {
    if (x) *x = m_input.MouseX();
    if (y) *y = m_input.MouseY();
}

void CEngine::Input_SetMousePos(float x, float y) {
    // The pointer moved to where the game already has it stays put: a warp would queue a motion
    // event that can arrive behind the player's own moves and pull the mouse back onto a stale spot.
    if (x == m_input.MouseX() && y == m_input.MouseY()) return;
    m_input.SetMouse(x, y);
    if (m_window) SDL_WarpMouseInWindow(m_window, static_cast<int>(x), static_cast<int>(y));
}

void CEngine::FeedInput(const tagFedInput& input) {
    using K = tagFedInput;
    const bool down = input.kind == K::kKeyDown || input.kind == K::kButtonDown;
    SDL_Event event{};
    // Every kind of event keeps its window in the same place.
    event.window.windowID = m_window ? SDL_GetWindowID(m_window) : 0;
    switch (input.kind) {
        case K::kKeyDown:
        case K::kKeyUp:
            event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.sym = SdlFromKey(input.key);
            event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
            break;
        case K::kMouseMove:
            event.type = SDL_MOUSEMOTION;
            event.motion.x = input.x;
            event.motion.y = input.y;
            break;
        case K::kButtonDown:
        case K::kButtonUp:
            event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
            event.button.button = SdlButtonFromKey(input.key);
            event.button.clicks = 1;
            event.button.x = input.x;
            event.button.y = input.y;
            break;
        case K::kText:
            // SDL carries text in short pieces; a long one is cut between characters, never inside one.
            event.type = SDL_TEXTINPUT;
            for (std::size_t at = 0, length = 0; at < input.text.size(); at += length) {
                length = std::min(input.text.size() - at, sizeof(event.text.text) - 1);
                while (length > 1 && at + length < input.text.size() &&
                       (input.text[at + length] & 0xC0) == 0x80)
                    --length;
                std::fill(std::begin(event.text.text), std::end(event.text.text), '\0');
                input.text.copy(event.text.text, length, at);
                SDL_PushEvent(&event);
            }
            return;
        case K::kFocusLost:
        case K::kClose:
            event.type = SDL_WINDOWEVENT;
            event.window.event = input.kind == K::kClose ? SDL_WINDOWEVENT_CLOSE : SDL_WINDOWEVENT_FOCUS_LOST;
            break;
        case K::kQuit:
            event.type = SDL_QUIT;
            break;
    }
    SDL_PushEvent(&event);
}

// ---- graphics ----

bool CEngine::Gfx_BeginScene(HTARGET target) {
    if (!m_window) return false;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(m_window, &width, &height);
    return m_renderer.BeginScene(target, m_screenWidth, m_screenHeight, width, height);
}

void CEngine::Gfx_EndScene() {
    if (m_renderer.EndScene() && m_window) SDL_GL_SwapWindow(m_window);
}

SDL_Surface* CEngine::DecodeImage(const char* name) {
    DWORD size = 0;
    void* block = Resource_Load(name, &size, kMaxPictureFileBytes);
    if (!block) return nullptr;
    SDL_Surface* image = DecodePicture(m_log, name, block, size);
    Resource_Free(block);
    return image;
}

HTEXTURE CEngine::Texture_Load(const char* filename, DWORD /*size*/, bool /*mipmap*/) {
    if (!m_renderer.Ready() || !filename) return 0;
    SDL_Surface* image = DecodeImage(filename);
    if (!image) return 0;
    HTEXTURE tex = 0;
    if (SDL_LockSurface(image) == 0) {
        tex = m_renderer.TextureFromPixels(static_cast<const uint32_t*>(image->pixels), image->w, image->h,
                                           image->pitch / 4);
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
    return tex;
}

}  // namespace Engine

// ---- the process's engine ----

HGE* hgeCreate(int version) {
    using Engine::g_engine;
    if (version != HGE_VERSION) return nullptr;
    if (Engine::g_installed) return Engine::g_installed;
    if (!g_engine) g_engine = new Engine::CEngine();
    g_engine->AddRef();
    return g_engine;
}

void hgeInstall(HGE* engine) {
    Engine::g_installed = engine;
}
