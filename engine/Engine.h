#pragma once
// The real engine behind Hge.h: one window with an OpenGL 3.3 core context, the frame loop, input,
// resource packs, textures and render targets, and sound. hgeCreate() makes it on first use and
// the last Release() deletes it. Once System_Shutdown has run, the System_* calls do nothing, so
// that objects destroyed at process exit may still log through an engine they hold.
//
// Sizes and sources: a texture's device size is its image size (Texture_GetWidth answers the same
// for both questions); Texture_Load and Stream_Load read the named file through Resource_Load, and
// their size and mipmap arguments are not used.

#include <SDL2/SDL.h>

#include <string>

#include "engine/Audio.h"
#include "engine/Hge.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/Random.h"
#include "engine/Renderer.h"
#include "engine/ResourcePacks.h"

namespace Engine {

// Bits a pixel of a desktop's pixel format as the game counts them: three or four bytes a pixel are
// 32 bits, two bytes 16; other formats count their bits, an unknown one 0. The machine check and
// the engine's desktop depth both count this way, so the two never disagree.
int ColourDepthOfFormat(uint32_t sdlPixelFormat);

// The display a window is on; without a window, the one the engine opens its window on. The machine
// check reads the desktop of WindowDisplay(nullptr) before the window exists, the engine that of its
// window's afterwards: both the display the window opens on, whatever the other monitors show.
int WindowDisplay(SDL_Window* window);

class CEngine final : public HGE {
public:
    CEngine();
    ~CEngine() override;

    void AddRef() { ++m_refs; }
    void Release() override;

    bool System_Initiate() override;
    void System_Shutdown() override;
    bool System_Start() override;
    const char* System_GetErrorMessage() override { return m_error.c_str(); }
    void System_Log(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    bool System_Launch(const char* url) override;

    void System_SetStateBool(hgeBoolState state, bool value) override;
    void System_SetStateFunc(hgeFuncState state, hgeCallback value) override;
    void System_SetStateInt(hgeIntState state, int value) override;
    void System_SetStateString(hgeStringState state, const char* value) override;
    bool System_GetStateBool(hgeBoolState state) override;
    int System_GetStateInt(hgeIntState state) override;
    const char* System_GetStateString(hgeStringState state) override;
    HWND_T System_GetStateHwnd(hgeHwndState state) override;

    bool Resource_AttachPack(const char* filename, const char* password) override;
    void Resource_RemoveAllPacks() override;
    void* Resource_Load(const char* filename, DWORD* size, uint64_t largest) override;
    void Resource_Free(void* res) override;
    DWORD Resource_GetPackChanges() override { return m_packChanges; }
    bool Resource_Exists(const char* filename) override { return m_packs.Exists(filename); }

    float Timer_GetTime() override;
    float Timer_GetDelta() override { return m_delta; }

    void Random_Seed(int seed) override;
    int Random_Int(int min, int max) override { return m_random.Int(min, max); }
    float Random_Float(float min, float max) override { return m_random.Float(min, max); }

    HSTREAM Stream_Load(const char* filename, DWORD size) override;
    void Stream_Free(HSTREAM stream) override { m_audio.Free(stream); }
    HCHANNEL Stream_Play(HSTREAM stream, bool loop, int volume) override {
        return m_audio.Play(stream, loop, volume);
    }
    void Channel_SetVolume(HCHANNEL chn, int volume) override { m_audio.SetVolume(chn, volume); }
    void Channel_Pause(HCHANNEL chn) override { m_audio.Pause(chn); }
    void Channel_Resume(HCHANNEL chn) override { m_audio.Resume(chn); }
    void Channel_Stop(HCHANNEL chn) override { m_audio.Stop(chn); }
    void Channel_StopAll() override { m_audio.StopAll(); }
    bool Channel_IsPlaying(HCHANNEL chn) override { return m_audio.IsPlaying(chn); }

    void Input_GetMousePos(float* x, float* y) override;
    void Input_SetMousePos(float x, float y) override;
    bool Input_GetKeyState(int key) override { return m_input.KeyState(key); }
    int Input_GetKey() override { return m_input.Key(); }
    bool Input_GetEvent(hgeInputEvent* event) override { return m_input.GetEvent(event); }

    bool Gfx_BeginScene(HTARGET target) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(DWORD color) override { m_renderer.Clear(color); }
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, DWORD color, float z) override {
        m_renderer.RenderLine(x1, y1, x2, y2, color, z);
    }
    void Gfx_RenderQuad(const hgeQuad* quad) override {
        if (quad) m_renderer.RenderQuad(*quad);
    }
    hgeVertex* Gfx_StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim) override {
        return m_renderer.StartBatch(primType, tex, blend, maxPrim);
    }
    void Gfx_FinishBatch(int nprim) override { m_renderer.FinishBatch(nprim); }
    void Gfx_SetClipping(int x, int y, int w, int h) override { m_renderer.SetClipping(x, y, w, h); }
    void Gfx_SetTransform(float x, float y, float dx, float dy, float rot, float hscale,
                          float vscale) override {
        m_renderer.SetTransform(x, y, dx, dy, rot, hscale, vscale);
    }
    void Gfx_SetCullMode(int mode) override { m_renderer.SetCullMode(mode); }
    int Gfx_GetDrawCalls() override { return m_renderer.DrawCalls(); }

