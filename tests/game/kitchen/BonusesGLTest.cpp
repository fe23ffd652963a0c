#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/Pers.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

using namespace KitchenPlay;

constexpr uint32_t kGlow = 0xFF663333;

CLevelInfo& SampleLevel() {
    return *GetLevelsData().FindLevel("stage1_1");
}

// Debug key 5 brings the level's next bonus: with a level list of that kind alone, that kind. The
// key goes up two frames later (the frame reads what the script sent on the next one), and the list
// is emptied after it, so that no customer offers a bonus of its own.
struct CBonusKey {
    int pressedAt = -1;
    void Press(CLevelRun& run, int32_t kind) {
        SampleLevel().Bonuses = {CLevelBonusEntry{kind, 15.0f}};
        run.Key(SDLK_5, true);
        pressedAt = run.FrameNumber();
    }
    void Step(CLevelRun& run) {
        if (run.FrameNumber() == pressedAt + 2) run.Key(SDLK_5, false);
        if (run.FrameNumber() == pressedAt + 3) SampleLevel().Bonuses.clear();
    }
};

// The seed after which the random bonus draws `drawn`.
unsigned SeedDrawing(int drawn) {
    for (unsigned seed = 1;; ++seed) {
        GF::SeedRand(seed);
        if (GF::Rand() % 6 == drawn) return seed;
    }
}

// The endless particle systems of the game scene on the layer (and, with a point, standing there).
int Glows(int layer, const TPoint<float>* at) {
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    int count = 0;
    for (const GF::TDrawablePtr& drawable : scene ? scene->GetDrawables() : std::list<GF::TDrawablePtr>()) {
        const auto* particles = dynamic_cast<GF::HGENS::CFGParticle*>(drawable.Get());
        if (particles && particles->lifetime == -1.0f && particles->layer == layer &&
            (!at || (particles->emitterX == at->x && particles->emitterY == at->y)))
            ++count;
    }
    return count;
}

// The glows over the devices that cook (library kind not 0), and how many such devices there are.
int DeviceGlows(CGameField& field, int* devices) {
    int count = 0;
    *devices = 0;
    for (const GF::THolder<CCookObject>& device : field.GetObjectList()) {
        if (device->GetInfo().Kind == 0) continue;
        ++*devices;
        const GF::TAnimationPtr animation = device->GetAnimation();
        const TPoint<float> at = animation->GetPosition();
        count += Glows(animation->GetLayer() + 1, &at);
    }
    return count;
}

uint32_t FirstSpriteColour(const GF::TAnimationPtr& animation) {
    const GF::TSpritePtr sprite(animation ? animation->GetDrawable(0).Get() : nullptr);
    return sprite ? sprite->GetColor() : 0;
}

int CountAnimations(const char* name) {
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    int count = 0;
    for (const GF::TAnimationPtr& animation : scene ? scene->GetAnimations() : std::list<GF::TAnimationPtr>())
        count += animation->GetName() && std::string(animation->GetName()) == name;
    return count;
}

