#pragma once
// Sound through SDL2_mixer: every stream plays on a mixer channel of its own, so that music and any
// number of effects sound together. A WAV is decoded as it loads; an Ogg keeps its compressed bytes:
// played looping (music) it is streamed from them, played once (an effect) it is decoded on its first
// play. An effect longer than kLongestEffectSeconds is refused by name. A channel handle carries the
// channel's generation, so that a handle kept after its sound ended never touches the next sound on that
// channel. Without an audio device every call is a no-op.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Log.h"
#include "engine/SoundFile.h"

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

    // Takes a wav or ogg file held in memory; 0 when it is neither, is damaged, or is a WAV too long.
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
    struct Sound {
        std::string name;
        Mix_Chunk* chunk = nullptr;  // the decoded sound, once there is one
        SoundBytes ogg;              // an Ogg's compressed bytes
        bool refused = false;        // an Ogg that can't be an effect: said once
    };
    Mix_Chunk* DecodeOgg(const Sound& sound);
    uintptr_t PlayStreamed(uintptr_t stream, const Sound& sound, int volume);
    uintptr_t Start(Mix_Chunk* chunk, bool loop, int volume, uintptr_t stream);
    void SayTooLong(const std::string& name);
    // The mixer channel a handle names, or -1 when the handle is stale or invalid.
    int ChannelOf(uintptr_t handle) const;
    int FreeChannel();

    CLog& m_log;
    bool m_open = false;
    uintptr_t m_nextStream = 1;
    int m_rate = 0;  // the mixer's output
    uint16_t m_format = 0;
    int m_channels = 0;
    Mix_Chunk* m_silence = nullptr;  // what a streaming channel loops; its effect writes the music
    std::vector<unsigned char> m_silenceBytes;
    std::unordered_map<uintptr_t, Sound> m_streams;
    std::vector<uint32_t> m_generations;      // one per mixer channel
    std::vector<uintptr_t> m_channelStreams;  // the stream each mixer channel last started
};

}  // namespace Engine
