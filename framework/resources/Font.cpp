#include "framework/resources/Font.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/core/DataStreams.h"
#include "framework/core/Stream.h"

namespace GF {
namespace HGENS {

namespace {

const char kMagic[] = "HGEFN10";
constexpr unsigned kGlyphRecordSize = 18;
constexpr std::size_t kPrintfUnits = 255;

bool IsLineBreak(const WString& text, std::size_t i) {
    return text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n';
}

// The engine for one call, given back when the scope ends.
class CEngineRef {
public:
    CEngineRef() : m_hge(hgeCreate(HGE_VERSION)) {}
    ~CEngineRef() {
        if (m_hge) m_hge->Release();
    }
    CEngineRef(const CEngineRef&) = delete;
    CEngineRef& operator=(const CEngineRef&) = delete;
    HGE* operator->() const { return m_hge; }
    explicit operator bool() const { return m_hge != nullptr; }

private:
    HGE* m_hge;
};

struct GlyphRecord {
    uint16_t code, page;
    int16_t left, right, top, x, y, width, height;
};

bool ReadInt16(CInputStream& in, int16_t& value) {
    uint16_t u = 0;
    const bool ok = ReadUInt16BE(in, u);
    value = static_cast<int16_t>(u);
    return ok;
}

}  // namespace

CFont::CFont() = default;

CFont::~CFont() = default;

const tagChar* CFont::GetGlyph(WChar code) const {
    return code < m_glyphs.size() ? m_glyphs[code].Get() : nullptr;
}

int32_t CFont::Advance(const tagChar& glyph) const {
    return m_tracking + m_spacing + std::abs(glyph.right - glyph.left);
}

float CFont::LineWidth(const WString& text, std::size_t from) const {
    float width = 0.0f;
    for (std::size_t i = from; i < text.size() && !IsLineBreak(text, i); ++i)
        if (const tagChar* glyph = GetGlyph(text[i])) width += static_cast<float>(Advance(*glyph));
    return width;
}

float CFont::GetStringWidth(const WString& text) const {
    return LineWidth(text, 0);
}

float CFont::GetLineHeight() const {
    return static_cast<float>(std::abs(m_bottom - m_top));
}

int CFont::GetBaseHeight() const {
    return std::abs(m_bottom - m_base);
}

void CFont::SetScale(const TPoint<float>& scale) {
    m_scaleX = scale.x;
    m_scaleY = scale.y;
}

void CFont::SetBlendMode(int mode) {
    switch (mode) {
        case 0:
            m_blend = BLEND_DEFAULT;
            m_color = hgeColor(1.0f, 1.0f, 1.0f, 1.0f);
            break;
        case 1:
            m_blend = BLEND_COLORADD | BLEND_ALPHABLEND;
            break;
        case 2:
            m_blend = BLEND_DEFAULT;
            break;
        default:
            break;
    }
}

void CFont::SetRotation(float angle) {
    m_rotation = angle;
    m_sin = std::sin(angle);
    m_cos = std::cos(angle);
}

void CFont::Prepare(CHGESprite& sprite) const {
    // The opacity stands in for the colour's alpha; kept within a byte so it cannot spill into red.
    const float alpha = m_opacity * 255.0f;
    const DWORD a = alpha >= 255.0f ? 255u : alpha > 0.0f ? static_cast<DWORD>(alpha) : 0u;
    hgeColor color = m_color;
    color.a = 0.0f;
    sprite.SetColor((color.GetHWColor() & 0x00FFFFFF) | (a << 24));
    sprite.quad.blend = m_blend;
}

void CFont::Render(const float& x, const float& y, const WString& text, int align) {
    auto lineStart = [&](std::size_t from) {
        const float width = LineWidth(text, from) * m_scaleX;
        return align == kAlignRight ? x - width : align == kAlignCenter ? x - width * 0.5f : x;
    };
    float penX = lineStart(0);
    float penY = y;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLineBreak(text, i)) {
            ++i;
            penY += (GetLineHeight() + static_cast<float>(m_lineSpacing)) * m_scaleY;
            penX = lineStart(i + 1);
            continue;
        }
        const tagChar* glyph = GetGlyph(text[i]);
        if (!glyph) continue;
        float gx = penX - static_cast<float>(glyph->left) * m_scaleX;
        float gy = penY - static_cast<float>(glyph->top);
        if (m_scaleX == 1.0f) gx = std::trunc(gx);
        if (m_scaleY == 1.0f) gy = std::trunc(gy);
        if (m_rotation != 0.0f) {
            const float dx = gx - x, dy = gy - y;
            gx = x + m_cos * dx - m_sin * dy;
            gy = y + m_sin * dx + m_cos * dy;
        }
        if (glyph->sprite) {
            Prepare(*glyph->sprite);
            glyph->sprite->RenderEx(gx, gy, m_rotation, m_scaleX, m_scaleY);
        }
        penX += static_cast<float>(Advance(*glyph)) * m_scaleX;
    }
}

