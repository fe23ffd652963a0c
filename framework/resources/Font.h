#pragma once
#include <cstdint>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/core/WString.h"
#include "framework/resources/Texture.h"
#include "framework/scene/HgeColor.h"
#include "framework/scene/HgeSprite.h"
#include "framework/scene/Transform.h"

namespace GF {

// A bitmap font that measures and draws UTF-16 text. A backslash followed by "n" inside a text (the
// two characters, not the control character) breaks the line. Colour, opacity, scale, rotation,
// tracking, line spacing and blend are settings of the font, shared by everyone who draws with it.
class IFont : public CRefCount {
public:
    enum EAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
    // Vertical alignments of RenderTransformed; any other value leaves the first line where it is.
    enum EVAlign { kVAlignTop = 0x10, kVAlignBase = 0x20, kVAlignCenter = 0x40 };

    // Draws through an animation object's transform (its position, rotation and scale; the font's
    // own scale and rotation are not used). lineCount is the number of lines the text centres on.
    virtual void RenderTransformed(const TTransform& transform, const WString& text, int align, int valign,
                                   int lineCount) = 0;
    // Draws with the pen starting at (x, y), the line position the glyphs stand on.
    virtual void Render(const float& x, const float& y, const WString& text, int align) = 0;
    // Formats (printf-style, UTF-8) and draws the result left aligned at (x, y); the text is cut
    // to 255 units.
    virtual void Printf(const float& x, const float& y, const char* format, ...)
        __attribute__((format(printf, 4, 5))) = 0;
    // Width of the text up to its end or its first line break, in font units (without scale).
    virtual float GetStringWidth(const WString& text) const = 0;
    virtual float GetLineHeight() const = 0;
    virtual int GetBaseHeight() const = 0;
    virtual void SetTracking(int tracking) = 0;
    virtual void SetLineSpacing(int spacing) = 0;
    virtual void SetOpacity(const float& opacity) = 0;
    virtual float GetOpacity() const = 0;
    virtual bool Load(int number) = 0;
    virtual void SetColor(const hgeColor& color) = 0;
    virtual const hgeColor& GetColor() const = 0;
    virtual void SetScale(const TPoint<float>& scale) = 0;
    // 0: default blend and opaque white; 1: colour add; 2: default blend, colour kept. Others: ignored.
    virtual void SetBlendMode(int mode) = 0;
    virtual void SetRotation(float angle) = 0;
    virtual float GetRotation() const = 0;
    virtual int GetTracking() const = 0;
    virtual int GetLineSpacing() const = 0;
};

namespace HGENS {

// One glyph: where its picture sits relative to the pen, its advance |right - left|, and the
// picture cut from a page.
struct tagChar : public CRefCount {
    tagChar(int32_t l, int32_t r, int32_t t) : left(l), right(r), top(t) {}

    int32_t left;  // the picture starts this far left of the pen
    int32_t right;
    int32_t top;  // the picture's top edge lies this far above the pen's line
    THolder<CHGESprite> sprite;
};

// The font read from "Font\\<n>.fnt", its glyph pictures on the page images "Font\\<n>\\<n>_<page>".
class CFont : public IFont {
public:
    // Code units 0 to 65534 have a slot; 65535 (and so nothing else) lies outside the table.
    static constexpr int kGlyphCount = 65535;

    CFont();
    ~CFont() override;

    void RenderTransformed(const TTransform& transform, const WString& text, int align, int valign,
                           int lineCount) override;
    void Render(const float& x, const float& y, const WString& text, int align) override;
    void Printf(const float& x, const float& y, const char* format, ...) override
        __attribute__((format(printf, 4, 5)));
    float GetStringWidth(const WString& text) const override;
    float GetLineHeight() const override;
    int GetBaseHeight() const override;
    void SetTracking(int tracking) override { m_tracking = tracking; }
    void SetLineSpacing(int spacing) override { m_lineSpacing = spacing; }
    void SetOpacity(const float& opacity) override { m_opacity = opacity; }
    float GetOpacity() const override { return m_opacity; }
    // Refuses (false) a missing file, a wrong magic and a file that ends before its glyph records
    // do; the font is then left as it was.
    bool Load(int number) override;
    void SetColor(const hgeColor& color) override { m_color = color; }
    const hgeColor& GetColor() const override { return m_color; }
    void SetScale(const TPoint<float>& scale) override;
    void SetBlendMode(int mode) override;
    void SetRotation(float angle) override;
    float GetRotation() const override { return m_rotation; }
    int GetTracking() const override { return m_tracking; }
    int GetLineSpacing() const override { return m_lineSpacing; }

    // The glyph of a code unit, or null when it has none.
    const tagChar* GetGlyph(WChar code) const;

private:
    // Width of the line that starts at `from`, up to the text's end or the next line break.
    float LineWidth(const WString& text, std::size_t from) const;
    int32_t Advance(const tagChar& glyph) const;
    // Gives the sprite the font's colour, with the opacity as its alpha, and the font's blend.
    void Prepare(CHGESprite& sprite) const;

    int32_t m_spacing = 0;
    int32_t m_top = 0;
    int32_t m_base = 0;
    int32_t m_bottom = 0;
    std::vector<THolder<CTexture>> m_pages;  // not in the texture cache: the font owns them
    std::vector<THolder<tagChar>> m_glyphs;
    int32_t m_tracking = 0;
    int32_t m_lineSpacing = 0;
    float m_opacity = 1.0f;
    hgeColor m_color{1.0f, 1.0f, 1.0f, 1.0f};
    float m_rotation = 0.0f;
    float m_sin = 0.0f;
    float m_cos = 1.0f;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    int m_blend = BLEND_DEFAULT;
};

}  // namespace HGENS
}  // namespace GF
