#pragma once
#include "framework/core/Holder.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/Pers.h"

// The heroine's steps in a take sequence: she walks to a floor cell, or she stands for a while in a
// gesture. The kitchen field queues them when the player clicks.

// Sends her to a floor cell (stored truncated) and is done once she has arrived, or at once while she
// hides and takes no walk orders. Without a heroine it is done at its first update.
class CPersMoveAction : public CActionBase {
public:
    static GF::THolder<CPersMoveAction> Create(const GF::THolder<CPers>& pers, float x, float y);
    void Start() override;
    void Update(const float& dt) override;

private:
    int m_x = 0;
    int m_y = 0;
    GF::THolder<CPers> m_pers;
};

// Holds her in the animation of the index for the duration and then lets her wait again; with index
// -1, or while she works (index 0), it only waits.
class CWaitPersAction : public CWaitAction {
public:
    static GF::THolder<CWaitPersAction> Create(const GF::THolder<CPers>& pers, float durationMs,
                                               int animation);
    void Start() override;
    void Update(const float& dt) override;

private:
    CWaitPersAction(const GF::THolder<CPers>& pers, float durationMs, int animation)
        : CWaitAction(durationMs), m_pers(pers), m_animation(animation) {}

    GF::THolder<CPers> m_pers;
    int m_animation = -1;
};
