#include "game/kitchen/GetObjectAction.h"

#include <string>

#include "engine/Hge.h"
#include "framework/app/GameSound.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/Zacaz.h"

using GF::TAnimationPtr;
using GF::THolder;
using GF::TPoint;

namespace {

constexpr float kPi = 3.1415927f;
constexpr int kComboSound = 31;
constexpr int kComboLayerAbove = 5000;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
constexpr float kWorkSoundPeriod = 4000.0f;

// The take combo of the whole process: how many quick takes in a row, and when the last one was.
struct CTakeCombo {
    int count = 0;
    float lastTake = -1.0e9f;  // seconds
};

CTakeCombo& TakeCombo() {
    static CTakeCombo combo;
    return combo;
}

float EngineSeconds() {
    HGE* hge = hgeCreate(HGE_VERSION);
    const float seconds = hge->Timer_GetTime();
    hge->Release();
    return seconds;
}

// Points of a combo over the place, kept wholly inside the screen.
void ShowComboPoints(const THolder<GF::IScene>& scene, const TPoint<float>& at, float points) {
    const TAnimationPtr balloon = scene ? scene->CreateAnimation("bonus.bonus_points") : TAnimationPtr();
    if (!balloon) return;
    balloon->SetLayer(GetGameData().overlayLayer + kComboLayerAbove);
    std::string text = "+";
    text += std::to_string(TruncateToInt(points));
    balloon->SetText("_text", GF::Widen(text));
    balloon->Play("all", 1, true);
    balloon->SetPosition(at);
    balloon->Update(0.0f);
    const GF::TRect box = balloon->GetBoundingBox();
    const float halfWidth = static_cast<float>(box.right - box.left) / 2.0f;
    const float halfHeight = static_cast<float>(box.bottom - box.top) / 2.0f;
    TPoint<float> inside = at;
    if (inside.x < halfWidth) inside.x = halfWidth;
    if (inside.x > kScreenWidth - halfWidth) inside.x = kScreenWidth - halfWidth;
    if (inside.y < halfHeight) inside.y = halfHeight;
    if (inside.y > kScreenHeight - halfHeight) inside.y = kScreenHeight - halfHeight;
    balloon->SetPosition(inside);
    balloon->Update(0.0f);
}

}  // namespace

// --- The take ---

THolder<CGetObjectAction> CGetObjectAction::Create(const THolder<CCookObject>& place,
                                                   const THolder<CZacaz>& order, int item) {
    THolder<CGetObjectAction> action(new CGetObjectAction);
    action->m_place = place;
    action->m_order = order;
    action->m_item = item;
    action->ShowTakeSign();
    action->CountCombo();
    return action;
}

CGetObjectAction::~CGetObjectAction() = default;

void CGetObjectAction::ShowTakeSign() {
    const TAnimationPtr place = m_place ? m_place->GetAnimation() : TAnimationPtr();
    const THolder<GF::IScene> scene = place ? place->GetScene() : THolder<GF::IScene>();
    const TAnimationPtr sign = scene ? scene->CreateAnimation("interfaces.sign") : TAnimationPtr();
    if (!sign) return;
    int layer = std::abs(place->GetLayer()) + 5;
    TPoint<float> at = place->GetPosition();
    if (const GF::TSubstitutedContainerPtr part{place->FindDrawable("_sign_place").Get()}) {
        const GF::TTransform& world = part->GetTransform();
        at = {world.x, world.y};
        layer += GF::TDrawablePtr(part.Get())->GetLayer();
    }
    sign->SetPosition(at);
    sign->SetLayer(layer);
    sign->Play("all", 1, true);
}

void CGetObjectAction::CountCombo() {
    CTakeCombo& combo = TakeCombo();
    const CBonusParams& params = GetGameData().bonusParams;
    const float now = EngineSeconds();
    if (now >= combo.lastTake + params.seriesWindow / 1000.0f) {
        combo.count = 1;
    } else {
        ++combo.count;
        for (const CSeriesEntry& step : params.series) {
            if (step.length != combo.count) continue;
            PlayGameSound(kComboSound);
            const TAnimationPtr place = m_place ? m_place->GetAnimation() : TAnimationPtr();
            if (place) ShowComboPoints(place->GetScene(), place->GetPosition(), step.value);
            if (const THolder<CGameFieldBase> field =
                    m_order ? m_order->GetField() : THolder<CGameFieldBase>())
                field->AddScore(step.value);
            combo.count = 0;
        }
    }
    combo.lastTake = now;
}

