#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/CookObject.h"

// Makes an object pulse (its scale swells by the amplitude and back over the duration) and, with
// the glow, tints its first sprite and sparkles over it: the light hint, the idle highlight and the
// bonus that points at the next ingredient. A device that is taken or hidden meanwhile ends it at
// once. With the fade the object fades out over the duration.
class CLightObjectAction : public CActionBase {
public:
    // The device's animation pulses; empty when the device has none.
    static GF::THolder<CLightObjectAction> Create(const GF::THolder<CCookObject>& object, float amplitude,
                                                  float durationMs, bool glow, bool fade);
    static GF::THolder<CLightObjectAction> CreateForAnimation(const GF::TAnimationPtr& animation,
                                                              float amplitude, float durationMs, bool glow,
                                                              bool fade);

    void Start() override;
    void Update(const float& dt) override;

private:
    CLightObjectAction() = default;

    bool m_fade = false;
    float m_duration = 0.0f;
    float m_elapsed = 0.0f;
    float m_amplitude = 0.0f;
    bool m_glow = false;
    GF::TAnimationPtr m_animation;
    GF::TPoint<float> m_baseScale{1.0f, 1.0f};
    GF::THolder<CCookObject> m_object;
    GF::THolder<GF::HGENS::CFGParticle> m_particle;
};
