#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/core/Mouse.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/PlayerStore.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/HintManager.h"
#include "game/kitchen/InGameHintStrategy.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

using namespace KitchenPlay;

constexpr int kWrongClickSound = 5;
constexpr int kClosingSound = 8;
constexpr int kTickSound = 9;
constexpr int kLightHintSound = 31;

// The settings file as saved, read back: the framework's four words, then the game's part.
CPlayerStore SavedStore(const CLevelRun& run, int32_t version) {
    std::ifstream in(std::string(run.SaveFolder()) + "/Setting", std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    CPlayerStore store;
    store.version = version;
    std::string why;
    if (bytes.size() < 16) return store;
    GF::CMemoryInputStream part(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
    EXPECT_EQ(LoadSettingsPart(part, store, why), ESettingsPart::Loaded) << why;
    return store;
}

// What a player saw of one level played through the program.
struct tagLevelSeen {
    int32_t version = 0;
    bool introClickMoved = false;
    std::vector<int> arrivals;  // frames at which the customers came
    int flights = 0;
    std::vector<float> workMs;
    int served = 0;
    float servedVariable = 0.0f;
    float scoreVariable = 0.0f;
    float fieldScore = 0.0f;
    uint32_t floorPixel = 0, heroinePixel = 0, signPixel = 0;
    bool closedBeforeEnd = false;
    bool allLeft = false;
    std::vector<std::string> pictures;  // result pictures seen
    std::string afterExit;
    float qualified = 0.0f;
    float place = 0.0f;
    bool dialClosed = false;  // the dial showed "_closed" after closing time
    bool heardClosing = false, heardTick = false, heardOops = false;
    // The heroine's cells from the start of play, one for each cell she walked to next, and whether a
    // step skipped a neighbour or met a blocked cell; where she stood, and the device, when the first
    // device she was sent to began its work; her cell whenever she came to rest after a serve.
    TPoint<int> scorePoint{-1, -1};
    std::vector<TPoint<int>> cells;
    bool offTheGrid = false;
    TPoint<float> standsAt{-1.0f, -1.0f}, deviceAt{};
    TPoint<int> standsCell{-1, -1};
    std::vector<TPoint<int>> afterServing;
};

// Plays "stage1_1" at 16 ms frames from seed 7; with `cook`, a cook who takes each order's items
// in turn and serves it at the plate, else nobody touches anything.
tagLevelSeen PlaySampleLevel(CLevelRun& run, bool cook) {
    run.frameMs = 16.0f;
    run.seed = 7;
    tagLevelSeen seen;
    CKitchenCook cooking;
    CClicker& mouse = cooking.mouse;
    CSoundEar ear;
    int introClickAt = -1;
    TPoint<int> cellBeforeIntroClick{-1, -1};
    int customersSeen = 0;
    int workStart = -1;
    bool shot = false;
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                r.Play("stage1_1");
                ear.Listen({kClosingSound, kTickSound});
                CSoundEar::ForgetName("oops");
                return true;
            }
            seen.version = GetGameData().players.version;
            if (mouse.Busy(r)) return true;
            CGameField* field = Kitchen(r);
            if (!field) {
                if (!r.Results().empty() && r.Results().back() == "GameScreen:exit" && !r.TopName().empty())
                    seen.afterExit = r.TopName();
                return seen.afterExit.empty();
            }
            CReceptPanel& panel = *field->GetReceptPanel();
            const GF::THolder<CPers> pers = field->GetPers();
            for (const char* picture : {"level_complete_1", "level_complete_4"})
                if (HasAnimation(picture) && (seen.pictures.empty() || seen.pictures.back() != picture))
                    seen.pictures.push_back(picture);
            seen.servedVariable = r.Player().floatVars[6];
            seen.scoreVariable = r.Player().floatVars[4];
            seen.fieldScore = field->GetScore();
            seen.qualified = r.Player().floatVars[19];
            seen.place = r.Player().floatVars[5];
            if (field->IsClosed() && !field->IsFinished()) seen.closedBeforeEnd = true;
            if (field->IsClosed()) seen.allLeft = panel.GetCustomers().empty();
            if (field->IsClosed() && Plays(field->GetClockFlip(), "_closed")) seen.dialClosed = true;
            if (!field->IsPlaying() && !field->IsClosed() && field->GetCustomersServed() == 0) {
                // The intro: a click on the floor is not taken.
                if (introClickAt < 0 && frame == 30) {
                    introClickAt = frame;
                    cellBeforeIntroClick = pers->GetCell();
                    mouse.Click(r, {300, 520});
                }
                if (introClickAt > 0 && pers->GetCell() != cellBeforeIntroClick) seen.introClickMoved = true;
                return true;
            }
            // The cell she walks to while walking; the one nearest to where she stands otherwise (her
            // cell is only set by a walk).
            const TPoint<float> floor = pers->GetFloorPosition();
            const bool walking = pers->GetHandler() == &CPers::UpdateWalk;
            const TPoint<int> cell =
                walking ? pers->GetCell()
                        : TPoint<int>{static_cast<int>(floor.x + 0.5f), static_cast<int>(floor.y + 0.5f)};
            if (seen.cells.empty() || seen.cells.back() != cell) {
                const TPoint<int> from = seen.cells.empty() ? cell : seen.cells.back();
                if (std::abs(cell.x - from.x) > 1 || std::abs(cell.y - from.y) > 1) seen.offTheGrid = true;
                if (field->GetLevel()->WalkGrid[16 * cell.x + cell.y]) seen.offTheGrid = true;
                seen.cells.push_back(cell);
            }
            seen.scorePoint = {field->GetLevel()->ScorePoint.X, field->GetLevel()->ScorePoint.Y};
            if (cooking.served > static_cast<int>(seen.afterServing.size()) && !walking &&
                !field->GetLastAction())
                seen.afterServing.push_back(cell);
            const int present = static_cast<int>(panel.GetCustomers().size()) + field->GetCustomersServed();
            if (present > customersSeen) {
                customersSeen = present;
                seen.arrivals.push_back(frame);
            }
            seen.flights = std::max(seen.flights, static_cast<int>(field->GetFlyObjectCount()));
            const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
            if (!shot && customer && customer->GetSign() && field->IsPlaying() && frame > 400) {
                shot = true;
                int width = 0, height = 0;
                const std::vector<uint32_t> picture = r.Picture(&width, &height);
                const float scale = static_cast<float>(width) / 800.0f;
                const auto at = [&](TPoint<float> p) {
                    return CLevelRun::At(picture, width, static_cast<int>(p.x * scale),
                                         static_cast<int>(p.y * scale));
                };
                seen.floorPixel = at({300.0f, 560.0f});
                seen.heroinePixel = at(pers->GetAnimation()->GetPosition());
                seen.signPixel = at(customer->GetSign()->GetPosition());
            }
            if (!cook) return true;
            // A device's work: from the order's item starting to work to the device being free again.
            if (cooking.working) {
                if (workStart < 0 && customer && customer->IsBusy()) {
                    workStart = frame;
                    if (seen.standsCell.x < 0) {
                        seen.standsAt = pers->GetAnimation()->GetPosition();
                        seen.deviceAt = cooking.working->GetAnimation()->GetPosition();
                        seen.standsCell = cell;
                    }
                }
                if (workStart >= 0 && cooking.working->IsFree()) {
                    seen.workMs.push_back(static_cast<float>(frame - workStart) * r.frameMs);
                    workStart = -1;
                }
            }
            cooking.Step(r, *field);
            seen.served = cooking.served;
            return true;
        },
        9000);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << run.TopName();
    seen.heardClosing = CSoundEar::Heard(kClosingSound);
    seen.heardTick = CSoundEar::Heard(kTickSound);
    seen.heardOops = CSoundEar::HeardName("oops");
    return seen;
}

