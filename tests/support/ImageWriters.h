#pragma once
// Image files made at test time: PNG, JPEG, BMP, Targa, JPEG 2000 and GIF, each from pixels given row
// by row from the top. Colours are the engine's ARGB words (alpha in the top byte).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace TestImages {

using Bytes = std::vector<unsigned char>;

// An RGBA PNG with stored (uncompressed) deflate blocks.
Bytes WritePng(int width, int height, const std::vector<uint32_t>& argb);

// Sets the size a PNG's header claims, its checksum kept right.
void ClaimPngSize(Bytes& png, uint32_t width, uint32_t height);

// A baseline JPEG (no alpha), a 32-bit BMP and an uncompressed 32-bit Targa file, rows from the top.
Bytes WriteJpeg(int width, int height, const std::vector<uint32_t>& argb);
Bytes WriteBmp(int width, int height, const std::vector<uint32_t>& argb);
Bytes WriteTga(int width, int height, const std::vector<uint32_t>& argb);

// A lossless .jp2 file. components: 1 grey (the red channel), 2 grey and alpha, 3 RGB, 4 RGBA. The
// image area may be placed at (x0, y0) on the canvas.
Bytes WriteJp2(int width, int height, const std::vector<uint32_t>& argb, int components = 3, int x0 = 0,
               int y0 = 0);

// A bare JPEG 2000 code stream of a few dozen bytes claiming a picture of width x height with the
// given components, cut in tiles of tileSide pixels a side (0: one tile), whose first tile holds an
// empty packet: the decoder makes a picture of the claimed size, all black.
// codeBlockExponent: code blocks of 2^(exponent + 2) pixels a side (4: 64 x 64).
Bytes WriteJ2kClaiming(uint32_t width, uint32_t height, int components, uint32_t tileSide = 0,
                       int codeBlockExponent = 4);

// A bare code stream of a row of `tiles` one-pixel tiles, each sent in `parts` tile parts (at most
// 255): the first holds the tile's empty packet, the others nothing.
Bytes WriteJ2kOfTileParts(uint32_t tiles, int parts);

// A GIF whose palette is the 256 grey levels; grey holds one level per pixel. An interlaced one sends
// its rows in the four passes of the format.
Bytes WriteGreyGif(int width, int height, const std::vector<uint8_t>& grey, bool interlaced = false);

// Files that cost little to store and much to decode. A progressive grey JPEG of width x height made
// of scans of no data; an RGBA PNG whose image data inflates to inflatedBytes of zeros; a GIF of
// width x height whose image data holds dataBytes of clear codes and nothing else, at an LZW minimum
// code size of 0 to 8.
Bytes WriteJpegOfScans(int width, int height, int scans);
Bytes WritePngInflatingTo(uint32_t width, uint32_t height, uint64_t inflatedBytes);
// A real PNG of width x height with `texts` compressed text chunks after its header, each
// inflating to textBytes of spaces.
Bytes WritePngWithTexts(int width, int height, const std::vector<uint32_t>& argb, int texts,
                        std::size_t textBytes);
Bytes WriteGifOfClearCodes(int width, int height, std::size_t dataBytes, int codeSize = 8);

}  // namespace TestImages
