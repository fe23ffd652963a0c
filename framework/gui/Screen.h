#pragma once
#include <string>
#include <type_traits>
#include <vector>

#include "framework/app/Screen.h"
#include "framework/core/Holder.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"

namespace GF {
namespace HGENS {

// How a screen makes a control of one kind: a new, unbound control, and the kind's own setup step,
// which runs once the control is bound to its layout and has entered its first state.
struct tagControlFactory {
    THolder<CBaseControl> (*make)() = nullptr;
    void (*setup)(CBaseControl& control, const THolder<IScreen>& screen,
                  const tagControlArgs& args) = nullptr;
};

// The factory table of every screen, keyed by control kind. The button is there from the start;
// the other kinds are registered by their own code before a screen makes one (a static library
// does not link registrations that nothing names, so a kind registers from its header or from the
// application's start). A second registration of a kind replaces the first.
void RegisterControlFactory(EControlKind kind, const tagControlFactory& factory);
// Empty (make null) for a kind that nothing registered.
tagControlFactory GetControlFactory(EControlKind kind);

// The base of every screen. It owns a scene, the layout animation found under the screen's layout
// name, the controls it made from the layout's parts, and its keyboard shortcuts (phase tasks). It
// passes through the phases "_show", "_idle" and "_hide" of the layout, one frame at a time, and
// ends with a result word. Only derived screens are made.
class CScreenAbstract : public IScreen {
public:
    // Phase bits of a task's mask, and its other flags.
    enum {
        kPhaseShowing = 0x01,
        kPhaseIdle = 0x02,
        kPhaseHiding = 0x04,
        kReplayInIdle = 0x08,      // a press while showing is kept for the idle phase
        kAutoShow = 0x10,          // the value autoShow takes when the task fires
        kHideBeforeFinish = 0x20,  // the value hideBeforeFinish takes when it fires while idle
    };

    struct tagPhaseTask {
        bool confirm = false;
        int mask = 0;
        int keyCode = 0;
        std::string name;
    };

    CScreenAbstract() = default;
    // A screen let go without Destroy still takes its layout off the scene (the two hold each other).
    ~CScreenAbstract() override;
    CScreenAbstract(const CScreenAbstract&) = delete;
    CScreenAbstract& operator=(const CScreenAbstract&) = delete;

    THolder<CBaseControl> CreateControl(EControlKind kind, const std::string& name,
                                        const tagControlArgs& args) override;
    THolder<CBaseControl> FindControl(const std::string& name) override;
    int GetControlCount() override { return static_cast<int>(m_controls.size()); }
    // The first shown control whose hit area holds the point, enabled or not: a press there is the
    // control's, not the scene's beneath it. Empty when none.
    THolder<CBaseControl> FindControlAt(const TPoint<int>& point) const;
    THolder<IScene> GetScene() override { return m_scene; }
    void Finish(const std::string&, int) override {}
    void BindControl(const std::string&, const std::string&, bool, int) override {}
    // A key code outside the key table is refused (and logged).
    void AddPhaseTask(int keyCode, const std::string& name, bool confirm, int mask) override;

    void Initialize(const std::string& layoutName, THolder<IScene> scene, const char* phraseKey) override;
    void Draw() override;
    TAnimationPtr GetAnimation() override { return m_layout; }
    const std::string& GetResult() override { return m_result; }
    const std::string& GetName() override { return m_name; }
    void SetName(const std::string& name) override { m_name = name; }
    CScreenEvent& GetActivateEvent() override { return m_activateEvent; }
    CScreenEvent& GetDeactivateEvent() override { return m_deactivateEvent; }
    CScreenEvent& GetInitializeEvent() override { return m_initializeEvent; }
    CScreenEvent& GetDestroyEvent() override { return m_destroyEvent; }
    CScreenEvent& GetPauseEvent() override { return m_pauseEvent; }
    CScreenEvent& GetResumeEvent() override { return m_resumeEvent; }
    bool Update(const float& dt) override;
    void OnTop() override;
    void OnRemoved() override { OnDeactivate(); }
    void Destroy() override;
    void Pause() override { OnPause(); }
    void Resume() override;
    bool IsShown() override { return m_shown; }
    void SetShown(bool shown) override { m_shown = shown; }

    // Each raiser holds the screen across the raise (the holder lives to the end of the call): a
    // delegate may destroy it (a dialog's opener destroys the dialog from its Deactivate event).
    void OnActivate() override { m_activateEvent.Raise(Self()); }
    void OnDeactivate() override { m_deactivateEvent.Raise(Self()); }
    void OnInitialize() override { m_initializeEvent.Raise(Self()); }
    void OnDestroy() override { m_destroyEvent.Raise(Self()); }
    void OnPause() override { m_pauseEvent.Raise(Self()); }
    void OnResume() override { m_resumeEvent.Raise(Self()); }

    void RemovePhaseTask(int keyCode) override;

    void Show() override;
    bool UpdateShowing(const float& dt) override;
    void Idle() override;
    bool UpdateIdle(const float& dt) override;
    void Hide() override;
    bool UpdateHiding(const float& dt) override;
    void OnCommand(const std::string&) override {}

protected:
    // Runs the tasks of one phase against the key table; true when a task ended the screen.
    bool RunPhaseTasks(int phase);
    // Opens the yes/no dialog over this screen with the phrase key "confirm_" + stem and answers it;
    // empty when no dialog opened (no "confirm_screen" is registered).
    THolder<IScreen> OpenConfirmation(const std::string& stem);
    // Handles the end of the dialog opened by a confirming phase task.
    void OnTaskConfirmation(THolder<IScreen> confirmation);
    THolder<IScreen> Self() { return THolder<IScreen>(this); }

    // The phase operation as a derived screen's own step, which the frame update then calls.
    template <class S>
    void SetPhase(bool (S::*step)(const float&)) {
        static_assert(std::is_base_of_v<CScreenAbstract, S>);
        m_phaseHandler = static_cast<TPhaseStep>(step);
    }
    template <class S>
    bool IsPhase(bool (S::*step)(const float&)) const {
        static_assert(std::is_base_of_v<CScreenAbstract, S>);
        return m_phaseHandler == static_cast<TPhaseStep>(step);
    }

    std::string m_name;
    std::string m_pendingResult;
    TAnimationPtr m_layout;
    THolder<IScene> m_scene;
    CScreenEvent m_activateEvent;
    CScreenEvent m_deactivateEvent;
    CScreenEvent m_initializeEvent;
    CScreenEvent m_destroyEvent;
    CScreenEvent m_pauseEvent;
    CScreenEvent m_resumeEvent;
    std::vector<tagPhaseTask> m_phaseTasks;
    using TPhaseStep = bool (CScreenAbstract::*)(const float&);
    TPhaseStep m_phaseHandler = &CScreenAbstract::UpdateShowing;
    bool m_autoShow = true;
    std::vector<THolder<CBaseControl>> m_controls;
    std::string m_result;
    int m_keyToReplay = -1;
    bool m_hideBeforeFinish = true;
    bool m_shown = false;
    int m_confirmTaskIndex = -1;
    bool m_closeRequested = false;
};

}  // namespace HGENS
}  // namespace GF
