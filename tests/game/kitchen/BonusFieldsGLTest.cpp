#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/DiferenceGameField.h"
#include "tests/game/kitchen/BonusRun.h"

namespace {

CDiferenceGameField* Difference(CLevelRun& r) {
    return dynamic_cast<CDiferenceGameField*>(r.Field().Get());
}

int Count(const std::vector<std::string>& results, const std::string& result) {
    return static_cast<int>(std::count(results.begin(), results.end(), result));
}

}  // namespace

// Spot the difference, won: nothing answers before play or on a twin; the lamp (left only) shows its
// twin in the right picture, the book (right only) is found through its empty place on the left, a
// found pair clicked again changes nothing, the mirror cursor follows the mouse into the other picture
// and hides beyond it; the last difference wins with 101 and the count, and the flow takes the
// bonus result.
TEST(BonusFields, SpotTheDifferenceFoundThroughEitherPictureWins) {
    CLevelRun run;
    CBonusScript s;
    uint32_t before = 0;
    uint32_t revealed = 0;
    s.Click(120, 420);  // the lamp, during the intro
    s.Until([](CLevelRun& r) { return Difference(r)->IsPlaying(); });
    s.Do([&](CLevelRun& r) {
        EXPECT_EQ(TextOf(r.GetGameScreen()->GetBackground(), "_number"), "3");
        before = PixelAt(r, 514, 414);  // beside the drawn cursor's tip
    });
    s.Click(90, 220);  // a clock with its twin
    s.Do([](CLevelRun& r) { EXPECT_EQ(TextOf(r.GetGameScreen()->GetBackground(), "_number"), "3"); });
    s.Click(120, 420);
    s.Wait(2);
    s.Do([&](CLevelRun& r) {
        CDiferenceGameField* field = Difference(r);
        const GF::THolder<CCookObject>& twin = field->GetObjects().back();
        EXPECT_EQ(twin->GetName(), "Bonus.lamp");
        EXPECT_EQ(PositionOf(twin).x, 520.0f);
        EXPECT_EQ(PositionOf(twin).y, 420.0f);
        EXPECT_EQ(TextOf(r.GetGameScreen()->GetBackground(), "_number"), "2");
        revealed = PixelAt(r, 514, 414);
    });
    s.Click(240, 320);  // where the book of the right picture is missing on the left
    s.Do([](CLevelRun& r) {
        const GF::THolder<CCookObject>& twin = Difference(r)->GetObjects().back();
        EXPECT_EQ(twin->GetName(), "Bonus.book");
        EXPECT_EQ(PositionOf(twin).x, 240.0f);
        EXPECT_EQ(TextOf(r.GetGameScreen()->GetBackground(), "_number"), "1");
    });
    s.Click(120, 420);
    s.Click(520, 420);
    s.Click(640, 320);
    s.Do([](CLevelRun& r) {
        EXPECT_EQ(Difference(r)->GetObjects().size(), 11u);
        EXPECT_EQ(TextOf(r.GetGameScreen()->GetBackground(), "_number"), "1");
    });
    s.Move(100, 300);
    s.Do([](CLevelRun& r) {
        const GF::TAnimationPtr cursor = Difference(r)->GetMirrorCursor();
        EXPECT_EQ(cursor->GetPosition().x, 500.0f);
        EXPECT_EQ(cursor->GetPosition().y, 300.0f);
        EXPECT_TRUE(cursor->IsVisible());
    });
    s.Move(801, 300);
    s.Do([](CLevelRun& r) { EXPECT_FALSE(Difference(r)->GetMirrorCursor()->IsVisible()); });
    s.Move(300, 300);
    s.Do([](CLevelRun& r) { EXPECT_TRUE(Difference(r)->GetMirrorCursor()->IsVisible()); });
    s.Click(260, 260);  // the second clock, the last difference
    s.Do([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[5], 101.0f);
        EXPECT_EQ(r.Player().floatVars[13], 3.0f);
        EXPECT_FALSE(Difference(r)->IsPlaying());
    });
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });

    ASSERT_TRUE(s.RunIn(run, [](CLevelRun& r) { r.Play("bonus_diference_1"); })) << run.TopName();
    EXPECT_EQ(Count(run.Results(), "GameScreen:exit"), 1);
    EXPECT_EQ(run.Player().floatVars[5], 101.0f);
    // Mid-play the right picture's plain colour gave way to the lamp's orange, lit by its pulse.
    EXPECT_GT(Blue(before), 120);
    EXPECT_GT(Red(revealed), 200);
    EXPECT_LT(Blue(revealed), 120);
}

