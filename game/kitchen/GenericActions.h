#pragma once
#include <string>

#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/DeliveryButton.h"

// The building blocks of the sequences: a pause, an animation played out, a call, a sound, a wait for
// a click on a button inside an animation. Each maker answers a new action for CActionWorker.

// Done at the first update at which its time has run out (a duration of 0 at its first update).
class CWaitAction : public CActionBase {
public:
    static GF::THolder<CWaitAction> Create(float durationMs);
    void Update(const float& dt) override;

protected:
    explicit CWaitAction(float durationMs) : m_remaining(durationMs) {}

    float m_remaining;
};

// Shows the animation, plays the part (unless the name is empty: then it waits for what plays now)
// and is done when the animation has finished.
class CAnimationWaitAction : public CActionBase {
public:
    // Without an animation the action is logged and ends at its first update.
    static GF::THolder<CAnimationWaitAction> Create(const GF::TAnimationPtr& animation,
                                                    const std::string& part, int repeat, bool dropAtEnd);
    void Start() override;
    void Update(const float& dt) override;

private:
    GF::TAnimationPtr m_animation;
    std::string m_part;
    int m_repeat = 0;
    bool m_dropAtEnd = false;
};

// Calls the delegate (none: nothing) when it starts, and is done at once.
class CExecuteAction : public CActionBase {
public:
    static GF::THolder<CExecuteAction> Create(const GF::THolder<GF::IDelegate0<void>>& delegate);
    void Start() override;

private:
    GF::THolder<GF::IDelegate0<void>> m_delegate;
};

// Waits for a click on the button hosted by the animation's child `part` (a balloon's "_item_ok").
// The button is made when the action starts and follows nothing; Finish (also through the queue's
// Clear) takes the action's click delegate off it.
class CWaitButtonAction : public CActionBase {
public:
    // Without such a button the action is logged and ends at its first update.
    static GF::THolder<CWaitButtonAction> Create(const GF::TAnimationPtr& animation, const std::string& part);
    ~CWaitButtonAction() override;

    void Start() override;
    void Update(const float& dt) override;
    void Finish() override;

    // The button while the action waits; empty before it starts.
    const GF::THolder<CDeliveryButton>& GetButton() const { return m_button; }

private:
    void OnClick(GF::THolder<GF::HGENS::CBaseControl> sender, const GF::TPoint<int>& point, int buttons);
    void Unsubscribe();

    GF::TAnimationPtr m_animation;
    GF::THolder<CDeliveryButton> m_button;
};
