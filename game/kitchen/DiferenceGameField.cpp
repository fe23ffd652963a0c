#include "game/kitchen/DiferenceGameField.h"

#include <cmath>

#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/LightObjectAction.h"
#include "game/kitchen/ShowObjectAction.h"

namespace {

constexpr float kTwinTolerance = 20.0f;
constexpr float kScreenWidth = 800.0f;
constexpr int32_t kResultVariable = 5;
constexpr int32_t kCursorOptionVariable = 10;
constexpr float kAllFound = 101.0f;
constexpr float kTimeOver = 102.0f;
constexpr int kTimeOverSound = 8;
constexpr int kFoundSound = 31;
constexpr float kClosingWaitMs = 1000.0f;
constexpr float kPulseAmplitude = 0.5f;
constexpr float kPulseMs = 1000.0f;
constexpr GF::TPoint<float> kParticlesAt{400.0f, 375.0f};

}  // namespace

GF::THolder<CDiferenceGameField> CDiferenceGameField::Create() {
    return GF::THolder<CDiferenceGameField>(new CDiferenceGameField);
}

CDiferenceGameField::CDiferenceGameField() {
    m_manualRequested = false;
}

CDiferenceGameField::~CDiferenceGameField() {
    m_levelLayout.Reset();
    m_mirrorCursor.Reset();
    m_objects.clear();
}

bool CDiferenceGameField::StartLevel(const std::string& levelName) {
    if (!CGameFieldBase::StartLevel(levelName)) return false;
    const GF::THolder<GF::IScene> scene = GetGameScene();
    for (const CPlacedObjectInfo& placement : m_level->Objects)
        m_objects.push_back(CCookObject::CreateHidden(placement, scene));
    StartAction(CShowObjectAction::Create(m_objects.begin(), m_objects.end(),
                                          4.0f * GetGameData().fieldParams.showTime));
    QueueBonusText("bonus_text");
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CDiferenceGameField::StartOpeningParticles)));
    QueueLevelStart();
    m_total = 0;
    for (const GF::THolder<CCookObject>& object : m_objects) m_total += IsDifference(object) ? 1 : 0;
    return true;
}

void CDiferenceGameField::SetLevelLayout(GF::TAnimationPtr layout) {
    CGameFieldBase::SetLevelLayout(layout);
    m_levelLayout = layout;
    if (m_levelLayout) m_levelLayout->SetTextNumber("_number", m_total - m_found);
}

void CDiferenceGameField::SetPaused(bool paused) {
    if (paused && m_mirrorCursor)
        m_mirrorCursor->Reset();
    else
        CreateMirrorCursor();
}

void CDiferenceGameField::Update(const float& dt) {
    CGameFieldBase::Update(dt);
    (this->*m_step)(dt);
    if (!m_mirrorCursor) return;
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    const GF::TPoint<float> at{mouse->GetFloatX(), mouse->GetFloatY()};
    const bool inside = at.x >= 0.0f && at.x <= kScreenWidth;
    if (inside) m_mirrorCursor->SetPosition(Mirrored(at));
    m_mirrorCursor->SetVisible(inside);
}

void CDiferenceGameField::Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) {
    CGameFieldBase::Init(layout, screen);
    HideHintParts();
    CreateMirrorCursor();
}

void CDiferenceGameField::OnKeyDown(int key) {
    if (key != GF::CKeyset::kKeyMouseLeft || !IsPlaying()) return;
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    const GF::TPoint<float> at{mouse->GetFloatX(), mouse->GetFloatY()};
    // A press on a button over the pictures is the button's alone.
    if (IsOnControl(at)) return;
    GF::THolder<CCookObject> object = FindObjectAt(at);
    if (!object) object = FindObjectAt(Mirrored(at));
    if (object && IsDifference(object)) RevealDifference(object);
}

