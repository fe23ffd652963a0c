#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "tests/app/RecordingScreen.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

using namespace GF::HGENS;

namespace {

class CTestApplication : public CApplication {
public:
    using CApplication::CApplication;
    void OnDisplayModeChanged() override { ++modeChanges; }
    int modeChanges = 0;
};

struct CKeyJournal {
    std::vector<std::string> events;
    void OnDown(int key) { events.push_back("down " + std::to_string(key)); }
    void OnUp(int key) { events.push_back("up " + std::to_string(key)); }
    void OnChar(GF::WChar c) { events.push_back("char " + std::to_string(static_cast<int>(c))); }
};

hgeInputEvent Event(int type, int key, int flags = 0) {
    hgeInputEvent event{};
    event.type = type;
    event.key = key;
    event.flags = flags;
    return event;
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.System_Initiate();
        ResetKeyMap();
        tagFrameState& state = FrameState();
        state.altEnterLatch = false;
        state.placementPending = false;
        state.clientWidth = 800;
        state.colourDepth = 32;
        state.programPath = "/opt/quindle/quindle";
        GF::GetGameProperties()->m_screenWidth = 800;
        GF::GetGameProperties()->m_screenHeight = 600;
        keyset = GF::GetKeyset();
        for (int key = 0; key < GF::CKeyset::kKeyCount; ++key) keyset->SetDown(key, false);
        keyset->GetKeyDownEvent().Add(GF::CreateDelegate(&journal, &CKeyJournal::OnDown));
        keyset->GetKeyUpEvent().Add(GF::CreateDelegate(&journal, &CKeyJournal::OnUp));
        GF::GetGameManager()->GetCharEvent().Add(GF::CreateDelegate(&journal, &CKeyJournal::OnChar));

        auto owned = std::make_unique<CTestApplication>(&engine);
        application = owned.get();
        SetApplication(std::move(owned));
        application->Start();
        GF::GetGameManager()->RegisterScreenFactory("menu", CRecordingScreen::Create);
        GF::GetGameManager()->ShowScreen("menu", "menu", {}, "");
        screen = CRecordingScreen::Find("menu");
        engine.ClearRecord();
    }
    void TearDown() override {
        keyset->GetKeyDownEvent().Clear();
        keyset->GetKeyUpEvent().Clear();
        GF::GetGameManager()->Shutdown();
        SetApplication(nullptr);
    }

    bool Frame() { return FrameFunction(); }

    CTempFolder folder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", folder.Path()};
    CRecordingEngine engine;
    CTestApplication* application = nullptr;
    CRecordingScreen* screen = nullptr;
    GF::THolder<GF::CKeyset> keyset;
    CKeyJournal journal;
    CMessageBoxRecorder messageBoxes;
};

}  // namespace

TEST_F(ApplicationTest, LongFramesReachTheScreensClampedTo50Milliseconds) {
    const struct {
        float seconds;
        float expected;
        bool logged;
    } cases[] = {{0.120f, 50.0f, true}, {0.050f, 50.0f, false}, {0.016f, 16.0f, false}};
    for (const auto& c : cases) {
        engine.ClearRecord();
        engine.QueueDeltas({c.seconds});
        EXPECT_FALSE(Frame());
        EXPECT_FLOAT_EQ(screen->lastDt, c.expected);
        EXPECT_EQ(engine.log.size(), c.logged ? 1u : 0u);
        if (c.logged) {
            EXPECT_EQ(engine.log[0].rfind("if(fDeltaTimeTmp > 50) fDeltaTimeTmp == 120.0", 0), 0u)
                << engine.log[0];
        }
    }
}

TEST_F(ApplicationTest, AltEnterSwitchesTheWindowOnceWhenBothKeysAreLetGo) {
    engine.System_SetStateBool(HGE_WINDOWED, true);
    const struct {
        bool ctrl, alt, enter;
        bool windowed;
        int modeChanges;
    } frames[] = {
        {false, true, true, true, 0},     // held: nothing yet
        {false, true, true, true, 0},     //
        {false, true, false, true, 0},    // Alt still down
        {false, false, false, false, 1},  // both let go: switched
        {false, false, false, false, 1},  // once
        {true, true, true, false, 1},     // Ctrl+Alt+Enter
        {false, false, false, false, 1},
    };
    for (const auto& f : frames) {
        engine.SetKeyState(HGEK_CTRL, f.ctrl);
        engine.SetKeyState(HGEK_ALT, f.alt);
        engine.SetKeyState(HGEK_ENTER, f.enter);
        Frame();
        EXPECT_EQ(engine.System_GetStateBool(HGE_WINDOWED), f.windowed);
        EXPECT_EQ(application->modeChanges, f.modeChanges);
    }
}

