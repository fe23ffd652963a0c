#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "platform/MachineCheck.h"
#include "tests/support/TempFolder.h"

// Under the offscreen driver a 3.3 core context comes from EGL and Mesa, and the desktop is 32-bit.
// The driver stays loaded for the engine while the answer holds it, and goes with it.
TEST(MachineCheckGL, PassesOnTheTestDisplayAndLeavesVideoAsItWas) {
    Platform::tagMachineCheck result = Platform::CheckMachine();
    EXPECT_TRUE(result.passed) << result.message;
    EXPECT_EQ(result.colourDepth, 32);
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    result.driver.reset();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

// The X driver asked for and no display named: the check says that no display could be opened, not
// that OpenGL is missing.
TEST(MachineCheckGL, NoDisplayIsSaidAsSuch) {
    CScopedEnv driver("SDL_VIDEODRIVER", std::string("x11"));
    CScopedEnv display("DISPLAY", std::nullopt);
    CScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    const Platform::tagMachineCheck result = Platform::CheckMachine();
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.message.rfind(std::string(Platform::kDisplayMessage) + " (DISPLAY is not set)", 0), 0u)
        << result.message;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}
