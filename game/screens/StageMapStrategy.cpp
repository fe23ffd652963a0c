#include "game/screens/StageMapStrategy.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GenericActions.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kFrontAngle = 1.5f * std::numbers::pi_v<float>;  // the top of the ellipse

GF::TPoint<float> BoxCentre(const GF::TRect& box) {
    return {static_cast<float>(int64_t{box.left} + box.right) / 2.0f,
            static_cast<float>(int64_t{box.top} + box.bottom) / 2.0f};
}

// Inside the circle inscribed in the box's width.
bool IsOver(const GF::TRect& box, float x, float y) {
    const GF::TPoint<float> centre = BoxCentre(box);
    const float half = static_cast<float>(int64_t{box.right} - box.left) / 2.0f;
    const float dx = x - centre.x;
    const float dy = y - centre.y;
    return dx * dx + dy * dy < half * half;
}

void RefreshHitBox(CStageMapStrategy::StageItem& stage) {
    if (!stage.animation) return;
    stage.animation->ApplyTransform();
    const GF::TDrawablePtr first = stage.animation->GetDrawable(0);
    stage.hitBox = first ? first->GetBoundingBox() : GF::TRect{};
}

void Lift(const GF::TAnimationPtr& animation, int layers) {
    if (animation) animation->SetLayer(animation->GetLayer() + layers);
}

}  // namespace

CStageMapStrategy::CStageMapStrategy() {
    SetInputOn();
}

CStageMapStrategy::~CStageMapStrategy() {
    m_event.Clear();
    m_zoomFlight.Reset();
    m_stages.clear();
}

CStageMapStrategy::StageItem* CStageMapStrategy::Item(int index) {
    return index >= 0 && index < static_cast<int>(m_stages.size())
               ? &m_stages[static_cast<std::size_t>(index)]
               : nullptr;
}

const CStageMapStrategy::StageItem* CStageMapStrategy::Item(int index) const {
    return const_cast<CStageMapStrategy*>(this)->Item(index);
}

int CStageMapStrategy::FindIndex(const std::string& name) const {
    for (std::size_t i = 0; i < m_stages.size(); ++i)
        if (m_stages[i].name == name) return static_cast<int>(i);
    return -1;
}

GF::TAnimationPtr CStageMapStrategy::GetStageAnimation(const std::string& name) const {
    const StageItem* stage = Item(FindIndex(name));
    return stage ? stage->animation : GF::TAnimationPtr();
}

GF::THolder<CLevelMapStrategy> CStageMapStrategy::GetLevelMap(const std::string& name) const {
    const StageItem* stage = Item(FindIndex(name));
    return stage ? stage->levelMap : GF::THolder<CLevelMapStrategy>();
}

void CStageMapStrategy::AddStage(const std::string& name, const GF::TAnimationPtr& animation, bool opened,
                                 bool isNew) {
    if (GetStageNumber(name) <= 0 || !animation) return;
    StageItem stage;
    stage.levelMap = CreateLevelMapStrategy();
    stage.name = name;
    stage.animation = animation;
    animation->Update(0.0f);
    RefreshHitBox(stage);
    stage.opened = opened;
    stage.isNew = isNew;
    stage.index = static_cast<int>(m_stages.size()) + 1;
    m_stages.push_back(stage);
    const int index = static_cast<int>(m_stages.size()) - 1;

    if (!opened || isNew) {
        animation->Play("_hide", 0, false);
        if (isNew) m_revealed = index;
    } else {
        animation->Play("_zoom", 0, false);
    }
    animation->Stop();
    // The player's stage is added first; when it is not on the map the first stage stands in for it.
    if (m_current < 0) {
        m_current = index;
        Lift(animation, kFrontLayers);
    }
}

void CStageMapStrategy::PlaceOnRing(StageItem& stage, float angle) {
    stage.animation->Update(0.0f);
    stage.animation->SetPosition(m_centreX + m_radiusX * std::cos(angle),
                                 m_centreY + m_radiusY * std::sin(angle));
    stage.animation->SetScale(kRingScale, kRingScale);
    RefreshHitBox(stage);
    stage.angle = angle;
}

