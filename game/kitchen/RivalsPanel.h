#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/IScene.h"

// The tournament's ribbons and portraits beside the kitchen. Until the tournament is built it
// shows nothing: every operation the field calls is here and does nothing.
class CRivalsPanel {
public:
    using TStep = void (CRivalsPanel::*)(const float& dt);

    void Init(const GF::THolder<GF::IScene>& scene);
    void Reset();
    // The points of one participant (the player is participant 6).
    void SetScore(int participant, float points);
    // The current step handler: the portraits' glide while they move, otherwise nothing.
    void Step(const float& dt) { (this->*m_step)(dt); }

private:
    void Rest(const float& dt);

    TStep m_step = &CRivalsPanel::Rest;
};
