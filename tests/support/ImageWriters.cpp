#include "tests/support/ImageWriters.h"

#include <gif_lib.h>
#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace TestImages {

namespace {

void PutBE32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

uint32_t Crc32(const unsigned char* data, std::size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutChunk(Bytes& out, const char type[4], const Bytes& body) {
    PutBE32(out, static_cast<uint32_t>(body.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBE32(out, Crc32(typed.data(), typed.size()));
}

}  // namespace

Bytes WritePng(int width, int height, const std::vector<uint32_t>& argb) {
    Bytes raw;  // each row: filter type 0, then RGBA
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
            raw.insert(raw.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                   static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)});
        }
    }
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.insert(z.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                           static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)});
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
    PutBE32(z, (b << 16) | a);

    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    PutBE32(ihdr, static_cast<uint32_t>(width));
    PutBE32(ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", z);
    PutChunk(out, "IEND", {});
    return out;
}

namespace {

struct OutStream {
    Bytes bytes;
    std::size_t pos = 0;
};

OPJ_SIZE_T WriteOut(void* data, OPJ_SIZE_T count, void* user) {
    auto* s = static_cast<OutStream*>(user);
    if (s->pos + count > s->bytes.size()) s->bytes.resize(s->pos + count);
    std::memcpy(s->bytes.data() + s->pos, data, count);
    s->pos += count;
    return count;
}

OPJ_OFF_T SkipOut(OPJ_OFF_T count, void* user) {
    auto* s = static_cast<OutStream*>(user);
    s->pos += static_cast<std::size_t>(count);
    if (s->pos > s->bytes.size()) s->bytes.resize(s->pos);
    return count;
}

OPJ_BOOL SeekOut(OPJ_OFF_T to, void* user) {
    auto* s = static_cast<OutStream*>(user);
    s->pos = static_cast<std::size_t>(to);
    if (s->pos > s->bytes.size()) s->bytes.resize(s->pos);
    return OPJ_TRUE;
}

}  // namespace

Bytes WriteJp2(int width, int height, const std::vector<uint32_t>& argb, int components, int x0, int y0) {
    opj_image_cmptparm_t parms[4];
    std::memset(parms, 0, sizeof parms);
    for (int i = 0; i < components; ++i) {
        parms[i].dx = parms[i].dy = 1;
        parms[i].w = static_cast<OPJ_UINT32>(width);
        parms[i].h = static_cast<OPJ_UINT32>(height);
        parms[i].x0 = static_cast<OPJ_UINT32>(x0);
        parms[i].y0 = static_cast<OPJ_UINT32>(y0);
        parms[i].prec = 8;
        parms[i].sgnd = 0;
    }
    const OPJ_COLOR_SPACE space = components >= 3 ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY;
    opj_image_t* image = opj_image_create(static_cast<OPJ_UINT32>(components), parms, space);
    if (!image) throw std::runtime_error("opj_image_create");
    image->x0 = static_cast<OPJ_UINT32>(x0);
    image->y0 = static_cast<OPJ_UINT32>(y0);
    image->x1 = static_cast<OPJ_UINT32>(x0 + width);
    image->y1 = static_cast<OPJ_UINT32>(y0 + height);
    const int alphaIndex = (components == 2 || components == 4) ? components - 1 : -1;
    if (alphaIndex >= 0) image->comps[alphaIndex].alpha = 1;
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        const uint32_t p = argb[i];
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, a = p >> 24;
        image->comps[0].data[i] = r;
        if (components >= 3) image->comps[1].data[i] = g, image->comps[2].data[i] = b;
        if (alphaIndex >= 0) image->comps[alphaIndex].data[i] = a;
    }

    opj_cparameters_t params;
    opj_set_default_encoder_parameters(&params);
    params.tcp_numlayers = 1;
    params.tcp_rates[0] = 0;  // lossless
    params.cp_disto_alloc = 1;
    params.image_offset_x0 = x0;
    params.image_offset_y0 = y0;
    // Small images take fewer decomposition levels.
    int resolutions = 1;
    while (resolutions < 6 && (1 << resolutions) <= std::min(width, height)) ++resolutions;
    params.numresolution = resolutions;
    params.tcp_mct = components >= 3 ? 1 : 0;

    opj_codec_t* codec = opj_create_compress(OPJ_CODEC_JP2);
    OutStream out;
    opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE);
    opj_stream_set_user_data(stream, &out, nullptr);
    opj_stream_set_write_function(stream, WriteOut);
    opj_stream_set_skip_function(stream, SkipOut);
    opj_stream_set_seek_function(stream, SeekOut);
    const bool ok = opj_setup_encoder(codec, &params, image) && opj_start_compress(codec, image, stream) &&
                    opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    if (!ok) throw std::runtime_error("JPEG 2000 encoding failed");
    return out.bytes;
}

namespace {

int WriteGif(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

}  // namespace

Bytes WriteGreyGif(int width, int height, const std::vector<uint8_t>& grey) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteGif, &error);
    if (!gif) throw std::runtime_error("EGifOpen");
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(i), static_cast<GifByteType>(i)};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<std::size_t>(width));
    for (int y = 0; ok && y < height; ++y) {
        std::copy_n(grey.begin() + static_cast<std::ptrdiff_t>(y) * width, width, row.begin());
        ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (!ok) throw std::runtime_error("GIF writing failed");
    return out;
}

}  // namespace TestImages
