#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "framework/app/Application.h"
#include "framework/app/StartUp.h"
#include "framework/core/GameProperties.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/StandInApplication.h"
#include "tests/support/TempFolder.h"

using namespace GF::HGENS;

namespace {

// The run's script: what the frame steps saw and what they did, read back by the test.
struct tagScript {
    bool timedOut = false;
    int shownAt = -1;  // the frame the current top screen came on top
    std::string top;   // the top screen at the last frame
    bool typed = false;
    bool closed = false;
    bool confirmed = false;
    bool shot = false;
    std::vector<uint32_t> picture;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int closeFrame = -1;  // the frame the window-close was pushed at
    int lastFrame = -1;
    std::set<std::string> topScreens;
    std::vector<std::string> order;  // top screens in the order they came on top
};
tagScript g_script;

// Every frame lasts this long, so the script below is counted in frames, not on the clock.
constexpr float kFrameSeconds = 0.04f;
// The run is ended if the script has not got through in this many frames (40 s of game).
constexpr int kFrameLimit = 1000;

std::string TopScreen() {
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    return top ? top->GetName() : std::string();
}

using Engine::tagFedInput;

void Feed(const tagFedInput& input) {
    HGE* hge = hgeCreate(HGE_VERSION);
    if (auto* engine = dynamic_cast<Engine::CEngine*>(hge)) engine->FeedInput(input);
    hge->Release();
}

// Presses Enter this many frames after the top screen came on top and lets it go two frames later,
// as a hand would: pressed and let go within one frame, it would never be seen down.
void EnterAt(int frame, int after) {
    const int since = frame - g_script.shownAt;
    if (since == after) Feed({.kind = tagFedInput::kKeyDown, .key = HGEK_ENTER});
    if (since == after + 2) Feed({.kind = tagFedInput::kKeyUp, .key = HGEK_ENTER});
}

// Draws the top screen into a scene of its own and reads the picture back.
void TakeScreenshot() {
    HGE* hge = hgeCreate(HGE_VERSION);
    auto* engine = dynamic_cast<Engine::CEngine*>(hge);
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    if (engine && top && hge->Gfx_BeginScene(0)) {
        top->Draw();
        g_script.picture = engine->ReadScene(&g_script.pictureWidth, &g_script.pictureHeight);
        hge->Gfx_EndScene();
    }
    hge->Release();
    g_script.shot = true;
}

// What every frame of a run does first: fixes the frame time, follows the top screen and ends a
// run that went astray. False when the run is over.
bool Follow(int frame) {
    g_script.lastFrame = frame;
    if (frame == 0) {
        HGE* hge = hgeCreate(HGE_VERSION);
        if (auto* engine = dynamic_cast<Engine::CEngine*>(hge)) engine->SetFixedDelta(kFrameSeconds);
        hge->Release();
    }
    if (frame >= kFrameLimit) {
        g_script.timedOut = true;
        Feed({.kind = tagFedInput::kQuit});
        return false;
    }
    const std::string top = TopScreen();
    if (top != g_script.top) {
        g_script.top = top;
        g_script.shownAt = frame;
        g_script.order.push_back(top);
    }
    g_script.topScreens.insert(top);
    return true;
}

// The first run: the publisher's pictures with a screenshot a second and a half into them, then
// the new-player screen, where "Ada" is typed and taken with Enter; then the window is closed and
// the confirm screen answered "yes" with Enter.
void FirstRun(int frame) {
    if (!Follow(frame)) return;
    const std::string& top = g_script.top;
    const int since = frame - g_script.shownAt;
    if (top == CStandInApplication::kPublisherScreen) {
        if (!g_script.shot && since == 38) TakeScreenshot();
        if (since % 10 == 0) Feed({.kind = tagFedInput::kMouseMove, .x = 300 + since, .y = 300});
    } else if (top == CStandInApplication::kNewPlayerScreen) {
        if (since == 15) {
            Feed({.kind = tagFedInput::kText, .text = "Ad"});
            Feed({.kind = tagFedInput::kText, .text = "a"});
            g_script.typed = true;
        }
        EnterAt(frame, 20);
    } else if (top == CStandInApplication::kBlankScreen && !g_script.closed) {
        Feed({.kind = tagFedInput::kClose});
        g_script.closed = true;
        g_script.closeFrame = frame;
    } else if (top == CStandInApplication::kConfirmScreen) {
        EnterAt(frame, 15);
        g_script.confirmed = since >= 15;
    }
}

// The second run closes the window at once and answers the confirm screen "yes" when it asks.
void SecondRun(int frame) {
    if (!Follow(frame)) return;
    if (frame == 1) Feed({.kind = tagFedInput::kClose});
    if (g_script.top == CStandInApplication::kConfirmScreen) {
        EnterAt(frame, 15);
        g_script.confirmed = frame - g_script.shownAt >= 15;
    }
}

std::string Hex(const std::string& bytes) {
    std::string text;
    char buffer[4];
    for (unsigned char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02x ", byte);
        text += buffer;
    }
    return text;
}

}  // namespace

