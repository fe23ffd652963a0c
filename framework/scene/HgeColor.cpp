#include "framework/scene/HgeColor.h"

DWORD hgeColor::GetHWColor() const {
    const auto part = [](float channel) { return static_cast<DWORD>(static_cast<int>(channel * 255.0f)); };
    return (part(a) << 24) + (part(r) << 16) + (part(g) << 8) + part(b);
}

void hgeColor::SetHWColor(DWORD argb) {
    a = static_cast<float>(argb >> 24) / 255.0f;
    r = static_cast<float>((argb >> 16) & 0xFF) / 255.0f;
    g = static_cast<float>((argb >> 8) & 0xFF) / 255.0f;
    b = static_cast<float>(argb & 0xFF) / 255.0f;
}
