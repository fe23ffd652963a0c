#include "engine/SoundFile.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace Engine {

namespace {

uint32_t Le(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

constexpr uint32_t kWavMsAdpcm = 2, kWavImaAdpcm = 0x11, kWavExtensible = 0xFFFE;

// The file's bytes as vorbisfile reads them.
struct MemoryFile {
    SoundBytes bytes;
    size_t position = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    const size_t left = file->bytes->size() - file->position;
    const size_t items = std::min(count, left / size);
    std::memcpy(out, file->bytes->data() + file->position, items * size);
    file->position += items * size;
    return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(source);
    const auto size = static_cast<ogg_int64_t>(file->bytes->size());
    const ogg_int64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? static_cast<ogg_int64_t>(file->position)
                                                  : size;
    if (offset < -base || offset > size - base) return -1;
    file->position = static_cast<size_t>(base + offset);
    return 0;
}

long TellMemory(void* source) {
    return static_cast<long>(static_cast<MemoryFile*>(source)->position);
}

}  // namespace

SoundKind SoundKindOf(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    if (size >= 12 && std::memcmp(p, "RIFF", 4) == 0 && std::memcmp(p + 8, "WAVE", 4) == 0)
        return SoundKind::Wav;
    if (size >= 4 && std::memcmp(p, "OggS", 4) == 0) return SoundKind::Ogg;
    return SoundKind::Other;
}

bool TooManyOggLinks(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    int links = 0;
    // A page: "OggS", version 0, then its flags, a link's first page marked as its beginning.
    for (size_t at = 0; size - at >= 6;) {
        const void* page = memmem(p + at, size - at, "OggS", 4);
        if (!page) break;
        at = static_cast<size_t>(static_cast<const unsigned char*>(page) - p);
        if (size - at >= 6 && p[at + 4] == 0 && (p[at + 5] & 2) && ++links > kMostOggLinks) return true;
        at += 4;
    }
    return false;
}

double WavSeconds(const void* data, size_t size, bool* cutShort) {
    const auto* p = static_cast<const unsigned char*>(data);
    if (cutShort) *cutShort = false;
    uint32_t format = 0, rate = 0, blockAlign = 0, framesPerBlock = 1;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= size;) {
        const uint32_t length = Le(p + at + 4, 4);
        const unsigned char* body = p + at + 8;
        const size_t left = size - at - 8;
        if (std::memcmp(p + at, "fmt ", 4) == 0 && left >= 16 && length >= 16) {
            format = Le(body, 2);
            rate = Le(body + 4, 4);
            blockAlign = Le(body + 12, 2);
            if (format == kWavExtensible && left >= 26 && length >= 26) format = Le(body + 24, 2);
            if ((format == kWavMsAdpcm || format == kWavImaAdpcm) && left >= 20 && length >= 20)
                framesPerBlock = Le(body + 18, 2);
            haveFormat = true;
        } else if (std::memcmp(p + at, "data", 4) == 0) {
            if (!haveFormat || rate == 0 || blockAlign == 0 || framesPerBlock == 0) return -1;
            if (cutShort) *cutShort = length > left;
            const double blocks = static_cast<double>(std::min<size_t>(length, left) / blockAlign);
            return blocks * framesPerBlock / rate;
        }
        if (length > left) return -1;
        at += 8 + static_cast<size_t>(length) + (length & 1);
    }
    return -1;
}

struct COggReader::Decoder {
    MemoryFile file;
    OggVorbis_File vorbis{};
    bool open = false;
    ~Decoder() {
        if (open) ov_clear(&vorbis);
    }
};

COggReader::COggReader() = default;
COggReader::~COggReader() = default;

bool COggReader::Open(SoundBytes bytes) {
    if (!bytes || bytes->empty() || TooManyOggLinks(bytes->data(), bytes->size())) return false;
    m_decoder = std::make_unique<Decoder>();
    m_decoder->file.bytes = bytes;
    const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    if (ov_open_callbacks(&m_decoder->file, &m_decoder->vorbis, nullptr, 0, callbacks) != 0) {
        m_decoder.reset();
        return false;
    }
    m_decoder->open = true;
    const vorbis_info* info = ov_info(&m_decoder->vorbis, -1);
    if (!info || info->rate < kLowestSoundRate || info->rate > kHighestSoundRate || info->channels < 1 ||
        info->channels > kMostSoundChannels) {
        m_decoder.reset();
        return false;
    }
    m_rate = static_cast<int>(info->rate);
    m_channels = info->channels;
    m_bytes = std::move(bytes);
    return true;
}

double COggReader::Seconds() const {
    if (!m_decoder) return -1;
    const ogg_int64_t frames = ov_pcm_total(&m_decoder->vorbis, -1);
    return frames < 0 ? -1 : static_cast<double>(frames) / m_rate;
}

size_t COggReader::Read(int16_t* out, size_t frames, bool loop) {
    if (!m_decoder || m_failed) return 0;
    const size_t frameBytes = static_cast<size_t>(m_channels) * sizeof(int16_t);
    size_t done = 0;
    bool restarted = false;  // a pass from the start that gives nothing ends the stream
    // Holes and links of another shape are skipped, a bounded number of times per call.
    for (int tries = 0; done < frames && tries < 256; ++tries) {
        int link = 0;
        const long got = ov_read(&m_decoder->vorbis, reinterpret_cast<char*>(out + done * m_channels),
                                 static_cast<int>(std::min<size_t>((frames - done) * frameBytes, 1 << 16)), 0,
                                 2, 1, &link);
        if (got == OV_HOLE) continue;
        if (got < 0) {
            m_failed = true;
            break;
        }
        if (got == 0) {
            if (!loop || restarted || ov_pcm_seek(&m_decoder->vorbis, 0) != 0) break;
            restarted = true;
            continue;
        }
        const vorbis_info* info = ov_info(&m_decoder->vorbis, link);
        if (!info || info->channels != m_channels || info->rate != m_rate) {
            m_failed = true;  // a chained stream of another shape: what came before is kept
            break;
        }
        done += static_cast<size_t>(got) / frameBytes;
        restarted = false;
    }
    return done;
}

}  // namespace Engine
