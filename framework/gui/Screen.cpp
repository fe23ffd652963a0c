#include "framework/gui/Screen.h"

#include <array>
#include <cstddef>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/gui/Button.h"
#include "framework/resources/Resource.h"
#include "framework/scene/Scene.h"

namespace GF {
namespace HGENS {

namespace {

using TFactoryTable = std::array<tagControlFactory, static_cast<std::size_t>(EControlKind::Count)>;

THolder<CBaseControl> MakeButton() {
    return THolder<CBaseControl>(new CButtonControl);
}

TFactoryTable& FactoryTable() {
    static TFactoryTable table = [] {
        TFactoryTable t;
        t[static_cast<std::size_t>(EControlKind::Button)] = {&MakeButton, nullptr};
        return t;
    }();
    return table;
}

bool KnownKind(EControlKind kind) {
    return static_cast<std::size_t>(kind) < static_cast<std::size_t>(EControlKind::Count);
}

const char* const kConfirmScreen = "confirm_screen";
const char* const kConfirmLayout = "main_menu.confirm_screen";

}  // namespace

void RegisterControlFactory(EControlKind kind, const tagControlFactory& factory) {
    if (KnownKind(kind)) FactoryTable()[static_cast<std::size_t>(kind)] = factory;
}

tagControlFactory GetControlFactory(EControlKind kind) {
    return KnownKind(kind) ? FactoryTable()[static_cast<std::size_t>(kind)] : tagControlFactory{};
}

CScreenAbstract::~CScreenAbstract() {
    if (m_layout) m_layout->Reset();
}

// --- Controls ---

THolder<CBaseControl> CScreenAbstract::CreateControl(EControlKind kind, const std::string& name,
                                                     const tagControlArgs& args) {
    const tagControlFactory factory = GetControlFactory(kind);
    if (!factory.make) {
        HGE* hge = hgeCreate(HGE_VERSION);
        hge->System_Log("Screen \"%s\": no factory for the control \"%s\" of kind %d", m_name.c_str(),
                        name.c_str(), static_cast<int>(kind));
        hge->Release();
        return {};
    }
    THolder<CBaseControl> control = factory.make();
    if (!control) return {};
    const THolder<IScreen> self = Self();
    control->Initialize(name, self);
    control->OnInitialize(control, self);
    if (factory.setup) factory.setup(*control, self, args);
    m_controls.push_back(control);
    return control;
}

THolder<CBaseControl> CScreenAbstract::FindControl(const std::string& name) {
    for (const THolder<CBaseControl>& control : m_controls)
        if (control->GetName() == name) return control;
    return {};
}

THolder<CBaseControl> CScreenAbstract::FindControlAt(const TPoint<int>& point) const {
    for (const THolder<CBaseControl>& control : m_controls)
        if (control->IsVisible() && control->HitTest(point)) return control;
    return {};
}

// --- Phase tasks ---

void CScreenAbstract::AddPhaseTask(int keyCode, const std::string& name, bool confirm, int mask) {
    if (keyCode < 0 || keyCode >= CKeyset::kKeyCount) {
        HGE* hge = hgeCreate(HGE_VERSION);
        hge->System_Log("Screen \"%s\": phase task \"%s\" has the key code %d, outside the key table",
                        m_name.c_str(), name.c_str(), keyCode);
        hge->Release();
        return;
    }
    m_phaseTasks.push_back({confirm, mask, keyCode, name});
}

void CScreenAbstract::RemovePhaseTask(int keyCode) {
    std::vector<tagPhaseTask> kept;
    int confirmIndex = -1;
    for (std::size_t i = 0; i < m_phaseTasks.size(); ++i) {
        if (m_phaseTasks[i].keyCode == keyCode) continue;
        // The task whose dialog is open keeps its place by moving with the tasks kept; if it goes,
        // the dialog's answer finds no task.
        if (static_cast<int>(i) == m_confirmTaskIndex) confirmIndex = static_cast<int>(kept.size());
        kept.push_back(m_phaseTasks[i]);
    }
    m_phaseTasks.swap(kept);
    m_confirmTaskIndex = confirmIndex;
}

bool CScreenAbstract::RunPhaseTasks(int phase) {
    const THolder<CKeyset> keys = GetKeyset();
    for (std::size_t i = 0; i < m_phaseTasks.size(); ++i) {
        if ((m_phaseTasks[i].mask & phase) == 0) continue;
        const tagPhaseTask task = m_phaseTasks[i];  // the handlers below may change the list
        const bool pressed = keys->IsDown(task.keyCode);
        keys->SetDown(task.keyCode, false);  // consumed whether or not the task acts
        if (!pressed) continue;

        if (phase == kPhaseShowing && (task.mask & kReplayInIdle)) {
            m_keyToReplay = task.keyCode;
            return false;
        }
        if (task.confirm) {
            m_confirmTaskIndex = static_cast<int>(i);
            if (const THolder<IScreen> dialog = OpenConfirmation(task.name))
                dialog->GetDeactivateEvent().Add(CreateDelegate(this, &CScreenAbstract::OnTaskConfirmation));
            return false;
        }
        m_autoShow = (task.mask & kAutoShow) != 0;
        if (phase == kPhaseIdle) {
            m_pendingResult = task.name;
            m_result = m_pendingResult;
            m_hideBeforeFinish = (task.mask & kHideBeforeFinish) != 0;
        } else {
            m_result = task.name;
        }
        // The result's listeners may destroy this screen; it stays alive until the step returns.
        const THolder<IScreen> self = Self();
        const std::string result = m_result;
        OnCommand(result);
        GetGameManager()->RaiseScreenResult(self);
        return true;
    }
    return false;
}

THolder<IScreen> CScreenAbstract::OpenConfirmation(const std::string& stem) {
    const std::string phraseKey = "confirm_" + stem;
    const THolder<CGameManager> manager = GetGameManager();
    manager->ShowScreen(kConfirmScreen, kConfirmLayout, m_scene, phraseKey.c_str());
    THolder<IScreen> dialog = manager->GetTopScreen();
    if (dialog.Get() == this) return {};  // nothing opened over this screen
    return dialog;
}

void CScreenAbstract::OnTaskConfirmation(THolder<IScreen> confirmation) {
    const THolder<IScreen> self = Self();
    const bool known = m_confirmTaskIndex >= 0 && m_confirmTaskIndex < static_cast<int>(m_phaseTasks.size());
    if (confirmation && confirmation->GetResult() == "yes" && known) {
        const tagPhaseTask& task = m_phaseTasks[static_cast<std::size_t>(m_confirmTaskIndex)];
        m_autoShow = (task.mask & kAutoShow) != 0;
        m_pendingResult = task.name;
        m_result = m_pendingResult;
        m_hideBeforeFinish = (task.mask & kHideBeforeFinish) != 0;
        m_closeRequested = true;
    }
    GetGameManager()->DestroyScreen(kConfirmScreen);
}

// --- Life ---

void CScreenAbstract::Initialize(const std::string& layoutName, THolder<IScene> scene, const char*) {
    m_scene = scene ? scene : THolder<IScene>(new CScene);
    const THolder<IAnimationData> data = GetResource()->GetAnimationDataByPath(layoutName);
    if (data) m_layout = data->CreateAnimation();
    if (m_layout) {
        m_layout->SetScene(m_scene);
        m_layout->SetDrawablesScene(m_scene);
        const THolder<CGameProperties> properties = GetGameProperties();
        m_layout->SetX(static_cast<float>(properties->m_screenWidth) * 0.5f);
        m_layout->SetY(static_cast<float>(properties->m_screenHeight) * 0.5f);
        m_layout->ApplyTransform();
        m_layout->SetChildVisible("_demo", properties->m_showDemo);
    }
    OnInitialize();
}

void CScreenAbstract::Draw() {
    if (m_scene) m_scene->Render();
}

bool CScreenAbstract::Update(const float& dt) {
    // A handler run from this step (a click, a result listener) may destroy the screen.
    const THolder<IScreen> self = Self();
    if (m_phaseHandler && !(this->*m_phaseHandler)(dt)) return false;
    if (m_scene) m_scene->Update(dt);
    return true;
}

void CScreenAbstract::OnTop() {
    const THolder<IScreen> self = Self();
    OnActivate();
    if (m_autoShow) {
        Show();
        m_keyToReplay = -1;
    }
}

void CScreenAbstract::Destroy() {
    const THolder<IScreen> self = Self();
    OnDestroy();
    const std::vector<THolder<CBaseControl>> controls = m_controls;
    for (const THolder<CBaseControl>& control : controls) control->Destroy();
    if (!m_shown) {
        if (m_layout) m_layout->Destroy();
        if (m_scene) m_scene->Clear();
    } else if (m_layout) {
        m_layout->Reset();
    }
    m_scene.Reset();
    m_layout.Reset();
}

void CScreenAbstract::Resume() {
    const THolder<IScreen> self = Self();
    GetGameManager()->SetNoneEffect();
    OnResume();
}

// --- Phases ---

void CScreenAbstract::Show() {
    m_result.clear();
    m_pendingResult.clear();
    m_phaseHandler = &CScreenAbstract::UpdateShowing;
    if (m_layout) m_layout->Play("_show", 1, false);
}

bool CScreenAbstract::UpdateShowing(const float&) {
    if (m_layout && !m_layout->IsFinished()) return !RunPhaseTasks(kPhaseShowing);
    Idle();
    return true;
}

void CScreenAbstract::Idle() {
    m_phaseHandler = &CScreenAbstract::UpdateIdle;
    if (m_layout) m_layout->Play("_idle", 0, false);
    if (m_keyToReplay >= 0) {
        GetKeyset()->SetDown(m_keyToReplay, true);
        m_keyToReplay = -1;
    }
    const std::vector<THolder<CBaseControl>> controls = m_controls;
    for (const THolder<CBaseControl>& control : controls) control->UpdateHitRect();
}

bool CScreenAbstract::UpdateIdle(const float& dt) {
    const std::vector<THolder<CBaseControl>> controls = m_controls;
    for (const THolder<CBaseControl>& control : controls) control->Update(dt);
    if (!m_closeRequested && !RunPhaseTasks(kPhaseIdle)) return true;
    if (!m_hideBeforeFinish) return false;
    Hide();
    return true;
}

void CScreenAbstract::Hide() {
    m_phaseHandler = &CScreenAbstract::UpdateHiding;
    if (m_layout) m_layout->Play("_hide", 1, false);
}

bool CScreenAbstract::UpdateHiding(const float&) {
    if (m_layout && !m_layout->IsFinished()) return !RunPhaseTasks(kPhaseHiding);
    m_result = m_pendingResult;
    return false;
}

}  // namespace HGENS
}  // namespace GF
