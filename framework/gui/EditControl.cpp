#include "framework/gui/EditControl.h"

#include <algorithm>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/Screen.h"
#include "framework/resources/Font.h"
#include "framework/resources/ObjectData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"

namespace GF {
namespace HGENS {

bool IsEditCharAllowed(WChar ch, const WString& allowed) {
    if (allowed.empty() || allowed.find(u'*') != WString::npos) return true;
    if (allowed.find(u'$') != WString::npos) return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
    if (allowed.find(u'#') != WString::npos) return ch >= u'0' && ch <= u'9';
    return allowed.find(ch) != WString::npos;
}

WChar ToUpperLatin(WChar ch) {
    return ch >= u'a' && ch <= u'z' ? static_cast<WChar>(ch - u'a' + u'A') : ch;
}

EEditKey ApplyEditKey(int key, WString& text, int& cursor) {
    const int length = static_cast<int>(text.size());
    cursor = std::clamp(cursor, 0, length);
    switch (key) {
        case HGEK_LEFT:
            if (cursor > 0) --cursor;
            return EEditKey::Moved;
        case HGEK_RIGHT:
            if (cursor < length) ++cursor;
            return EEditKey::Moved;
        case HGEK_HOME:
            cursor = 0;
            return EEditKey::Moved;
        case HGEK_END:
            cursor = length;
            return EEditKey::Moved;
        case HGEK_DELETE:
            if (cursor >= length) return EEditKey::Ignored;
            text.erase(static_cast<std::size_t>(cursor), 1);
            return EEditKey::Removed;
        case HGEK_BACKSPACE:
            if (cursor <= 0) return EEditKey::Ignored;
            text.erase(static_cast<std::size_t>(cursor - 1), 1);
            --cursor;
            return EEditKey::Removed;
        default:
            return EEditKey::Ignored;
    }
}

bool EditCharFits(const IFont* font, const WString& text, WChar ch, float fieldWidth) {
    if (!font) return false;
    const int width = static_cast<int>(font->GetStringWidth(WString(1, ch)));
    if (width <= 0) return false;
    // The font ends its measure at a line break; cut after each backslash, no piece holds one.
    float textWidth = 0.0f;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t slash = text.find(u'\\', from);
        const std::size_t end = slash == WString::npos ? text.size() : slash + 1;
        textWidth += font->GetStringWidth(text.substr(from, end - from));
        from = end;
    }
    return textWidth + static_cast<float>(width) < fieldWidth;
}

int EditCursorOffset(int widthBefore, int totalWidth, int alignment) {
    switch (alignment) {
        case 0:
            return widthBefore;
        case 1:
            return widthBefore - totalWidth / 2;
        case 2:
            return widthBefore - totalWidth;
        default:
            return 0;
    }
}

// --- The field ---

CEditControl::~CEditControl() {
    // The typed-character event holds the delegate, and the delegate holds this field without a
    // reference: a field let go without Destroy must not be called after it has gone.
    UnhookChars();
    m_textChangedEvent.Clear();
    m_textEvent.Clear();
}

void CEditControl::UnhookChars() {
    if (!m_charDelegate) return;
    if (m_charSource) m_charSource->GetCharEvent().Remove(m_charDelegate);
    m_charDelegate.Reset();
    m_charSource.Reset();
}

void CEditControl::OnDestroy(THolder<CBaseControl> sender) {
    if (m_cursor) m_cursor->Reset();
    UnhookChars();
    CButtonControl::OnDestroy(sender);
}

void CEditControl::Initialize(const std::string& name, THolder<IScreen> screen) {
    CButtonControl::Initialize(name, screen);
    const TAnimationPtr item = GetAnimation();
    if (!item) return;

    m_cursor = HostedAnimation(item, "_item_cursor");
    const TTextSpritePtr text(item->FindDrawable("_text").Get());
    if (text) {
        m_font = text->GetFont();
        const THolder<ITextDescrition> description = text->GetTextDescription();
        if (description) m_textAlignment = description->GetHorizontalAlign();
    }
    if (m_cursor) {
        // Laid out, the cursor stands at the text's anchor point: its home.
        const TPoint<float> home = m_cursor->GetPosition();
        m_cursorHome = {static_cast<int>(home.x), static_cast<int>(home.y)};
        m_cursorPosition = m_cursorHome;
        m_cursor->Play("all", 0, false);  // its blinking
    }
    m_cursorAvailable = m_font && m_cursor;

    TakeFocus();
    RefreshText();

    m_charDelegate = CreateDelegate(this, &CEditControl::OnChar);
    m_charSource = GetGameManager();
    m_charSource->GetCharEvent().Add(m_charDelegate);
}

void CEditControl::TakeFocus() {
    m_focused = true;
    m_cursorIndex = 0;
    if (!m_cursorAvailable) return;
    PlaceCursor();
    m_cursor->SetVisible(IsVisible());
    m_cursor->ApplyTransform();
}

void CEditControl::DropFocus() {
    m_focused = false;
    if (m_cursorAvailable) m_cursor->SetVisible(false);
}

bool CEditControl::Update(const float& dt) {
    if (!IsVisible()) return true;
    const THolder<CBaseControl> self = Self();
    if (!m_keepFocus && !IsMouseOver() && m_focused && (ReadMouseButtons() & 1) != 0) DropFocus();
    if (m_focused) {
        HGE* hge = hgeCreate(HGE_VERSION);
        const int key = hge->Input_GetKey();
        hge->Release();
        switch (ApplyEditKey(key, m_text, m_cursorIndex)) {
            case EEditKey::Moved:
                if (m_cursorAvailable) PlaceCursor();
                break;
            case EEditKey::Removed:
                RefreshText();
                if (m_cursorAvailable) PlaceCursor();
                break;
            case EEditKey::Ignored:
                break;
        }
    }
    return UpdateState(dt);
}

void CEditControl::OnMouseEnter(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseEnter(sender);
}

void CEditControl::OnMouseLeave(THolder<CBaseControl> sender) {
    CBaseControl::OnMouseLeave(sender);
}

void CEditControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    CBaseControl::OnMouseDown(sender, point, buttons);
}

