#pragma once
#include <string>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IScene.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

class IScreen;

namespace HGENS {
class CButtonControl;
class CListBoxControl;
class CEditControl;
class CSliderControl;
class CRadioGroupControl;
class CCheckBoxControl;

// Raised with the screen itself.
using CScreenEvent = TEvent1<THolder<IScreen>>;
}  // namespace HGENS

// A screen (a menu, a dialog, the play screen) as the screen manager, the game and the screen's
// own controls see it: made by a registered factory, named, initialised with its layout, updated
// and drawn while it is on top, told when it becomes the top and when it leaves it, and destroyed.
// It makes its controls from the parts of its layout, passes through the phases "_show", "_idle"
// and "_hide", and ends with a result word. HGENS::CScreenAbstract implements it.
class IScreen : public CRefCount {
public:
    // --- Controls ---
    // A new control of the kind, bound to its parts in the layout and appended to the screen's
    // controls; empty when no factory is registered for the kind.
    virtual THolder<HGENS::CBaseControl> CreateControl(HGENS::EControlKind kind, const std::string& name,
                                                       const HGENS::tagControlArgs& args) = 0;
    // The typed makers of each kind. The class of each is the default argument, so a caller needs
    // only the control's own header.
    template <class T = HGENS::CListBoxControl>
    THolder<T> CreateListBox(const std::string& name, bool withSlider) {
        HGENS::tagControlArgs args;
        args.withSlider = withSlider;
        return HolderCast<T>(CreateControl(HGENS::EControlKind::ListBox, name, args));
    }
    template <class T = HGENS::CEditControl>
    THolder<T> CreateEdit(const std::string& name, int maximumLength) {
        HGENS::tagControlArgs args;
        args.maximumLength = maximumLength;
        return HolderCast<T>(CreateControl(HGENS::EControlKind::Edit, name, args));
    }
    template <class T = HGENS::CSliderControl>
    THolder<T> CreateSlider(const std::string& name, int value, int minimum, int maximum, bool horizontal) {
        HGENS::tagControlArgs args;
        args.value = value;
        args.minimum = minimum;
        args.maximum = maximum;
        args.horizontal = horizontal;
        return HolderCast<T>(CreateControl(HGENS::EControlKind::Slider, name, args));
    }
    template <class T = HGENS::CRadioGroupControl>
    THolder<T> CreateRadioGroup(const std::string& name, int selectedIndex) {
        HGENS::tagControlArgs args;
        args.selectedIndex = selectedIndex;
        return HolderCast<T>(CreateControl(HGENS::EControlKind::RadioGroup, name, args));
    }
    template <class T = HGENS::CCheckBoxControl>
    THolder<T> CreateCheckBox(const std::string& name, bool checked) {
        HGENS::tagControlArgs args;
        args.checked = checked;
        return HolderCast<T>(CreateControl(HGENS::EControlKind::CheckBox, name, args));
    }
    template <class T = HGENS::CButtonControl>
    THolder<T> CreateButton(const std::string& name) {
        return HolderCast<T>(CreateControl(HGENS::EControlKind::Button, name, {}));
    }
    // The first control of exactly that name; empty when none.
    virtual THolder<HGENS::CBaseControl> FindControl(const std::string& name) = 0;
    virtual int GetControlCount() = 0;
    virtual THolder<IScene> GetScene() = 0;
    // Ends the screen with the word (menu screens); mask 0x10: autoShow, 0x20: hide before finishing.
    virtual void Finish(const std::string& resultWord, int mask) = 0;
    // Binds the layout button to a result word (menu screens).
    virtual void BindControl(const std::string& controlName, const std::string& resultWord, bool confirm,
                             int mask) = 0;
    // A keyboard shortcut: in the phases of the mask, the key ends the screen with the name (after a
    // yes/no confirmation when confirm is set).
    virtual void AddPhaseTask(int keyCode, const std::string& name, bool confirm, int mask) = 0;

    // --- What the screen manager calls ---
    // scene may be empty; phraseKey is for dialogs that pick a phrase by it.
    virtual void Initialize(const std::string& layoutName, THolder<IScene> scene, const char* phraseKey) = 0;
    virtual void Draw() = 0;
    // The layout animation; empty when the screen has none.
    virtual TAnimationPtr GetAnimation() = 0;
    // How the screen ended: the name of the clicked control, or a word such as "back" or "yes".
    virtual const std::string& GetResult() = 0;
    virtual const std::string& GetName() = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual HGENS::CScreenEvent& GetActivateEvent() = 0;
    virtual HGENS::CScreenEvent& GetDeactivateEvent() = 0;
    virtual HGENS::CScreenEvent& GetInitializeEvent() = 0;
    virtual HGENS::CScreenEvent& GetDestroyEvent() = 0;
    virtual HGENS::CScreenEvent& GetPauseEvent() = 0;
    virtual HGENS::CScreenEvent& GetResumeEvent() = 0;
    // false once the screen has finished.
    virtual bool Update(const float& dt) = 0;
    virtual void OnTop() = 0;
    virtual void OnRemoved() = 0;
    virtual void Destroy() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual bool IsShown() = 0;
    virtual void SetShown(bool shown) = 0;

    // --- Raisers of the six events, which derived screens extend ---
    virtual void OnActivate() = 0;
    virtual void OnDeactivate() = 0;
    virtual void OnInitialize() = 0;
    virtual void OnDestroy() = 0;
    virtual void OnPause() = 0;
    virtual void OnResume() = 0;

    // Erases every phase task of the key.
    virtual void RemovePhaseTask(int keyCode) = 0;

    // --- Phases ---
    virtual void Show() = 0;
    virtual bool UpdateShowing(const float& dt) = 0;
    virtual void Idle() = 0;
    virtual bool UpdateIdle(const float& dt) = 0;
    virtual void Hide() = 0;
    virtual bool UpdateHiding(const float& dt) = 0;
    // Called whenever a phase task or a menu button ends the screen, with the new result.
    virtual void OnCommand(const std::string& result) = 0;
};

}  // namespace GF
