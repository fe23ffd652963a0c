#include "game/kitchen/ShowZacazAction.h"

#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"

using GF::TAnimationPtr;
using GF::THolder;
using GF::TPoint;

namespace {

constexpr float kPi = 3.1415927f;
constexpr int kServeSound = 7;
constexpr int kSignAbove = 110;
// The plate's drawable that holds the dish while the plate opens.
constexpr unsigned kDishPlace = 2;
// Where the dish goes when the order's list has already gone.
const TPoint<float> kOffScreen{900.0f, 0.0f};

}  // namespace

THolder<CShowZacazAction> CShowZacazAction::Create(const THolder<CZacaz>& order) {
    THolder<CShowZacazAction> action(new CShowZacazAction);
    action->m_order = order;
    if (!order) return action;
    // Counted as one more item done, and flagged where the order has such a flag.
    order->SetItemDone(CZacaz::kNoItem);
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr at = order->GetSign();
    action->m_sign = scene ? scene->CreateAnimation("interfaces.sign") : TAnimationPtr();
    if (action->m_sign && at) {
        action->m_sign->SetPosition(at->GetPosition());
        action->m_sign->SetLayer(at->GetLayer() + kSignAbove);
        action->m_sign->Play("all", 1, true);
    }
    return action;
}

CShowZacazAction::~CShowZacazAction() = default;

void CShowZacazAction::Start() {
    if (m_sign) {
        m_sign->Play("_hide", 1, true);
        m_sign.Reset();
    }
    PlayGameSound(kServeSound);
    const THolder<CGameFieldBase> field = m_order ? m_order->GetField() : THolder<CGameFieldBase>();
    if (!field) {
        m_done = true;
        return;
    }
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr plate = field->GetPlateAnimation();
    m_dish = scene ? scene->CreateAnimation(m_order->GetRecipe().Picture) : TAnimationPtr();
    if (plate) {
        plate->Play("_open", 0, false);
        plate->PlayFrom(10.0f);
        const GF::TSubstitutedContainerPtr place(plate->GetDrawable(kDishPlace).Get());
        if (!place && m_dish) {
            GameLog("CShowZacazAction: the plate has no place for the dish");
            m_dish->Reset();
            m_dish.Reset();
        }
        if (m_dish) m_dish->SetContainer(place, true);
        plate->Update(0.0f);
    }
    if (m_dish) m_dish->Update(0.0f);
    m_timer = 0.0f;
    m_open = true;
    m_landed = false;
    if (const THolder<CDeliveryButton> serve = field->GetDeliveryButton()) serve->SetEnabled(false);
}

void CShowZacazAction::StartDishFlight() {
    const THolder<CGameFieldBase> field = m_order->GetField();
    m_flight = CFlyObject::Create();
    m_flight->SetDuration(GetGameData().fieldParams.flyTime);
    TPoint<float> from =
        field && field->GetPlateAnimation() ? field->GetPlateAnimation()->GetPosition() : TPoint<float>{};
    if (m_dish) {
        from = m_dish->GetPosition();
        m_dish->SetContainer({}, false);
        m_flight->AddAnimation(m_dish);
    }
    TPoint<float> to = kOffScreen;
    const TAnimationPtr list = m_order->GetList();
    if (list && !list->IsFinished()) {
        if (const GF::TSubstitutedContainerPtr place{list->FindDrawable("_recept_place").Get()})
            to = {place->GetTransform().x, place->GetTransform().y};
        list->Play("_hide", 0, false);
    }
    CreateLineStrategy(*m_flight, 1.0f, 0.5f);
    CreateLineFloatStrategy(*m_flight, 0.0f, 2.0f * kPi, EFloatTrack::Rotation);
    // The bend: a quadratic curve whose control point lies between the ends, nearer the start's
    // height; the parabola passes through the curve's middle.
    const TPoint<float> control{from.x * 0.5f + to.x * 0.5f, from.y * 0.75f + to.y * 0.25f};
    const TPoint<float> middle = from * 0.25f + control * 0.5f + to * 0.25f;
    CreateParabolaStrategy(*m_flight, from, middle, to);
    m_flight->Update(0.0f);
    if (field) field->AddFlyObject(m_flight);
}

void CShowZacazAction::Update(const float& dt) {
    if (!m_order) {
        m_done = true;
        return;
    }
    const THolder<CGameFieldBase> field = m_order->GetField();
    const TAnimationPtr plate = field ? field->GetPlateAnimation() : TAnimationPtr();
    const int32_t kind = m_order->GetKind();
    m_timer += dt;
    if (!m_flight && (!plate || plate->IsFinished())) {
        StartDishFlight();
        if (plate) plate->Play("_closed", 0, false);
    }
    bool cutShort = false;
    if (m_flight && m_flight->IsRunning()) {
        if (!CZacaz::IsDuel(kind)) m_order->GiveAllBonuses();
        if (m_order->IsLeaving() && m_open) {
            cutShort = true;
            m_open = false;
            if (field && field->GetReceptPanel()) field->GetReceptPanel()->ShowPanel(m_order);
            CreateLineFloatStrategy(*m_flight, m_dish ? m_dish->GetOpacity() : 1.0f, 1.0f);
            if (kind != CZacaz::kDuelRivalKind) m_order->ShowReward();
            m_done = true;
            m_flight->SetRunning(false);
            m_landed = true;
        }
    }
    if (m_flight && !m_flight->IsRunning() && !m_landed) {
        m_timer = 0.0f;
        m_landed = true;
        if (m_dish) m_dish->SetOpacity(1.0f);
        m_order->PlaceDish(m_dish);
        if (kind != CZacaz::kDuelRivalKind) m_order->ShowReward();
    }
    if (!m_landed) return;
    m_timer += dt;
    // A hand-over cut short is over now: this is its last update, so a duel side's next order comes
    // at once rather than after a show time it will not wait for, and the customer it already let
    // go is not let go again.
    if (!cutShort && m_timer <= static_cast<float>(GetGameData().zacazParams.value2)) return;
    if (field && CZacaz::IsDuel(kind)) field->OnSpecialCustomer(kind);
    if (!cutShort && field && field->GetReceptPanel()) field->GetReceptPanel()->ShowPanel(m_order);
    m_done = true;
}