// The screen point of a floor cell's middle.
TPoint<int> CellPoint(int x, int y) {
    const TPoint<float> p =
        MapFloorPoint(FloorQuad(), {static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f});
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

// The facts a scenario saw, by name; each one checked at its end.
using TFacts = std::map<std::string, bool>;

// The cook of the scenario: when the queue is idle she takes the current order's next object, or
// serves it at the plate when it is complete. A work that a third of the cooking time was asked for
// is timed from the device's "_work" to its being free again; a serve while the quality bonus runs
// and the moods stand is checked against the order's reward without the bonus.
struct CCook {
    CClicker mouse;
    bool on = false;
    GF::THolder<CCookObject> working;
    float workValue = 0.0f;
    float expectedWorkMs = -1.0f;
    int workStart = -1;
    float scoreBefore = -1.0f;
    float expectedPay = 0.0f;

    void Step(CLevelRun& r, CGameField& field, TFacts& facts) {
        const float clock = working ? working->GetAnimation()->GetTime() : 0.0f;
        if (working && workStart < 0 && clock >= 1000.0f && clock < 2000.0f) {
            // The work's time is set as it starts, once she has walked to the device.
            workStart = r.FrameNumber();
            const float factor = GetGameData().bonusParams.cookFactor;
            expectedWorkMs = factor == 1.0f / 3.0f ? workValue / 3.0f : -1.0f;
        }
        if (working && workStart >= 0 && working->IsFree()) {
            const float ms = static_cast<float>(r.FrameNumber() - workStart) * r.frameMs;
            if (expectedWorkMs > 0.0f)
                facts["a device works a third of its time"] = std::abs(ms - expectedWorkMs) <= r.frameMs;
            working.Reset();
            workStart = -1;
        }
        if (scoreBefore >= 0.0f && field.GetScore() != scoreBefore) {
            facts["double points, not double tips"] =
                std::abs(field.GetScore() - scoreBefore - expectedPay) < 0.01f;
            scoreBefore = -1.0f;
        }
        if (mouse.Busy(r) || !on || field.GetLastAction() || !field.IsPlaying()) return;
        const GF::THolder<CZacaz> customer = field.GetReceptPanel()->GetCurrentCustomer();
        if (!customer || customer->IsBusy()) return;
        CBonusParams& params = GetGameData().bonusParams;
        if (customer->IsReadyToServe()) {
            if (params.qualityFactor == 2.0f && params.patienceFactor == 0.0f) {
                float points = 0.0f, tips = 0.0f;
                params.qualityFactor = 1.0f;
                customer->ComputeReward(points, tips);
                params.qualityFactor = 2.0f;
                expectedPay = 2.0f * points + tips;
                scoreBefore = field.GetScore();
            }
            mouse.Click(r, Centre(field.GetPlateAnimation()->GetBoundingBox()));
            return;
        }
        const GF::THolder<CCookObject> device = field.GetNextObject(1);
        if (!device || working) return;
        if (device->GetInfo().Kind != 0) {
            working = device;
            const CReceptItemInfo* item = customer->GetItemRecord(customer->GetCurrentItem());
            workValue = item ? static_cast<float>(item->Value) : 0.0f;
        }
        mouse.Click(r, PointOn(field, device));
    }

    bool Idle(CLevelRun& r, CGameField& field) {
        return !mouse.Busy(r) && !field.GetLastAction() && !working;
    }
};

// Half a picture left and right of the anchor: the freeze's light blue (blue over green over red) and
// the patience's violet (blue over red over green), whatever the evening's shade over them.
bool TwoPicturesAtTheAnchor(CLevelRun& r, float badge) {
    int width = 0, height = 0;
    const std::vector<uint32_t> picture = r.Picture(&width, &height);
    const float scale = static_cast<float>(width) / 800.0f;
    const auto channel = [&](float x, int shift) {
        return static_cast<int>(
            CLevelRun::At(picture, width, static_cast<int>(x * scale), static_cast<int>(100.0f * scale)) >>
                shift &
            0xFF);
    };
    // Each badge in its ring of colour around its sign, on the row's outer sides.
    const float ring = 60.0f - badge * (13.5f / 16.0f);
    const int lr = channel(ring, 16), lg = channel(ring, 8), lb = channel(ring, 0);
    const int rr = channel(120.0f - ring, 16), rg = channel(120.0f - ring, 8), rb = channel(120.0f - ring, 0);
    return lb > lg + 20 && lg > lr + 20 && rb > rr + 20 && rr > rg + 20;
}

}  // namespace