void CFont::RenderTransformed(const TTransform& t, const WString& text, int align, int valign,
                              int lineCount) {
    auto lineStart = [&](std::size_t from) {
        const float width = LineWidth(text, from);
        return std::floor(align == kAlignRight ? -width : align == kAlignCenter ? -width * 0.5f : 0.0f);
    };
    const float lineHeight = GetLineHeight();
    const float baseHeight = static_cast<float>(GetBaseHeight());
    float y = 0.0f;
    if (valign == kVAlignTop) {
        y = lineHeight - baseHeight;
    } else if (valign == kVAlignBase) {
        y = baseHeight;
    } else if (valign == kVAlignCenter) {
        y = -0.5f * (baseHeight + lineHeight * static_cast<float>(lineCount - 2));
    }
    y = std::floor(y);
    float x = lineStart(0);

    auto place = [&t](float cx, float cy, float& sx, float& sy) {
        cx *= t.scaleX;
        cy *= t.scaleY;
        sx = t.x + cx * t.cos - cy * t.sin;
        sy = t.y + cx * t.sin + cy * t.cos;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLineBreak(text, i)) {
            ++i;
            y = std::floor(y + lineHeight + static_cast<float>(m_lineSpacing));
            x = lineStart(i + 1);
            continue;
        }
        const tagChar* glyph = GetGlyph(text[i]);
        if (!glyph) continue;
        if (CHGESprite* sprite = glyph->sprite.Get()) {
            const float left = x - static_cast<float>(glyph->left);
            const float top = y - static_cast<float>(glyph->top);
            const float right = left + sprite->width;
            const float bottom = top + sprite->height;
            float c[8];
            place(left, top, c[0], c[1]);
            place(right, top, c[2], c[3]);
            place(right, bottom, c[4], c[5]);
            place(left, bottom, c[6], c[7]);
            Prepare(*sprite);
            sprite->Render4V(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
        }
        x += static_cast<float>(Advance(*glyph));
    }
}

void CFont::Printf(const float& x, const float& y, const char* format, ...) {
    if (!format) return;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string narrow(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(narrow.data(), narrow.size() + 1, format, args);
    va_end(args);
    WString text = Utf8ToUtf16(narrow);
    if (text.size() > kPrintfUnits) text.resize(kPrintfUnits);
    Render(x, y, text, kAlignLeft);
}

bool CFont::Load(int number) {
    char name[260];
    std::snprintf(name, sizeof name, "Font\\%d.fnt", number);
    CBlobReader reader;
    if (!reader.Open(name)) return false;
    CEngineRef hge;
    if (hge) hge->System_Log("%s", name);

    std::string magic;
    if (!ReadString(reader, magic) || magic != kMagic) {
        if (hge) hge->System_Log("%s: not a font file", name);
        return false;
    }
    int16_t top = 0, base = 0, bottom = 0, spacing = 0, pageCount = 0;
    uint16_t glyphCount = 0;
    const bool header = ReadInt16(reader, top) && ReadInt16(reader, base) && ReadInt16(reader, bottom) &&
                        ReadInt16(reader, spacing) && ReadInt16(reader, pageCount) &&
                        ReadUInt16BE(reader, glyphCount);
    if (!header || glyphCount * kGlyphRecordSize > reader.Remaining()) {
        if (hge) hge->System_Log("%s: the file ends before its glyphs do", name);
        return false;
    }
    std::vector<GlyphRecord> records(glyphCount);
    for (GlyphRecord& r : records) {
        ReadUInt16BE(reader, r.code);
        ReadUInt16BE(reader, r.page);
        for (int16_t* field : {&r.left, &r.right, &r.top, &r.x, &r.y, &r.width, &r.height})
            ReadInt16(reader, *field);
    }

    m_top = top;
    m_base = base;
    m_bottom = bottom;
    m_spacing = spacing;
    if (pageCount < 0) {
        if (hge) hge->System_Log("%s: page count %d taken as no pages", name, pageCount);
        pageCount = 0;
    }
    // Only the pages a glyph stands on are loaded; the others keep an empty slot. However many there
    // are, the picture budget bounds what they hold: a page past it does not load.
    std::vector<bool> used(static_cast<std::size_t>(pageCount), false);
    for (const GlyphRecord& r : records)
        if (r.page < used.size()) used[r.page] = true;
    m_pages.assign(used.size(), THolder<CTexture>());
    for (int page = 0; page < pageCount; ++page) {
        if (!used[static_cast<std::size_t>(page)]) continue;
        char pageName[260];
        std::snprintf(pageName, sizeof pageName, "Font\\%d\\%d_%03d", number, number, page);
        // A page that does not load keeps handle 0; its glyphs then draw nothing visible.
        THolder<CTexture> texture(new CTexture(pageName, pageName));
        texture->Load();
        m_pages[static_cast<std::size_t>(page)] = texture;
    }

    // The table reaches only as far as the highest code a record names: a font's few hundred glyphs
    // then do not cost a slot for every code there is.
    m_glyphs.clear();
    for (const GlyphRecord& r : records) {
        if (r.code >= kGlyphCount || r.page >= m_pages.size()) {
            if (hge) hge->System_Log("%s: glyph %u on page %u ignored", name, r.code, r.page);
            continue;
        }
        THolder<tagChar> glyph(new tagChar(r.left, r.right, r.top));
        // A glyph whose page did not load keeps its advance but has no picture: drawn without one,
        // its rectangle would be filled with the font's colour.
        if (const HTEXTURE page = m_pages[r.page]->GetHandle())
            glyph->sprite = THolder<CHGESprite>(new CHGESprite(page, r.x, r.y, r.width, r.height));
        if (r.code >= m_glyphs.size()) m_glyphs.resize(r.code + 1);
        m_glyphs[r.code] = glyph;  // a later record for the same code replaces the earlier one
    }
    return true;
}

}  // namespace HGENS
}  // namespace GF
