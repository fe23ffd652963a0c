#include "game/kitchen/GameField.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/Hge.h"
#include "framework/app/GameSound.h"
#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/HgeColor.h"
#include "framework/scene/ISprite.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/GetObjectAction.h"
#include "game/kitchen/HintManager.h"
#include "game/kitchen/HintRaise.h"
#include "game/kitchen/InGameHintStrategy.h"
#include "game/kitchen/LightObjectAction.h"
#include "game/kitchen/PersActions.h"
#include "game/kitchen/ReceptAIAction.h"
#include "game/kitchen/ShowObjectAction.h"
#include "game/kitchen/ShowZacazAction.h"
#include "game/kitchen/Zacaz.h"

using GF::TAnimationPtr;
using GF::THolder;
using GF::TPoint;

namespace {

// The player's float variables the field reads and writes.
constexpr int32_t kDressVariable = 3;
constexpr int32_t kScoreVariable = 4;
constexpr int32_t kResultVariable = 5;
constexpr int32_t kServedVariable = 6;
constexpr int32_t kBonusScoreVariable = 13;
constexpr int32_t kQualifiedVariable = 19;
constexpr int kPlayerParticipant = 6;
// Customer kinds: the duel's player and rival customers.
constexpr int32_t kPlayerDuel = 101;
constexpr int32_t kRivalDuel = 102;
// Queue entries that open and close a run served in random order.
constexpr int32_t kRunStart = 1;
constexpr int32_t kRunEnd = 2;
// Duel results.
constexpr float kDuelWon = 201.0f;
constexpr float kDuelLost = 202.0f;
constexpr float kDuelWonPoints = 100.0f;
// The framework's key codes of the debug keys (digits 1, 3, 5, 9).
constexpr int kKeyWin = 6;
constexpr int kKeyDress = 8;
constexpr int kKeyBonus = 10;
constexpr int kKeyFast = 14;
// Game sounds.
constexpr int kSoundDeviceUsed = 4;
constexpr int kSoundWrongClick = 5;
constexpr int kSoundClosing = 8;
constexpr int kSoundTick = 9;
constexpr int kSoundPlay = 12;
constexpr int kSoundLightHint = 31;
// The heroine's cancel gesture.
constexpr int kCancelAnimation = 7;
constexpr float kPi = 3.1415927f;
constexpr int kColorAddBlend = 3;
const TPoint<float> kScreenCentre{400.0f, 300.0f};

GF::THolder<GF::HGENS::CGameSound> Sounds() {
    return GF::HGENS::CGameSound::Instance();
}

// Every fully opaque sprite of the animation gets the colour, added to its picture.
void ColourOpaqueSprites(const TAnimationPtr& animation, uint32_t colour) {
    if (!animation) return;
    const int count = animation->GetDrawableCount();
    for (int i = 0; i < count; ++i) {
        const GF::TSpritePtr sprite(animation->GetDrawable(static_cast<unsigned>(i)).Get());
        if (sprite && (sprite->GetColor() >> 24) == 0xFF) sprite->SetColorAndBlend(colour, kColorAddBlend);
    }
}

// The glow at k (0 none, 1 full): grey added up to white, the alpha kept full so that the device
// stays drawn and stays counted as opaque.
uint32_t GlowColour(float k) {
    const float c = std::min(2.0f * k, 1.0f);
    return hgeColor(c, c, c, 1.0f).GetHWColor();
}

// A new particle system of the file on the game scene at the point, removing itself when done.
void ShowParticles(const char* file, const char* texture, float seconds, const TPoint<float>& at, int layer,
                   bool mirrored = false) {
    const THolder<GF::HGENS::CFGParticle> particles =
        GF::HGENS::CFGParticle::Create(file, texture, seconds, true);
    if (mirrored) particles->header.startVelocityX = -particles->header.startVelocityX;
    particles->MoveTo(at.x, at.y);
    particles->layer = layer;
    particles->SetScene(GetGameScene());
}

}  // namespace

THolder<CGameField> CGameField::Create() {
    return THolder<CGameField>(new CGameField);
}

CGameField::CGameField() {
    m_customersAtOnce = GetGameData().zacazParams.customersAtOnce;
}

CGameField::~CGameField() = default;

void CGameField::AddScore(float points) {
    // A won duel's round counts 100 points; the hand-over of the last order, which pays its reward
    // after the serve that won, must not put the field's points back into the shown score.
    const bool duelWon = GetCurrentPlayer().floatVars[kResultVariable] == kDuelWon;
    CGameFieldBase::AddScore(points);
    if (duelWon) GetCurrentPlayer().floatVars[kScoreVariable] = kDuelWonPoints;
    UpdatePlace();
}

// --- Level set-up ---