// Every bonus through debug key 5 on the sample level, while a cook takes orders: the time freeze
// and stopped patience (clock standing, ice on the dial, chains, moods held, two pictures gliding
// about the row's anchor), quality (double points, a value set meanwhile given back), faster cooking
// (a third of the time, a glow over each cooking device while it runs, none after), the highlight
// (nothing in its first second, then the next object until taken), the random bonus drawing the quick
// heroine (its picture in the random one's, half the frames for six cells, a glow following her) and
// the random bonus without a picture. Every factor comes back and the row empties. Last, ten bonuses at
// once stand in the window.
TEST(Bonuses, EveryKindThroughTheDebugKeyDoesWhatThePlayerSees) {
    CLevelRun run;
    CBonusKey key;
    CCook cook;
    TFacts facts;
    int phase = 0, mark = 0;
    float frozenElapsed = -1.0f;
    std::map<const CZacaz*, float> moods;
    GF::THolder<CCookObject> lit;
    int walkFrames = 0, normalWalk = -1;
    bool highlighting = false;
    int waited = 0;
    TPoint<int> walkTarget{-1, -1};

    const auto walkTo = [&](CLevelRun& r, int x, int y) {
        walkTarget = {x, y};
        walkFrames = 0;
        cook.mouse.Click(r, CellPoint(x, y));
    };
    // Frames spent walking until she stands idle on the target; -1 while on her way.
    const auto walked = [&](CGameField& field) {
        const GF::THolder<CPers> pers = field.GetPers();
        if (pers->GetHandler() == &CPers::UpdateWalk) ++walkFrames;
        const bool there = pers->GetCell().x == walkTarget.x && pers->GetCell().y == walkTarget.y;
        return there && pers->GetHandler() == &CPers::UpdateIdle && !field.GetLastAction() ? walkFrames : -1;
    };

    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                SampleLevel().Duration = 600000.0f;  // no closing time in this scenario
                SampleLevel().Bonuses.clear();
                r.Play("stage1_1");
                return true;
            }
            key.Step(r);
            CGameField* field = Kitchen(r);
            if (!field) return phase == 0;
            cook.Step(r, *field, facts);
            CBonusParams& params = GetGameData().bonusParams;
            CReceptPanel& panel = *field->GetReceptPanel();
            const auto& row = field->GetBonusRow().items;
            const int heroineLayer = GetGameData().persParams.persLayer - 1;
            const int t = frame - mark;
            const auto next = [&](int newPhase) {
                phase = newPhase;
                mark = frame + 1;  // the phase begins with the next frame
            };
            switch (phase) {
                case 0:
                    if (field->IsPlaying() && panel.GetCurrentCustomer()) next(1);
                    return true;
                case 1:  // freeze, stopped patience, then quality
                    if (t == 0) key.Press(r, 0);
                    if (t == 1) frozenElapsed = field->GetElapsed();
                    if (t == 3) key.Press(r, 2);
                    if (t == 5) {
                        facts["a chain on every sign"] =
                            !panel.GetCustomers().empty() &&
                            CountAnimations("chain") == static_cast<int>(panel.GetCustomers().size());
                        for (const GF::THolder<CZacaz>& customer : panel.GetCustomers())
                            moods[customer.Get()] = customer->GetMood();
                    }
                    if (t > 5 && t < 370) {  // each chained customer still waiting keeps the mood
                        for (const GF::THolder<CZacaz>& customer : panel.GetCustomers()) {
                            const auto seen = moods.find(customer.Get());
                            if (seen == moods.end() || customer->IsBusy()) continue;
                            const bool held = seen->second == customer->GetMood();
                            facts["moods hold"] =
                                facts.count("moods hold") ? facts["moods hold"] && held : held;
                        }
                    }
                    if (t == 33 && row.size() == 2) {
                        // Side by side, one picture's width apart (a whole pixel count, as its box
                        // gave it), about the anchor.
                        const TPoint<float> left = row.front()->GetPosition(),
                                            right = row.back()->GetPosition();
                        const float apart = right.x - left.x;
                        facts["two pictures glided about the anchor"] =
                            left.y == 100.0f && right.y == 100.0f && left.x + right.x == 120.0f &&
                            apart >= 10.0f && apart <= 12.0f;
                        facts["the screenshot shows them"] = TwoPicturesAtTheAnchor(r, apart);
                    }
                    if (t == 35) {
                        key.Press(r, 3);
                        cook.on = true;
                    }
                    if (t == 200) {
                        facts["the clock stands"] = field->GetElapsed() == frozenElapsed;
                        const GF::TAnimationPtr clock =
                            GF::HGENS::HostedAnimation(field->GetClockFlip(), "_clock");
                        const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
                        for (const GF::TAnimationPtr& animation : scene->GetAnimations())
                            if (animation->GetName() && std::string(animation->GetName()) == "ice")
                                facts["ice on the dial"] = HasAnimation("ice_str") &&
                                                           animation->GetPosition() == clock->GetPosition();
                    }
                    if (t == 300) {
                        facts["the clock runs on"] = field->GetElapsed() > frozenElapsed;
                        facts["the ice melts"] = !HasAnimation("ice") && !HasAnimation("ice_str");
                    }
                    if (t == 420)
                        facts["patience back, chains gone"] =
                            params.patienceFactor == 1.0f && CountAnimations("chain") == 0;
                    if (t == 35 + 460) params.qualityFactor = 1.5f;  // another part's value
                    if (t == 35 + 530) {
                        facts["quality gives back the value set meanwhile"] = params.qualityFactor == 1.5f;
                        params.qualityFactor = 1.0f;
                        facts["the row empties"] = row.empty();
                        next(2);
                    }
                    return true;
                case 2:  // faster cooking
                    if (t == 0) key.Press(r, 1);
                    if (t == 2) {
                        int devices = 0;
                        facts["a glow over each cooking device"] =
                            DeviceGlows(*field, &devices) == devices && devices > 0;
                        facts["cooking a third"] = params.cookFactor == 1.0f / 3.0f;
                    }
                    if (t == 400) {
                        int devices = 0;
                        facts["no glow left, cooking back"] =
                            DeviceGlows(*field, &devices) == 0 && params.cookFactor == 1.0f;
                    }
                    if (t > 400 && cook.Idle(r, *field) && field->GetNextObject(1)) {
                        cook.on = false;
                        next(3);
                    }
                    return true;
                case 3:  // the highlight, once the next object has stood for a second with nothing on its way
                    if (!highlighting) {
                        const bool steady = cook.Idle(r, *field) && field->GetNextObject(1);
                        // She serves, or waits: the next object is left where it stands.
                        const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
                        cook.on = customer && customer->IsReadyToServe();
                        waited = steady ? waited + 1 : 0;
                        if (waited < 25) return true;
                        highlighting = true;
                        next(3);
                        return true;
                    }
                    if (t == 0) key.Press(r, 4);
                    if (t == 2) facts["nothing lit in the first second"] = true;
                    if (t >= 2 && t <= 26)
                        for (const GF::THolder<CCookObject>& device : field->GetObjectList())
                            if (FirstSpriteColour(device->GetAnimation()) == kGlow)
                                facts["nothing lit in the first second"] = false;
                    if (t == 29) {
                        lit = field->GetNextObject(1);
                        facts["then the next object glows"] =
                            lit && FirstSpriteColour(lit->GetAnimation()) == kGlow;
                        cook.on = true;
                    }
                    if (t > 29 && lit && !lit->IsFree()) {
                        facts["until it is taken"] = FirstSpriteColour(lit->GetAnimation()) != kGlow;
                        lit.Reset();
                    }
                    if (t > 300 && cook.Idle(r, *field)) {
                        cook.on = false;
                        walkTo(r, 3, 12);
                        next(4);
                    }
                    return true;
                case 4: {  // walks: there at her own pace, six cells along a free row, then back quick
                    const int w = t > 0 ? walked(*field) : -1;
                    if (w >= 0 && walkTarget.x == 3) {
                        walkTo(r, 9, 12);
                    } else if (w >= 0) {
                        normalWalk = w;
                        GF::SeedRand(SeedDrawing(4));
                        key.Press(r, 5);
                        next(5);
                    }
                    return true;
                }
                case 5: {  // the random bonus draws the quick heroine
                    if (t == 32) {
                        const GF::TSubstitutedContainerPtr place(
                            row.empty() ? nullptr : row.front()->GetDrawable(0).Get());
                        const GF::TAnimationPtr shown =
                            place ? place->GetSubstituted(0) : GF::TAnimationPtr();
                        facts["the random picture shows the quality bonus"] =
                            shown && shown->GetName() && std::string(shown->GetName()) == "quality";
                        const GF::TRect box = field->GetPers()->GetAnimation()->GetBoundingBox();
                        const TPoint<float> centre{static_cast<float>((box.left + box.right) / 2),
                                                   static_cast<float>((box.top + box.bottom) / 2)};
                        facts["a glow follows her"] =
                            Glows(heroineLayer, &centre) == 1 && Glows(heroineLayer, nullptr) == 1;
                        facts["half the step time"] = params.stepTime == 30.0f;
                        walkTo(r, 3, 12);
                    }
                    const int w = t > 32 ? walked(*field) : -1;
                    if (w >= 0 && !facts.count("six cells in half the frames"))
                        facts["six cells in half the frames"] =
                            normalWalk > 0 && std::abs(2 * w - normalWalk) <= 2;
                    if (t > 32 && row.empty()) {
                        facts["step time back, her glow gone"] =
                            params.stepTime == 60.0f && Glows(heroineLayer, nullptr) == 0;
                        next(6);
                    }
                    return true;
                }
                case 6:  // the random bonus without a picture, made by the script
                    if (t == 0) {
                        GetLevelsData().Bonuses[3].Duration = 2000.0f;
                        GF::SeedRand(SeedDrawing(3));
                        field->AddBonus(GetLevelsData().Bonuses[5], {}, panel.GetCurrentCustomer());
                    }
                    if (t == 1)
                        facts["without a picture: at once"] = params.qualityFactor == 2.0f && row.empty();
                    if (t == 60) {
                        facts["without a picture: ends"] = params.qualityFactor == 1.0f;
                        next(7);
                    }
                    return true;
                case 7:  // ten highlights, one after another: the row they glide into lies in the window
                    if (t < 40 && t % 4 == 0) key.Press(r, 4);
                    if (t == 70) {
                        int inside = 0;
                        for (const GF::TAnimationPtr& badge : row) {
                            const GF::TRect box = badge->GetBoundingBox();
                            inside += box.left > 0 && box.right < 800;
                        }
                        facts["ten pictures in the window"] = row.size() == 10 && inside == 10;
                    }
                    return t < 70;
                default:
                    return false;
            }
        },
        4000);
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << "phase " << phase;
    for (const char* fact : {"a chain on every sign",
                             "moods hold",
                             "two pictures glided about the anchor",
                             "the screenshot shows them",
                             "the clock stands",
                             "ice on the dial",
                             "the clock runs on",
                             "the ice melts",
                             "patience back, chains gone",
                             "double points, not double tips",
                             "quality gives back the value set meanwhile",
                             "the row empties",
                             "a glow over each cooking device",
                             "cooking a third",
                             "a device works a third of its time",
                             "no glow left, cooking back",
                             "nothing lit in the first second",
                             "then the next object glows",
                             "until it is taken",
                             "the random picture shows the quality bonus",
                             "a glow follows her",
                             "half the step time",
                             "six cells in half the frames",
                             "step time back, her glow gone",
                             "without a picture: at once",
                             "without a picture: ends",
                             "ten pictures in the window"})
        EXPECT_TRUE(facts[fact]) << fact;
}

