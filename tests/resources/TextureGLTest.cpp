#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/resources/Texture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ImageWriters.h"
#include "tests/support/MemoryWatch.h"

using GF::HGENS::CTexture;

namespace {

class TextureGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine.Ready()) << engine.Error();
        std::filesystem::create_directories(folder / "Texture");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void Write(const std::string& name, const TestImages::Bytes& bytes) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // The base name as the resource manager forms it, under the test's folder.
    std::string Base(int number) const { return folder.string() + "/Texture\\" + std::to_string(number); }

    CEngineFixture engine{64, 32};
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("texture-gl-" + std::to_string(::getpid()));
};

}  // namespace

TEST_F(TextureGL, Jp2WithGifAlphaReachesTheDeviceTextureRowByRow) {
    const int w = 300, h = 4;  // not a power of two: the device texture may be wider
    std::vector<uint32_t> picture(static_cast<std::size_t>(w) * h);
    std::vector<uint8_t> grey(picture.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture[static_cast<std::size_t>(y) * w + x] =
                0xFF000000u | (x & 0xFF) << 16 | (y * 50) << 8 | 0x33;
            grey[static_cast<std::size_t>(y) * w + x] = static_cast<uint8_t>(20 + 70 * y);
        }
    }
    Write("Texture/3.jp2", TestImages::WriteJp2(w, h, picture));
    Write("Texture/m_3.gif", TestImages::WriteGreyGif(w, h, grey));

    CTexture tex("three", Base(3));
    tex.Load();
    ASSERT_NE(tex.GetHandle(), 0u);
    EXPECT_EQ(engine->Texture_GetWidth(tex.GetHandle(), true), w);
    const CEngineFixture::Pixels pixels = engine.Read(tex.GetHandle());
    ASSERT_GE(pixels.width, w);
    for (int y = 0; y < h; ++y) {
        for (int x : {0, 1, 150, w - 1}) {
            const uint32_t want = (picture[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF) |
                                  uint32_t{grey[static_cast<std::size_t>(y) * w + x]} << 24;
            EXPECT_EQ(pixels.At(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(TextureGL, SpriteCutFromAPngDrawsItsRectangle) {
    // 8 x 8 green with a red 4 x 4 square at (2, 2).
    std::vector<uint32_t> picture(64, 0xFF00FF00);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) picture[static_cast<std::size_t>(y) * 8 + x] = 0xFFFF0000;
    Write("Texture/5.png", TestImages::WritePng(8, 8, picture));
    CTexture tex("five", Base(5));
    tex.Load();
    ASSERT_NE(tex.GetHandle(), 0u);

    const CEngineFixture::Pixels pixels = engine.DrawInto(32, 32, 0xFF000000, [&] {
        GF::HGENS::CHGESprite sprite(tex.GetHandle(), 2, 2, 4, 4);
        sprite.SetHotSpot(2, 2);
        sprite.RenderEx(16, 16, 0, 2);  // an 8 x 8 red square centred on (16, 16)
    });

    ASSERT_EQ(pixels.width, 32);
    for (int i = 13; i <= 18; ++i) EXPECT_EQ(pixels.At(i, i) & 0xFFFFFF, 0xFF0000u) << i;
    EXPECT_EQ(pixels.At(10, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(pixels.At(21, 21) & 0xFFFFFF, 0u);
}

// Pictures whose headers claim far more than their files hold are refused before room is made for
// them: a Targa header (which has no signature, so any bytes may look like one) claiming 27248 x
// 12912 from 600 bytes, PNG and BMP headers claiming 100000 x 100000, and a GIMP picture, a format
// the engine does not read at all.
TEST_F(TextureGL, PicturesClaimingHugeSizesAreRefusedUnread) {
#if !defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the allocations are watched through the address sanitizer";
#else
    using Bytes = std::vector<unsigned char>;
    Bytes targa = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x70, 0x6A, 0x70, 0x32, 32, 0};
    Bytes png = {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0,    0, 0, 13, 'I', 'H', 'D',
                 'R',  0,   1,   0x86, 0xA0, 0,    1,    0x86, 0xA0, 8, 6, 0,  0,   0};
    Bytes bmp = {'B', 'M', 0, 0,    0,    0, 0, 0,    0,    0, 54, 0, 0, 0, 40,
                 0,   0,   0, 0xA0, 0x86, 1, 0, 0xA0, 0x86, 1, 0,  1, 0, 32};
    const std::string gimp = "gimp xcf \x03\x5e\xcc\xcc\xcc\x00\x01\x60";
    Bytes xcf(gimp.begin(), gimp.end());
    for (Bytes* file : {&targa, &png, &bmp, &xcf}) {
        file->resize(600, 0x09);
        Write("Texture/7.png", *file);
        CTexture tex("seven", Base(7));
        CMemoryWatch watch;
        tex.Load();
        watch.Stop();
        EXPECT_EQ(tex.GetHandle(), 0u) << file->front();
        EXPECT_LT(watch.LargestBlock(), std::size_t{64} << 20) << file->front();
    }
#endif
}