void CGameField::Init(TAnimationPtr layout, THolder<GF::IScreen> screen) {
    CGameFieldBase::Init(layout, screen);
    m_receptPanel.SetField(THolder<CGameFieldBase>(this));
}

bool CGameField::StartLevel(const std::string& levelName) {
    if (!CGameFieldBase::StartLevel(levelName)) return false;
    if (m_level->FloorQuad.size() < 4) {
        GameLog("kitchen field: level \"%s\" has %zu floor corners instead of 4; not played",
                levelName.c_str(), m_level->FloorQuad.size());
        m_level = nullptr;
        GetCurrentPlayer().floatVars[kResultVariable] = 0.0f;
        m_step = &CGameField::UpdateEndWait;
        return false;
    }
    SetFloorQuad(m_level->FloorQuad);
    const THolder<GF::IScene> scene = GetGameScene();
    for (const CPlacedObjectInfo& placement : m_level->Objects)
        m_devices.push_back(CCookObject::CreateHidden(placement, scene));
    FillCustomerQueue();
    MakePers();
    UpdatePlace();
    m_customersAtOnce = GetGameData().zacazParams.customersAtOnce;
    SetUpRivals();
    if (m_level->Duration == 0.0f && m_clockFlip) m_clockFlip->SetVisible(false);
    GetHintManager().SetStrategy(CreateInGameHintStrategy(THolder<CGameFieldBase>(this), m_pers));
    return true;
}

void CGameField::FillCustomerQueue() {
    std::size_t runStart = 0;
    for (const COrderInfo& order : m_level->Orders) {
        if (order.Kind == kRunStart) {
            runStart = m_orders.size();
        } else if (order.Kind == kRunEnd) {
            ShuffleByRand(m_orders, runStart);
        } else {
            m_orders.push_back(order);
        }
    }
}

void CGameField::MakePers() {
    const std::vector<int32_t>& dresses = GetGameData().persParams.dresses;
    float& dress = GetCurrentPlayer().floatVars[kDressVariable];
    int index = TruncateToInt(dress);
    if (index < 0 || static_cast<std::size_t>(index) >= dresses.size()) {
        index = 0;
        dress = 0.0f;
    }
    const int appearance = dresses.empty() ? 0 : dresses[static_cast<std::size_t>(index)];
    if (m_pers) {
        m_pers->SetAppearance(appearance);
        m_pers->RefreshAppearance();
        return;
    }
    if (!m_level) return;
    m_pers = CPers::Create(appearance, m_level->WalkGrid.begin(), m_level->WalkGrid.end(), GetGameScene());
}

void CGameField::SetUpRivals() {
    m_turnir.Start(THolder<CGameFieldBase>(this));
    m_rivalsPanel.Step(0.0f);
    GetCurrentPlayer().floatVars[kResultVariable] = static_cast<float>(m_rivalsPanel.GetPlayerPlace());
}

void CGameField::UpdatePlace() {
    const int place = m_rivalsPanel.GetPlayerPlace();
    if (place == m_place) return;
    GetCurrentPlayer().floatVars[kResultVariable] = static_cast<float>(place);
    m_place = place;
}

void CGameField::SetLevelLayout(TAnimationPtr layout) {
    CGameFieldBase::SetLevelLayout(layout);
    for (const auto& [part, name] : {std::pair{&m_plate, "_plate"}, std::pair{&m_ring, "_ring"}})
        if (!*part) GameLog("game field: the layout has no part \"%s\"", name);
}

void CGameField::ShowLevelIntro() {
    if (IsRefused()) return;
    CPlayerProfile& player = GetCurrentPlayer();
    CLevelProgress& progress = player.levels[m_levelName];
    if (progress.place == 0) {
        m_score = player.floatVars[kBonusScoreVariable];
        player.floatVars[kBonusScoreVariable] = 0.0f;
        if (m_score == 0.0f)
            m_score = progress.bonusValue;
        else
            progress.bonusValue = m_score;
        player.floatVars[kScoreVariable] = m_score;
        if (m_score != 0.0f) m_rivalsPanel.SetScore(kPlayerParticipant, m_score);
    }
    if (m_levelName == "stage7_1") QueueLastStageTutorial();

    const CGameData& data = GetGameData();
    AddAction(
        CShowObjectAction::Create(m_devices.begin(), m_devices.end(), 4.0f * data.fieldParams.showTime));
    AddAction(CAnimationWaitAction::Create(m_plate, "_show", 0, false));
    if (m_level->Duration != 0.0f) AddAction(CAnimationWaitAction::Create(m_clockFlip, "_work", 0, false));
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr countdown = scene ? scene->CreateAnimation("main_menu.level_start") : TAnimationPtr();
    if (countdown) {
        countdown->SetPosition(kScreenCentre);
        countdown->SetLayer(data.overlayLayer);
        countdown->SetVisible(false);
    }
    const char* const parts[] = {"_part_1", "_part_2", "_part_3", "_part_4"};
    for (int i = 0; i < 4; ++i) {
        AddAction(CPlaySoundAction::CreateByName(kCountdownSounds[static_cast<std::size_t>(i)]));
        AddAction(CAnimationWaitAction::Create(countdown, parts[i], 1, i == 3));
    }
    AddAction(CPlaySoundAction::Create(kSoundPlay));
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CGameField::BringNextCustomer)));
    AddAction(CWaitAction::Create(500.0f));
    m_step = &CGameField::UpdateIntroWait;
    GetGameData().bonusParams.patienceFactor = 0.0f;
}

