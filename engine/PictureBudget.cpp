#include "engine/PictureBudget.h"

#include <atomic>

namespace Engine {

namespace {

std::atomic<uint64_t> g_held{0};

}  // namespace

bool CPictureBudget::Fits(uint64_t bytes) {
    const uint64_t held = g_held.load();
    return bytes <= kBytes && held <= kBytes - bytes;
}

void CPictureBudget::Hold(uint64_t bytes) {
    g_held += bytes;
}

void CPictureBudget::Release(uint64_t bytes) {
    g_held -= bytes;
}

uint64_t CPictureBudget::Held() {
    return g_held.load();
}

}  // namespace Engine
