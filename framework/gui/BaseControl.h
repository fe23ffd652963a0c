#pragma once
#include <string>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/Rect.h"

namespace GF {

class IScreen;

// One state of an object's state machine: the object replaces its state on every transition, and
// the state decides each frame what happens next. Enter may refuse the change.
template <class T>
class CBaseState : public CRefCount {
public:
    explicit CBaseState(int kind) : m_kind(kind) {}

    // Binds the state to its object; false keeps the object's current state.
    virtual bool Enter(T* object) = 0;
    // false when the state replaced itself this frame.
    virtual bool Update(const float& dt) = 0;

protected:
    int m_kind;
    T* m_control = nullptr;  // not owned: the object owns its state
};

namespace HGENS {

class CBaseControl;

// Delegates of these take the sending control; point events also take the mouse position and the
// mouse-button mask (1 left, 2 right, 4 middle held).
using CControlEvent = TEvent1<THolder<CBaseControl>>;
using CControlPointEvent = TEvent3<THolder<CBaseControl>, const TPoint<int>&, int>;

// What the Initialize event carries: the new control and the screen that made it.
struct tagControlInit {
    THolder<CBaseControl> control;
    THolder<IScreen> screen;
};
using CControlInitEvent = TEvent1<tagControlInit>;

// The kinds of control a screen makes from the parts of its layout; the factory table of the screen
// is keyed by them.
enum class EControlKind { ListBox, Edit, Slider, RadioGroup, CheckBox, Button, Count };

// What the screen's creating operations pass on to the setup step of a kind: each kind reads its own
// fields.
struct tagControlArgs {
    bool withSlider = false;  // list box
    int maximumLength = -1;   // edit field; -1: no limit
    int value = 0;            // slider
    int minimum = 0;
    int maximum = 0;
    bool horizontal = true;
    int selectedIndex = 0;  // radio group
    bool checked = true;    // check box
};

using CBaseControlState = CBaseState<CBaseControl>;

// The root of every control on a screen. What the mouse does to it is decided by its state object
// once per frame (the screen calls Update while it is idle): the state reads the mouse position
// and buttons, compares them with the hit rectangle and switches state. States call the control's
// raisers (On...), which derived controls extend to play the parts of their layout.
class CBaseControl : public CRefCount {
public:
    enum EStateKind { kStateOut = 1, kStateOver = 2, kStateDown = 3, kStateDisabled = 4, kStateInit = 5 };

    CBaseControl() = default;
    ~CBaseControl() override;
    CBaseControl(const CBaseControl&) = delete;
    CBaseControl& operator=(const CBaseControl&) = delete;

    // Runs the state's step; always true.
    virtual bool UpdateState(const float& dt);
    virtual void OnDestroy(THolder<CBaseControl> sender);
    // Stores the name; derived controls bind themselves to their layout here.
    virtual void Initialize(const std::string& name, THolder<IScreen> screen);
    // Raises the Destroy event; the object lives until its last holder lets go.
    virtual void Destroy();
    // Nothing while the control is invisible.
    virtual bool Update(const float& dt);
    // Enters the first state and raises the Initialize event.
    virtual void OnInitialize(THolder<CBaseControl> sender, THolder<IScreen> screen);
    virtual void OnMouseEnter(THolder<CBaseControl> sender);
    virtual void OnMouseLeave(THolder<CBaseControl> sender);
    virtual void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons);
    virtual void OnMouseUp(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons);
    virtual void OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons);
    virtual void OnVisibleChanged(THolder<CBaseControl> sender);
    virtual void OnEnabledChanged(THolder<CBaseControl> sender);
    // Derived controls take the hit rectangle from their layout again.
    virtual void UpdateHitRect() {}

    void SetVisible(bool visible);
    // Also enters Init (enabled) or Disabled.
    void SetEnabled(bool enabled);
    // The new state's Enter runs while the old state is still installed; false (and the old state
    // kept) when it refuses.
    bool SetState(THolder<CBaseControlState> state);

    const std::string& GetName() const { return m_name; }
    bool IsVisible() const { return m_visible; }
    bool IsEnabled() const { return m_enabled; }
    bool IsMouseOver() const { return m_mouseOver; }
    const TRect& GetHitRect() const { return m_hitRect; }
    void SetHitRect(const TRect& rect) { m_hitRect = rect; }
    // All four edges are inside.
    bool HitTest(const TPoint<int>& point) const;
    int GetBindingIndex() const { return m_bindingIndex; }
    void SetBindingIndex(int index) { m_bindingIndex = index; }
    // The kind of the current state; 0 before the first.
    const THolder<CBaseControlState>& GetState() const { return m_state; }

    // The mouse as the states read it: the position in game pixels and the button mask.
    static TPoint<int> ReadMousePosition();
    static int ReadMouseButtons();

    CControlInitEvent m_initializeEvent;
    CControlEvent m_destroyEvent;
    CControlEvent m_mouseEnterEvent;
    CControlEvent m_mouseLeaveEvent;
    CControlPointEvent m_mouseDownEvent;
    CControlPointEvent m_mouseUpEvent;
    CControlPointEvent m_clickEvent;
    CControlEvent m_visibleChangedEvent;
    CControlEvent m_enabledChangedEvent;

protected:
    // Sets or clears the mouse-over flag without raising anything.
    void SetMouseOver(bool over) { m_mouseOver = over; }
    THolder<CBaseControl> Self() { return THolder<CBaseControl>(this); }

private:
    bool m_mouseOver = false;
    std::string m_name;
    TRect m_hitRect;
    int m_bindingIndex = 0;
    THolder<CBaseControlState> m_state;
    bool m_visible = true;
    bool m_enabled = true;
};

// Waits for the mouse to come over the control; the first state of a button and the state after
// re-enabling.
class CBaseControlInitState : public CBaseControlState {
public:
    CBaseControlInitState() : CBaseControlState(CBaseControl::kStateInit) {}
    bool Enter(CBaseControl* control) override;
    bool Update(const float& dt) override;
};

// The mouse is away. Raises MouseLeave on entry; for `timer` milliseconds it ignores the mouse (so
// that a click does not re-enter at once).
class CBaseControlOutState : public CBaseControlState {
public:
    explicit CBaseControlOutState(float timer = 0.0f)
        : CBaseControlState(CBaseControl::kStateOut), m_timer(timer) {}
    bool Enter(CBaseControl* control) override;
    bool Update(const float& dt) override;

private:
    float m_timer;
};

// The mouse is over the control. Raises MouseEnter on entry; a left press that began here (not one
// dragged in) raises MouseDown and enters Down.
class CBaseControlOverState : public CBaseControlState {
public:
    CBaseControlOverState() : CBaseControlState(CBaseControl::kStateOver) {}
    bool Enter(CBaseControl* control) override;
    bool Update(const float& dt) override;

private:
    bool m_heldOnEntry = false;
};

// Pressed: releasing over the control raises MouseUp and Click; moving off cancels the press.
class CBaseControlDownState : public CBaseControlState {
public:
    CBaseControlDownState() : CBaseControlState(CBaseControl::kStateDown) {}
    bool Enter(CBaseControl* control) override;
    bool Update(const float& dt) override;
};

// Ignores the mouse until the control is enabled again.
class CBaseControlDisabledState : public CBaseControlState {
public:
    CBaseControlDisabledState() : CBaseControlState(CBaseControl::kStateDisabled) {}
    bool Enter(CBaseControl* control) override;
    bool Update(const float&) override { return true; }
};

}  // namespace HGENS
}  // namespace GF
