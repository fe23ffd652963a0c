#include "game/kitchen/GameFieldBase.h"

#include "framework/app/GameSound.h"
#include "framework/core/Mouse.h"
#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/Screen.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ShowHideEffectScreen.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/BonusMaker.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/HintRaise.h"
#include "game/kitchen/Pers.h"

using GF::TAnimationPtr;
using GF::HGENS::HostedAnimation;

namespace {

// The participant the player is in the tournament.
constexpr int kPlayerParticipant = 6;
// The player's float variables a level publishes: place, level score, customers served.
constexpr int32_t kPlaceVariable = 5;
constexpr int32_t kScoreVariable = 4;
constexpr int32_t kServedVariable = 6;
// Game sound of a bonus coming into play.
constexpr int kBonusSound = 25;
// Balloon texts longer than this break their line at the last space.
constexpr std::size_t kBalloonLine = 12;
// How far the item delivery stands above the plate.
constexpr int kDeliveryAbovePlate = 10;
// The bonus mini-games: their count variable, intro text layer, opening sparkle and dial.
constexpr int32_t kCountVariable = 13;
constexpr int kBonusTextLayer = 15000;
constexpr GF::TPoint<float> kScreenMiddle{400.0f, 300.0f};
constexpr float kOpeningParticlesSeconds = 3.2f;
constexpr int kAboveGauge = 10;
constexpr float kBlinkFrom = 0.75f;
constexpr float kPi = 3.1415927f;

// The layout's part of that name, or, logged, nothing.
TAnimationPtr RequiredPart(const TAnimationPtr& layout, const char* name) {
    TAnimationPtr part = layout ? HostedAnimation(layout, name) : TAnimationPtr();
    if (!part) GameLog("game field: the layout has no part \"%s\"", name);
    return part;
}

void JumpToEnd(const TAnimationPtr& animation) {
    animation->Update(0.0f);
    animation->ShowTime(animation->GetEndTime());
}

}  // namespace

CGameFieldBase::~CGameFieldBase() = default;

void CGameFieldBase::AddScore(float points) {
    m_score += points;
    m_rivalsPanel.SetScore(kPlayerParticipant, m_score);
    GetCurrentPlayer().floatVars[kScoreVariable] = m_score;
}

GF::THolder<CCookObject> CGameFieldBase::FindObject(const std::string&, bool) {
    return {};
}

void CGameFieldBase::ClearLevel() {
    Clear();
    m_turnir.Reset();
}

bool CGameFieldBase::StartLevel(const std::string& levelName) {
    ResetLevel();
    m_level = levelName.empty() ? nullptr : GetLevelsData().FindLevel(levelName);
    if (!m_level) {
        GameLog("game field: no level \"%s\"", levelName.c_str());
        return false;
    }
    m_levelName = levelName;
    if (m_level->Duration == 0.0f && m_clockFlip) m_clockFlip->SetVisible(false);
    return true;
}

void CGameFieldBase::SetLevelLayout(TAnimationPtr layout) {
    // A mini-game's room has no plate to serve on and no ring: the kitchen says when its own lacks them.
    m_plate = layout ? HostedAnimation(layout, "_plate") : TAnimationPtr();
    if (m_plate) {
        m_plate->Play("_hide", 0, false);
        JumpToEnd(m_plate);
    }
    if (layout) layout->Update(0.0f);
    if (m_itemDelivery && m_plate) {
        m_itemDelivery->SetPosition(m_plate->GetPosition());
        m_itemDelivery->SetLayer(m_plate->GetLayer() + kDeliveryAbovePlate);
    }
    m_deliveryButton = m_itemDelivery ? CDeliveryButton::Create(m_itemDelivery, true) : nullptr;
    if (m_deliveryButton) m_deliveryButton->SetEnabled(false);
    if (m_itemDelivery) m_itemDelivery->ShowTime(m_itemDelivery->GetEndTime());
    m_ring = layout ? HostedAnimation(layout, "_ring") : TAnimationPtr();
    ShowDayClock(m_dayClock, layout);
    ShowLevelIntro();
}

void CGameFieldBase::SetPaused(bool) {}

void CGameFieldBase::Update(const float& dt) {
    UpdateFlyObjects(dt);
    CActionWorker::Update(dt);
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    const GF::TPoint<float> position{mouse->GetFloatX(), mouse->GetFloatY()};
    if (position.x == m_lastMouse.x && position.y == m_lastMouse.y) {
        m_restTime += dt;
        if (m_restTime > static_cast<float>(GetGameData().fieldParams.mouseRestDelay) && !m_mouseRested) {
            m_mouseRested = true;
            OnMouseRest(position);
        }
    } else {
        if (m_mouseRested) {
            m_mouseRested = false;
            OnMouseMoveAfterRest(position);
        }
        m_restTime = 0.0f;
        m_lastMouse = position;
    }
    if (!m_rivalsWait) m_turnir.UpdateRivals(dt);
    m_bonusRow.Update(dt);
    ShowClockFace(m_dayClock, dt);
    m_rivalsPanel.Step(dt);
    if (m_deliveryButton) m_deliveryButton->Update(dt);
}