int Brightness(uint32_t argb) {
    return static_cast<int>((argb >> 16 & 0xFF) + (argb >> 8 & 0xFF) + (argb & 0xFF));
}

}  // namespace

// The sample level played to the end by a cook who takes each order's items and serves it at the
// plate: a click during the intro moves nothing; mid-level the heroine and the current order's sign
// stand out from the floor; the heroine walks from her serving cell over the walk grid, one
// neighbouring free cell at a time, stands in front of the device she is sent to, and goes home after
// each serve; places' items fly, devices work for the item's time; every order served counts; after
// closing the gold picture plays, the screen ends with "exit" and the flow goes on; the settings file
// holds the first place with the points of the player and of each rival, and the level's time.
TEST(KitchenLevel, ServingEveryOrderWinsTheLevelThroughTheFlow) {
    CLevelRun run;
    const tagLevelSeen seen = PlaySampleLevel(run, true);
    EXPECT_FALSE(seen.introClickMoved);
    EXPECT_NE(Brightness(seen.heroinePixel), Brightness(seen.floorPixel));
    EXPECT_NE(Brightness(seen.signPixel), Brightness(seen.floorPixel));

    ASSERT_FALSE(seen.cells.empty());
    EXPECT_EQ(seen.cells.front(), seen.scorePoint);
    EXPECT_GT(seen.cells.size(), 20u);
    EXPECT_FALSE(seen.offTheGrid) << "a step past a neighbour or onto a blocked cell";
    // Her feet in front of the device, her figure over it.
    ASSERT_GE(seen.standsCell.x, 0);
    EXPECT_NEAR(seen.standsAt.x, seen.deviceAt.x, 40.0f);
    const TPoint<float> feet{static_cast<float>(seen.standsCell.x), static_cast<float>(seen.standsCell.y)};
    EXPECT_GT(MapFloorPoint(FloorQuad(), feet).y, seen.deviceAt.y);
    EXPECT_EQ(seen.afterServing, std::vector<TPoint<int>>(seen.afterServing.size(), seen.scorePoint));
    EXPECT_GE(seen.afterServing.size(), 4u);

    EXPECT_GT(seen.flights, 0);
    ASSERT_GE(seen.workMs.size(), 3u);
    // An item's time, or a third of it while a cooking bonus that a customer brought runs.
    for (const float ms : seen.workMs) {
        bool known = false;
        for (const float value : {2000.0f, 3000.0f, 3500.0f, 4000.0f})
            known = known || std::abs(ms - value) <= 16.0f || std::abs(ms - value / 3.0f) <= 16.0f;
        EXPECT_TRUE(known) << ms;
    }
    EXPECT_GE(seen.served, 4);
    EXPECT_GE(seen.servedVariable, static_cast<float>(seen.served));
    EXPECT_GT(seen.fieldScore, 80.0f + 19.0f);  // beyond the best rival's last step
    EXPECT_EQ(seen.scoreVariable, seen.fieldScore);
    EXPECT_TRUE(seen.closedBeforeEnd);
    EXPECT_EQ(seen.pictures, std::vector<std::string>{"level_complete_1"});
    EXPECT_FALSE(seen.heardOops);
    EXPECT_EQ(seen.afterExit, "StatisticsScreen");
    EXPECT_EQ(seen.place, 1.0f);
    EXPECT_EQ(seen.qualified, 1.0f);

    const CPlayerStore saved = SavedStore(run, seen.version);
    const auto player = saved.players.find(saved.currentName);
    ASSERT_NE(player, saved.players.end());
    const auto level = player->second.levels.find("stage1_1");
    ASSERT_NE(level, player->second.levels.end());
    EXPECT_EQ(level->second.place, 1);
    EXPECT_GE(level->second.value, 40000.0f);
    const std::unordered_map<int32_t, float>& scores = level->second.scores;
    ASSERT_EQ(scores.size(), 4u);
    EXPECT_EQ(scores.at(6), std::floor(seen.fieldScore));
    // Each rival reaches its target, give or take its last step.
    EXPECT_NEAR(scores.at(0), 80.0f, 20.0f);
    EXPECT_NEAR(scores.at(1), 60.0f, 20.0f);
    EXPECT_NEAR(scores.at(2), 40.0f, 20.0f);
}

