#pragma once
#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

namespace GF {

// Which game keys are down, and who wants to hear about presses. The frame function writes the
// flags and raises the events from the engine's input; screens and controls read the flags (and
// clear one when they have used the press) and add delegates to the events. One per process.
class CKeyset : public CRefCount {
public:
    // Game key codes, as the frame function's key map produces them; every other key is 0.
    enum {
        kKeyUp = 1,
        kKeyDown = 2,
        kKeyLeft = 3,
        kKeyRight = 4,
        kKeyDigit0 = 5,  // through 14 for the digit 9
        kKeyEscape = 17,
        kKeyMouseLeft = 18,
        kKeyEnter = 24,
        kKeySpace = 41,
        kKeyMouseRight = 47,
    };
    static constexpr int kKeyCount = 255;

    bool IsDown(int key) const { return key >= 0 && key < kKeyCount && m_down[key] != 0; }
    // Codes outside the table are ignored.
    void SetDown(int key, bool down);

    TEvent1<int>& GetKeyDownEvent() { return m_keyDown; }
    TEvent1<int>& GetKeyUpEvent() { return m_keyUp; }
    void RaiseKeyDown(int key) { m_keyDown.Raise(key); }
    void RaiseKeyUp(int key) { m_keyUp.Raise(key); }

private:
    unsigned char m_down[kKeyCount] = {};
    TEvent1<int> m_keyDown;
    TEvent1<int> m_keyUp;
};

THolder<CKeyset> GetKeyset();

}  // namespace GF