void CGetObjectAction::Start() {
    if (!m_place) {
        m_done = true;
        return;
    }
    m_place->SetFree(true);
    if (!m_order || m_order->IsLeaving()) {
        m_done = true;
        return;
    }
    const THolder<CGameFieldBase> field = m_order->GetField();
    if (m_place->GetInfo().Kind != 0) {
        if (field) field->StartAction(CWorkObjectAction::Create(m_place, m_order, m_item));
        m_done = true;
        return;
    }
    PlaySoundByName(kSoundIngredientFly);
    if (field) {
        field->OnTakeObject(m_place);
    } else {
        m_place->SetShown(false);
    }
    if (!field) return;
    const CGameData& data = GetGameData();
    const float flyTime = data.fieldParams.flyTime;
    m_flight = CFlyObject::Create();
    m_flight->SetDuration(flyTime);
    const THolder<GF::HGENS::CFGParticle> particle =
        GF::HGENS::CFGParticle::Create("Particle\\get_object.fgp", "particles_2", flyTime / 1000.0f, true);
    particle->layer = data.fieldParams.value2;
    if (const TAnimationPtr place = m_place->GetAnimation()) particle->SetScene(place->GetScene());
    m_flight->SetParticle(particle);
    CreateLineFloatStrategy(*m_flight, 0.0f, kPi, EFloatTrack::Rotation);
    CreateLineFloatStrategy(*m_flight, 1.0f, 1.0f, EFloatTrack::Opacity);
    const TPoint<float> from =
        m_place->GetAnimation() ? m_place->GetAnimation()->GetPosition() : TPoint<float>{};
    TPoint<float> to = field->GetPlateAnimation() ? field->GetPlateAnimation()->GetPosition() : from;
    const int next = m_order->GetCurrentItem();
    if (next < m_order->GetItemCount()) {
        const CReceptItemInfo* record = m_order->GetItemRecord(next);
        const THolder<CCookObject> target =
            record ? field->FindObject(record->Name, false) : THolder<CCookObject>();
        if (target && target->GetAnimation()) to = target->GetAnimation()->GetPosition();
    }
    particle->MoveTo(from.x, from.y);
    CreateSplineMoveStrategy(*m_flight, from, to, "spiral");
    m_flight->GetLandingEvent().Add(GF::CreateDelegate(field.Get(), &CGameFieldBase::OnObjectLanded));
    field->AddFlyObject(m_flight);
}

void CGetObjectAction::Update(const float&) {
    if (m_flight && m_flight->IsRunning()) return;
    m_done = true;
    if (m_order && !m_order->IsLeaving()) m_order->PutItem(m_item);
}

// --- The device's work ---

THolder<CWorkObjectAction> CWorkObjectAction::Create(const THolder<CCookObject>& place,
                                                     const THolder<CZacaz>& order, int item) {
    THolder<CWorkObjectAction> action(new CWorkObjectAction);
    action->m_place = place;
    action->m_order = order;
    action->m_item = item;
    return action;
}

CWorkObjectAction::~CWorkObjectAction() = default;

void CWorkObjectAction::Start() {
    if (!m_place || !m_order) {
        m_done = true;
        return;
    }
    m_order->SetItemWorking(true, m_item);
    m_place->SetFree(false);
    const CReceptItemInfo* record = m_order->GetItemRecord(m_item);
    m_workTime = static_cast<float>(record ? record->Value : 0) * GetGameData().bonusParams.cookFactor;
    m_place->Setup();
}

void CWorkObjectAction::Update(const float& dt) {
    m_elapsed += dt;
    m_soundTime += dt;
    m_order->UpdateWorkProgress(dt);
    if (m_soundTime > kWorkSoundPeriod) {
        m_soundTime = 0.0f;
        GF::HGENS::CGameSound::Instance()->PlaySound(m_place->GetInfo().Label2, 0.0f, 0.0f);
    }
    const bool leaving = m_order->IsLeaving();
    if (m_elapsed <= m_workTime && !leaving) return;
    m_done = true;
    m_place->SetFree(true);
    if (!leaving) {
        m_order->SetItemWorking(false, m_item);
        m_order->PutItem(m_item);
    }
    m_place->SetState();
}
