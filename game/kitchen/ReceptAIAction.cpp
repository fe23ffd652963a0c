#include "game/kitchen/ReceptAIAction.h"

#include <algorithm>

#include "framework/core/Random.h"
#include "game/app/LevelRecords.h"
#include "game/app/Players.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/Zacaz.h"

namespace {

constexpr int32_t kResultVariable = 5;  // set once the duel has a winner

}  // namespace

GF::THolder<CActionBase> CReceptAIAction::Create(CGameFieldBase& field, const GF::THolder<CZacaz>& order) {
    return GF::THolder<CActionBase>(new CReceptAIAction(field, order));
}

CReceptAIAction::CReceptAIAction(CGameFieldBase& field, const GF::THolder<CZacaz>& order)
    : m_order(order), m_field(&field) {}

void CReceptAIAction::Start() {
    m_timer = kFirstPause;
    if (!m_order) m_done = true;
}

void CReceptAIAction::Update(const float& dt) {
    // Once either side has won, the rival puts its spoon down at once: serving its last order
    // after the player's final serve would overwrite the result.
    if (GetCurrentPlayer().floatVars[kResultVariable] != 0.0f || !m_order) {
        m_done = true;
        return;
    }
    m_timer -= dt;
    if (m_working) m_order->UpdateWorkProgress(dt);
    if (m_timer <= 0.0f) TakeStep();
    if (m_order->IsReadyToServe()) {
        m_done = true;
        m_field->ServeCustomer(m_order);
    }
}

void CReceptAIAction::TakeStep() {
    const int base = TruncateToInt(m_order->GetOrder().Time * 1000.0f);
    const int spread = base / 2;
    // Below 2 ms there is no spread to draw from.
    m_timer =
        spread > 0 ? static_cast<float>(base + GF::Rand() % spread) : static_cast<float>(std::max(base, 0));
    if (m_working) {
        m_working = false;
        m_order->SetItemWorking(false, CZacaz::kNoItem);
        m_order->SetItemDone(m_currentItem);
        m_order->PutItem(m_currentItem);
        return;
    }
    const int item = m_order->FindNeededItem(true, false);
    // Nothing to take this step (every item is on its way, or out of the list's view).
    if (item < 0) return;
    m_currentItem = item;
    const CReceptItemInfo* record = m_order->GetItemRecord(item);
    const int work = record ? record->Value : 0;
    if (work != 0) {
        m_order->SetItemWorking(true, item);
        m_working = true;
        m_timer = static_cast<float>(work);
    } else {
        m_order->SetItemDone(item);
        m_order->PutItem(item);
    }
}