void CEditControl::OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    if (!m_focused) TakeFocus();
    CBaseControl::OnClick(sender, point, buttons);
}

void CEditControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    // A field without the focus keeps its cursor hidden when it is shown again.
    if (m_cursor) m_cursor->SetVisible(IsVisible() && m_focused && m_cursorAvailable);
    CButtonControl::OnVisibleChanged(sender);
}

void CEditControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    if (m_focused) DropFocus();
    CButtonControl::OnEnabledChanged(sender);
}

void CEditControl::ShowEnabledState() {
    const TAnimationPtr item = GetAnimation();
    if (item) item->Play(IsEnabled() ? "_enabled" : "_disabled", 0, false);
}

void CEditControl::SetText(const WString& text) {
    m_text.clear();
    for (const WChar ch : text) {
        if (Full()) break;
        if (IsEditCharAllowed(ch, m_allowedChars) && Fits(ch)) m_text.push_back(ch);
    }
    RefreshText();
    if (m_focused) {
        m_cursorIndex = 0;
        if (m_cursorAvailable) PlaceCursor();
    }
}

void CEditControl::OnTextChanged(THolder<CBaseControl> sender) {
    m_textChangedEvent.Raise(sender);
}

void CEditControl::OnTextEvent(THolder<CBaseControl> sender) {
    m_textEvent.Raise(sender);
}

void CEditControl::OnChar(WChar ch) {
    if (!m_focused) return;
    if (!m_font || CharWidth(ch) <= 0) ch = ToUpperLatin(ch);
    if (!IsEditCharAllowed(ch, m_allowedChars) || !Fits(ch)) return;
    if (Full()) return;
    const THolder<CBaseControl> self = Self();
    m_cursorIndex = std::clamp(m_cursorIndex, 0, static_cast<int>(m_text.size()));
    m_text.insert(static_cast<std::size_t>(m_cursorIndex), 1, ch);
    RefreshText();
    if (m_cursorIndex < static_cast<int>(m_text.size())) ++m_cursorIndex;
    if (m_cursorAvailable) PlaceCursor();
}

bool CEditControl::Full() const {
    return m_maxLength >= 0 && static_cast<long long>(m_text.size()) >= m_maxLength;
}

void CEditControl::RefreshText() {
    const TAnimationPtr item = GetAnimation();
    if (item) item->SetText("_text", m_text.empty() ? WString(u" ") : m_text);
    OnTextChanged(Self());
}

int CEditControl::CharWidth(WChar ch) const {
    return m_font ? static_cast<int>(m_font->GetStringWidth(WString(1, ch))) : 0;
}

int CEditControl::TextWidth(std::size_t count) const {
    int width = 0;
    for (std::size_t i = 0; i < count && i < m_text.size(); ++i) width += CharWidth(m_text[i]);
    return width;
}

bool CEditControl::Fits(WChar ch) const {
    const TRect& hit = GetHitRect();
    return EditCharFits(m_font.Get(), m_text, ch,
                        static_cast<float>(static_cast<long long>(hit.right) - hit.left));
}

void CEditControl::PlaceCursor() {
    if (!m_cursor) return;
    const int before = TextWidth(static_cast<std::size_t>(std::max(0, m_cursorIndex)));
    const int total = TextWidth(m_text.size());
    m_cursorPosition = {m_cursorHome.x + EditCursorOffset(before, total, m_textAlignment), m_cursorHome.y};
    m_cursor->SetPosition(static_cast<float>(m_cursorPosition.x), static_cast<float>(m_cursorPosition.y));
}

// --- The screens' factory ---

namespace {

THolder<CBaseControl> MakeEditControl() {
    return THolder<CBaseControl>(new CEditControl);
}

void SetUpEditControl(CBaseControl& control, const THolder<IScreen>&, const tagControlArgs& args) {
    static_cast<CEditControl&>(control).m_maxLength = args.maximumLength;
}

}  // namespace

void RegisterEditControl() {
    RegisterControlFactory(EControlKind::Edit, {&MakeEditControl, &SetUpEditControl});
}

}  // namespace HGENS
}  // namespace GF
