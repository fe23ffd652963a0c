#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/ResourcePacks.h"
#include "framework/app/GameManager.h"
#include "framework/app/StartUp.h"
#include "framework/core/DataStreams.h"
#include "framework/core/GameProperties.h"
#include "framework/core/MemoryStreams.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/Application.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "tests/support/TempFolder.h"

namespace {

// The sample's expression "test" sets this float variable to this value.
constexpr int32_t kTestVariable = 99;
constexpr float kTestValue = 7.0f;
// A variable the first run sets, which only a loaded store brings back.
constexpr int32_t kMarkVariable = 98;

// What the run's frames saw, read back by the test.
struct tagScript {
    bool timedOut = false;
    int shownAt = -1;  // the frame the current top screen came on top
    std::string top;
    std::vector<std::string> order;  // the top screens in the order they came on top
    int closes = 0;
    std::string icon;
    bool iconFound = false;
    std::set<uint32_t> publisherColours;
    std::u16string playerButton;  // the title's player button: its text, and pixels its name changes
    int namePixels = 0;
    std::u16string question;
    // The second run's first frame: the seven variables the load clears, the test and mark variables.
    std::vector<std::string> clearedStrings;
    std::vector<float> clearedNumbers;
    float testValue = 0.0f;
    float markValue = 0.0f;
    std::string stage;  // the second run's current stage
};
tagScript g_script;

constexpr float kFrameSeconds = 0.04f;
// Frames after the question came on top when it is answered: once the window shades have opened
// (1250 ms) and its "_show" has played.
constexpr int kAnswerAfter = 45;
constexpr int kFrameLimit = 1000;

GF::THolder<GF::IScreen> Top() {
    return GF::GetGameManager()->GetTopScreen();
}

void PushWindowClose() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = 1;
    SDL_PushEvent(&event);
}

void PushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
    SDL_PushEvent(&event);
}

void PushKey(SDL_Keycode key, SDL_Scancode scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
}

// A key pressed this many frames after the top screen came on top and let go two frames later.
void KeyAt(int frame, int after, SDL_Keycode key, SDL_Scancode scancode) {
    const int since = frame - g_script.shownAt;
    if (since == after) PushKey(key, scancode, true);
    if (since == after + 2) PushKey(key, scancode, false);
}

std::u16string TextOf(const char* part) {
    const GF::THolder<GF::IScreen> top = Top();
    const GF::TAnimationPtr layout = top ? top->GetAnimation() : GF::TAnimationPtr();
    const GF::WChar* text = layout ? layout->GetText(part) : nullptr;
    return text ? std::u16string(text) : std::u16string();
}

// The top screen drawn into a scene of its own, read back.
std::vector<uint32_t> Screenshot(int& width) {
    std::vector<uint32_t> picture;
    width = 0;
    HGE* hge = hgeCreate(HGE_VERSION);
    auto* engine = dynamic_cast<Engine::CEngine*>(hge);
    if (engine && Top() && hge->Gfx_BeginScene(0)) {
        Top()->Draw();
        int height = 0;
        picture = engine->ReadScene(&width, &height);
        hge->Gfx_EndScene();
    }
    hge->Release();
    return picture;
}

// Its distinct colours.
std::set<uint32_t> ScreenColours() {
    int width = 0;
    const std::vector<uint32_t> picture = Screenshot(width);
    return std::set<uint32_t>(picture.begin(), picture.end());
}

