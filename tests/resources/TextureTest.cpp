#include <gtest/gtest.h>

#include "engine/ResourcePacks.h"
#include "framework/resources/Texture.h"
#include "tests/support/ImageWriters.h"
#include "tests/support/MemoryWatch.h"
#include "tests/support/RecordingEngine.h"

using GF::HGENS::CTexture;

namespace {

// A picture whose every pixel differs: red from x, green from y, blue fixed, alpha 0x80.
std::vector<uint32_t> Picture(int w, int h) {
    std::vector<uint32_t> p(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[static_cast<std::size_t>(y) * w + x] = 0x80000055u | (x * 7 % 256) << 16 | (y * 40) << 8;
    return p;
}

// A different grey level on every row (and column), so a mask read upside down shows.
std::vector<uint8_t> Mask(int w, int h) {
    std::vector<uint8_t> g(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g[static_cast<std::size_t>(y) * w + x] = static_cast<uint8_t>(10 + 60 * y + x);
    return g;
}

DWORD Pixel(CRecordingEngine& engine, HTEXTURE tex, int x, int y) {
    const auto& t = engine.textures.at(tex);
    return t.pixels[static_cast<std::size_t>(y) * t.width + x];
}

}  // namespace

TEST(Texture, PngComesFirstThroughTheEngine) {
    CRecordingEngine engine;
    engine.AddResource("Texture\\5.png", TestImages::WritePng(3, 2, Picture(3, 2)));
    engine.AddResource("Texture\\5.jp2", TestImages::WriteJp2(3, 2, Picture(3, 2)));
    engine.SetTextureSize("Texture\\5.png", 30, 20);
    {
        GF::THolder<CTexture> tex(new CTexture("five", "Texture\\5"));
        tex->Load();
        ASSERT_NE(tex->GetHandle(), 0u);
        EXPECT_EQ(engine.Texture_GetWidth(tex->GetHandle(), false), 30);
        EXPECT_TRUE(engine.HasCall("Texture_Load Texture/5.png"));
        EXPECT_EQ(engine.textures.size(), 1u);  // the JPEG 2000 file was not decoded
        EXPECT_EQ(engine.outstandingBlocks, 0);
    }
    EXPECT_TRUE(engine.textures.empty());  // destroying the texture frees it
}

TEST(Texture, Jp2TakesItsAlphaFromTheCompanionRowsFromTheTop) {
    for (const bool interlaced : {false, true}) {
        CRecordingEngine engine;
        // 5 pixels wide: the codec's rows (16-byte aligned) are longer than the texture's.
        const int w = 5, h = 3;
        engine.AddResource("Texture\\12.jp2", TestImages::WriteJp2(w, h, Picture(w, h)));
        engine.AddResource("Texture\\m_12.gif", TestImages::WriteGreyGif(w, h, Mask(w, h), interlaced));
        GF::THolder<CTexture> tex(new CTexture("twelve", "Texture\\12"));
        tex->Load();
        ASSERT_NE(tex->GetHandle(), 0u);
        EXPECT_EQ(engine.Texture_GetWidth(tex->GetHandle(), false), w);
        const auto pic = Picture(w, h);
        const auto mask = Mask(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * w + x;
                EXPECT_EQ(Pixel(engine, tex->GetHandle(), x, y), (pic[i] & 0x00FFFFFF) | DWORD{mask[i]} << 24)
                    << x << "," << y << (interlaced ? " interlaced" : "");
            }
        }
        EXPECT_EQ(engine.CountCalls("Texture_Unlock"), 1);
        EXPECT_EQ(engine.outstandingBlocks, 0);
        EXPECT_TRUE(engine.log.empty());
    }
}

TEST(Texture, Jp2WithoutAValidCompanionKeepsItsOwnAlpha) {
    const std::vector<std::pair<const char*, TestImages::Bytes>> companions = {
        {"none", {}},
        {"not a GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3}},
    };
    for (const auto& [what, gif] : companions) {
        CRecordingEngine engine;
        engine.AddResource("Texture\\3.jp2", TestImages::WriteJp2(4, 4, Picture(4, 4), 4));
        if (!gif.empty()) engine.AddResource("Texture\\m_3.gif", gif);
        CTexture tex("three", "Texture\\3");
        tex.Load();
        ASSERT_NE(tex.GetHandle(), 0u) << what;
        EXPECT_EQ(Pixel(engine, tex.GetHandle(), 2, 3), Picture(4, 4)[14]) << what;
        EXPECT_EQ(engine.outstandingBlocks, 0) << what;
    }
}

TEST(Texture, ACompanionOfAnotherSizeOrOfEndlessWorkIsLeftOutByName) {
    // Smaller than the picture, one whose header claims 40000 x 40000 in a few dozen bytes (the
    // screen and the image both; an index of the two-colour palette, then the end), and one of the
    // picture's size whose image data is 4 MB of clear codes (a few kilobytes in the archive).
    const TestImages::Bytes huge = {'G',  'I',  'F',  '8',  '9',  'a',  0x40, 0x9C, 0x40, 0x9C, 0x80, 0,
                                    0,    0,    0,    0,    0xFF, 0xFF, 0xFF, 0x2C, 0,    0,    0,    0,
                                    0x40, 0x9C, 0x40, 0x9C, 0,    2,    2,    0x44, 0x01, 0,    0x3B};
    const std::pair<const char*, TestImages::Bytes> masks[] = {
        {"m_7.gif is 3x2", TestImages::WriteGreyGif(3, 2, Mask(3, 2))},
        {"m_7.gif is 40000x40000", huge},
        {"m_7.gif holds more clear codes than a 6x4 picture needs",
         TestImages::WriteGifOfClearCodes(6, 4, 4 << 20)},
        // Codes of one bit: eight clear codes a byte.
        {"m_7.gif holds more clear codes than a 6x4 picture needs",
         TestImages::WriteGifOfClearCodes(6, 4, 2048, 0)},
    };
    for (const auto& [logged, gif] : masks) {
        CRecordingEngine engine;
        engine.AddResource("Texture\\7.jp2", TestImages::WriteJp2(6, 4, Picture(6, 4), 4));
        engine.AddResource("Texture\\m_7.gif", gif);
        CMemoryWatch watch;
        CTexture tex("seven", "Texture\\7");
        tex.Load();
        watch.Stop();
        ASSERT_NE(tex.GetHandle(), 0u) << logged;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(Pixel(engine, tex.GetHandle(), x, y),
                          Picture(6, 4)[static_cast<std::size_t>(y) * 6 + x])
                    << logged << " at " << x << "," << y;  // the picture keeps its own alpha
        EXPECT_TRUE(engine.HasLog(logged)) << logged << ": " << (engine.log.empty() ? "" : engine.log.back());
        EXPECT_LT(watch.Seconds(), 10.0) << logged;
        EXPECT_LT(watch.AddedPeakMegabytes(), 300) << logged;
        EXPECT_LT(watch.LargestBlock(), std::size_t{16} << 20) << logged;
    }
}

// JPEG 2000 files of a few dozen bytes claiming pictures beyond the bound: by a side, by the pixels
// in all, by the samples of their components, by the records the decoder keeps for every component
// of every tile, and by those it keeps for every code block (4096 x 4096 in blocks of 4 x 4). Each is
// refused by name before the decoder makes room for it.
TEST(Texture, Jp2BeyondTheBoundIsRefusedByNameAtOnce) {
    const TestImages::Bytes files[] = {
        TestImages::WriteJ2kClaiming(16384, 16384, 1),     TestImages::WriteJ2kClaiming(8192, 8192, 1),
        TestImages::WriteJ2kClaiming(3000, 3000, 16),      TestImages::WriteJ2kClaiming(255, 255, 80, 1),
        TestImages::WriteJ2kClaiming(4096, 4096, 1, 0, 0),
    };
    int number = 20;
    for (const TestImages::Bytes& file : files) {
        const std::string base = "Texture\\" + std::to_string(number++);
        CRecordingEngine engine;
        engine.AddResource(base + ".jp2", file);
        EXPECT_LT(file.size(), 1000u) << base;
        CMemoryWatch watch;
        CTexture tex("big", base);
        tex.Load();
        watch.Stop();
        EXPECT_EQ(tex.GetHandle(), 0u) << base;
        EXPECT_TRUE(engine.HasLog("Can't load " + base + ".jp2: more than a texture may hold or cost"))
            << base << ": " << (engine.log.empty() ? "" : engine.log.back());
        EXPECT_TRUE(engine.textures.empty()) << base;
        EXPECT_LT(watch.Seconds(), 10.0) << base;
        EXPECT_LT(watch.AddedPeakMegabytes(), 300) << base;
        EXPECT_LT(watch.LargestBlock(), std::size_t{16} << 20) << base;
    }

    // Within the bound, 572 bytes claiming 4096 x 4096 in four components: the decoder's planes, the
    // picture and its texture would take 400 MB, past the budget of all decoded pictures. And a file
    // larger than any picture needs is refused before it is read.
    CRecordingEngine engine;
    engine.AddResource("Texture\\30.jp2", TestImages::WriteJ2kClaiming(4096, 4096, 4));
    engine.AddResource("Texture\\31.jp2", std::string(Engine::kMaxPictureFileBytes + 1, '\0'));
    CTexture flat("flat", "Texture\\30"), heavy("heavy", "Texture\\31");
    CMemoryWatch watch;
    flat.Load();
    heavy.Load();
    watch.Stop();
    EXPECT_EQ(flat.GetHandle(), 0u);
    EXPECT_EQ(heavy.GetHandle(), 0u);
    EXPECT_TRUE(
        engine.HasLog("Can't load Texture\\30.jp2: a 4096x4096 picture of 4 components would take "
                      "the decoded pictures past 256 MB"));
    EXPECT_TRUE(
        engine.HasLog("Can't read Texture/31.jp2: 84934657 bytes, more than a file of its kind may "
                      "hold (84934656)"));
    EXPECT_LT(watch.AddedPeakMegabytes(), 100);
}

TEST(Texture, RowsLandAtTheDeviceRowLength) {
    CRecordingEngine engine;
    engine.SetPowerOfTwoTextures(true);
    const int w = 300, h = 3;
    engine.AddResource("Texture\\9.jp2", TestImages::WriteJp2(w, h, Picture(w, h), 4));
    CTexture tex("nine", "Texture\\9");
    tex.Load();
    ASSERT_NE(tex.GetHandle(), 0u);
    ASSERT_EQ(engine.Texture_GetWidth(tex.GetHandle(), false), 512);
    const auto pic = Picture(w, h);
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(Pixel(engine, tex.GetHandle(), 0, y), pic[static_cast<std::size_t>(y) * w]) << y;
        EXPECT_EQ(Pixel(engine, tex.GetHandle(), w - 1, y), pic[static_cast<std::size_t>(y) * w + w - 1])
            << y;
        EXPECT_EQ(Pixel(engine, tex.GetHandle(), w, y), 0u) << y;  // past the image: untouched
    }
}

TEST(Texture, OffsetImageAreaStillDecodes) {
    CRecordingEngine engine;
    engine.AddResource("Texture\\4.jp2", TestImages::WriteJp2(4, 3, Picture(4, 3), 3, 16, 8));
    CTexture tex("four", "Texture\\4");
    tex.Load();
    ASSERT_NE(tex.GetHandle(), 0u);
    EXPECT_EQ(engine.Texture_GetWidth(tex.GetHandle(), false), 4);
    EXPECT_EQ(Pixel(engine, tex.GetHandle(), 3, 2) & 0xFFFFFF, Picture(4, 3)[11] & 0xFFFFFF);
}

TEST(Texture, FailuresLeaveHandleZero) {
    struct Case {
        const char* what;
        bool jp2, garbage, failCreate, failLock;
        bool logged;
    };
    const Case cases[] = {
        {"no file at all", false, false, false, false, false},
        {"undecodable", true, true, false, false, true},
        {"texture creation fails", true, false, true, false, true},
        {"lock fails", true, false, false, true, true},
    };
    for (const Case& c : cases) {
        CRecordingEngine engine;
        if (c.jp2)
            engine.AddResource("Texture\\2.jp2", c.garbage ? TestImages::Bytes{0, 0, 0, 12, 'j', 'P', ' ',
                                                                               ' ', 13, 10, 0x87, 10, 1, 2}
                                                           : TestImages::WriteJp2(4, 4, Picture(4, 4)));
        engine.FailTextureCreate(c.failCreate);
        engine.FailTextureLock(c.failLock);
        CTexture tex("two", "Texture\\2");
        tex.Load();
        EXPECT_EQ(tex.GetHandle(), 0u) << c.what;
        EXPECT_EQ(engine.HasLog("Can't load Texture\\2.jp2"), c.logged) << c.what;
        EXPECT_TRUE(engine.textures.empty()) << c.what;  // nothing half made is left behind
        EXPECT_EQ(engine.outstandingBlocks, 0) << c.what;
    }
}

TEST(Image, WithoutASpriteItHasNoSize) {
    GF::THolder<GF::IImage> image(new GF::HGENS::CImage);
    EXPECT_EQ(image->GetWidth(), 0.0f);
    EXPECT_EQ(image->GetHeight(), 0.0f);
}