void CGameField::QueueLastStageTutorial() {
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr tutorial = scene ? scene->CreateAnimation("hints.hint_last_stage") : TAnimationPtr();
    if (!tutorial) {
        GameLog("kitchen field: no \"hints.hint_last_stage\"");
        return;
    }
    if (const TAnimationPtr next = GF::HGENS::HostedAnimation(tutorial, "_item_continue"))
        next->Play("_disabled", 0, false);
    tutorial->SetPosition(kScreenCentre);
    // Over the kitchen and the heroine, as the level's other pages over it are.
    tutorial->SetLayer(GetGameData().overlayLayer);
    AddAction(CAnimationWaitAction::Create(tutorial, "_part_1", 1, false));
    AddAction(CWaitButtonAction::Create(tutorial, "_item_ok"));
    AddAction(CAnimationWaitAction::Create(tutorial, "_part_2", 1, false));
    AddAction(CWaitButtonAction::Create(tutorial, "_item_ok"));
    AddAction(CAnimationWaitAction::Create(tutorial, "_part_3", 1, false));
    AddAction(CWaitButtonAction::Create(tutorial, "_item_continue"));
    AddAction(CAnimationWaitAction::Create(tutorial, "_part_4", 1, false));
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CGameField::EndLastStageTutorial)));
    m_tutorial = tutorial;
    m_rivalsWait = true;
}

void CGameField::EndLastStageTutorial() {
    if (m_tutorial) {
        m_tutorial->SetVisible(false);
        if (const THolder<GF::IScene> scene = GetGameScene()) scene->RemoveAnimation(m_tutorial);
        m_tutorial.Reset();
    }
    m_rivalsWait = false;
    ShowManual();
}

// --- Frames ---

void CGameField::Update(const float& dt) {
    CGameFieldBase::Update(dt);
    m_receptPanel.Step(dt);
    (this->*m_step)(dt);
    if (m_pers) m_pers->Update(dt);
}

void CGameField::UpdatePaused(const float& dt) {
    CGameFieldBase::UpdatePaused(dt);
    if (m_receptPanel.IsSliding()) m_receptPanel.Step(dt);
}

void CGameField::SetPaused(bool paused) {
    m_paused = paused;
    if (m_pers) m_pers->SetPaused(paused);
    if (m_plate && !m_plate->IsFinished()) m_plate->SetActive(!paused);
    if (m_mouseRested) {
        m_mouseRested = false;
        ShowBalloon({}, {});
    }
}

void CGameField::UpdateIntroWait(const float&) {
    if (GetLastAction()) return;
    GetGameData().bonusParams.patienceFactor = 1.0f;
    RaiseHint(10);
    if (m_level && !m_level->Bonuses.empty()) RaiseHint(11);
    m_step = &CGameField::UpdatePlay;
}

void CGameField::UpdatePlay(const float& dt) {
    UpdateClicks(dt);
    UpdateLevelClock(dt);
    UpdateTakenObjects(dt);
    UpdateLightCharge(dt);
    UpdateHoverGlow(dt);
}

void CGameField::UpdateEndWait(const float&) {
    if (GetLastAction()) return;
    SetPaused(true);
    m_finished = true;
}