// The title's player button: its text, and how many pixels inside it the name draws (they change
// when the text is blanked and come back when it is restored).
void ReadPlayerButton() {
    const GF::TAnimationPtr item = GF::HGENS::HostedAnimation(Top()->GetAnimation(), "_item_new_player");
    if (!item || !item->GetText("_text")) return;
    g_script.playerButton = item->GetText("_text");
    const GF::TRect box = item->GetBoundingBox();
    int width = 0;
    const std::vector<uint32_t> named = Screenshot(width);
    item->SetText("_text", u"");
    const std::vector<uint32_t> blank = Screenshot(width);
    item->SetText("_text", g_script.playerButton);
    const std::vector<uint32_t> again = Screenshot(width);
    if (width <= 0 || named.size() != blank.size() || named.size() != again.size()) return;
    // The picture is in the window's pixels, the box in the game's.
    const float scale =
        static_cast<float>(width) / static_cast<float>(GF::GetGameProperties()->m_screenWidth);
    const int height = static_cast<int>(named.size()) / width;
    for (int y = static_cast<int>(box.top * scale); y < static_cast<int>(box.bottom * scale); ++y)
        for (int x = static_cast<int>(box.left * scale); x < static_cast<int>(box.right * scale); ++x) {
            const std::size_t at =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            if (x < 0 || x >= width || y < 0 || y >= height) continue;
            if (named[at] == again[at] && named[at] != blank[at]) ++g_script.namePixels;
        }
}

bool Follow(int frame) {
    if (frame == 0) {
        HGE* hge = hgeCreate(HGE_VERSION);
        if (auto* engine = dynamic_cast<Engine::CEngine*>(hge)) engine->SetFixedDelta(kFrameSeconds);
        hge->Release();
    }
    if (frame >= kFrameLimit) {
        g_script.timedOut = true;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return false;
    }
    const GF::THolder<GF::IScreen> top = Top();
    const std::string name = top ? top->GetName() : std::string();
    if (name != g_script.top) {
        g_script.top = name;
        g_script.shownAt = frame;
        g_script.order.push_back(name);
    }
    return true;
}

