#pragma once
#include <string>

namespace GF {

// Wide text is UTF-16 everywhere: in files, in the text table and in what the player types.
// (wchar_t is 32 bits on Linux, so it is not used for game text.)
using WChar = char16_t;
using WString = std::u16string;

// Widens byte by byte (the names and keys the data uses are plain ASCII).
WString Widen(const std::string& text);
// Narrows unit by unit, keeping the low byte.
std::string Narrow(const WString& text);

WString Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const WString& text);

// Decimal text of an integer, and the integer of leading decimal text (optional sign, then digits;
// text without digits gives 0), as the game properties store numbers.
WString IntToWString(int value);
int WStringToInt(const WString& text);

}  // namespace GF
