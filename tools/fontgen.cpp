// Builds a bitmap font from its readable description (content/font/<n>.txt): the font file
// Font/<n>.fnt and its page image Font/<n>/<n>_000.png under the output folder.
//
//   fontgen <description.txt> <font number> <output folder>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/WString.h"
#include "tests/support/FontWriter.h"
#include "tools/OutputFiles.h"

namespace {

struct Glyph {
    char16_t code = 0;
    std::vector<std::string> rows;
    int line = 0;
};

struct Description {
    int scale = 1, ascent = 0, descent = 0, spacing = 0, pageWidth = 0, pageHeight = 0;
    std::vector<Glyph> glyphs;
};

int16_t Short(int value) {
    return static_cast<int16_t>(value);
}

bool Fail(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "fontgen: %s: %s\n", where.c_str(), what.c_str());
    return false;
}

bool ParseCode(const std::string& text, char16_t& code) {
    if (text.size() > 2 && text.compare(0, 2, "U+") == 0) {
        code = static_cast<char16_t>(std::stoul(text.substr(2), nullptr, 16));
        return true;
    }
    const GF::WString units = GF::Utf8ToUtf16(text);
    if (units.size() != 1) return false;
    code = units[0];
    return true;
}

bool Parse(const std::string& path, Description& d) {
    std::ifstream in(path);
    if (!in) return Fail(path, "cannot open");
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = path + ":" + std::to_string(number);
        if (line.empty() || line[0] == ';') continue;
        if (line.find_first_not_of("#.") == std::string::npos) {
            if (d.glyphs.empty()) return Fail(where, "row before the first glyph");
            Glyph& g = d.glyphs.back();
            if (!g.rows.empty() && g.rows[0].size() != line.size())
                return Fail(where, "rows of different widths");
            g.rows.push_back(line);
            continue;
        }
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "glyph") {
            Glyph g;
            g.line = number;
            if (line.size() <= 6 || !ParseCode(line.substr(6), g.code))
                return Fail(where, "bad glyph character");
            d.glyphs.push_back(g);
        } else if (key == "scale") {
            words >> d.scale;
        } else if (key == "ascent") {
            words >> d.ascent;
        } else if (key == "descent") {
            words >> d.descent;
        } else if (key == "spacing") {
            words >> d.spacing;
        } else if (key == "page") {
            words >> d.pageWidth >> d.pageHeight;
        } else {
            return Fail(where, "unknown line \"" + line + "\"");
        }
        if (!words && key != "glyph") return Fail(where, "missing value");
    }
    if (d.scale < 1 || d.pageWidth < 1 || d.pageHeight < 1)
        return Fail(path, "scale and page size must be positive");
    for (const Glyph& g : d.glyphs)
        if (g.rows.empty()) return Fail(path + ":" + std::to_string(g.line), "glyph without rows");
    return true;
}

bool SavePage(const Description& d, const std::vector<TFontGlyphRecord>& records,
              const std::filesystem::path& path) {
    // Blank is white without alpha, so that a tinted glyph keeps clean edges.
    std::vector<uint32_t> pixels(
        static_cast<std::size_t>(d.pageWidth) * static_cast<std::size_t>(d.pageHeight), 0x00FFFFFF);
    const int pitch = d.pageWidth;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Glyph& g = d.glyphs[i];
        for (int row = 0; row < static_cast<int>(g.rows.size()); ++row)
            for (int col = 0; col < static_cast<int>(g.rows[row].size()); ++col) {
                if (g.rows[row][col] != '#') continue;
                for (int sy = 0; sy < d.scale; ++sy)
                    for (int sx = 0; sx < d.scale; ++sx)
                        pixels[(records[i].y + row * d.scale + sy) * pitch + records[i].x + col * d.scale +
                               sx] = 0xFFFFFFFF;
            }
    }
    return WritePixelFile("fontgen", path, d.pageWidth, d.pageHeight,
                          [&](int x, int y) { return pixels[static_cast<std::size_t>(y * pitch + x)]; });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fontgen <description.txt> <font number> <output folder>\n");
        return 2;
    }
    Description d;
    if (!Parse(argv[1], d)) return 1;
    const int number = std::atoi(argv[2]);

    // Glyphs go onto the page in rows, two page pixels apart so that filtering never mixes neighbours.
    constexpr int kGap = 2;
    TFontFile font;
    font.top = Short(-d.ascent * d.scale);
    font.bottom = Short(d.descent * d.scale);
    font.spacing = Short(d.spacing * d.scale);
    int x = kGap, y = kGap, rowHeight = 0;
    for (const Glyph& g : d.glyphs) {
        const int w = static_cast<int>(g.rows[0].size()) * d.scale;
        const int h = static_cast<int>(g.rows.size()) * d.scale;
        if (x + w + kGap > d.pageWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        if (y + h + kGap > d.pageHeight) return Fail(argv[1], "the glyphs do not fit on the page"), 1;
        // On page 0, from the left edge to its width, its top on the ascent.
        font.glyphs.push_back(
            {g.code, 0, 0, Short(w), Short(d.ascent * d.scale), Short(x), Short(y), Short(w), Short(h)});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }

    namespace fs = std::filesystem;
    const fs::path out = argv[3];
    const std::string n = std::to_string(number);
    char pageName[64];
    std::snprintf(pageName, sizeof pageName, "%d_%03d.png", number, 0);
    if (!SavePage(d, font.glyphs, out / "Font" / n / pageName)) return 1;
    return WriteOutputFile("fontgen", out / "Font" / (n + ".fnt"), WriteFontFile(font)) ? 0 : 1;
}