TEST(EndToEnd, PublisherPicturesThenTheNameIsKeptThroughTheSettingsFile) {
    CTempFolder saveFolder;
    CTempFolder runtimeFolder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", saveFolder.Path()};
    CScopedEnv runtimeDir{"XDG_RUNTIME_DIR", runtimeFolder.Path()};
    GF::GetGameProperties()->SetString("PlayerName").clear();

    g_script = {};
    tagStartUpOptions options;
    options.createApplication = [](HGE* hge) -> std::unique_ptr<CApplication> {
        return std::make_unique<CStandInApplication>(hge);
    };
    options.beforeFrame = FirstRun;
    ASSERT_EQ(RunProgram({"quindle"}, options), 0);

    EXPECT_FALSE(g_script.timedOut) << "the script never got through; last top screen: " << g_script.top;
    EXPECT_TRUE(g_script.typed);
    EXPECT_TRUE(g_script.confirmed);
    const std::vector<std::string> order = {
        CStandInApplication::kPublisherScreen, CStandInApplication::kNewPlayerScreen,
        CStandInApplication::kBlankScreen, CStandInApplication::kConfirmScreen};
    ASSERT_GE(g_script.order.size(), order.size());
    EXPECT_EQ(std::vector<std::string>(g_script.order.begin(), g_script.order.begin() + order.size()), order);
    // The run ends within a few frames of the "yes".
    EXPECT_LT(g_script.lastFrame, g_script.closeFrame + 40);

    const std::string log = ReadWholeFile(saveFolder / "log.txt");
    for (const char* line :
         {"Engine started:", "Create screen \"PublisherScreen\"", "Create screen \"new_player_screen\"",
          "Create screen \"confirm_screen\"",
          "-------------------------------Texture--------------------------", "mutext rel"})
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
    for (const char* line : {"Can't attach resource pack", "not found", "Can't find font", "Can't load"})
        EXPECT_EQ(log.find(line), std::string::npos) << line << "\n" << log;

    // The screenshot: the publisher's picture on black, with the layout over it.
    ASSERT_TRUE(g_script.shot);
    // Full screen at first (no settings file yet): the picture is stretched over the display.
    EXPECT_GT(g_script.pictureWidth, 0);
    EXPECT_EQ(g_script.pictureWidth * 3, g_script.pictureHeight * 4);
    const std::set<uint32_t> colours(g_script.picture.begin(), g_script.picture.end());
    EXPECT_GT(colours.size(), 2u);
    ASSERT_FALSE(g_script.picture.empty());
    EXPECT_EQ(g_script.picture.front() & 0xFFFFFF, 0u);  // the corner is the black around the picture

    // The settings file: 16 framework bytes, then the version word and the name.
    EXPECT_EQ(GF::GetGameProperties()->GetString("PlayerName"), u"Ada");
    const std::string settings = ReadWholeFile(saveFolder / "Setting");
    ASSERT_GE(settings.size(), 20u);
    EXPECT_EQ(settings.substr(16, 4), std::string("\0\0\0\1", 4));
    EXPECT_NE(settings.find(std::string("\0A\0d\0a", 6), 20), std::string::npos) << Hex(settings);

    // The next start reads the name back.
    GF::GetGameProperties()->SetString("PlayerName").clear();
    g_script = {};
    options.beforeFrame = SecondRun;
    ASSERT_EQ(RunProgram({"quindle"}, options), 0);
    EXPECT_EQ(GF::GetGameProperties()->GetString("PlayerName"), u"Ada");
    EXPECT_TRUE(g_script.confirmed);
    EXPECT_FALSE(g_script.timedOut);
}

// A start-up after another in the same process sees only its own folders. The first ends while the
// publisher's pictures are still up (the window is closed at once); the second is given a save
// folder of its own and a data folder without the archive, and must say so, naming that folder; the
// third, after that failed start, is given a data folder with the archive and runs.
TEST(EndToEnd, ASecondStartUpInTheProcessSeesOnlyItsOwnFolders) {
    CTempFolder firstSave;
    CTempFolder secondSave;
    CTempFolder runtimeFolder;
    CTempFolder emptyData;
    CTempFolder data;
    std::filesystem::copy_file(std::string(QUINDLE_TEST_DATA_DIR) + "/resource.dat", data / "resource.dat");
    CScopedEnv runtimeDir{"XDG_RUNTIME_DIR", runtimeFolder.Path()};
    tagStartUpOptions options;
    options.createApplication = [](HGE* hge) -> std::unique_ptr<CApplication> {
        return std::make_unique<CStandInApplication>(hge);
    };
    options.beforeFrame = SecondRun;
    {
        CScopedEnv saveDir{"QUINDLE_SAVE_DIR", firstSave.Path()};
        g_script = {};
        ASSERT_EQ(RunProgram({"quindle"}, options), 0);
        ASSERT_TRUE(g_script.confirmed);
    }

    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", secondSave.Path()};
    {
        CScopedEnv dataDir{"QUINDLE_DATA_DIR", emptyData.Path()};
        const CMessageBoxRecorder boxes;
        g_script = {};
        EXPECT_EQ(RunProgram({"quindle"}, options), 1);
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_NE(boxes.messages[0].find("\"resource.dat\" in " + emptyData.Path()), std::string::npos)
            << boxes.messages[0];
        EXPECT_NE(ReadWholeFile(secondSave / "log.txt").find(emptyData.Path()), std::string::npos);
        EXPECT_EQ(ReadWholeFile(firstSave / "log.txt").find(emptyData.Path()), std::string::npos);
    }

    CScopedEnv dataDir{"QUINDLE_DATA_DIR", data.Path()};
    g_script = {};
    EXPECT_EQ(RunProgram({"quindle"}, options), 0);
    EXPECT_TRUE(g_script.confirmed);
    EXPECT_EQ(ReadWholeFile(secondSave / "log.txt").find("Can't attach"), std::string::npos);
}
