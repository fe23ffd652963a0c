#include "game/kitchen/RivalsPanel.h"

void CRivalsPanel::Init(const GF::THolder<GF::IScene>&) {}

void CRivalsPanel::Reset() {
    m_step = &CRivalsPanel::Rest;
}

void CRivalsPanel::SetScore(int, float) {}

void CRivalsPanel::Rest(const float&) {}