// Nobody cooks: customers come at the arrival interval until three wait; the clock ticks through
// its last twentieth; at closing time the closing sound plays, the dial shows "_closed", and the
// customers lose patience and leave, the bonus customer too; the player has the last place, the
// grey picture plays with "oops" and the level does not qualify.
TEST(KitchenLevel, AnIdleLevelClosesEmptiesAndEndsInTheLastPlace) {
    CLevelRun run;
    const tagLevelSeen seen = PlaySampleLevel(run, false);
    EXPECT_EQ(seen.served, 0);
    // The first customer comes with the end of the intro, the next ones at the arrival interval
    // (9 s at 16 ms a frame) until three are present.
    ASSERT_EQ(seen.arrivals.size(), 3u);
    EXPECT_NEAR(seen.arrivals[1] - seen.arrivals[0], 9000 / 16, 2);
    EXPECT_NEAR(seen.arrivals[2] - seen.arrivals[1], 9000 / 16, 2);
    EXPECT_TRUE(seen.heardTick);
    EXPECT_TRUE(seen.closedBeforeEnd);
    EXPECT_TRUE(seen.heardClosing);
    EXPECT_TRUE(seen.dialClosed);
    EXPECT_TRUE(seen.allLeft);
    EXPECT_EQ(seen.place, 4.0f);
    EXPECT_EQ(seen.pictures, std::vector<std::string>{"level_complete_4"});
    EXPECT_TRUE(seen.heardOops);
    EXPECT_EQ(seen.qualified, -1.0f);
    EXPECT_FALSE(seen.afterExit.empty());
}

