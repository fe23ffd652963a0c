#pragma once
#include <string>

#include "framework/app/GameManager.h"
#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/WString.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/Button.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

class IFont;

namespace HGENS {

// The text editing of an edit field, apart from the animations that show it.

// Whether the filter lets the character in: an empty filter or one holding "*" takes everything;
// "$" takes the Latin letters, "#" the digits; any other filter takes exactly the characters it holds.
bool IsEditCharAllowed(WChar ch, const WString& allowed);

// a-z become A-Z; every other character stays.
WChar ToUpperLatin(WChar ch);

// What an editing key did to the text and its cursor index.
enum class EEditKey { Ignored, Moved, Removed };

// Left, Right, Home and End (engine key codes) move the cursor within 0..length; Delete removes the
// character at the cursor, Backspace the one before it (and steps the cursor back). Keys with
// nothing to act on, and every other key, are ignored. A cursor outside the text is first held to it.
EEditKey ApplyEditKey(int key, WString& text, int& cursor);

// Whether a typed character fits into a field of the given width: the font has it (its width alone
// is above 0), and the whole text as the font measures it, plus that width, stays below the field's
// width. The text is measured as one line: a line-break escape typed into it counts as the two
// characters it is. Without a font nothing fits.
bool EditCharFits(const IFont* font, const WString& text, WChar ch, float fieldWidth);

// How far right of its home (the text's anchor point) the cursor stands, for the text's alignment
// (0 left, 1 centred, 2 right), given the widths of the text before the cursor and of the whole text.
// Any other alignment keeps the cursor at home.
int EditCursorOffset(int widthBefore, int totalWidth, int alignment);

// A one-line text entry: a button whose item animation shows the text on its child "_text" and a
// blinking cursor in its child "_item_cursor". Typed characters come from the screen manager's
// typed-character event; the editing keys (arrows, Home, End, Delete, Backspace) are polled from the
// engine each frame while the field has the focus. A character goes in only when it passes the
// filter, fits the width of the field and keeps the text within the maximum length.
class CEditControl : public CButtonControl {
public:
    CEditControl() = default;
    ~CEditControl() override;

    void OnDestroy(THolder<CBaseControl> sender) override;
    void Initialize(const std::string& name, THolder<IScreen> screen) override;
    bool Update(const float& dt) override;
    void OnMouseEnter(THolder<CBaseControl> sender) override;
    void OnMouseLeave(THolder<CBaseControl> sender) override;
    void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnVisibleChanged(THolder<CBaseControl> sender) override;
    void OnEnabledChanged(THolder<CBaseControl> sender) override;
    void ShowEnabledState() override;
    // Keeps the characters that pass the filter and fit, up to the maximum length.
    void SetText(const WString& text) override;
    const WChar* GetText() override { return m_text.c_str(); }
    virtual void OnTextChanged(THolder<CBaseControl> sender);
    // Nothing in the framework raises it; the game may.
    virtual void OnTextEvent(THolder<CBaseControl> sender);
    // One typed character.
    virtual void OnChar(WChar ch);

    const WString& GetString() const { return m_text; }

    WString m_allowedChars = u"*";  // the filter, see IsEditCharAllowed
    int m_maxLength = -1;           // -1 (any negative): no limit
    bool m_keepFocus = false;       // clicking elsewhere does not take the focus away
    CControlEvent m_textChangedEvent;
    CControlEvent m_textEvent;

private:
    void UnhookChars();
    void TakeFocus();
    void DropFocus();
    // Shows the text (a single space for none) and raises TextChanged.
    void RefreshText();
    void PlaceCursor();
    // The font's width of the character alone, truncated; 0 without a font.
    int CharWidth(WChar ch) const;
    // The width of the first `count` characters, each measured alone as the cursor is placed (a
    // measure of the whole string would stop at a typed line-break escape and let the text grow
    // past the field).
    int TextWidth(std::size_t count) const;
    // The character has a width, and the text with it stays narrower than the field.
    bool Fits(WChar ch) const;
    // The text has the maximum length (a negative maximum is no limit).
    bool Full() const;

    WString m_text;
    int m_cursorIndex = 0;
    bool m_focused = false;
    bool m_cursorAvailable = true;
    TAnimationPtr m_cursor;
    TPoint<int> m_cursorPosition;
    TPoint<int> m_cursorHome;
    THolder<IFont> m_font;
    int m_textAlignment = 0;  // 0 left, 1 centred, 2 right
    THolder<IDelegate1<void, WChar>> m_charDelegate;
    THolder<IGameManager> m_charSource;  // whose typed-character event the delegate joined
};

// The screens' factory of edit fields; registered wherever this header is used.
void RegisterEditControl();
namespace detail {
inline const bool g_editControlRegistered = (RegisterEditControl(), true);
}

}  // namespace HGENS
}  // namespace GF