void CStageMapStrategy::Layout(float radiusX, float radiusY, float step, float centreX, float centreY) {
    m_radiusX = radiusX;
    m_radiusY = radiusY;
    m_angleStep = step;
    m_centreX = centreX;
    m_centreY = centreY;
    if (m_stages.empty()) return;

    float& zoomRequest = GetCurrentPlayer().floatVars[16];
    std::size_t first = 0;
    if (zoomRequest == 0.0f) {
        StageItem& front = m_stages.front();
        front.animation->Update(0.0f);
        front.animation->SetPosition(centreX, centreY);
        RefreshHitBox(front);
        front.angle = kFrontAngle;
        first = 1;
    } else {
        zoomRequest = 0.0f;
    }
    for (std::size_t i = first; i < m_stages.size(); ++i) {
        StageItem& stage = m_stages[i];
        PlaceOnRing(stage, static_cast<float>(i) * step + kFrontAngle);
        if (i != 0) continue;
        stage.animation->Play("_show", 0, false);
        Lift(stage.animation, -kFrontLayers);
        ZoomIn();
        SetBusy(true);
    }
    if (m_revealed >= 0) {
        AddAction(CWaitAction::Create(kRevealDelay));
        AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CStageMapStrategy::RevealStage)));
        SetBusy(true);
    }
}

void CStageMapStrategy::RevealStage() {
    const int revealed = m_revealed;
    m_revealed = -1;
    if (!Item(revealed)) return;
    SelectStage(revealed);
    PlayGameSound(kRevealSound);
}

bool CStageMapStrategy::Update(const float& dt) {
    UpdateFlyObjects(dt);
    CActionWorker::Update(dt);
    return m_step ? (this->*m_step)(dt) : true;
}

void CStageMapStrategy::SetInputOn() {
    m_step = &CStageMapStrategy::UpdateCarousel;
    SetBusy(false);
}

bool CStageMapStrategy::UpdateNoInput(const float&) {
    return true;
}

bool CStageMapStrategy::UpdateCarousel(const float& dt) {
    if (StageItem* current = Item(m_current)) {
        CLevelMapStrategy& levels = *current->levelMap;
        if (!levels.IsStarted()) levels.StartReveal();
        levels.UpdateFlyObjects(dt);
        levels.CActionWorker::Update(dt);
        if (levels.HasChosen()) return false;
        levels.Step(dt);
    }
    if (GetLastAction()) return true;

    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    const float x = mouse->GetFloatX();
    const float y = mouse->GetFloatY();
    const GF::THolder<GF::CKeyset> keys = GF::GetKeyset();
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        StageItem& stage = m_stages[i];
        if (!stage.opened || static_cast<int>(i) == m_current) continue;
        const bool over = IsOver(stage.hitBox, x, y);
        const bool wasHovered = stage.hovered;
        if (!stage.hovered && over) {
            stage.hovered = true;
            AddAction(CAnimationWaitAction::Create(stage.animation, "_enter", 0, false));
            keys->SetDown(GF::CKeyset::kKeyMouseLeft, false);
        } else if (stage.hovered && !over) {
            stage.hovered = false;
            AddAction(CAnimationWaitAction::Create(stage.animation, "_live", 0, false));
        }
        if (wasHovered && keys->IsDown(GF::CKeyset::kKeyMouseLeft)) {
            keys->SetDown(GF::CKeyset::kKeyMouseLeft, false);
            stage.animation->Play("_live", 0, false);
            stage.hovered = false;
            SelectStage(static_cast<int>(i));
            break;
        }
    }
    return true;
}

void CStageMapStrategy::SelectStage(int index) {
    const StageItem* chosen = Item(index);
    if (!chosen) return;
    CPlayerProfile& player = GetCurrentPlayer();
    player.stageName = chosen->name;
    player.floatVars[34] = 0.0f;
    SyncStageProgress(false);
    SaveSettings();
    m_selected = index;
    m_step = &CStageMapStrategy::UpdateNoInput;
    if (StageItem* old = Item(m_current)) {
        old->levelMap->ShowButtons(true);
        ZoomOut();
    } else {
        m_current = index;
        ZoomIn();
    }
    SetBusy(true);
}