// Spot the difference, lost: one difference found, then the clock runs out: 102 with the one found.
// Started by a player on the map of stage 2, the game plays that stage's music.
TEST(BonusFields, SpotTheDifferenceTimeOutKeepsTheCount) {
    CLevelRun run;
    CBonusScript s;
    std::string music;
    s.Until([](CLevelRun& r) { return Difference(r) && Difference(r)->IsPlaying(); });
    s.Click(120, 420);
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });
    const int code = run.Run([&](CLevelRun& r) {
        if (r.FrameNumber() == 0) {
            GetLevelsData().Levels["bonus_diference_1"].Duration = 3000.0f;
            r.Player().stageName = "stage2";
            r.Play("bonus_diference_1");
            return true;
        }
        if (r.FrameNumber() == 1) music = GetCurrentMusic();  // the game screen has just been made
        return s.Step(r);
    });
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << run.TopName();
    EXPECT_EQ(music, "musik_2");
    EXPECT_EQ(run.Player().floatVars[5], 102.0f);
    EXPECT_EQ(run.Player().floatVars[13], 1.0f);
    EXPECT_EQ(Count(run.Results(), "GameScreen:exit"), 1);
}

// Place the items, won: a drag carries the lamp to its drop point, where it flies in and settles on
// the floor layer; the hat, hidden while the bar was full, fades in behind; a click picks the book up
// and a click 25 pixels off its drop point sends it back to the bar; then every item dragged home
// (both clocks to the first clock's place) wins with 101 and the flow's bonus result.
TEST(BonusFields, PlaceTheItemsByDragAndByClicks) {
    CLevelRun run;
    CBonusScript s;
    uint32_t placedPixel = 0;
    s.Until([](CLevelRun& r) { return PlaceIn(r) && PlaceIn(r)->IsPlaying(); });
    s.Wait(10);  // the bar's items slide up
    s.Do([](CLevelRun& r) {
        EXPECT_FALSE(BarItem(r, "Bonus.hat")->GetAnimation()->IsVisible());
        EXPECT_TRUE(BarItem(r, "Bonus.book")->GetAnimation()->IsVisible());
    });
    Drag(s, "Bonus.lamp", [](CLevelRun& r) { return DropPoint(r, "Bonus.lamp"); });
    s.Do([](CLevelRun& r) {
        CPlaceInBonusGameField* field = PlaceIn(r);
        EXPECT_EQ(field->GetPlaced(), 1);
        EXPECT_EQ(field->GetFlyObjectCount(), 1u);
        EXPECT_FALSE(BarItem(r, "Bonus.lamp"));
        const GF::TAnimationPtr hat = BarItem(r, "Bonus.hat")->GetAnimation();
        EXPECT_TRUE(hat->IsVisible());
        EXPECT_LT(hat->GetOpacity(), 1.0f);
    });
    s.Wait(10);
    s.Do([&](CLevelRun& r) {
        const GF::TPoint<int> drop = DropPoint(r, "Bonus.lamp");
        for (const GF::THolder<CCookObject>& item : PlaceIn(r)->GetItems())
            if (item->GetName() == "Bonus.lamp") {
                EXPECT_EQ(item->GetAnimation()->GetLayer(), 5);
                EXPECT_EQ(PositionOf(item).x, static_cast<float>(drop.x));
            }
        EXPECT_EQ(BarItem(r, "Bonus.hat")->GetAnimation()->GetOpacity(), 1.0f);
        placedPixel = PixelAt(r, drop.x, drop.y);
    });
    // The book dragged onto the Help button and let go there: dropped where nothing takes it, back to
    // the bar, and the help stays shut.
    Drag(s, "Bonus.book", [](CLevelRun& r) {
        const GF::TRect box = r.Top()->FindControl("help")->GetHitRect();
        return GF::TPoint<int>{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    });
    s.Wait(10);
    s.Do([](CLevelRun& r) {
        EXPECT_FALSE(PlaceIn(r)->GetHeldItem());
        EXPECT_EQ(BarItem(r, "Bonus.book")->GetAnimation()->GetLayer(), 900);
        EXPECT_EQ(r.TopName(), "GameScreen");
    });
    // The book: a click picks it up, a click beside its drop point returns it.
    auto slot = std::make_shared<GF::TPoint<float>>();
    s.Do([=](CLevelRun& r) {
        *slot = PositionOf(BarItem(r, "Bonus.book"));
        r.MoveMouse(static_cast<int>(slot->x), static_cast<int>(slot->y));
        r.Button(true, static_cast<int>(slot->x), static_cast<int>(slot->y));
    });
    s.Wait(1);
    s.Do([=](CLevelRun& r) { r.Button(false, static_cast<int>(slot->x), static_cast<int>(slot->y)); });
    s.Wait(1);
    s.Do([](CLevelRun& r) { EXPECT_TRUE(PlaceIn(r)->GetHeldItem()); });
    s.Do([](CLevelRun& r) {
        const GF::TPoint<int> drop = DropPoint(r, "Bonus.book");
        r.MoveMouse(drop.x + 25, drop.y);
    });
    s.Wait(1);
    s.Do([](CLevelRun& r) {
        const GF::TPoint<int> drop = DropPoint(r, "Bonus.book");
        r.Button(true, drop.x + 25, drop.y);
    });
    s.Wait(1);
    s.Do([](CLevelRun& r) {
        const GF::TPoint<int> drop = DropPoint(r, "Bonus.book");
        r.Button(false, drop.x + 25, drop.y);
    });
    s.Wait(10);
    s.Do([=](CLevelRun& r) {
        CPlaceInBonusGameField* field = PlaceIn(r);
        EXPECT_FALSE(field->GetHeldItem());
        EXPECT_EQ(field->GetPlaced(), 1);
        const GF::THolder<CCookObject> book = BarItem(r, "Bonus.book");
        EXPECT_EQ(book->GetAnimation()->GetLayer(), 900);
        EXPECT_NEAR(PositionOf(book).x, slot->x, 1.0f);
        EXPECT_NEAR(PositionOf(book).y, slot->y, 1.0f);
    });
    for (const char* name : {"Bonus.book", "Bonus.clock", "Bonus.clock", "Bonus.hat"}) {
        Drag(s, name, [name](CLevelRun& r) { return DropPoint(r, name); });
    }
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });

    ASSERT_TRUE(s.RunIn(run, [](CLevelRun& r) { r.Play("bonus_place_in_1"); })) << run.TopName();
    EXPECT_EQ(run.Player().floatVars[5], 101.0f);
    EXPECT_EQ(run.Player().floatVars[13], 5.0f);
    EXPECT_EQ(Count(run.Results(), "GameScreen:exit"), 1);
    // The lamp stands in the right picture, its orange shade lit up by its pulse, over the picture's
    // blue-grey.
    EXPECT_GT(Red(placedPixel), 230);
    EXPECT_GT(Green(placedPixel), Blue(placedPixel));
}

