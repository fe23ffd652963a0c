#pragma once
#include "framework/core/Holder.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/FlyObject.h"

class CZacaz;

// The heroine takes an order's item from a device or an ingredient place. Made at the click, it
// shows the take sign over the place and counts the take combo (takes in quick succession give
// points). When it runs, a device starts its work beside the queue (CWorkObjectAction) and the take
// ends at once; an ingredient place gives up its item, which flies to the order.
class CGetObjectAction : public CActionBase {
public:
    static GF::THolder<CGetObjectAction> Create(const GF::THolder<CCookObject>& place,
                                                const GF::THolder<CZacaz>& order, int item);
    ~CGetObjectAction() override;

    void Start() override;
    void Update(const float& dt) override;

private:
    CGetObjectAction() = default;
    void ShowTakeSign();
    void CountCombo();

    int m_item = 0;
    GF::THolder<CFlyObject> m_flight;
    GF::THolder<CCookObject> m_place;
    GF::THolder<CZacaz> m_order;
};

// A device works on an order's item for the item's work time times the cooking-time factor, its
// working sound repeating every 4 s; then the item reaches the order and the device rests. A
// customer who leaves ends the work at once.
class CWorkObjectAction : public CActionBase {
public:
    static GF::THolder<CWorkObjectAction> Create(const GF::THolder<CCookObject>& place,
                                                 const GF::THolder<CZacaz>& order, int item);
    ~CWorkObjectAction() override;

    void Start() override;
    void Update(const float& dt) override;

private:
    CWorkObjectAction() = default;

    int m_item = 0;
    float m_elapsed = 0.0f;
    float m_workTime = 0.0f;
    GF::THolder<CCookObject> m_place;
    GF::THolder<CZacaz> m_order;
    float m_soundTime = 0.0f;
};
