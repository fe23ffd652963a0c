#include "game/kitchen/StandInField.h"

GF::THolder<CGameFieldBase> CStandInField::Create() {
    return GF::THolder<CGameFieldBase>(new CStandInField);
}

bool CStandInField::StartLevel(const std::string& levelName) {
    if (!CGameFieldBase::StartLevel(levelName)) return false;
    if (m_level->Duration > 0.0f && m_clockFlip) m_clockFlip->SetVisible(true);
    return true;
}

void CStandInField::Update(const float& dt) {
    CGameFieldBase::Update(dt);
    if (!m_level || m_finished) return;
    m_elapsed += dt;
    if (m_elapsed >= m_level->Duration) FinishLevel();
}
