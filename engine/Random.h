#pragma once
// The engine's own random generator (Random_Seed/Int/Float): the same seed gives the same draws on
// every machine, independent of the C library's rand().

#include <cstdint>

namespace Engine {

class CRandom {
public:
    void Seed(uint64_t seed);
    int Int(int min, int max);          // min..max inclusive
    float Float(float min, float max);  // min..max

private:
    uint32_t Next();
    uint64_t m_state = 0x853C49E6748FEA9BULL;
};

}  // namespace Engine
