#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/Mouse.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/Players.h"
#include "tests/game/GameFixture.h"
#include "tests/support/FontWriter.h"

// The sample game as the build made it (game data with its flow table, level tables and texts)
// under the game's application, the sample resource script and a fresh save folder. Frames of 100
// ms; the mouse and keys are set as the engine would set them.
class CMenuScreensFixture : public CGameFixture {
protected:
    CMenuScreensFixture() {
        GF::CMemoryInputStream in(Staged("gamedata.bin"));
        std::string why;
        EXPECT_TRUE(ParseGameData(in, data, why)) << why;
        engine.AddResource("Binary\\levelsdata.bin", Staged("levelsdata.bin"));
        engine.AddResource("Binary\\libdata.bin", Staged("libdata.bin"));
        engine.AddResource("Binary\\textdata.txt", Staged("textdata.txt"));
        // Letters 10 pixels wide, so that typed names fit the name field.
        TFontFile font;
        font.bottom = 20;
        font.base = 16;
        for (char16_t c = u' '; c <= u'z'; ++c) font.glyphs.push_back({c, 0, 0, 10, 16, 0, 0, 10, 16});
        engine.AddResource("Font\\0.fnt", WriteFontFile(font));
        engine.SetDelta(0.1f);  // the engine's frame time, which the shades read, is the frames' 100 ms
        GF::GetGameManager()->GetScreenResultEvent().Add(ResultDelegate());
    }
    ~CMenuScreensFixture() override { GF::GetGameManager()->GetScreenResultEvent().Remove(ResultDelegate()); }

    static std::vector<unsigned char> Staged(const std::string& name) {
        std::ifstream in(QUINDLE_TEST_DATA_DIR "/../content-staging/Binary/" + name, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

    // Frames until the named screen has been on top long enough for the shades to open (1250 ms)
    // and its "_show" to play, with its result still empty; at most 100.
    bool ReachIdle(const std::string& name) {
        int onTop = 0;
        for (int frame = 0; frame < 100; ++frame) {
            onTop = TopName() == name && Top()->GetResult().empty() ? onTop + 1 : 0;
            if (onTop > 20) return true;
            if (Frame() == "end") return false;
        }
        return false;
    }
    // On top and idle, then eight frames more: its buttons and keys are heard, its carousel stepped.
    bool Open(const std::string& name) {
        if (!ReachIdle(name)) return false;
        for (int frame = 0; frame < 8; ++frame) Frame();
        return TopName() == name;
    }
    // Frames until the named screen is on top, at most 100.
    bool ReachTop(const std::string& name) {
        for (int frame = 0; frame < 100 && TopName() != name; ++frame)
            if (Frame() == "end") return false;
        return TopName() == name;
    }

    GF::THolder<GF::HGENS::CBaseControl> Control(const std::string& name) { return Top()->FindControl(name); }

    // The mouse moves onto the control, presses and lets go there, one frame each.
    void Click(const std::string& name) {
        const GF::THolder<GF::HGENS::CBaseControl> control = Control(name);
        ASSERT_TRUE(control) << name;
        const GF::TRect& rect = control->GetHitRect();
        ClickAt(static_cast<float>((rect.left + rect.right) / 2),
                static_cast<float>((rect.top + rect.bottom) / 2));
        GF::GetMouse()->SetPosition(0.0f, 0.0f);
    }
    // The same at a point, the mouse left there.
    void ClickAt(float x, float y) {
        GF::GetMouse()->SetPosition(x, y);
        Frame();
        engine.SetKeyState(HGEK_LBUTTON, true);
        Frame();
        engine.SetKeyState(HGEK_LBUTTON, false);
        Frame();
    }
    void Press(int key) {
        GF::GetKeyset()->SetDown(key, true);
        Frame();
    }
    void Type(const std::u16string& text) {
        for (char16_t ch : text) GF::GetGameManager()->RaiseChar(ch);
        Frame();
    }
    std::u16string ItemText(const std::string& item) {
        const GF::TAnimationPtr hosted = GF::HGENS::HostedAnimation(Top()->GetAnimation(), item);
        const GF::WChar* text = hosted ? hosted->GetText("_text") : nullptr;
        return text ? std::u16string(text) : std::u16string();
    }

    // The players of the settings file as it is on disk now.
    CPlayerStore SavedStore() {
        const std::vector<unsigned char> bytes = ReadSettings();
        CPlayerStore store;
        store.version = GetGameData().players.version;
        if (bytes.size() < 16) return store;
        GF::CMemoryInputStream in(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
        std::string why;
        EXPECT_EQ(LoadSettingsPart(in, store, why), ESettingsPart::Loaded) << why;
        return store;
    }

    static float Variable(int id) { return GetCurrentPlayer().floatVars[id]; }

    GF::THolder<GF::IDelegate1<void, GF::THolder<GF::IScreen>>> ResultDelegate() {
        return GF::CreateDelegate(this, &CMenuScreensFixture::OnResult);
    }
    void OnResult(GF::THolder<GF::IScreen> screen) {
        results.emplace_back(screen->GetName(), screen->GetResult());
    }
    std::string LastResult() const { return results.empty() ? std::string() : results.back().second; }

    // Every screen that reported a result, with the result, in order.
    std::vector<std::pair<std::string, std::string>> results;
};
