#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "framework/resources/Font.h"
#include "tests/support/FontWriter.h"
#include "tests/support/RecordingEngine.h"

using GF::THolder;
using GF::HGENS::CFont;

namespace {

// Line height |4 - (-10)| = 14, base height |4 - 0| = 4, spacing 1: "A" and "B" advance 7, " " 4.
TFontFile SampleFont() {
    TFontFile f;
    f.top = -10;
    f.base = 0;
    f.bottom = 4;
    f.spacing = 1;
    f.pageCount = 1;
    f.glyphs = {
        {u'A', 0, 0, 6, 10, 0, 0, 6, 10},
        {u'B', 0, -1, 5, 10, 8, 0, 7, 10},
        {u' ', 0, 0, 3, 0, 0, 0, 0, 0},
        {0xD83D, 0, 0, 8, 10, 16, 0, 8, 10},  // half of a surrogate pair is a unit like any other
    };
    return f;
}

struct LoadedFont {
    CRecordingEngine engine;
    THolder<CFont> font{new CFont};
    bool loaded = false;

    explicit LoadedFont(const std::vector<unsigned char>& file, bool withPage = true) {
        engine.AddResource("Font\\3.fnt", file);
        if (withPage) {
            engine.AddResource("Font\\3\\3_000.png", "page");
            engine.SetTextureSize("Font\\3\\3_000.png", 32, 16);
        }
        loaded = font->Load(3);
    }
    explicit LoadedFont(const TFontFile& file = SampleFont()) : LoadedFont(WriteFontFile(file)) {}

    // The top-left corner of each quad drawn since the last call.
    std::vector<std::pair<float, float>> Corners() {
        std::vector<std::pair<float, float>> out;
        for (const hgeQuad& q : engine.quads) out.emplace_back(q.v[0].x, q.v[0].y);
        engine.quads.clear();
        return out;
    }
};

using Corners = std::vector<std::pair<float, float>>;

}  // namespace

TEST(Font, LoadsItsGlyphsOntoThePageTexture) {
    LoadedFont f;
    ASSERT_TRUE(f.loaded);
    EXPECT_TRUE(f.engine.HasLog("Font\\3.fnt"));
    ASSERT_TRUE(f.engine.HasCall("Texture_Load Font/3/3_000.png"));
    EXPECT_EQ(f.font->GetLineHeight(), 14.0f);
    EXPECT_EQ(f.font->GetBaseHeight(), 4);

    const auto* b = f.font->GetGlyph(u'B');
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->left, -1);
    EXPECT_EQ(b->top, 10);
    const hgeQuad& q = b->sprite->quad;
    EXPECT_NE(q.tex, 0u);
    EXPECT_EQ(f.engine.textures[q.tex].name, "Font/3/3_000.png");
    EXPECT_FLOAT_EQ(q.v[0].tx, 8.0f / 32.0f);
    EXPECT_FLOAT_EQ(q.v[2].tx, 15.0f / 32.0f);
    EXPECT_FLOAT_EQ(q.v[2].ty, 10.0f / 16.0f);
    EXPECT_EQ(f.font->GetGlyph(u'Z'), nullptr);

    f.font.Reset();
    EXPECT_EQ(f.engine.CountCalls("Texture_Free"), 1);
}

TEST(Font, StringWidthAddsSpacingAndTrackingUpToTheFirstLineBreak) {
    struct Case {
        std::u16string text;
        int tracking;
        float width;
    } cases[] = {
        {u"", 0, 0},        {u"AB", 0, 14}, {u"A B", 0, 18}, {u"AB", 2, 18},     {u"AZA", 0, 14},
        {u"A\\nBBB", 0, 7}, {u"A\\", 0, 7}, {u"\\n", 0, 0},  {u"A\uFFFF", 0, 7}, {u"\U0001F600", 0, 9},
    };
    LoadedFont f;
    f.font->SetScale({2.0f, 3.0f});  // widths are in font units
    for (const Case& c : cases) {
        f.font->SetTracking(c.tracking);
        EXPECT_EQ(f.font->GetStringWidth(c.text), c.width) << GF::Utf16ToUtf8(c.text);
    }
}

