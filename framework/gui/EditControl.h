#pragma once
#include "framework/core/WString.h"

namespace GF {
namespace HGENS {

// The text editing of an edit field, apart from the animations that show it.

// Whether the filter lets the character in: an empty filter or one holding "*" takes everything;
// "$" takes the Latin letters, "#" the digits; any other filter takes exactly the characters it holds.
bool IsEditCharAllowed(WChar ch, const WString& allowed);

// a-z become A-Z; every other character stays.
WChar ToUpperLatin(WChar ch);

// What an editing key did to the text and its cursor index.
enum class EEditKey { Ignored, Moved, Removed };

// Left, Right, Home and End (engine key codes) move the cursor within 0..length; Delete removes the
// character at the cursor, Backspace the one before it (and steps the cursor back). Keys with
// nothing to act on, and every other key, are ignored. A cursor outside the text is first held to it.
EEditKey ApplyEditKey(int key, WString& text, int& cursor);

// How far right of its home (the text's anchor point) the cursor stands, for the text's alignment
// (0 left, 1 centred, 2 right), given the widths of the text before the cursor and of the whole text.
// Any other alignment keeps the cursor at home.
int EditCursorOffset(int widthBefore, int totalWidth, int alignment);

}  // namespace HGENS
}  // namespace GF
