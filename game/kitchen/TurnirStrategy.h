#pragma once
#include <cstdint>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

class CGameFieldBase;

// The rivals' score simulation over a tournament level. Each rival of the level record aims at its
// points and reaches them in a few random steps spread over the level's time; every step goes to the
// field's rivals panel. The kitchen field starts it at level start and sets the stop flag at closing
// time; the field's ClearLevel unbinds it (the bound field is held, so it must be let go there).
class CTurnirStrategy : public GF::CRefCount {
public:
    struct tagRival {
        int32_t participant = 0;  // the level record's slot; it also picks the portrait
        int32_t stepsLeft = 0;
        int32_t target = 0;
        int32_t points = 0;
        float timer = 0.0f;  // ms to the next step
    };

    CTurnirStrategy() = default;
    ~CTurnirStrategy() override;
    CTurnirStrategy(const CTurnirStrategy&) = delete;
    CTurnirStrategy& operator=(const CTurnirStrategy&) = delete;

    // Binds the field and, when its level names rivals, puts the player and every rival into the
    // field's panel with 0 points and draws each rival's first step time.
    void Start(GF::THolder<CGameFieldBase> field);
    // One frame of the rivals' scoring; nothing once stopped or while unbound.
    void UpdateRivals(const float& dt);
    // Lets the field go.
    void Reset();

    bool stopped = false;  // the rivals score no more
    GF::THolder<CGameFieldBase> field;
    float averagePoints = 0.0f;  // the points of an average order of the level
    std::vector<tagRival> rivals;
};
