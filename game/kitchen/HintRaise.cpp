#include "game/kitchen/HintRaise.h"

void RaiseHint(int) {}
