#include "engine/PictureFile.h"

#include <SDL2/SDL_image.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/PictureBounds.h"

namespace Engine {

namespace {

uint32_t Little16(const unsigned char* p) {
    return static_cast<uint32_t>(p[1]) << 8 | p[0];
}

uint32_t Little32(const unsigned char* p) {
    return Little16(p + 2) << 16 | Little16(p);
}

// What a picture file's header says: the decoder that reads it and the picture it claims (sides 0
// when the header tells none).
struct PictureHeader {
    const char* type = nullptr;
    uint64_t width = 0, height = 0;
    uint64_t channels = 1;
};

// A PNG's first chunk is its header: length, type, width, height.
void ReadPngSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 24 || std::memcmp(file + 12, "IHDR", 4) != 0) return;
    header.width = Big32(file + 16);
    header.height = Big32(file + 20);
}

// A JPEG's size is in its first start-of-frame segment. The segments are walked as the decoder walks
// them: bytes between segments and fill bytes before a marker are skipped, markers without a length
// stand alone; a scan or the end before any frame leaves the size untold.
void ReadJpegSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 4 || file[0] != 0xFF || file[1] != 0xD8) return;
    size_t at = 2;
    for (;;) {
        while (at < size && file[at] != 0xFF) ++at;
        while (at < size && file[at] == 0xFF) ++at;
        if (at >= size) return;
        const unsigned char marker = file[at++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (marker == 0xD9 || marker == 0xDA) return;
        if (size - at < 2) return;
        const size_t length = Big16(file + at);
        if (length < 2) return;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            // Length, sample precision, height, width, number of components.
            if (length < 8 || size - at < 8) return;
            header.height = Big16(file + at + 3);
            header.width = Big16(file + at + 5);
            header.channels = file[at + 7];
            return;
        }
        at += length;
    }
}

void ReadBmpSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 26) return;
    // The oldest header holds 16-bit sides; the others 32-bit ones, a negative height standing for
    // rows from the top.
    if (Little32(file + 14) == 12) {
        header.width = Little16(file + 18);
        header.height = Little16(file + 20);
        return;
    }
    const int64_t width = static_cast<int32_t>(Little32(file + 18));
    const int64_t height = static_cast<int32_t>(Little32(file + 22));
    if (width < 0) return;
    header.width = static_cast<uint64_t>(width);
    header.height = static_cast<uint64_t>(height < 0 ? -height : height);
}

// Targa files carry no signature, so any bytes no other decoder took reach the Targa decoder, which
// makes a picture of the size its header claims before it reads a pixel. A header claiming more
// pixels than the file could hold (at least a byte a pixel; run-length packets of two bytes or more
// for at most 128 pixels) is not taken for one.
bool ReadTargaSize(const unsigned char* file, size_t size, PictureHeader& header) {
    constexpr size_t kHeader = 18;
    if (size < kHeader) return false;
    header.width = Little16(file + 12);
    header.height = Little16(file + 14);
    const bool runLength = file[2] >= 9 && file[2] <= 11;
    const uint64_t body = size - kHeader;
    return header.width * header.height <= (runLength ? body / 2 * 128 : body);
}

// The decoder for a picture file and the size its header claims: PNG, JPEG and BMP by their
// signatures, Targa by a plausible header; no decoder for anything else. SDL_image reads many more
// formats, whose readers the game has no use for.
PictureHeader ReadPictureHeader(SDL_RWops* file, const unsigned char* bytes, size_t size) {
    PictureHeader header;
    if (IMG_isPNG(file)) {
        header.type = "PNG";
        ReadPngSize(bytes, size, header);
    } else if (IMG_isJPG(file)) {
        header.type = "JPG";
        ReadJpegSize(bytes, size, header);
    } else if (IMG_isBMP(file)) {
        header.type = "BMP";
        ReadBmpSize(bytes, size, header);
    } else if (ReadTargaSize(bytes, size, header)) {
        header.type = "TGA";
    }
    return header;
}

}  // namespace

SDL_Surface* DecodePicture(CLog& log, const char* name, const void* data, size_t size) {
    if (!data || size == 0 || size > INT32_MAX) {
        log.Write("Can't decode image %s: the file is empty or too large", name);
        return nullptr;
    }
    SDL_RWops* file = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!file) {
        log.Write("Can't decode image %s: %s", name, SDL_GetError());
        return nullptr;
    }
    const PictureHeader header = ReadPictureHeader(file, static_cast<const unsigned char*>(data), size);
    if (!header.type) {
        SDL_RWclose(file);
        log.Write("Can't decode image %s: not a PNG, JPEG, BMP or Targa picture", name);
        return nullptr;
    }
    if (!PictureWithinBounds(header.width, header.height, header.channels)) {
        SDL_RWclose(file);
        char channels[32] = "";
        if (header.channels > 1)
            std::snprintf(channels, sizeof channels, " in %" PRIu64 " channels", header.channels);
        log.Write("Can't decode image %s: a %s picture of %" PRIu64 "x%" PRIu64
                  "%s, beyond what a texture may be (%" PRIu32 " a side, %" PRIu64 " pixels)",
                  name, header.type, header.width, header.height, channels, kMaxPictureSide,
                  kMaxPicturePixels);
        return nullptr;
    }
    SDL_Surface* image = IMG_LoadTyped_RW(file, 1, header.type);
    if (!image) {
        log.Write("Can't decode image %s: %s", name, IMG_GetError());
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(image);
    if (!argb) log.Write("Can't convert image %s: %s", name, SDL_GetError());
    return argb;
}

}  // namespace Engine
