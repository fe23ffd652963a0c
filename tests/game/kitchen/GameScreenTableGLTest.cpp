#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/Mouse.h"
#include "framework/gui/LayoutItem.h"
#include "game/app/Application.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ShowHideEffectScreen.h"
#include "game/app/WindowShadesEffect.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

using KitchenPlay::CMakerScope;
using KitchenPlay::COutcomeField;

// A field that plays an intro until the test ends it.
class CIntroField : public CGameFieldBase {
public:
    static GF::THolder<CGameFieldBase> Create() { return GF::THolder<CGameFieldBase>(new CIntroField); }
    CIntroField() { m_manualRequested = false; }
    void EndIntro() { m_manualRequested = true; }
};

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

// An unknown level makes no field and ends at once with "exit" and outcome 0, adding nothing to the
// table. A level ending lost (4) counts no new recipes; ending with 201 records them, and playing it
// again finds nothing new but keeps the list.
TEST(GameScreenTable, LevelEndsCountTheNewRecipesByTheirOutcome) {
    const CMakerScope maker("test_end", &COutcomeField::Create);
    CLevelRun run;
    std::size_t levelsAtStart = 0;
    std::vector<std::string> stops;
    struct tagEnd {
        std::string screen;
        float outcome = -1.0f;
        float newItems = -1.0f;
        std::vector<std::string> names;
    };
    std::vector<tagEnd> ends;
    const std::vector<std::pair<std::string, float>> plays = {
        {"stage9_9", 0.0f}, {"test_1", 4.0f}, {"test_1", 201.0f}, {"test_1", 201.0f}};
    std::size_t next = 0;
    bool playing = false;
    const int code = run.Run([&](CLevelRun& r) {
        if (r.FrameNumber() == 0) {
            CLevelRun::AddLevel("test_1", "test_end");
            levelsAtStart = GetLevelsData().Levels.size();
            r.Player().names = {"earlier"};
        }
        const std::string top = r.TopName();
        if (playing && top != "GameScreen") {
            ends.push_back({top, r.Player().floatVars[5], r.Player().floatVars[27], r.Player().names});
            playing = false;
        }
        if (playing) return true;
        if (next == plays.size()) return false;
        COutcomeField::outcome = plays[next].second;
        r.Player().floatVars[27] = -1.0f;
        r.Play(plays[next++].first);
        playing = true;
        return true;
    });
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut);
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends[0].screen, "LoseScreen");
    EXPECT_EQ(ends[0].outcome, 0.0f);
    EXPECT_EQ(GetLevelsData().FindLevel("stage9_9"), nullptr);
    EXPECT_EQ(GetLevelsData().Levels.size(), levelsAtStart);
    EXPECT_EQ(ends[1].screen, "StatisticsScreen");
    EXPECT_EQ(ends[1].newItems, 0.0f);
    EXPECT_EQ(ends[1].names, std::vector<std::string>{"earlier"});
    EXPECT_EQ(ends[2].newItems, 1.0f);
    EXPECT_EQ(ends[2].names, std::vector<std::string>{"soup"});
    EXPECT_EQ(ends[3].newItems, 1.0f);
    EXPECT_EQ(ends[3].names, ends[2].names);
    int exits = 0;
    for (const std::string& result : run.Results()) exits += result == "GameScreen:exit";
    EXPECT_EQ(exits, 4);
    EXPECT_NE(run.Log().find("stage9_9"), std::string::npos);
}

// "quit" during a field's intro becomes "force_quit" (which ends the program); once the intro is
// over it stays "quit", which asks first.
TEST(GameScreenTable, QuitDuringTheIntroForcesTheQuit) {
    const CMakerScope maker("test_intro", &CIntroField::Create);
    for (const bool introOver : {false, true}) {
        CLevelRun run;
        int quitAt = -1;
        const int code = run.Run([&](CLevelRun& r) {
            if (r.FrameNumber() == 0) {
                CLevelRun::AddLevel("test_2", "test_intro", 100000.0f);
                r.Play("test_2");
                return true;
            }
            if (r.FrameNumber() == 5) {
                if (introOver) dynamic_cast<CIntroField&>(*r.Field()).EndIntro();
            }
            if (r.FrameNumber() == 100) {
                quitAt = r.FrameNumber();
                r.GetGameScreen()->Finish("quit", kScreenFinishFlags);
            }
            return quitAt < 0 || r.FrameNumber() < quitAt + 100;
        });
        ASSERT_EQ(code, 0);
        EXPECT_EQ(Has(run.Results(), "GameScreen:force_quit"), !introOver);
        EXPECT_EQ(Has(run.Results(), "GameScreen:quit"), introOver);
    }
}

