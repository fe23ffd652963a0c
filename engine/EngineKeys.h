#pragma once
// Translation between SDL's keys and mouse buttons and the engine key codes of Hge.h, both ways: SDL
// events become engine codes, and fed input (CEngine::FeedInput) becomes SDL events again. Pure
// functions, so the table can be checked without a window.

#include <SDL2/SDL_keycode.h>

#include <cstdint>

namespace Engine {

// The engine key code of an SDL key (both Shift, Ctrl, Alt and Enter keys give one code each);
// 0 for keys the engine does not know.
int KeyFromSdl(SDL_Keycode key);
// An SDL key giving that engine code (the left one of a pair, the main Enter); SDLK_UNKNOWN for none.
SDL_Keycode SdlFromKey(int key);
// The engine key code of a key's name as the keyboard names it ("Return", "Escape", "Left", "1");
// 0 for a name the engine knows no key by.
int KeyFromName(const char* name);

// 1 left, 2 right, 4 middle; 0 for other buttons. SdlButtonFromKey answers the other way, 0 for a
// key that is no button.
int KeyFromSdlButton(uint8_t button);
uint8_t SdlButtonFromKey(int key);

}  // namespace Engine