namespace {

uint32_t FirstSpriteColour(const GF::TAnimationPtr& animation) {
    const GF::TSpritePtr sprite(animation->GetDrawable(0).Get());
    return sprite ? sprite->GetColor() : 0u;
}

// Every sprite of the animation that the glow colours (the opaque ones) has this colour.
bool AllOpaqueSpritesAre(const GF::TAnimationPtr& animation, uint32_t colour) {
    for (int i = 0; i < animation->GetDrawableCount(); ++i) {
        const GF::TSpritePtr sprite(animation->GetDrawable(static_cast<unsigned>(i)).Get());
        if (sprite && (sprite->GetColor() >> 24) == 0xFF && sprite->GetColor() != colour) return false;
    }
    return true;
}

int Lightness(uint32_t argb) {
    return static_cast<int>(((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF)) / 3;
}

// How a device looks lit, against its look at rest, over the window pixels that it draws (those
// that change when it is hidden), the mouse's corner left out.
struct tagLitLook {
    int pixels = 0;
    int nearWhite = 0;      // lit pixels with every channel at 240 or more
    double lift = 0.0;      // mean lightness lit minus mean lightness at rest
    double contrast = 0.0;  // lit: the quarter lightest at rest against the darkest quarter, in lightness
};

tagLitLook CompareLitLook(const std::vector<uint32_t>& rest, const std::vector<uint32_t>& without,
                          const std::vector<uint32_t>& lit, int width, const GF::TRect& box,
                          TPoint<int> mouse) {
    tagLitLook look;
    std::vector<std::pair<int, int>> lightness;  // at rest, lit
    const int height = static_cast<int>(rest.size()) / std::max(width, 1);
    const auto window = [&](int v) { return v * width / 800; };
    for (int y = std::max(window(box.top), 0); y <= window(box.bottom) && y < height; ++y)
        for (int x = std::max(window(box.left), 0); x <= window(box.right) && x < width; ++x) {
            if (x >= window(mouse.x) - 2 && x <= window(mouse.x + 24) && y >= window(mouse.y) - 2 &&
                y <= window(mouse.y + 32))
                continue;
            const uint32_t before = CLevelRun::At(rest, width, x, y);
            if (before == CLevelRun::At(without, width, x, y)) continue;
            const uint32_t after = CLevelRun::At(lit, width, x, y);
            ++look.pixels;
            if (((after >> 16) & 0xFF) >= 240 && ((after >> 8) & 0xFF) >= 240 && (after & 0xFF) >= 240)
                ++look.nearWhite;
            lightness.emplace_back(Lightness(before), Lightness(after));
        }
    if (lightness.size() < 8) return look;
    double restSum = 0.0, litSum = 0.0;
    for (const auto& [atRest, glowing] : lightness) {
        restSum += atRest;
        litSum += glowing;
    }
    look.lift = (litSum - restSum) / static_cast<double>(lightness.size());
    std::sort(lightness.begin(), lightness.end());
    const size_t quarter = lightness.size() / 4;
    double dark = 0.0, light = 0.0;
    for (size_t i = 0; i < quarter; ++i) {
        dark += lightness[i].second;
        light += lightness[lightness.size() - 1 - i].second;
    }
    look.contrast = (light - dark) / static_cast<double>(quarter);
    return look;
}

}  // namespace

// The player's commands on the sample level, from its first customer on (16 ms frames, seeded): a
// click on the floor sends the heroine walking; a device the order does not want gives the cancel
// gesture, the useless-click sound and that moment's hint in a balloon over the heroine, and the
// same click while she gestures gives nothing; the charged light hint lights the device the order
// needs next; a place taken from vanishes and sweeps back in; the second customer's sign makes it
// the current one; the device under the mouse glows in full and still shows its own picture, lifted,
// not a white silhouette; a device the mouse has left goes back to a colour that adds nothing and
// stays drawn; and with the clock sped up sixteen times the level's last seconds pass without a tick.
TEST(KitchenLevel, TheKitchenAnswersThePlayersCommands) {
    CLevelRun run;
    run.frameMs = 16.0f;
    run.seed = 7;
    struct tagSeen {
        float edgeCells[2] = {-1.0f, -1.0f};
        bool edgeOnDevice = true, edgeClickMoved = false;
        bool insideClickMoved = false;
        int gesture = -1;
        bool wrongSound = false, repeatedSound = true;
        std::string wrongHint;
        int32_t repeatedTrigger = -1;
        GF::TRect heroine, balloon;
        bool litScaled = false, litColour = false, lightSound = false;
        bool hintOnAfterLight = true;
        bool placeVanished = false, sweptIn = false;
        int placeBackMs = 0;
        uint32_t placeColourAfter = 0;
        bool switched = false, rollHeard = false;
        uint32_t glowColour = 0, pixelWith = 0, pixelWithout = 0, pixelBefore = 0, pixelAfter = 0;
        std::vector<uint32_t> restPicture, withoutPicture;
        tagLitLook litLook;
        bool leftDrawn = false, leftPlain = false, glowsAgain = false;
        float clockFactor = 0.0f;
        bool pastLastTwentieth = false;
    } seen;
    CClicker mouse;
    CSoundEar ear;
    int step = 0;
    int at = 0;
    GF::THolder<CZacaz> customer;
    GF::THolder<CCookObject> device;
    TPoint<int> point{};
    float baseScale = 0.0f;
    int width = 0, height = 0;
    // Game pixels to window pixels, for reading pictures.
    const auto pixel = [&](const std::vector<uint32_t>& picture, TPoint<int> p) {
        return CLevelRun::At(picture, width, p.x * width / 800, p.y * height / 600);
    };
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                r.Play("stage1_1");
                ear.Listen({kWrongClickSound, kTickSound, kLightHintSound});
                return true;
            }
            if (mouse.Busy(r)) return true;
            CGameField* field = Kitchen(r);
            if (!field) return step < 15;
            CReceptPanel& panel = *field->GetReceptPanel();
            const GF::THolder<CPers> pers = field->GetPers();
            const bool idle = !field->GetLastAction();
            switch (step) {
                case 0:  // the first customer sits; clicks on the grid's left and right edge
                    customer = panel.GetCurrentCustomer();
                    if (!field->IsPlaying() || !customer || panel.IsSliding() || !idle) return true;
                    seen.edgeOnDevice = field->FindDeviceAt({80, 450}) || field->FindDeviceAt({721, 450});
                    mouse.Click(r, {80, 450});
                    at = frame;
                    step = 1;
                    return true;
                case 1:
                case 2:
                    // The game reads the point through the window's pixels: a hair outside the edge.
                    seen.edgeClickMoved = seen.edgeClickMoved || !idle;
                    if (frame < at + 10) return true;
                    {
                        const GF::THolder<GF::CMouse> read = GF::GetMouse();
                        seen.edgeCells[step - 1] =
                            CGameField::ScreenToFloorCell({read->GetFloatX(), read->GetFloatY()}).x;
                    }
                    if (step == 1) {
                        mouse.Click(r, {721, 450});
                        at = frame;
                        step = 2;
                        return true;
                    }
                    mouse.Click(r, {400, 540});  // cell (8, 12.8)
                    at = frame;
                    step = 3;
                    return true;
                case 3:
                    seen.insideClickMoved = seen.insideClickMoved || !idle;
                    if (frame < at + 3 || !idle) return true;
                    // A device that the soup does not want.
                    for (const GF::THolder<CCookObject>& candidate : field->GetObjectList()) {
                        const CIngridientInfo& info = candidate->GetInfo();
                        if (info.Kind != 0 && candidate->IsFree() && candidate->IsReady() &&
                            customer->FindItemToPut(info.Name) < 0 &&
                            customer->FindCurrentItem(info.Name) < 0 && !customer->CanUseIngredient(info))
                            device = candidate;
                    }
                    if (!device) return false;
                    GetHintManager().Current = CHintInfo{};
                    mouse.Click(r, PointOn(*field, device));
                    at = frame;
                    step = 4;
                    return true;
                case 4:
                    if (frame < at + 10) return true;
                    seen.gesture = pers->GetAnimationIndex();
                    seen.wrongSound = CSoundEar::Heard(kWrongClickSound);
                    seen.wrongHint = GetHintManager().Current.name;
                    if (auto* strategy = dynamic_cast<CInGameHintStrategy*>(GetHintManager().Strategy.Get()))
                        if (strategy->GetShownBalloon())
                            seen.balloon = strategy->GetShownBalloon()->GetBoundingBox();
                    seen.heroine = pers->GetAnimation()->GetBoundingBox();
                    // Again while she gestures: the queue is not empty, so nothing answers.
                    CSoundEar::Forget(kWrongClickSound);
                    GetHintManager().Trigger = 0;
                    mouse.Click(r, PointOn(*field, device));
                    at = frame;
                    step = 5;
                    return true;
                case 5:
                    if (frame < at + 3) return true;
                    if (frame == at + 3) {
                        seen.repeatedSound = CSoundEar::Heard(kWrongClickSound);
                        seen.repeatedTrigger = GetHintManager().Trigger;
                        field->SetLightCharge(GetGameData().bonusParams.lightHintCharge);
                    }
                    if (!idle) return true;
                    // The light hint, charged: the soup's device lights up.
                    device = field->GetNextObject(1);
                    if (!device) return false;
                    baseScale = device->GetAnimation()->GetScale().x;
                    if (!mouse.ClickControl(r, "hint")) return false;
                    at = frame;
                    step = 6;
                    return true;
                case 6:
                    seen.litScaled =
                        seen.litScaled || device->GetAnimation()->GetScale().x > baseScale * 1.05f;
                    seen.litColour =
                        seen.litColour || FirstSpriteColour(device->GetAnimation()) == 0xFF663333;
                    if (frame < at + 40) return true;
                    seen.lightSound = CSoundEar::Heard(kLightHintSound);
                    seen.hintOnAfterLight = r.Top()->FindControl("hint")->IsEnabled();
                    mouse.Click(r, PointOn(*field, device));
                    step = 7;
                    return true;
                case 7: {  // the soup's work done, its bread is taken from its place
                    const GF::THolder<CCookObject> next = field->GetNextObject(1);
                    if (!idle || customer->IsBusy() || !next || next->GetInfo().Kind != 0) return true;
                    device = next;
                    mouse.Click(r, PointOn(*field, device));
                    step = 8;
                    at = -1;
                    return true;
                }
                case 8: {
                    if (at < 0) {  // the mouse leaves the place, which it would make glow
                        r.MoveMouse(400, 540);
                        at = frame;
                    }
                    const GF::TAnimationPtr& place = device->GetAnimation();
                    if (!seen.placeVanished) {
                        if (!place->IsVisible() && !device->IsReady()) {
                            seen.placeVanished = true;
                            at = frame;
                        }
                        return true;
                    }
                    if (place->IsVisible() && !device->IsReady() && FirstSpriteColour(place) != 0xFF000000)
                        seen.sweptIn = true;
                    if (!device->IsReady()) return true;
                    seen.placeBackMs = (frame - at) * 16;
                    seen.placeColourAfter = FirstSpriteColour(place);
                    step = 9;
                    return true;
                }
                case 9: {  // the second customer's sign
                    if (panel.GetCustomers().size() < 2 || panel.IsSliding() || !idle) return true;
                    GF::THolder<CZacaz> other;
                    for (const GF::THolder<CZacaz>& c : panel.GetCustomers())
                        if (c != panel.GetCurrentCustomer() && c->GetSign()) other = c;
                    if (!other) return true;
                    customer = other;
                    CSoundEar::ForgetName("action_roll");
                    mouse.Click(r, PointOnSign(panel, other));
                    at = frame;
                    step = 10;
                    return true;
                }
                case 10:
                    if (frame < at + 3) return true;
                    seen.switched = panel.GetCurrentCustomer() == customer;
                    seen.rollHeard = CSoundEar::HeardName("action_roll");
                    step = 11;
                    return true;
                case 11: {  // the mouse over the microwave, shortly (no balloon), then away
                    if (panel.IsSliding()) return true;
                    device = field->FindObject("Devices.micro_wave", true);
                    if (!device) return false;
                    point = PointOn(*field, device);
                    seen.restPicture = r.Picture(&width, &height);
                    seen.pixelBefore = pixel(seen.restPicture, point);
                    device->GetAnimation()->SetVisible(false);
                    seen.withoutPicture = r.Picture(&width, &height);
                    seen.pixelWithout = pixel(seen.withoutPicture, point);
                    device->GetAnimation()->SetVisible(true);
                    r.MoveMouse(point.x, point.y);
                    at = frame;
                    step = 12;
                    return true;
                }
                case 12:
                    if (frame < at + 24) return true;
                    seen.glowColour = FirstSpriteColour(device->GetAnimation());
                    {
                        const std::vector<uint32_t> lit = r.Picture(&width, &height);
                        seen.pixelWith = pixel(lit, point);
                        seen.litLook = CompareLitLook(seen.restPicture, seen.withoutPicture, lit, width,
                                                      device->GetAnimation()->GetBoundingBox(), point);
                    }
                    r.MoveMouse(400, 540);
                    at = frame;
                    step = 13;
                    return true;
                case 13:
                    if (frame < at + 30) return true;
                    seen.leftDrawn = device->GetAnimation()->IsVisible();
                    seen.leftPlain = AllOpaqueSpritesAre(device->GetAnimation(), 0xFF000000);
                    seen.pixelAfter = pixel(r.Picture(&width, &height), point);
                    r.MoveMouse(point.x, point.y);
                    at = frame;
                    step = 14;
                    return true;
                case 14:
                    if (frame < at + 10) return true;
                    if (frame == at + 10) {
                        seen.glowsAgain = FirstSpriteColour(device->GetAnimation()) != 0xFF000000;
                        r.MoveMouse(400, 540);
                    }
                    // Digit 9 twice: sixteen times the clock.
                    if (frame == at + 10 || frame == at + 14) r.Key(SDLK_9, true);
                    if (frame == at + 12 || frame == at + 16) r.Key(SDLK_9, false);
                    if (frame < at + 20) return true;
                    seen.clockFactor = GetGameData().bonusParams.clockFactor;
                    CSoundEar::Forget(kTickSound);
                    step = 15;
                    return true;
                default:
                    if (field->GetElapsed() > 0.96f * field->GetLevel()->Duration)
                        seen.pastLastTwentieth = true;
                    return !field->IsFinished();
            }
        },
        6000);
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << "step " << step;
    ASSERT_EQ(step, 15);

    EXPECT_LE(seen.edgeCells[0], 0.0f);
    EXPECT_GT(seen.edgeCells[0], -0.1f);
    EXPECT_GE(seen.edgeCells[1], 16.0f);
    EXPECT_LT(seen.edgeCells[1], 16.1f);
    EXPECT_FALSE(seen.edgeOnDevice);
    EXPECT_FALSE(seen.edgeClickMoved);  // neither a walk nor the wrong-click gesture
    EXPECT_TRUE(seen.insideClickMoved);

    EXPECT_EQ(seen.gesture, 7);
    EXPECT_TRUE(seen.wrongSound);
    EXPECT_EQ(seen.wrongHint, "hint_wrong_order");  // the hint of trigger 4
    EXPECT_FALSE(seen.balloon.IsEmpty());
    EXPECT_NEAR((seen.balloon.left + seen.balloon.right) / 2.0,
                (seen.heroine.left + seen.heroine.right) / 2.0, 1.0);
    EXPECT_NEAR(seen.balloon.bottom, seen.heroine.top - 5, 1);
    EXPECT_FALSE(seen.repeatedSound);
    EXPECT_EQ(seen.repeatedTrigger, 0);

    EXPECT_TRUE(seen.litScaled);
    EXPECT_TRUE(seen.litColour);
    EXPECT_TRUE(seen.lightSound);
    EXPECT_FALSE(seen.hintOnAfterLight);  // spent: the button waits for the next charge

    EXPECT_TRUE(seen.placeVanished);
    EXPECT_TRUE(seen.sweptIn);
    // Back after the return time, the sweep of one show time included.
    const CGameData& data = GetGameData();
    EXPECT_NEAR(seen.placeBackMs, data.bonusParams.objectReturnTime + data.fieldParams.showTime, 48.0f);
    EXPECT_EQ(seen.placeColourAfter, 0xFF000000u);

    EXPECT_TRUE(seen.switched);
    EXPECT_TRUE(seen.rollHeard);

    EXPECT_NE(seen.pixelWithout, seen.pixelBefore) << "the microwave is not at the point";
    EXPECT_EQ(seen.glowColour, 0xFFFFFFFFu);
    EXPECT_NE(seen.pixelWith, seen.pixelBefore);
    // Lit, the microwave is lighter and still itself: its window and lines stay darker than its case.
    const tagLitLook& lit = seen.litLook;
    ASSERT_GT(lit.pixels, 400);
    EXPECT_LT(lit.nearWhite, lit.pixels / 4) << "a white silhouette";
    EXPECT_GT(lit.lift, 25.0);
    EXPECT_GT(lit.contrast, 20.0);
    EXPECT_TRUE(seen.leftDrawn);
    EXPECT_TRUE(seen.leftPlain);
    EXPECT_EQ(seen.pixelAfter, seen.pixelBefore);  // drawn as before the glow
    EXPECT_TRUE(seen.glowsAgain);

    EXPECT_EQ(seen.clockFactor, 16.0f);
    EXPECT_TRUE(seen.pastLastTwentieth);
    EXPECT_FALSE(CSoundEar::Heard(kTickSound));
}