void CDiferenceGameField::FinishLevel() {
    CloseBonusLevel(m_found);
    AddAction(CAnimationWaitAction::Create(m_clockFlip, "_closed", 0, false));
    AddAction(CWaitAction::Create(kClosingWaitMs));
    m_step = &CDiferenceGameField::UpdateEndWait;
    ShowNight();
}

void CDiferenceGameField::ResetLevel() {
    CGameFieldBase::ResetLevel();
    m_found = 0;
}

void CDiferenceGameField::UpdateIntroWait(const float&) {
    if (!GetLastAction()) m_step = &CDiferenceGameField::UpdatePlay;
}

void CDiferenceGameField::UpdatePlay(const float& dt) {
    UpdateLevelClock(dt);
}

void CDiferenceGameField::UpdateLevelClock(const float& dt) {
    if (AdvanceBonusClock(dt) < 1.0f) return;
    PlayGameSound(kTimeOverSound);
    GetCurrentPlayer().floatVars[kResultVariable] = kTimeOver;
    FinishLevel();
}

GF::THolder<CCookObject> CDiferenceGameField::FindObjectAt(const GF::TPoint<float>& point) {
    const GF::TPoint<int> pixel{static_cast<int>(point.x), static_cast<int>(point.y)};
    for (const GF::THolder<CCookObject>& object : m_objects)
        if (object->IsReady() && object->IsFree() && object->HitTest(pixel, true)) return object;
    return {};
}

bool CDiferenceGameField::IsDifference(const GF::THolder<CCookObject>& object) {
    if (!object->GetAnimation()) return false;
    const GF::TPoint<float> m = Mirrored(object->GetAnimation()->GetPosition());
    for (const GF::THolder<CCookObject>& other : m_objects) {
        if (other == object || other->GetInfo().Name != object->GetInfo().Name || !other->GetAnimation())
            continue;
        const GF::TPoint<float> at = other->GetAnimation()->GetPosition();
        if (std::fabs(at.x - m.x) < kTwinTolerance && std::fabs(at.y - m.y) < kTwinTolerance) return false;
    }
    return true;
}

void CDiferenceGameField::RevealDifference(const GF::THolder<CCookObject>& object) {
    PlayGameSound(kFoundSound);
    const GF::TPoint<float> m = Mirrored(object->GetAnimation()->GetPosition());
    const GF::THolder<CCookObject> twin = CCookObject::Create(object->GetPlacement(), GetGameScene());
    m_objects.push_back(twin);
    if (twin->GetAnimation()) twin->GetAnimation()->SetPosition(m);
    StartAction(
        CLightObjectAction::CreateForAnimation(twin->GetAnimation(), kPulseAmplitude, kPulseMs, true, true));
    StartAction(CLightObjectAction::CreateForAnimation(object->GetAnimation(), kPulseAmplitude, kPulseMs,
                                                       true, true));
    ++m_found;
    if (m_levelLayout) m_levelLayout->SetTextNumber("_number", m_total - m_found);
    if (m_found < m_total) return;
    GetCurrentPlayer().floatVars[kResultVariable] = kAllFound;
    FinishLevel();
}

void CDiferenceGameField::CreateMirrorCursor() {
    if (m_mirrorCursor) {
        m_mirrorCursor->Reset();
        m_mirrorCursor.Reset();
    }
    const bool drawnCursor = GetCurrentPlayer().floatVars[kCursorOptionVariable] != 0.0f;
    const GF::THolder<GF::IScene> scene = GetGameScene();
    m_mirrorCursor = scene ? scene->CreateAnimation(drawnCursor ? "cursor.custom" : "cursor.custom_2")
                           : GF::TAnimationPtr();
    if (m_mirrorCursor) m_mirrorCursor->SetLayer(GetGameData().overlayLayer);
}

void CDiferenceGameField::StartOpeningParticles() {
    StartBonusParticles(kParticlesAt);
}

GF::TPoint<float> CDiferenceGameField::Mirrored(const GF::TPoint<float>& point) const {
    const float half = static_cast<float>(m_halfWidth);
    return {point.x < half ? point.x + half : point.x - half, point.y};
}
