#include "engine/EngineKeys.h"

#include <SDL2/SDL_keyboard.h>
#include <SDL2/SDL_mouse.h>

#include <utility>

#include "engine/Hge.h"

namespace Engine {

namespace {

// The keys outside the letter, digit and function-key runs. Where two SDL keys give one code, the
// first is the one a fed key is made with.
constexpr std::pair<SDL_Keycode, int> kKeys[] = {
    {SDLK_BACKSPACE, HGEK_BACKSPACE},
    {SDLK_TAB, HGEK_TAB},
    {SDLK_RETURN, HGEK_ENTER},
    {SDLK_KP_ENTER, HGEK_ENTER},
    {SDLK_LSHIFT, HGEK_SHIFT},
    {SDLK_RSHIFT, HGEK_SHIFT},
    {SDLK_LCTRL, HGEK_CTRL},
    {SDLK_RCTRL, HGEK_CTRL},
    {SDLK_LALT, HGEK_ALT},
    {SDLK_RALT, HGEK_ALT},
    {SDLK_PAUSE, HGEK_PAUSE},
    {SDLK_ESCAPE, HGEK_ESCAPE},
    {SDLK_SPACE, HGEK_SPACE},
    {SDLK_PAGEUP, HGEK_PGUP},
    {SDLK_PAGEDOWN, HGEK_PGDN},
    {SDLK_END, HGEK_END},
    {SDLK_HOME, HGEK_HOME},
    {SDLK_LEFT, HGEK_LEFT},
    {SDLK_UP, HGEK_UP},
    {SDLK_RIGHT, HGEK_RIGHT},
    {SDLK_DOWN, HGEK_DOWN},
    {SDLK_INSERT, HGEK_INSERT},
    {SDLK_DELETE, HGEK_DELETE},
};

constexpr std::pair<uint8_t, int> kButtons[] = {
    {SDL_BUTTON_LEFT, HGEK_LBUTTON},
    {SDL_BUTTON_RIGHT, HGEK_RBUTTON},
    {SDL_BUTTON_MIDDLE, HGEK_MBUTTON},
};

}  // namespace

int KeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return HGEK_A + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return HGEK_0 + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return HGEK_F1 + (key - SDLK_F1);
    for (const auto& [sdl, engine] : kKeys)
        if (sdl == key) return engine;
    return 0;
}

SDL_Keycode SdlFromKey(int key) {
    if (key >= HGEK_A && key < HGEK_A + 26) return SDLK_a + (key - HGEK_A);
    if (key >= HGEK_0 && key < HGEK_0 + 10) return SDLK_0 + (key - HGEK_0);
    if (key >= HGEK_F1 && key < HGEK_F1 + 12) return SDLK_F1 + (key - HGEK_F1);
    for (const auto& [sdl, engine] : kKeys)
        if (engine == key) return sdl;
    return SDLK_UNKNOWN;
}

int KeyFromName(const char* name) {
    return KeyFromSdl(SDL_GetKeyFromName(name));
}

int KeyFromSdlButton(uint8_t button) {
    for (const auto& [sdl, engine] : kButtons)
        if (sdl == button) return engine;
    return 0;
}

uint8_t SdlButtonFromKey(int key) {
    for (const auto& [sdl, engine] : kButtons)
        if (engine == key) return sdl;
    return 0;
}

}  // namespace Engine
