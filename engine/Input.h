#pragma once
// What the player did since the last frame: SDL events become the engine's input events (a queue
// the frame function drains with Input_GetEvent), the key state table, the key of
// the frame, and the mouse position in client pixels. Fed by the frame loop, one event at a time.
//
// A key or button let go in the frame it went down (a quick click, a touchpad's tap) stays down for
// that frame and is let go at the next, so that what reads the key states once a frame sees the
// press; the key's later events of that frame follow it, in order.

#include <SDL2/SDL_events.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/Hge.h"

namespace Engine {

// One thing a player does at the keyboard, the mouse or the window, fed to the engine by a scripted
// run or a test (CEngine::FeedInput) and read by the frames as if the player had done it.
struct tagFedInput {
    enum EKind { kKeyDown, kKeyUp, kMouseMove, kButtonDown, kButtonUp, kText, kFocusLost, kClose, kQuit };
    EKind kind = kQuit;
    int key = 0;  // an engine key code (HGEK_*): a key, or for the buttons HGEK_LBUTTON, _RBUTTON, _MBUTTON
    int x = 0;    // the mouse, in the window's client pixels
    int y = 0;
    std::string text{};  // typed characters, UTF-8
};

class CInput {
public:
    void HandleEvent(const SDL_Event& event);
    // Forgets the frame's events and key; key states stay.
    void EndFrame();

    bool GetEvent(hgeInputEvent* event);
    bool KeyState(int key) const { return ValidKey(key) && m_down[key]; }
    int Key() const { return m_key; }

    float MouseX() const { return m_mouseX; }
    float MouseY() const { return m_mouseY; }
    void SetMouse(float x, float y);

private:
    static bool ValidKey(int key) { return key > 0 && key < HGEK_KEYCOUNT; }
    int Flags() const;
    void Press(int key, bool repeat, float x, float y);
    void Release(int key, float x, float y);
    void Push(int type, int key, int flags, int chr = 0, int wheel = 0);
    void PushAt(int type, int key, int flags, float x, float y);
    void AddText(const char* utf8);

    std::deque<hgeInputEvent> m_queue;
    bool m_down[HGEK_KEYCOUNT] = {};
    bool m_pressed[HGEK_KEYCOUNT] = {};
    // Events of keys let go in the frame they went down, held over for the next frame.
    struct tagCarried {
        bool press = false;
        int key = 0;
        float x = 0;
        float y = 0;
    };
    std::vector<tagCarried> m_carried;
    bool m_carrying[HGEK_KEYCOUNT] = {};
    int m_key = 0;
    float m_mouseX = 0;
    float m_mouseY = 0;
};

}  // namespace Engine
