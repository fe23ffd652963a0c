#pragma once
// What the desktop's window manager can do for the game's window. Full screen on X is carried out
// by the window manager: without one the request changes nothing on the screen, while SDL takes the
// window for the display's size from then on.

#include <SDL2/SDL_video.h>

namespace Engine {

// False only where a window system is known to have no window manager running (X without one);
// true elsewhere, including drivers that cannot tell.
bool HasWindowManager(SDL_Window* window);

}  // namespace Engine
