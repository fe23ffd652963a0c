#pragma once
// Sound through SDL2_mixer: every stream is a decoded chunk, played on a mixer channel of its own,
// so that music and any number of effects sound together. A channel handle carries the channel's
// generation, so that a handle kept after its sound ended never touches the next sound on that
// channel. Without an audio device every call is a no-op.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/Log.h"

struct Mix_Chunk;

namespace Engine {

class CAudio {
public:
    explicit CAudio(CLog& log) : m_log(log) {}
    ~CAudio();
    CAudio(const CAudio&) = delete;
    CAudio& operator=(const CAudio&) = delete;

    // Opens the device; a failure is logged and leaves sound off.
    void Open();
    void Close();
    bool IsOpen() const { return m_open; }

    // Decodes a wav or ogg file held in memory; 0 on failure.
    uintptr_t Load(const void* data, size_t size, const char* name);
    void Free(uintptr_t stream);
    uintptr_t Play(uintptr_t stream, bool loop, int volume);

    void SetVolume(uintptr_t channel, int volume);
    void Pause(uintptr_t channel);
    void Resume(uintptr_t channel);
    void Stop(uintptr_t channel);
    void StopAll();
    bool IsPlaying(uintptr_t channel);

private:
    // The mixer channel a handle names, or -1 when the handle is stale or invalid.
    int ChannelOf(uintptr_t handle) const;
    int FreeChannel();

    CLog& m_log;
    bool m_open = false;
    uintptr_t m_nextStream = 1;
    std::unordered_map<uintptr_t, Mix_Chunk*> m_streams;
    std::vector<uint32_t> m_generations;  // one per mixer channel
};

}  // namespace Engine
