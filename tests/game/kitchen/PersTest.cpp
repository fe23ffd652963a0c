#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/core/Random.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

using GF::TPoint;

using CPersTest = CSampleKitchen;

// Where her animation should stand for a floor point: across and down the floor, lifted by the
// figure's height / 2.5 so that her feet are on the point.
TPoint<float> ExpectedPlace(const CPers& pers, TPoint<float> floorPoint) {
    const TPoint<float> screen = MapFloorPoint(FloorQuad(), floorPoint);
    const GF::TRect box = pers.GetAnimation()->GetBoundingBox();
    return {screen.x, screen.y - static_cast<float>(box.bottom - box.top) / 2.5f};
}

// Her animation stands at the place; the box's height is whole pixels, which its place on the pixel
// grid may change by one, a 0.4 pixel lift.
void ExpectStandsAt(const CPers& pers, TPoint<float> floorPoint) {
    const TPoint<float> at = pers.GetAnimation()->GetPosition(), expected = ExpectedPlace(pers, floorPoint);
    EXPECT_NEAR(at.x, expected.x, 1e-3f);
    EXPECT_NEAR(at.y, expected.y, 0.41f);
}

struct CStep {
    TPoint<int> cell;
    int index;
    bool mirrored;
    bool operator==(const CStep& o) const {
        return cell == o.cell && index == o.index && mirrored == o.mirrored;
    }
};

std::ostream& operator<<(std::ostream& out, const CStep& s) {
    return out << "(" << s.cell.x << "," << s.cell.y << ") #" << s.index << (s.mirrored ? " mirrored" : "");
}

// From her home cell (8, 9) round the wall at x = 7 to (4, 7): down and left round its lower end,
// then up on the left side; a frame of 16 ms, a step when the step time (60 ms) is passed.
TEST_F(CPersTest, WalksRoundTheWallCellByCellAndStandsIdleWhereSheArrives) {
    ASSERT_TRUE(loaded);
    MakeHeroine();
    ASSERT_TRUE(pers->GetAnimation());
    EXPECT_EQ(pers->GetAnimationIndex(), CPers::kIdle);
    EXPECT_FALSE(pers->IsMirrored());
    EXPECT_EQ(pers->GetFloorPosition(), (TPoint<float>{8.0f, 9.0f}));
    ExpectStandsAt(*pers, {8.0f, 9.0f});
    const float farScale = pers->GetAnimation()->GetScale().y;

    pers->MoveTo(4.0f, 7.0f);
    std::vector<CStep> steps = {{pers->GetCell(), pers->GetAnimationIndex(), pers->IsMirrored()}};
    std::vector<int> stepFrames = {0};
    std::vector<std::string> heard;
    for (int f = 1; f <= 60 && pers->GetHandler() == &CPers::UpdateWalk; ++f) {
        const TPoint<int> before = pers->GetCell();
        Frame();
        for (const std::string& sound : Heard()) heard.push_back(sound);
        if (pers->GetHandler() == &CPers::UpdateWalk && !(pers->GetCell() == before)) {
            steps.push_back({pers->GetCell(), pers->GetAnimationIndex(), pers->IsMirrored()});
            stepFrames.push_back(f);
        }
        if (f == 2) {  // half-way through the first step, between (8, 9) and (8, 10)
            const TPoint<float> at = pers->GetFloorPosition();
            EXPECT_NEAR(at.x, 8.0f, 1e-4f);
            EXPECT_NEAR(at.y, 9.0f + 32.0f / 60.0f, 1e-4f);
            EXPECT_LT(pers->GetAnimation()->GetScale().x, 0.0f);  // mirrored on the screen
        }
    }
    const std::vector<CStep> expected = {{{8, 10}, 5, true}, {{7, 11}, 5, true}, {{6, 10}, 6, true},
                                         {{5, 9}, 6, true},  {{4, 8}, 6, true},  {{4, 7}, 6, false}};
    EXPECT_EQ(steps, expected);
    // A step once the step time is passed: every fourth frame of 16 ms.
    EXPECT_EQ(stepFrames, (std::vector<int>{0, 4, 8, 12, 16, 20}));
    EXPECT_EQ(heard, (std::vector<std::string>{"action_move", "stop"}));  // stopped where she arrives

    // The step that finds nothing lower ends the walk where the last frame put her: 48 ms into the
    // last step, the overshoot of the step time dropped.
    EXPECT_EQ(pers->GetHandler(), &CPers::UpdateIdle);
    EXPECT_EQ(pers->GetAnimationIndex(), CPers::kIdle);
    const TPoint<float> end = pers->GetFloorPosition();
    EXPECT_EQ(end.x, 4.0f);
    EXPECT_NEAR(end.y, 8.0f - 48.0f / 60.0f, 1e-4f);
    Frame();
    ExpectStandsAt(*pers, end);
    EXPECT_LT(pers->GetAnimation()->GetScale().y, farScale);  // (4, 7) is farther back than (8, 9)

    // Near the front she is larger.
    pers->SetPosition(8.0f, 14.0f);
    EXPECT_GT(pers->GetAnimation()->GetScale().y, farScale);
}

