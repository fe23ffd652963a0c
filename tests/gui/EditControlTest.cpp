#include <gtest/gtest.h>

#include <string>

#include "engine/Hge.h"
#include "framework/gui/EditControl.h"
#include "framework/gui/LayoutItem.h"
#include "framework/resources/Font.h"
#include "framework/scene/IAnimation.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/FontWriter.h"

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
}

TEST(EditText, CursorOffsetByAlignment) {
    EXPECT_EQ(EditCursorOffset(30, 50, 0), 30);
    EXPECT_EQ(EditCursorOffset(50, 50, 1), 25);
    EXPECT_EQ(EditCursorOffset(0, 51, 1), -25);  // the halving rounds toward zero
    EXPECT_EQ(EditCursorOffset(30, 50, 2), -20);
    EXPECT_EQ(EditCursorOffset(30, 50, 7), 0);
}

namespace {

// A font that sets its letters 4 pixels apart: a text is wider than its letters measured alone.
class CTrackedFont : public GF::IFont {
public:
    float GetStringWidth(const GF::WString& text) const override {
        return text.empty() ? 0.0f : 10.0f * static_cast<float>(text.size()) + 4.0f * (text.size() - 1);
    }
    void RenderTransformed(const GF::TTransform&, const GF::WString&, int, int, int) override {}
    void Render(const float&, const float&, const GF::WString&, int) override {}
    void Printf(const float&, const float&, const char*, ...) override {}
    float GetLineHeight() const override { return 20.0f; }
    int GetBaseHeight() const override { return 16; }
    void SetTracking(int) override {}
    void SetLineSpacing(int) override {}
    void SetOpacity(const float&) override {}
    float GetOpacity() const override { return 1.0f; }
    bool Load(int) override { return true; }
    void SetColor(const hgeColor&) override {}
    const hgeColor& GetColor() const override { return m_color; }
    void SetScale(const GF::TPoint<float>&) override {}
    void SetBlendMode(int) override {}
    void SetRotation(float) override {}
    float GetRotation() const override { return 0.0f; }
    int GetTracking() const override { return 4; }
    int GetLineSpacing() const override { return 0; }

private:
    hgeColor m_color;
};

}  // namespace

TEST(EditText, TheWidthCheckMeasuresTheWholeTextWithTheFont) {
    const GF::THolder<CTrackedFont> font(new CTrackedFont);
    GF::WString text;
    while (text.size() < 20 && EditCharFits(font.Get(), text, u'A', 100.0f)) text.push_back(u'A');
    // Seven letters take 94 pixels with their spacing; an eighth would run past the field.
    EXPECT_EQ(text, u"AAAAAAA");
    EXPECT_LE(font->GetStringWidth(text), 100.0f);
    EXPECT_FALSE(EditCharFits(nullptr, u"", u'A', 100.0f));
}

// --- The field on a screen ---

namespace {

using namespace GF;

// The new player's layout with a font in which every character is 10 pixels wide (the field is 200)
// and the lower-case letters o to z have no glyph.
class EditField : public CGuiFixture {
protected:
    EditField() {
        TFontFile font;
        font.top = 0;
        font.base = 16;
        font.bottom = 20;
        for (char16_t c = u' '; c <= u'z'; ++c)
            if (c < u'o') font.glyphs.push_back({c, 0, 0, 10, 16, 0, 0, 10, 16});
        engine.AddResource("Font\\0.fnt", WriteFontFile(font));
        screen->Initialize("main_menu.new_player_screen", {}, "");
    }
    ~EditField() override { screen->Destroy(); }

    THolder<CEditControl> Make(int maximumLength = -1) {
        THolder<CEditControl> field = screen->CreateEdit("edit", maximumLength);
        field->m_textChangedEvent.Add(CreateDelegate(this, &EditField::OnTextChanged));
        return field;
    }
    void Type(const std::u16string& text) {
        for (const char16_t c : text) manager->RaiseChar(c);
    }
    void Key(int key, const THolder<CEditControl>& field) {
        engine.SetKey(key);
        field->Update(16.0f);
        engine.SetKey(0);
    }
    static TAnimationPtr Cursor(const THolder<CEditControl>& field) {
        return HostedAnimation(field->GetAnimation(), "_item_cursor");
    }
    // Where the drawn cursor stands, in characters of 10 pixels from the field's left end at 224.
    static int CursorColumn(const THolder<CEditControl>& field) {
        return static_cast<int>(Cursor(field)->GetPosition().x - 224.0f) / 10;
    }
    static std::u16string Shown(const THolder<CEditControl>& field) {
        const WChar* text = field->GetAnimation()->GetText("_text");
        return text ? text : u"(none)";
    }
    void OnTextChanged(THolder<CBaseControl>) { ++changes; }

