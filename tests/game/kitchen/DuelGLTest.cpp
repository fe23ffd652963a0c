#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/WindowShadesEffect.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "game/screens/DuelLoseScreen.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

using namespace KitchenPlay;

constexpr float kFrameMs = 16.0f;
constexpr int kResultVariable = 5;

// The result pictures on the game scene ("interfaces.level_complete_N").
std::vector<std::string> ResultPictures() {
    std::vector<std::string> names;
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    if (!scene) return names;
    for (const GF::TAnimationPtr& animation : scene->GetAnimations()) {
        const std::string name = animation->GetName() ? animation->GetName() : "";
        if (name.rfind("level_complete_", 0) == 0) names.push_back(name);
    }
    return names;
}

// What the duel's result screen on top shows.
struct tagResultScreen {
    std::string flag;
    std::u16string round, time, title;
    std::vector<std::string> enabled;
};

GF::TAnimationPtr FlagOf(const GF::THolder<GF::IScreen>& screen) {
    const GF::TSubstitutedContainerPtr place(screen->GetAnimation()->FindDrawable("_place_country").Get());
    return place ? place->GetSubstituted(0) : GF::TAnimationPtr();
}

GF::TAnimationPtr DishFrameOf(const GF::THolder<GF::IScreen>& screen) {
    auto* scene = dynamic_cast<GF::HGENS::CScene*>(screen->GetScene().Get());
    if (!scene) return {};
    for (const GF::TAnimationPtr& animation : scene->GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == "recept_place_duel")
            return animation;
    return {};
}

tagResultScreen ReadResultScreen(const GF::THolder<GF::IScreen>& screen) {
    tagResultScreen shown;
    const GF::TAnimationPtr layout = screen->GetAnimation();
    const GF::TAnimationPtr flag = FlagOf(screen);
    shown.flag = flag ? flag->GetName() : "";
    const auto text = [&](const GF::TAnimationPtr& animation, const char* part) {
        const GF::WChar* t = animation ? animation->GetText(part) : nullptr;
        return std::u16string(t ? t : u"");
    };
    shown.round = text(layout, "_round");
    shown.time = text(layout, "_time");
    shown.title = text(DishFrameOf(screen), "_title");
    for (const char* name : {"replay", "map", "replay_2", "continue"})
        if (const auto control = screen->FindControl(name); control && control->IsEnabled())
            shown.enabled.push_back(name);
    return shown;
}

// The shades have opened over the screen on top, some frames ago.
bool SettledOpen(CLevelRun& run, const std::string& screen, int& frames) {
    const GF::THolder<CWindowShadesEffect> shades = CWindowShadesEffect::GetInstance();
    const bool open = run.TopName() == screen && shades->GetState() == CWindowShadesEffect::kOpen &&
                      shades->GetProgress() >= 1.0f;
    frames = open ? frames + 1 : 0;
    return frames == 30;
}

// How many pixels differ between two pictures of one size.
int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    return count;
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// One rival order's steps as the player sees them on its sign, in ms from its arrival: an item
// taken to work on (the order turns busy) or an item finished (one more put).
struct tagRivalOrder {
    GF::THolder<CZacaz> order;  // held while the level runs, so that no later order takes its place
    std::string recipe;
    int base = 0;  // the order's base time, ms
    int arrival = 0;
    bool busy = false;
    int put = 0;
    std::vector<std::pair<int, char>> steps;  // (ms, 'w' work begins or 'p' item put)
};

}  // namespace

