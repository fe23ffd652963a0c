#pragma once
#include "engine/Hge.h"

// A colour of four float channels, each nominally 0.0 to 1.0, as the keyframe tracks, fonts and
// effects keep it; packed to the engine's 32-bit ARGB when it reaches a vertex.
struct hgeColor {
    float r = 0, g = 0, b = 0, a = 0;

    hgeColor() = default;
    hgeColor(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
    explicit hgeColor(DWORD argb) { SetHWColor(argb); }

    // Each channel times 255, truncated toward zero, the four parts added into ARGB. Channels are
    // not clamped: a value outside 0..1 spills into its neighbour.
    DWORD GetHWColor() const;
    void SetHWColor(DWORD argb);

    hgeColor operator*(float s) const { return hgeColor(r * s, g * s, b * s, a * s); }
};
