#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/FlyObject.h"

class CZacaz;

// Hands a finished order to its customer: the plate opens with the dish in it, the dish flies to the
// order's list, the points and tips show, and after the hand-over time the customer leaves (a duel
// customer's leaving asks the field for the next one of its side). A customer who runs out of
// patience during the flight cuts it short. Making it shows the serve sign over the customer.
class CShowZacazAction : public CActionBase {
public:
    static GF::THolder<CShowZacazAction> Create(const GF::THolder<CZacaz>& order);
    ~CShowZacazAction() override;

    void Start() override;
    void Update(const float& dt) override;

private:
    CShowZacazAction() = default;
    void StartDishFlight();

    GF::TAnimationPtr m_sign;
    bool m_landed = false;
    bool m_open = false;
    GF::THolder<CFlyObject> m_flight;
    GF::TAnimationPtr m_dish;
    float m_timer = 0.0f;
    GF::THolder<CZacaz> m_order;
};