// Every sample kitchen level: a click at the middle of each device's and place's picture is taken by
// that object, as the player sees it drawn (the level's scale and the library's masks agree with the
// pictures, and no object's box lies over another's middle).
TEST(KitchenLevel, AClickAtEachDevicesAndPlacesPictureMiddleIsTakenByIt) {
    std::vector<std::string> levels;
    CLevelRun run;
    run.frameMs = 100.0f;
    std::size_t next = 0;
    int playedAt = -1, fieldAt = -1;
    std::vector<std::string> kitchens, missed;
    run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                for (const auto& [name, level] : GetLevelsData().Levels) levels.push_back(name);
                std::sort(levels.begin(), levels.end());
            }
            if (playedAt < 0) {
                if (next == levels.size()) return false;
                r.Play(levels[next++]);
                playedAt = frame;
                fieldAt = -1;
                return true;
            }
            const std::string& level = levels[next - 1];
            if (!r.Field()) {
                if (frame > playedAt + 100) playedAt = -1;  // no field of its own: not a level to play
                return true;
            }
            if (fieldAt < 0) fieldAt = frame;
            CGameField* field = Kitchen(r);
            // The tutorial of the last stage waits for its buttons: its objects stand all the same.
            if (field && !field->IsPlaying() && frame < fieldAt + 300) return true;
            playedAt = -1;
            if (!field) return true;  // a bonus mini-game
            kitchens.push_back(level);
            for (const GF::THolder<CCookObject>& object : field->GetObjectList()) {
                const std::string& name = object->GetInfo().Name;
                if (name.rfind("Devices.", 0) != 0 && name.rfind("Places.", 0) != 0) continue;
                const TPoint<int> middle = Centre(object->GetAnimation()->GetBoundingBox());
                if (field->FindDeviceAt({static_cast<float>(middle.x), static_cast<float>(middle.y)}) !=
                    object)
                    missed.push_back(level + ": " + name + " at " + std::to_string(middle.x) + ", " +
                                     std::to_string(middle.y));
            }
            return true;
        },
        40000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_GE(kitchens.size(), 8u);
    EXPECT_EQ(missed, std::vector<std::string>{});
}

