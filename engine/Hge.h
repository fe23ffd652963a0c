#pragma once
// The engine interface the framework draws, plays and reads input through. One engine object per
// process, handed out by hgeCreate() and given back with Release(). The real engine sits on SDL2,
// OpenGL 3.3 core and SDL2_mixer (engine/Engine.cpp); tests install a recording double through
// hgeInstall().

#include <cstdint>

typedef uint32_t DWORD;
typedef uintptr_t HTEXTURE;
typedef uintptr_t HTARGET;
typedef uintptr_t HSTREAM;
typedef uintptr_t HCHANNEL;
typedef uintptr_t HWND_T;  // an opaque window value; 0 when there is no window

constexpr int HGE_VERSION = 0x154;

typedef bool (*hgeCallback)();

// State numbers. The framework relies on the numbers; the names are ours.
enum hgeFuncState {
    HGE_FRAMEFUNC = 1,
    HGE_FOCUSLOSTFUNC = 2,
    HGE_FOCUSGAINFUNC = 3,
    HGE_EXITFUNC = 4,
};

enum hgeStringState {
    HGE_ICON = 6,
    HGE_TITLE = 7,
    HGE_LOGFILE = 28,  // where System_Log writes besides stderr; empty = stderr only
};

enum hgeIntState {
    HGE_SCREENWIDTH = 8,
    HGE_SCREENHEIGHT = 9,
    HGE_SCREENBPP = 10,  // always 32 here
    HGE_RESERVED20 = 20,
    HGE_RESERVED21 = 21,
    HGE_FPS = 23,            // frame pacing: milliseconds per frame, 0 = unpaced, -1 = vertical sync
    HGE_CLIENTWIDTH = 30,    // the window's client area now; set: asks a window (not full screen)
    HGE_CLIENTHEIGHT = 31,   // for that client size, the other side kept
    HGE_DESKTOPHEIGHT = 32,  // read: height of the display the window is on
    HGE_DESKTOPBPP = 33,     // read: the display's colour depth (24-bit modes count as 32)
};

enum hgeBoolState {
    HGE_WINDOWED = 11,
    HGE_DONTSUSPEND = 18,
    HGE_HIDEMOUSE = 25,
};

enum hgeHwndState {
    HGE_HWND = 26,
};

// Blend bits: bit 0 colour add (else multiply), bit 1 alpha blend (else alpha add), bit 2 depth write.
enum {
    BLEND_COLORMUL = 0,
    BLEND_COLORADD = 1,
    BLEND_ALPHAADD = 0,
    BLEND_ALPHABLEND = 2,
    BLEND_NOZWRITE = 0,
    BLEND_ZWRITE = 4,
    BLEND_DEFAULT = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_NOZWRITE,
    BLEND_DEFAULT_Z = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE,
};

// Primitive kinds of a batch. A point batch takes hgePointVertex records (same size as hgeVertex)
// and draws each as a square of its size in pixels, centred on the point.
enum {
    HGEPRIM_POINTS = 1,
    HGEPRIM_LINES = 2,
    HGEPRIM_TRIPLES = 3,
    HGEPRIM_QUADS = 4,
};

struct hgeVertex {
    float x, y;  // screen pixels, y down
    float z;
    DWORD col;  // ARGB
    float tx, ty;
};

struct hgePointVertex {
    float x, y, z;
    float size;  // pixels
    DWORD col;   // ARGB
    float unused;
};
static_assert(sizeof(hgeVertex) == 24 && sizeof(hgePointVertex) == 24, "engine vertex records are 24 bytes");

struct hgeTriple {
    hgeVertex v[3];
    HTEXTURE tex;
    int blend;
};

struct hgeQuad {
    hgeVertex v[4];  // top-left, top-right, bottom-right, bottom-left
    HTEXTURE tex;
    int blend;
};

// Input event kinds. INPUT_CHAR carries one typed UTF-16 unit in chr.
enum {
    INPUT_KEYDOWN = 1,
    INPUT_KEYUP = 2,
    INPUT_MBUTTONDOWN = 3,
    INPUT_MBUTTONUP = 4,
    INPUT_MOUSEMOVE = 5,
    INPUT_MOUSEWHEEL = 6,
    INPUT_CHAR = 7,
};

