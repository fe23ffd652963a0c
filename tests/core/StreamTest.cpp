#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "framework/core/DataStreams.h"
#include "framework/core/MemoryStreams.h"
#include "framework/core/Stream.h"
#include "tests/support/RecordingEngine.h"

namespace {

using Bytes = std::vector<unsigned char>;
using GF::CMemoryInputStream;
using GF::CMemoryOutputStream;

Bytes VarUInt(uint32_t v) {
    CMemoryOutputStream out;
    GF::WriteVarUInt(out, v);
    return out.data;
}

TEST(Encoding, CountsUseSevenBitGroupsLowFirst) {
    const struct {
        uint32_t value;
        Bytes bytes;
    } cases[] = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x80, 0x01}},
        {300, {0xAC, 0x02}},
        {16383, {0xFF, 0x7F}},
        {16384, {0x80, 0x80, 0x01}},
        {0xFFFFFFFFu, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VarUInt(c.value), c.bytes) << c.value;
        CMemoryInputStream in(c.bytes);
        EXPECT_EQ(GF::ReadVarUInt(in), c.value);
        EXPECT_FALSE(in.Failed());
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Encoding, BrokenCountsFailTheStream) {
    CMemoryInputStream truncated({0x80, 0x80});  // ends inside the count
    EXPECT_EQ(GF::ReadVarUInt(truncated), 0u);
    EXPECT_TRUE(truncated.Failed());

    CMemoryInputStream tooLong({0x80, 0x80, 0x80, 0x80, 0x80, 0x01});  // six groups
    EXPECT_EQ(GF::ReadVarUInt(tooLong), 0u);
    EXPECT_TRUE(tooLong.Failed());
}

TEST(Encoding, IntegersAreBigEndian) {
    CMemoryOutputStream out;
    GF::WriteUInt32BE(out, 0x01020304u);
    GF::WriteInt32BE(out, -2);
    EXPECT_EQ(out.data, (Bytes{1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFE}));
    CMemoryInputStream in(out.data);
    uint32_t u = 0;
    int32_t i = 0;
    EXPECT_TRUE(GF::ReadUInt32BE(in, u));
    EXPECT_TRUE(GF::ReadInt32BE(in, i));
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(i, -2);
    EXPECT_FALSE(GF::ReadUInt32BE(in, u));  // past the end
    EXPECT_TRUE(in.Failed());
}

TEST(Encoding, LittleEndianFloatsKeepTheirBits) {
    const struct {
        uint32_t bits;
        Bytes bytes;
    } cases[] = {
        {0x3F800000u, {0x00, 0x00, 0x80, 0x3F}},  // 1.0
        {0xC2F00000u, {0x00, 0x00, 0xF0, 0xC2}},  // -120.0
        {0x7FA00001u, {0x01, 0x00, 0xA0, 0x7F}},  // a signalling NaN with a payload
    };
    for (const auto& c : cases) {
        float value = 0.0f;
        std::memcpy(&value, &c.bits, sizeof value);
        CMemoryOutputStream out;
        GF::WriteFloatLE(out, value);
        EXPECT_EQ(out.data, c.bytes) << c.bits;
        CMemoryInputStream in(c.bytes);
        float read = 0.0f;
        EXPECT_TRUE(GF::ReadFloatLE(in, read));
        uint32_t bits = 0;
        std::memcpy(&bits, &read, sizeof bits);
        EXPECT_EQ(bits, c.bits);
    }
    CMemoryInputStream shortInput({0x00, 0x00, 0x80});
    float value = 0.0f;
    EXPECT_FALSE(GF::ReadFloatLE(shortInput, value));
    EXPECT_TRUE(shortInput.Failed());
}

TEST(Encoding, StringsRoundTripAndRefuseLengthsBeyondTheData) {
    CMemoryOutputStream out;
    GF::WriteWString(out, u"AB");
    EXPECT_EQ(out.data, (Bytes{0x02, 0x00, 0x41, 0x00, 0x42}));

    const GF::WString wide = u"Caf\u00e9 \u4e2d\U0001F600";  // includes a surrogate pair
    const std::string narrow = "plain";
    CMemoryOutputStream both;
    GF::WriteString(both, narrow);
    GF::WriteWString(both, wide);
    GF::WriteString(both, "");
    CMemoryInputStream in(both.data);
    std::string n = "junk";
    GF::WString w;
    EXPECT_TRUE(GF::ReadString(in, n));
    EXPECT_TRUE(GF::ReadWString(in, w));
    EXPECT_EQ(n, narrow);
    EXPECT_EQ(w, wide);
    EXPECT_TRUE(GF::ReadString(in, n));
    EXPECT_EQ(n, "");
    EXPECT_EQ(in.Remaining(), 0u);

    // A huge count read from a corrupt file is refused before anything is allocated.
    CMemoryInputStream lying({0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 'a', 'b'});
    EXPECT_FALSE(GF::ReadString(lying, n));
    EXPECT_TRUE(lying.Failed());
    EXPECT_TRUE(n.empty());
    CMemoryInputStream lyingWide({0x03, 0x00, 0x41, 0x00, 0x42});  // three units, two present
    EXPECT_FALSE(GF::ReadWString(lyingWide, w));
    EXPECT_TRUE(w.empty());
}

TEST(BlobReader, ReadsWithinItsBlockAndGivesItBack) {
    CRecordingEngine engine;
    engine.AddResource("Binary\\ten.bin", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    {
        auto reader = GF::CreateBlobReader();
        EXPECT_FALSE(reader->Open("Binary\\missing.bin"));
        ASSERT_TRUE(reader->Open("Binary/ten.bin"));
        EXPECT_EQ(reader->Skip(4), 4u);
        unsigned char buffer[10] = {};
        EXPECT_EQ(reader->Read(buffer, 10), 6u);
        EXPECT_EQ(buffer[0], 4);
        EXPECT_EQ(buffer[5], 9);
        EXPECT_EQ(reader->Read(buffer, 10), 0u);
        EXPECT_TRUE(reader->Failed());
        EXPECT_EQ(engine.outstandingBlocks, 1);
    }
    EXPECT_EQ(engine.outstandingBlocks, 0);
}

TEST(FileStreams, WriteThenReadAFile) {
    const auto path = std::filesystem::temp_directory_path() / ("gf_stream_" + std::to_string(::getpid()));
    {
        auto out = GF::CreateDataOutputStream();
        ASSERT_TRUE(out->OpenW(GF::Widen(path.string())));
        GF::WriteUInt32BE(*out, 7);
        out->WriteZeros(3);
        GF::WriteWString(*out, u"hi");
        out->Close();
        EXPECT_FALSE(out->Failed());
    }
    auto in = GF::CreateDataInputStream();
    ASSERT_TRUE(in->Open(path.string().c_str()));
    EXPECT_EQ(in->Remaining(), 4u + 3u + 5u);
    uint32_t v = 0;
    EXPECT_TRUE(GF::ReadUInt32BE(*in, v));
    EXPECT_EQ(v, 7u);
    EXPECT_EQ(in->Skip(3), 3u);
    GF::WString w;
    EXPECT_TRUE(GF::ReadWString(*in, w));
    EXPECT_EQ(w, u"hi");
    EXPECT_EQ(in->Skip(10), 0u);
    std::filesystem::remove(path);

    auto missing = GF::CreateDataInputStream();
    EXPECT_FALSE(missing->Open((path.string() + ".none").c_str()));
    auto unwritable = GF::CreateDataOutputStream();
    EXPECT_FALSE(unwritable->OpenW(u"/nonexistent-folder/x"));
}

}  // namespace
