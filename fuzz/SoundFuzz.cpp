// The sound reader: CAudio::Load over the real mixer on SDL's silent driver, then a play as an effect
// (decoded whole, within the bound) and a play as music (streamed); and the Ogg reader the music is
// streamed through, read for a while in a loop as the mixer's thread would.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Audio.h"
#include "engine/SoundFile.h"
#include "fuzz/FuzzCheck.h"

namespace {

std::unique_ptr<Engine::CLog> g_log;
std::unique_ptr<Engine::CAudio> g_audio;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    g_log = std::make_unique<Engine::CLog>();
    g_audio = std::make_unique<Engine::CAudio>(*g_log);
    g_audio->Open();
    FUZZ_CHECK(g_audio->IsOpen());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::WavSeconds(data, size);
    if (const uintptr_t stream = g_audio->Load(data, size, "Sound/fuzz")) {
        const uintptr_t effect = g_audio->Play(stream, false, 100);
        const uintptr_t music = g_audio->Play(stream, true, 100);
        // Music loops until it is stopped; each play has a handle of its own; freeing the sound
        // silences every play of it.
        FUZZ_CHECK(music != 0);
        FUZZ_CHECK(g_audio->IsPlaying(music));
        FUZZ_CHECK(effect != music);
        g_audio->Free(stream);
        FUZZ_CHECK(!g_audio->IsPlaying(music));
        FUZZ_CHECK(effect == 0 || !g_audio->IsPlaying(effect));
    }
    Engine::COggReader reader;
    if (reader.Open(std::make_shared<const std::vector<unsigned char>>(data, data + size))) {
        std::vector<int16_t> piece(1024 * static_cast<size_t>(reader.Channels()));
        // A few seconds' worth, looping: a reader must never write past its piece nor spin.
        for (int i = 0; i < 64; ++i)
            if (reader.Read(piece.data(), 1024, true) == 0) break;
    }
    return 0;
}
