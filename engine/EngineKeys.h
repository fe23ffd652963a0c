#pragma once
// Translation of SDL's keys and mouse buttons into the engine key codes of Hge.h. Pure functions,
// so the table can be checked without a window.

#include <SDL2/SDL_keycode.h>

#include <cstdint>

namespace Engine {

// The engine key code of an SDL key (both Shift, Ctrl, Alt and Enter keys give one code each);
// 0 for keys the engine does not know.
int KeyFromSdl(SDL_Keycode key);

// 1 left, 2 right, 4 middle; 0 for other buttons.
int KeyFromSdlButton(uint8_t button);

}  // namespace Engine