void CStageMapStrategy::ZoomOut() {
    StageItem& old = *Item(m_current);
    const GF::THolder<CFlyObject> flight = CFlyObject::Create();
    flight->AddAnimation(old.animation);
    flight->SetDuration(kZoomOutTime);
    CreateLineStrategy(*flight, old.animation->GetPosition(),
                       GF::TPoint<float>{m_centreX, m_centreY - m_radiusY});
    CreateLineStrategy(*flight, 1.0f, kRingScale);
    flight->GetLandingEvent().Add(GF::CreateDelegate(this, &CStageMapStrategy::OnZoomedOut));
    AddFlyObject(flight);
    Lift(old.animation, -kFrontLayers);
}

void CStageMapStrategy::OnZoomedOut(GF::THolder<CFlyObject>) {
    const StageItem* old = Item(m_current);
    if (old) old->animation->SetScale(kRingScale, kRingScale);
    int next = FindIndex(GetCurrentPlayer().stageName);
    if (next < 0) next = m_selected;
    m_current = next;
    const StageItem* now = Item(m_current);
    if (!old || !now) return;
    const int count = static_cast<int>(m_stages.size());
    const int n = now->index <= old->index ? old->index - now->index : old->index - now->index + count;
    float angle = static_cast<float>(n) * m_angleStep;
    // A picture right of the centre is reached the short way round, turning the other way.
    if (m_centreX < BoxCentre(now->hitBox).x) angle -= kTwoPi;
    Turn(angle);
}

void CStageMapStrategy::Turn(float angle) {
    // A carousel of one stage has nothing to turn: the picture zooms in at once.
    if (m_stages.size() < 2) {
        ZoomIn();
        return;
    }
    for (StageItem& stage : m_stages) {
        const GF::THolder<CFlyObject> flight = CFlyObject::Create();
        flight->AddAnimation(stage.animation);
        flight->SetDuration(kTurnTime);
        CreateCircleStrategy(*flight, {m_centreX, m_centreY}, m_radiusX, m_radiusY, stage.angle,
                             stage.angle + angle);
        AddFlyObject(flight);
        stage.angle += angle;
    }
    GetAllLandedEvent().Add(GF::CreateDelegate(this, &CStageMapStrategy::OnTurned));
}

void CStageMapStrategy::OnTurned() {
    GetAllLandedEvent().Remove(GF::CreateDelegate(this, &CStageMapStrategy::OnTurned));
    if (StageItem* current = Item(m_current)) current->animation->Play("_show", 0, false);
    for (StageItem& stage : m_stages) RefreshHitBox(stage);
    ZoomIn();
}

void CStageMapStrategy::ZoomIn() {
    StageItem* current = Item(m_current);
    if (!current) return;
    m_zoomFlight = CFlyObject::Create();
    m_zoomFlight->AddAnimation(current->animation);
    m_zoomFlight->SetDuration(kZoomInTime);
    CreateLineStrategy(*m_zoomFlight, current->animation->GetPosition(),
                       GF::TPoint<float>{m_centreX, m_centreY});
    CreateLineStrategy(*m_zoomFlight, kRingScale, kZoomPeak);
    m_zoomFlight->GetLandingEvent().Add(GF::CreateDelegate(this, &CStageMapStrategy::OnZoomedIn));
    AddFlyObject(m_zoomFlight);
    AddAction(CWaitAction::Create(kSettleTime));
    AddAction(CPlaySoundAction::Create(kZoomSound));
}

void CStageMapStrategy::OnZoomedIn(GF::THolder<CFlyObject>) {
    StageItem* current = Item(m_current);
    if (!current) return;
    RefreshHitBox(*current);
    Lift(current->animation, kFrontLayers);
    current->isNew = false;
    const GF::THolder<CFlyObject> settle = CFlyObject::Create();
    settle->AddAnimation(current->animation);
    settle->SetDuration(kSettleTime);
    CreateLineStrategy(*settle, kZoomPeak, 1.0f);
    AddFlyObject(settle);
    AddAction(CWaitAction::Create(kSettleTime));
    AddAction(CAnimationWaitAction::Create(current->animation, "_zoom", 0, false));
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CStageMapStrategy::OnSettled)));
}

void CStageMapStrategy::OnSettled() {
    if (StageItem* current = Item(m_current)) {
        RefreshHitBox(*current);
        current->levelMap->ShowButtons(false);
    }
    SetInputOn();
}
