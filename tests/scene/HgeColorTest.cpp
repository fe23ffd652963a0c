#include <gtest/gtest.h>

#include "framework/scene/HgeColor.h"

TEST(HgeColor, PacksTruncatedChannelsAndUnpacksFractions) {
    struct Case {
        hgeColor colour;
        DWORD packed;
    };
    const Case cases[] = {
        {{1.0f, 0.5f, 0.0f, 1.0f}, 0xFFFF7F00},  // 127.5 truncates to 127
        {{0.0f, 0.0f, 0.0f, 0.0f}, 0x00000000},
        {{1.0f, 1.0f, 1.0f, 1.0f}, 0xFFFFFFFF},
        {{0.2f, 0.4f, 0.6f, 0.8f}, 0xCC336699},
    };
    for (const Case& c : cases) EXPECT_EQ(c.colour.GetHWColor(), c.packed) << std::hex << c.packed;

    // Every byte value survives unpacking and packing again.
    for (DWORD v = 0; v < 256; ++v) {
        const DWORD argb = (v << 24) | ((255 - v) << 16) | (v << 8) | (v ^ 0x5A);
        EXPECT_EQ(hgeColor(argb).GetHWColor(), argb) << std::hex << argb;
    }

    hgeColor c;
    EXPECT_EQ(c.a, 0.0f);  // the default colour is four zeros
    c.SetHWColor(0x80FF0000);
    EXPECT_FLOAT_EQ(c.a, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.g, 0.0f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);

    const hgeColor half = hgeColor(1.0f, 0.5f, 0.25f, 1.0f) * 0.5f;
    EXPECT_FLOAT_EQ(half.r, 0.5f);
    EXPECT_FLOAT_EQ(half.g, 0.25f);
    EXPECT_FLOAT_EQ(half.b, 0.125f);
    EXPECT_FLOAT_EQ(half.a, 0.5f);
}
