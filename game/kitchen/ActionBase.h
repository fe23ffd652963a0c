#pragma once
#include <list>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

// One step of a sequence: a walk, a pause, an animation played out, a call, a sound, a wait for a
// click. The action ends itself by setting its done flag (in Start or Update); the queue then calls
// Finish and starts its follow-ups. Times are milliseconds.
class CActionBase : public GF::CRefCount {
public:
    CActionBase() = default;
    CActionBase(const CActionBase&) = delete;
    CActionBase& operator=(const CActionBase&) = delete;

    // Appends the action to those started when this one is finished; answers it.
    GF::THolder<CActionBase> AddFollowUp(const GF::THolder<CActionBase>& action);

    virtual void Start() {}
    // Called once when the queue takes the done action off, or when the queue is cleared.
    virtual void Finish() {}
    // Every frame while the action runs and is not done.
    virtual void Update(const float& dt) { (void)dt; }

    bool IsDone() const { return m_done; }
    const std::vector<GF::THolder<CActionBase>>& GetFollowUps() const { return m_followUps; }

protected:
    bool m_done = false;

private:
    std::vector<GF::THolder<CActionBase>> m_followUps;
};

// The action queue its owner embeds (as a base or a member) and steps once a frame: an added action
// runs after the last one added, a started one at once beside all others. Destroying it lets go of
// the actions without finishing them.
class CActionWorker {
public:
    CActionWorker() = default;
    CActionWorker(const CActionWorker&) = delete;
    CActionWorker& operator=(const CActionWorker&) = delete;

    // Queues the action behind the last one added, or starts it when that one is done or there is
    // none. An empty holder is refused (logged) and answered empty.
    GF::THolder<CActionBase> AddAction(const GF::THolder<CActionBase>& action);
    // Starts the action at once; the last-added action stays. An empty holder is refused likewise.
    GF::THolder<CActionBase> StartAction(const GF::THolder<CActionBase>& action);
    // The last action added while it is not done; empty otherwise (the queue is idle for sequencing).
    GF::THolder<CActionBase> GetLastAction();
    // Steps every running action; a done one is finished, its follow-ups started (and stepped in the
    // same walk) and it is taken off. Actions started during the walk are stepped in it too.
    void Update(const float& dt);
    // Finishes every running action without starting follow-ups and forgets them all. Reached from
    // inside the queue's own walk (an action or its delegate resetting the owner), it ends that walk;
    // an action whose Start cleared the queue is cleared with it.
    void Clear();

    bool IsEmpty() const { return m_running.empty(); }

private:
    GF::THolder<CActionBase> m_last;
    std::list<GF::THolder<CActionBase>> m_running;
    // Counts the clears, so that a walk can tell that its list was cleared under it.
    unsigned m_clears = 0;
};