namespace {

// A player of our own at a human pace: a click at most every 0.4 s of game time, each on what the
// screen shows. The open order sign's next visible item that is not struck out sends the heroine to
// the first drawn object of that title; a ready order is served at the plate. The last stage's
// tutorial is read page by page through its buttons, and its manual closed again, also by a player
// who leaves the kitchen alone.
class CPacedPlayer {
public:
    static constexpr int kGapFrames = 10;  // 0.4 s at the run's 40 ms frames
    static constexpr int kRivalsGuest = 102;

    void Frame(CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (mouse.Busy(r) || frame < lastPress + kGapFrames) return;
        if (r.TopName() == "HelpScreen") {
            if (mouse.ClickControl(r, "skip")) Pressed(frame);
            return;
        }
        CGameField* field = Kitchen(r);
        if (!field) return;
        if (ReadTutorial(r, frame) || !serves) return;
        if (field->GetLastAction() || !field->IsPlaying()) return;
        CReceptPanel& panel = *field->GetReceptPanel();
        const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
        if (!customer || customer->GetKind() == kRivalsGuest) {
            // In a duel the rival's guest may be the open one: the player's own sign is clicked.
            for (const GF::THolder<CZacaz>& guest : panel.GetCustomers())
                if (guest->GetKind() != kRivalsGuest && guest->GetSign() && !panel.IsSliding()) {
                    mouse.Click(r, Centre(guest->GetSign()->GetBoundingBox()));
                    Pressed(frame);
                    return;
                }
            return;
        }
        if (customer->IsBusy()) return;
        if (customer->IsReadyToServe()) {
            mouse.Click(r, Centre(field->GetPlateAnimation()->GetBoundingBox()));
            Pressed(frame);
            return;
        }
        for (int item = 0; item < customer->GetItemCount(); ++item) {
            const GF::TAnimationPtr& icon = customer->GetItemIcons()[static_cast<std::size_t>(item)];
            if (!icon || !icon->IsVisible() || Plays(icon, "_stroke")) continue;  // struck out on the sign
            const CIngridientInfo* wanted = GetLibData().FindIngridient(customer->GetItemRecord(item)->Name);
            for (const GF::THolder<CCookObject>& object : field->GetObjectList()) {
                const GF::TAnimationPtr& picture = object->GetAnimation();
                if (!wanted || !picture || !picture->IsVisible() || object->GetInfo().Title != wanted->Title)
                    continue;
                if (picture == lastObject && frame < lastPress + 5 * kGapFrames) continue;  // still at work
                mouse.Click(r, Centre(picture->GetBoundingBox()));
                lastObject = picture;
                Pressed(frame);
                return;
            }
        }
    }

