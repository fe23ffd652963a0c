#include <gtest/gtest.h>

#include "framework/core/MemoryStreams.h"
#include "game/app/DataFormat.h"
#include "tests/support/DataBytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct CKeyed {
    std::string name;
    int32_t value = 0;
    template <class V>
    void Visit(V& v) {
        v.String("name", name);
        v.Int("value", value);
    }
    bool operator==(const CKeyed&) const = default;
};

// One field of every kind the data files use.
struct CEveryKind {
    int32_t number = 0;
    float real = 0.0f;
    bool flag = false;
    uint8_t byte = 0;
    std::string text;
    GF::WString wide;
    CKeyed nested;
    std::vector<bool> grid;
    std::vector<GF::TPoint<float>> quad;
    std::vector<CMarkedPoint> path;
    std::vector<std::vector<int32_t>> rows;
    std::unordered_map<std::string, CKeyed> table;
    std::unordered_map<int32_t, float> map;

    template <class V>
    void Visit(V& v) {
        v.Int("number", number);
        v.Float("real", real);
        v.Flag("flag", flag);
        v.Ignored();
        v.Byte("byte", byte);
        v.String("text", text);
        v.WString("wide", wide);
        v.Record("nested", nested);
        v.List("grid", grid);
        v.List("quad", quad);
        v.List("path", path);
        v.List("rows", rows);
        v.Table("table", table, &CKeyed::name);
        v.Map("map", map);
    }
    bool operator==(const CEveryKind&) const = default;
};

// The bytes of CEveryKind with its table and map given by `tableAndMap`.
CDataBytes Head() {
    CDataBytes b;
    b.Raw({0x00, 0x00, 0x00, 0x01})     // number 1
        .Raw({0x00, 0x00, 0x80, 0x3F})  // real 1.0
        .B8(1)
        .B8(0)  // ignored
        .B8(0xC8)
        .Raw({0x02, 0x61, 0x62})              // "ab"
        .Raw({0x02, 0x00, 0x41, 0x00, 0x42})  // u"AB"
        .Str("n")
        .I32(-1)  // nested
        .N32(3)
        .B8(1)
        .B8(0)
        .B8(1)  // grid
        .N32(1)
        .F32(0.5f)
        .F32(-2.0f)  // quad
        .N32(1)
        .B8(0)
        .F32(3.0f)
        .F32(4.0f)  // path
        .N32(2)
        .N32(1)
        .I32(7)
        .N32(0);  // rows
    return b;
}

CEveryKind Expected() {
    CEveryKind e;
    e.number = 1;
    e.real = 1.0f;
    e.flag = true;
    e.byte = 0xC8;
    e.text = "ab";
    e.wide = u"AB";
    e.nested = {"n", -1};
    e.grid = {true, false, true};
    e.quad = {{0.5f, -2.0f}};
    e.path = {{3.0f, 4.0f}};
    e.rows = {{7}, {}};
    e.table = {{"a", {"a", 2}}, {"b", {"b", 3}}};
    e.map = {{-5, 1.0f}, {6, 2.5f}};
    return e;
}

Bytes Written(const CEveryKind& record) {
    GF::CMemoryOutputStream out;
    WriteRecord(out, record);
    return out.data;
}

}  // namespace

TEST(DataFormat, HandWrittenBytesReadAndWriteBackWithLaterDuplicatesWinning) {
    // Ascending keys, no duplicates: the writer's own form.
    const Bytes canonical =
        Head().N32(2).Str("a").I32(2).Str("b").I32(3).N32(2).I32(-5).F32(1.0f).I32(6).F32(2.5f).bytes;
    // Any order, duplicates and non-zero flag and ignored bytes: the reader keeps the last of each key.
    Bytes shuffled = Head()
                         .N32(3)
                         .Str("b")
                         .I32(9)
                         .Str("a")
                         .I32(2)
                         .Str("b")
                         .I32(3)  //
                         .N32(3)
                         .I32(6)
                         .F32(0.0f)
                         .I32(-5)
                         .F32(1.0f)
                         .I32(6)
                         .F32(2.5f)
                         .bytes;
    shuffled[8] = 7;     // the flag byte: any non-zero is true
    shuffled[9] = 0x55;  // the ignored byte
    for (const Bytes& input : {canonical, shuffled}) {
        GF::CMemoryInputStream in(input);
        CEveryKind record;
        std::string why;
        ASSERT_TRUE(ReadRecord(in, record, why)) << why;
        EXPECT_EQ(in.Remaining(), 0u);
        EXPECT_EQ(record, Expected());
        EXPECT_EQ(Written(record), canonical);
    }
}

TEST(DataFormat, FaultsRefuseTheRecordAndNameTheField) {
    const Bytes whole = Written(Expected());
    // Cut at every length: always refused, the record untouched.
    for (size_t size = 0; size < whole.size(); ++size) {
        GF::CMemoryInputStream in(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)));
        CEveryKind record = Expected();
        record.number = 42;
        std::string why;
        EXPECT_FALSE(ReadRecord(in, record, why)) << size;
        EXPECT_EQ(record.number, 42) << size;
        EXPECT_FALSE(why.empty());
    }
    // A count the bytes left cannot hold is refused before anything is reserved.
    const struct {
        Bytes bytes;
        std::string why;
    } cases[] = {
        {Head().N32(0x7FFFFFFF).bytes, "table: count 2147483647 cannot fit in the 0 bytes left"},
        {CDataBytes().I32(1).F32(1.0f).B8(1).B8(0).B8(0).Str("").Str("").Str("").I32(0).N32(5).B8(1).bytes,
         "grid: count 5 cannot fit in the 1 bytes left"},
        {Head().N32(1).Str("a").Raw({0, 0, 0}).bytes, "table[0].value: the data ends early"},
        {Head().N32(1).Str("a").I32(1).N32(2).I32(1).F32(1.0f).Raw({0, 0, 0}).bytes,
         "map: count 2 cannot fit in the 11 bytes left"},
    };
    for (const auto& c : cases) {
        GF::CMemoryInputStream in(c.bytes);
        CEveryKind record;
        std::string why;
        EXPECT_FALSE(ReadRecord(in, record, why));
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(record, CEveryKind());
    }
}
