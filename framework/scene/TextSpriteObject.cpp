#include "framework/scene/TextSpriteObject.h"

#include <utility>

#include "framework/resources/Resource.h"

namespace GF {
namespace HGENS {

int CountTextLines(const WString& text) {
    int lines = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\\' && text[i + 1] == u'n') {
            ++lines;
            ++i;  // both characters are the escape
        }
    }
    return lines;
}

CTextSpriteObject::~CTextSpriteObject() {
    m_textDescription.Reset();
    m_font.Reset();
}

THolder<IObjectAnimation> CTextSpriteObject::Make() {
    return THolder<IObjectAnimation>(new CTextSpriteObject);
}

bool CTextSpriteObject::QueryInterface(const int& id, void** out) {
    if (id != kIdTextSprite) return QueryDrawableFaces(id, out);
    *out = static_cast<ITextSprite*>(this);
    AddRef();
    return true;
}

bool CTextSpriteObject::Update(const float& dt) {
    CDrawableAbstract::Update(dt);
    const bool newDescription = m_idResource.IsChanged();
    if (newDescription) {
        // Text descriptions are numbered in 16 bits; -1 (none) finds nothing.
        const auto number = static_cast<uint16_t>(m_idResource.GetValue());
        m_textDescription = GetResource()->GetTextDescription(number);
        if (m_textDescription) m_font = GetResource()->GetFont(m_textDescription->GetFontNumber());
    }
    if (newDescription || (m_transform.dirty & (TTransform::kDirtyPosition | TTransform::kDirtyScale)))
        Relayout();
    if (!m_colorOverride && m_color.IsChanged()) m_textColor = m_color.GetValue();
    return true;
}

void CTextSpriteObject::ApplyModifiers() {
    if (m_paramModifier) ApplyParamModifier(*m_paramModifier, m_transform, false);
}

void CTextSpriteObject::Relayout() {
    if (!m_textDescription) {
        m_font.Reset();
        return;
    }
    if (!m_font) return;
    const ITextDescrition& description = *m_textDescription;
    const TTransform& t = m_transform;
    m_font->SetTracking(description.GetFontTracking());
    m_font->SetLineSpacing(description.GetFontLineSpacing());
    m_font->SetScale(TPoint<float>(t.scaleX, t.scaleY));
    if (m_userText.empty()) m_shownText = description.GetText();

    const int32_t w = detail::TruncToInt(m_font->GetStringWidth(m_shownText) * t.scaleX);
    int32_t x1 = 0;
    switch (description.GetHorizontalAlign()) {
        case IFont::kAlignRight:
            x1 = detail::TruncToInt(t.x - static_cast<float>(w));
            break;
        case IFont::kAlignCenter:
            x1 = detail::TruncToInt(t.x - static_cast<float>(w / 2));
            break;
        default:
            x1 = detail::TruncToInt(t.x);
            break;
    }
    int32_t x2 = x1 + w;

    m_lineCount = CountTextLines(m_shownText);
    const float h = m_font->GetLineHeight();
    const float b = static_cast<float>(m_font->GetBaseHeight());
    const float sy = t.scaleY;
    const float lines = static_cast<float>(m_lineCount);
    float firstLineY = 0.0f;  // the first line's reference point
    int32_t y1 = 0, y2 = 0;
    switch (description.GetVerticalAlign()) {
        case IFont::kVAlignTop:
            firstLineY = t.y + h * sy - b;
            y1 = detail::TruncToInt(firstLineY);
            y2 = detail::TruncToInt(firstLineY + h * lines);
            break;
        case IFont::kVAlignBase:
            firstLineY = t.y - b;
            y1 = detail::TruncToInt(firstLineY);
            y2 = detail::TruncToInt(firstLineY + h * sy * lines);
            break;
        case IFont::kVAlignCenter:
            firstLineY = t.y - 0.5f * (b + h * sy * (lines - 2.0f));
            y1 = detail::TruncToInt(firstLineY - (h * sy - b) - 0.5f * h * sy * (lines - 1.0f));
            y2 = detail::TruncToInt(firstLineY + b + 0.5f * h * sy * (lines - 1.0f));
            break;
        default:
            y1 = detail::TruncToInt(t.y - (h * sy - b));
            y2 = detail::TruncToInt(t.y + b + h * sy * (lines - 1.0f));
            break;
    }
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    m_textBounds = TRect{x1, y1, x2, y2};
}

void CTextSpriteObject::Render() {
    if (!m_font || !m_textDescription) return;
    const TTransform& t = m_transform;
    m_font->SetTracking(m_textDescription->GetFontTracking());
    m_font->SetLineSpacing(m_textDescription->GetFontLineSpacing());
    m_font->SetColor(m_textColor);
    m_font->SetOpacity(t.opacity);
    // Code's own colour is drawn as it is, whatever the Blend track says.
    m_font->SetBlendMode(m_colorOverride ? 2 : m_blend.GetValue());
    m_font->SetScale(TPoint<float>(t.scaleX, t.scaleY));
    m_font->SetRotation(t.angle);
    m_font->RenderTransformed(t, m_shownText, m_textDescription->GetHorizontalAlign(),
                              m_textDescription->GetVerticalAlign(), m_lineCount);
}

void CTextSpriteObject::SetText(const WString& text) {
    m_userText = text;
    m_shownText = m_userText;
    Relayout();
}

void CTextSpriteObject::SetText(const WChar* text) {
    SetText(text ? WString(text) : WString());
}

void CTextSpriteObject::SetNumber(int number) {
    SetText(IntToWString(number));
}

void CTextSpriteObject::SetColor(uint32_t argb) {
    m_colorOverride = 1;
    m_textColor.SetHWColor(argb);
}

}  // namespace HGENS
}  // namespace GF
