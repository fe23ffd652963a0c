#pragma once
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"

// A level field that owns a recipe panel and brings its customers at fixed times of the level clock,
// as the kitchen field will: the clock runs with the frames, arrivals come, then the panel steps. It
// notes what the customers ask of a field: served customers (let go through the panel), lost
// recipes and the bonuses handed over.
class CPanelField : public CGameFieldBase {
public:
    struct tagArrival {
        float at = 0.0f;  // ms of level time
        COrderInfo order;
    };
    struct tagBonus {
        int32_t kind = 0;
        GF::TAnimationPtr visual;
    };

    static GF::THolder<CPanelField> Create() {
        GF::THolder<CPanelField> field(new CPanelField);
        field->panel.SetField(GF::THolder<CGameFieldBase>(field.Get()));
        return field;
    }
    static GF::THolder<CGameFieldBase> Make() { return GF::THolder<CGameFieldBase>(Create().Get()); }

    // An order of the sample's recipes by kind and patience (seconds while waiting and once open).
    static COrderInfo Order(const std::string& recipe, int32_t kind = 0, int32_t wait = 20,
                            int32_t patience = 40, int32_t portrait = 1) {
        COrderInfo order;
        order.Recept = recipe;
        order.Kind = kind;
        order.WaitSeconds = wait;
        order.PatienceSeconds = patience;
        order.Portrait = portrait;
        return order;
    }
    void Bring(float at, const COrderInfo& order) { arrivals.push_back({at, order}); }

    void Update(const float& dt) override {
        CGameFieldBase::Update(dt);
        m_elapsed += dt;
        for (auto it = arrivals.begin(); it != arrivals.end();) {
            if (it->at > m_elapsed) {
                ++it;
                continue;
            }
            const COrderInfo order = it->order;
            it = arrivals.erase(it);
            customers.push_back(panel.OnClientCome(order));
        }
        panel.Step(dt);
    }
    CReceptPanel* GetReceptPanel() override { return &panel; }
    void ServeCustomer(const GF::THolder<CZacaz>& customer) override {
        served.push_back(customer);
        panel.ShowPanel(customer);
        CGameFieldBase::ServeCustomer(customer);
    }
    void OnCustomerLost(CReceptInfo recipe) override { lost.push_back(recipe.Name); }
    void AddBonus(const CBonusInfo& bonus, GF::TAnimationPtr visual, const GF::THolder<CZacaz>&) override {
        bonuses.push_back({bonus.Kind, visual});
    }
    void ClearLevel() override {
        panel.Clear();
        panel.Shutdown();
        customers.clear();
        served.clear();
        CGameFieldBase::ClearLevel();
    }
    void SetElapsed(float ms) { m_elapsed = ms; }

    CReceptPanel panel;
    std::vector<tagArrival> arrivals;
    // Every customer made, in arrival order (empty where none could be made).
    std::vector<GF::THolder<CZacaz>> customers;
    std::vector<GF::THolder<CZacaz>> served;
    std::vector<std::string> lost;
    std::vector<tagBonus> bonuses;

private:
    CPanelField() = default;
};
