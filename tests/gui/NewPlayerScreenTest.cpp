#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/NewPlayerScreen.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/FontWriter.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

// The new-player screen shown by the manager over the sample layout ("ok" about (240, 280),
// "cancel" about (400, 280)), with a font of 10-pixel letters.
class NewPlayerScreenTest : public CGuiFixture {
protected:
    NewPlayerScreenTest() {
        TFontFile font;
        font.bottom = 20;
        font.base = 16;
        for (char16_t c = u' '; c <= u'z'; ++c) font.glyphs.push_back({c, 0, 0, 10, 16, 0, 0, 10, 16});
        engine.AddResource("Font\\0.fnt", WriteFontFile(font));
        properties->SetString("NewPlayerName") = u"(old)";
        manager->RegisterScreenFactory("new_player_screen", &CNewPlayerMenuScreen::Create);
        manager->ShowScreen("new_player_screen", "main_menu.new_player_screen", {}, "");
        screen = HolderCast<CNewPlayerMenuScreen>(manager->FindScreen("new_player_screen"));
        ok = screen->FindControl("ok");
        name = HolderCast<CEditControl>(screen->FindControl("edit"));
    }

    void Type(const std::u16string& text) {
        for (const char16_t c : text) manager->RaiseChar(c);
    }
    std::u16string Stored() const { return properties->GetString("NewPlayerName"); }

    THolder<CNewPlayerMenuScreen> screen;
    THolder<CBaseControl> ok;
    THolder<CEditControl> name;
};

TEST_F(NewPlayerScreenTest, OkAndEnterWaitForANameThatIsNotAllSpaces) {
    ASSERT_TRUE(screen && ok && name);
    EXPECT_TRUE(name->m_keepFocus);
    struct Step {
        const char16_t* typed;
        int backspaces;
        bool enabled;
    };
    const Step steps[] = {
        {u"", 0, false},   {u"   ", 0, false},  // spaces only
        {u"A", 0, true},   {u"da", 0, true},
        {u"", 3, false},   {u"", 3, false},  // the letters erased, then the spaces
        {u"Ann", 0, true},
    };
    for (const Step& s : steps) {
        Type(s.typed);
        for (int i = 0; i < s.backspaces; ++i) {
            engine.SetKey(HGEK_BACKSPACE);
            name->Update(16.0f);
        }
        engine.SetKey(0);
        SCOPED_TRACE(Narrow(name->GetString()));
        EXPECT_EQ(ok->IsEnabled(), s.enabled);
    }
}

TEST_F(NewPlayerScreenTest, ANameConfirmedWithEnterIsStoredAndEndsWithBack) {
    // Typed while the screen still shows, confirmed when it is idle.
    Type(u"Ada");
    const std::vector<std::string> parts = Run({{2, CKeyset::kKeyEnter}});
    const std::vector<std::string> expected = {"_show", "_show", "_show", "_show", "_idle",
                                               "_hide", "_hide", "_hide", "_hide"};
    ASSERT_EQ(parts.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(parts[i], "new_player_screen" + expected[i]) << i;
    EXPECT_EQ(Stored(), u"Ada");
    EXPECT_EQ(flow.notes, (std::vector<std::string>{"result back", "finished new_player_screen back"}));
}

TEST_F(NewPlayerScreenTest, OkClickedStoresTheNameCancelEmptiesIt) {
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        if (cancel) {
            flow.notes.clear();
            manager->ShowScreen("new_player_screen", "main_menu.new_player_screen", {}, "");
            screen = HolderCast<CNewPlayerMenuScreen>(manager->FindScreen("new_player_screen"));
        }
        for (int i = 0; i < 5; ++i) Frame();  // to the idle phase
        Type(u"Bo");
        const int x = cancel ? 400 : 240;
        for (const int buttons : {0, 1, 0}) {
            SetMouse(x, 280, buttons);
            Frame();
        }
        EXPECT_EQ(screen->GetResult(), cancel ? "back2" : "back");
        // The next frame asks for the hiding: the name is stored then, before "_hide" has played.
        SetMouse(0, 0, 0);
        EXPECT_EQ(Frame(), "new_player_screen_hide");
        EXPECT_EQ(Stored(), cancel ? u"" : u"Bo");
        EXPECT_EQ(screen->GetResult(), "back");
        Run();
        EXPECT_EQ(flow.notes, (std::vector<std::string>{"result " + std::string(cancel ? "back2" : "back"),
                                                        "finished new_player_screen back"}));
    }
}

}  // namespace
