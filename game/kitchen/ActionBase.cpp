#include "game/kitchen/ActionBase.h"

#include <iterator>

#include "game/app/GameLog.h"

using GF::THolder;

THolder<CActionBase> CActionBase::AddFollowUp(const THolder<CActionBase>& action) {
    if (action) m_followUps.push_back(action);
    return action;
}

THolder<CActionBase> CActionWorker::GetLastAction() {
    if (m_last && m_last->IsDone()) m_last.Reset();
    return m_last;
}

namespace {

// An empty action is the caller's mistake: said in the log and answered empty.
bool Refused(const THolder<CActionBase>& action, const char* operation) {
    if (!action) GameLog("CActionWorker::%s: no action given", operation);
    return !action;
}

}  // namespace

THolder<CActionBase> CActionWorker::AddAction(const THolder<CActionBase>& action) {
    if (Refused(action, "AddAction")) return {};
    const unsigned clears = m_clears;
    if (const THolder<CActionBase> last = GetLastAction())
        last->AddFollowUp(action);
    else
        StartAction(action);
    if (clears == m_clears) m_last = action;  // a Start that cleared the queue took it along
    return action;
}

THolder<CActionBase> CActionWorker::StartAction(const THolder<CActionBase>& action) {
    if (Refused(action, "StartAction")) return {};
    const unsigned clears = m_clears;
    action->Start();
    if (clears != m_clears) {
        // Its own Start cleared the queue: it is cleared with the rest.
        action->Finish();
        return action;
    }
    m_running.push_back(action);
    return action;
}

void CActionWorker::Update(const float& dt) {
    const unsigned clears = m_clears;
    // The end is read afresh at every step: what is appended during the walk is walked too.
    for (auto it = m_running.begin(); it != m_running.end();) {
        const THolder<CActionBase> action = *it;  // kept alive through a Clear from inside it
        if (!action->IsDone()) {
            action->Update(dt);
            if (clears != m_clears) return;
            ++it;
            continue;
        }
        action->Finish();
        if (clears != m_clears) return;
        // Off the list before its follow-ups start, so that a Clear they reach finishes it no more.
        const bool wasLast = std::next(it) == m_running.end();
        it = m_running.erase(it);
        const auto before = m_running.empty() ? m_running.end() : std::prev(m_running.end());
        const std::vector<THolder<CActionBase>> followUps = action->GetFollowUps();
        for (const THolder<CActionBase>& next : followUps) {
            StartAction(next);
            if (clears != m_clears) return;
        }
        // After the last element the walk goes on with the first follow-up.
        if (wasLast) it = before == m_running.end() ? m_running.begin() : std::next(before);
    }
}

void CActionWorker::Clear() {
    ++m_clears;
    std::list<THolder<CActionBase>> running;
    running.swap(m_running);
    for (const THolder<CActionBase>& action : running) action->Finish();
    running.clear();
    m_last.Reset();
}
