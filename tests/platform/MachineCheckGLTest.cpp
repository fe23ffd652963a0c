#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "platform/MachineCheck.h"

// Under the offscreen driver a 3.3 core context comes from EGL and Mesa, and the desktop is 32-bit.
TEST(MachineCheckGL, PassesOnTheTestDisplayAndLeavesVideoAsItWas) {
    const Platform::tagMachineCheck result = Platform::CheckMachine();
    EXPECT_TRUE(result.passed) << result.message;
    EXPECT_EQ(result.colourDepth, 32);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}
