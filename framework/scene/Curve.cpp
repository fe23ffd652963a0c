#include "framework/scene/Curve.h"

#include <cmath>

#include "framework/scene/IAnimation.h"

namespace GF {

namespace {

// Positions land on whole pixels: half added, then truncated toward zero.
float WholePixel(float v) {
    const float shifted = v + 0.5f;
    if (!(std::fabs(shifted) < 2147483648.0f)) return shifted;  // too far (or NaN) for an int
    return static_cast<float>(static_cast<int>(shifted));
}

}  // namespace

CCurve::~CCurve() {
    m_endEvent.Clear();
    ClearStrategies();
    m_animations.clear();
}

void CCurve::AddAnimation(const TAnimationPtr& animation) {
    if (animation) m_animations.push_back(animation);
}

void CCurve::ClearAnimations(bool reset) {
    if (reset) {
        const std::vector<TAnimationPtr> animations = m_animations;  // Reset may call back into the curve
        for (const TAnimationPtr& animation : animations) animation->Reset();
    }
    m_animations.clear();
}

void CCurve::ClearStrategies() {
    m_position.Reset();
    m_scale.Reset();
    m_opacity.Reset();
    m_rotation.Reset();
}

bool CCurve::Update(const float& dt) {
    if (!m_running) return true;
    if (m_duration <= m_time) {
        m_running = false;
        OnEnd();
        return true;
    }
    m_time += dt;
    if (m_time > m_duration) m_time = m_duration;
    if (!m_animations.empty()) {
        ComputeValues();
        if (m_current.dirty) WriteValues();
    }
    return true;
}

void CCurve::OnEnd() {
    m_endEvent.Raise(THolder<ICurve>(this));
}

void CCurve::ComputeValues() {
    TTransform& c = m_current;
    c.dirty = 0;
    if (m_position) {
        TPoint<float> p = {c.x, c.y};
        m_position->Calc(p, m_time);
        const float x = WholePixel(p.x), y = WholePixel(p.y);
        if (x != c.x || y != c.y) c.dirty |= TTransform::kDirtyPosition;
        c.x = x;
        c.y = y;
    }
    if (m_opacity) {
        float o = c.opacity;
        m_opacity->Calc(o, m_time);
        if (o != c.opacity) {
            c.opacity = o;
            c.dirty |= TTransform::kDirtyOpacity;
        }
    }
    if (m_rotation) {
        float a = c.angle;
        m_rotation->Calc(a, m_time);
        if (a != c.angle) {
            c.angle = a;
            c.sin = std::sin(a);
            c.cos = std::cos(a);
            c.dirty |= TTransform::kDirtyRotation;
        }
    }
    if (m_scale) {
        TPoint<float> s = {c.scaleX, c.scaleY};
        m_scale->Calc(s, m_time);
        if (s.x != c.scaleX || s.y != c.scaleY) c.dirty |= TTransform::kDirtyScale;
        c.scaleX = s.x;
        c.scaleY = s.y;
    }
}

void CCurve::WriteValues() {
    const TTransform& c = m_current;
    const std::vector<TAnimationPtr> animations = m_animations;  // a setter may end up in ClearAnimations
    for (const TAnimationPtr& animation : animations) {
        if (c.dirty & TTransform::kDirtyPosition) animation->SetPosition(TPoint<float>(c.x, c.y));
        if (c.dirty & TTransform::kDirtyOpacity) animation->SetOpacity(c.opacity);
        if (c.dirty & TTransform::kDirtyRotation) animation->SetRotation(c.angle);
        if (c.dirty & TTransform::kDirtyScale) {
            animation->SetScaleX(c.scaleX);
            animation->SetScaleY(c.scaleY);
        }
    }
}

}  // namespace GF