    class CPlain : public CScreenAbstract {};
    THolder<CPlain> screen = MakeHolder<CPlain>();
    int changes = 0;
};

TEST_F(EditField, TypedCharactersGoInAtTheCursorThroughTheFilter) {
    const THolder<CEditControl> field = Make();
    ASSERT_TRUE(Cursor(field)->IsVisible());
    // The field starts empty, shown as one space, its cursor at the text's left end.
    EXPECT_EQ(Shown(field), u" ");
    EXPECT_EQ(Cursor(field)->GetPosition(), (TPoint<float>{224.0f, 220.0f}));

    Type(u"Bad");
    EXPECT_EQ(field->GetString(), u"Bad");
    EXPECT_EQ(Shown(field), u"Bad");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(Cursor(field)->GetPosition(), (TPoint<float>{254.0f, 220.0f}));

    // A lower-case letter the font lacks goes in as its capital; Home then inserts at the start.
    Key(HGEK_HOME, field);
    Type(u"z");
    EXPECT_EQ(field->GetString(), u"ZBad");
    EXPECT_EQ(CursorColumn(field), 1);

    field->m_allowedChars = u"#";
    Type(u"7x");
    field->m_allowedChars = u"$";
    Type(u"5a");
    field->m_allowedChars = u"bd";
    Type(u"bQ");
    EXPECT_EQ(field->GetString(), u"Z7abBad");
}

TEST_F(EditField, AFullFieldTakesNoMore) {
    // 19 characters of 10 pixels fit a field 200 wide: the width must stay below it. A typed
    // line-break escape counts as the two characters it is.
    const THolder<CEditControl> field = Make();
    Type(u"\\n" + std::u16string(25, u'A'));
    EXPECT_EQ(field->GetString(), u"\\n" + std::u16string(17, u'A'));

    // With a maximum length of 3, SetText keeps the first three characters that pass the filter
    // and fit (it capitalises nothing: "z" has no glyph).
    field->m_maxLength = 3;
    field->m_allowedChars = u"$";
    field->SetText(u"a9z-c.Zd");
    EXPECT_EQ(field->GetString(), u"acZ");
    EXPECT_EQ(CursorColumn(field), 0);
    Key(HGEK_END, field);
    Type(u"A");
    EXPECT_EQ(field->GetString(), u"acZ");
}

TEST_F(EditField, EditingKeysMoveTheCursorAndDelete) {
    const THolder<CEditControl> field = Make();
    Type(u"ABCD");
    struct Step {
        int key;
        const char16_t* text;
        int cursor;
    };
    const Step steps[] = {
        {HGEK_RIGHT, u"ABCD", 4},    {HGEK_DELETE, u"ABCD", 4},  // at the end: nothing to delete
        {HGEK_BACKSPACE, u"ABC", 3}, {HGEK_LEFT, u"ABC", 2},    {HGEK_DELETE, u"AB", 2},
        {HGEK_HOME, u"AB", 0},       {HGEK_LEFT, u"AB", 0},     {HGEK_BACKSPACE, u"AB", 0},
        {HGEK_DELETE, u"B", 0},      {HGEK_END, u"B", 1},       {'Q', u"B", 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.key);
        Key(s.key, field);
        EXPECT_EQ(field->GetString(), s.text);
        EXPECT_EQ(CursorColumn(field), s.cursor);
    }
    Key(HGEK_BACKSPACE, field);
    EXPECT_EQ(Shown(field), u" ");
}

TEST_F(EditField, ClickingElsewhereTakesTheFocusAndClickingTheFieldGivesItBack) {
    const THolder<CEditControl> field = Make();
    screen->OnTop();
    for (int i = 0; i < 5; ++i) screen->Update(100.0f);
    Type(u"AB");
    const TAnimationPtr cursor = Cursor(field);
    ASSERT_TRUE(cursor);

    SetMouse(20, 20, 1);
    screen->Update(16.0f);
    EXPECT_FALSE(cursor->IsVisible());
    SetMouse(20, 20, 0);
    screen->Update(16.0f);
    Type(u"C");
    Key(HGEK_HOME, field);
    EXPECT_EQ(field->GetString(), u"AB");
    EXPECT_EQ(CursorColumn(field), 2);

    for (int buttons : {0, 1, 0}) {
        SetMouse(300, 220, buttons);
        screen->Update(16.0f);
    }
    EXPECT_TRUE(cursor->IsVisible());
    EXPECT_EQ(CursorColumn(field), 0);
    Type(u"C");
    EXPECT_EQ(field->GetString(), u"CAB");

    // Keep focus: a click elsewhere leaves it.
    field->m_keepFocus = true;
    SetMouse(20, 20, 1);
    screen->Update(16.0f);
    EXPECT_TRUE(cursor->IsVisible());
}

TEST_F(EditField, AfterDestroyNoCharacterReachesTheField) {
    const THolder<CEditControl> field = Make();
    Type(u"A");
    field->Destroy();
    Type(u"B");
    EXPECT_EQ(field->GetString(), u"A");
}

}  // namespace