void CGameField::UpdateLevelClock(const float& dt) {
    const CGameData& data = GetGameData();
    if (!GetLastAction())
        m_idleTime += dt;
    else
        m_idleTime = 0.0f;
    if (m_idleTime >= data.fieldParams.idleHintDelay && !m_receptPanel.GetCustomers().empty()) {
        ShowIdleHint();
        m_idleTime = 0.0f;
    }

    const float clockFactor = data.bonusParams.clockFactor;
    if (m_frozenTime > 0.0f)
        m_frozenTime -= dt;
    else
        m_elapsed += dt * clockFactor;
    const float duration = m_level->Duration;
    float p = duration != 0.0f ? m_elapsed / duration : m_elapsed;
    if (p >= 1.0f) p = 1.0f;

    if (m_clockSegment && m_clockSegment->IsFinished() && p > 0.75f && p < 1.0f) {
        m_clockBlink = true;
        m_clockSegment->Play("_blink", 0, false);
    }
    if (m_clockBlink) {
        m_tickCountdown -= dt;
        if (m_tickCountdown <= 0.0f && p != 1.0f && p > 0.95f && clockFactor == 1.0f) {
            PlayGameSound(kSoundTick);
            m_tickCountdown = 1000.0f;
        }
    }
    if (m_secondHand) m_secondHand->SetRotation(p * 2.0f * kPi);

    if (p == 1.0f) {
        if (!m_closed) StartClosingTime();
        if (m_receptPanel.GetCustomers().empty() && !m_receptPanel.IsSliding() && GetFlyObjectCount() == 0) {
            GetCurrentPlayer().floatVars[kResultVariable] =
                static_cast<float>(m_rivalsPanel.GetPlayerPlace());
            FinishLevel();
        }
        return;
    }
    m_arrivalTimer += dt;
    if (m_receptPanel.GetCustomers().empty() ||
        m_arrivalTimer > static_cast<float>(data.zacazParams.arrivalInterval))
        BringNextCustomer();
}

// --- Customers ---

void CGameField::BringNextCustomer() {
    m_arrivalTimer = 0.0f;
    for (std::size_t pass = 0; pass < m_orders.size(); ++pass) {
        if (static_cast<std::size_t>(m_nextQueueIndex) >= m_orders.size()) m_nextQueueIndex = 0;
        if (static_cast<int32_t>(m_receptPanel.GetCustomers().size()) >= m_customersAtOnce) return;
        const COrderInfo entry = m_orders[static_cast<std::size_t>(m_nextQueueIndex)];
        ++m_nextQueueIndex;
        if (entry.Kind != kPlayerDuel && entry.Kind != kRivalDuel) {
            m_receptPanel.OnClientCome(entry);
            return;
        }
        OnSpecialCustomer(entry.Kind);
        m_customersAtOnce = 2;
    }
}

int CGameField::FindQueueEntry(int kind) {
    if (m_queueUsed.size() != m_orders.size()) m_queueUsed.resize(m_orders.size(), false);
    for (std::size_t i = 0; i < m_orders.size(); ++i)
        if (m_orders[i].Kind == kind && !m_queueUsed[i]) return static_cast<int>(i);
    return -1;
}

bool CGameField::OnSpecialCustomer(int kind) {
    const int index = FindQueueEntry(kind);
    if (index < 0) return false;
    m_queueUsed[static_cast<std::size_t>(index)] = true;
    const THolder<CZacaz> customer = m_receptPanel.OnClientCome(m_orders[static_cast<std::size_t>(index)]);
    // The rival cooks its own orders; the player's wait for clicks.
    if (customer && kind == kRivalDuel) StartAction(CReceptAIAction::Create(*this, customer));
    return true;
}

void CGameField::StartClosingTime() {
    PlayGameSound(kSoundClosing);
    m_turnir.stopped = true;
    m_receptPanel.SetPatienceRunning(true);
    m_closed = true;
    if (m_clockFlip) m_clockFlip->Play("_closed", 0, false);
    if (m_dayClock.layout) m_dayClock.layout->Play("_night", 0, false);
    if (m_dayClock.sun) m_dayClock.sun->SetVisible(false);
    if (m_clockSegment) m_clockSegment->Play("_idle", 0, false);
    RaiseHint(12);
}

void CGameField::FinishLevel() {
    StopMusic();
    m_turnir.stopped = true;
    ShowBalloon({}, {});
    CPlayerProfile& player = GetCurrentPlayer();
    CLevelProgress& progress = player.levels[m_levelName];
    const float points = m_rivalsPanel.GetScore(kPlayerParticipant);
    if (progress.scores[kPlayerParticipant] < points) {
        progress.scores.clear();
        if (m_level)
            for (const CLevelValuePair& pair : m_level->ProgressValues)
                progress.scores[pair.Slot] =
                    static_cast<float>(TruncateToInt(m_rivalsPanel.GetScore(pair.Slot)));
        progress.scores[kPlayerParticipant] = static_cast<float>(TruncateToInt(points));
    }
    // The clock goes in before the result is stored, which saves it.
    progress.value = m_elapsed;
    StoreLevelResult();
    m_step = &CGameField::UpdateEndWait;

    const int result = TruncateToInt(player.floatVars[kResultVariable]);
    if (result <= 0) return;
    int picture = 0;
    if (result > 200)
        picture = result == static_cast<int>(kDuelWon) ? 1 : 4;
    else
        picture = player.floatVars[kQualifiedVariable] < 0.0f ? 4 : std::clamp(result, 1, 4);
    const THolder<GF::IScene> scene = GetGameScene();
    const std::string name = "interfaces.level_complete_" + std::to_string(picture);
    const TAnimationPtr shown = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!shown) GameLog("kitchen field: no \"%s\"", name.c_str());
    if (shown) {
        shown->SetPosition(kScreenCentre);
        shown->SetLayer(GetGameData().overlayLayer);
    }
    if (picture == 4) PlaySoundByName(kSoundUselessClick);
    AddAction(CAnimationWaitAction::Create(shown, "all", 1, true));
}

