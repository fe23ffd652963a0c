#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/ResourcePacks.h"
#include "framework/core/GameProperties.h"
#include "framework/core/MemoryStreams.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/Application.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "tests/support/LevelRun.h"

namespace {

// The sample's expression "test" sets this float variable to this value.
constexpr int32_t kTestVariable = 99;
constexpr float kTestValue = 7.0f;
// A variable the first run sets, which only a loaded store brings back.
constexpr int32_t kMarkVariable = 98;

// What the run's frames saw, read back by the test.
struct tagScript {
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

// Frames after the question came on top when it is answered: once the window shades have opened
// (1250 ms) and its "_show" has played.
constexpr int kAnswerAfter = 45;
constexpr int kFrameLimit = 1000;

std::u16string TextOf(CLevelRun& run, const char* part) {
    const GF::THolder<GF::IScreen> top = run.Top();
    const GF::TAnimationPtr layout = top ? top->GetAnimation() : GF::TAnimationPtr();
    const GF::WChar* text = layout ? layout->GetText(part) : nullptr;
    return text ? std::u16string(text) : std::u16string();
}

// A key pressed this many frames after the top screen came on top and let go two frames later.
void KeyAt(CLevelRun& run, int after, SDL_Keycode key) {
    const int since = run.FrameNumber() - g_script.shownAt;
    if (since == after || since == after + 2) run.Key(key, since == after);
}

// The title's player button: its text, and how many pixels inside it the name draws (they change
// when the text is blanked and come back when it is restored).
void ReadPlayerButton(CLevelRun& run) {
    const GF::TAnimationPtr item = GF::HGENS::HostedAnimation(run.Top()->GetAnimation(), "_item_new_player");
    if (!item || !item->GetText("_text")) return;
    g_script.playerButton = item->GetText("_text");
    const GF::TRect box = item->GetBoundingBox();
    int width = 0, height = 0;
    const std::vector<uint32_t> named = run.Picture(&width, &height);
    item->SetText("_text", u"");
    const std::vector<uint32_t> blank = run.Picture(&width, &height);
    item->SetText("_text", g_script.playerButton);
    const std::vector<uint32_t> again = run.Picture(&width, &height);
    if (width <= 0 || named.size() != blank.size() || named.size() != again.size()) return;
    // The picture is in the window's pixels, the box in the game's.
    const float scale =
        static_cast<float>(width) / static_cast<float>(GF::GetGameProperties()->m_screenWidth);
    for (int y = static_cast<int>(box.top * scale); y < static_cast<int>(box.bottom * scale); ++y)
        for (int x = static_cast<int>(box.left * scale); x < static_cast<int>(box.right * scale); ++x) {
            if (x < 0 || x >= width || y < 0 || y >= height) continue;
            const uint32_t pixel = CLevelRun::At(named, width, x, y);
            if (pixel == CLevelRun::At(again, width, x, y) && pixel != CLevelRun::At(blank, width, x, y))
                ++g_script.namePixels;
        }
}

void Follow(CLevelRun& run) {
    const std::string name = run.TopName();
    if (name != g_script.top) {
        g_script.top = name;
        g_script.shownAt = run.FrameNumber();
        g_script.order.push_back(name);
    }
}

// The first run: the publisher's pictures, then the title, which sends the nameless player to the
// name screen; the name is typed and Enter pressed; back on the title the window is closed, the
// question answered "no" with Escape, closed again and answered "yes" with Enter.
bool FirstRun(CLevelRun& run) {
    Follow(run);
    if (run.FrameNumber() == 0) {
        HGE* hge = hgeCreate(HGE_VERSION);
        g_script.icon = hge->System_GetStateString(HGE_ICON);
        DWORD size = 0;
        if (void* picture = hge->Resource_Load(g_script.icon.c_str(), &size, Engine::kMaxPictureFileBytes)) {
            g_script.iconFound = size > 0;
            hge->Resource_Free(picture);
        }
        hge->Release();
    }
    const int since = run.FrameNumber() - g_script.shownAt;
    if (g_script.top == "PublisherScreen" && since == 38) {
        int width = 0, height = 0;
        const std::vector<uint32_t> picture = run.Picture(&width, &height);
        g_script.publisherColours.insert(picture.begin(), picture.end());
    }
    if (g_script.top == "new_player_screen") {
        if (since == kAnswerAfter) run.Text("  Ann ");
        KeyAt(run, kAnswerAfter + 5, SDLK_RETURN);
    }
    if (g_script.top == "SplashScreen" && since == kAnswerAfter && !GetCurrentPlayer().name.empty()) {
        ReadPlayerButton(run);
        CPlayerProfile& player = GetCurrentPlayer();
        for (int id : {29, 28, 26, 31}) player.stringVars[id] = "kept";
        for (int id : {33, 17, 19}) player.floatVars[id] = 1.0f;
        player.floatVars[kMarkVariable] = 3.0f;
        // A stage the game data lacks, as a Setting from elsewhere may hold.
        player.stageName = "stage99";
        run.CloseWindow();
        ++g_script.closes;
    }
    if (g_script.top == "confirm_exit_screen") {
        if (since == 10) g_script.question = TextOf(run, "_phrase_1");
        KeyAt(run, kAnswerAfter, g_script.closes == 1 ? SDLK_ESCAPE : SDLK_RETURN);
    }
    return true;
}

// The second run reads what the load left, then closes the window and answers "yes".
bool SecondRun(CLevelRun& run) {
    Follow(run);
    if (run.FrameNumber() == 0) {
        CPlayerProfile& player = GetCurrentPlayer();
        for (int id : {29, 28, 26, 31}) g_script.clearedStrings.push_back(player.stringVars[id]);
        for (int id : {33, 17, 19}) g_script.clearedNumbers.push_back(player.floatVars[id]);
        g_script.testValue = player.floatVars[kTestVariable];
        g_script.markValue = player.floatVars[kMarkVariable];
        g_script.stage = player.stageName;
    }
    if (g_script.top == "SplashScreen" && run.FrameNumber() - g_script.shownAt == 5) run.CloseWindow();
    if (g_script.top == "confirm_exit_screen") KeyAt(run, kAnswerAfter, SDLK_RETURN);
    return true;
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
    CLevelRun run;
    g_script = {};
    ASSERT_EQ(run.Run(FirstRun, kFrameLimit), 0);

    EXPECT_FALSE(run.timedOut) << "last top screen: " << g_script.top;
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
    const std::string settings = ReadFile(std::filesystem::path(run.SaveFolder()) / "Setting");
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
    ASSERT_EQ(run.Run(SecondRun, kFrameLimit), 0);
    EXPECT_FALSE(run.timedOut) << "last top screen: " << g_script.top;
    EXPECT_EQ(g_script.clearedStrings, std::vector<std::string>(4));
    EXPECT_EQ(g_script.clearedNumbers, std::vector<float>(3));
    EXPECT_EQ(g_script.testValue, kTestValue);
    EXPECT_EQ(g_script.markValue, 3.0f);
    EXPECT_EQ(g_script.stage, "stage1");
}
