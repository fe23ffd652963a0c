#include <gtest/gtest.h>

#include <cstdlib>

// Every suite runs headless and finds the built sample content, however ctest or a developer starts
// it; variables already set win.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QUINDLE_DATA_DIR", QUINDLE_TEST_DATA_DIR, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