void CGameField::ClearLevel() {
    GetHintManager().SetStrategy({});
    CGameFieldBase::ClearLevel();
    m_receptPanel.Shutdown();
    m_balloon.Reset();
}

void CGameField::ResetLevel() {
    CGameFieldBase::ResetLevel();
    m_idleTime = m_frozenTime = 0.0f;
    m_servedInTime = m_lightHintsUsed = 0;
    m_place = 0;
    m_moodPoints = m_customersServed = 0;
    m_closed = false;
    m_receptPanel.Clear();
    m_arrivalTimer = 0.0f;
    m_nextQueueIndex = m_happyCustomers = 0;
    m_clockBlink = false;
    m_lightCharge = 0.0f;
    m_paused = false;
    m_queueUsed.clear();
    m_pers.Reset();
    // What the old level's devices were doing goes with them.
    m_takenObjects.clear();
    m_hovered.Reset();
    m_fading.Reset();
    m_devices.clear();
    GetCurrentPlayer().floatVars[kResultVariable] = 0.0f;
}

void CGameField::OnKeyDown(int key) {
    CPlayerProfile& player = GetCurrentPlayer();
    CBonusParams& params = GetGameData().bonusParams;
    switch (key) {
        case kKeyWin:
            if (m_receptPanel.GetCustomers().empty()) return;
            player.floatVars[kResultVariable] = m_customersAtOnce == 2 ? kDuelWon : 1.0f;
            FinishLevel();
            GetLevelProgress(m_levelName);
            return;
        case kKeyDress:
            player.floatVars[kDressVariable] += 1.0f;
            MakePers();
            return;
        case kKeyBonus: {
            const CLevelBonusEntry* entry = PickLevelBonus();
            if (!entry) return;
            const auto& bonuses = GetLevelsData().Bonuses;
            const auto it = bonuses.find(entry->BonusId);
            if (it == bonuses.end()) return;
            const THolder<GF::IScene> scene = GetGameScene();
            const TAnimationPtr visual =
                scene ? scene->CreateAnimation(it->second.AnimationName) : TAnimationPtr();
            if (visual) visual->Play("_show", 0, false);
            AddBonus(it->second, visual, m_receptPanel.GetCurrentCustomer());
            return;
        }
        case kKeyFast:
            params.clockFactor *= 4.0f;
            params.patienceFactor *= 4.0f;
            return;
        default:
            return;
    }
}

// --- Clicks ---

TPoint<float> CGameField::ScreenToFloorCell(const TPoint<float>& p) {
    return ::ScreenToFloorCell(FloorQuad(), p);
}

float CGameField::DepthScaleAt(const TPoint<float>& p) {
    return ::DepthScaleAt(FloorQuad(), p);
}

bool CGameField::PointInRect(const TPoint<float>& p, const GF::TRect& r) {
    return static_cast<float>(r.left) <= p.x && p.x <= static_cast<float>(r.right) &&
           static_cast<float>(r.top) <= p.y && p.y <= static_cast<float>(r.bottom);
}

THolder<CCookObject> CGameField::FindDeviceAt(const TPoint<float>& p) {
    const TPoint<int> at{TruncateToInt(p.x), TruncateToInt(p.y)};
    for (const THolder<CCookObject>& device : m_devices)
        if (device->HitTest(at, false)) return device;
    return {};
}