// Place the items, lost: the clock runs out with nothing placed: 102, the dial closes, and the level
// waits 3000 ms more before it ends; an item dragged home in that wait is not placed.
TEST(BonusFields, PlaceTheItemsTimeOutClosesAndIgnoresLateDrops) {
    CLevelRun run;
    CBonusScript s;
    int lostAt = -1;
    int endedAt = -1;
    s.Until([&](CLevelRun& r) {
        if (!PlaceIn(r) || r.Player().floatVars[5] != 102.0f) return false;
        lostAt = r.FrameNumber();
        return true;
    });
    Drag(s, "Bonus.lamp", [](CLevelRun& r) { return DropPoint(r, "Bonus.lamp"); });
    s.Do([](CLevelRun& r) {
        EXPECT_EQ(PlaceIn(r)->GetPlaced(), 0);
        EXPECT_FALSE(PlaceIn(r)->GetHeldItem());
        EXPECT_FALSE(PlaceIn(r)->IsFinished());
    });
    s.Until([&](CLevelRun& r) {
        if (!PlaceIn(r)->IsFinished()) return false;
        endedAt = r.FrameNumber();
        // The dial went on from its opening part into its closing one.
        EXPECT_GE(PlaceIn(r)->GetClockFlip()->GetTime(), 500.0f);
        return true;
    });
    s.Until([](CLevelRun& r) { return r.TopName() == "BonusStatisticsScreen"; });
    ASSERT_TRUE(s.RunIn(run, [](CLevelRun& r) {
        GetLevelsData().Levels["bonus_place_in_1"].Duration = 2000.0f;
        r.Play("bonus_place_in_1");
    })) << run.TopName();
    EXPECT_EQ(run.Player().floatVars[5], 102.0f);
    EXPECT_EQ(run.Player().floatVars[13], 0.0f);
    // The closing part (500 ms) and then the 3000 ms wait.
    const float waited = static_cast<float>(endedAt - lostAt) * CLevelRun::kFrameMs;
    EXPECT_GE(waited, 3400.0f);
    EXPECT_LE(waited, 3700.0f);
}
