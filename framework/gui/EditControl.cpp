#include "framework/gui/EditControl.h"

#include <algorithm>

#include "engine/Hge.h"

namespace GF {
namespace HGENS {

bool IsEditCharAllowed(WChar ch, const WString& allowed) {
    if (allowed.empty() || allowed.find(u'*') != WString::npos) return true;
    if (allowed.find(u'$') != WString::npos) return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
    if (allowed.find(u'#') != WString::npos) return ch >= u'0' && ch <= u'9';
    return allowed.find(ch) != WString::npos;
}

WChar ToUpperLatin(WChar ch) {
    return ch >= u'a' && ch <= u'z' ? static_cast<WChar>(ch - u'a' + u'A') : ch;
}

EEditKey ApplyEditKey(int key, WString& text, int& cursor) {
    const int length = static_cast<int>(text.size());
    cursor = std::clamp(cursor, 0, length);
    switch (key) {
        case HGEK_LEFT:
            if (cursor > 0) --cursor;
            return EEditKey::Moved;
        case HGEK_RIGHT:
            if (cursor < length) ++cursor;
            return EEditKey::Moved;
        case HGEK_HOME:
            cursor = 0;
            return EEditKey::Moved;
        case HGEK_END:
            cursor = length;
            return EEditKey::Moved;
        case HGEK_DELETE:
            if (cursor >= length) return EEditKey::Ignored;
            text.erase(static_cast<std::size_t>(cursor), 1);
            return EEditKey::Removed;
        case HGEK_BACKSPACE:
            if (cursor <= 0) return EEditKey::Ignored;
            text.erase(static_cast<std::size_t>(cursor - 1), 1);
            --cursor;
            return EEditKey::Removed;
        default:
            return EEditKey::Ignored;
    }
}

int EditCursorOffset(int widthBefore, int totalWidth, int alignment) {
    switch (alignment) {
        case 0:
            return widthBefore;
        case 1:
            return widthBefore - totalWidth / 2;
        case 2:
            return widthBefore - totalWidth;
        default:
            return 0;
    }
}

}  // namespace HGENS
}  // namespace GF