void CGameFieldBase::Init(TAnimationPtr layout, GF::THolder<GF::IScreen> screen) {
    m_player = &GetCurrentPlayer();
    m_layout = layout;
    m_deliveryProgress = RequiredPart(layout, "_delivery_progres");
    if (m_deliveryProgress) {
        m_deliveryProgress->Play("_idle", 0, false);
        m_progressLength = m_deliveryProgress->GetEndTime();
        m_deliveryProgress->PlayTo(0.0f);
    }
    m_hintButton = screen ? screen->FindControl("hint") : nullptr;
    if (m_hintButton)
        m_hintButton->SetEnabled(false);
    else
        GameLog("game field: the screen has no control \"hint\"");
    m_clockFlip = RequiredPart(layout, "_flip");
    const TAnimationPtr clock = m_clockFlip ? RequiredPart(m_clockFlip, "_clock") : TAnimationPtr();
    m_secondHand = clock ? RequiredPart(clock, "_second") : TAnimationPtr();
    m_clockSegment = clock ? RequiredPart(clock, "_segment") : TAnimationPtr();
    const GF::THolder<GF::IScene> scene = GetGameScene();
    m_rivalsPanel.Init(scene);
    m_itemDelivery = scene ? scene->CreateAnimation("interfaces.item_delivery") : TAnimationPtr();
    m_screen = screen;
}

void CGameFieldBase::OnKeyDown(int) {}

void CGameFieldBase::OnKeyUp(int) {}

void CGameFieldBase::UpdatePaused(const float& dt) {
    UpdateFlyObjects(dt);
    ShowClockFace(m_dayClock, dt);
}

void CGameFieldBase::OnLightHint() {}

void CGameFieldBase::ServeCustomer(const GF::THolder<CZacaz>&) {
    RaiseHint(1);
}

void CGameFieldBase::OnDeliveryButton() {
    RaiseHint(6);
}

void CGameFieldBase::UpdatePlace() {}

void CGameFieldBase::Reserved() {}

void CGameFieldBase::FinishLevel() {
    m_finished = true;
}

void CGameFieldBase::ShowLevelIntro() {}

void CGameFieldBase::OnCustomerLost(CReceptInfo) {}

GF::THolder<CCookObject> CGameFieldBase::GetNextObject(int) {
    return {};
}

void CGameFieldBase::OnTakeObject(GF::THolder<CCookObject>) {}

bool CGameFieldBase::OnSpecialCustomer(int) {
    return false;
}

void CGameFieldBase::OnObjectLanded(GF::THolder<CFlyObject> flight) {
    if (m_plate && m_plate->IsFinished()) m_plate->Play("_work", 0, false);
    if (flight) flight->ClearAnimations(true);
}

void CGameFieldBase::AddBonus(const CBonusInfo& bonus, TAnimationPtr visual, const GF::THolder<CZacaz>&) {
    const GF::THolder<CActionBase> made = MakeBonus(*this, bonus, visual);
    if (!made) return;
    if (visual) {
        visual->Play("_show", 0, false);
        JumpToEnd(visual);
        m_bonusRow.Add(visual);
    }
    PlayGameSound(kBonusSound);
    StartAction(made);
}

std::list<GF::THolder<CCookObject>> CGameFieldBase::GetObjectList() {
    return {};
}

CReceptPanel* CGameFieldBase::GetReceptPanel() {
    return nullptr;
}

GF::THolder<CPers> CGameFieldBase::GetPers() {
    return {};
}

void CGameFieldBase::ResetLevel() {
    m_elapsed = m_frozenTime = m_score = 0.0f;
    m_rivalsWait = false;
    m_bonusCounter = m_secondCounter = 0;
    m_finished = false;
    LandFlyObjects();
    Clear();
    if (m_clockFlip) m_clockFlip->SetVisible(false);
    if (m_clockSegment) m_clockSegment->Play("_idle", 0, false);
    m_levelName.clear();
    m_level = nullptr;
    m_rivalsPanel.Reset();
    m_orders.clear();
    CBonusParams& params = GetGameData().bonusParams;
    params.clockFactor = params.qualityFactor = params.patienceFactor = params.cookFactor = 1.0f;
    params.stepTime = 60.0f;
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[kPlaceVariable] = 0.0f;
    player.floatVars[kScoreVariable] = 0.0f;
    player.floatVars[kServedVariable] = 0.0f;
    m_place = 0;
}

void CGameFieldBase::OnMouseRest(const GF::TPoint<float>&) {}

void CGameFieldBase::OnMouseMoveAfterRest(const GF::TPoint<float>&) {}

void CGameFieldBase::ShowBalloon(const GF::WString& text, const GF::TPoint<float>& pos) {
    if (m_balloon) {
        m_balloon->Play("_hide", 1, true);
        m_balloon.Reset();
    }
    if (text.empty()) return;
    m_balloon = CreateBalloon(GetGameScene(), text, pos);
    if (m_balloon) m_balloon->SetLayer(GetGameData().fieldParams.balloonLayer);
}