// "stage7_1" opens with its tutorial over the kitchen, the shades kept shut: each page waits for its
// button ("_item_ok" twice, then "_item_continue"; "_item_ok" on the last page does nothing), the
// first left open 10 s; the rivals score nothing meanwhile. The last page asks for the manual, which
// ends the play screen with "show_manual", opens the shades and brings the help over it; nothing of
// the tutorial is left in the kitchen. On "bonus_diference" a point on the right picture answers as
// the left one's.
TEST(GameScreenTable, TheTutorialWaitsForItsButtonsThenTheManualComesAndTheDifferencePicturesShareTheMouse) {
    CLevelRun run;
    KitchenPlay::CClicker clicker;
    int manualAt = -1;
    std::string topAfterManual;
    std::vector<float> mouse;
    std::vector<int> shades;         // the shades' state before the last button and after the manual
    std::vector<std::string> pages;  // the tutorial's page long after it came, before each press
    const std::vector<const char*> presses = {"_item_ok", "_item_ok", "_item_ok", "_item_continue"};
    std::size_t pressed = 0;
    int at = 0;
    GF::TAnimationPtr tutorial;
    float rivalsMost = -1.0f;  // the most points of a rival while the tutorial was up
    bool tutorialLeft = true;
    const auto page = [&] {
        for (const char* part : {"_part_1", "_part_2", "_part_3", "_part_4"})
            if (KitchenPlay::Plays(tutorial, part)) return std::string(part);
        return std::string();
    };
    const int code = run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            CLevelRun::AddLevel("test_3", "bonus_diference", 100000.0f);
            // Come as from a screen that closed the shades behind it.
            r.Player().stringVars[21] = "shade_close";
            CWindowShadesEffect::GetInstance()->SetState(CWindowShadesEffect::kClose, 40.0f);
            r.Play("stage7_1");
            return true;
        }
        if (clicker.Busy(r)) return true;
        if (manualAt < 0 && Has(r.Results(), "GameScreen:show_manual")) manualAt = frame;
        if (manualAt < 0) {
            if (!tutorial) tutorial = KitchenPlay::FindAnimation("hint_last_stage");
            if (!tutorial) return true;
            for (const CLevelValuePair& rival : r.Field()->GetLevel()->ProgressValues)
                rivalsMost = std::max(rivalsMost, r.Field()->GetRivalsPanel().GetScore(rival.Slot));
            if (pressed == presses.size() || frame < at + (pressed == 0 ? 250 : 60)) return true;
            pages.push_back(page());
            if (pressed == 3) shades.push_back(CWindowShadesEffect::GetInstance()->GetState());
            const GF::TAnimationPtr hosted = GF::HGENS::HostedAnimation(tutorial, presses[pressed]);
            if (!hosted) return false;
            clicker.Click(r, KitchenPlay::Centre(hosted->GetBoundingBox()), true);
            ++pressed;
            at = frame;
            return true;
        }
        if (frame < manualAt + 150) return true;
        if (frame == manualAt + 150) {
            shades.push_back(CWindowShadesEffect::GetInstance()->GetState());
            topAfterManual = r.TopName();
            tutorialLeft = KitchenPlay::HasAnimation("hint_last_stage") || tutorial->IsVisible();
            r.Play("test_3");
        }
        // A move reaches the frame after the one that made it; the frame after that reads it.
        const int step = frame - (manualAt + 160);
        if (step < 0 || step % 2 == 1) return true;
        if (step > 0) mouse.push_back(GF::GetMouse()->GetFloatX());
        const int xs[] = {600, 400, 801};
        if (step < 6) r.MoveMouse(xs[step / 2], 300);
        return step < 6;
    });
    ASSERT_EQ(code, 0);
    EXPECT_EQ(pages, (std::vector<std::string>{"_part_1", "_part_2", "_part_3", "_part_3"}));
    EXPECT_TRUE(Has(run.Results(), "GameScreen:show_manual"));
    EXPECT_EQ(topAfterManual, "HelpScreen");
    EXPECT_EQ(rivalsMost, 0.0f);
    EXPECT_FALSE(tutorialLeft);
    EXPECT_EQ(shades, (std::vector<int>{CWindowShadesEffect::kClose, CWindowShadesEffect::kOpen}));
    ASSERT_EQ(mouse.size(), 3u);
    EXPECT_EQ(mouse[0], 200.0f);
    EXPECT_EQ(mouse[1], 400.0f);
    EXPECT_GT(mouse[2], 800.0f);  // beyond the picture: left alone
}
