#include "game/kitchen/Bonuses.h"

#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"

using GF::TAnimationPtr;
using GF::THolder;
using GF::HGENS::HostedAnimation;

namespace {

constexpr float kCookDivisor = 3.0f;
constexpr float kDoubleQuality = 2.0f;
constexpr float kQuickStep = 0.5f;
constexpr int kChainLayer = 100;
constexpr int kChosenPictureLayer = 100;
// The highlight of the next object: no swell, lit for at most this long, looked at again after.
constexpr float kLightMs = 80000.0f;
constexpr float kLookAgainMs = 1000.0f;
// A step this long ends any highlight at once.
constexpr float kEndStep = 100000.0f;

// The place of that name in the animation, or, logged, nothing.
GF::TSubstitutedContainerPtr FindPlace(const TAnimationPtr& animation, const char* name) {
    GF::TSubstitutedContainerPtr place(animation ? animation->FindDrawable(name).Get() : nullptr);
    if (!place) GameLog("bonus: no place \"%s\" on the dial", name);
    return place;
}

// A part of the dial (or nothing, logged).
TAnimationPtr DialPart(const TAnimationPtr& animation, const char* name) {
    TAnimationPtr part = animation ? HostedAnimation(animation, name) : TAnimationPtr();
    if (!part) GameLog("bonus: the dial has no part \"%s\"", name);
    return part;
}

// The ice made and shown in the place; nothing when the place or the object is missing.
TAnimationPtr PutIce(const GF::TSubstitutedContainerPtr& place, const char* name) {
    if (!place) return {};
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr ice = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!ice) {
        GameLog("bonus: no object \"%s\"", name);
        return {};
    }
    ice->SetContainer(place, true);
    ice->Play("_show", 0, false);
    return ice;
}

void HideOnce(const TAnimationPtr& animation) {
    if (animation) animation->Play("_hide", 1, true);
}

}  // namespace

// --- Time freeze ---

void CTimeFreazeBonus::Start() {
    CBonusBase::Start();
    if (m_field) m_field->AddFrozenTime(m_remaining);
    const TAnimationPtr flip = m_field ? DialPart(m_field->GetLayoutAnimation(), "_flip") : TAnimationPtr();
    const TAnimationPtr clock = flip ? DialPart(flip, "_clock") : TAnimationPtr();
    if (clock) {
        m_clockIce = PutIce(FindPlace(clock, "_bonus_place"), "bonus.ice");
        const TAnimationPtr hand = DialPart(clock, "_second");
        if (hand) m_handIce = PutIce(FindPlace(hand, "_ice"), "bonus.ice_str");
    }
    ShowName("bonus_name_1");
}

void CTimeFreazeBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    if (!m_done) return;
    HideOnce(m_clockIce);
    HideOnce(m_handIce);
}

// --- Faster cooking ---

void CCookDecreaseBonus::Start() {
    CBonusBase::Start();
    GetGameData().bonusParams.cookFactor /= kCookDivisor;
    if (m_field) {
        for (const THolder<CCookObject>& device : m_field->GetObjectList()) {
            const TAnimationPtr animation = device ? device->GetAnimation() : TAnimationPtr();
            if (!animation || device->GetInfo().Kind == 0) continue;
            const char* name = animation->GetName();
            THolder<GF::HGENS::CFGParticle> glow =
                MakeGlow(std::string("Particle\\") + (name ? name : "") + ".fgp", animation->GetLayer() + 1);
            if (!glow) continue;
            const GF::TPoint<float> at = animation->GetPosition();
            glow->MoveTo(at.x, at.y);
            m_glows.push_back(glow);
        }
    }
    ShowName("bonus_name_2");
}

void CCookDecreaseBonus::Finish() {
    StopGlows();
    CBonusBase::Finish();
}

void CCookDecreaseBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    if (!m_done) return;
    GetGameData().bonusParams.cookFactor *= kCookDivisor;
    StopGlows();
}

void CCookDecreaseBonus::StopGlows() {
    for (THolder<GF::HGENS::CFGParticle>& glow : m_glows) StopGlow(glow);
    m_glows.clear();
}

// --- Stopped patience ---

void CStopTimerBonus::Start() {
    CBonusBase::Start();
    CBonusParams& params = GetGameData().bonusParams;
    m_saved = params.patienceFactor;
    params.patienceFactor = 0.0f;
    CReceptPanel* panel = m_field ? m_field->GetReceptPanel() : nullptr;
    const THolder<GF::IScene> scene = panel ? Scene() : THolder<GF::IScene>();
    if (scene) {
        for (const THolder<CZacaz>& customer : panel->GetCustomers()) {
            const TAnimationPtr chain = customer ? scene->CreateAnimation("bonus.chain") : TAnimationPtr();
            if (!chain) continue;
            chain->Play("_show", 0, false);
            chain->SetLayer(kChainLayer);
            customer->AttachToStatus(chain, 0.0f);
            m_chains.push_back(chain);
        }
    }
    ShowName("bonus_name_3");
}

void CStopTimerBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    CBonusParams& params = GetGameData().bonusParams;
    if (params.patienceFactor != 0.0f) m_saved = params.patienceFactor;
    if (!m_done) return;
    params.patienceFactor = m_saved;
    for (const TAnimationPtr& chain : m_chains) HideOnce(chain);
}

