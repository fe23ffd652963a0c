#pragma once
#include <string>

#include "framework/core/WString.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"

namespace GF {
namespace HGENS {

// The push button, and the base of every control drawn by a layout animation. A button named N binds
// to the animation substituted into the layout's child "_item_N", plays that animation's parts as
// its state changes ("_up", "_over", "_leave", "_down", "_disabled"), takes its hit rectangle from
// it (or from its child "_button_rect") and shows the text "item_N" of the text table on its child
// "_text". Without that child it stays unbound and silent, but its state machine still runs.
class CButtonControl : public CBaseControl {
public:
    CButtonControl() = default;
    ~CButtonControl() override;

    void OnDestroy(THolder<CBaseControl> sender) override;
    void Initialize(const std::string& name, THolder<IScreen> screen) override;
    // Enters Init (so no MouseLeave is raised at creation) and shows "_up".
    void OnInitialize(THolder<CBaseControl> sender, THolder<IScreen> screen) override;
    void OnMouseEnter(THolder<CBaseControl> sender) override;
    void OnMouseLeave(THolder<CBaseControl> sender) override;
    void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnMouseUp(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnVisibleChanged(THolder<CBaseControl> sender) override;
    void OnEnabledChanged(THolder<CBaseControl> sender) override;
    void UpdateHitRect() override;

    // "_up" when enabled, "_disabled" when not.
    virtual void ShowEnabledState();
    virtual void SetText(const WString& text);
    // Null while unbound.
    virtual const WChar* GetText();
    virtual TAnimationPtr GetAnimation() { return m_item; }

protected:
    // The item (not empty) becomes the button's animation: its caption "item_" + name, its resting
    // look and its hit rectangle (of "_button_rect" when it has one).
    void Bind(const TAnimationPtr& item);
    void PlayPart(const char* part);

    TAnimationPtr m_item;
    TDrawablePtr m_buttonRect;
};

}  // namespace HGENS
}  // namespace GF
