#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/CookObject.h"

// Makes an object pulse (its scale swells by the amplitude and back over the duration) and, with
// glow, lights its first picture and sets a hint sparkle on it; with fade it also fades out. A pulse
// made for a kitchen object ends early once that object is taken (no longer free) or hidden (no
// longer ready).
class CLightObjectAction : public CActionBase {
public:
    static GF::THolder<CLightObjectAction> Create(const GF::THolder<CCookObject>& source, float amplitude,
                                                  float durationMs, bool glow, bool fade);
    static GF::THolder<CLightObjectAction> CreateForAnimation(const GF::TAnimationPtr& animation,
                                                              float amplitude, float durationMs, bool glow,
                                                              bool fade);

    void Start() override;
    void Update(const float& dt) override;

private:
    CLightObjectAction(const GF::TAnimationPtr& animation, float amplitude, float durationMs, bool glow,
                       bool fade)
        : m_fade(fade),
          m_duration(durationMs),
          m_amplitude(amplitude),
          m_glow(glow),
          m_animation(animation) {}

    bool m_fade;
    float m_duration;
    float m_elapsed = 0.0f;
    float m_amplitude;
    bool m_glow;
    GF::TAnimationPtr m_animation;
    float m_baseScaleX = 1.0f;
    float m_baseScaleY = 1.0f;
    GF::THolder<CCookObject> m_source;
    GF::THolder<GF::HGENS::CFGParticle> m_particle;
};