// --- Quality ---

void CQualityBonus::Start() {
    CBonusBase::Start();
    CBonusParams& params = GetGameData().bonusParams;
    m_saved = params.qualityFactor;
    params.qualityFactor = kDoubleQuality;
    ShowName("bonus_name_5");
}

void CQualityBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    CBonusParams& params = GetGameData().bonusParams;
    if (params.qualityFactor != kDoubleQuality) m_saved = params.qualityFactor;
    if (m_done) params.qualityFactor = m_saved;
}

// --- Quick heroine ---

void CVelmoQuickBonus::Start() {
    CBonusBase::Start();
    CBonusParams& params = GetGameData().bonusParams;
    m_saved = params.stepTime;
    params.stepTime *= kQuickStep;
    m_boosted = params.stepTime;
    ShowName("bonus_name_4");
    StopGlow(m_glow);
    m_glow = MakeGlow("Particle\\nolla.fgp", GetGameData().persParams.persLayer - 1);
}

void CVelmoQuickBonus::Finish() {
    StopGlow(m_glow);
    CBonusBase::Finish();
}

void CVelmoQuickBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    const THolder<CPers> pers = m_field ? m_field->GetPers() : THolder<CPers>();
    if (m_glow && pers && pers->GetAnimation()) {
        const GF::TRect box = pers->GetAnimation()->GetBoundingBox();
        m_glow->MoveTo(static_cast<float>((box.left + box.right) / 2),
                       static_cast<float>((box.top + box.bottom) / 2));
    }
    CBonusParams& params = GetGameData().bonusParams;
    if (params.stepTime != m_boosted) m_saved = params.stepTime;
    if (!m_done) return;
    StopGlow(m_glow);
    params.stepTime = m_saved;
}

// --- Highlight of the next object ---

void CLightNextIngrBonus::Start() {
    CBonusBase::Start();
    ShowName("bonus_name_4");
}

void CLightNextIngrBonus::Update(const float& dt) {
    CBonusBase::Update(dt);
    m_timer += dt;
    if (m_done) {
        EndLight();
        return;
    }
    if (m_timer <= kLookAgainMs || !m_field) return;
    const THolder<CCookObject> next = m_field->GetNextObject(1);
    if (!next) {
        EndLight();
        return;
    }
    if (next == m_lit) return;
    m_lit = next;
    m_timer = 0.0f;
    EndLight();
    m_light = CLightObjectAction::Create(next, 0.0f, kLightMs, true, false);
    m_field->StartAction(THolder<CActionBase>(m_light.Get()));
}

void CLightNextIngrBonus::EndLight() {
    if (!m_light) return;
    m_light->Update(kEndStep);
    m_light.Reset();
}

// --- Random ---

THolder<CBonusBase> CRandomBonus::Create(const THolder<CGameFieldBase>& field, const CBonusInfo& info,
                                         const TAnimationPtr& visual) {
    THolder<CRandomBonus> bonus(new CRandomBonus(field, info, visual));
    // The draw and the kind of the table whose record the chosen bonus takes: the quick heroine runs
    // with the quality bonus's duration and sound.
    const int drawn = GF::Rand() % 6;
    static constexpr int32_t kRecordOf[6] = {0, 1, 2, 3, 3, 4};
    const auto& table = GetLevelsData().Bonuses;
    const auto record = table.find(kRecordOf[drawn]);
    if (record == table.end()) {
        GameLog("bonus: the random bonus drew %d, but the bonus table has no kind %d", drawn,
                kRecordOf[drawn]);
        return bonus;
    }
    static constexpr TBonusCreate kCreate[6] = {&CTimeFreazeBonus::Create, &CCookDecreaseBonus::Create,
                                                &CStopTimerBonus::Create,  &CQualityBonus::Create,
                                                &CVelmoQuickBonus::Create, &CLightNextIngrBonus::Create};
    bonus->m_chosen = kCreate[drawn](field, record->second, visual);
    return bonus;
}

void CRandomBonus::Start() {
    CBonusBase::Start();
    // Without a picture the landing came at once, inside the base Start.
    if (m_visual) m_started = false;
}

void CRandomBonus::Apply(THolder<CFlyObject> flight) {
    CBonusBase::Apply(flight);
    m_started = true;
    if (!m_chosen) return;
    m_chosen->Start();
    if (!m_visual) return;
    const GF::TSubstitutedContainerPtr place(m_visual->GetDrawable(0).Get());
    const TAnimationPtr picture =
        place ? place->Substitute(m_chosen->GetInfo().AnimationName) : TAnimationPtr();
    if (!picture) {
        GameLog("bonus: the random bonus's picture cannot show \"%s\"",
                m_chosen->GetInfo().AnimationName.c_str());
        return;
    }
    picture->Play("_show", 0, false);
    picture->SetOpacity(1.0f);
    picture->SetLayer(kChosenPictureLayer);
}

void CRandomBonus::Update(const float& dt) {
    if (!m_chosen) {
        CBonusBase::Update(dt);
        return;
    }
    if (!m_started) return;
    m_chosen->Update(dt);
    m_done = m_chosen->IsDone();
}

void CRandomBonus::Finish() {
    if (m_chosen) m_chosen->Finish();
    CBonusBase::Finish();
}
