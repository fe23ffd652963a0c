#include "game/screens/ComiksScreen.h"

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/resources/AnimationData.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameLog.h"
#include "game/app/Players.h"
#include "game/kitchen/GenericActions.h"

namespace {

constexpr const char* kPartPrefix = "_part_";
constexpr const char* kResultOk = "ok";

}  // namespace

// The key table outlives every screen: a screen destroyed without being deactivated first must not
// leave its handler there.
CComiksScreen::~CComiksScreen() {
    Unsubscribe();
}

void CComiksScreen::Subscribe() {
    if (m_subscribed) return;
    m_subscribed = true;
    GF::GetKeyset()->GetKeyDownEvent().Add(GF::CreateDelegate(this, &CComiksScreen::OnKey));
}

void CComiksScreen::Unsubscribe() {
    if (!m_subscribed) return;
    m_subscribed = false;
    GF::GetKeyset()->GetKeyDownEvent().Remove(GF::CreateDelegate(this, &CComiksScreen::OnKey));
}

void CComiksScreen::OnActivate() {
    Subscribe();
    TGameMenuScreen::OnActivate();
}

void CComiksScreen::OnDeactivate() {
    Unsubscribe();
    TGameMenuScreen::OnDeactivate();
}

void CComiksScreen::OnDestroy() {
    Unsubscribe();
    TGameMenuScreen::OnDestroy();
}

// A finish during initialisation would be cleared by Show, so a comic that ends here (no first
// panel, or no layout at all) finishes once the screen is idle.
void CComiksScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    if (!m_layout || !m_layout->GetAnimationData()) {
        GameLog("Comics \"%s\": no layout to play; the comic ends", m_name.c_str());
        m_finishAtIdle = true;
        return;
    }
    if (!ShowNextPart()) {
        MarkSeen();
        m_finishAtIdle = true;
    }
}

bool CComiksScreen::UpdateIdle(const float& dt) {
    CActionWorker::Update(dt);
    if (m_finishAtIdle) {
        m_finishAtIdle = false;
        Finish(kResultOk, kGameFinishFlags);
    }
    return TGameMenuScreen::UpdateIdle(dt);
}

void CComiksScreen::OnKey(int key) {
    if (key != GF::CKeyset::kKeyMouseLeft || GetLastAction() || !m_layout || m_finishing) return;
    if (ShowNextPart()) return;
    MarkSeen();
    Finish(kResultOk, kGameFinishFlags);
}

bool CComiksScreen::ShowNextPart() {
    const std::string part = kPartPrefix + std::to_string(m_nextPanel);
    ++m_nextPanel;
    const GF::THolder<GF::IAnimationData> description = m_layout->GetAnimationData();
    if (!description || !description->GetNamedPart(part.c_str())) return false;
    AddAction(CAnimationWaitAction::Create(m_layout, part, 0, false));
    AddAction(CWaitAction::Create(kPanelPause));
    return true;
}

void CComiksScreen::MarkSeen() {
    GetCurrentPlayer().flags[m_layout->GetAnimationData()->GetName()] = true;
    SaveSettings();
}