    CClicker mouse;
    int clicks = 0;
    bool serves = true;  // false: the pages are read, the kitchen is left alone

private:
    void Pressed(int frame) {
        lastPress = frame;
        ++clicks;
    }
    bool ReadTutorial(CLevelRun& r, int frame) {
        const GF::TAnimationPtr board = FindAnimation("hint_last_stage");
        if (!board || !board->IsVisible()) return false;
        if (frame < lastPress + 3 * kGapFrames) return true;
        const bool lastPage = Plays(board, "_part_3");
        const GF::TAnimationPtr button =
            GF::HGENS::HostedAnimation(board, lastPage ? "_item_continue" : "_item_ok");
        if (!button || !button->IsVisible()) return true;
        mouse.Click(r, Centre(button->GetBoundingBox()), true);
        Pressed(frame);
        return true;
    }

    int lastPress = -kGapFrames;
    GF::TAnimationPtr lastObject;
};

// How the player plays a level: not at all, serving every order, or serving the first order and
// then nobody until closing time has sent every ordinary guest away.
enum class EPlay { Idle, Serve, FirstThenAfterClosing };

struct tagLevelOutcome {
    float points = 0.0f;
    std::vector<float> rivals;
    float place = 0.0f;
    float qualified = 0.0f;
    int clicks = 0;
    float closedAt = -1.0f, resumedAt = -1.0f, endedAt = -1.0f;  // s of play, by the frames counted
    std::vector<int> waiting;  // the kinds of the guests left waiting when the player resumed
};

tagLevelOutcome PlayLevelTo(const std::string& level, EPlay play) {
    CLevelRun run;
    run.seed = 3;
    CPacedPlayer player;
    tagLevelOutcome seen;
    int playFrames = 0;
    bool resting = false;
    run.Run(
        [&](CLevelRun& r) {
            if (r.FrameNumber() == 0) {
                r.Play(level);
                return true;
            }
            CGameField* field = Kitchen(r);
            if (field && (field->IsPlaying() || field->IsClosed())) ++playFrames;
            const float seconds = static_cast<float>(playFrames) * r.frameMs / 1000.0f;
            if (field && field->IsClosed() && seen.closedAt < 0.0f) seen.closedAt = seconds;
            if (field && field->IsFinished()) {
                seen.endedAt = seconds;
                seen.points = field->GetScore();
                for (const CLevelValuePair& rival : field->GetLevel()->ProgressValues)
                    seen.rivals.push_back(field->GetRivalsPanel().GetScore(rival.Slot));
                seen.place = r.Player().floatVars[5];
                seen.qualified = r.Player().floatVars[19];
                return false;
            }
            player.serves = play != EPlay::Idle;
            if (play == EPlay::FirstThenAfterClosing && field) {
                const std::list<GF::THolder<CZacaz>>& guests = field->GetReceptPanel()->GetCustomers();
                if (!resting && field->GetCustomersServed() == 1 && !player.mouse.Busy(r)) resting = true;
                const bool onlyTheGift = std::all_of(
                    guests.begin(), guests.end(), [](const auto& guest) { return guest->GetKind() == 100; });
                if (resting && field->IsClosed() && onlyTheGift && seen.resumedAt < 0.0f) {
                    seen.resumedAt = seconds;
                    for (const GF::THolder<CZacaz>& guest : guests) seen.waiting.push_back(guest->GetKind());
                }
                if (resting && seen.resumedAt < 0.0f) return true;
            }
            player.Frame(r);
            return true;
        },
        15000);
    EXPECT_FALSE(run.timedOut) << level << " never ended";
    seen.clicks = player.clicks;
    return seen;
}

}  // namespace