TEST_F(ApplicationTest, KeyEventsFillTheKeyTableAndRaiseItsEventsInOrder) {
    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_SPACE));
    Frame();
    EXPECT_TRUE(keyset->IsDown(GF::CKeyset::kKeySpace));

    // A screen takes the press; the engine's repeats raise key-down again but do not set it again.
    keyset->SetDown(GF::CKeyset::kKeySpace, false);
    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_SPACE, HGEINP_REPEAT));
    engine.QueueEvent(Event(INPUT_MBUTTONDOWN, HGEK_LBUTTON));
    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_A));  // no game code: 0
    Frame();
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeySpace));
    EXPECT_TRUE(keyset->IsDown(GF::CKeyset::kKeyMouseLeft));
    EXPECT_TRUE(keyset->IsDown(0));

    engine.QueueEvent(Event(INPUT_KEYUP, HGEK_SPACE));
    engine.QueueEvent(Event(INPUT_MBUTTONUP, HGEK_LBUTTON));
    engine.QueueEvent(Event(INPUT_KEYUP, HGEK_0 + 9));  // never went down: raised all the same
    for (int unit : {0x41, 0xD83D, 0xDE00}) {           // typed characters, UTF-16 units as they come
        hgeInputEvent event = Event(INPUT_CHAR, 0);
        event.chr = unit;
        engine.QueueEvent(event);
    }
    Frame();
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeyMouseLeft));
    EXPECT_EQ(journal.events,
              (std::vector<std::string>{"down 41", "down 41", "down 18", "down 0", "up 41", "up 18", "up 14",
                                        "char 65", "char 55357", "char 56832"}));
}

TEST_F(ApplicationTest, AltHeldDropsPressesButNeverLeavesAKeyStuck) {
    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_SPACE, HGEINP_ALT));
    engine.QueueEvent(Event(INPUT_KEYUP, HGEK_ESCAPE, HGEINP_ALT));  // was never down
    Frame();
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeySpace));
    EXPECT_TRUE(journal.events.empty());

    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_SPACE));
    engine.QueueEvent(Event(INPUT_MBUTTONDOWN, HGEK_RBUTTON));
    Frame();
    engine.QueueEvent(Event(INPUT_KEYUP, HGEK_SPACE, HGEINP_ALT));
    engine.QueueEvent(Event(INPUT_MBUTTONUP, HGEK_RBUTTON, HGEINP_ALT));
    Frame();
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeySpace));
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeyMouseRight));
    EXPECT_FALSE(FrameState().keyDown[HGEK_SPACE]);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"down 41", "down 47", "up 41", "up 47"}));

    // Pressed again after an up that came under Alt: a fresh press that sets the flag.
    engine.QueueEvent(Event(INPUT_KEYDOWN, HGEK_SPACE));
    Frame();
    EXPECT_TRUE(keyset->IsDown(GF::CKeyset::kKeySpace));
}

TEST_F(ApplicationTest, MouseIsScaledToGamePixelsAndAMinimisedWindowDividesByNothing) {
    engine.System_SetStateInt(HGE_CLIENTWIDTH, 1600);
    engine.System_SetStateInt(HGE_CLIENTHEIGHT, 1200);
    engine.SetMouse(401.0f, 301.0f);
    Frame();
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    EXPECT_EQ(mouse->GetX(), 200);
    EXPECT_EQ(mouse->GetY(), 150);
    EXPECT_FLOAT_EQ(mouse->GetFloatX(), 200.5f);

    for (const auto& client : {std::pair{0, 0}, std::pair{0, 600}, std::pair{800, 0}}) {
        engine.System_SetStateInt(HGE_CLIENTWIDTH, client.first);
        engine.System_SetStateInt(HGE_CLIENTHEIGHT, client.second);
        engine.SetMouse(10.0f, 10.0f);
        Frame();
        EXPECT_TRUE(std::isfinite(mouse->GetFloatX()) && std::isfinite(mouse->GetFloatY()));
        EXPECT_FLOAT_EQ(mouse->GetFloatX(), 5.0f);  // the last scale still holds
    }
}

