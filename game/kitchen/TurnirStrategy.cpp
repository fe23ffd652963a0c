#include "game/kitchen/TurnirStrategy.h"

void CTurnirStrategy::Reset() {}

void CTurnirStrategy::UpdateRivals(const float&) {}