enum {
    HGEINP_SHIFT = 1,
    HGEINP_CTRL = 2,
    HGEINP_ALT = 4,
    HGEINP_REPEAT = 8,
};

struct hgeInputEvent {
    int type;
    int key;    // engine key code, below 256
    int flags;  // HGEINP_*
    int chr;    // UTF-16 unit for INPUT_CHAR
    int wheel;
    float x, y;  // mouse position in client pixels
};

// Engine key codes (below 256). Mouse buttons are keys 1, 2 and 4.
enum {
    HGEK_LBUTTON = 0x01,
    HGEK_RBUTTON = 0x02,
    HGEK_MBUTTON = 0x04,
    HGEK_BACKSPACE = 0x08,
    HGEK_TAB = 0x09,
    HGEK_ENTER = 0x0D,
    HGEK_SHIFT = 0x10,
    HGEK_CTRL = 0x11,
    HGEK_ALT = 0x12,
    HGEK_PAUSE = 0x13,
    HGEK_ESCAPE = 0x1B,
    HGEK_SPACE = 0x20,
    HGEK_PGUP = 0x21,
    HGEK_PGDN = 0x22,
    HGEK_END = 0x23,
    HGEK_HOME = 0x24,
    HGEK_LEFT = 0x25,
    HGEK_UP = 0x26,
    HGEK_RIGHT = 0x27,
    HGEK_DOWN = 0x28,
    HGEK_INSERT = 0x2D,
    HGEK_DELETE = 0x2E,
    HGEK_0 = 0x30,   // through HGEK_9 = 0x39
    HGEK_A = 0x41,   // through HGEK_Z = 0x5A
    HGEK_F1 = 0x70,  // through HGEK_F12 = 0x7B
    HGEK_KEYCOUNT = 256,
};

class HGE {
public:
    virtual void Release() = 0;

