#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace Platform {

// What the program needs of the machine before it opens its window: an OpenGL 3.3 core context
// can be made, and the desktop shows 16 or 32 bits a pixel.
struct tagMachineCheck {
    bool passed = false;
    int colourDepth = 0;  // bits a pixel of the desktop, as the engine counts them
    std::string message;  // what to tell the player when it did not pass
    // Held, when it passed, until the engine has its window: SDL's video and the OpenGL driver stay
    // loaded, so that the driver is not unloaded and loaded again (and its shaders built twice).
    std::shared_ptr<void> driver;
};

extern const char* const kOpenGLMessage;
extern const char* const kColourDepthMessage;
// Followed by which display was asked for and SDL's reason. Said before the text table is read.
extern const char* const kDisplayMessage;

// Opens the display, makes a hidden window with a 3.3 core context and reads the desktop mode; leaves
// SDL's video as it found it once the answer's driver is let go.
tagMachineCheck CheckMachine();

}  // namespace Platform
