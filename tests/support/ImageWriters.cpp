#include "tests/support/ImageWriters.h"

#include <SDL2/SDL_image.h>
#include <gif_lib.h>
#include <openjpeg.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace TestImages {

namespace {

void PutBE16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

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

void ClaimPngSize(Bytes& png, uint32_t width, uint32_t height) {
    // Signature, then the header chunk's length and type, its width and height, and its checksum
    // after the 13 bytes of its body.
    Bytes sides;
    PutBE32(sides, width);
    PutBE32(sides, height);
    std::copy(sides.begin(), sides.end(), png.begin() + 16);
    Bytes crc;
    PutBE32(crc, Crc32(png.data() + 12, 4 + 13));
    std::copy(crc.begin(), crc.end(), png.begin() + 29);
}

namespace {

// The pixels as an SDL surface, written by one of SDL's writers into memory.
template <class Save>
Bytes WriteThroughSdl(int width, int height, const std::vector<uint32_t>& argb, Save save) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) throw std::runtime_error(SDL_GetError());
    Bytes out(static_cast<std::size_t>(width) * height * 8 + 4096);
    SDL_RWops* file = SDL_RWFromMem(out.data(), static_cast<int>(out.size()));
    const bool ok = file && save(surface, file) == 0;
    const Sint64 length = file ? SDL_RWtell(file) : -1;
    if (file) SDL_RWclose(file);
    SDL_FreeSurface(surface);
    if (!ok || length <= 0) throw std::runtime_error(SDL_GetError());
    out.resize(static_cast<std::size_t>(length));
    return out;
}

}  // namespace

Bytes WriteJpeg(int width, int height, const std::vector<uint32_t>& argb) {
    return WriteThroughSdl(width, height, argb, [](SDL_Surface* surface, SDL_RWops* file) {
        return IMG_SaveJPG_RW(surface, file, 0, 90);
    });
}

Bytes WriteBmp(int width, int height, const std::vector<uint32_t>& argb) {
    return WriteThroughSdl(width, height, argb, [](SDL_Surface* surface, SDL_RWops* file) {
        return SDL_SaveBMP_RW(surface, file, 0);
    });
}

Bytes WriteTga(int width, int height, const std::vector<uint32_t>& argb) {
    // No identifier, no palette, true colour; 32 bits a pixel with 8 of alpha, rows from the top.
    Bytes out(18, 0);
    out[2] = 2;
    for (int i = 0; i < 2; ++i) {
        out[12 + i] = static_cast<unsigned char>(width >> (8 * i));
        out[14 + i] = static_cast<unsigned char>(height >> (8 * i));
    }
    out[16] = 32, out[17] = 0x28;
    for (uint32_t p : argb)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(p >> shift));
    return out;
}

Bytes WriteJ2kClaiming(uint32_t width, uint32_t height, int components, uint32_t tileSide,
                       int codeBlockExponent) {
    Bytes out;
    PutBE16(out, 0xFF4F);  // start of code stream
    // The size: capabilities, the canvas, its origin, the tiles and their origin, then each
    // component's precision (8 bits, unsigned) and sampling (every pixel).
    PutBE16(out, 0xFF51);
    PutBE16(out, 38 + 3 * static_cast<uint32_t>(components));
    PutBE16(out, 0);
    for (uint32_t v :
         {width, height, 0u, 0u, tileSide ? tileSide : width, tileSide ? tileSide : height, 0u, 0u})
        PutBE32(out, v);
    PutBE16(out, static_cast<uint32_t>(components));
    for (int i = 0; i < components; ++i) out.insert(out.end(), {7, 1, 1});
    // Coding style: one layer, no transform levels (one resolution), the code blocks, reversible.
    PutBE16(out, 0xFF52);
    PutBE16(out, 12);
    const auto block = static_cast<unsigned char>(codeBlockExponent);
    out.insert(out.end(), {0, 0, 0, 1, 0, 0, block, block, 0, 1});
    // Quantization: none, two guard bits, one band.
    PutBE16(out, 0xFF5C);
    PutBE16(out, 4);
    out.insert(out.end(), {0x40, 0x40});
    // The first tile's one tile-part: its header, the start of data, one empty packet.
    PutBE16(out, 0xFF90);
    PutBE16(out, 10);
    PutBE16(out, 0);
    PutBE32(out, 12 + 2 + 1);
    out.insert(out.end(), {0, 1});
    PutBE16(out, 0xFF93);
    out.push_back(0);
    PutBE16(out, 0xFFD9);  // end of code stream
    return out;
}

Bytes WriteJ2kOfTileParts(uint32_t tiles, int parts) {
    Bytes out = WriteJ2kClaiming(tiles, 1, 1, 1);
    out.resize(out.size() - 2 - 15);  // the first tile's part and the end marker
    for (uint32_t tile = 0; tile < tiles; ++tile) {
        for (int part = 0; part < parts; ++part) {
            PutBE16(out, 0xFF90);
            PutBE16(out, 10);
            PutBE16(out, tile);
            PutBE32(out, part == 0 ? 15 : 14);
            out.insert(out.end(), {static_cast<unsigned char>(part), static_cast<unsigned char>(parts)});
            PutBE16(out, 0xFF93);
            if (part == 0) out.push_back(0);
        }
    }
    PutBE16(out, 0xFFD9);
    return out;
}

