#include "engine/Random.h"

namespace Engine {

// A 64-bit linear congruential step with a permuted 32-bit output (the PCG "XSH RR" variant).
void CRandom::Seed(uint64_t seed) {
    m_state = 0;
    Next();
    m_state += seed;
    Next();
}

uint32_t CRandom::Next() {
    const uint64_t old = m_state;
    m_state = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint32_t shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const uint32_t rotation = static_cast<uint32_t>(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
}

int CRandom::Int(int min, int max) {
    if (max <= min) return min;
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1;
    return static_cast<int>(min + static_cast<int64_t>(Next() % span));
}

float CRandom::Float(float min, float max) {
    const float unit = static_cast<float>(Next() >> 8) * (1.0f / 16777215.0f);  // 0..1 inclusive
    return min + unit * (max - min);
}

}  // namespace Engine