// The first run: the publisher's pictures, then the title, which sends the nameless player to the
// name screen; the name is typed and Enter pressed; back on the title the window is closed, the
// question answered "no" with Escape, closed again and answered "yes" with Enter.
void FirstRun(int frame) {
    if (!Follow(frame)) return;
    if (frame == 0) {
        HGE* hge = hgeCreate(HGE_VERSION);
        g_script.icon = hge->System_GetStateString(HGE_ICON);
        DWORD size = 0;
        if (void* picture = hge->Resource_Load(g_script.icon.c_str(), &size, Engine::kMaxPictureFileBytes)) {
            g_script.iconFound = size > 0;
            hge->Resource_Free(picture);
        }
        hge->Release();
    }
    const int since = frame - g_script.shownAt;
    if (g_script.top == "PublisherScreen" && since == 38) g_script.publisherColours = ScreenColours();
    if (g_script.top == "new_player_screen") {
        if (since == kAnswerAfter) PushText("  Ann ");
        KeyAt(frame, kAnswerAfter + 5, SDLK_RETURN, SDL_SCANCODE_RETURN);
    }
    if (g_script.top == "SplashScreen" && since == kAnswerAfter && !GetCurrentPlayer().name.empty()) {
        ReadPlayerButton();
        CPlayerProfile& player = GetCurrentPlayer();
        for (int id : {29, 28, 26, 31}) player.stringVars[id] = "kept";
        for (int id : {33, 17, 19}) player.floatVars[id] = 1.0f;
        player.floatVars[kMarkVariable] = 3.0f;
        // A stage the game data lacks, as a Setting from elsewhere may hold.
        player.stageName = "stage99";
        PushWindowClose();
        ++g_script.closes;
    }
    if (g_script.top == "confirm_exit_screen") {
        if (since == 10) g_script.question = TextOf("_phrase_1");
        if (g_script.closes == 1) KeyAt(frame, kAnswerAfter, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
        if (g_script.closes == 2) KeyAt(frame, kAnswerAfter, SDLK_RETURN, SDL_SCANCODE_RETURN);
    }
}

// The second run reads what the load left, then closes the window and answers "yes".
void SecondRun(int frame) {
    if (!Follow(frame)) return;
    if (frame == 0) {
        CPlayerProfile& player = GetCurrentPlayer();
        for (int id : {29, 28, 26, 31}) g_script.clearedStrings.push_back(player.stringVars[id]);
        for (int id : {33, 17, 19}) g_script.clearedNumbers.push_back(player.floatVars[id]);
        g_script.testValue = player.floatVars[kTestVariable];
        g_script.markValue = player.floatVars[kMarkVariable];
        g_script.stage = player.stageName;
    }
    if (g_script.top == "SplashScreen" && frame - g_script.shownAt == 5) PushWindowClose();
    if (g_script.top == "confirm_exit_screen") KeyAt(frame, kAnswerAfter, SDLK_RETURN, SDL_SCANCODE_RETURN);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int32_t WordAt(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(value);
}

}  // namespace

TEST(GameEndToEnd, FirstStartShowsThePublisherAndTheTitleAndAClosedWindowAsksFirst) {
    CTempFolder saveFolder;
    CTempFolder runtimeFolder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", saveFolder.Path()};
    CScopedEnv runtimeDir{"XDG_RUNTIME_DIR", runtimeFolder.Path()};

    g_script = {};
    GF::HGENS::tagStartUpOptions options;
    options.createApplication = &CreateApplication;
    options.beforeFrame = FirstRun;
    ASSERT_EQ(GF::HGENS::RunProgram({"quindle"}, options), 0);

    EXPECT_FALSE(g_script.timedOut) << "last top screen: " << g_script.top;
    const std::vector<std::string> order = {"PublisherScreen",    "SplashScreen",        "new_player_screen",
                                            "SplashScreen",       "confirm_exit_screen", "SplashScreen",
                                            "confirm_exit_screen"};
    EXPECT_EQ(g_script.order, order);
    EXPECT_GT(g_script.publisherColours.size(), 2u);
    EXPECT_EQ(g_script.playerButton, u"Ann");
    EXPECT_GT(g_script.namePixels, 20);
    EXPECT_EQ(g_script.question, u"Close the kitchen for today?");
    EXPECT_EQ(g_script.closes, 2);
    EXPECT_EQ(g_script.icon, CApplication::kIconPicture);
    EXPECT_TRUE(g_script.iconFound);

    // The four integers as the defaults of a new installation set them (sound, music, no drawn
    // cursor, a window), the game data's version and the store.
    const std::string settings = ReadFile(saveFolder / "Setting");
    ASSERT_GE(settings.size(), 24u);
    EXPECT_EQ(WordAt(settings, 0), 80);
    EXPECT_EQ(WordAt(settings, 4), 70);
    EXPECT_EQ(WordAt(settings, 8), 0);
    EXPECT_EQ(WordAt(settings, 12), 0);
    EXPECT_EQ(WordAt(settings, 16), GetGameData().players.version);
    GF::CMemoryInputStream store(std::vector<unsigned char>(settings.begin() + 20, settings.end()));
    CPlayerStore saved;
    std::string why;
    ASSERT_TRUE(LoadPlayerStore(store, saved, why)) << why;
    // The default player and Ann, made from it, current.
    ASSERT_EQ(saved.players.size(), 2u);
    EXPECT_EQ(saved.currentName, u"Ann");
    EXPECT_EQ(saved.players[u"Ann"].floatVars[kTestVariable], kTestValue);
    EXPECT_EQ(saved.players[u"Ann"].stageName, "stage99");

    g_script = {};
    options.beforeFrame = SecondRun;
    ASSERT_EQ(GF::HGENS::RunProgram({"quindle"}, options), 0);
    EXPECT_FALSE(g_script.timedOut) << "last top screen: " << g_script.top;
    EXPECT_EQ(g_script.clearedStrings, std::vector<std::string>(4));
    EXPECT_EQ(g_script.clearedNumbers, std::vector<float>(3));
    EXPECT_EQ(g_script.testValue, kTestValue);
    EXPECT_EQ(g_script.markValue, 3.0f);
    EXPECT_EQ(g_script.stage, "stage1");
}
