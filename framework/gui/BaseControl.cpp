#include "framework/gui/BaseControl.h"

#include "engine/Hge.h"
#include "framework/app/Screen.h"
#include "framework/core/Mouse.h"

namespace GF {
namespace HGENS {

namespace {

constexpr float kReenterDelay = 50.0f;  // ms the mouse is ignored after a click

bool LeftHeld(int buttons) {
    return (buttons & 1) != 0;
}

// Init and Out: the mouse coming over the control enters Over. false when it did.
bool StayUnlessMouseOver(CBaseControl* control) {
    if (!control->HitTest(CBaseControl::ReadMousePosition())) return true;
    control->SetState(MakeHolder<CBaseControlOverState>());
    return false;
}

}  // namespace

// --- The control ---

CBaseControl::~CBaseControl() {
    m_state.Reset();
    m_initializeEvent.Clear();
    m_destroyEvent.Clear();
    m_mouseEnterEvent.Clear();
    m_mouseLeaveEvent.Clear();
    m_mouseDownEvent.Clear();
    m_mouseUpEvent.Clear();
    m_clickEvent.Clear();
    m_visibleChangedEvent.Clear();
    m_enabledChangedEvent.Clear();
}

TPoint<int> CBaseControl::ReadMousePosition() {
    const THolder<CMouse> mouse = GetMouse();
    return {mouse->GetX(), mouse->GetY()};
}

int CBaseControl::ReadMouseButtons() {
    HGE* hge = hgeCreate(HGE_VERSION);
    int buttons = 0;
    if (hge->Input_GetKeyState(HGEK_LBUTTON)) buttons |= 1;
    if (hge->Input_GetKeyState(HGEK_RBUTTON)) buttons |= 2;
    if (hge->Input_GetKeyState(HGEK_MBUTTON)) buttons |= 4;
    hge->Release();
    return buttons;
}

bool CBaseControl::HitTest(const TPoint<int>& point) const {
    return m_hitRect.left <= point.x && point.x <= m_hitRect.right && m_hitRect.top <= point.y &&
           point.y <= m_hitRect.bottom;
}

bool CBaseControl::UpdateState(const float& dt) {
    // The state may replace itself (and so release itself) inside its own step.
    const THolder<CBaseControlState> state = m_state;
    if (state) state->Update(dt);
    return true;
}

void CBaseControl::OnDestroy(THolder<CBaseControl> sender) {
    m_destroyEvent.Raise(sender);
}

void CBaseControl::Initialize(const std::string& name, THolder<IScreen>) {
    m_name = name;
    m_mouseOver = false;
}

void CBaseControl::Destroy() {
    OnDestroy(Self());
}

bool CBaseControl::Update(const float& dt) {
    if (!m_visible) return true;
    // A handler raised from here may destroy the screen that owns this control; the control stays
    // alive until its step has returned.
    const THolder<CBaseControl> self = Self();
    return UpdateState(dt);
}

void CBaseControl::OnInitialize(THolder<CBaseControl> sender, THolder<IScreen> screen) {
    SetState(MakeHolder<CBaseControlOutState>(0.0f));
    m_initializeEvent.Raise({sender, screen});
}

void CBaseControl::OnMouseEnter(THolder<CBaseControl> sender) {
    m_mouseOver = true;
    m_mouseEnterEvent.Raise(sender);
}

void CBaseControl::OnMouseLeave(THolder<CBaseControl> sender) {
    m_mouseOver = false;
    m_mouseLeaveEvent.Raise(sender);
}

void CBaseControl::OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    m_mouseDownEvent.Raise(sender, point, buttons);
}

void CBaseControl::OnMouseUp(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    m_mouseUpEvent.Raise(sender, point, buttons);
}

void CBaseControl::OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) {
    m_clickEvent.Raise(sender, point, buttons);
}

void CBaseControl::OnVisibleChanged(THolder<CBaseControl> sender) {
    m_visibleChangedEvent.Raise(sender);
}

void CBaseControl::OnEnabledChanged(THolder<CBaseControl> sender) {
    m_enabledChangedEvent.Raise(sender);
}

void CBaseControl::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    OnVisibleChanged(Self());
}

void CBaseControl::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    const THolder<CBaseControl> self = Self();
    OnEnabledChanged(self);
    if (enabled)
        SetState(MakeHolder<CBaseControlInitState>());
    else
        SetState(MakeHolder<CBaseControlDisabledState>());
}

bool CBaseControl::SetState(THolder<CBaseControlState> state) {
    if (!state || !state->Enter(this)) return false;
    m_state = std::move(state);
    return true;
}

// --- States ---

bool CBaseControlInitState::Enter(CBaseControl* control) {
    m_control = control;
    return true;
}

bool CBaseControlInitState::Update(const float&) {
    return StayUnlessMouseOver(m_control);
}

bool CBaseControlOutState::Enter(CBaseControl* control) {
    m_control = control;
    control->OnMouseLeave(THolder<CBaseControl>(control));
    return true;
}

bool CBaseControlOutState::Update(const float& dt) {
    if (m_timer > 0.0f) m_timer -= dt;
    if (m_timer > 0.0f) return true;
    return StayUnlessMouseOver(m_control);
}

bool CBaseControlOverState::Enter(CBaseControl* control) {
    m_control = control;
    control->OnMouseEnter(THolder<CBaseControl>(control));
    m_heldOnEntry = LeftHeld(CBaseControl::ReadMouseButtons());
    return true;
}

bool CBaseControlOverState::Update(const float&) {
    // A button held when the mouse came over the control must be let go before it can press it.
    if (m_heldOnEntry) m_heldOnEntry = LeftHeld(CBaseControl::ReadMouseButtons());
    const TPoint<int> point = CBaseControl::ReadMousePosition();
    if (!m_control->HitTest(point)) {
        m_control->SetState(MakeHolder<CBaseControlOutState>(0.0f));
        return false;
    }
    const int buttons = CBaseControl::ReadMouseButtons();
    if (m_heldOnEntry || !LeftHeld(buttons)) return true;
    m_heldOnEntry = true;
    m_control->OnMouseDown(THolder<CBaseControl>(m_control), point, buttons);
    // A MouseDown handler that disabled the control keeps it Disabled: a disabled control is not
    // pressed.
    if (m_control->GetState().Get() == this) m_control->SetState(MakeHolder<CBaseControlDownState>());
    return false;
}

bool CBaseControlDownState::Enter(CBaseControl* control) {
    m_control = control;
    return true;
}

bool CBaseControlDownState::Update(const float&) {
    const TPoint<int> point = CBaseControl::ReadMousePosition();
    if (!m_control->HitTest(point)) {
        // Moving off a pressed control cancels the press: no MouseUp, no Click.
        m_control->SetState(MakeHolder<CBaseControlOutState>(0.0f));
        return false;
    }
    const int buttons = CBaseControl::ReadMouseButtons();
    if (LeftHeld(buttons)) return true;
    const THolder<CBaseControl> sender(m_control);
    m_control->OnMouseUp(sender, point, buttons);
    m_control->OnClick(sender, point, buttons);
    // A Click handler that disabled the control leaves it in the Disabled state it entered.
    if (m_control->IsEnabled()) m_control->SetState(MakeHolder<CBaseControlOutState>(kReenterDelay));
    return false;
}

bool CBaseControlDisabledState::Enter(CBaseControl* control) {
    m_control = control;
    return true;
}

}  // namespace HGENS
}  // namespace GF
