#include "game/kitchen/PlaceInBonusGameField.h"

#include <cmath>

#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/LayoutItem.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/kitchen/FlyObject.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/LightObjectAction.h"
#include "game/kitchen/ShowObjectAction.h"

namespace {

constexpr float kDropTolerance = 20.0f;
// A release counts as a drop only after the mouse has moved this far from the press on some axis.
constexpr float kDragDistance = 50.0f;
constexpr int kHeldLayerAbove = 110;
constexpr int kPlacedLayer = 5;
constexpr int kReturnedLayer = 900;
constexpr int32_t kResultVariable = 5;
constexpr float kAllPlaced = 101.0f;
constexpr float kTimeOver = 102.0f;
constexpr int kStartSound = 27;
constexpr int kTimeOverSound = 8;
constexpr int kPlacedSound = 31;
constexpr float kClosingWaitMs = 3000.0f;
constexpr float kPulseAmplitude = 0.5f;
constexpr float kPulseMs = 1000.0f;
constexpr GF::TPoint<float> kParticlesAt{400.0f, 300.0f};

GF::TPoint<float> MousePosition() {
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    return {mouse->GetFloatX(), mouse->GetFloatY()};
}

}  // namespace

GF::THolder<CPlaceInBonusGameField> CPlaceInBonusGameField::Create() {
    return GF::THolder<CPlaceInBonusGameField>(new CPlaceInBonusGameField);
}

CPlaceInBonusGameField::CPlaceInBonusGameField() {
    m_manualRequested = false;
}

CPlaceInBonusGameField::~CPlaceInBonusGameField() {
    m_itemBar.Reset();
    m_items.clear();
    m_places.clear();
    m_heldItem.Reset();
}

bool CPlaceInBonusGameField::StartLevel(const std::string& levelName) {
    if (!CGameFieldBase::StartLevel(levelName)) return false;
    const GF::THolder<GF::IScene> scene = GetGameScene();
    for (const CPlacedObjectInfo& placement : m_level->Objects) {
        const GF::THolder<CCookObject> place = CCookObject::CreateHidden(placement, scene);
        const GF::THolder<CCookObject> item = CCookObject::Create(placement, scene);
        if (item->GetAnimation() && item->GetInfo().Kind != 0) item->GetAnimation()->Play("_idle", 0, false);
        m_places.push_back(place);
        m_items.push_back(item);
        m_panel.AddItem(item);
    }
    StartAction(CShowObjectAction::Create(m_places.begin(), m_places.end(),
                                          4.0f * GetGameData().fieldParams.showTime));
    PlayGameSound(kStartSound);
    QueueBonusText("bonus_text");
    AddAction(
        CExecuteAction::Create(GF::CreateDelegate(this, &CPlaceInBonusGameField::StartOpeningParticles)));
    QueueLevelStart();
    return true;
}

void CPlaceInBonusGameField::SetLevelLayout(GF::TAnimationPtr layout) {
    CGameFieldBase::SetLevelLayout(layout);
    m_itemBar = layout ? GF::HGENS::HostedAnimation(layout, "_list") : GF::TAnimationPtr();
    m_panel.SetAnimation(m_itemBar);
    m_panel.Relayout();
}

void CPlaceInBonusGameField::Update(const float& dt) {
    CGameFieldBase::Update(dt);
    (this->*m_step)(dt);
}

void CPlaceInBonusGameField::Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) {
    CGameFieldBase::Init(layout, screen);
    HideHintParts();
}

void CPlaceInBonusGameField::OnKeyDown(int key) {
    if (key != GF::CKeyset::kKeyMouseLeft || !IsPlaying()) return;
    const GF::TPoint<float> at = MousePosition();
    if (IsOnControl(at)) return;
    if (m_heldItem) {
        const GF::THolder<CCookObject> item = m_heldItem;
        DropItem(item);
        m_heldItem.Reset();
        return;
    }
    m_heldItem = FindItemAt(at);
    if (!m_heldItem) return;
    const GF::TAnimationPtr& animation = m_heldItem->GetAnimation();
    const GF::TPoint<float> position = animation->GetPosition();
    m_dragOffset = {position.x - at.x, position.y - at.y};
    m_pressAt = at;
    for (const bool shown : {false, true}) m_heldItem->SetShown(shown);
    animation->SetLayer(GetGameData().overlayLayer + kHeldLayerAbove);
    m_items.remove(m_heldItem);
    m_items.push_back(m_heldItem);
}

