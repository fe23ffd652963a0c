#pragma once
#include <cstdint>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/core/WString.h"
#include "framework/resources/Font.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/HgeColor.h"
#include "framework/scene/ITextSprite.h"

namespace GF {
namespace HGENS {

// The text drawable of an animation: a line or a few lines drawn with a bitmap font, placed, aligned,
// coloured, scaled and turned by the tracks of its text-sprite description. Its IDResource track
// picks the text description (font, alignment, spacing, default text); code may replace the text
// and the colour.
class CTextSpriteObject : public CDrawableAbstract, public ITextSprite, public CRefCount {
public:
    CTextSpriteObject() = default;
    ~CTextSpriteObject() override;

    // A new, unbound text sprite in its first holder: the maker text-sprite descriptions use.
    static THolder<IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    bool Update(const float& dt) override;
    void ApplyModifiers() override;

    // --- IDrawable ---
    void Render() override;
    // The box of the last layout.
    TRect GetBoundingBox() override { return m_textBounds; }

    // --- ITextSprite ---
    const WString& GetText() override { return m_shownText; }
    // An empty text shows the description's own text again from the next layout on.
    void SetText(const WString& text) override;
    void SetText(const WChar* text) override;
    void SetNumber(int number) override;
    uint32_t GetColor() override { return m_textColor.GetHWColor(); }
    void SetColor(uint32_t argb) override;
    THolder<ITextDescrition> GetTextDescription() override { return m_textDescription; }
    THolder<IFont> GetFont() override { return m_font; }

private:
    void Relayout();

    int32_t m_lineCount = 0;
    uint8_t m_colorOverride = 0;
    hgeColor m_textColor{1.0f, 1.0f, 1.0f, 1.0f};  // the Color track's value until code sets one
    THolder<ITextDescrition> m_textDescription;
    THolder<IFont> m_font;
    WString m_shownText;
    WString m_userText;
    TRect m_textBounds;
};

// The lines of a text: one more than its line-break escapes (a backslash followed by "n"). A real
// line-feed character does not break a line.
int CountTextLines(const WString& text);

}  // namespace HGENS
}  // namespace GF