// A bonus let go before its pick-up flight lands is not called by the landing: one whose duration
// (200 ms) is shorter than its flight, one whose field's queue is cleared, and one whose level is left
// through the in-game menu's "main_menu" within a second of its coming (the sanitizers watch).
TEST(Bonuses, ABonusLetGoBeforeItsFlightLandsIsNotCalled) {
    CLevelRun run;
    CBonusKey key;
    CClicker mouse;
    int phase = 0;
    int mark = 0;
    float qualityDuring = -1.0f, qualityAfter = -1.0f;
    bool flightOutlived = false, rowEmptied = false, clearedInFlight = false;
    int bonusAt = -1, leftAt = -1;
    std::size_t flightsWhenLeft = 0;
    bool cameUnderMenu = false;
    const int code = run.Run(
        [&](CLevelRun& r) {
            const int frame = r.FrameNumber();
            if (frame == 0) {
                SampleLevel().Duration = 600000.0f;
                SampleLevel().Bonuses.clear();
                GetLevelsData().Bonuses[3].Duration = 200.0f;
                r.Play("stage1_1");
                return true;
            }
            key.Step(r);
            if (mouse.Busy(r)) return true;
            const int t = frame - mark;
            const auto next = [&](int newPhase) {
                phase = newPhase;
                mark = frame + 1;  // the phase begins with the next frame
            };
            if (phase == 3) {
                // The in-game menu over the level: "main_menu" leaves it.
                if (const GF::THolder<CGameFieldBase> field = r.Field())
                    flightsWhenLeft = field->GetFlyObjectCount();
                // The key reaches the level beneath the menu, and the bonus comes there.
                if (r.TopName() == "InGameMenuScreen" && bonusAt < 0) {
                    key.Press(r, 2);
                    bonusAt = frame;
                }
                if (frame == bonusAt + 3 && r.Field())
                    cameUnderMenu = !r.Field()->GetBonusRow().items.empty();
                if (r.TopName() == "InGameMenuScreen" && frame > bonusAt + 3) {
                    if (const GF::THolder<GF::HGENS::CBaseControl> control =
                            r.Top()->FindControl("main_menu"))
                        mouse.Click(r, Centre(control->GetHitRect()));
                }
                if (r.TopName() == "MainMenuScreen" && leftAt < 0) leftAt = frame;
                return leftAt < 0 || frame < leftAt + 30;
            }
            CGameField* field = Kitchen(r);
            if (!field) return phase == 0;
            const GF::THolder<CZacaz> customer = field->GetReceptPanel()->GetCurrentCustomer();
            switch (phase) {
                case 0:
                    if (field->IsPlaying() && customer) next(1);
                    return true;
                case 1:  // shorter than its flight
                    if (t == 0) key.Press(r, 3);
                    if (t == 2) qualityDuring = GetGameData().bonusParams.qualityFactor;
                    if (t == 20) {
                        qualityAfter = GetGameData().bonusParams.qualityFactor;
                        rowEmptied = field->GetBonusRow().items.empty();
                        flightOutlived = field->GetFlyObjectCount() > 0;
                    }
                    if (t == 40) next(2);
                    return true;
                case 2:  // the queue cleared, then the level left, each in flight
                    if (t == 0) key.Press(r, 0);
                    if (t == 5) {
                        clearedInFlight = field->GetFlyObjectCount() > 0;
                        field->Clear();
                    }
                    if (t == 40) r.Key(SDLK_ESCAPE, true);
                    if (t == 42) {
                        r.Key(SDLK_ESCAPE, false);
                        next(3);
                    }
                    return true;
                default:
                    return false;
            }
        },
        2000);
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << run.TopName();
    EXPECT_EQ(qualityDuring, 2.0f);
    EXPECT_EQ(qualityAfter, 1.0f);
    EXPECT_TRUE(rowEmptied);
    EXPECT_TRUE(flightOutlived);
    EXPECT_TRUE(clearedInFlight);
    ASSERT_GE(leftAt, 0);
    EXPECT_TRUE(cameUnderMenu);
    EXPECT_GT(leftAt, bonusAt);
    EXPECT_GT(flightsWhenLeft, 0u) << "the level went on until the flight had landed";
}
