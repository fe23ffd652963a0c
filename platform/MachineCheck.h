#pragma once
#include <cstdint>
#include <string>

namespace Platform {

// What the program needs of the machine before it opens its window: an OpenGL 3.3 core context
// can be made, and the desktop shows 16 or 32 bits a pixel.
struct tagMachineCheck {
    bool passed = false;
    int colourDepth = 0;  // bits a pixel of the desktop, as judged below
    std::string message;  // what to tell the player when it did not pass
};

extern const char* const kOpenGLMessage;
extern const char* const kColourDepthMessage;

// Bits a pixel judged by the bytes a pixel takes: SDL calls RGB888 a 24-bit format, but it takes
// four bytes and counts as 32. 0 for an unknown format.
int ColourDepthOfFormat(uint32_t sdlPixelFormat);

// Makes a hidden window with a 3.3 core context and reads the desktop mode; leaves SDL's video as
// it found it.
tagMachineCheck CheckMachine();

}  // namespace Platform
