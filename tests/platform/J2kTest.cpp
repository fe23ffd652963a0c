#include <gtest/gtest.h>

#include <cstring>

#include "platform/J2k.h"
#include "tests/support/ImageWriters.h"

namespace {

struct Decoded {
    int code = -1;
    int width = 0, height = 0, pitch = 0;
    std::vector<uint32_t> pixels;  // row by row, width per row
};

Decoded DecodeAll(const TestImages::Bytes& file) {
    Decoded d;
    const int handle = _J2K_OpenMemory(file.data(), static_cast<unsigned long>(file.size()));
    if (!handle) {
        d.code = _J2K_getLastError();
        return d;
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    d.code = _J2K_GetResolutionDimensionsByStr(handle, nullptr, &d.width, &d.height);
    if (d.code == J2K_OK || d.code == J2K_WARN_OFFSET) {
        const int decode = _J2K_Decode(handle, &buffer, &size, nullptr, &d.pitch);
        if (decode != J2K_OK) d.code = decode;
    }
    if (buffer) {
        EXPECT_EQ(size, static_cast<unsigned long>(d.pitch) * d.height);
        for (int y = 0; y < d.height; ++y) {
            for (int x = 0; x < d.width; ++x) {
                uint32_t p;
                std::memcpy(&p, buffer + static_cast<std::size_t>(y) * d.pitch + x * 4, 4);
                d.pixels.push_back(p);
            }
        }
    }
    EXPECT_EQ(_J2K_Close(handle), J2K_OK);
    return d;
}

}  // namespace

TEST(J2k, DecodesEachComponentLayoutIntoArgb) {
    const std::vector<uint32_t> picture = {0x11A0B0C0, 0x22102030, 0x33FF0000,
                                           0x4400FF00, 0x550000FF, 0x66808080};
    struct Case {
        int components;
        uint32_t (*expect)(uint32_t);
    };
    const Case cases[] = {
        {1,
         [](uint32_t p) {
             const uint32_t r = (p >> 16) & 0xFF;
             return 0xFF000000u | r << 16 | r << 8 | r;
         }},
        {2,
         [](uint32_t p) {
             const uint32_t r = (p >> 16) & 0xFF;
             return (p & 0xFF000000u) | r << 16 | r << 8 | r;
         }},
        {3, [](uint32_t p) { return 0xFF000000u | (p & 0xFFFFFF); }},
        {4, [](uint32_t p) { return p; }},
    };
    for (const Case& c : cases) {
        const Decoded d = DecodeAll(TestImages::WriteJp2(3, 2, picture, c.components));
        ASSERT_EQ(d.code, J2K_OK) << c.components;
        EXPECT_EQ(d.width, 3);
        EXPECT_EQ(d.height, 2);
        EXPECT_EQ(d.pitch, 16);  // 12 bytes of pixels, rows aligned to 16
        ASSERT_EQ(d.pixels.size(), picture.size());
        for (std::size_t i = 0; i < picture.size(); ++i)
            EXPECT_EQ(d.pixels[i], c.expect(picture[i])) << c.components << " components, pixel " << i;
    }
}

TEST(J2k, InformationAndOffsetImages) {
    const auto file = TestImages::WriteJp2(40, 36, std::vector<uint32_t>(40 * 36, 0xFF336699), 3, 16, 8);
    const int handle = _J2K_OpenMemory(file.data(), static_cast<unsigned long>(file.size()));
    ASSERT_NE(handle, 0);
    J2K_INFO info{};
    ASSERT_EQ(_J2K_GetInfoEx(handle, &info), J2K_OK);
    EXPECT_EQ(info.width, 40);
    EXPECT_EQ(info.height, 36);
    EXPECT_EQ(info.components, 3);
    EXPECT_EQ(info.precision, 8);
    EXPECT_GE(info.resolutions, 1);
    int w = 0, h = 0;
    EXPECT_EQ(_J2K_GetResolutionDimensionsByStr(handle, nullptr, &w, &h), J2K_WARN_OFFSET);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 36);
    EXPECT_EQ(_J2K_GetResolutionDimensionsByStr(handle, "reduce=1", &w, &h), J2K_ERR_ARGUMENT);
    EXPECT_EQ(_J2K_Close(handle), J2K_OK);
    EXPECT_EQ(_J2K_Close(handle), J2K_ERR_HANDLE);
    EXPECT_EQ(_J2K_GetInfoEx(handle, &info), J2K_ERR_HANDLE);
}

TEST(J2k, RefusesWhatIsNotJpeg2000AndSurvivesTruncation) {
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_EQ(_J2K_OpenMemory(png, sizeof png), 0);
    EXPECT_EQ(_J2K_getLastError(), J2K_ERR_FORMAT);
    EXPECT_STRNE(_J2K_getErrorStr(J2K_ERR_FORMAT), "");
    EXPECT_EQ(_J2K_OpenMemory(nullptr, 10), 0);
    EXPECT_EQ(_J2K_getLastError(), J2K_ERR_ARGUMENT);

    // Every cut of a real file either fails cleanly or decodes to the full size.
    const auto file = TestImages::WriteJp2(8, 8, std::vector<uint32_t>(64, 0xFF204060), 4);
    for (std::size_t cut = 1; cut < file.size(); cut += 5) {
        const TestImages::Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        const Decoded d = DecodeAll(part);
        if (d.code == J2K_OK) {
            EXPECT_EQ(d.pixels.size(), 64u) << cut;
        }
    }

    // Tiles sent in more parts than any picture is (each part a header and a record to the decoder)
    // are refused before the decoder sees them; the same tiles in fewer parts decode.
    const TestImages::Bytes parts = TestImages::WriteJ2kOfTileParts(65, 253);
    EXPECT_EQ(_J2K_OpenMemory(parts.data(), static_cast<unsigned long>(parts.size())), 0);
    EXPECT_EQ(_J2K_getLastError(), J2K_ERR_TOO_LARGE);
    const Decoded fewer = DecodeAll(TestImages::WriteJ2kOfTileParts(65, 200));
    EXPECT_EQ(fewer.code, J2K_OK);
    EXPECT_EQ(fewer.pixels.size(), 65u);
}

// The tiles are counted from the first one, which must hold the image area's first pixel: a header
// whose area starts 100,000 one-pixel tiles past the tiles' origin is damaged, not a picture of
// 100,000 tiles.
TEST(J2k, AFirstTileWithoutTheFirstPixelIsDamaged) {
    TestImages::Bytes file = TestImages::WriteJ2kClaiming(16, 16, 1, 1);
    auto put32 = [&file](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
    };
    put32(8, 100016);   // the canvas's right edge
    put32(16, 100000);  // the image area's left edge
    put32(28, 16);      // tiles of one row
    EXPECT_EQ(_J2K_OpenMemory(file.data(), static_cast<unsigned long>(file.size())), 0);
    EXPECT_EQ(_J2K_getLastError(), J2K_ERR_FORMAT);
}