TAnimationPtr CGameFieldBase::CreateBalloon(const GF::THolder<GF::IScene>& scene, const GF::WString& text,
                                            const GF::TPoint<float>& pos) {
    const char* name = pos.x > 540.0f    ? "interfaces.balon_3"
                       : pos.y <= 100.0f ? "interfaces.balon_2"
                                         : "interfaces.balon";
    const TAnimationPtr balloon = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!balloon) {
        GameLog("game field: no balloon \"%s\"", name);
        return {};
    }
    balloon->SetPosition(pos);
    balloon->Play("_show", 0, false);
    GF::WString shown = text;
    if (shown.size() > kBalloonLine) {
        const std::size_t space = shown.rfind(u' ');
        if (space != GF::WString::npos) shown.replace(space, 1, u"\\n");
    }
    balloon->SetText("_text", shown);
    return balloon;
}

void CGameFieldBase::ShowManual() {
    m_manualRequested = true;
    if (m_screen) m_screen->Finish("show_manual", kScreenFinishFlags);
}

bool CGameFieldBase::IsOnControl(const GF::TPoint<float>& at) const {
    const GF::TPoint<int> point{TruncateToInt(at.x), TruncateToInt(at.y)};
    const auto* screen = dynamic_cast<const GF::HGENS::CScreenAbstract*>(m_screen.Get());
    return screen && screen->FindControlAt(point);
}

const CLevelBonusEntry* CGameFieldBase::PickLevelBonus() {
    if (!m_level || m_level->Bonuses.empty()) return nullptr;
    const std::size_t count = m_level->Bonuses.size();
    if (m_level->RandomBonuses) return &m_level->Bonuses[static_cast<std::size_t>(GF::Rand()) % count];
    ++m_bonusCounter;
    return &m_level->Bonuses[static_cast<std::size_t>(m_bonusCounter - 1) % count];
}

void CGameFieldBase::RemoveBonusVisual(const TAnimationPtr& visual) {
    m_bonusRow.Remove(visual);
}

void CGameFieldBase::UpdateEndWait(const float&) {
    if (GetLastAction()) return;
    SetPaused(true);
    m_finished = true;
}

void CGameFieldBase::ShowNight() {
    if (m_dayClock.layout) m_dayClock.layout->Play("_night", 0, false);
    if (m_dayClock.sun) m_dayClock.sun->SetVisible(false);
}

void CGameFieldBase::HideHintParts() {
    if (!m_layout) return;
    m_layout->SetChildVisible("_delivery_progres", false);
    m_layout->SetChildVisible("_item_hint", false);
    // Its place takes no press either: a click there is the room's.
    if (m_hintButton) m_hintButton->SetVisible(false);
}

void CGameFieldBase::QueueBonusText(const std::string& textName) {
    const GF::THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr text = scene ? scene->CreateAnimation(textName) : TAnimationPtr();
    if (text) {
        text->SetLayer(kBonusTextLayer);
        text->SetPosition(kScreenMiddle);
    }
    AddAction(CAnimationWaitAction::Create(text, "all", 1, true));
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CGameFieldBase::ShowManual)));
}

void CGameFieldBase::QueueLevelStart() {
    AddAction(CAnimationWaitAction::Create(m_clockFlip, "_work", 0, false));
    const GF::THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr start = scene ? scene->CreateAnimation("main_menu.level_start") : TAnimationPtr();
    if (start) {
        start->SetPosition(kScreenMiddle);
        start->SetLayer(GetGameData().overlayLayer);
    }
    AddAction(CAnimationWaitAction::Create(start, "all", 1, true));
}

void CGameFieldBase::StartBonusParticles(const GF::TPoint<float>& at) {
    const GF::THolder<GF::HGENS::CFGParticle> particles = GF::HGENS::CFGParticle::Create(
        "Particle\\bonus_place_in_1.fgp", "particles_2", kOpeningParticlesSeconds, true);
    particles->MoveTo(at.x, at.y);
    particles->layer = (m_deliveryProgress ? m_deliveryProgress->GetLayer() : 0) + kAboveGauge;
    particles->SetScene(GetGameScene());
}

float CGameFieldBase::AdvanceBonusClock(const float& dt) {
    m_elapsed += dt * GetGameData().bonusParams.clockFactor;
    const float duration = m_level ? m_level->Duration : 0.0f;
    float p = duration != 0.0f ? m_elapsed / duration : m_elapsed;
    if (p >= 1.0f) p = 1.0f;
    if (m_clockSegment && m_clockSegment->IsFinished() && p > kBlinkFrom)
        m_clockSegment->Play("_blink", 0, false);
    if (m_secondHand) m_secondHand->SetRotation(p * 2.0f * kPi);
    return p;
}

void CGameFieldBase::CloseBonusLevel(int32_t count) {
    GetCurrentPlayer().floatVars[kCountVariable] = static_cast<float>(count);
    GF::HGENS::CGameSound::Instance()->PlaySound(kSoundRestaurantClosed, 0.0f, 0.0f);
}
