#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/Input.h"

using Engine::CInput;

namespace {

SDL_Event Key(Uint32 type, SDL_Keycode key, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event Text(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    return event;
}

std::vector<hgeInputEvent> Drain(CInput& input) {
    std::vector<hgeInputEvent> events;
    hgeInputEvent event;
    while (input.GetEvent(&event)) events.push_back(event);
    return events;
}

}  // namespace

TEST(EngineInput, KeyDownRepeatAndUpMakeEventsStatesAndTheFrameKey) {
    CInput input;
    input.HandleEvent(Key(SDL_KEYDOWN, SDLK_LSHIFT));
    input.HandleEvent(Key(SDL_KEYDOWN, SDLK_a));
    input.HandleEvent(Key(SDL_KEYDOWN, SDLK_a, true));
    input.HandleEvent(Key(SDL_KEYDOWN, SDLK_CAPSLOCK));  // unknown to the engine: dropped
    EXPECT_TRUE(input.KeyState(HGEK_A));
    EXPECT_EQ(input.Key(), HGEK_A);

    const auto events = Drain(input);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, INPUT_KEYDOWN);
    EXPECT_EQ(events[0].key, HGEK_SHIFT);
    EXPECT_EQ(events[1].key, HGEK_A);
    EXPECT_EQ(events[1].flags, HGEINP_SHIFT);
    EXPECT_EQ(events[2].flags, HGEINP_SHIFT | HGEINP_REPEAT);

    input.EndFrame();
    EXPECT_TRUE(input.KeyState(HGEK_A));  // still held
    EXPECT_EQ(input.Key(), 0);
    EXPECT_FALSE(input.GetEvent(nullptr));

    input.HandleEvent(Key(SDL_KEYUP, SDLK_a));
    EXPECT_FALSE(input.KeyState(HGEK_A));
    const auto up = Drain(input);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].type, INPUT_KEYUP);
    EXPECT_EQ(up[0].key, HGEK_A);
}

TEST(EngineInput, MouseButtonsMovesAndWheelCarryThePosition) {
    CInput input;
    input.HandleEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20));
    EXPECT_TRUE(input.KeyState(HGEK_RBUTTON));
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = 30;
    move.motion.y = 40;
    input.HandleEvent(move);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -2;
    input.HandleEvent(wheel);
    // Let go in the frame it went down: the button stays down for this frame.
    input.HandleEvent(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 31, 41));
    EXPECT_TRUE(input.KeyState(HGEK_RBUTTON));
    EXPECT_EQ(input.MouseX(), 31.0f);
    EXPECT_EQ(input.MouseY(), 41.0f);

    const auto events = Drain(input);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].type, INPUT_MBUTTONDOWN);
    EXPECT_EQ(events[0].key, HGEK_RBUTTON);
    EXPECT_EQ(events[0].x, 10.0f);
    EXPECT_EQ(events[0].y, 20.0f);
    EXPECT_EQ(events[1].type, INPUT_MOUSEMOVE);
    EXPECT_EQ(events[1].x, 30.0f);
    EXPECT_EQ(events[2].type, INPUT_MOUSEWHEEL);
    EXPECT_EQ(events[2].wheel, -2);

    input.EndFrame();
    EXPECT_FALSE(input.KeyState(HGEK_RBUTTON));
    const auto up = Drain(input);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].type, INPUT_MBUTTONUP);
    EXPECT_EQ(up[0].x, 31.0f);
    EXPECT_EQ(up[0].y, 41.0f);
}

// Two quick presses within one frame (a double tap) reach the frames one step at a time, in order:
// each frame sees the key down or up, never both.
TEST(EngineInput, PressesAndReleasesWithinOneFrameReachTheFramesInOrder) {
    CInput input;
    for (int i = 0; i < 2; ++i) {
        input.HandleEvent(Key(SDL_KEYDOWN, SDLK_a));
        input.HandleEvent(Key(SDL_KEYUP, SDLK_a));
    }
    const std::vector<std::vector<int>> expected = {
        {INPUT_KEYDOWN}, {INPUT_KEYUP, INPUT_KEYDOWN}, {INPUT_KEYUP}, {}};
    const std::vector<bool> down = {true, true, false, false};
    for (std::size_t frame = 0; frame < expected.size(); ++frame) {
        std::vector<int> types;
        for (const hgeInputEvent& event : Drain(input)) types.push_back(event.type);
        EXPECT_EQ(types, expected[frame]) << "frame " << frame;
        EXPECT_EQ(input.KeyState(HGEK_A), down[frame]) << "frame " << frame;
        input.EndFrame();
    }
}

TEST(EngineInput, TypedTextBecomesOneCharEventPerUtf16Unit) {
    const struct {
        const char* utf8;
        std::vector<int> units;
    } cases[] = {
        {"a", {0x61}},
        {"\xC3\xA9\xE2\x82\xAC", {0xE9, 0x20AC}},  // é €
        {"\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},    // a surrogate pair
        {"\xC3", {0xFFFD}},                        // cut short
        {"\xE0\x80\xAF", {0xFFFD}},                // overlong
        {"\xFF"
         "b",
         {0xFFFD, 0x62}},
    };
    for (const auto& c : cases) {
        CInput input;
        input.HandleEvent(Text(c.utf8));
        std::vector<int> units;
        for (const auto& event : Drain(input)) {
            EXPECT_EQ(event.type, INPUT_CHAR);
            units.push_back(event.chr);
        }
        EXPECT_EQ(units, c.units) << c.utf8;
    }
}

TEST(EngineInput, AnUnreadQueueStaysBounded) {
    CInput input;
    for (int i = 0; i < 5000; ++i) input.HandleEvent(Key(SDL_KEYDOWN, SDLK_a, true));
    EXPECT_LE(Drain(input).size(), 1024u);
}
