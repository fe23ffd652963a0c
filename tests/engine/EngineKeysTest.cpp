#include <SDL2/SDL_keyboard.h>
#include <SDL2/SDL_mouse.h>
#include <gtest/gtest.h>

#include <utility>

#include "engine/EngineKeys.h"
#include "engine/Hge.h"

using Engine::KeyFromSdl;
using Engine::KeyFromSdlButton;

// Both ways: a fed key is made into an SDL key that the engine reads back as the same code.
TEST(EngineKeys, MapsSdlKeysToTheEngineCodesAndBack) {
    const struct {
        SDL_Keycode sdl;
        int engine;
    } cases[] = {
        {SDLK_a, 0x41},        {SDLK_m, 0x4D},      {SDLK_z, 0x5A},        {SDLK_0, 0x30},
        {SDLK_9, 0x39},        {SDLK_F1, 0x70},     {SDLK_F12, 0x7B},      {SDLK_BACKSPACE, 0x08},
        {SDLK_TAB, 0x09},      {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D}, {SDLK_LSHIFT, 0x10},
        {SDLK_RSHIFT, 0x10},   {SDLK_LCTRL, 0x11},  {SDLK_RCTRL, 0x11},    {SDLK_LALT, 0x12},
        {SDLK_RALT, 0x12},     {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20},    {SDLK_PAGEUP, 0x21},
        {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23},    {SDLK_HOME, 0x24},     {SDLK_LEFT, 0x25},
        {SDLK_UP, 0x26},       {SDLK_RIGHT, 0x27},  {SDLK_DOWN, 0x28},     {SDLK_INSERT, 0x2D},
        {SDLK_DELETE, 0x2E},   {SDLK_PAUSE, 0x13},  {SDLK_F13, 0},         {SDLK_KP_1, 0},
        {SDLK_CAPSLOCK, 0},    {SDLK_LGUI, 0},      {SDLK_UNKNOWN, 0},     {SDLK_BACKQUOTE, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyFromSdl(c.sdl), c.engine) << SDL_GetKeyName(c.sdl);
        if (c.engine) {
            EXPECT_EQ(KeyFromSdl(Engine::SdlFromKey(c.engine)), c.engine) << SDL_GetKeyName(c.sdl);
        }
    }
    EXPECT_EQ(Engine::SdlFromKey(HGEK_LBUTTON), SDLK_UNKNOWN);
    const std::pair<const char*, int> names[] = {
        {"Return", HGEK_ENTER}, {"Escape", HGEK_ESCAPE}, {"1", HGEK_0 + 1},
        {"Left", HGEK_LEFT},    {"A", HGEK_A},           {"F13", 0},
        {"NoSuchKey", 0},
    };
    for (const auto& [name, code] : names) EXPECT_EQ(Engine::KeyFromName(name), code) << name;
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

TEST(EngineKeys, MouseButtonsAreKeysOneTwoAndFour) {
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_LEFT), HGEK_LBUTTON);
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_RIGHT), HGEK_RBUTTON);
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_MIDDLE), HGEK_MBUTTON);
    EXPECT_EQ(KeyFromSdlButton(SDL_BUTTON_X1), 0);
    EXPECT_EQ(KeyFromSdlButton(0), 0);
    for (int key : {HGEK_LBUTTON, HGEK_RBUTTON, HGEK_MBUTTON})
        EXPECT_EQ(KeyFromSdlButton(Engine::SdlButtonFromKey(key)), key);
    EXPECT_EQ(Engine::SdlButtonFromKey(HGEK_ENTER), 0);
}