// The player wins the duel "stage2_2" through the flow (16 ms frames, seeded): a cook serves the two
// kind-101 orders, holding the last one until the rival's last order has come, and that order is
// made ready one frame after the player's final serve. The result stays 201, one result picture
// plays, "DuelStatisticsScreen" shows the round, 100 and the stage's flag, and "continue" is "next".
TEST(Duel, ThePlayerServesHerOrdersFirstAndTheRivalsLateOrderChangesNothing) {
    CLevelRun run;
    run.frameMs = kFrameMs;
    run.seed = 7;
    CClicker mouse;
    struct tagSeen {
        int playerServed = 0;
        int finalServeFrame = -1, rivalReadyFrame = -1;
        bool rivalReady = false;
        std::vector<float> results;     // each change of variable 5 to a result
        std::vector<int> resultFrames;  // the first frame that saw it
        std::size_t mostPictures = 0;
        std::vector<std::string> pictures;
        std::string afterExit;
        tagResultScreen screen;
    } seen;
    GF::THolder<CZacaz> rivalLast;
    int settled = 0;
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                r.Play("stage2_2");
                return true;
            }
            const float result = r.Player().floatVars[kResultVariable];
            if (result != 0.0f && (seen.results.empty() || seen.results.back() != result)) {
                seen.results.push_back(result);
                seen.resultFrames.push_back(frame);
            }
            // The rival's last order is complete one frame after the player's final serve: ready for the
            // first frame that follows the one whose serve set the result.
            if (seen.finalServeFrame >= 0 && seen.rivalReadyFrame < 0 && result != 0.0f && rivalLast &&
                Kitchen(r)) {
                seen.rivalReadyFrame = frame;
                if (rivalLast->IsBusy()) rivalLast->SetItemWorking(false, CZacaz::kNoItem);
                for (int i = 0; i < rivalLast->GetItemCount(); ++i) {
                    if (Plays(rivalLast->GetItemIcons()[static_cast<std::size_t>(i)], "_stroke")) continue;
                    rivalLast->SetItemDone(i);
                    rivalLast->PutItem(i);
                }
                seen.rivalReady = rivalLast->IsReadyToServe();
            }
            if (mouse.Busy(r)) return true;
            CGameField* field = Kitchen(r);
            if (!field) {
                rivalLast.Reset();
                if (seen.afterExit.empty() && !r.TopName().empty() && r.TopName() != "GameScreen")
                    seen.afterExit = r.TopName();
                if (Has(r.Results(), "DuelStatisticsScreen:next")) return false;
                if (SettledOpen(r, "DuelStatisticsScreen", settled)) {
                    seen.screen = ReadResultScreen(r.Top());
                    mouse.ClickControl(r, "continue");
                }
                return true;
            }
            const std::vector<std::string> pictures = ResultPictures();
            seen.mostPictures = std::max(seen.mostPictures, pictures.size());
            if (!pictures.empty()) seen.pictures = pictures;
            CReceptPanel& panel = *field->GetReceptPanel();
            if (seen.finalServeFrame >= 0 || field->GetLastAction() || !field->IsPlaying()) return true;
            const bool rivalLastCame = field->FindQueueEntry(CZacaz::kDuelRivalKind) < 0;
            for (const GF::THolder<CZacaz>& c : panel.GetCustomers())
                if (c->GetKind() == CZacaz::kDuelRivalKind && rivalLastCame) rivalLast = c;
            // The cook works for the player's own customer, choosing it when the rival's is current.
            const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
            if (customer && customer->GetKind() != CZacaz::kDuelPlayerKind && !panel.IsSliding()) {
                for (const GF::THolder<CZacaz>& c : panel.GetCustomers())
                    if (c->GetKind() == CZacaz::kDuelPlayerKind && c->GetSign()) {
                        mouse.Click(r, PointOnSign(panel, c));
                        return true;
                    }
            }
            if (!customer || customer->GetKind() != CZacaz::kDuelPlayerKind || customer->IsBusy())
                return true;
            if (customer->IsReadyToServe()) {
                // The last one waits for the rival's last order, open and not yet complete.
                const bool last = field->FindQueueEntry(CZacaz::kDuelPlayerKind) < 0;
                if (last && !(rivalLast && rivalLast->IsOpen() &&
                              StruckItems(*rivalLast) < rivalLast->GetItemCount()))
                    return true;
                if (last) seen.finalServeFrame = frame;
                ++seen.playerServed;
                mouse.Click(r, Centre(field->GetPlateAnimation()->GetBoundingBox()));
                return true;
            }
            const GF::THolder<CCookObject> device = field->GetNextObject(1);
            if (device && device->IsFree()) mouse.Click(r, PointOn(*field, device));
            return true;
        },
        6000);
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << run.TopName() << ", served " << seen.playerServed;

    EXPECT_EQ(seen.playerServed, 2);
    ASSERT_GE(seen.finalServeFrame, 0);
    ASSERT_EQ(seen.resultFrames.size(), 1u);
    EXPECT_EQ(seen.rivalReadyFrame, seen.resultFrames[0]);
    EXPECT_LE(seen.resultFrames[0], seen.finalServeFrame + 2);
    EXPECT_TRUE(seen.rivalReady);
    EXPECT_EQ(seen.results, std::vector<float>{201.0f});
    EXPECT_EQ(seen.mostPictures, 1u);
    EXPECT_EQ(seen.pictures, std::vector<std::string>{"level_complete_1"});
    EXPECT_EQ(seen.afterExit, "DuelStatisticsScreen");
    EXPECT_EQ(seen.screen.flag, "country_2");  // the duel's stage
    EXPECT_EQ(seen.screen.round, u"Round 2");
    EXPECT_EQ(seen.screen.time, u"100");
    EXPECT_EQ(seen.screen.title, u"Tomato soup");
    ASSERT_FALSE(run.Results().empty());
    EXPECT_EQ(run.Results().back(), "DuelStatisticsScreen:next");
}

