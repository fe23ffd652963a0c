#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/resources/TextTable.h"
#include "framework/scene/TextSpriteObject.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/FontWriter.h"
#include "tests/support/TextTableWriter.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// Font 0: line height |20 - 0| = 20, base height |20 - 16| = 4; "A" advances 10, "W" 101. The text
// table holds "AAAAA" (0), "AAAAA\nA" with the line-break escape (1) and "W" (2).
class TextSprite : public TSceneFixture<> {
protected:
    TextSprite() {
        TFontFile font;
        font.top = 0;
        font.base = 16;
        font.bottom = 20;
        font.glyphs = {{u'A', 0, 0, 10, 16, 0, 0, 10, 16},
                       {u'W', 0, 0, 101, 16, 10, 0, 101, 16},
                       {u'-', 0, 0, 6, 8, 0, 16, 6, 2},
                       {u'1', 0, 0, 6, 16, 8, 16, 6, 16},
                       {u'2', 0, 0, 6, 16, 16, 16, 6, 16}};
        engine.AddResource("Font\\0.fnt", WriteFontFile(font));
        engine.AddResource("Font\\0\\0_000.png", "page");
        engine.SetTextureSize("Font\\0\\0_000.png", 128, 32);
        build.Font("main");
        engine.AddResource("Binary\\textdata.txt",
                           WriteTextTable({{"one", u"AAAAA"}, {"two", u"AAAAA\\nA"}, {"wide", u"W"}}));
        CTextTable::Instance().Load();
    }
    ~TextSprite() override {
        engine.AddResource("Binary\\textdata.txt", std::vector<unsigned char>{});
        CTextTable::Instance().Load();  // the process-wide table empty again for the other suites
    }

    // A new animation "name" whose text sprite "t" stands at (200, 100) with the text description.
    THolder<CTextSpriteObjectData> Describe(const std::string& name, int description) {
        build.Animation(name);
        build.Part("all", 0, 1000);
        auto text = build.TextSprite("t");
        AddKeys(text->GetIDResource(), {{description, 0, 1000}});
        AddKeys(text->GetOffset(), {{{200, 100}, 0, 1000}});
        return text;
    }
};

TEST_F(TextSprite, BoxForEachAlignmentAndLineCount) {
    struct Case {
        int alignment;
        int text;
        float scale;
        TRect box;  // 20 pixels a line
    };
    const Case cases[] = {
        {0x00, 0, 1, {200, 84, 250, 104}},  {0x01, 0, 1, {175, 84, 225, 104}},
        {0x02, 0, 1, {150, 84, 200, 104}},  {0x10, 0, 1, {200, 116, 250, 136}},
        {0x11, 1, 1, {175, 116, 225, 156}}, {0x20, 0, 1, {200, 96, 250, 116}},
        {0x22, 1, 1, {150, 96, 200, 136}},  {0x40, 0, 1, {200, 92, 250, 112}},
        {0x41, 1, 1, {175, 72, 225, 112}},  {0x00, 1, 1, {200, 84, 250, 124}},
        {0x21, 0, 2, {150, 96, 250, 136}},  {0x01, 2, 1, {150, 84, 251, 104}},  // half of 101 is 50
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const std::string name = "case" + std::to_string(i);
        const int description = build.TextInfo(name, 0, 0, 0, c.alignment, c.text);
        auto text = Describe(name, description);
        AddKeys(text->GetScale(), {{{c.scale, c.scale}, 0, 1000}});
        TAnimationPtr a = Show(name);
        auto* t = Child<CTextSpriteObject>(a, "t");
        Frame();
        EXPECT_EQ(t->GetBoundingBox(), c.box) << name << " alignment " << c.alignment;
        EXPECT_EQ(a->GetBoundingBox(), c.box) << name;
        a->Reset();
    }
}

