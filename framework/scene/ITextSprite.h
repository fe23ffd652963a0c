#pragma once
#include <cstdint>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/WString.h"

namespace GF {

class IFont;
class ITextDescrition;

// The text face of a text sprite object: screens and the game write scores, names and messages
// through it.
class ITextSprite : public virtual IBase {
public:
    // The text drawn; it stays where it is while the text is unchanged.
    virtual const WString& GetText() = 0;
    virtual void SetText(const WString& text) = 0;
    virtual void SetText(const WChar* text) = 0;
    // The text becomes the number in decimal.
    virtual void SetNumber(int number) = 0;
    virtual uint32_t GetColor() = 0;  // ARGB
    // From then on the Color track no longer changes the colour.
    virtual void SetColor(uint32_t argb) = 0;
    virtual THolder<ITextDescrition> GetTextDescription() = 0;
    virtual THolder<IFont> GetFont() = 0;
};

}  // namespace GF
