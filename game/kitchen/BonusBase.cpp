#include "game/kitchen/BonusBase.h"

#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScene.h"

using GF::TAnimationPtr;
using GF::THolder;

namespace {

constexpr float kFlightMs = 1000.0f;
constexpr float kFullTurn = 6.2831855f;
constexpr GF::TPoint<float> kPeakScale{3.0f, 3.0f};
constexpr float kPeakMs = 500.0f;
constexpr GF::TPoint<float> kNamePosition{400.0f, 200.0f};
// The pick-up burst: a second's sparks, five times as dense as the trail of a taken item.
constexpr float kBurstSeconds = 1.0f;
constexpr float kBurstDensity = 5.0f;

}  // namespace

CBonusBase::CBonusBase(const THolder<CGameFieldBase>& field, const CBonusInfo& info,
                       const TAnimationPtr& visual)
    : m_visual(visual), m_field(field), m_info(info) {}

CBonusBase::~CBonusBase() {
    DropFlight();
}

void CBonusBase::DropFlight() {
    if (m_flight && m_landing) m_flight->GetLandingEvent().Remove(m_landing);
    m_landing.Reset();
    m_flight.Reset();
}

void CBonusBase::Start() {
    m_remaining = m_info.Duration;
    if (m_visual)
        FlyToTarget(0.0f, 0.0f);
    else
        Apply({});
}

void CBonusBase::Finish() {
    DropFlight();
    m_field.Reset();
}

void CBonusBase::Update(const float& dt) {
    m_remaining -= dt;
    if (m_remaining > 0.0f) return;
    if (m_visual) {
        if (!m_visual->IsFinished()) return;
        if (!m_hidePlayed) {
            m_visual->Play("_hide", 0, false);
            m_hidePlayed = true;
            return;
        }
    }
    m_done = true;
    if (!m_visual) return;
    if (m_field) m_field->RemoveBonusVisual(m_visual);
    m_visual->Reset();
}

void CBonusBase::Apply(THolder<CFlyObject>) {
    PlaySoundByName(m_info.Name);
}

void CBonusBase::FlyToTarget(float, float) {
    DropFlight();
    if (!m_visual) return;
    m_flight = CFlyObject::Create();
    m_flight->AddAnimation(m_visual);
    m_flight->SetDuration(kFlightMs);
    CreateLineFloatStrategy(*m_flight, 0.0f, kFullTurn, EFloatTrack::Rotation);
    CreateScaleCoinStrategy(*m_flight, kPeakScale, kPeakMs);
    m_landing = GF::CreateDelegate(this, &CBonusBase::Apply);
    m_flight->GetLandingEvent().Add(m_landing);
    if (m_field) m_field->AddFlyObject(m_flight);

    const THolder<GF::HGENS::CFGParticle> burst =
        GF::HGENS::CFGParticle::Create("Particle\\get_object.fgp", "particles_2", kBurstSeconds, true);
    burst->header.emissionRate *= kBurstDensity;
    const GF::TPoint<float> at = m_visual->GetPosition();
    burst->MoveTo(at.x, at.y);
    burst->SetScene(m_visual->GetScene());
    burst->layer = m_visual->GetLayer() - 1;
}

void CBonusBase::ShowName(const std::string& name) {
    const THolder<GF::IScene> scene = Scene();
    const TAnimationPtr shown = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!shown) {
        GameLog("bonus: no name object \"%s\"", name.c_str());
        return;
    }
    shown->SetPosition(kNamePosition);
    shown->Play("all", 1, true);
    shown->SetLayer(GetGameData().overlayLayer);
}

THolder<GF::IScene> CBonusBase::Scene() {
    THolder<GF::IScene> scene = GetGameScene();
    if (!scene) GameLog("bonus: no game scene");
    return scene;
}

THolder<GF::HGENS::CFGParticle> CBonusBase::MakeGlow(const std::string& file, int layer) {
    const THolder<GF::IScene> scene = Scene();
    if (!scene) return {};
    THolder<GF::HGENS::CFGParticle> glow = GF::HGENS::CFGParticle::Create(file, "particles_2", -1.0f, false);
    glow->layer = layer;
    glow->SetScene(scene);
    return glow;
}

void CBonusBase::StopGlow(THolder<GF::HGENS::CFGParticle>& particles) {
    if (!particles) return;
    particles->Detach();
    particles->SetScene({});
    particles.Reset();
}
