#pragma once
// What the sound files say about themselves before they cost anything: their kind, how long a WAV's
// header says it lasts, and an Ogg Vorbis reader that decodes in pieces from the compressed bytes,
// so that music is streamed and a sound effect can be decoded with a stop.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Engine {

// The longest sound effect taken, in seconds: a device's working sound lasts through its cooking
// and a level's closing jingle through its fanfare; 30 s leaves room over both and decodes to about
// 5 MB at the mixer's rate. Music is streamed and has no bound.
constexpr double kLongestEffectSeconds = 30.0;

// The rates and channel counts taken from a file; beyond them a header is not believed.
constexpr int kLowestSoundRate = 1000;
constexpr int kHighestSoundRate = 192000;
constexpr int kMostSoundChannels = 8;

// The most links an Ogg may hold: every sound of the game, music or effect, is one. The decoder
// reads the headers and keeps the set-up of every link of a chain when it opens the file, some tens
// of kilobytes each, and loses them on a damaged chain.
constexpr int kMostOggLinks = 1;

enum class SoundKind { Other, Wav, Ogg };
SoundKind SoundKindOf(const void* data, size_t size);

// The seconds of sound a WAV's data chunk holds by its format chunk (the data cut to what the file
// holds), or a negative value when the header can't tell. cutShort, when given, tells whether the
// data chunk claims more bytes than the file has: a WAV reader takes memory for the claim.
double WavSeconds(const void* data, size_t size, bool* cutShort = nullptr);

// Whether an Ogg holds more than kMostOggLinks links. Every page that may begin a link is counted,
// wherever it stands, as the decoder's search for pages would find it.
bool TooManyOggLinks(const void* data, size_t size);

using SoundBytes = std::shared_ptr<const std::vector<unsigned char>>;

// An Ogg Vorbis stream decoded in pieces to 16-bit interleaved samples. It keeps the bytes it reads
// alive, so that the mixer's thread may go on reading after the sound's owner let go.
class COggReader {
public:
    COggReader();
    ~COggReader();
    COggReader(const COggReader&) = delete;
    COggReader& operator=(const COggReader&) = delete;

    // False when the bytes are no Ogg Vorbis stream of a rate and channel count that are taken, or
    // one of too many links.
    bool Open(SoundBytes bytes);
    int Rate() const { return m_rate; }
    int Channels() const { return m_channels; }
    // The length the last page's granule position gives, or a negative value when it can't tell.
    double Seconds() const;

    // Up to `frames` frames into `out`; with `loop`, the stream starts again at its end. 0 at the end,
    // or when the stream gives no sound at all.
    size_t Read(int16_t* out, size_t frames, bool loop);

private:
    struct Decoder;
    std::unique_ptr<Decoder> m_decoder;
    SoundBytes m_bytes;
    int m_rate = 0;
    int m_channels = 0;
    bool m_failed = false;
};

}  // namespace Engine
