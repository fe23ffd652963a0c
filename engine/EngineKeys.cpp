#include "engine/EngineKeys.h"

#include <SDL2/SDL_mouse.h>

#include "engine/Hge.h"

namespace Engine {

int KeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return HGEK_A + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return HGEK_0 + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return HGEK_F1 + (key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE:
            return HGEK_BACKSPACE;
        case SDLK_TAB:
            return HGEK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return HGEK_ENTER;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return HGEK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return HGEK_CTRL;
        case SDLK_LALT:
        case SDLK_RALT:
            return HGEK_ALT;
        case SDLK_PAUSE:
            return HGEK_PAUSE;
        case SDLK_ESCAPE:
            return HGEK_ESCAPE;
        case SDLK_SPACE:
            return HGEK_SPACE;
        case SDLK_PAGEUP:
            return HGEK_PGUP;
        case SDLK_PAGEDOWN:
            return HGEK_PGDN;
        case SDLK_END:
            return HGEK_END;
        case SDLK_HOME:
            return HGEK_HOME;
        case SDLK_LEFT:
            return HGEK_LEFT;
        case SDLK_UP:
            return HGEK_UP;
        case SDLK_RIGHT:
            return HGEK_RIGHT;
        case SDLK_DOWN:
            return HGEK_DOWN;
        case SDLK_INSERT:
            return HGEK_INSERT;
        case SDLK_DELETE:
            return HGEK_DELETE;
        default:
            return 0;
    }
}

int KeyFromSdlButton(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return HGEK_LBUTTON;
        case SDL_BUTTON_RIGHT:
            return HGEK_RBUTTON;
        case SDL_BUTTON_MIDDLE:
            return HGEK_MBUTTON;
        default:
            return 0;
    }
}

}  // namespace Engine
