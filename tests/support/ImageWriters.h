#pragma once
// Image files made at test time: PNG, JPEG 2000 and GIF, each from pixels given row by row from the
// top. Colours are the engine's ARGB words (alpha in the top byte).
#include <cstdint>
#include <vector>

namespace TestImages {

using Bytes = std::vector<unsigned char>;

// An RGBA PNG with stored (uncompressed) deflate blocks.
Bytes WritePng(int width, int height, const std::vector<uint32_t>& argb);

// A lossless .jp2 file. components: 1 grey (the red channel), 2 grey and alpha, 3 RGB, 4 RGBA. The
// image area may be placed at (x0, y0) on the canvas.
Bytes WriteJp2(int width, int height, const std::vector<uint32_t>& argb, int components = 3, int x0 = 0,
               int y0 = 0);

// A GIF whose palette is the 256 grey levels; grey holds one level per pixel.
Bytes WriteGreyGif(int width, int height, const std::vector<uint8_t>& grey);

}  // namespace TestImages
