#include "engine/Audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>

namespace Engine {

namespace {

constexpr int kStartChannels = 32;
constexpr int kMaxChannels = 255;  // the channel index takes the low 8 bits of a handle, plus one
constexpr uint32_t kGenerationMask = 0xFFFFFF;

int MixerVolume(int volume) {
    return (std::clamp(volume, 0, 100) * MIX_MAX_VOLUME + 50) / 100;
}

}  // namespace

CAudio::~CAudio() {
    Close();
}

void CAudio::Open() {
    if (m_open) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_log.Write("Sound is off: can't start SDL audio: %s", SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        m_log.Write("Sound is off: can't open the audio device: %s", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    m_generations.assign(static_cast<size_t>(Mix_AllocateChannels(kStartChannels)), 0);
    m_open = true;
}

void CAudio::Close() {
    if (!m_open) return;
    Mix_HaltChannel(-1);
    for (auto& [handle, chunk] : m_streams) Mix_FreeChunk(chunk);
    m_streams.clear();
    m_generations.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

uintptr_t CAudio::Load(const void* data, size_t size, const char* name) {
    if (!m_open || !data || size == 0 || size > INT32_MAX) return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk) {
        m_log.Write("Can't decode sound %s: %s", name, Mix_GetError());
        return 0;
    }
    const uintptr_t handle = m_nextStream++;
    m_streams[handle] = chunk;
    return handle;
}

void CAudio::Free(uintptr_t stream) {
    auto found = m_streams.find(stream);
    if (found == m_streams.end()) return;
    // The mixer halts the channels still playing the chunk before freeing it.
    Mix_FreeChunk(found->second);
    m_streams.erase(found);
}

int CAudio::FreeChannel() {
    const int count = static_cast<int>(m_generations.size());
    for (int channel = 0; channel < count; ++channel) {
        if (!Mix_Playing(channel)) return channel;
    }
    if (count >= kMaxChannels) return -1;
    const int grown = Mix_AllocateChannels(std::min(count * 2, kMaxChannels));
    m_generations.resize(static_cast<size_t>(grown), 0);
    return grown > count ? count : -1;
}

uintptr_t CAudio::Play(uintptr_t stream, bool loop, int volume) {
    if (!m_open) return 0;
    auto found = m_streams.find(stream);
    if (found == m_streams.end()) return 0;
    const int channel = FreeChannel();
    if (channel < 0) {
        m_log.Write("Can't play a sound: all %d channels are busy", kMaxChannels);
        return 0;
    }
    Mix_Volume(channel, MixerVolume(volume));
    if (Mix_PlayChannel(channel, found->second, loop ? -1 : 0) < 0) {
        m_log.Write("Can't play a sound: %s", Mix_GetError());
        return 0;
    }
    uint32_t& generation = m_generations[static_cast<size_t>(channel)];
    generation = (generation + 1) & kGenerationMask;
    return static_cast<uintptr_t>(generation) << 8 | static_cast<uintptr_t>(channel + 1);
}

int CAudio::ChannelOf(uintptr_t handle) const {
    if (!m_open) return -1;
    const int channel = static_cast<int>(handle & 0xFF) - 1;
    if (channel < 0 || channel >= static_cast<int>(m_generations.size())) return -1;
    if (m_generations[static_cast<size_t>(channel)] != (handle >> 8)) return -1;
    return channel;
}

void CAudio::SetVolume(uintptr_t handle, int volume) {
    if (int channel = ChannelOf(handle); channel >= 0) Mix_Volume(channel, MixerVolume(volume));
}

void CAudio::Pause(uintptr_t handle) {
    if (int channel = ChannelOf(handle); channel >= 0) Mix_Pause(channel);
}

void CAudio::Resume(uintptr_t handle) {
    if (int channel = ChannelOf(handle); channel >= 0) Mix_Resume(channel);
}

void CAudio::Stop(uintptr_t handle) {
    if (int channel = ChannelOf(handle); channel >= 0) Mix_HaltChannel(channel);
}

void CAudio::StopAll() {
    if (m_open) Mix_HaltChannel(-1);
}

bool CAudio::IsPlaying(uintptr_t handle) {
    const int channel = ChannelOf(handle);
    return channel >= 0 && Mix_Playing(channel) != 0;
}

}  // namespace Engine
