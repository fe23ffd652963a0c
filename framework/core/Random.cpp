#include "framework/core/Random.h"

#include <cstdint>

namespace GF {

namespace {
// The runtime starts as if seeded with 1.
uint32_t g_state = 1;
}  // namespace

void SeedRand(unsigned seed) {
    g_state = seed;
}

int Rand() {
    g_state = g_state * 214013u + 2531011u;  // unsigned: wraps modulo 2^32 as the runtime does
    return static_cast<int>((g_state >> 16) & kRandMax);
}

}  // namespace GF
