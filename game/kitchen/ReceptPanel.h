#pragma once
#include <list>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "game/app/LevelRecords.h"
#include "game/kitchen/FlyObject.h"
#include "game/kitchen/Zacaz.h"

class CGameFieldBase;

// The column of waiting customers at the side of the kitchen, a member of the kitchen field: brings
// each arriving customer in, lays their order signs out one under the other, keeps the selected
// customer (whose order the delivery button serves), steps every customer each frame and throws a
// leaving customer's sign off the screen. The field calls Step every frame.
class CReceptPanel {
public:
    CReceptPanel() = default;
    ~CReceptPanel();
    CReceptPanel(const CReceptPanel&) = delete;
    CReceptPanel& operator=(const CReceptPanel&) = delete;

    void SetField(const GF::THolder<CGameFieldBase>& field) { m_field = field; }
    // A customer arrives; empty (logged) when its order cannot be made.
    GF::THolder<CZacaz> OnClientCome(const COrderInfo& description);
    void SelectCustomer(const GF::THolder<CZacaz>& customer);
    GF::THolder<CZacaz> GetCurrentCustomer() const { return m_selected; }
    // The customer whose sign is under the point, right of the click limit; never a rival's.
    GF::THolder<CZacaz> FindCustomerAt(const GF::TPoint<float>& point) const;
    // A customer leaves, served or out of patience: its sign is thrown away.
    void ShowPanel(GF::THolder<CZacaz> customer);
    void OnIconLanded(GF::THolder<CFlyObject> flight);

    // The current per-frame handler.
    void Step(const float& dt) { (this->*m_step)(dt); }
    // The customers' display and patience.
    void Update(const float& dt);
    // The slide of the signs into their rows.
    void UpdateLayout(const float& dt);
    bool IsSliding() const { return m_step == &CReceptPanel::UpdateLayout; }

    // At level end: every customer detached and dropped.
    void Clear();
    // When the field is torn down: the signs reset, the field let go, every customer detached.
    void Shutdown();

    // Set at closing time: from then on customers lose their low mood and leave.
    void SetPatienceRunning(bool running) { m_patienceRunning = running; }
    const std::list<GF::THolder<CZacaz>>& GetCustomers() const { return m_customers; }

private:
    using TStep = void (CReceptPanel::*)(const float& dt);

    void StartSlide();

    bool m_patienceRunning = false;
    GF::THolder<CGameFieldBase> m_field;
    float m_layoutTimer = 0.0f;
    TStep m_step = &CReceptPanel::Update;
    GF::THolder<CZacaz> m_selected;
    std::list<GF::THolder<CZacaz>> m_customers;
};