// Every kitchen level of the sample, played by a player who serves at a human pace through clicks on
// what is drawn, is won at the place its stage asks for (the duel by the last of the player's orders);
// nobody touching anything loses each. The points against the rivals' and the clicks are printed. On
// the first level, a player who serves one guest and then nobody finds, once closing time has sent
// the others away, the gift guest still waiting for its dish; served, it ends the level.
TEST(KitchenLevel, EverySampleKitchenLevelIsWonByServingAtAHumanPaceAndLostIdle) {
    std::vector<std::string> levels;
    {
        CLevelRun probe;
        probe.Run([&](CLevelRun&) {
            for (const auto& [name, level] : GetLevelsData().Levels)
                if (GetLevelsData().Stages().count(level.StageName)) levels.push_back(name);
            return false;
        });
    }
    std::sort(levels.begin(), levels.end());
    ASSERT_GE(levels.size(), 9u);
    for (const std::string& level : levels) {
        const tagLevelOutcome won = PlayLevelTo(level, EPlay::Serve);
        const tagLevelOutcome idle = PlayLevelTo(level, EPlay::Idle);
        std::string rivals;
        for (const float points : won.rivals) rivals += " " + std::to_string(static_cast<int>(points));
        std::printf(
            "%s: %d points against%s, place %d, %d clicks, %.1f s; idle: %d points, place %d, %.1f s\n",
            level.c_str(), static_cast<int>(won.points), rivals.empty() ? " no rivals" : rivals.c_str(),
            static_cast<int>(won.place), won.clicks, won.endedAt, static_cast<int>(idle.points),
            static_cast<int>(idle.place), idle.endedAt);
        if (won.rivals.empty()) {  // the duel: won by serving the player's last guest first
            EXPECT_EQ(won.place, 201.0f) << level;
            EXPECT_EQ(idle.place, 202.0f) << level;
            continue;
        }
        EXPECT_EQ(won.qualified, 1.0f) << level;
        EXPECT_EQ(idle.qualified, -1.0f) << level;
    }
    const tagLevelOutcome gift = PlayLevelTo("stage1_1", EPlay::FirstThenAfterClosing);
    std::printf(
        "stage1_1, one guest served, then none: closed at %.1f s, the gift guest alone at %.1f s, "
        "served and the level over at %.1f s\n",
        gift.closedAt, gift.resumedAt, gift.endedAt);
    EXPECT_EQ(gift.waiting, std::vector<int>{100});
    EXPECT_GT(gift.endedAt, gift.resumedAt);
}
