#include <gtest/gtest.h>

#include "framework/resources/TextTable.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TextTableWriter.h"

using GF::HGENS::CTextTable;

namespace {

const char kFile[] = "Binary\\textdata.txt";

struct LoadedTable {
    CRecordingEngine engine;
    CTextTable table;

    explicit LoadedTable(const std::vector<unsigned char>& bytes) {
        engine.AddResource(kFile, bytes);
        table.Load();
    }
    std::u16string Text(const std::string& key) const { return *table.Find(key); }
};

}  // namespace

TEST(TextTable, LineEndingsGiveTheSameTable) {
    const std::vector<std::pair<std::string, std::u16string>> entries = {
        {"Title", u"Quindle"},
        {"Empty", u""},
        {"TwoLines", u"first\\nsecond"},
        {"Last", u"the end"},
    };
    struct Case {
        const char* name;
        TTextTableLayout layout;
    } cases[] = {
        {"LF", {u"\n", true}},
        {"CRLF", {u"\r\n", true}},
        {"LF, last line open", {u"\n", false}},
        {"CRLF, last line open", {u"\r\n", false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedTable t(WriteTextTable(entries, c.layout));
        for (const auto& [key, text] : entries) EXPECT_EQ(t.Text(key), text) << key;
        EXPECT_TRUE(t.engine.log.empty());
        EXPECT_EQ(t.engine.outstandingBlocks, 0);
    }
}

TEST(TextTable, FirstOfADuplicateKeyWinsAndMissingKeysAnswerTheSharedEmptyText) {
    LoadedTable t(WriteTextTable({{"Ok", u"first"}, {"Other", u"x"}, {"Ok", u"second"}}));
    EXPECT_EQ(t.Text("Ok"), u"first");
    EXPECT_EQ(t.Text("Other"), u"x");
    EXPECT_EQ(t.Text("Missing"), u"");
    EXPECT_EQ(t.table.Find("Missing"), t.table.Find("AlsoMissing"));
}

TEST(TextTable, KeysAreNarrowedUnitByUnit) {
    // U+0141 keeps its low byte 0x41, so the key reads as "A".
    LoadedTable t(EncodeUtf16Le(u"\u0141\n        text\n"));
    EXPECT_EQ(t.Text("A"), u"text");
}

TEST(TextTable, DamagedFilesKeepWhatCanBeReadAndLogTheRest) {
    auto withStrayByte = WriteTextTable({{"a", u"alpha"}});
    withStrayByte.push_back(0x41);
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::vector<std::pair<std::string, std::u16string>> expected;
        const char* logged;  // nullptr: nothing is logged
    } cases[] = {
        {"empty file", {}, {{"a", u""}}, nullptr},
        {"byte-order mark only", EncodeUtf16Le(u""), {{"a", u""}}, nullptr},
        {"one byte", {0xFF}, {{"a", u""}}, "odd byte count"},
        {"no byte-order mark", EncodeUtf16Le(u"a\n        alpha\n", false), {{"a", u""}}, nullptr},
        {"odd byte count", withStrayByte, {{"a", u"alpha"}}, "odd byte count"},
        {"text line shorter than its prefix",
         EncodeUtf16Le(u"a\nabc\nb\n        beta"),
         {{"a", u""}, {"b", u"beta"}},
         "shorter than its prefix"},
        {"key without its text line",
         EncodeUtf16Le(u"a\n        alpha\nb\n"),
         {{"a", u"alpha"}, {"b", u""}},
         "no text line"},
        {"key without its text line or line end",
         EncodeUtf16Le(u"a\n        alpha\r\nb"),
         {{"a", u"alpha"}, {"b", u""}},
         "no text line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedTable t(c.bytes);
        for (const auto& [key, text] : c.expected) EXPECT_EQ(t.Text(key), text) << key;
        if (c.logged) {
            EXPECT_TRUE(t.engine.HasLog(c.logged));
        } else {
            EXPECT_TRUE(t.engine.log.empty());
        }
        EXPECT_EQ(t.engine.outstandingBlocks, 0);
    }
    // A file of nothing but line feeds: every text line is short, and that is said once, counted.
    LoadedTable t(EncodeUtf16Le(std::u16string(100001, u'\n')));
    ASSERT_EQ(t.engine.log.size(), 1u);
    EXPECT_TRUE(t.engine.HasLog("50000 text lines are shorter than their prefix, the first that of \"\""));
    EXPECT_EQ(*t.table.TextAt(49999), u"");
    EXPECT_EQ(t.table.TextAt(50000), nullptr);
}

TEST(TextTable, MissingFileLeavesTheTableEmptyAndReloadingReplacesIt) {
    CRecordingEngine engine;
    CTextTable table;
    table.Load();
    EXPECT_EQ(*table.Find("a"), u"");
    EXPECT_TRUE(engine.log.empty());

    engine.AddResource(kFile, WriteTextTable({{"a", u"alpha"}}));
    table.Load();
    engine.AddResource(kFile, WriteTextTable({{"b", u"beta"}}));
    table.Load();
    EXPECT_EQ(*table.Find("a"), u"");
    EXPECT_EQ(*table.Find("b"), u"beta");
}
