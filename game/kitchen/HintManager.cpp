#include "game/kitchen/HintManager.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "framework/core/Random.h"
#include "game/app/GameLog.h"
#include "game/app/Players.h"
#include "game/kitchen/HintRaise.h"

std::vector<std::size_t> CHintManager::CollectIndices(bool flag) {
    std::vector<std::size_t> candidates;
    const std::vector<CHintInfo>& hints = GetGameData().hints;
    CPlayerProfile& player = GetCurrentPlayer();
    for (std::size_t i = 0; i < hints.size(); ++i) {
        const CHintInfo& hint = hints[i];
        if (hint.trigger != Trigger || hint.flag != flag) continue;
        int32_t& shown = player.hintShows[static_cast<int32_t>(i)];
        if (hint.maxShows != -1 && shown >= hint.maxShows) continue;
        ++shown;
        candidates.push_back(i);
    }
    return candidates;
}

std::vector<CHintInfo> CHintManager::CollectHints(bool flag) {
    const std::vector<CHintInfo>& hints = GetGameData().hints;
    std::vector<CHintInfo> candidates;
    for (const std::size_t i : CollectIndices(flag)) candidates.push_back(hints[i]);
    return candidates;
}

void CHintManager::PickHint(bool flag) {
    if (!Strategy) {
        Showing = false;
        return;
    }
    std::vector<std::size_t> candidates = CollectIndices(flag);
    if (candidates.empty() && Trigger != 0 && !flag) {
        Trigger = 0;
        candidates = CollectIndices(false);
    }
    if (candidates.empty()) return;
    Trigger = 0;
    const std::size_t pick = candidates[static_cast<std::size_t>(GF::Rand()) % candidates.size()];
    m_chain.assign(1, static_cast<int32_t>(pick));
    Show(GetGameData().hints[pick]);
}

void CHintManager::Show(const CHintInfo& hint) {
    if (!Strategy) {
        Showing = false;
        return;
    }
    if (Showing) {
        Strategy->HideHint();
        Showing = false;
    }
    Current = hint;
    Showing = true;
    // The strategy may be let go while it shows (a hint screen closing the level); keep it for the call.
    const GF::THolder<CHintStrategyBase> strategy = Strategy;
    strategy->ShowHint(hint);
}

void CHintManager::FinishHint() {
    if (!Showing) return;
    const int32_t next = Current.id;
    if (next != -1) {
        const std::vector<CHintInfo>& hints = GetGameData().hints;
        if (next < 0 || static_cast<std::size_t>(next) >= hints.size()) {
            GameLog("hints: \"%s\" is followed by hint %d, which is not in the list", Current.name.c_str(),
                    next);
        } else if (std::find(m_chain.begin(), m_chain.end(), next) != m_chain.end()) {
            GameLog("hints: \"%s\" is followed by \"%s\", shown before in its chain", Current.name.c_str(),
                    hints[static_cast<std::size_t>(next)].name.c_str());
        } else {
            m_chain.push_back(next);
            const CHintInfo followUp = hints[static_cast<std::size_t>(next)];
            Show(followUp);
        }
    }
    Showing = false;
}

void CHintManager::SetStrategy(GF::THolder<CHintStrategyBase> strategy) {
    Strategy = std::move(strategy);
}

CHintManager& GetHintManager() {
    static CHintManager manager;
    return manager;
}

void RaiseHint(int trigger) {
    CHintManager& manager = GetHintManager();
    manager.Trigger = trigger;
    manager.PickHint(true);
}
