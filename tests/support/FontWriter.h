#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes the bitmap font file: the "HGEFN10" magic, the line metrics, the page count and the glyph
// records, every integer big-endian. Used by the tests and by the content tool.
struct TFontGlyphRecord {
    uint16_t code = 0;
    uint16_t page = 0;
    int16_t left = 0;
    int16_t right = 0;
    int16_t top = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;  // the picture's rectangle on its page
};

struct TFontFile {
    std::string magic = "HGEFN10";
    int16_t top = 0;
    int16_t base = 0;
    int16_t bottom = 0;
    int16_t spacing = 0;
    int16_t pageCount = 1;
    std::vector<TFontGlyphRecord> glyphs;
};

std::vector<unsigned char> WriteFontFile(const TFontFile& font);
