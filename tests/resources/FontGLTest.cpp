#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/resources/Font.h"
#include "framework/resources/TextTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FontWriter.h"
#include "tests/support/ImageWriters.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kBlack = 0xFF000000;

class FontGL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.Ready()) << engine.Error(); }
    void TearDown() override {
        std::error_code error;
        if (!m_dir.empty()) fs::remove_all(m_dir, error);
    }

    // A resource archive in a folder of its own, holding the given files.
    std::string WritePack(const std::vector<std::pair<std::string, std::vector<unsigned char>>>& files) {
        m_dir = fs::temp_directory_path() / ("font-gl-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        const std::string path = (m_dir / "fonts.dat").string();
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        EXPECT_NE(archive, nullptr);
        if (!archive) return path;
        for (const auto& [name, bytes] : files) {
            zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
            EXPECT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0) << name;
        }
        EXPECT_EQ(zip_close(archive), 0);  // the buffers are read here, while `files` lives
        return path;
    }

    CEngineFixture engine{64, 32};
    fs::path m_dir;
};

}  // namespace

// A font of 18 pages, well within the picture budget, draws from its last page as from its first; a
// glyph on a page that is missing takes its room and draws nothing.
TEST_F(FontGL, AStringDrawsItsGlyphPicturesFromTheirPages) {
    // Pages 8x8: "L" is a 3x5 picture at (0, 0) (left column and bottom row) of page 0, "I" a 1x5
    // bar at (5, 0) of page 17, "X" a 3x5 picture on page 9, which the archive lacks.
    std::vector<uint32_t> page(8 * 8, 0x00FFFFFF);
    for (int y = 0; y < 5; ++y) page[y * 8 + 0] = 0xFFFFFFFF;
    for (int x = 0; x < 3; ++x) page[4 * 8 + x] = 0xFFFFFFFF;
    for (int y = 0; y < 5; ++y) page[y * 8 + 5] = 0xFFFFFFFF;
    TFontFile font;
    font.top = -5;
    font.bottom = 2;
    font.spacing = 1;
    font.pageCount = 18;
    font.glyphs = {
        {u'L', 0, 0, 3, 5, 0, 0, 3, 5}, {u'I', 17, 0, 1, 5, 5, 0, 1, 5}, {u'X', 9, 0, 3, 5, 0, 0, 3, 5}};
    ASSERT_TRUE(
        engine->Resource_AttachPack(WritePack({{"Font/7.fnt", WriteFontFile(font)},
                                               {"Font/7/7_000.png", TestImages::WritePng(8, 8, page)},
                                               {"Font/7/7_017.png", TestImages::WritePng(8, 8, page)}})
                                        .c_str()));

    GF::THolder<GF::HGENS::CFont> f(new GF::HGENS::CFont);
    ASSERT_TRUE(f->Load(7));
    f->SetColor(hgeColor(1.0f, 0.0f, 0.0f, 1.0f));
    const auto pixels = engine.DrawInto(64, 32, kBlack, [&] { f->Render(10.0f, 20.0f, u"LIX", 0); });
    ASSERT_EQ(pixels.width, 64);

    // L covers x 10..12, y 15..19; I stands one spacing after L's advance of 3, at x 14; X would cover
    // x 16..18.
    auto lit = [](int x, int y) {
        return (x == 10 && y >= 15 && y < 20) || (y == 19 && x >= 10 && x < 13) ||
               (x == 14 && y >= 15 && y < 20);
    };
    for (int y = 12; y < 23; ++y)
        for (int x = 8; x < 22; ++x)
            EXPECT_EQ(pixels.At(x, y), lit(x, y) ? 0xFFFF0000u : kBlack) << x << "," << y;
}

TEST_F(FontGL, TheSampleContentDrawsItsTitle) {
    // The built sample archive, in the data folder as the game finds it.
    ASSERT_TRUE(engine->Resource_AttachPack("resource.dat"));

    GF::HGENS::CTextTable table;
    table.Load();
    ASSERT_EQ(*table.Find("Title"), u"Quindle: Marvolant");

    GF::THolder<GF::HGENS::CFont> f(new GF::HGENS::CFont);
    ASSERT_TRUE(f->Load(0));
    EXPECT_EQ(f->GetLineHeight(), 18.0f);
    // "H" in 5x7 pixels drawn 2x2 each: columns 0 and 4 and row 3 are ink. It stands 14 above the pen.
    const auto pixels = engine.DrawInto(64, 32, kBlack, [&] { f->Render(4.0f, 20.0f, u"H", 0); });
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col) {
            const bool ink = col == 0 || col == 4 || row == 3;
            for (int d = 0; d < 4; ++d)
                EXPECT_EQ(pixels.At(4 + col * 2 + d % 2, 6 + row * 2 + d / 2), ink ? 0xFFFFFFFFu : kBlack)
                    << "row " << row << ", column " << col;
        }
}
