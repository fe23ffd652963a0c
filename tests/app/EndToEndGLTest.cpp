#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "framework/app/Application.h"
#include "framework/app/StandInApplication.h"
#include "framework/app/StartUp.h"
#include "framework/core/GameProperties.h"
#include "tests/support/TempFolder.h"

using namespace GF::HGENS;

namespace {

// The run's script: what the frame steps saw and what they did, read back by the test.
struct tagScript {
    Uint32 started = 0;
    Uint32 splashSince = 0;     // ticks when the splash pictures came on top
    bool timedOut = false;
    bool typed = false;
    bool confirmed = false;
    bool shot = false;
    std::vector<uint32_t> picture;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int closeFrame = -1;        // the frame the window-close was pushed at
    int lastFrame = -1;
    std::set<std::string> topScreens;
};
tagScript g_script;

// The pictures run on the clock, not on frames: the run ends with SDL_QUIT if the script has not
// got through in this many milliseconds.
constexpr Uint32 kTimeLimit = 60000;

std::string TopScreen() {
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    return top ? top->GetName() : std::string();
}

void PushWindowEvent(Uint8 which) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = which;
    event.window.windowID = 1;
    SDL_PushEvent(&event);
}

void PushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
    SDL_PushEvent(&event);
}

void PushMouse(int x, int y, bool press) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = x;
    motion.motion.y = y;
    SDL_PushEvent(&motion);
    if (!press) return;
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event button{};
        button.type = type;
        button.button.button = SDL_BUTTON_LEFT;
        button.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        button.button.x = x;
        button.button.y = y;
        SDL_PushEvent(&button);
    }
}

void PushKey(SDL_Keycode key, SDL_Scancode scancode) {
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scancode;
        SDL_PushEvent(&event);
    }
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

// The first run: the publisher's pictures, a screenshot a second and a half into them, then the
// screen after them, where a name is typed and the window closed.
void FirstRun(int frame) {
    g_script.lastFrame = frame;
    const std::string top = TopScreen();
    g_script.topScreens.insert(top);
    if (frame == 0) g_script.started = SDL_GetTicks();
    if (SDL_GetTicks() - g_script.started > kTimeLimit) {
        g_script.timedOut = true;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return;
    }
    if (top == CStandInApplication::kPublisherScreen || top == CStandInApplication::kSplashScreen) {
        if (g_script.splashSince == 0) g_script.splashSince = SDL_GetTicks();
        if (!g_script.shot && SDL_GetTicks() - g_script.splashSince > 1500) TakeScreenshot();
        if (frame % 50 == 0) PushMouse(400, 300, false);
        return;
    }
    if (top == CStandInApplication::kConfirmScreen) {
        if (!g_script.confirmed) PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN);  // "yes"
        g_script.confirmed = true;
        return;
    }
    if (g_script.closeFrame >= 0) return;
    if (top == CStandInApplication::kNewPlayerScreen) {
        if (g_script.typed) return;
        PushText("Ada");
        PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN);  // "ok", once the name holds a letter
        g_script.typed = true;
        return;
    }
    if (top == CStandInApplication::kBlankScreen) {
        PushText("Ada");  // nobody listens on the blank screen: the name below is set by hand
        GF::GetGameProperties()->SetString("PlayerName") = u"Ada";
        PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        g_script.closeFrame = frame;
    }
}

// The second run closes the window at once and answers the confirm screen "yes" when it asks.
void SecondRun(int frame) {
    g_script.lastFrame = frame;
    if (frame == 0) {
        g_script.started = SDL_GetTicks();
        PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    }
    if (TopScreen() == CStandInApplication::kConfirmScreen && !g_script.confirmed) {
        PushKey(SDLK_RETURN, SDL_SCANCODE_RETURN);
        g_script.confirmed = true;
    }
    if (SDL_GetTicks() - g_script.started > kTimeLimit) {
        g_script.timedOut = true;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
    options.beforeFrame = FirstRun;
    ASSERT_EQ(RunProgram({"quindle"}, options), 0);

    EXPECT_FALSE(g_script.timedOut) << "the script never reached the window's close";
    EXPECT_GE(g_script.closeFrame, 0);
    const std::string log = ReadFile(saveFolder / "log.txt");
    for (const char* line : {"Engine started:", "Create screen \"StandInScreen\"", "mutext rel"})
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
    EXPECT_EQ(log.find("Can't attach resource pack"), std::string::npos) << log;
    EXPECT_TRUE(g_script.topScreens.count(CStandInApplication::kPublisherScreen) ||
                g_script.topScreens.count(CStandInApplication::kSplashScreen));

    // The screenshot: the 800x600 window, a picture on black rather than one colour.
    ASSERT_TRUE(g_script.shot);
    // Full screen at first (no settings file yet): the picture is stretched over the display.
    EXPECT_GT(g_script.pictureWidth, 0);
    EXPECT_EQ(g_script.pictureWidth * 3, g_script.pictureHeight * 4);
    const std::set<uint32_t> colours(g_script.picture.begin(), g_script.picture.end());
    EXPECT_GT(colours.size(), 2u);
    ASSERT_FALSE(g_script.picture.empty());
    EXPECT_EQ(g_script.picture.front() & 0xFFFFFF, 0u);  // the corner is the black around the picture

    // The settings file: 16 framework bytes, then the version word and the name.
    const std::string settings = ReadFile(saveFolder / "Setting");
    ASSERT_GE(settings.size(), 20u);
    EXPECT_EQ(settings.substr(16, 4), std::string("\0\0\0\1", 4));
    EXPECT_NE(settings.find(std::string("\0A\0d\0a", 6), 20), std::string::npos) << Hex(settings);

    // The next start reads the name back.
    GF::GetGameProperties()->SetString("PlayerName").clear();
    g_script.confirmed = false;
    g_script.timedOut = false;
    options.beforeFrame = SecondRun;
    ASSERT_EQ(RunProgram({"quindle"}, options), 0);
    EXPECT_EQ(GF::GetGameProperties()->GetString("PlayerName"), u"Ada");
    EXPECT_FALSE(g_script.timedOut);
}