TEST_F(CPersTest, IdleSheBlinksAndSighsAndHiddenSheTakesNoOrders) {
    ASSERT_TRUE(loaded);
    GF::SeedRand(1);
    MakeHeroine();
    const float blinkPause = GetGameData().fieldParams.blinkPause;
    const int waitInterval = GetGameData().persParams.waitInterval;
    // The first blink timer runs out at once, while idle has not played out: no blink, a new timer of
    // at least the blink pause.
    int blinkFrame = -1, sighFrame = -1;
    for (int f = 1; f <= (waitInterval + 100) / 16; ++f) {
        Frame();
        if (blinkFrame < 0 && pers->GetAnimationIndex() == CPers::kBlink) blinkFrame = f;
        for (const std::string& sound : Heard())
            if (sound == "waiting" && sighFrame < 0) sighFrame = f;
    }
    EXPECT_GE(blinkFrame * 16.0f, blinkPause);
    EXPECT_LT(blinkFrame * 16.0f, blinkPause + 3000.0f + 16.0f);
    EXPECT_EQ(sighFrame, waitInterval / 16 + 1);  // the first frame past the interval

    pers->SetAnimation(CPers::kHide);
    const GF::TAnimationPtr hiding = pers->GetAnimation();
    pers->MoveTo(2.0f, 12.0f);
    pers->SetPaused(true);
    for (int f = 0; f < 400; ++f) Frame();
    EXPECT_EQ(pers->GetHandler(), &CPers::UpdateIdle);
    EXPECT_EQ(pers->GetFloorPosition(), (TPoint<float>{8.0f, 9.0f}));
    EXPECT_EQ(pers->GetAnimationIndex(), CPers::kHide);
    EXPECT_EQ(pers->GetAnimation(), hiding);
}

