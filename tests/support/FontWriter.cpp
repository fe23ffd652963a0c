#include "tests/support/FontWriter.h"

#include "framework/core/MemoryStreams.h"
#include "framework/core/Stream.h"

namespace {

void WriteInt16(GF::COutputStream& out, int16_t value) {
    GF::WriteUInt16BE(out, static_cast<uint16_t>(value));
}

void WriteHeader(GF::COutputStream& out, const TFontFile& font) {
    GF::WriteString(out, font.magic);
    WriteInt16(out, font.top);
    WriteInt16(out, font.base);
    WriteInt16(out, font.bottom);
    WriteInt16(out, font.spacing);
    WriteInt16(out, font.pageCount);
    GF::WriteUInt16BE(out, static_cast<uint16_t>(font.glyphs.size()));
}

}  // namespace

std::vector<unsigned char> WriteFontFile(const TFontFile& font) {
    GF::CMemoryOutputStream out;
    WriteHeader(out, font);
    for (const TFontGlyphRecord& g : font.glyphs) {
        GF::WriteUInt16BE(out, g.code);
        GF::WriteUInt16BE(out, g.page);
        for (int16_t v : {g.left, g.right, g.top, g.x, g.y, g.width, g.height}) WriteInt16(out, v);
    }
    return out.data;
}