void CGameField::UpdateClicks(const float& dt) {
    const THolder<GF::CMouse> mouse = GF::GetMouse();
    const TPoint<float> at{mouse->GetFloatX(), mouse->GetFloatY()};
    const THolder<CZacaz> current = m_receptPanel.GetCurrentCustomer();
    if (current && current->IsReadyToServe() && m_plate && m_plate->IsFinished()) UpdateFog(dt);

    const THolder<GF::CKeyset> keys = GF::GetKeyset();
    if (!keys->IsDown(GF::CKeyset::kKeyMouseLeft)) return;
    keys->SetDown(GF::CKeyset::kKeyMouseLeft, false);

    // Any press takes a shown hint down, one on a button too; the button's press is its own.
    CHintManager& hints = GetHintManager();
    if (hints.Showing) {
        if (hints.Strategy) hints.Strategy->HideHint();
        hints.Showing = false;
    }
    if (IsOnControl(at)) return;

    const THolder<CZacaz> hit = m_receptPanel.FindCustomerAt(at);
    if (hit && hit == current) {
        if (current->IsReadyToServe()) ServeCustomer(current);
    } else if (hit && !m_receptPanel.IsSliding()) {
        if (m_plate && m_plate->IsFinished()) m_plate->Play("_swich", 0, false);
        Sounds()->PlaySound(kSoundOrderRoll, 0.0f, 0.0f);
        m_receptPanel.SelectCustomer(hit);
        m_idleTime = 0.0f;
        return;
    }
    // The Serve button stands over the plate: a press on it is one on the plate.
    const bool onServe = m_plate && m_deliveryButton && m_deliveryButton->IsVisible() &&
                         m_deliveryButton->HitTest({TruncateToInt(at.x), TruncateToInt(at.y)});
    if ((m_plate && PointInRect(at, m_plate->GetBoundingBox())) ||
        (m_ring && PointInRect(at, m_ring->GetBoundingBox())) || onServe) {
        const THolder<CZacaz> serving = m_receptPanel.GetCurrentCustomer();
        if (!serving) return;
        if (serving->IsReadyToServe())
            ServeCustomer(serving);
        else
            OnWrongClick(true, false);
        return;
    }
    if (const THolder<CCookObject> device = FindDeviceAt(at)) {
        OnDeviceClick(device);
        return;
    }
    const TPoint<float> cell = ScreenToFloorCell(at);
    if (cell.x > 0.0f && cell.x < 16.0f && cell.y > 0.0f && cell.y < 16.0f)
        AddAction(CPersMoveAction::Create(m_pers, cell.x, cell.y));
}

void CGameField::OnDeviceClick(const THolder<CCookObject>& device) {
    const CIngridientInfo& info = device->GetInfo();
    if (!device->IsFree() || !device->IsReady()) {
        if (info.Kind != 0) OnWrongClick(true, true);
        return;
    }
    const THolder<CZacaz> customer = m_receptPanel.GetCurrentCustomer();
    if (!customer) return;
    int item = customer->FindItemToPut(info.Name);
    if (item < 0 && info.Kind != 0) {
        item = customer->FindCurrentItem(info.Name);
        if (item == -1) {
            OnWrongClick(customer->CanUseIngredient(info), false);
            return;
        }
    }
    if (item < 0) {
        OnWrongClick(false, false);
        return;
    }
    customer->SetItemDone(item);
    device->SetFree(false);
    if (m_pers && m_pers->GetAnimationIndex() != CPers::kWork && device->GetAnimation()) {
        const TPoint<float> position = device->GetAnimation()->GetPosition();
        float height = 0.0f;
        if (const TAnimationPtr& figure = m_pers->GetAnimation()) {
            const GF::TRect box = figure->GetBoundingBox();
            height = static_cast<float>(box.bottom - box.top);
        }
        const TPoint<float> cell = DeviceWalkCell(FloorQuad(), position, height, info.Name);
        AddAction(CPersMoveAction::Create(m_pers, cell.x, cell.y));
    }
    AddAction(CGetObjectAction::Create(device, customer, item));
    PlayGameSound(kSoundDeviceUsed);
    RaiseHint(5);
}

void CGameField::OnWrongClick(bool a, bool b) {
    if (GetLastAction()) return;
    RaiseHint(a && b ? 3 : (a ? 2 : 4));
    PlayGameSound(kSoundWrongClick);
    AddAction(CWaitPersAction::Create(m_pers, 1000.0f, kCancelAnimation));
}

void CGameField::ServeCustomer(const THolder<CZacaz>& customer) {
    if (!customer) return;
    CGameFieldBase::ServeCustomer(customer);
    m_fogTime = GetGameData().fieldParams.fogInterval;
    CPlayerProfile& player = GetCurrentPlayer();
    const float mood = customer->GetMood();
    if (mood >= 0.5f) ++m_happyCustomers;
    m_moodPoints += TruncateToInt(mood * 7.0f);
    player.floatVars[kServedVariable] += 1.0f;
    ++m_customersServed;
    customer->SetItemWorking(true, CZacaz::kNoItem);
    if (m_level) {
        AddAction(CPersMoveAction::Create(m_pers, static_cast<float>(m_level->ScorePoint.X),
                                          static_cast<float>(m_level->ScorePoint.Y)));
        if (m_elapsed < m_level->Duration) ++m_servedInTime;
    }
    AddAction(CShowZacazAction::Create(customer));
    // A duel ends once: a result already set (the other side finished first) stands.
    const int32_t kind = customer->GetKind();
    if (player.floatVars[kResultVariable] != 0.0f) return;
    if (kind == kPlayerDuel && FindQueueEntry(kPlayerDuel) < 0) {
        player.floatVars[kResultVariable] = kDuelWon;
        AddAction(CWaitAction::Create(3000.0f));
        FinishLevel();
        CLevelProgress& progress = GetCurrentPlayer().levels[m_levelName];
        progress.scores.clear();
        progress.scores[kPlayerParticipant] = kDuelWonPoints;
        player.floatVars[kScoreVariable] = kDuelWonPoints;
    } else if (kind == kRivalDuel && FindQueueEntry(kRivalDuel) < 0) {
        player.floatVars[kResultVariable] = kDuelLost;
        AddAction(CWaitAction::Create(3000.0f));
        FinishLevel();
    }
}

