#include "engine/PictureFile.h"

#include <SDL2/SDL_image.h>
#include <zlib.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/PictureBounds.h"

namespace Engine {

namespace {

// A progressive JPEG's decoder goes over the whole picture once for every scan, however little the
// scan holds. An encoder's progression takes ten scans, a few dozen at the most refined.
constexpr uint64_t kMaxJpegScans = 64;

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
    std::string refused;  // why a picture within the bound would still cost too much, empty if not
};

// The bytes a PNG's image data inflates to: for each row of each pass (one pass, or the seven of an
// interlaced picture), a filter byte and the row's samples. 0 when the header names no valid layout.
uint64_t PngImageDataBytes(uint64_t width, uint64_t height, unsigned depth, unsigned colour,
                           bool interlaced) {
    static const unsigned kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    if (colour > 6 || !kChannels[colour] || depth == 0 || depth > 16 || (depth & (depth - 1))) return 0;
    const uint64_t bits = uint64_t{kChannels[colour]} * depth;
    auto pass = [&](uint64_t x0, uint64_t y0, uint64_t dx, uint64_t dy) -> uint64_t {
        const uint64_t w = width > x0 ? (width - x0 + dx - 1) / dx : 0;
        const uint64_t h = height > y0 ? (height - y0 + dy - 1) / dy : 0;
        return w && h ? h * (1 + (w * bits + 7) / 8) : 0;
    };
    if (!interlaced) return pass(0, 0, 1, 1);
    return pass(0, 0, 8, 8) + pass(4, 0, 8, 8) + pass(0, 4, 4, 8) + pass(2, 0, 4, 4) + pass(0, 2, 2, 4) +
           pass(1, 0, 2, 2) + pass(0, 1, 1, 2);
}

// Why a PNG's chunks can't be decoded in little time (the words that follow "a PNG picture of WxH
// whose"), or nothing. Its image data, the IDAT chunks in
// a row, must not inflate to more than its picture holds: the decoder inflates whatever follows the
// picture's last row, so a few megabytes can make it work through gigabytes; inflating here stops one
// byte past the picture. No chunk before the end may run past the file: the decoder would read and
// check gigabytes of nothing to pass it.
const char* PngChunksRefused(const unsigned char* file, size_t size, uint64_t expected) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return nullptr;
    unsigned char scratch[1 << 16];
    uint64_t produced = 0;
    bool past = false, ended = false, cut = false;
    for (size_t at = 8; !past && size - at >= 12 && std::memcmp(file + at + 4, "IEND", 4) != 0;) {
        const uint64_t length = Big32(file + at);
        if (length > size - at - 12) {
            cut = true;
            break;
        }
        if (std::memcmp(file + at + 4, "IDAT", 4) == 0) {
            z.next_in = const_cast<Bytef*>(file + at + 8);
            z.avail_in = static_cast<uInt>(length);
            while (z.avail_in > 0 && !past && !ended) {
                z.next_out = scratch;
                z.avail_out = sizeof scratch;
                const int result = inflate(&z, Z_NO_FLUSH);
                produced += sizeof scratch - z.avail_out;
                past = produced > expected;
                ended = result != Z_OK;  // the stream's end, or damage the decoder will name
            }
        }
        at += 12 + length;
    }
    inflateEnd(&z);
    if (past) return "image data inflates past its pixels";
    return cut ? "chunk runs past the file's end" : nullptr;
}

// A PNG's first chunk is its header: length, type, width, height, bit depth, colour type,
// compression, filter and interlace methods.
void ReadPngSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 33 || std::memcmp(file + 12, "IHDR", 4) != 0) return;
    header.width = Big32(file + 16);
    header.height = Big32(file + 20);
    if (!PictureWithinBounds(header.width, header.height)) return;
    const uint64_t expected =
        PngImageDataBytes(header.width, header.height, file[24], file[25], file[28] == 1);
    const char* refused = expected ? PngChunksRefused(file, size, expected) : nullptr;
    if (refused)
        header.refused = "a PNG picture of " + std::to_string(header.width) + "x" +
                         std::to_string(header.height) + " whose " + refused;
}

// A JPEG's size is in its first start-of-frame segment. The segments are walked as the decoder walks
// them: bytes between segments and fill bytes before a marker are skipped, markers without a length
// stand alone; a scan or the end before any frame leaves the size untold. The walk goes on through
// the scans, counting them: the entropy-coded data after a scan's header runs to the next marker
// that is neither a stuffed byte nor a restart.
void ReadJpegSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 4 || file[0] != 0xFF || file[1] != 0xD8) return;
    size_t at = 2;
    bool framed = false;
    uint64_t scans = 0;
    for (;;) {
        while (at < size && file[at] != 0xFF) ++at;
        while (at < size && file[at] == 0xFF) ++at;
        if (at >= size) return;
        const unsigned char marker = file[at++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (marker == 0xD9 || (marker == 0xDA && !framed)) return;
        if (size - at < 2) return;
        const size_t length = Big16(file + at);
        if (length < 2) return;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && !framed) {
            // Length, sample precision, height, width, number of components.
            if (length < 8 || size - at < 8) return;
            header.height = Big16(file + at + 3);
            header.width = Big16(file + at + 5);
            header.channels = file[at + 7];
            framed = true;
        }
        at += length;
        if (marker == 0xDA && ++scans > kMaxJpegScans) {
            header.refused = "a JPEG picture of more than " + std::to_string(kMaxJpegScans) + " scans";
            return;
        }
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
    // A colour map or not; a colour-mapped, true-colour or grey picture, raw or run-length; a size.
    const unsigned type = file[2];
    if (file[1] > 1 || !((type >= 1 && type <= 3) || (type >= 9 && type <= 11))) return false;
    header.width = Little16(file + 12);
    header.height = Little16(file + 14);
    if (header.width == 0 || header.height == 0) return false;
    const bool runLength = type >= 9;
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
        char channels[48] = "";
        if (header.channels > 1)
            std::snprintf(channels, sizeof channels, " in %" PRIu64 " channels", header.channels);
        log.Write("Can't decode image %s: a %s picture of %" PRIu64 "x%" PRIu64
                  "%s, beyond what a texture may be (%" PRIu32 " a side, %" PRIu64 " pixels)",
                  name, header.type, header.width, header.height, channels, kMaxPictureSide,
                  kMaxPicturePixels);
        return nullptr;
    }
    if (!header.refused.empty()) {
        SDL_RWclose(file);
        log.Write("Can't decode image %s: %s, more work than a texture may cost", name,
                  header.refused.c_str());
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
