#include "game/kitchen/ReceptPanel.h"

#include <algorithm>

#include "framework/core/Delegate.h"
#include "framework/core/Random.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/SoundNames.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/HintRaise.h"

using GF::TAnimationPtr;
using GF::THolder;

namespace {

constexpr int kSelectSound = 6;
// Raised when the slide ends with two customers waiting.
constexpr int kTwoCustomersHint = 13;
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kThrowBeyondColumn = 100.0f;

bool IsOrdinary(const THolder<CZacaz>& customer) {
    return customer && customer->GetKind() != CZacaz::kDuelPlayerKind &&
           customer->GetKind() != CZacaz::kDuelRivalKind;
}

}  // namespace

CReceptPanel::~CReceptPanel() {
    m_customers.clear();
    m_selected.Reset();
    m_field.Reset();
}

THolder<CZacaz> CReceptPanel::OnClientCome(const COrderInfo& description) {
    PlaySoundByName(kSoundClientCome);
    const THolder<CZacaz> customer = CZacaz::Create(description, m_field);
    if (!customer) return {};
    if (customer->GetKind() == CZacaz::kDuelPlayerKind)
        m_customers.push_front(customer);
    else
        m_customers.push_back(customer);
    if (!m_selected) SelectCustomer(customer);
    if (!IsOrdinary(customer)) customer->Open();
    StartSlide();
    return customer;
}

void CReceptPanel::SelectCustomer(const THolder<CZacaz>& customer) {
    if (customer == m_selected) return;
    PlayGameSound(kSelectSound);
    if (IsOrdinary(m_selected) && m_selected->IsOpen()) m_selected->Close();
    m_selected = customer;
    if (m_selected) m_selected->Open();
    if (m_field)
        if (const THolder<CDeliveryButton> button = m_field->GetDeliveryButton())
            button->SetEnabled(m_selected && m_selected->IsReadyToServe());
    StartSlide();
}

THolder<CZacaz> CReceptPanel::FindCustomerAt(const GF::TPoint<float>& point) const {
    if (!(point.x > static_cast<float>(GetGameData().zacazParams.clickLimitX))) return {};
    for (const THolder<CZacaz>& customer : m_customers) {
        if (customer->GetKind() == CZacaz::kDuelRivalKind || !customer->GetSign()) continue;
        const GF::TRect box = customer->GetSign()->GetBoundingBox();
        if (static_cast<float>(box.left) < point.x && point.x < static_cast<float>(box.right) &&
            static_cast<float>(box.top) < point.y && point.y < static_cast<float>(box.bottom))
            return customer;
    }
    return {};
}

void CReceptPanel::ShowPanel(THolder<CZacaz> customer) {
    if (!customer) return;
    m_customers.remove(customer);
    if (customer == m_selected)
        SelectCustomer(m_customers.empty() ? THolder<CZacaz>() : m_customers.front());
    else if (IsOrdinary(customer) && customer->IsOpen())
        customer->Close();
    customer->SetLeaving();

    const TAnimationPtr sign = customer->GetSign();
    if (sign) {
        const CGameData& data = GetGameData();
        const THolder<CFlyObject> flight = CFlyObject::Create();
        flight->AddAnimation(sign);
        flight->SetDuration(static_cast<float>(data.fieldParams.slideTime));
        CreateLineFloatStrategy(*flight, 0.0f, kQuarterTurn, EFloatTrack::Rotation);
        const float fall = static_cast<float>(GF::Rand() % 2 + 5) / 10000.0f;
        CreateFreeFallStrategy(*flight, sign->GetPosition(),
                               {data.zacazParams.columnX + kThrowBeyondColumn, 0.0f}, {0.0f, fall});
        flight->GetLandingEvent().Add(GF::CreateDelegate(this, &CReceptPanel::OnIconLanded));
        flight->Update(0.0f);
        if (m_field) m_field->AddFlyObject(flight);
    }
    if (IsOrdinary(customer)) StartSlide();
}

void CReceptPanel::OnIconLanded(THolder<CFlyObject> flight) {
    if (flight && flight->GetAnimation()) flight->ClearAnimations(true);
}

void CReceptPanel::StartSlide() {
    m_layoutTimer = 0.0f;
    m_step = &CReceptPanel::UpdateLayout;
}

void CReceptPanel::Update(const float& dt) {
    for (auto it = m_customers.begin(); it != m_customers.end();) {
        const THolder<CZacaz> customer = *it++;
        customer->UpdateDisplay(dt);
        if (m_patienceRunning && customer->UpdatePatience(dt)) {
            if (m_field) m_field->OnCustomerLost(customer->GetRecipe());
            ShowPanel(customer);
        }
    }
}

void CReceptPanel::UpdateLayout(const float& dt) {
    const CGameData& data = GetGameData();
    const float slide = static_cast<float>(data.fieldParams.slideTime);
    m_layoutTimer += dt;
    if (slide < m_layoutTimer) {
        m_layoutTimer = slide;
        m_step = &CReceptPanel::Update;
        if (m_customers.size() == 2) RaiseHint(kTwoCustomersHint);
    }
    float k = 1.0f;
    if (m_layoutTimer != slide) k = std::min(dt / (slide - m_layoutTimer), 1.0f);
    GF::TPoint<float> target{data.zacazParams.columnX, data.zacazParams.firstRowY};
    for (const THolder<CZacaz>& customer : m_customers) {
        if (const TAnimationPtr sign = customer->GetSign()) {
            const GF::TPoint<float> p = sign->GetPosition();
            sign->SetPosition(p.x + k * (target.x - p.x), p.y + k * (target.y - p.y));
        }
        target.y += data.zacazParams.rowStep;
        if (customer->IsOpen()) target.y += data.zacazParams.openStep;
    }
}

void CReceptPanel::Clear() {
    for (const THolder<CZacaz>& customer : m_customers) customer->Detach();
    m_customers.clear();
    m_selected.Reset();
}

void CReceptPanel::Shutdown() {
    for (const THolder<CZacaz>& customer : m_customers)
        if (const TAnimationPtr sign = customer->GetSign()) sign->Reset();
    m_field.Reset();
    for (const THolder<CZacaz>& customer : m_customers) customer->Detach();
}
