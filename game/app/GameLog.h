#pragma once

// One line in the engine's log, printf style: how the game reports what it refuses.
void GameLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