    HTARGET Target_Create(int width, int height, bool /*zbuffer*/) override {
        return m_renderer.TargetCreate(width, height);
    }
    void Target_Free(HTARGET target) override { m_renderer.TargetFree(target); }
    HTEXTURE Target_GetTexture(HTARGET target) override { return m_renderer.TargetTexture(target); }

    HTEXTURE Texture_Create(int width, int height) override {
        return m_renderer.TextureCreate(width, height);
    }
    HTEXTURE Texture_Load(const char* filename, DWORD size, bool mipmap) override;
    void Texture_Free(HTEXTURE tex) override { m_renderer.TextureFree(tex); }
    int Texture_GetWidth(HTEXTURE tex, bool original) override {
        return m_renderer.TextureWidth(tex, original);
    }
    int Texture_GetHeight(HTEXTURE tex, bool original) override {
        return m_renderer.TextureHeight(tex, original);
    }
    DWORD* Texture_Lock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height) override {
        return m_renderer.TextureLock(tex, readOnly, left, top, width, height);
    }
    void Texture_Unlock(HTEXTURE tex) override { m_renderer.TextureUnlock(tex); }
    void Texture_SetWrap(HTEXTURE tex, bool wrap) override { m_renderer.TextureSetWrap(tex, wrap); }

    // For tests: the pixels of the scene being drawn (between Gfx_BeginScene and Gfx_EndScene), ARGB,
    // top row first; for the screen, the picture as the window shows it, without the bars.
    std::vector<uint32_t> ReadScene(int* width, int* height) { return m_renderer.ReadScene(width, height); }
    // The distinct textures drawn since the last Gfx_BeginScene (what a scene could at best be batched into).
    int TexturesDrawn() { return m_renderer.TexturesDrawn(); }
    // For scripted runs: every later frame lasts this many seconds whatever the clock says, so a
    // script counted in frames sees the same times on any machine (Timer_GetTime then counts those
    // frames); 0 goes back to the clock.
    void SetFixedDelta(float seconds) { m_fixedDelta = seconds; }
    // For scripted runs and tests: the input goes into SDL's event queue, to be read by the next
    // frame through the same path as the player's own.
    void FeedInput(const tagFedInput& input);

private:
    bool Fail(const std::string& message);
    void Teardown();
    // Pumps SDL's events into the input; answers true when the window was asked to close.
    bool PumpEvents(bool& quit);
    void Pace();
    void CheckVerticalSync();
    void ApplySwapInterval();
    // The display's refresh rate, 60 when it does not say.
    int RefreshRate();
    void ApplyIcon();
    void ApplyFullscreen();
    // -1 keeps that side.
    void SetClientSize(int width, int height);
    SDL_Surface* DecodeImage(const char* name);
    bool DesktopMode(SDL_DisplayMode& mode);

    int m_refs = 0;
    bool m_shutDown = false;
    std::string m_error;

    CLog m_log;
    CResourcePacks m_packs;
    DWORD m_packChanges = 0;
    CInput m_input;
    CRandom m_random;
    CAudio m_audio;
    CRenderer m_renderer;

    bool m_videoStarted = false;
    SDL_Window* m_window = nullptr;
    SDL_GLContext m_context = nullptr;

    hgeCallback m_frameFunc = nullptr;
    hgeCallback m_focusLostFunc = nullptr;
    hgeCallback m_focusGainFunc = nullptr;
    hgeCallback m_exitFunc = nullptr;
    std::string m_title;
    std::string m_icon;
    int m_screenWidth = 800;
    int m_screenHeight = 600;
    int m_reserved20 = 0;
    int m_reserved21 = 0;
    int m_framePacing = 0;
    bool m_windowed = true;
    bool m_dontSuspend = false;
    bool m_hideMouse = false;

    uint64_t m_startCounter = 0;
    uint64_t m_lastFrame = 0;
    uint64_t m_nextFrame = 0;     // when the paced schedule lets the next frame start; 0 = not paced
    bool m_vsyncRefused = false;  // vertical sync asked for and not given: the engine paces
    int m_refreshRate = 0;        // 0 until asked
    uint64_t m_fpsStart = 0;
    int m_fpsFrames = 0;
    float m_delta = 0;
    float m_fixedDelta = 0;
    double m_fixedClock = 0;  // seconds of fixed frames run
    int m_fps = 0;
};

}  // namespace Engine
