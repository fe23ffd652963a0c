#pragma once

namespace GF {

// The program's random numbers: the classic C-runtime linear congruential generator (state ×
// 214013 + 2531011, result bits 16 to 30). glibc's rand() is a different generator; game code relies
// on this exact sequence, so everyone draws from here. Seeded once by the application's start.
constexpr int kRandMax = 0x7FFF;

void SeedRand(unsigned seed);
// The next value, 0 to kRandMax.
int Rand();

}  // namespace GF