// The path search over grids of its own: each case walks a fresh heroine (no scene) from a cell to
// a target and lists the cells she steps on.
TEST_F(CPersTest, PathSearchCases) {
    GetGameData().bonusParams.stepTime = 0.0f;  // a step every frame
    struct Case {
        const char* name;
        std::vector<std::string> rows;  // row y, character x; '#' blocked; fewer rows: all free
        TPoint<float> from, to;
        std::vector<TPoint<int>> cells;
        int gridFlags = 256;
    };
    const std::vector<std::string> open;
    // Row 4 blocked but for x = 5 and x = 9 onwards.
    const std::vector<std::string> twoDoors = {"", "", "", "", "#####.###......."};
    // (13, 2) is free, walled in but for its diagonal neighbours (12, 3) and (14, 3).
    const std::vector<std::string> pocket = {"################", "################", "#############.##",
                                             ".............#.."};
    const std::vector<Case> cases = {
        {"six straight steps", open, {8, 9}, {8, 3}, {{8, 8}, {8, 7}, {8, 6}, {8, 5}, {8, 4}, {8, 3}}},
        {"a diagonal neighbour in one step", open, {8, 9}, {9, 10}, {{9, 10}}},
        // From (5, 3) both (5, 4) and (6, 3) hold the lowest value: the smaller x is taken.
        {"equal values: the smaller x", twoDoors, {5, 3}, {9, 5}, {{5, 4}, {6, 5}, {7, 5}, {8, 5}, {9, 5}}},
        {"a blocked target moves along its row to the nearer free cell",
         twoDoors,
         {8, 9},
         {6.5f, 4.0f},
         {{7, 8}, {6, 7}, {5, 6}, {5, 5}, {5, 4}}},
        {"a tie takes the higher side",
         twoDoors,
         {8, 9},
         {7.0f, 4.0f},
         {{9, 8}, {9, 7}, {9, 6}, {9, 5}, {9, 4}}},
        {"a row without a free cell: x = 8, blocked, no way",
         {"", "", "", "", "################"},
         {8, 9},
         {3.0f, 4.0f},
         {}},
        {"15.9 lands in 15", open, {13, 9}, {15.9f, 9.0f}, {{14, 9}, {15, 9}}},
        {"a pocket reached only diagonally stops the fill at once", pocket, {8, 9}, {13, 2}, {}},
        {"the pocket's diagonal neighbour reaches it", pocket, {12, 3}, {13, 2}, {{13, 2}}},
        {"255 flags: the missing cell is free", open, {8, 9}, {15, 15}, {}, 255},
        {"300 flags: the first 256 are taken", open, {8, 9}, {8, 11}, {{8, 10}, {8, 11}}, 300},
    };
    for (const Case& c : cases) {
        std::vector<bool> grid(static_cast<std::size_t>(c.gridFlags), false);
        for (std::size_t y = 0; y < c.rows.size(); ++y)
            for (std::size_t x = 0; x < c.rows[y].size(); ++x) grid[16 * x + y] = c.rows[y][x] == '#';
        if (c.gridFlags == 255) grid.assign(255, true);  // all blocked but the missing last cell
        const GF::THolder<CPers> walker = CPers::Create(0, grid.begin(), grid.end(), {});
        walker->SetPosition(c.from.x, c.from.y);
        walker->MoveTo(c.to.x, c.to.y);
        std::vector<TPoint<int>> cells;
        TPoint<int> last = walker->GetCell();
        if (!(last == TPoint<int>{static_cast<int>(c.from.x), static_cast<int>(c.from.y)}))
            cells.push_back(last);
        for (int f = 0; f < 40 && walker->GetHandler() == &CPers::UpdateWalk; ++f) {
            walker->Update(16.0f);
            if (walker->GetHandler() == &CPers::UpdateWalk && !(walker->GetCell() == last))
                cells.push_back(last = walker->GetCell());
        }
        EXPECT_EQ(walker->GetHandler(), &CPers::UpdateIdle) << c.name;
        ASSERT_EQ(cells.size(), c.cells.size()) << c.name;
        for (std::size_t i = 0; i < cells.size(); ++i)
            EXPECT_TRUE(cells[i] == c.cells[i])
                << c.name << " step " << i << ": " << cells[i].x << "," << cells[i].y;
    }
    EXPECT_TRUE(engine.HasLog("Walk grid of 255 cells"));
    EXPECT_TRUE(engine.HasLog("Walk grid of 300 cells"));
}

// Mended faults: a floor without depth or near width, an animation the appearance lacks, an
// appearance without any animation.
TEST_F(CPersTest, DegenerateFloorsAndMissingAnimationsLeaveHerWhole) {
    ASSERT_TRUE(loaded);
    FloorQuad() = CFloorQuad{};  // before a level sets one
    MakeHeroine();
    const TPoint<float> place = pers->GetAnimation()->GetPosition();
    EXPECT_TRUE(std::isfinite(place.x) && std::isfinite(place.y));
    EXPECT_FLOAT_EQ(pers->GetAnimation()->GetScale().y, 1.1f);

    const GF::TAnimationPtr idle = pers->GetAnimation();
    pers->SetAnimation(2);  // no name
    EXPECT_EQ(pers->GetAnimationIndex(), 2);
    EXPECT_EQ(pers->GetAnimation(), idle);
    pers->SetAnimation(40);  // past the set
    EXPECT_EQ(pers->GetAnimation(), idle);
    EXPECT_TRUE(idle->IsVisible());
    pers->StopWalking();
    EXPECT_EQ(pers->GetAnimationIndex(), CPers::kIdle);

    // Appearance 12 has no animations: she shows nothing, is never hit, does not blink.
    pers->SetAppearance(12);
    pers->RefreshAppearance();
    EXPECT_FALSE(pers->GetAnimation());
    pers->SetPosition(3.0f, 12.0f);
    EXPECT_EQ(pers->GetFloorPosition(), (TPoint<float>{3.0f, 12.0f}));
    EXPECT_FALSE(pers->HitTest(MapFloorPoint(FloorQuad(), {3.0f, 12.0f})));
    for (int f = 0; f < 400; ++f) Frame();
    pers->SetPosition(4.0f, 12.0f);
    int logged = 0;
    for (const std::string& line : engine.log) logged += line.find("no animation") != std::string::npos;
    EXPECT_EQ(logged, 1);
    // Back in a dress that has them, she stands where she was put.
    pers->SetAppearance(1);
    pers->RefreshAppearance();
    ASSERT_TRUE(pers->GetAnimation());
    EXPECT_TRUE(pers->HitTest(pers->GetAnimation()->GetPosition()));
}

}  // namespace
