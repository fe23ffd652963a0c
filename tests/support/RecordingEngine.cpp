#include "tests/support/RecordingEngine.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

CRecordingEngine::CRecordingEngine() {
    m_ints[HGE_SCREENWIDTH] = 800;
    m_ints[HGE_SCREENHEIGHT] = 600;
    m_ints[HGE_SCREENBPP] = 32;
    m_ints[HGE_CLIENTWIDTH] = 800;
    m_ints[HGE_CLIENTHEIGHT] = 600;
    m_ints[HGE_DESKTOPHEIGHT] = 1080;
    m_ints[HGE_DESKTOPBPP] = 32;
    m_bools[HGE_WINDOWED] = true;
    hgeInstall(this);
}

CRecordingEngine::~CRecordingEngine() {
    hgeInstall(nullptr);
}

void CRecordingEngine::QueueDeltas(const std::vector<float>& seconds) {
    m_deltas.insert(m_deltas.end(), seconds.begin(), seconds.end());
}

void CRecordingEngine::QueueRandom(const std::vector<float>& fractions) {
    m_random.insert(m_random.end(), fractions.begin(), fractions.end());
}

void CRecordingEngine::SetKeyState(int key, bool down) {
    if (key >= 0 && key < 256) m_keys[key] = down;
}

std::string CRecordingEngine::Normalize(const std::string& name) {
    std::string out = name;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

void CRecordingEngine::AddResource(const std::string& name, const std::vector<unsigned char>& bytes) {
    m_resources[Normalize(name)] = bytes;
    ++packChanges;
}

void CRecordingEngine::AddResource(const std::string& name, const std::string& bytes) {
    AddResource(name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

void CRecordingEngine::RemoveResource(const std::string& name) {
    m_resources.erase(Normalize(name));
    ++packChanges;
}

void CRecordingEngine::SetTextureSize(const std::string& name, int width, int height) {
    m_textureSizes[Normalize(name)] = {width, height};
}

void CRecordingEngine::SetChannelPlaying(HCHANNEL channel, bool playing) {
    channels[channel].playing = playing;
}

bool CRecordingEngine::HasCall(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

int CRecordingEngine::CountCalls(const std::string& prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

bool CRecordingEngine::HasLog(const std::string& line) const {
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& l) { return l.find(line) != std::string::npos; });
}

void CRecordingEngine::ClearRecord() {
    calls.clear();
    log.clear();
    quads.clear();
    points.clear();
    lines.clear();
    clipping.clear();
}

bool CRecordingEngine::System_Initiate() {
    Record("System_Initiate");
    if (m_failInitiate) return false;
    m_initiated = true;
    return true;
}

void CRecordingEngine::System_Shutdown() {
    Record("System_Shutdown");
    m_initiated = false;
}

bool CRecordingEngine::System_Start() {
    Record("System_Start");
    hgeCallback frame = m_funcs[HGE_FRAMEFUNC];
    if (!frame) return false;
    while (framesRun < m_maxFrames) {
        ++framesRun;
        if (frame()) break;
    }
    return true;
}

void CRecordingEngine::System_Log(const char* format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::string line = buffer;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    log.push_back(line);
    const std::string& file = m_strings[HGE_LOGFILE];
    if (m_writeLogFile && !file.empty()) std::ofstream(file, std::ios::app) << line << '\n';
}

bool CRecordingEngine::System_Launch(const char* url) {
    Record(std::string("System_Launch ") + (url ? url : ""));
    return true;
}

void CRecordingEngine::System_SetStateBool(hgeBoolState state, bool value) {
    m_bools[state] = value;
    Record("SetBool " + std::to_string(state) + " " + std::to_string(value));
}

void CRecordingEngine::System_SetStateFunc(hgeFuncState state, hgeCallback value) {
    m_funcs[state] = value;
    Record("SetFunc " + std::to_string(state));
}

void CRecordingEngine::System_SetStateInt(hgeIntState state, int value) {
    m_ints[state] = value;
    Record("SetInt " + std::to_string(state) + " " + std::to_string(value));
}

void CRecordingEngine::System_SetStateString(hgeStringState state, const char* value) {
    m_strings[state] = value ? value : "";
    Record("SetString " + std::to_string(state) + " " + m_strings[state]);
}

bool CRecordingEngine::System_GetStateBool(hgeBoolState state) {
    return m_bools[state];
}
int CRecordingEngine::System_GetStateInt(hgeIntState state) {
    return m_ints[state];
}
const char* CRecordingEngine::System_GetStateString(hgeStringState state) {
    return m_strings[state].c_str();
}
HWND_T CRecordingEngine::System_GetStateHwnd(hgeHwndState) {
    return m_initiated ? 1 : 0;
}

bool CRecordingEngine::Resource_AttachPack(const char* filename, const char*) {
    Record(std::string("Resource_AttachPack ") + (filename ? filename : ""));
    return true;
}

void* CRecordingEngine::Resource_Load(const char* filename, DWORD* size, uint64_t largest) {
    if (size) *size = 0;
    if (!filename) return nullptr;
    auto it = m_resources.find(Normalize(filename));
    if (it == m_resources.end()) return nullptr;
    if (it->second.size() > largest) {
        System_Log("Can't read %s: %zu bytes, more than a file of its kind may hold (%llu)",
                   it->first.c_str(), it->second.size(), static_cast<unsigned long long>(largest));
        return nullptr;
    }
    // Never a zero-sized block, so that an empty resource still answers a pointer.
    auto* block = static_cast<unsigned char*>(std::malloc(it->second.size() + 1));
    if (!it->second.empty()) std::memcpy(block, it->second.data(), it->second.size());
    if (size) *size = static_cast<DWORD>(it->second.size());
    ++outstandingBlocks;
    return block;
}

bool CRecordingEngine::Resource_Exists(const char* filename) {
    return filename && m_resources.count(Normalize(filename)) != 0;
}

void CRecordingEngine::Resource_Free(void* res) {
    if (!res) return;
    --outstandingBlocks;
    std::free(res);
}

float CRecordingEngine::Timer_GetDelta() {
    if (!m_deltas.empty()) {
        m_delta = m_deltas.front();
        m_deltas.pop_front();
    }
    m_time += m_delta;
    return m_delta;
}

void CRecordingEngine::Random_Seed(int seed) {
    Record("Random_Seed " + std::to_string(seed));
}

int CRecordingEngine::Random_Int(int min, int max) {
    float f = 0;
    if (!m_random.empty()) {
        f = m_random.front();
        m_random.pop_front();
    }
    return min + static_cast<int>(f * static_cast<float>(max - min));
}

float CRecordingEngine::Random_Float(float min, float max) {
    float f = 0;
    if (!m_random.empty()) {
        f = m_random.front();
        m_random.pop_front();
    }
    return min + f * (max - min);
}

HSTREAM CRecordingEngine::Stream_Load(const char* filename, DWORD) {
    if (!filename || !m_resources.count(Normalize(filename))) return 0;
    const HSTREAM handle = m_nextHandle++;
    m_streams[handle] = Normalize(filename);
    Record("Stream_Load " + Normalize(filename));
    return handle;
}

void CRecordingEngine::Stream_Free(HSTREAM stream) {
    m_streams.erase(stream);
    Record("Stream_Free " + std::to_string(stream));
}

HCHANNEL CRecordingEngine::Stream_Play(HSTREAM stream, bool loop, int volume) {
    if (!m_streams.count(stream)) return 0;
    const HCHANNEL channel = m_nextHandle++;
    channels[channel] = ChannelState{stream, loop, volume, true, false};
    Record("Stream_Play " + std::to_string(stream) + " " + std::to_string(loop) + " " +
           std::to_string(volume));
    return channel;
}

void CRecordingEngine::Channel_SetVolume(HCHANNEL chn, int volume) {
    if (channels.count(chn)) channels[chn].volume = volume;
    Record("Channel_SetVolume " + std::to_string(chn) + " " + std::to_string(volume));
}

void CRecordingEngine::Channel_Pause(HCHANNEL chn) {
    if (channels.count(chn)) channels[chn].paused = true;
    Record("Channel_Pause " + std::to_string(chn));
}

void CRecordingEngine::Channel_Resume(HCHANNEL chn) {
    if (channels.count(chn)) channels[chn].paused = false;
    Record("Channel_Resume " + std::to_string(chn));
}

void CRecordingEngine::Channel_Stop(HCHANNEL chn) {
    if (channels.count(chn)) channels[chn].playing = false;
    Record("Channel_Stop " + std::to_string(chn));
}

void CRecordingEngine::Channel_StopAll() {
    for (auto& [handle, state] : channels) state.playing = false;
    Record("Channel_StopAll");
}

bool CRecordingEngine::Channel_IsPlaying(HCHANNEL chn) {
    auto it = channels.find(chn);
    return it != channels.end() && it->second.playing;
}

void CRecordingEngine::Input_GetMousePos(float* x, float* y) {
    if (x) *x = m_mouseX;
    if (y) *y = m_mouseY;
}

void CRecordingEngine::Input_SetMousePos(float x, float y) {
    m_mouseX = x;
    m_mouseY = y;
    Record("Input_SetMousePos");
}

bool CRecordingEngine::Input_GetKeyState(int key) {
    return key >= 0 && key < 256 && m_keys[key];
}

bool CRecordingEngine::Input_GetEvent(hgeInputEvent* event) {
    if (m_events.empty()) return false;
    *event = m_events.front();
    m_events.pop_front();
    return true;
}

bool CRecordingEngine::Gfx_BeginScene(HTARGET target) {
    m_drawCalls = 0;
    Record("Gfx_BeginScene " + std::to_string(target));
    return true;
}

void CRecordingEngine::Gfx_EndScene() {
    Record("Gfx_EndScene");
}

void CRecordingEngine::Gfx_Clear(DWORD color) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Gfx_Clear %08X", color);
    Record(buffer);
}

void CRecordingEngine::Gfx_RenderLine(float x1, float y1, float x2, float y2, DWORD color, float) {
    lines.push_back({x1, y1, x2, y2, color});
    ++m_drawCalls;
}

void CRecordingEngine::Gfx_RenderQuad(const hgeQuad* quad) {
    if (quad) quads.push_back(*quad);
    ++m_drawCalls;
}

hgeVertex* CRecordingEngine::Gfx_StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim) {
    m_batchType = primType;
    m_batchTex = tex;
    m_batchBlend = blend;
    m_batch.assign(4000, hgeVertex{});
    if (maxPrim) *maxPrim = primType == HGEPRIM_POINTS ? 1000 : 1000;
    Record("Gfx_StartBatch " + std::to_string(primType));
    return m_batch.data();
}

void CRecordingEngine::Gfx_FinishBatch(int nprim) {
    Record("Gfx_FinishBatch " + std::to_string(nprim));
    if (nprim > 0) ++m_drawCalls;
    if (m_batchType == HGEPRIM_POINTS) {
        const auto* records = reinterpret_cast<const hgePointVertex*>(m_batch.data());
        for (int i = 0; i < nprim; ++i) points.push_back(records[i]);
    } else if (m_batchType == HGEPRIM_QUADS) {
        for (int i = 0; i < nprim; ++i) {
            hgeQuad q{};
            std::copy(m_batch.begin() + 4 * i, m_batch.begin() + 4 * i + 4, q.v);
            q.tex = m_batchTex;
            q.blend = m_batchBlend;
            quads.push_back(q);
        }
    }
}

void CRecordingEngine::Gfx_SetClipping(int x, int y, int w, int h) {
    clipping.push_back({x, y, w, h});
    Record("Gfx_SetClipping " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
           std::to_string(h));
}

void CRecordingEngine::Gfx_SetTransform(float, float, float, float, float, float, float) {
    Record("Gfx_SetTransform");
}

void CRecordingEngine::Gfx_SetCullMode(int mode) {
    Record("Gfx_SetCullMode " + std::to_string(mode));
}

HTARGET CRecordingEngine::Target_Create(int width, int height, bool) {
    const HTARGET target = m_nextHandle++;
    m_targets[target] = Texture_Create(width, height);
    return target;
}

void CRecordingEngine::Target_Free(HTARGET target) {
    auto it = m_targets.find(target);
    if (it == m_targets.end()) return;
    Texture_Free(it->second);
    m_targets.erase(it);
}

HTEXTURE CRecordingEngine::Target_GetTexture(HTARGET target) {
    auto it = m_targets.find(target);
    return it == m_targets.end() ? 0 : it->second;
}

HTEXTURE CRecordingEngine::Texture_Create(int width, int height) {
    if (width <= 0 || height <= 0 || m_failTextureCreate) return 0;
    if (m_powerOfTwo) {
        auto roundUp = [](int n) {
            int p = 1;
            while (p < n) p *= 2;
            return p;
        };
        width = roundUp(width);
        height = roundUp(height);
    }
    const HTEXTURE tex = m_nextHandle++;
    Texture& t = textures[tex];
    t.width = width;
    t.height = height;
    t.pixels.assign(static_cast<size_t>(width) * height, 0);
    return tex;
}

HTEXTURE CRecordingEngine::Texture_Load(const char* filename, DWORD, bool) {
    if (!filename) return 0;
    const std::string name = Normalize(filename);
    if (!m_resources.count(name)) return 0;
    auto size = m_textureSizes.count(name) ? m_textureSizes[name] : std::pair<int, int>{64, 64};
    const HTEXTURE tex = Texture_Create(size.first, size.second);
    textures[tex].name = name;
    Record("Texture_Load " + name);
    return tex;
}

void CRecordingEngine::Texture_Free(HTEXTURE tex) {
    if (textures.erase(tex)) Record("Texture_Free " + std::to_string(tex));
}

int CRecordingEngine::Texture_GetWidth(HTEXTURE tex, bool) {
    auto it = textures.find(tex);
    return it == textures.end() ? 0 : it->second.width;
}

int CRecordingEngine::Texture_GetHeight(HTEXTURE tex, bool) {
    auto it = textures.find(tex);
    return it == textures.end() ? 0 : it->second.height;
}

DWORD* CRecordingEngine::Texture_Lock(HTEXTURE tex, bool, int left, int top, int, int) {
    auto it = textures.find(tex);
    if (it == textures.end() || m_failTextureLock) return nullptr;
    Texture& t = it->second;
    if (left < 0 || top < 0 || left >= t.width || top >= t.height) return nullptr;
    return t.pixels.data() + static_cast<size_t>(top) * t.width + left;
}

void CRecordingEngine::Texture_Unlock(HTEXTURE tex) {
    Record("Texture_Unlock " + std::to_string(tex));
}

void CRecordingEngine::Texture_SetWrap(HTEXTURE tex, bool wrap) {
    Record("Texture_SetWrap " + std::to_string(tex) + " " + std::to_string(wrap));
}