namespace {

int WriteGif(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

}  // namespace

Bytes WriteGreyGif(int width, int height, const std::vector<uint8_t>& grey, bool interlaced) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteGif, &error);
    if (!gif) throw std::runtime_error("EGifOpen");
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(i), static_cast<GifByteType>(i)};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<std::size_t>(width));
    static const int kFirst[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = interlaced ? 0 : 3; pass < 4; ++pass) {
        const int first = interlaced ? kFirst[pass] : 0, step = interlaced ? kStep[pass] : 1;
        for (int y = first; ok && y < height; y += step) {
            std::copy_n(grey.begin() + static_cast<std::ptrdiff_t>(y) * width, width, row.begin());
            ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
        }
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (!ok) throw std::runtime_error("GIF writing failed");
    return out;
}

Bytes WriteJpegOfScans(int width, int height, int scans) {
    Bytes out = {0xFF, 0xD8};
    // One quantization table of ones.
    PutBE16(out, 0xFFDB);
    PutBE16(out, 67);
    out.push_back(0);
    out.insert(out.end(), 64, 1);
    // A progressive frame of one 8-bit component.
    PutBE16(out, 0xFFC2);
    PutBE16(out, 11);
    out.push_back(8);
    PutBE16(out, static_cast<uint32_t>(height));
    PutBE16(out, static_cast<uint32_t>(width));
    out.insert(out.end(), {1, 1, 0x11, 0});
    // An AC table of one code, which every scan names.
    PutBE16(out, 0xFFC4);
    PutBE16(out, 3 + 16 + 1);
    out.push_back(0x10);
    out.push_back(1);
    out.insert(out.end(), 15, 0);
    out.push_back(0);
    // Each scan: the component's AC coefficients, no entropy-coded data after its header.
    for (int i = 0; i < scans; ++i) {
        PutBE16(out, 0xFFDA);
        PutBE16(out, 8);
        out.insert(out.end(), {1, 1, 0x00, 1, 63, 0});
    }
    PutBE16(out, 0xFFD9);
    return out;
}

Bytes WritePngInflatingTo(uint32_t width, uint32_t height, uint64_t inflatedBytes) {
    // Deflate of one chunk of zeros, flushed to a byte boundary with a fresh dictionary, so that the
    // same bytes repeated inflate to that many chunks.
    constexpr std::size_t kChunk = 1 << 20;
    const Bytes zeros(kChunk, 0);
    z_stream z{};
    if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("deflateInit");
    Bytes first(kChunk), repeat(kChunk);
    auto flush = [&z, &zeros](Bytes& into) {
        z.next_in = const_cast<Bytef*>(zeros.data());
        z.avail_in = static_cast<uInt>(zeros.size());
        z.next_out = into.data();
        z.avail_out = static_cast<uInt>(into.size());
        deflate(&z, Z_FULL_FLUSH);
        into.resize(into.size() - z.avail_out);
    };
    flush(first);   // the zlib header and a chunk
    flush(repeat);  // a chunk alone
    Bytes end(64);
    z.next_in = nullptr;
    z.avail_in = 0;
    z.next_out = end.data();
    z.avail_out = static_cast<uInt>(end.size());
    deflate(&z, Z_FINISH);
    end.resize(end.size() - z.avail_out);
    deflateEnd(&z);

    Bytes data = first;
    for (uint64_t done = kChunk; done < inflatedBytes; done += kChunk)
        data.insert(data.end(), repeat.begin(), repeat.end());
    data.insert(data.end(), end.begin(), end.end());
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    PutBE32(ihdr, width);
    PutBE32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", ihdr);
    PutChunk(out, "IDAT", data);
    PutChunk(out, "IEND", {});
    return out;
}

Bytes WritePngWithTexts(int width, int height, const std::vector<uint32_t>& argb, int texts,
                        std::size_t textBytes) {
    const Bytes png = WritePng(width, height, argb);
    const Bytes spaces(textBytes, ' ');
    uLongf length = compressBound(static_cast<uLong>(spaces.size()));
    Bytes z(length);
    if (compress2(z.data(), &length, spaces.data(), static_cast<uLong>(spaces.size()), 9) != Z_OK)
        throw std::runtime_error("compress2");
    z.resize(length);
    Bytes body(6 + z.size());
    std::copy_n("note\0\0", 6, body.begin());  // keyword, its end, deflate
    std::copy(z.begin(), z.end(), body.begin() + 6);
    Bytes out(png.begin(), png.begin() + 33);  // the signature and the header
    for (int i = 0; i < texts; ++i) PutChunk(out, "zTXt", body);
    out.insert(out.end(), png.begin() + 33, png.end());
    return out;
}

Bytes WriteGifOfClearCodes(int width, int height, std::size_t dataBytes, int codeSize) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&out](int v) {
        out.push_back(static_cast<unsigned char>(v));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    put16(width);
    put16(height);
    out.insert(out.end(), {0xF7, 0, 0});  // a palette of 256 grey levels
    for (int i = 0; i < 256; ++i) out.insert(out.end(), 3, static_cast<unsigned char>(i));
    out.push_back(0x2C);
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    out.push_back(0);
    out.push_back(static_cast<unsigned char>(codeSize));
    // Clear codes of codeSize + 1 bits, least significant first; after each the width starts again.
    Bytes codes;
    uint32_t bits = 0;
    int count = 0;
    while (codes.size() < dataBytes) {
        bits |= (1u << codeSize) << count;
        count += codeSize + 1;
        while (count >= 8) {
            codes.push_back(static_cast<unsigned char>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
        out.push_back(static_cast<unsigned char>(n));
        out.insert(out.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
                   codes.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

}  // namespace TestImages
