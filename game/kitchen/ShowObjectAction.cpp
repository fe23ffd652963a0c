#include "game/kitchen/ShowObjectAction.h"

#include <utility>

#include "framework/scene/HgeColor.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"

namespace {

// The sweep crosses this many pixels in the duration; an object fades in over the first half of the
// band behind the line and darkens to its own colours over the second.
constexpr float kSweepHeight = 900.0f;
constexpr float kBand = 300.0f;
// Colour added with alpha blending: black adds nothing, so the end of the sweep is the plain picture.
constexpr int kColorAddBlend = 3;

void ColourSprites(const GF::TAnimationPtr& animation, uint32_t color) {
    const int count = animation->GetDrawableCount();
    for (int i = 0; i < count; ++i) {
        const GF::TSpritePtr sprite(animation->GetDrawable(static_cast<unsigned>(i)).Get());
        if (sprite) sprite->SetColorAndBlend(color, kColorAddBlend);
    }
}

}  // namespace

CShowObjectAction::CShowObjectAction(std::vector<GF::THolder<CCookObject>> objects, float durationMs)
    : m_duration(durationMs), m_objects(std::move(objects)) {}

void CShowObjectAction::Start() {
    m_animations.clear();
    for (const GF::THolder<CCookObject>& object : m_objects) {
        const GF::TAnimationPtr& animation = object->GetAnimation();
        if (!animation) continue;  // nothing to show
        if (!object->IsReady() && object->GetInfo().Kind == 0) {
            m_animations.push_back(animation);
            ColourSprites(animation, 0x00000000);
            animation->SetVisible(false);
        } else {
            object->SetShown(true);
        }
    }
    m_elapsed = 0.0f;
}

void CShowObjectAction::Update(const float& dt) {
    m_elapsed += dt;
    float p = m_duration > 0.0f ? m_elapsed / m_duration : 1.0f;
    if (p >= 1.0f) {
        for (const GF::THolder<CCookObject>& object : m_objects)
            if (!object->IsReady() && object->GetAnimation()) object->SetShown(true);
        p = 1.0f;
        m_done = true;
    }
    const float line = kSweepHeight * p;
    for (const GF::TAnimationPtr& animation : m_animations) {
        float d = (line - animation->GetPosition().y) / kBand;
        d = d > 0.0f ? (d < 1.0f ? d : 1.0f) : 0.0f;
        const float f = d > 0.5f ? 2.0f - 2.0f * d : 1.0f;
        const hgeColor color(0.8f * f, 0.3f * f, 0.3f * f, d > 0.5f ? 1.0f : 2.0f * d);
        animation->SetVisible(true);
        ColourSprites(animation, color.GetHWColor());
    }
}
