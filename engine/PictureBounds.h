#pragma once
#include <cstdint>

namespace Engine {

// The largest picture any texture reader makes room for. The game's own largest pictures are a
// screen (1024 x 768 at most), the map's background and the sheets its sprites are packed on, which
// stay within 4096 x 4096, the largest texture every device of its kind takes; a side may reach 8192
// for a long strip of the same area. The decoders make room for the whole picture their header
// claims before they read a pixel, so every reader checks the header against these first.
constexpr uint32_t kMaxPictureSide = 8192;
constexpr uint64_t kMaxPicturePixels = uint64_t{4096} * 4096;
// Samples a pixel: red, green, blue and alpha. A JPEG 2000 decoder keeps a 32-bit plane for each
// component, a JPEG decoder one for each of its components.
constexpr uint64_t kMaxPictureChannels = 4;
// The bytes of a decoded pixel, the engine's ARGB word.
constexpr uint64_t kDecodedPixelBytes = 4;

// Big-endian fields of a picture file's header, where the sides are read before any decoder runs.
inline uint32_t Big16(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 8 | p[1];
}

inline uint32_t Big32(const unsigned char* p) {
    return Big16(p) << 16 | Big16(p + 2);
}

// Whether a picture of these sides, with this many samples a pixel, is one a reader may decode.
constexpr bool PictureWithinBounds(uint64_t width, uint64_t height, uint64_t channels = 1) {
    return width > 0 && height > 0 && channels > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels &&
           channels <= kMaxPicturePixels * kMaxPictureChannels / (width * height);
}

}  // namespace Engine