void CGameField::OnDeliveryButton() {
    const THolder<CZacaz> customer = m_receptPanel.GetCurrentCustomer();
    if (customer && customer->IsReadyToServe()) ServeCustomer(customer);
}

// --- The player's help ---

void CGameField::LightObject(const THolder<CCookObject>& device) {
    m_lightCharge = 0.0f;
    if (m_deliveryProgress) m_deliveryProgress->ShowTime(0.0f);
    PlayGameSound(kSoundLightHint);
    StartAction(CLightObjectAction::Create(device, 0.2f, 3000.0f, true, false));
}

void CGameField::OnLightHint() {
    if (m_lightCharge < GetGameData().bonusParams.lightHintCharge) return;
    RaiseHint(7);
    ++m_lightHintsUsed;
    const THolder<CZacaz> customer = m_receptPanel.GetCurrentCustomer();
    if (customer && customer->IsReadyToServe()) {
        m_lightCharge = 0.0f;
        if (m_deliveryProgress) m_deliveryProgress->ShowTime(0.0f);
        PlayGameSound(kSoundLightHint);
        StartAction(CLightObjectAction::CreateForAnimation(m_plate, 0.2f, 3000.0f, true, false));
        return;
    }
    if (const THolder<CCookObject> device = GetNextObject(1)) LightObject(device);
}

void CGameField::UpdateLightCharge(const float& dt) {
    const CGameData& data = GetGameData();
    m_lightCharge += dt;
    float r =
        data.bonusParams.lightHintCharge > 0.0f ? m_lightCharge / data.bonusParams.lightHintCharge : 1.0f;
    if (r >= 1.0f) {
        if (m_hintButton && !m_hintButton->IsEnabled()) {
            RaiseHint(8);
            StartHintParticles();
        }
        if (m_hintButton) m_hintButton->SetEnabled(true);
        r = 1.0f;
    } else if (m_hintButton) {
        m_hintButton->SetEnabled(false);
    }
    if (m_deliveryProgress) m_deliveryProgress->ShowTime(r * m_progressLength);

    if (m_idleTime > data.persParams.homeWalkDelay && m_level && m_pers) {
        const TPoint<int> home{std::min(m_level->ScorePoint.X, 15), std::min(m_level->ScorePoint.Y, 15)};
        if (m_pers->GetCell() != home) {
            m_idleTime = 0.0f;
            AddAction(
                CPersMoveAction::Create(m_pers, static_cast<float>(home.x), static_cast<float>(home.y)));
        }
    }
    if (m_idleTime > data.bonusParams.idleHighlightDelay) {
        m_idleTime = 0.0f;
        const THolder<CCookObject> device = GetNextObject(0);
        if (device)
            StartAction(
                CLightObjectAction::CreateForAnimation(device->GetAnimation(), 0.2f, 1000.0f, false, false));
    }
}

void CGameField::StartHintParticles() {
    if (!m_deliveryProgress) return;
    const TPoint<float> at = m_deliveryProgress->GetPosition() + TPoint<float>{-5.0f, 3.0f};
    const int layer = m_deliveryProgress->GetLayer() + 10;
    ShowParticles("Particle\\hint_icon.fgp", "particles_2", 1.2f, at, layer);
    ShowParticles("Particle\\hint_icon_2.fgp", "particles_2", 1.2f, at, layer);
}

void CGameField::UpdateFog(const float& dt) {
    RaiseHint(9);
    m_fogTime += dt;
    if (m_fogTime < GetGameData().fieldParams.fogInterval) return;
    m_fogTime = 0.0f;
    HGE* hge = hgeCreate(HGE_VERSION);
    const int n = hge->Random_Int(1, 4);
    hge->Release();
    if (n < 3 || !m_plate) return;
    const TPoint<float> at = m_plate->GetPosition() + TPoint<float>{n == 3 ? 50.0f : -50.0f, 0.0f};
    ShowParticles("Particle\\fog_plate.fgp", "particles_3", 0.5f, at, m_plate->GetLayer() + 2, n == 4);
}

void CGameField::ShowIdleHint() {
    if (m_mouseRested) {
        m_mouseRested = false;
        ShowBalloon({}, {});
    }
    const THolder<CZacaz> current = m_receptPanel.GetCurrentCustomer();
    if (!current) return;
    if (m_receptPanel.GetCustomers().size() > 1 || (!current->IsReadyToServe() && !current->IsBusy()))
        GetHintManager().PickHint(false);
}

