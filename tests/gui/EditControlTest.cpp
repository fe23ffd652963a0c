#include <gtest/gtest.h>

#include <string>

#include "engine/Hge.h"
#include "framework/gui/EditControl.h"

using namespace GF::HGENS;

TEST(EditText, FilterByKindOrByList) {
    struct {
        const char16_t* allowed;
        const char16_t* accepted;
        const char16_t* refused;
    } cases[] = {
        {u"", u"aZ5 .\u00e9", u""}, {u"*", u"aZ5 .\u00e9", u""}, {u"$", u"aAzZ", u"5 @[`{\u00e9"},
        {u"#", u"0159", u"a /:"},   {u"ab-", u"ab-", u"cA"},
    };
    for (const auto& c : cases) {
        for (const char16_t* p = c.accepted; *p; ++p)
            EXPECT_TRUE(IsEditCharAllowed(*p, c.allowed)) << int(*p);
        for (const char16_t* p = c.refused; *p; ++p)
            EXPECT_FALSE(IsEditCharAllowed(*p, c.allowed)) << int(*p);
    }
    EXPECT_EQ(ToUpperLatin(u'q'), u'Q');
    EXPECT_EQ(ToUpperLatin(u'\u00e9'), u'\u00e9');
}

TEST(EditText, EditingKeysAtEachEdge) {
    struct {
        int key;
        int cursorBefore;
        EEditKey result;
        const char16_t* text;
        int cursor;
    } cases[] = {
        {HGEK_LEFT, 0, EEditKey::Moved, u"abc", 0},
        {HGEK_LEFT, 2, EEditKey::Moved, u"abc", 1},
        {HGEK_RIGHT, 3, EEditKey::Moved, u"abc", 3},
        {HGEK_RIGHT, 1, EEditKey::Moved, u"abc", 2},
        {HGEK_HOME, 2, EEditKey::Moved, u"abc", 0},
        {HGEK_END, 0, EEditKey::Moved, u"abc", 3},
        {HGEK_DELETE, 3, EEditKey::Ignored, u"abc", 3},
        {HGEK_DELETE, 0, EEditKey::Removed, u"bc", 0},
        {HGEK_BACKSPACE, 0, EEditKey::Ignored, u"abc", 0},
        {HGEK_BACKSPACE, 3, EEditKey::Removed, u"ab", 2},
        {HGEK_BACKSPACE, 9, EEditKey::Removed, u"ab", 2},  // a cursor past the end counts from the end
        {'A', 1, EEditKey::Ignored, u"abc", 1},
    };
    for (const auto& c : cases) {
        GF::WString text = u"abc";
        int cursor = c.cursorBefore;
        EXPECT_EQ(ApplyEditKey(c.key, text, cursor), c.result) << c.key << " at " << c.cursorBefore;
        EXPECT_EQ(text, GF::WString(c.text)) << c.key << " at " << c.cursorBefore;
        EXPECT_EQ(cursor, c.cursor) << c.key << " at " << c.cursorBefore;
    }
}

TEST(EditText, CursorOffsetByAlignment) {
    EXPECT_EQ(EditCursorOffset(30, 50, 0), 30);
    EXPECT_EQ(EditCursorOffset(50, 50, 1), 25);
    EXPECT_EQ(EditCursorOffset(0, 51, 1), -25);  // the halving rounds toward zero
    EXPECT_EQ(EditCursorOffset(30, 50, 2), -20);
    EXPECT_EQ(EditCursorOffset(30, 50, 7), 0);
}