TEST(Font, RenderPlacesGlyphsFromThePenWithScaleAndAlignment) {
    struct Case {
        const char* name;
        std::u16string text;
        int align;
        float scale;
        Corners corners;
    } cases[] = {
        // Scale 1 snaps to whole pixels: A at 100.5 - 0, 50.25 - 10; B one advance (7) on, 1 left of its pen.
        {"left", u"AB", 0, 1.0f, {{100, 40}, {108, 40}}},
        {"scale 2 does not snap", u"AB", 0, 2.0f, {{100.5f, 40.25f}, {116.5f, 40.25f}}},
        {"right by the scaled width", u"AB", 2, 2.0f, {{72.5f, 40.25f}, {88.5f, 40.25f}}},
        {"centre", u"AB", 1, 1.0f, {{93, 40}, {101, 40}}},
        {"glyphless units neither draw nor advance", u"AZ\uFFFFB", 0, 1.0f, {{100, 40}, {108, 40}}},
        // Each line aligns by its own width; the second line is one line height (14) lower.
        {"right, two lines", u"A\\nBB", 2, 1.0f, {{93, 40}, {87, 54}, {94, 54}}},
        {"left, two lines", u"A\\nB", 0, 1.0f, {{100, 40}, {101, 54}}},
        {"a lone backslash is a unit", u"\\A", 0, 1.0f, {{100, 40}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedFont f;
        f.font->SetScale({c.scale, c.scale});
        f.font->Render(100.5f, 50.25f, c.text, c.align);
        EXPECT_EQ(f.Corners(), c.corners);
    }
}

TEST(Font, LineSpacingAndScaleMoveTheNextLine) {
    LoadedFont f;
    f.font->SetLineSpacing(6);
    f.font->SetScale({1.0f, 2.0f});
    f.font->Render(0.0f, 0.0f, u"A\\nA", 0);
    EXPECT_EQ(f.Corners(), (Corners{{0, -10}, {0, 30}}));  // (14 + 6) * 2 lower
}

TEST(Font, RotationTurnsGlyphPositionsAboutTheStartingPoint) {
    LoadedFont f;
    f.font->SetRotation(std::numbers::pi_v<float> / 2);
    f.font->Render(100.0f, 50.0f, u"AB", 0);
    ASSERT_EQ(f.engine.quads.size(), 2u);
    // A's corner (100, 40) lies 10 above the pen: turned a quarter it lies 10 to the right.
    EXPECT_NEAR(f.engine.quads[0].v[0].x, 110.0f, 1e-4f);
    EXPECT_NEAR(f.engine.quads[0].v[0].y, 50.0f, 1e-4f);
    EXPECT_NEAR(f.engine.quads[1].v[0].x, 110.0f, 1e-4f);
    EXPECT_NEAR(f.engine.quads[1].v[0].y, 58.0f, 1e-4f);
}

TEST(Font, ColourOpacityAndBlendReachEveryCorner) {
    struct Case {
        const char* name;
        hgeColor color;
        float opacity;
        int blendMode;
        DWORD expectedColor;
        int expectedBlend;
    } cases[] = {
        {"defaults", {1, 1, 1, 1}, 1.0f, 2, 0xFFFFFFFF, 2},
        {"opacity replaces the alpha", {1, 0, 0, 0.2f}, 0.5f, 2, 0x7FFF0000, 2},
        {"mode 1 adds colour", {0, 1, 0, 1}, 1.0f, 1, 0xFF00FF00, 3},
        {"mode 0 makes it white again", {1, 0, 0, 1}, 1.0f, 0, 0xFFFFFFFF, 2},
        {"unknown mode changes nothing", {0, 0, 1, 1}, 1.0f, 7, 0xFF0000FF, 2},
        {"opacity past 1 stays in its byte", {0, 0, 1, 1}, 1.5f, 2, 0xFF0000FF, 2},
        {"negative opacity is transparent", {0, 0, 1, 1}, -0.5f, 2, 0x000000FF, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedFont f;
        f.font->SetColor(c.color);
        f.font->SetOpacity(c.opacity);
        f.font->SetBlendMode(c.blendMode);
        f.font->Render(0.0f, 0.0f, u"A", 0);
        ASSERT_EQ(f.engine.quads.size(), 1u);
        for (const hgeVertex& v : f.engine.quads[0].v) EXPECT_EQ(v.col, c.expectedColor);
        EXPECT_EQ(f.engine.quads[0].blend, c.expectedBlend);
    }
}

TEST(Font, RenderTransformedDrawsInFontUnitsThroughTheTransform) {
    struct Case {
        const char* name;
        int align, valign, lineCount;
        float firstTop;  // local y of A's top edge: the vertical start minus A's top (10)
        float firstLeft;
    } cases[] = {
        {"top", 0, 0x10, 1, 0, 0},                    // 14 - 4
        {"base", 0, 0x20, 1, -6, 0},                  // 4
        {"centre, one line", 0, 0x40, 1, -5, 0},      // -0.5 * (4 - 14)
        {"centre, three lines", 0, 0x40, 3, -19, 0},  // -0.5 * (4 + 14) = -9
        {"none", 0, 0, 1, -10, 0},
        {"right", 2, 0, 1, -10, -14},
        {"centre", 1, 0, 1, -10, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedFont f;
        f.font->SetScale({5.0f, 5.0f});  // the font's own scale is not used here
        GF::TTransform t;
        t.x = 200;
        t.y = 100;
        t.scaleX = 2;
        t.scaleY = 3;
        f.font->RenderTransformed(t, u"AB", c.align, c.valign, c.lineCount);
        ASSERT_EQ(f.engine.quads.size(), 2u);
        const hgeQuad& a = f.engine.quads[0];
        EXPECT_FLOAT_EQ(a.v[0].x, 200 + c.firstLeft * 2);
        EXPECT_FLOAT_EQ(a.v[0].y, 100 + c.firstTop * 3);
        EXPECT_FLOAT_EQ(a.v[2].x, 200 + (c.firstLeft + 6) * 2);                  // A is 6 wide
        EXPECT_FLOAT_EQ(a.v[2].y, 100 + (c.firstTop + 10) * 3);                  // and 10 high
        EXPECT_FLOAT_EQ(f.engine.quads[1].v[0].x, 200 + (c.firstLeft + 8) * 2);  // B: pen 7, left -1
    }
}

TEST(Font, RenderTransformedRotatesTheCornersAndBreaksLines) {
    LoadedFont f;
    f.font->SetLineSpacing(2);
    GF::TTransform t;
    t.x = 50;
    t.y = 60;
    t.sin = 1;  // a quarter turn
    t.cos = 0;
    f.font->RenderTransformed(t, u"A\\nBB", 2, 0, 2);
    ASSERT_EQ(f.engine.quads.size(), 3u);
    // A: local (-7, -10) turns to (50 + 10, 60 - 7). Second line 16 lower, right aligned by 14:
    // the first B at local (-14 + 1, 6) turns to (50 - 6, 60 - 13).
    const hgeQuad& a = f.engine.quads[0];
    EXPECT_FLOAT_EQ(a.v[0].x, 60);
    EXPECT_FLOAT_EQ(a.v[0].y, 53);
    EXPECT_FLOAT_EQ(a.v[1].x, 60);  // the top edge now runs downwards
    EXPECT_FLOAT_EQ(a.v[1].y, 59);
    EXPECT_FLOAT_EQ(f.engine.quads[1].v[0].x, 44);
    EXPECT_FLOAT_EQ(f.engine.quads[1].v[0].y, 47);
}

TEST(Font, PrintfFormatsAndCutsTheTextAt255Units) {
    LoadedFont f;
    f.font->Printf(10.0f, 20.0f, "%s%c", "A", 'B');
    EXPECT_EQ(f.Corners(), (Corners{{10, 10}, {18, 10}}));
    f.font->Printf(0.0f, 0.0f, "%s", std::string(300, 'A').c_str());
    EXPECT_EQ(f.engine.quads.size(), 255u);
}

TEST(Font, BadFilesAreRefusedAndBadRecordsIgnored) {
    auto cut = [](std::vector<unsigned char> bytes, std::size_t keep) {
        bytes.resize(keep);
        return bytes;
    };
    const TFontFile good = SampleFont();
    const auto goodBytes = WriteFontFile(good);
    TFontFile wrongMagic = good;
    wrongMagic.magic = "HGEFN11";
    TFontFile outsideTable = good;
    outsideTable.glyphs.push_back({0xFFFF, 0, 0, 4, 10, 0, 0, 4, 10});
    TFontFile pageOutOfRange = good;
    pageOutOfRange.glyphs[0].page = 1;
    TFontFile negativePages = good;
    negativePages.pageCount = -3;
    TFontFile twice = good;
    twice.glyphs.push_back({u'A', 0, 0, 9, 10, 0, 0, 9, 10});

    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        bool loads;
        std::u16string drawn;  // units that have a glyph afterwards
        std::u16string missing;
        const char* logged;
    } cases[] = {
        {"wrong magic", WriteFontFile(wrongMagic), false, u"", u"AB", "not a font file"},
        {"empty file", {}, false, u"", u"AB", "not a font file"},
        {"cut in the header", cut(goodBytes, 12), false, u"", u"AB", "ends before"},
        {"cut in the last record", cut(goodBytes, goodBytes.size() - 1), false, u"", u"AB", "ends before"},
        {"code 65535", WriteFontFile(outsideTable), true, u"AB", u"\uFFFF", "glyph 65535 on page 0 ignored"},
        {"page out of range", WriteFontFile(pageOutOfRange), true, u"B", u"A", "glyph 65 on page 1 ignored"},
        {"negative page count", WriteFontFile(negativePages), true, u"", u"AB", "taken as no pages"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedFont f(c.bytes);
        EXPECT_EQ(f.loaded, c.loads);
        for (char16_t u : c.drawn) EXPECT_NE(f.font->GetGlyph(u), nullptr) << int(u);
        for (char16_t u : c.missing) EXPECT_EQ(f.font->GetGlyph(u), nullptr) << int(u);
        EXPECT_TRUE(f.engine.HasLog(c.logged));
        if (!c.loads) {
            EXPECT_EQ(f.engine.CountCalls("Texture_Load"), 0);
        }
        f.font->Render(0.0f, 0.0f, u"AB\uFFFF", 0);
        EXPECT_EQ(f.engine.quads.size(), c.drawn.size());
    }

    LoadedFont later(twice);
    EXPECT_EQ(later.font->GetGlyph(u'A')->right, 9);
}

TEST(Font, MissingFileOrPageImage) {
    CRecordingEngine engine;
    CFont font;
    EXPECT_FALSE(font.Load(3));
    EXPECT_TRUE(engine.log.empty());

    // A page that does not load leaves its glyphs their room and nothing to draw.
    LoadedFont f(WriteFontFile(SampleFont()), false);
    ASSERT_TRUE(f.loaded);
    ASSERT_NE(f.font->GetGlyph(u'A'), nullptr);
    EXPECT_EQ(f.font->GetGlyph(u'A')->sprite.Get(), nullptr);
    EXPECT_EQ(f.font->GetStringWidth(u"AB"), 14.0f);
}

// Only the pages a glyph stands on are worth a picture and a search of the archive and the disk.
TEST(Font, OnlyPagesThatHoldGlyphsAreLoaded) {
    TFontFile file = SampleFont();
    file.pageCount = 16;
    file.glyphs[1].page = 2;
    CRecordingEngine engine;
    for (const char* page :
         {"Font\\3\\3_000.png", "Font\\3\\3_001.png", "Font\\3\\3_002.png", "Font\\3\\3_015.png"})
        engine.AddResource(page, "page");
    engine.AddResource("Font\\3.fnt", WriteFontFile(file));
    THolder<CFont> font(new CFont);
    ASSERT_TRUE(font->Load(3));
    EXPECT_EQ(engine.CountCalls("Texture_Load"), 2);
    EXPECT_TRUE(engine.HasCall("Texture_Load Font/3/3_002.png"));
    ASSERT_NE(font->GetGlyph(u'B'), nullptr);
    EXPECT_NE(font->GetGlyph(u'B')->sprite->quad.tex, 0u);
}

TEST(Font, ARefusedLoadLeavesTheFontAsItWas) {
    LoadedFont f;
    f.engine.AddResource("Font\\4.fnt", "\x07HGEFN10");
    EXPECT_FALSE(f.font->Load(4));
    EXPECT_NE(f.font->GetGlyph(u'A'), nullptr);
    EXPECT_EQ(f.font->GetLineHeight(), 14.0f);
}
