#pragma once
#include <vector>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/CurveStrategies.h"
#include "framework/scene/SceneFwd.h"
#include "framework/scene/Transform.h"

namespace GF {

// A clock that moves animation objects over time: up to four strategies (position, scale, opacity,
// rotation) compute values each frame and the curve writes those that changed into every animation it
// carries. When the clock has reached its duration the curve stops and raises its end event. The
// game's flying objects derive from it; screens move decorations with it. Times are milliseconds.
class ICurve : public CRefCount {
public:
    using TEndEvent = TEvent1<THolder<ICurve>>;

    // Appends the animation (not an empty one).
    virtual void AddAnimation(const TAnimationPtr& animation) = 0;
    virtual void SetPositionStrategy(const THolder<TPointStrategy>& strategy) = 0;
    virtual void SetOpacityStrategy(const THolder<TFloatStrategy>& strategy) = 0;
    virtual void SetRotationStrategy(const THolder<TFloatStrategy>& strategy) = 0;  // radians
    virtual void SetScaleStrategy(const THolder<TPointStrategy>& strategy) = 0;
    // reset: every carried animation first gets Reset (leaves its scene, drops its children).
    virtual void ClearAnimations(bool reset) = 0;
    virtual void ClearStrategies() = 0;
    virtual bool IsRunning() = 0;
    virtual float& GetDuration() = 0;
    virtual float& GetTime() = 0;
    // The clock back to 0; running or not stays as it is.
    virtual void Restart() = 0;
    virtual void SetDuration(const float& ms) = 0;
    virtual void SetRunning(bool running) = 0;
    virtual bool Update(const float& dt) = 0;
    // Raises the end event with the curve; derived curves add their own ending.
    virtual void OnEnd() = 0;
    virtual TEndEvent& GetEndEvent() = 0;
};

class CCurve : public ICurve {
public:
    CCurve() = default;
    ~CCurve() override;

    void AddAnimation(const TAnimationPtr& animation) override;
    void SetPositionStrategy(const THolder<TPointStrategy>& strategy) override { m_position = strategy; }
    void SetOpacityStrategy(const THolder<TFloatStrategy>& strategy) override { m_opacity = strategy; }
    void SetRotationStrategy(const THolder<TFloatStrategy>& strategy) override { m_rotation = strategy; }
    void SetScaleStrategy(const THolder<TPointStrategy>& strategy) override { m_scale = strategy; }
    void ClearAnimations(bool reset) override;
    void ClearStrategies() override;
    bool IsRunning() override { return m_running; }
    float& GetDuration() override { return m_duration; }
    float& GetTime() override { return m_time; }
    void Restart() override { m_time = 0.0f; }
    void SetDuration(const float& ms) override { m_duration = ms; }
    void SetRunning(bool running) override { m_running = running; }
    // Runs the clock while running; the update after the one that reached the duration stops the
    // curve and ends it. Always true.
    bool Update(const float& dt) override;
    void OnEnd() override;
    TEndEvent& GetEndEvent() override { return m_endEvent; }

protected:
    void ComputeValues();
    void WriteValues();

    std::vector<TAnimationPtr> m_animations;
    THolder<TPointStrategy> m_position;
    THolder<TPointStrategy> m_scale;
    THolder<TFloatStrategy> m_opacity;
    THolder<TFloatStrategy> m_rotation;
    bool m_running = false;
    float m_duration = 0.0f;
    float m_time = 0.0f;
    TTransform m_current;
    TEndEvent m_endEvent;
};

}  // namespace GF
