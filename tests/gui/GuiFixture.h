#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/Button.h"
#include "framework/gui/Screen.h"
#include "framework/resources/Resource.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ObjectMakers.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextTableWriter.h"

// The name of the part the animation plays (or showed last): the part of its description that
// starts where its clock started. Empty when none does.
inline std::string PartOf(const GF::TAnimationPtr& animation) {
    if (!animation) return "(none)";
    const GF::THolder<GF::IAnimationData> data = animation->GetAnimationData();
    for (const char* name :
         {"_show", "_idle", "_hide", "_up", "_over", "_leave", "_down", "_disabled", "all"}) {
        const GF::THolder<GF::INamedPart> part =
            data ? data->GetNamedPart(name) : GF::THolder<GF::INamedPart>();
        if (part && part->GetStart() == animation->GetStartTime()) return name;
    }
    return "";
}

// The part the button's item animation shows.
inline std::string PartName(GF::HGENS::CButtonControl* button) {
    return PartOf(button->GetAnimation());
}

// The yes/no dialog that confirmations open: Enter answers "yes", Escape "no", each after "_hide".
class CDialog : public GF::HGENS::CScreenAbstract {
public:
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new CDialog); }
    void OnInitialize() override {
        CScreenAbstract::OnInitialize();
        AddPhaseTask(GF::CKeyset::kKeyEnter, "yes", false, kPhaseIdle | kHideBeforeFinish);
        AddPhaseTask(GF::CKeyset::kKeyEscape, "no", false, kPhaseIdle | kHideBeforeFinish);
    }
};

// The game's part: every result announced and every finished screen is noted and a finished screen
// destroyed; the dialog is left to its opener, which destroys it.
struct CFlow {
    std::vector<std::string> notes;
    void OnResult(GF::THolder<GF::IScreen> screen) {
        if (screen->GetName() != "confirm_screen") notes.push_back("result " + screen->GetResult());
    }
    void OnFinished(GF::THolder<GF::IScreen> screen) {
        if (screen->GetName() == "confirm_screen") return;
        notes.push_back("finished " + screen->GetName() + " " + screen->GetResult());
        GF::GetGameManager()->DestroyScreen(screen->GetName());
    }
};

// The screens' and controls' suites: the sample resource script (compiled into a temporary data
// folder) and a small text table served by a recording engine, the scene's live-object makers, and
// the mouse and the key table set frame by frame. The screen manager, the resource manager, the key
// table and the mouse are put back at the end.
class CGuiFixture : public testing::Test {
protected:
    CGuiFixture() {
        // A 640 x 480 picture: layouts stand about its centre (320, 240).
        properties->m_screenWidth = 640;
        properties->m_screenHeight = 480;
        properties->m_showDemo = false;
        GF::HGENS::InstallSceneObjectMakers();
        engine.AddResource("Animation\\effects.as", ReadSampleScript());
        engine.AddResource("Binary\\textdata.txt", WriteTextTable({{"item_yes", u"Yes!"},
                                                                   {"item_no", u"No!"},
                                                                   {"hint_yes", u"Agree"},
                                                                   {"confirm_quit_01", u"Quit?"}}));
        GF::GetResource()->Load();
        manager->RegisterScreenFactory("confirm_screen", CDialog::Create);
        manager->GetScreenResultEvent().Add(GF::CreateDelegate(&flow, &CFlow::OnResult));
        manager->GetScreenFinishedEvent().Add(GF::CreateDelegate(&flow, &CFlow::OnFinished));
    }
    ~CGuiFixture() override {
        GF::GetGameManager()->Shutdown();
        GF::GetResource()->Clear();
        const GF::THolder<GF::CKeyset> keys = GF::GetKeyset();
        for (int key = 0; key < GF::CKeyset::kKeyCount; ++key) keys->SetDown(key, false);
        GF::GetMouse()->SetPosition(0.0f, 0.0f);
        properties->m_screenWidth = m_savedSize.x;
        properties->m_screenHeight = m_savedSize.y;
        properties->m_showDemo = m_savedDemo;
    }

    static std::string ReadSampleScript() {
        const std::filesystem::path path =
            std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
            "content/Animation/effects.as";
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The mouse as the frame function would leave it: the position in game pixels and the left
    // button (or any button mask: 1 left, 2 right, 4 middle).
    void SetMouse(int x, int y, int buttons = 0) {
        GF::GetMouse()->SetPosition(static_cast<float>(x), static_cast<float>(y));
        engine.SetKeyState(HGEK_LBUTTON, (buttons & 1) != 0);
        engine.SetKeyState(HGEK_RBUTTON, (buttons & 2) != 0);
        engine.SetKeyState(HGEK_MBUTTON, (buttons & 4) != 0);
    }
    // One frame of 100 ms through the screen manager; the part the top screen's layout shows after
    // it (prefixed with the screen's name unless it is "menu"), or "end" when no screen is left.
    std::string Frame() {
        if (!manager->Update(100.0f)) return "end";
        const GF::THolder<GF::IScreen> top = manager->GetTopScreen();
        const std::string part = PartOf(top->GetAnimation());
        return top->GetName() == "menu" ? part : top->GetName() + part;
    }
    // Frames until no screen is left (at most 30), with keys pressed before the frames given.
    std::vector<std::string> Run(const std::vector<std::pair<int, int>>& pressesBeforeFrame = {}) {
        std::vector<std::string> parts;
        for (int frame = 0; frame < 30; ++frame) {
            for (const auto& [at, key] : pressesBeforeFrame)
                if (at == frame) PressKey(key);
            parts.push_back(Frame());
            if (parts.back() == "end") break;
        }
        return parts;
    }
    static void PressKey(int key) { GF::GetKeyset()->SetDown(key, true); }
    static bool KeyWaiting(int key) { return GF::GetKeyset()->IsDown(key); }

    GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    const GF::TPoint<int> m_savedSize{properties->m_screenWidth, properties->m_screenHeight};
    const bool m_savedDemo = properties->m_showDemo;
    CRecordingEngine engine;
    CTempFolder data{"quindle-gui"};
    CScopedEnv dataFolder{"QUINDLE_DATA_DIR", data.Path()};
    CObjectMakersScope makersScope;
    GF::THolder<GF::HGENS::CGameManager> manager = GF::GetGameManager();
    CFlow flow;
};

// A plain screen laid out with a layout of the sample script, by default the one of every control
// kind, "controls.sample", for the suites of single controls.
class CControlsFixture : public CGuiFixture {
protected:
    explicit CControlsFixture(const char* layout = "controls.sample") { screen->Initialize(layout, {}, ""); }
    ~CControlsFixture() override { screen->Destroy(); }

    // Shows the screen and plays its "_show" part through into "_idle", where its controls take the
    // mouse.
    void ToIdle() {
        screen->OnTop();
        for (int i = 0; i < 5; ++i) screen->Update(100.0f);
        ASSERT_EQ(PartOf(screen->GetAnimation()), "_idle");
    }

    class CPlain : public GF::HGENS::CScreenAbstract {};
    GF::THolder<CPlain> screen = GF::MakeHolder<CPlain>();
};