// Full screen on a 16:9 desktop: the 4:3 picture is 1440x1080 between bars of 240 pixels.
TEST_F(ApplicationTest, TheMouseIsMappedThroughTheBarsAndAClickOnABarReachesNoControl) {
    engine.System_SetStateInt(HGE_CLIENTWIDTH, 1920);
    engine.System_SetStateInt(HGE_CLIENTHEIGHT, 1080);
    engine.SetMouse(240.0f + 1.8f * 100.0f, 1.8f * 50.0f);
    Frame();
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    EXPECT_EQ(mouse->GetX(), 100);
    EXPECT_EQ(mouse->GetY(), 50);
    EXPECT_FLOAT_EQ(FrameState().windowScaleX, 1.8f);
    EXPECT_FLOAT_EQ(FrameState().windowScaleY, 1.8f);
    int windowX = 0, windowY = 0;
    WindowPoint(800.0f, 600.0f, windowX, windowY);
    EXPECT_EQ(windowX, 1680);
    EXPECT_EQ(windowY, 1080);

    const auto click = [&](int type, float x) {
        hgeInputEvent event = Event(type, HGEK_LBUTTON);
        event.x = x;
        event.y = 540.0f;
        engine.QueueEvent(event);
        Frame();
    };
    for (float bar : {0.0f, 239.0f, 1680.0f, 1919.0f}) click(INPUT_MBUTTONDOWN, bar);
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeyMouseLeft));
    EXPECT_TRUE(journal.events.empty());
    click(INPUT_MBUTTONDOWN, 240.0f);
    EXPECT_TRUE(keyset->IsDown(GF::CKeyset::kKeyMouseLeft));
    // Let go over a bar, the button is up all the same.
    click(INPUT_MBUTTONUP, 10.0f);
    EXPECT_FALSE(keyset->IsDown(GF::CKeyset::kKeyMouseLeft));
    EXPECT_EQ(journal.events, (std::vector<std::string>{"down 18", "up 18"}));
}

// The focus gained, the fourth frame places the window while it is one: 640x480 on a desktop lower
// than 768, 800x600 on a taller one unless the client area has the game's width already.
TEST_F(ApplicationTest, TheWindowIsPlacedOnTheFourthFrameAfterTheFocusCame) {
    const struct {
        bool windowed;
        int desktopHeight;
        int clientWidth, clientHeight;
        int placedWidth, placedHeight;
    } cases[] = {{true, 600, 800, 600, 640, 480},
                 {true, 1080, 800, 600, 800, 600},
                 {true, 1080, 1024, 768, 800, 600},
                 {true, 768, 640, 480, 800, 600},
                 {false, 600, 1920, 1080, 1920, 1080}};
    for (const auto& c : cases) {
        engine.System_SetStateBool(HGE_WINDOWED, c.windowed);
        engine.System_SetStateInt(HGE_DESKTOPHEIGHT, c.desktopHeight);
        engine.System_SetStateInt(HGE_CLIENTWIDTH, c.clientWidth);
        engine.System_SetStateInt(HGE_CLIENTHEIGHT, c.clientHeight);
        FrameState().clientWidth = c.clientWidth;
        FocusGainedFunction();
        for (int frame = 0; frame < 3; ++frame) Frame();
        EXPECT_EQ(engine.System_GetStateInt(HGE_CLIENTWIDTH), c.clientWidth) << c.desktopHeight;
        Frame();
        EXPECT_EQ(engine.System_GetStateInt(HGE_CLIENTWIDTH), c.placedWidth) << c.desktopHeight;
        EXPECT_EQ(engine.System_GetStateInt(HGE_CLIENTHEIGHT), c.placedHeight) << c.desktopHeight;
        if (c.windowed) {
            EXPECT_EQ(FrameState().clientWidth, c.placedWidth);
        }
        EXPECT_FLOAT_EQ(FrameState().windowScaleX, static_cast<float>(c.placedHeight) / 600.0f);
        EXPECT_FALSE(FrameState().placementPending);
    }
}

TEST_F(ApplicationTest, FocusChangesDeactivateAndActivate) {
    EXPECT_FALSE(FocusLostFunction());
    EXPECT_FALSE(GF::IsApplicationActive());
    EXPECT_FALSE(FocusGainedFunction());
    EXPECT_TRUE(GF::IsApplicationActive());
    EXPECT_TRUE(messageBoxes.messages.empty());
    EXPECT_TRUE(ExitFunction());
}