    virtual bool System_Initiate() = 0;
    virtual void System_Shutdown() = 0;
    virtual bool System_Start() = 0;
    virtual const char* System_GetErrorMessage() = 0;
    virtual void System_Log(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual bool System_Launch(const char* url) = 0;

    virtual void System_SetStateBool(hgeBoolState state, bool value) = 0;
    virtual void System_SetStateFunc(hgeFuncState state, hgeCallback value) = 0;
    virtual void System_SetStateInt(hgeIntState state, int value) = 0;
    virtual void System_SetStateString(hgeStringState state, const char* value) = 0;
    virtual bool System_GetStateBool(hgeBoolState state) = 0;
    virtual int System_GetStateInt(hgeIntState state) = 0;
    virtual const char* System_GetStateString(hgeStringState state) = 0;
    virtual HWND_T System_GetStateHwnd(hgeHwndState state) = 0;

    virtual bool Resource_AttachPack(const char* filename, const char* password = nullptr) = 0;
    virtual void Resource_RemoveAllPacks() = 0;
    // The whole file, or null; a file of more than largest bytes (its kind's bound, see
    // engine/ResourcePacks.h) is refused by name before anything is read.
    virtual void* Resource_Load(const char* filename, DWORD* size, uint64_t largest) = 0;
    virtual void Resource_Free(void* res) = 0;
    // Whether the file is there to be loaded, whatever its size: a reader that got nothing tells a
    // file refused (named in the log already) from a missing one.
    virtual bool Resource_Exists(const char* filename) = 0;
    // Counts the packs attached and removed: what a file read before answered may differ after it
    // changes.
    virtual DWORD Resource_GetPackChanges() = 0;

    virtual float Timer_GetTime() = 0;   // seconds since System_Initiate
    virtual float Timer_GetDelta() = 0;  // seconds of the last frame

    virtual void Random_Seed(int seed = 0) = 0;
    virtual int Random_Int(int min, int max) = 0;
    virtual float Random_Float(float min, float max) = 0;

    virtual HSTREAM Stream_Load(const char* filename, DWORD size = 0) = 0;
    virtual void Stream_Free(HSTREAM stream) = 0;
    virtual HCHANNEL Stream_Play(HSTREAM stream, bool loop, int volume = 100) = 0;
    virtual void Channel_SetVolume(HCHANNEL chn, int volume) = 0;
    virtual void Channel_Pause(HCHANNEL chn) = 0;
    virtual void Channel_Resume(HCHANNEL chn) = 0;
    virtual void Channel_Stop(HCHANNEL chn) = 0;
    virtual void Channel_StopAll() = 0;
    virtual bool Channel_IsPlaying(HCHANNEL chn) = 0;

    virtual void Input_GetMousePos(float* x, float* y) = 0;  // client pixels
    virtual void Input_SetMousePos(float x, float y) = 0;
    virtual bool Input_GetKeyState(int key) = 0;
    virtual int Input_GetKey() = 0;  // the key pressed this frame, 0 if none
    virtual bool Input_GetEvent(hgeInputEvent* event) = 0;

    virtual bool Gfx_BeginScene(HTARGET target = 0) = 0;
    virtual void Gfx_EndScene() = 0;
    virtual void Gfx_Clear(DWORD color) = 0;
    virtual void Gfx_RenderLine(float x1, float y1, float x2, float y2, DWORD color = 0xFFFFFFFF,
                                float z = 0.5f) = 0;
    virtual void Gfx_RenderQuad(const hgeQuad* quad) = 0;
    // Answers a buffer for up to *maxPrim primitives; Gfx_FinishBatch(n) draws the first n.
    virtual hgeVertex* Gfx_StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim) = 0;
    virtual void Gfx_FinishBatch(int nprim) = 0;
    virtual void Gfx_SetClipping(int x = 0, int y = 0, int w = 0, int h = 0) = 0;
    virtual void Gfx_SetTransform(float x = 0, float y = 0, float dx = 0, float dy = 0, float rot = 0,
                                  float hscale = 0, float vscale = 0) = 0;
    // Which triangles and quads are dropped, by their winding as seen on the screen (in render
    // targets as well): 1 none, 2 clockwise, 3 counter-clockwise; other values are ignored. What is
    // gathered so far is drawn under the old mode first.
    virtual void Gfx_SetCullMode(int mode) = 0;
    virtual int Gfx_GetDrawCalls() = 0;  // draw calls issued since the last Gfx_BeginScene

    virtual HTARGET Target_Create(int width, int height, bool zbuffer) = 0;
    virtual void Target_Free(HTARGET target) = 0;
    virtual HTEXTURE Target_GetTexture(HTARGET target) = 0;  // reads the target's pixels back on Lock

    virtual HTEXTURE Texture_Create(int width, int height) = 0;
    virtual HTEXTURE Texture_Load(const char* filename, DWORD size = 0, bool mipmap = false) = 0;
    virtual void Texture_Free(HTEXTURE tex) = 0;
    virtual int Texture_GetWidth(HTEXTURE tex, bool original = false) = 0;
    virtual int Texture_GetHeight(HTEXTURE tex, bool original = false) = 0;
    // Pixels are ARGB (alpha in the top byte). The answer points at pixel (left, top); rows are
    // Texture_GetWidth(tex) pixels apart. width or height 0 locks the whole texture.
    virtual DWORD* Texture_Lock(HTEXTURE tex, bool readOnly = true, int left = 0, int top = 0, int width = 0,
                                int height = 0) = 0;
    virtual void Texture_Unlock(HTEXTURE tex) = 0;
    virtual void Texture_SetWrap(HTEXTURE tex, bool wrap) = 0;  // clamp by default

protected:
    virtual ~HGE() = default;
};

// Hands out the process's engine, adding a reference; creates the real engine on first use
// unless one was installed.
HGE* hgeCreate(int version);

// Installs an engine (a test double) that hgeCreate hands out from now on; nullptr goes back to the
// real engine. The caller keeps ownership.
void hgeInstall(HGE* engine);
