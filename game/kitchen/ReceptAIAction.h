#pragma once
#include "framework/core/Holder.h"
#include "game/kitchen/ActionBase.h"

class CGameFieldBase;
class CZacaz;

// The rival cook's work on one duel order: after a first pause it takes the order's items one by
// one, each after a random wait of the order's base time to one and a half times it, spends each
// item's work time on it, and hands the complete order over as a served one. It stops once the
// duel has a result.
class CReceptAIAction : public CActionBase {
public:
    static constexpr float kFirstPause = 6000.0f;

    // `field` serves the order and outlives the action (its queue runs it).
    static GF::THolder<CActionBase> Create(CGameFieldBase& field, const GF::THolder<CZacaz>& order);

    void Start() override;
    void Update(const float& dt) override;

private:
    CReceptAIAction(CGameFieldBase& field, const GF::THolder<CZacaz>& order);
    void TakeStep();

    bool m_working = false;
    int m_currentItem = 0;
    GF::THolder<CZacaz> m_order;
    float m_timer = 0.0f;
    CGameFieldBase* m_field;
};
