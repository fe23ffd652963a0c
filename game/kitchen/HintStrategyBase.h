#pragma once
#include "framework/core/RefCount.h"
#include "game/app/GameData.h"

// How a hint reaches the player: the hint manager hands every hint it picks to the current strategy,
// and asks it to take the shown one down when another comes or the player clicks it away.
class CHintStrategyBase : public GF::CRefCount {
public:
    virtual void ShowHint(const CHintInfo& hint) = 0;
    virtual void HideHint() = 0;
};
