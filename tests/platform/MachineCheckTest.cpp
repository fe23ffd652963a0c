#include <SDL2/SDL_pixels.h>
#include <gtest/gtest.h>

#include "engine/Engine.h"

// SDL calls RGB888 a 24-bit format although each pixel takes four bytes; the desktops of Xvfb and
// the offscreen driver report it, and it must pass as 32. A desktop of three bytes a pixel counts as
// 32 too, as the engine counts it when the focus comes back: the two never disagree.
TEST(MachineCheck, ColourDepthIsJudgedByBytesPerPixel) {
    const struct {
        uint32_t format;
        int depth;
    } cases[] = {
        {SDL_PIXELFORMAT_RGB565, 16}, {SDL_PIXELFORMAT_RGB888, 32}, {SDL_PIXELFORMAT_ARGB8888, 32},
        {SDL_PIXELFORMAT_RGB24, 32},  {SDL_PIXELFORMAT_INDEX8, 8},  {SDL_PIXELFORMAT_UNKNOWN, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Engine::ColourDepthOfFormat(c.format), c.depth) << c.format;
}
