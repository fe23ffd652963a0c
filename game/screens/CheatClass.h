#pragma once
#include <cstdint>

#include "framework/core/WString.h"

// Listens to the characters typed on the title screen for one code word: five letters and a digit
// from 1 to 7 in place of its final '#'. A complete code opens the career up to the stage the digit
// names for the current player and toggles the flag the recipe book reads. The flag is not saved.
class CCheatClass {
public:
    static constexpr const GF::WChar* kCode = u"vokrd#";

    // One typed character. A character that breaks the code starts the count again from the code's
    // beginning without being matched against its first letter.
    void OnChar(GF::WChar ch);
    // Applies a complete code whose digit is `ch` ('1' to '7'; anything else counts as '7').
    void Apply(GF::WChar ch);

    bool IsUnlocked() const { return m_unlocked; }
    uint32_t GetPosition() const { return m_position; }

private:
    GF::WString m_code = kCode;
    bool m_unlocked = false;
    uint32_t m_position = 0;
};

// The one listener of the program.
CCheatClass& GetCheatListener();