TEST_F(TextSprite, LinesAreCountedByTheEscapeNotByLineFeeds) {
    struct Case {
        WString text;
        int lines;
    };
    const Case cases[] = {{u"", 1}, {u"A\\nB", 2}, {u"A\nB", 1}, {u"\\n\\n", 3}, {u"A\\", 1}, {u"\\\\n", 2}};
    for (const Case& c : cases) EXPECT_EQ(CountTextLines(c.text), c.lines) << Utf16ToUtf8(c.text);
}

TEST_F(TextSprite, CodeTextReplacesTheDescriptionsUntilEmptied) {
    Describe("t", build.TextInfo("t", 0, 0, 0, 0x00, 1));
    TAnimationPtr a = Show("t");
    auto* t = Child<CTextSpriteObject>(a, "t");
    t->SetNumber(-12);  // before the first update: kept, and shown once the font is known
    EXPECT_EQ(t->GetText(), u"-12");
    Frame();
    EXPECT_EQ(t->GetText(), u"-12");
    EXPECT_EQ(t->GetBoundingBox(), (TRect{200, 84, 218, 104}));
    EXPECT_EQ(engine.quads.size(), 3u);
    EXPECT_EQ(std::u16string(a->GetText("t")), u"-12");

    t->SetText(u"");  // the description's own text again
    EXPECT_EQ(t->GetText(), u"AAAAA\\nA");
    t->SetText(static_cast<const WChar*>(nullptr));
    EXPECT_EQ(t->GetText(), u"AAAAA\\nA");
}

TEST_F(TextSprite, CodeColourOutlastsColorKeysAndDrawsWithTheDefaultBlend) {
    auto text = Describe("t", build.TextInfo("t", 0, 0, 0, 0x00, 2));
    AddKeys(text->GetColor(), {{hgeColor(1, 0, 0, 1), 0, 100}, {hgeColor(0, 0, 1, 1), 0, 900}});
    AddKeys(text->GetBlend(), {{1, 0, 1000}});
    AddKeys(text->GetOpaque(), {{0.5f, 0, 1000}});
    TAnimationPtr a = Show("t");
    auto* t = Child<CTextSpriteObject>(a, "t");
    Frame(0);
    EXPECT_EQ(t->GetColor(), 0xFFFF0000u);
    ASSERT_EQ(engine.quads.size(), 1u);
    EXPECT_EQ(engine.quads[0].v[0].col, 0x7FFF0000u);  // the opacity is the alpha
    EXPECT_EQ(engine.quads[0].blend, BLEND_COLORADD | BLEND_ALPHABLEND);

    t->SetColor(0xFF00FF00);
    EXPECT_EQ(t->GetColor(), 0xFF00FF00u);
    Frame(100);  // the blue key no longer reaches the text
    EXPECT_EQ(t->GetColor(), 0xFF00FF00u);
    ASSERT_EQ(engine.quads.size(), 2u);
    EXPECT_EQ(engine.quads[1].v[0].col, 0x7F00FF00u);
    EXPECT_EQ(engine.quads[1].blend, BLEND_DEFAULT);
}

TEST_F(TextSprite, WithoutDescriptionNothingIsDrawnAndTheBoxStays) {
    build.Animation("t");
    build.Part("all", 0, 1000);
    auto text = build.TextSprite("t");
    AddKeys(text->GetIDResource(), {{build.TextInfo("t", 0, 0, 0, 0, 0), 0, 100}, {-1, 0, 100}, {9, 0, 100}});
    AddKeys(text->GetOffset(), {{{200, 100}, 1, 300}, {{500, 100}, 0, 0}});
    TAnimationPtr a = Show("t");
    auto* t = Child<CTextSpriteObject>(a, "t");
    Frame(0);
    EXPECT_TRUE(t->GetFont());
    EXPECT_EQ(engine.quads.size(), 5u);
    for (float dt : {100.0f, 100.0f}) {
        Frame(dt);
        EXPECT_FALSE(t->GetTextDescription());
        EXPECT_FALSE(t->GetFont());
        EXPECT_EQ(engine.quads.size(), 5u);
        EXPECT_EQ(t->GetBoundingBox(), (TRect{200, 84, 250, 104}));
    }
}

}  // namespace
