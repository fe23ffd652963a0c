#pragma once
#include "framework/core/Holder.h"
#include "game/kitchen/GameFieldBase.h"

// What a level shows until its field is built: the bare field base whose level simply runs for the
// level's duration, with the level-time dial shown, and then ends; a level without a duration ends at
// once. It leaves the result (float variable 5) at 0.
class CStandInField : public CGameFieldBase {
public:
    static GF::THolder<CGameFieldBase> Create();

    bool StartLevel(const std::string& levelName) override;
    void Update(const float& dt) override;
};