// On OK the program's own file starts anew with the same command line, once the instance lock is let
// go and the settings are saved: a stand-in program notes what it was given and what it found.
TEST_F(ApplicationTest, ColourDepthChangeAsksToRestartAndEndsTheScreens) {
    std::string noFolder;
    const std::string lock = Platform::CSingleInstance::LockPath(kWindowTitle, noFolder);
    const std::string noted = folder / "noted";
    const std::string standIn = folder / "stand-in";
    std::ofstream(standIn) << "#!/bin/sh\n{ printf '%s\\n' \"$@\"; [ -f '" << folder / "Setting"
                           << "' ] && echo saved; flock -n '" << lock << "' true && echo unlocked; } > '"
                           << noted << ".part'\nmv '" << noted << ".part' '" << noted << "'\n";
    std::filesystem::permissions(standIn, std::filesystem::perms::owner_all);
    tagFrameState& state = FrameState();
    state.programPath = standIn;
    state.arguments = {"quindle", "-level", "stage 1"};

    engine.System_SetStateBool(HGE_WINDOWED, true);
    for (bool restart : {false, true}) {
        ASSERT_EQ(state.instanceLock.Acquire(kWindowTitle), Platform::CSingleInstance::kAcquired);
        messageBoxes.answer = restart;
        messageBoxes.messages.clear();
        GF::GetGameManager()->ShowScreen("menu", "menu", {}, "");
        engine.System_SetStateInt(HGE_DESKTOPBPP, restart ? 32 : 16);
        FocusGainedFunction();
        EXPECT_EQ(messageBoxes.messages,
                  std::vector<std::string>{
                      "Quindle: Marvolant: The game must restart for these changes to take effect"});
        EXPECT_FALSE(GF::GetGameManager()->GetTopScreen());
        EXPECT_TRUE(Frame());                       // no screen left: the loop ends
        EXPECT_FALSE(state.instanceLock.IsHeld());  // let go before the question, whatever the answer
        // The stand-in is a child of this process: it has noted everything once it has ended.
        if (restart) {
            while (!std::filesystem::exists(noted) && waitpid(-1, nullptr, 0) > 0) {
            }
        }
        std::ifstream in(noted);
        const std::string note((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(note, restart ? "-level\nstage 1\nsaved\nunlocked\n" : "");
        state.instanceLock.Release();
    }
}

// The new copy truncates the log and reads the settings as soon as it starts: the old copy, on its
// way out (its screens ended, its End step, its destructor), must add nothing to either. The stand-in
// does what the new copy does to both files.
TEST_F(ApplicationTest, AfterTheRestartStartedTheNewCopyTheOldOneWritesNeitherSettingsNorLog) {
    const std::string log = folder / "log.txt";
    const std::string setting = folder / "Setting";
    const std::string done = folder / "done";
    const std::string standIn = folder / "stand-in";
    std::ofstream(standIn) << "#!/bin/sh\necho 'the new copy starts' > '" << log
                           << "'\necho 'the new copy' > '" << setting << "'\ntouch '" << done << "'\n";
    std::filesystem::permissions(standIn, std::filesystem::perms::owner_all);
    tagFrameState& state = FrameState();
    state.programPath = standIn;
    state.arguments = {"quindle"};
    ASSERT_EQ(state.instanceLock.Acquire(kWindowTitle), Platform::CSingleInstance::kAcquired);
    engine.WriteLogFile(true);
    engine.System_SetStateString(HGE_LOGFILE, log.c_str());
    engine.System_SetStateBool(HGE_WINDOWED, true);
    engine.System_SetStateInt(HGE_DESKTOPBPP, 16);
    messageBoxes.answer = true;

    FocusGainedFunction();
    while (!std::filesystem::exists(done) && waitpid(-1, nullptr, 0) > 0) {
    }
    ASSERT_TRUE(std::filesystem::exists(done));
    EXPECT_TRUE(Frame());  // the old copy's frame loop ends
    application->End();
    SetApplication(nullptr);

    const auto read = [](const std::string& path) {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(read(log), "the new copy starts\n");
    EXPECT_EQ(read(setting), "the new copy\n");
    EXPECT_FALSE(std::filesystem::exists(setting + ".tmp"));
}