void CPlaceInBonusGameField::OnKeyUp(int key) {
    if (key != GF::CKeyset::kKeyMouseLeft || !IsPlaying() || !m_heldItem) return;
    const GF::TPoint<float> at = MousePosition();
    if (std::fabs(at.x - m_pressAt.x) <= kDragDistance && std::fabs(at.y - m_pressAt.y) <= kDragDistance)
        return;
    const GF::THolder<CCookObject> item = m_heldItem;
    DropItem(item);
    m_heldItem.Reset();
}

void CPlaceInBonusGameField::FinishLevel() {
    if (m_heldItem && m_heldItem->GetAnimation()) m_heldItem->GetAnimation()->SetVisible(false);
    CloseBonusLevel(m_placed);
    AddAction(CWaitAction::Create(kClosingWaitMs));
    m_step = &CPlaceInBonusGameField::UpdateEndWait;
    ShowNight();
}

void CPlaceInBonusGameField::ResetLevel() {
    CGameFieldBase::ResetLevel();
    m_placed = 0;
}

void CPlaceInBonusGameField::UpdateIntroWait(const float&) {
    if (!GetLastAction()) m_step = &CPlaceInBonusGameField::UpdatePlay;
}

void CPlaceInBonusGameField::UpdatePlay(const float& dt) {
    if (m_heldItem && m_heldItem->GetAnimation()) {
        const GF::TPoint<float> at = MousePosition();
        m_heldItem->GetAnimation()->SetPosition(at.x + m_dragOffset.x, at.y + m_dragOffset.y);
    }
    UpdateLevelClock(dt);
    m_panel.Update(dt);
}

void CPlaceInBonusGameField::UpdateLevelClock(const float& dt) {
    if (AdvanceBonusClock(dt) < 1.0f) return;
    PlayGameSound(kTimeOverSound);
    GetCurrentPlayer().floatVars[kResultVariable] = kTimeOver;
    AddAction(CAnimationWaitAction::Create(m_clockFlip, "_closed", 0, false));
    FinishLevel();
}

GF::THolder<CCookObject> CPlaceInBonusGameField::FindItemAt(const GF::TPoint<float>& point) {
    const GF::TPoint<int> pixel{static_cast<int>(point.x), static_cast<int>(point.y)};
    for (const GF::THolder<CCookObject>& item : m_items)
        if (item->IsReady() && item->IsFree() && item->HitTest(pixel, true)) return item;
    return {};
}

bool CPlaceInBonusGameField::TryPlace(const GF::THolder<CCookObject>& item) {
    if (!item->GetAnimation()) return false;
    const GF::TPoint<float> at = item->GetAnimation()->GetPosition();
    const float half = static_cast<float>(m_halfWidth);
    for (const GF::THolder<CCookObject>& place : m_places) {
        if (place->GetInfo().Name != item->GetInfo().Name || !place->GetAnimation()) continue;
        const GF::TPoint<float> p = place->GetAnimation()->GetPosition();
        if (std::fabs(p.x + half - at.x) < kDropTolerance && std::fabs(p.y - at.y) < kDropTolerance) {
            PlaceItem(item, {p.x + half, p.y});
            return true;
        }
    }
    return false;
}

void CPlaceInBonusGameField::PlaceItem(const GF::THolder<CCookObject>& item,
                                       const GF::TPoint<float>& target) {
    PlayGameSound(kPlacedSound);
    const GF::TAnimationPtr& animation = item->GetAnimation();
    const GF::THolder<CFlyObject> flight = CFlyObject::Create();
    flight->AddAnimation(animation);
    flight->SetDuration(GetGameData().fieldParams.flyTime / 3.0f);
    flight->SetStartDelay(0.0f);
    CreateLineStrategy(*flight, animation->GetPosition(), target);
    AddFlyObject(flight);
    item->SetFree(false);
    StartAction(CLightObjectAction::CreateForAnimation(animation, kPulseAmplitude, kPulseMs, true, false));
    ++m_placed;
    if (static_cast<std::size_t>(m_placed) < m_places.size()) return;
    GetCurrentPlayer().floatVars[kResultVariable] = kAllPlaced;
    m_heldItem.Reset();
    FinishLevel();
}

void CPlaceInBonusGameField::DropItem(const GF::THolder<CCookObject>& item) {
    if (TryPlace(item)) {
        if (m_heldItem) m_panel.RemoveItem(m_heldItem);
        if (item->GetAnimation()) item->GetAnimation()->SetLayer(kPlacedLayer);
    } else {
        m_panel.Relayout();
        if (item->GetAnimation()) item->GetAnimation()->SetLayer(kReturnedLayer);
    }
}

void CPlaceInBonusGameField::StartOpeningParticles() {
    StartBonusParticles(kParticlesAt);
}
