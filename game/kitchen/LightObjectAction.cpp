#include "game/kitchen/LightObjectAction.h"

#include <cmath>

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"
#include "game/app/GameData.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr uint32_t kGlowColor = 0xFF663333;
constexpr uint32_t kNoGlowColor = 0xFF000000;  // adds nothing
constexpr int kColorAddBlend = 3;

void ColourFirstSprite(const GF::TAnimationPtr& animation, uint32_t color) {
    const GF::TSpritePtr sprite(animation->GetDrawable(0).Get());
    if (sprite) sprite->SetColorAndBlend(color, kColorAddBlend);
}

}  // namespace

GF::THolder<CLightObjectAction> CLightObjectAction::Create(const GF::THolder<CCookObject>& source,
                                                           float amplitude, float durationMs, bool glow,
                                                           bool fade) {
    GF::THolder<CLightObjectAction> action(new CLightObjectAction(
        source ? source->GetAnimation() : GF::TAnimationPtr(), amplitude, durationMs, glow, fade));
    action->m_source = source;
    return action;
}

GF::THolder<CLightObjectAction> CLightObjectAction::CreateForAnimation(const GF::TAnimationPtr& animation,
                                                                       float amplitude, float durationMs,
                                                                       bool glow, bool fade) {
    return GF::THolder<CLightObjectAction>(
        new CLightObjectAction(animation, amplitude, durationMs, glow, fade));
}

void CLightObjectAction::Start() {
    if (!m_animation) {
        m_done = true;
        return;
    }
    const GF::TPoint<float> scale = m_animation->GetScale();
    m_baseScaleX = scale.x;
    m_baseScaleY = scale.y;
    if (!m_glow) return;
    ColourFirstSprite(m_animation, kGlowColor);
    m_particle = GF::HGENS::CFGParticle::Create("Particle\\hint.fgp", "particles_2", -1.0f, false);
    const GF::TPoint<float> at = m_animation->GetPosition();
    m_particle->MoveTo(at.x, at.y);
    m_particle->layer = GetGameData().fieldParams.value2;
    m_particle->SetScene(m_animation->GetScene());
}

void CLightObjectAction::Update(const float& dt) {
    m_elapsed += dt;
    float p = m_duration > 0.0f ? m_elapsed / m_duration : 1.0f;
    if (m_source && (!m_source->IsFree() || !m_source->IsReady())) p = 1.0f;
    const float s = m_amplitude * std::sin(p * kPi) + 1.0f;
    m_animation->SetScale(s * m_baseScaleX, s * m_baseScaleY);
    const GF::TPoint<float> at = m_animation->GetPosition();
    if (m_particle) m_particle->MoveTo(at.x, at.y);
    if (p >= 1.0f) {
        // Stopped, the sparkle stays on the scene while its sparks in the air live out their lives;
        // the particle registry takes it off once the last one has died.
        if (m_particle) {
            m_particle->Detach();
            m_particle.Reset();
        }
        if (m_glow) ColourFirstSprite(m_animation, kNoGlowColor);
        m_animation->SetScale(m_baseScaleX, m_baseScaleY);
        m_done = true;
    }
    if (m_fade) m_animation->SetOpacity(1.0f - (p < 1.0f ? p : 1.0f));
}
