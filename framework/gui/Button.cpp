#include "framework/gui/Button.h"

#include "framework/app/Screen.h"
#include "framework/gui/LayoutItem.h"
#include "framework/resources/Resource.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"

namespace GF {
namespace HGENS {

CButtonControl::~CButtonControl() {
    m_buttonRect.Reset();
    m_item.Reset();
}

void CButtonControl::Initialize(const std::string& name, THolder<IScreen> screen) {
    CBaseControl::Initialize(name, screen);
    const TAnimationPtr layout = screen ? screen->GetAnimation() : TAnimationPtr();
    if (const TAnimationPtr item = FindLayoutItem(layout, GetName())) Bind(item);
}

void CButtonControl::Bind(const TAnimationPtr& item) {
    m_item = item;
    const WString* text = GetResource()->GetText("item_" + GetName());
    SetText(text ? *text : WString());
    ShowEnabledState();
    m_item->ApplyTransform();
    SetHitRect(m_item->GetBoundingBox());
    m_buttonRect = m_item->FindDrawable("_button_rect");
    if (m_buttonRect) SetHitRect(m_buttonRect->GetBoundingBox());
}

void CButtonControl::PlayPart(const char* part) {
    if (m_item) m_item->Play(part, 0, false);
}

void CButtonControl::ShowEnabledState() {
    PlayPart(IsEnabled() ? "_up" : "_disabled");
}

void CButtonControl::SetText(const WString& text) {
    if (m_item) m_item->SetText("_text", text);
}

const WChar* CButtonControl::GetText() {
    return m_item ? m_item->GetText("_text") : nullptr;
}

void CButtonControl::UpdateHitRect() {
    if (m_buttonRect)
        SetHitRect(m_buttonRect->GetBoundingBox());
    else if (m_item)
        SetHitRect(m_item->GetBoundingBox());
}

void CButtonControl::OnInitialize(THolder<CBaseControl> sender, THolder<IScreen> screen) {
    SetState(MakeHolder<CBaseControlInitState>());
    m_initializeEvent.Raise({sender, screen});
    PlayPart("_up");
}

void CButtonControl::OnMouseEnter(THolder<CBaseControl> sender) {
    PlayPart("_over");
    CBaseControl::OnMouseEnter(sender);
}

void CButtonControl::OnMouseLeave(THolder<CBaseControl> sender) {
    PlayPart("_leave");
    CBaseControl::OnMouseLeave(sender);
}

void CButtonControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    PlayPart("_down");
    CBaseControl::OnMouseDown(sender, point, buttons);
}

void CButtonControl::OnMouseUp(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    PlayPart("_up");
    CBaseControl::OnMouseUp(sender, point, buttons);
}

void CButtonControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    if (m_item) m_item->SetVisible(IsVisible());
    CBaseControl::OnVisibleChanged(sender);
}

void CButtonControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    SetMouseOver(false);  // without a MouseLeave: the state change that follows decides what shows
    ShowEnabledState();
    CBaseControl::OnEnabledChanged(sender);
}

void CButtonControl::OnDestroy(THolder<CBaseControl> sender) {
    if (m_item) m_item->Reset();
    CBaseControl::OnDestroy(sender);
}

}  // namespace HGENS
}  // namespace GF
