#include "tests/support/SoundWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void PutLe(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PutTag(std::vector<unsigned char>& out, const char* tag) {
    // One byte at a time: GCC 12's overflow check misfires on a range insert into an empty vector.
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(tag[i]));
}

void PutPage(std::vector<unsigned char>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// A mono PCM WAV's header up to its data chunk's length, for dataBytes of bytesPerSample each.
std::vector<unsigned char> WavHeader(uint32_t dataBytes, int rate, uint32_t bytesPerSample) {
    std::vector<unsigned char> out;
    PutTag(out, "RIFF");
    PutLe(out, 36 + dataBytes, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 1, 2);  // mono
    PutLe(out, static_cast<uint32_t>(rate), 4);
    PutLe(out, static_cast<uint32_t>(rate) * bytesPerSample, 4);
    PutLe(out, bytesPerSample, 2);
    PutLe(out, 8 * bytesPerSample, 2);
    PutTag(out, "data");
    PutLe(out, dataBytes, 4);
    return out;
}

}  // namespace

std::vector<unsigned char> WriteWav(const std::vector<float>& samples, int rate) {
    std::vector<unsigned char> out = WavHeader(static_cast<uint32_t>(samples.size() * 2), rate, 2);
    for (float sample : samples) {
        const auto value = static_cast<int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
        PutLe(out, static_cast<uint16_t>(value), 2);
    }
    return out;
}

std::vector<unsigned char> WriteOgg(const std::vector<float>& samples, int rate) {
    return WriteOggOf(samples.size(), rate, [&](float* out, std::size_t first, std::size_t count) {
        std::memcpy(out, samples.data() + first, count * sizeof(float));
    });
}

std::vector<unsigned char> WriteOggOf(std::size_t length, int rate,
                                      const std::function<void(float*, std::size_t, std::size_t)>& fill) {
    std::vector<unsigned char> out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, rate, 0.3f) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x51554E44);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) PutPage(out, page);

    // Feeds the samples in slices, then the end mark, taking the pages as they fill.
    constexpr std::size_t kSlice = 1024;
    std::size_t done = 0;
    for (bool last = false; !last;) {
        const std::size_t count = std::min(kSlice, length - done);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
            last = true;
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            fill(buffer[0], done, count);
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) PutPage(out, page);
            }
        }
    }
    while (ogg_stream_flush(&stream, &page)) PutPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::vector<unsigned char> WriteSilentOgg(int seconds, int rate) {
    return WriteOggOf(static_cast<std::size_t>(seconds) * static_cast<std::size_t>(rate), rate,
                      [](float* out, std::size_t, std::size_t count) { std::fill(out, out + count, 0.0f); });
}

std::vector<unsigned char> WriteSilentWav8(std::size_t bytes, int rate) {
    std::vector<unsigned char> out = WavHeader(static_cast<uint32_t>(bytes), rate, 1);
    out.resize(out.size() + bytes, 0x80);
    return out;
}

uint32_t OggCrc(const unsigned char* page, std::size_t size) {
    uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint32_t>(i >= 22 && i < 26 ? 0 : page[i]) << 24;
        for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

std::vector<unsigned char> WriteChainedOgg(const std::vector<unsigned char>& ogg, int links) {
    std::vector<unsigned char> out;
    for (int link = 0; link < links; ++link) {
        std::vector<unsigned char> copy = ogg;
        for (std::size_t at = 0; at + 27 <= copy.size();) {
            std::size_t length = 27 + copy[at + 26];
            for (int i = 0; i < copy[at + 26]; ++i) length += copy[at + 27 + i];
            for (int i = 0; i < 4; ++i) copy[at + 14 + i] = static_cast<unsigned char>((link + 1) >> (8 * i));
            const uint32_t crc = OggCrc(copy.data() + at, length);
            for (int i = 0; i < 4; ++i) copy[at + 22 + i] = static_cast<unsigned char>(crc >> (8 * i));
            at += length;
        }
        out.insert(out.end(), copy.begin(), copy.end());
    }
    return out;
}
