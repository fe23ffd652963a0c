#include "engine/Audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cstring>

namespace Engine {

namespace {

constexpr size_t kPieceFrames = 2048;  // what an Ogg is decoded by
constexpr int kSilenceBytes = 4096;

constexpr int kStartChannels = 32;
constexpr int kMaxChannels = 255;  // the channel index takes the low 8 bits of a handle, plus one
constexpr uint32_t kGenerationMask = 0xFFFFFF;

int MixerVolume(int volume) {
    return (std::clamp(volume, 0, 100) * MIX_MAX_VOLUME + 50) / 100;
}

// The converted sound an SDL_AudioStream holds, as a chunk the mixer frees; null when it is empty.
Mix_Chunk* TakeChunk(SDL_AudioStream* convert) {
    SDL_AudioStreamFlush(convert);
    const int bytes = SDL_AudioStreamAvailable(convert);
    if (bytes <= 0) return nullptr;
    auto* buffer = static_cast<Uint8*>(SDL_malloc(static_cast<size_t>(bytes)));
    auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    if (!buffer || !chunk || SDL_AudioStreamGet(convert, buffer, bytes) != bytes) {
        SDL_free(buffer);
        SDL_free(chunk);
        return nullptr;
    }
    chunk->allocated = 1;
    chunk->abuf = buffer;
    chunk->alen = static_cast<Uint32>(bytes);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

// One play of a streamed Ogg: decoded piece by piece on the mixer's thread, as the channel's effect.
struct StreamVoice {
    COggReader reader;
    SDL_AudioStream* convert = nullptr;
    std::vector<int16_t> piece;
    Uint8 silence = 0;
    bool ended = false;

    ~StreamVoice() {
        if (convert) SDL_FreeAudioStream(convert);
    }

    void Fill(Uint8* out, int bytes) {
        while (!ended && SDL_AudioStreamAvailable(convert) < bytes) {
            const size_t frames = reader.Read(piece.data(), kPieceFrames, true);
            if (frames == 0) {
                ended = true;
                SDL_AudioStreamFlush(convert);
            } else if (SDL_AudioStreamPut(convert, piece.data(),
                                          static_cast<int>(frames * sizeof(int16_t)) * reader.Channels()) !=
                       0) {
                ended = true;
            }
        }
        const int got = std::max(0, SDL_AudioStreamGet(convert, out, bytes));
        std::memset(out + got, silence, static_cast<size_t>(bytes - got));
    }
};

void FillVoice(int, void* stream, int bytes, void* voice) {
    static_cast<StreamVoice*>(voice)->Fill(static_cast<Uint8*>(stream), bytes);
}

void EndVoice(int, void* voice) {
    delete static_cast<StreamVoice*>(voice);
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
    Mix_QuerySpec(&m_rate, &m_format, &m_channels);
    m_silenceBytes.assign(kSilenceBytes, SDL_AUDIO_ISSIGNED(m_format) ? 0 : 0x80);
    m_silence = Mix_QuickLoad_RAW(m_silenceBytes.data(), kSilenceBytes);
    const auto channels = static_cast<size_t>(Mix_AllocateChannels(kStartChannels));
    m_generations.assign(channels, 0);
    m_channelStreams.assign(channels, 0);
    m_open = true;
}

void CAudio::Close() {
    if (!m_open) return;
    Mix_HaltChannel(-1);  // ends the streaming channels' effects too
    for (auto& [handle, sound] : m_streams)
        if (sound.chunk) Mix_FreeChunk(sound.chunk);
    m_streams.clear();
    if (m_silence) Mix_FreeChunk(m_silence);
    m_silence = nullptr;
    m_generations.clear();
    m_channelStreams.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
}

void CAudio::SayTooLong(const std::string& name) {
    m_log.Write("Sound %s is longer than %.0f s, the longest a sound effect may be: left out", name.c_str(),
                kLongestEffectSeconds);
}

uintptr_t CAudio::Load(const void* data, size_t size, const char* name) {
    if (!m_open || !data || size == 0 || size > INT32_MAX) return 0;
    Sound sound;
    sound.name = name;
    switch (SoundKindOf(data, size)) {
        case SoundKind::Other:
            m_log.Write("Can't decode sound %s: it is neither a WAV nor an Ogg Vorbis sound", name);
            return 0;
        case SoundKind::Ogg: {
            const auto* bytes = static_cast<const unsigned char*>(data);
            static_assert(kMostOggLinks == 1, "the message names the bound");
            if (TooManyOggLinks(data, size)) {
                m_log.Write("Can't decode sound %s: an Ogg chained of more than one link", name);
                return 0;
            }
            sound.ogg = std::make_shared<const std::vector<unsigned char>>(bytes, bytes + size);
            if (!COggReader().Open(sound.ogg)) {
                m_log.Write(
                    "Can't decode sound %s: not an Ogg Vorbis sound of 1 to %d channels at %d to %d Hz", name,
                    kMostSoundChannels, kLowestSoundRate, kHighestSoundRate);
                return 0;
            }
            break;
        }
        case SoundKind::Wav: {
            // The header's length refuses a long file before anything is decoded; the decoded length
            // holds whatever the header says.
            bool cutShort = false;
            if (WavSeconds(data, size, &cutShort) > kLongestEffectSeconds) {
                SayTooLong(name);
                return 0;
            }
            if (cutShort) {
                m_log.Write("Can't decode sound %s: its data is cut short of the length its header gives",
                            name);
                return 0;
            }
            SDL_AudioSpec wave{};
            Uint8* samples = nullptr;
            Uint32 length = 0;
            SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
            if (!rw || !SDL_LoadWAV_RW(rw, 1, &wave, &samples, &length)) {
                m_log.Write("Can't decode sound %s: %s", name, SDL_GetError());
                return 0;
            }
            const double frameBytes = SDL_AUDIO_BITSIZE(wave.format) / 8.0 * wave.channels;
            SDL_AudioStream* convert = nullptr;
            if (wave.freq < kLowestSoundRate || wave.freq > kHighestSoundRate || wave.channels < 1 ||
                wave.channels > kMostSoundChannels) {
                m_log.Write("Can't decode sound %s: %d channels at %d Hz", name, wave.channels, wave.freq);
            } else if (length / frameBytes / wave.freq > kLongestEffectSeconds) {
                SayTooLong(name);
            } else if ((convert = SDL_NewAudioStream(wave.format, wave.channels, wave.freq, m_format,
                                                     static_cast<Uint8>(m_channels), m_rate)) &&
                       SDL_AudioStreamPut(convert, samples, static_cast<int>(length)) == 0) {
                sound.chunk = TakeChunk(convert);
            }
            if (convert) SDL_FreeAudioStream(convert);
            SDL_FreeWAV(samples);
            if (!sound.chunk) return 0;
            break;
        }
    }
    const uintptr_t handle = m_nextStream++;
    m_streams.emplace(handle, std::move(sound));
    return handle;
}

Mix_Chunk* CAudio::DecodeOgg(const Sound& sound) {
    COggReader reader;
    if (!reader.Open(sound.ogg)) return nullptr;
    const double longest = kLongestEffectSeconds * reader.Rate();
    if (reader.Seconds() > kLongestEffectSeconds) {
        SayTooLong(sound.name);
        return nullptr;
    }
    SDL_AudioStream* convert =
        SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(reader.Channels()), reader.Rate(), m_format,
                           static_cast<Uint8>(m_channels), m_rate);
    if (!convert) return nullptr;
    // Decoded in pieces with a stop, since the last page may say less than the stream holds.
    std::vector<int16_t> piece(kPieceFrames * static_cast<size_t>(reader.Channels()));
    double frames = 0;
    bool tooLong = false;
    while (const size_t got = reader.Read(piece.data(), kPieceFrames, false)) {
        frames += static_cast<double>(got);
        if ((tooLong = frames > longest)) break;
        if (SDL_AudioStreamPut(convert, piece.data(),
                               static_cast<int>(got * sizeof(int16_t)) * reader.Channels()))
            break;
    }
    Mix_Chunk* chunk = tooLong ? nullptr : TakeChunk(convert);
    SDL_FreeAudioStream(convert);
    if (tooLong)
        SayTooLong(sound.name);
    else if (!chunk)
        m_log.Write("Can't decode sound %s: it holds no sound", sound.name.c_str());
    return chunk;
}

void CAudio::Free(uintptr_t stream) {
    auto found = m_streams.find(stream);
    if (found == m_streams.end()) return;
    // The mixer halts the channels still playing the chunk before freeing it; a streaming channel
    // is halted here, which ends its effect.
    if (found->second.chunk) Mix_FreeChunk(found->second.chunk);
    for (size_t channel = 0; channel < m_channelStreams.size(); ++channel)
        if (m_channelStreams[channel] == stream) {
            Mix_HaltChannel(static_cast<int>(channel));
            m_channelStreams[channel] = 0;
        }
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
    m_channelStreams.resize(static_cast<size_t>(grown), 0);
    return grown > count ? count : -1;
}

uintptr_t CAudio::Play(uintptr_t stream, bool loop, int volume) {
    if (!m_open) return 0;
    auto found = m_streams.find(stream);
    if (found == m_streams.end()) return 0;
    Sound& sound = found->second;
    if (!sound.chunk && loop) return PlayStreamed(stream, sound, volume);
    if (!sound.chunk) {
        if (sound.refused) return 0;
        sound.chunk = DecodeOgg(sound);
        sound.refused = !sound.chunk;
        if (!sound.chunk) return 0;
    }
    return Start(sound.chunk, loop, volume, stream);
}

uintptr_t CAudio::PlayStreamed(uintptr_t stream, const Sound& sound, int volume) {
    auto voice = std::make_unique<StreamVoice>();
    if (!voice->reader.Open(sound.ogg)) return 0;
    voice->convert =
        SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(voice->reader.Channels()), voice->reader.Rate(),
                           m_format, static_cast<Uint8>(m_channels), m_rate);
    if (!voice->convert) {
        m_log.Write("Can't play sound %s: %s", sound.name.c_str(), SDL_GetError());
        return 0;
    }
    voice->piece.resize(kPieceFrames * static_cast<size_t>(voice->reader.Channels()));
    voice->silence = m_silenceBytes.front();
    const uintptr_t handle = Start(m_silence, true, volume, stream);
    if (!handle) return 0;
    const int channel = ChannelOf(handle);
    // From here the mixer owns the voice: it ends it when the channel halts.
    if (!Mix_RegisterEffect(channel, FillVoice, EndVoice, voice.get())) {
        m_log.Write("Can't play sound %s: %s", sound.name.c_str(), Mix_GetError());
        Mix_HaltChannel(channel);
        return 0;
    }
    voice.release();
    return handle;
}

uintptr_t CAudio::Start(Mix_Chunk* chunk, bool loop, int volume, uintptr_t stream) {
    const int channel = FreeChannel();
    if (channel < 0) {
        m_log.Write("Can't play a sound: all %d channels are busy", kMaxChannels);
        return 0;
    }
    Mix_Volume(channel, MixerVolume(volume));
    if (Mix_PlayChannel(channel, chunk, loop ? -1 : 0) < 0) {
        m_log.Write("Can't play a sound: %s", Mix_GetError());
        return 0;
    }
    m_channelStreams[static_cast<size_t>(channel)] = stream;
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