void CGameField::OnMouseRest(const TPoint<float>& pos) {
    if (!IsPlaying()) return;
    const THolder<CCookObject> device = FindDeviceAt(pos);
    if (device && device->IsReady() && !(m_pers && m_pers->HitTest(pos)) && !GetHintManager().Showing) {
        ShowBalloon(device->GetInfo().Title, pos);
        return;
    }
    m_mouseRested = false;
}

void CGameField::OnMouseMoveAfterRest(const TPoint<float>&) {
    ShowBalloon({}, {});
}

void CGameField::UpdateHoverGlow(const float& dt) {
    const THolder<GF::CMouse> mouse = GF::GetMouse();
    THolder<CCookObject> device = FindDeviceAt({mouse->GetFloatX(), mouse->GetFloatY()});
    if (device && !device->IsReady()) device.Reset();
    const float glowTime = GetGameData().fieldParams.glowTime;
    if (device != m_hovered) {
        if (m_fading) ColourOpaqueSprites(m_fading->GetAnimation(), 0xFF000000);
        m_fading = m_hovered;
        m_fadingGlowTime = m_hoverGlowTime;
        m_hovered = device;
        m_hoverGlowTime = 0.0f;
    }
    if (m_hovered) {
        m_hoverGlowTime += dt;
        const float k = glowTime > 0.0f ? m_hoverGlowTime / glowTime : 1.0f;
        if (k <= 1.0f)
            ColourOpaqueSprites(m_hovered->GetAnimation(), GlowColour(k));
        else
            m_hoverGlowTime = glowTime;
    }
    if (m_fading) {
        m_fadingGlowTime -= dt;
        const float k = glowTime > 0.0f ? std::max(m_fadingGlowTime / glowTime, 0.0f) : 0.0f;
        ColourOpaqueSprites(m_fading->GetAnimation(), GlowColour(k));
    }
}

// --- Devices ---

THolder<CCookObject> CGameField::FindObject(const std::string& name, bool onlyReady) {
    const CIngridientInfo* wanted = GetLibData().FindIngridient(name);
    if (!wanted) return {};
    THolder<CCookObject> found;
    for (const THolder<CCookObject>& device : m_devices) {
        const bool usable = device->IsFree() && device->IsReady();
        if (onlyReady && !usable) continue;
        if (device->GetInfo().Title != wanted->Title) continue;
        found = device;
        if (usable) break;
    }
    return found;
}

THolder<CCookObject> CGameField::GetNextObject(int mode) {
    const THolder<CZacaz> customer = m_receptPanel.GetCurrentCustomer();
    if (!customer) return {};
    const int item = customer->FindNeededItem(mode != 0, false);
    const CReceptItemInfo* record = item < 0 ? nullptr : customer->GetItemRecord(item);
    const CIngridientInfo* wanted = record ? GetLibData().FindIngridient(record->Name) : nullptr;
    if (!wanted) return {};
    for (const THolder<CCookObject>& device : m_devices)
        if (device->IsFree() && device->IsReady() && device->GetInfo().Title == wanted->Title) return device;
    return {};
}

void CGameField::OnTakeObject(THolder<CCookObject> object) {
    if (!object) return;
    object->SetShown(false);
    m_takenObjects.push_back({0.0f, object});
}

void CGameField::UpdateTakenObjects(const float& dt) {
    const float returnTime = GetGameData().bonusParams.objectReturnTime;
    std::vector<THolder<CCookObject>> back;
    for (auto it = m_takenObjects.begin(); it != m_takenObjects.end();) {
        it->elapsed += dt;
        if (it->elapsed >= returnTime) {
            back.push_back(it->device);
            it = m_takenObjects.erase(it);
        } else {
            ++it;
        }
    }
    if (!back.empty())
        StartAction(CShowObjectAction::Create(back.begin(), back.end(), GetGameData().fieldParams.showTime));
}

// Without a customer (the debug key with nobody to serve) the bonus is given as any other.
void CGameField::AddBonus(const CBonusInfo& bonus, TAnimationPtr visual, const THolder<CZacaz>& customer) {
    const int32_t kind = customer ? customer->GetKind() : 0;
    if (kind == kPlayerDuel || kind == kRivalDuel) {
        for (const THolder<CZacaz>& other : m_receptPanel.GetCustomers())
            if (other != customer) other->DropBonus();
        if (kind == kRivalDuel) return;
    }
    CGameFieldBase::AddBonus(bonus, visual, customer);
}

std::list<THolder<CCookObject>> CGameField::GetObjectList() {
    return m_devices;
}

CReceptPanel* CGameField::GetReceptPanel() {
    return &m_receptPanel;
}

THolder<CPers> CGameField::GetPers() {
    return m_pers;
}
