#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/Hge.h"

// A test double of the engine: scripted frame times, random numbers, keys, mouse and resources
// served from memory, and a record of what the framework asked of it. Constructing one installs it
// as the engine hgeCreate() hands out; destroying it puts the real engine back.
class CRecordingEngine : public HGE {
public:
    CRecordingEngine();
    ~CRecordingEngine() override;

    // --- scripting ---
    void SetDelta(float seconds) { m_delta = seconds; }
    void QueueDeltas(const std::vector<float>& seconds);
    // Random_Float/Random_Int answer min + f * (max - min) for each queued f in [0, 1]; then min.
    void QueueRandom(const std::vector<float>& fractions);
    void SetKeyState(int key, bool down);
    void SetKey(int key) { m_key = key; }
    void QueueEvent(const hgeInputEvent& event) { m_events.push_back(event); }
    void SetMouse(float x, float y) { m_mouseX = x, m_mouseY = y; }
    void AddResource(const std::string& name, const std::vector<unsigned char>& bytes);
    void AddResource(const std::string& name, const std::string& bytes);
    void RemoveResource(const std::string& name);
    void SetTextureSize(const std::string& name, int width, int height);
    void SetChannelPlaying(HCHANNEL channel, bool playing);
    void SetMaxFrames(int frames) { m_maxFrames = frames; }  // System_Start stops after this many
    void FailInitiate(bool fail) { m_failInitiate = fail; }
    void FailTextureCreate(bool fail) { m_failTextureCreate = fail; }  // Texture_Create answers 0
    void FailTextureLock(bool fail) { m_failTextureLock = fail; }      // Texture_Lock answers null
    // Texture_Create rounds each side up to a power of two, as a device may.
    void SetPowerOfTwoTextures(bool on) { m_powerOfTwo = on; }
    // System_Log lines also go to the file named as the log file (HGE_LOGFILE), as the engine's do.
    void WriteLogFile(bool on) { m_writeLogFile = on; }

    // --- record ---
    struct ChannelState {
        HSTREAM stream = 0;
        bool loop = false;
        int volume = 0;
        bool playing = false;
        bool paused = false;
    };
    std::vector<std::string> calls;  // one line per state-changing call, e.g. "Channel_Pause 2"
    std::vector<std::string> log;    // System_Log lines
    std::vector<hgeQuad> quads;      // every quad drawn, in order
    std::vector<hgePointVertex> points;
    struct Line {
        float x1, y1, x2, y2;
        DWORD color;
    };
    std::vector<Line> lines;
    std::vector<std::vector<int>> clipping;  // each Gfx_SetClipping(x, y, w, h)
    std::map<HCHANNEL, ChannelState> channels;
    int framesRun = 0;
    int outstandingBlocks = 0;  // Resource_Load blocks not yet freed
    DWORD packChanges = 0;

    bool HasCall(const std::string& call) const;
    int CountCalls(const std::string& prefix) const;
    bool HasLog(const std::string& line) const;  // a line containing this text
    void ClearRecord();

    // --- the engine interface ---
    void Release() override {}
    bool System_Initiate() override;
    void System_Shutdown() override;
    bool System_Start() override;
    const char* System_GetErrorMessage() override { return "recording engine"; }
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
    void Resource_RemoveAllPacks() override { ++packChanges; }
    // Adding a resource counts as a pack change. A resource beyond largest answers null.
    void* Resource_Load(const char* filename, DWORD* size, uint64_t largest) override;
    void Resource_Free(void* res) override;
    DWORD Resource_GetPackChanges() override { return packChanges; }
    bool Resource_Exists(const char* filename) override;

    float Timer_GetTime() override { return m_time; }
    float Timer_GetDelta() override;

    void Random_Seed(int seed) override;
    int Random_Int(int min, int max) override;
    float Random_Float(float min, float max) override;

    HSTREAM Stream_Load(const char* filename, DWORD size) override;
    void Stream_Free(HSTREAM stream) override;
    HCHANNEL Stream_Play(HSTREAM stream, bool loop, int volume) override;
    void Channel_SetVolume(HCHANNEL chn, int volume) override;
    void Channel_Pause(HCHANNEL chn) override;
    void Channel_Resume(HCHANNEL chn) override;
    void Channel_Stop(HCHANNEL chn) override;
    void Channel_StopAll() override;
    bool Channel_IsPlaying(HCHANNEL chn) override;

    void Input_GetMousePos(float* x, float* y) override;
    void Input_SetMousePos(float x, float y) override;
    bool Input_GetKeyState(int key) override;
    int Input_GetKey() override { return m_key; }
    bool Input_GetEvent(hgeInputEvent* event) override;

    bool Gfx_BeginScene(HTARGET target) override;
    void Gfx_EndScene() override;
    void Gfx_Clear(DWORD color) override;
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, DWORD color, float z) override;
    void Gfx_RenderQuad(const hgeQuad* quad) override;
    hgeVertex* Gfx_StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim) override;
    void Gfx_FinishBatch(int nprim) override;
    void Gfx_SetClipping(int x, int y, int w, int h) override;
    void Gfx_SetTransform(float x, float y, float dx, float dy, float rot, float hscale,
                          float vscale) override;
    void Gfx_SetCullMode(int mode) override;
    int Gfx_GetDrawCalls() override { return m_drawCalls; }

    HTARGET Target_Create(int width, int height, bool zbuffer) override;
    void Target_Free(HTARGET target) override;
    HTEXTURE Target_GetTexture(HTARGET target) override;

    HTEXTURE Texture_Create(int width, int height) override;
    HTEXTURE Texture_Load(const char* filename, DWORD size, bool mipmap) override;
    void Texture_Free(HTEXTURE tex) override;
    int Texture_GetWidth(HTEXTURE tex, bool original) override;
    int Texture_GetHeight(HTEXTURE tex, bool original) override;
    DWORD* Texture_Lock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height) override;
    void Texture_Unlock(HTEXTURE tex) override;
    void Texture_SetWrap(HTEXTURE tex, bool wrap) override;

    struct Texture {
        int width = 0, height = 0;
        std::vector<DWORD> pixels;
        std::string name;
    };
    std::map<HTEXTURE, Texture> textures;

private:
    static std::string Normalize(const std::string& name);
    void Record(const std::string& call) { calls.push_back(call); }

    float m_delta = 0.016f;
    float m_time = 0.0f;
    std::deque<float> m_deltas;
    std::deque<float> m_random;
    bool m_keys[256] = {};
    int m_key = 0;
    std::deque<hgeInputEvent> m_events;
    float m_mouseX = 0, m_mouseY = 0;
    std::map<std::string, std::vector<unsigned char>> m_resources;
    std::map<std::string, std::pair<int, int>> m_textureSizes;
    std::map<int, bool> m_bools;
    std::map<int, int> m_ints;
    std::map<int, std::string> m_strings;
    std::map<int, hgeCallback> m_funcs;
    int m_maxFrames = 1000;
    bool m_failInitiate = false;
    bool m_failTextureCreate = false;
    bool m_failTextureLock = false;
    bool m_powerOfTwo = false;
    bool m_writeLogFile = false;
    bool m_initiated = false;
    uintptr_t m_nextHandle = 1;
    std::map<HSTREAM, std::string> m_streams;
    std::map<HTARGET, HTEXTURE> m_targets;
    std::vector<hgeVertex> m_batch;
    int m_batchType = 0;
    HTEXTURE m_batchTex = 0;
    int m_batchBlend = 0;
    int m_drawCalls = 0;
};
