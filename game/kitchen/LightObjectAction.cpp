#include "game/kitchen/LightObjectAction.h"

#include <cmath>

#include "framework/scene/ISprite.h"
#include "game/app/GameData.h"

using GF::THolder;

namespace {

constexpr float kPi = 3.1415927f;
constexpr uint32_t kGlowColour = 0xFF663333;
// Black added to the picture adds nothing: the glow is taken off.
constexpr uint32_t kNoGlow = 0xFF000000;
constexpr int kColorAddBlend = 3;

void ColourFirstSprite(const GF::TAnimationPtr& animation, uint32_t colour) {
    const GF::TSpritePtr sprite(animation->GetDrawable(0).Get());
    if (sprite) sprite->SetColorAndBlend(colour, kColorAddBlend);
}

}  // namespace

THolder<CLightObjectAction> CLightObjectAction::Create(const THolder<CCookObject>& object, float amplitude,
                                                       float durationMs, bool glow, bool fade) {
    THolder<CLightObjectAction> action = CreateForAnimation(
        object ? object->GetAnimation() : GF::TAnimationPtr(), amplitude, durationMs, glow, fade);
    action->m_object = object;
    return action;
}

THolder<CLightObjectAction> CLightObjectAction::CreateForAnimation(const GF::TAnimationPtr& animation,
                                                                   float amplitude, float durationMs,
                                                                   bool glow, bool fade) {
    THolder<CLightObjectAction> action(new CLightObjectAction);
    action->m_animation = animation;
    action->m_amplitude = amplitude;
    action->m_duration = durationMs;
    action->m_glow = glow;
    action->m_fade = fade;
    return action;
}

void CLightObjectAction::Start() {
    if (!m_animation) {
        m_done = true;
        return;
    }
    m_baseScale = m_animation->GetScale();
    if (!m_glow) return;
    ColourFirstSprite(m_animation, kGlowColour);
    m_particle = GF::HGENS::CFGParticle::Create("Particle\\hint.fgp", "particles_2", -1.0f, false);
    const GF::TPoint<float> at = m_animation->GetPosition();
    m_particle->MoveTo(at.x, at.y);
    m_particle->layer = GetGameData().fieldParams.value2;
    m_particle->SetScene(m_animation->GetScene());
}

void CLightObjectAction::Update(const float& dt) {
    if (!m_animation) {
        m_done = true;
        return;
    }
    m_elapsed += dt;
    float p = m_duration > 0.0f ? m_elapsed / m_duration : 1.0f;
    if (m_object && (!m_object->IsFree() || !m_object->IsReady())) p = 1.0f;
    const float s = m_amplitude * std::sin(p * kPi) + 1.0f;
    m_animation->SetScale(s * m_baseScale.x, s * m_baseScale.y);
    const GF::TPoint<float> at = m_animation->GetPosition();
    if (m_particle) m_particle->MoveTo(at.x, at.y);
    if (p >= 1.0f) {
        if (m_particle) {
            m_particle->SetPlaying(false);
            m_particle.Reset();
        }
        if (m_glow) ColourFirstSprite(m_animation, kNoGlow);
        m_animation->SetScale(m_baseScale.x, m_baseScale.y);
        m_done = true;
    }
    if (m_fade) m_animation->SetOpacity(1.0f - p);
}
