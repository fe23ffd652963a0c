#include <SDL2/SDL_keyboard.h>
#include <SDL2/SDL_mouse.h>
#include <gtest/gtest.h>

#include <utility>

#include "engine/EngineKeys.h"
#include "engine/Hge.h"

using Engine::KeyFromSdl;
using Engine::KeyFromSdlButton;

// Both ways: every code a key can be fed with is made into an SDL key that the engine reads back as
// the same code; of two keys for one code either reads as it; keys without a code read as 0.
TEST(EngineKeys, MapsSdlKeysToTheEngineCodesAndBack) {
    for (int code = HGEK_BACKSPACE; code < HGEK_KEYCOUNT; ++code) {
        const SDL_Keycode sdl = Engine::SdlFromKey(code);
        if (sdl != SDLK_UNKNOWN) {
            EXPECT_EQ(KeyFromSdl(sdl), code) << SDL_GetKeyName(sdl);
        }
    }
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_m, 0x4D},    {SDLK_9, 0x39}, {SDLK_F12, 0x7B}, {SDLK_KP_ENTER, 0x0D}, {SDLK_RCTRL, 0x11},
        {SDLK_LEFT, 0x25}, {SDLK_F13, 0},  {SDLK_KP_1, 0},   {SDLK_CAPSLOCK, 0},    {SDLK_BACKQUOTE, 0},
    };
    for (const auto& [sdl, code] : cases) EXPECT_EQ(KeyFromSdl(sdl), code) << SDL_GetKeyName(sdl);
    EXPECT_EQ(Engine::SdlFromKey(HGEK_LBUTTON), SDLK_UNKNOWN);
    const std::pair<const char*, int> names[] = {
        {"Return", HGEK_ENTER}, {"Escape", HGEK_ESCAPE}, {"1", HGEK_0 + 1},
        {"Left", HGEK_LEFT},    {"A", HGEK_A},           {"F13", 0},
        {"NoSuchKey", 0},
    };
    for (const auto& [name, code] : names) EXPECT_EQ(Engine::KeyFromName(name), code) << name;
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_RIGHT), HGEK_RBUTTON);
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_X1), 0);
    for (int key : {HGEK_LBUTTON, HGEK_RBUTTON, HGEK_MBUTTON})
        EXPECT_EQ(KeyFromSdlButton(Engine::SdlButtonFromKey(key)), key);
    EXPECT_EQ(Engine::SdlButtonFromKey(HGEK_ENTER), 0);
}

TEST(EngineKeys, EveryKeyCodeFitsTheKeyTable) {
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int code = KeyFromSdl(SDL_SCANCODE_TO_KEYCODE(scancode));
        EXPECT_TRUE(code >= 0 && code < HGEK_KEYCOUNT) << scancode;
    }
    for (SDL_Keycode key = 0; key < 0x10000; ++key) {
        const int code = KeyFromSdl(key);
        EXPECT_TRUE(code >= 0 && code < HGEK_KEYCOUNT) << key;
    }
}