// The player idles through the duel, having won it before: each of the rival's two orders waits
// 6000 ms, then its items come in timed steps, each wait lasting the order's base time to one and a
// half times it and each item its work time, give or take a frame. The rival's last serve loses the
// round (202, the grey picture), "DuelLoseScreen" shows the rival's flag, the dish's title and the
// time as m:ss; the shades open on a picture that holds the flag and the title. With the round won
// before only "replay_2" and "continue" are offered, and the replay plays the round again.
TEST(Duel, TheRivalCooksInTimedStepsAndWinsAnIdleRound) {
    CLevelRun run;
    run.frameMs = kFrameMs;
    run.seed = 7;
    CClicker mouse;
    std::vector<tagRivalOrder> rivals;
    std::vector<std::string> pictures;
    float result = 0.0f;
    float storedTime = -1.0f;
    tagResultScreen screen;
    int flagPixels = -1, titlePixels = -1;
    bool replayAsked = false;
    std::string afterReplay;
    int settled = 0;
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                r.Player().levels["stage2_2"].place = 1;
                r.Play("stage2_2");
                return true;
            }
            if (mouse.Busy(r)) return true;
            CGameField* field = Kitchen(r);
            if (field && replayAsked) {
                afterReplay = field->GetLevelName();
                return false;
            }
            if (!field)
                for (tagRivalOrder& rival : rivals) rival.order.Reset();
            if (field) {
                result = r.Player().floatVars[kResultVariable];
                const std::vector<std::string> shown = ResultPictures();
                if (!shown.empty()) pictures = shown;
                for (const GF::THolder<CZacaz>& c : field->GetReceptPanel()->GetCustomers()) {
                    if (c->GetKind() != CZacaz::kDuelRivalKind) continue;
                    auto known = std::find_if(rivals.begin(), rivals.end(),
                                              [&](const tagRivalOrder& rival) { return rival.order == c; });
                    if (known == rivals.end()) {
                        tagRivalOrder arrived;
                        arrived.order = c;
                        arrived.recipe = c->GetRecipe().Name;
                        arrived.base = static_cast<int>(c->GetOrder().Time * 1000.0f);
                        arrived.arrival = frame;
                        known = rivals.insert(rivals.end(), arrived);
                    }
                    tagRivalOrder& rival = *known;
                    const int ms = (frame - rival.arrival) * static_cast<int>(kFrameMs);
                    // Once complete it is busy being served, which is no step.
                    const int put = StruckItems(*c);
                    const bool complete = put == c->GetItemCount();
                    if (!complete && c->IsBusy() && !rival.busy) rival.steps.push_back({ms, 'w'});
                    if (put > rival.put) rival.steps.push_back({ms, 'p'});
                    rival.busy = c->IsBusy();
                    rival.put = put;
                }
                return true;
            }
            if (replayAsked || !SettledOpen(r, "DuelLoseScreen", settled)) return true;
            storedTime = r.Player().levels["stage2_2"].value;
            screen = ReadResultScreen(r.Top());
            // The picture as the player sees it, then without the flag, then without the title.
            int width = 0, height = 0;
            const std::vector<uint32_t> picture = r.Picture(&width, &height);
            const GF::TAnimationPtr flag = FlagOf(r.Top());
            const GF::TAnimationPtr dish = DishFrameOf(r.Top());
            if (!flag || !dish) return false;
            flag->SetVisible(false);
            flagPixels = Differing(picture, r.Picture(&width, &height));
            flag->SetVisible(true);
            dish->SetChildVisible("_title", false);
            titlePixels = Differing(picture, r.Picture(&width, &height));
            dish->SetChildVisible("_title", true);
            // The replay names the round again, whatever was to be played next.
            r.Player().stringVars[29] = "stage1_1";
            replayAsked = mouse.ClickControl(r, "replay_2");
            return replayAsked;
        },
        6000);
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << run.TopName();

    // Two rival orders, tea (base 3 s: 2000 ms of work, then the cup) and soup (base 4 s: 3000 ms
    // of work and the bread), in the order the queue lists them.
    ASSERT_EQ(rivals.size(), 2u);
    EXPECT_EQ(rivals[0].recipe, "tea");
    EXPECT_EQ(rivals[1].recipe, "soup");
    int waits = 0;
    for (const tagRivalOrder& rival : rivals) {
        const int base = rival.base;
        ASSERT_FALSE(rival.steps.empty());
        EXPECT_NEAR(rival.steps.front().first, 6000, kFrameMs) << rival.recipe;
        for (std::size_t i = 1; i < rival.steps.size(); ++i) {
            const int gap = rival.steps[i].first - rival.steps[i - 1].first;
            if (rival.steps[i - 1].second == 'w') {
                // The item worked on: its work time.
                EXPECT_EQ(rival.steps[i].second, 'p');
                const int work = rival.recipe == "tea" ? 2000 : 3000;
                EXPECT_NEAR(gap, work, kFrameMs) << rival.recipe;
            } else {
                ++waits;
                EXPECT_GE(gap, base) << rival.recipe;
                EXPECT_LE(gap, base + base / 2 - 1 + static_cast<int>(kFrameMs)) << rival.recipe;
            }
        }
    }
    EXPECT_EQ(waits, 2);
    EXPECT_EQ(result, 202.0f);
    EXPECT_EQ(pictures, std::vector<std::string>{"level_complete_4"});

    EXPECT_EQ(screen.flag, "country_2");  // the rival's portrait 1: the stage's flag
    EXPECT_EQ(screen.title, u"Tomato soup");
    EXPECT_EQ(screen.round, u"Round 2");
    EXPECT_GT(storedTime, 20000.0f);
    EXPECT_EQ(screen.time, CDuelLoseScreen::FormatTime(storedTime));
    EXPECT_EQ(screen.enabled, (std::vector<std::string>{"replay_2", "continue"}));
    EXPECT_GT(flagPixels, 0);
    EXPECT_GT(titlePixels, 0);
    EXPECT_TRUE(Has(run.Results(), "DuelLoseScreen:replay"));
    EXPECT_EQ(afterReplay, "stage2_2");
}
