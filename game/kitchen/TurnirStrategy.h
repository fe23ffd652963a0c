#pragma once

// The rivals' score simulation over a level. Until the tournament is built nobody competes: the
// operations the field calls do nothing.
class CTurnirStrategy {
public:
    void Reset();
    void UpdateRivals(const float& dt);
};
