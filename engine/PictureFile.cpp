#include "engine/PictureFile.h"

#include <SDL2/SDL_image.h>
#include <png.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/PictureBounds.h"
#include "engine/PictureBudget.h"

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

// A PNG's first chunk is its header: length, type, width, height, bit depth, colour type,
// compression, filter and interlace methods. No chunk before the end may run past the file: a decoder
// would read and check gigabytes of nothing to pass it. The chunks are walked by their lengths alone.
void ReadPngSize(const unsigned char* file, size_t size, PictureHeader& header) {
    if (size < 33 || std::memcmp(file + 12, "IHDR", 4) != 0) return;
    header.width = Big32(file + 16);
    header.height = Big32(file + 20);
    if (!PictureWithinBounds(header.width, header.height)) return;
    for (size_t at = 8; size - at >= 12 && std::memcmp(file + at + 4, "IEND", 4) != 0;) {
        const uint64_t length = Big32(file + at);
        if (length > size - at - 12) {
            header.refused = "a PNG picture of " + std::to_string(header.width) + "x" +
                             std::to_string(header.height) + " whose chunk runs past the file's end";
            return;
        }
        at += 12 + length;
    }
}

// A PNG decoded as its bytes are handed over, row by row into a surface of ARGB8888 pixels. The
// decoder stops at the picture's last row: image data inflating past it (a few megabytes can make
// gigabytes) is refused as soon as the first byte past the picture comes out, so the check costs
// nothing beside the decoding. Text, colour profile and palette suggestion chunks are skipped unread:
// the game shows none of them, and compressed ones cost their inflating.
struct PngDecode {
    SDL_Surface* surface = nullptr;
    bool complete = false;
    bool pastPixels = false;
    char error[160] = "";
};

[[noreturn]] void PngError(png_structp png, png_const_charp message) {
    auto* decode = static_cast<PngDecode*>(png_get_error_ptr(png));
    std::snprintf(decode->error, sizeof decode->error, "%s", message);
    png_longjmp(png, 1);
}

void PngWarning(png_structp png, png_const_charp message) {
    auto* decode = static_cast<PngDecode*>(png_get_error_ptr(png));
    if (std::strstr(message, "Extra compressed data")) {
        decode->pastPixels = true;
        png_longjmp(png, 1);
    }
}

void PngInfo(png_structp png, png_infop info) {
    auto* decode = static_cast<PngDecode*>(png_get_progressive_ptr(png));
    png_set_expand(png);  // palette and low grey depths to 8 bits, transparency to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);  // ARGB8888 lies in memory as blue, green, red, alpha
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4)
        png_error(png, "unexpected row layout");
    decode->surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!decode->surface) png_error(png, SDL_GetError());
}

void PngRow(png_structp png, png_bytep row, png_uint_32 number, int /*pass*/) {
    auto* decode = static_cast<PngDecode*>(png_get_progressive_ptr(png));
    SDL_Surface* surface = decode->surface;
    if (!row || !surface || number >= static_cast<png_uint_32>(surface->h)) return;
    png_progressive_combine_row(png,
                                static_cast<png_bytep>(surface->pixels) +
                                    static_cast<size_t>(number) * static_cast<size_t>(surface->pitch),
                                row);
}

void PngEnd(png_structp png, png_infop) {
    static_cast<PngDecode*>(png_get_progressive_ptr(png))->complete = true;
}

// Runs the decoder over the file; false when it stopped on an error or past the pixels.
bool RunPngDecoder(png_structp png, png_infop info, const unsigned char* file, size_t size) {
    if (setjmp(png_jmpbuf(png))) return false;
    static const png_byte kSkipped[] = "iCCP\0iTXt\0sPLT\0tEXt\0zTXt\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkipped, sizeof kSkipped / 5);
    png_set_progressive_read_fn(png, png_get_error_ptr(png), PngInfo, PngRow, PngEnd);
    png_process_data(png, info, const_cast<png_bytep>(file), size);
    return true;
}

SDL_Surface* DecodePng(CLog& log, const char* name, const PictureHeader& header, const unsigned char* file,
                       size_t size) {
    PngDecode decode;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &decode, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        log.Write("Can't decode image %s: out of memory", name);
        return nullptr;
    }
    const bool ran = RunPngDecoder(png, info, file, size);
    png_destroy_read_struct(&png, &info, nullptr);
    if (ran && decode.complete) return decode.surface;
    SDL_FreeSurface(decode.surface);
    if (decode.pastPixels) {
        log.Write("Can't decode image %s: a PNG picture of %" PRIu64 "x%" PRIu64
                  " whose image data inflates past its pixels, more work than a texture may cost",
                  name, header.width, header.height);
    } else {
        log.Write("Can't decode image %s: %s", name,
                  decode.error[0] ? decode.error : "the file ends before its picture does");
    }
    return nullptr;
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
    // The picture decoded, then its texture: twice its pixels at the most.
    const uint64_t bytes = 2 * kDecodedPixelBytes * header.width * header.height;
    if (!CPictureBudget::Fits(bytes)) {
        SDL_RWclose(file);
        log.Write("Can't decode image %s: a %s picture of %" PRIu64 "x%" PRIu64
                  " would take the decoded pictures past %" PRIu64 " MB",
                  name, header.type, header.width, header.height, CPictureBudget::kBytes >> 20);
        return nullptr;
    }
    if (std::strcmp(header.type, "PNG") == 0) {
        SDL_RWclose(file);
        return DecodePng(log, name, header, static_cast<const unsigned char*>(data), size);
    }
    SDL_Surface* image = IMG_LoadTyped_RW(file, 1, header.type);
    if (!image) {
        log.Write("Can't decode image %s: %s", name, IMG_GetError());
        return nullptr;
    }
    if (image->format->format == SDL_PIXELFORMAT_ARGB8888) return image;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(image);
    if (!argb) log.Write("Can't convert image %s: %s", name, SDL_GetError());
    return argb;
}

bool SavePicture(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height,
                 std::string& error) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        error = "nothing drawn";
        return false;
    }
    // SDL only reads the pixels through the surface; it is made over them without a copy.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    const bool saved = surface && IMG_SavePNG(surface, path.c_str()) == 0;
    if (surface) SDL_FreeSurface(surface);
    if (!saved) error = SDL_GetError();
    return saved;
}

}  // namespace Engine
