#pragma once

// One line in the engine's log, printf style: how the kitchen reports what it refuses.
void KitchenLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
