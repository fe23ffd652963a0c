#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/Holder.h"
#include "game/app/GameData.h"
#include "game/kitchen/HintStrategyBase.h"

// The one hint manager of the process. Game code sets Trigger to the number of the moment that has
// come and asks PickHint for a hint; the manager picks one of the game data's hints that answer it,
// counting in the current player's hint shows how often each was offered, and hands it to the
// strategy. The kitchen field sets the strategy when a level starts and empties it when it ends;
// without one nothing is shown.
class CHintManager {
public:
    CHintInfo Current;  // the hint shown last
    bool Showing = false;
    int32_t Trigger = 0;  // the moment raised last and not yet answered; 0: the general hints
    GF::THolder<CHintStrategyBase> Strategy;

    // The hints answering Trigger with that flag that the current player may still be offered; each
    // of them has its count raised, picked or not.
    std::vector<CHintInfo> CollectHints(bool flag);
    // Shows one of the candidates at random. A request with flag false that finds none falls back
    // to the general hints; one with flag true keeps Trigger for a later request.
    void PickHint(bool flag);
    // Takes down the hint being shown, then shows this one.
    void Show(const CHintInfo& hint);
    // The shown hint is over: its follow-up, if it names one, is shown. A chain of follow-ups shows
    // each hint at most once per raise: hints whose pages cannot be shown end at once and would
    // otherwise follow each other around a loop in the data without end.
    void FinishHint();
    void SetStrategy(GF::THolder<CHintStrategyBase> strategy);

private:
    std::vector<std::size_t> CollectIndices(bool flag);

    std::vector<int32_t> m_chain;  // the hints shown since the last pick, by index
};

CHintManager& GetHintManager();
