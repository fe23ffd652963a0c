#include "game/kitchen/PersActions.h"

#include "game/app/TruncateToInt.h"

using GF::THolder;

THolder<CPersMoveAction> CPersMoveAction::Create(const THolder<CPers>& pers, float x, float y) {
    THolder<CPersMoveAction> action(new CPersMoveAction);
    action->m_x = TruncateToInt(x);
    action->m_y = TruncateToInt(y);
    action->m_pers = pers;
    return action;
}

void CPersMoveAction::Start() {
    if (m_pers) m_pers->MoveTo(static_cast<float>(m_x), static_cast<float>(m_y));
}

void CPersMoveAction::Update(const float&) {
    if (!m_pers || m_pers->GetHandler() == &CPers::UpdateIdle || m_pers->GetAnimationIndex() == CPers::kHide)
        m_done = true;
}

THolder<CWaitPersAction> CWaitPersAction::Create(const THolder<CPers>& pers, float durationMs,
                                                 int animation) {
    return THolder<CWaitPersAction>(new CWaitPersAction(pers, durationMs, animation));
}

void CWaitPersAction::Start() {
    if (!m_pers || m_animation == -1 || m_pers->GetAnimationIndex() == CPers::kWork) return;
    m_pers->SetAnimation(m_animation);
    m_pers->SetStateTimer(0.0f);
    m_pers->SetHandler(&CPers::Hold);
}

void CWaitPersAction::Update(const float& dt) {
    m_remaining -= dt;
    if (m_remaining > 0.0f) return;
    m_done = true;
    if (m_pers && m_animation != -1) m_pers->StopWalking();
}
