#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/kitchen/FlyObject.h"
#include "game/kitchen/FlyStrategies.h"
#include "tests/game/kitchen/KitchenFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using Point = TPoint<float>;

class Flights : public CKitchenFixture {
public:
    using CKitchenFixture::Note;
    // A flight of the duration carrying a new score plate, handed to the worker, with its events
    // noted: "end", "landed" and "all landed".
    THolder<CFlyObject> Fly(float durationMs, TAnimationPtr* carried = nullptr) {
        const THolder<CFlyObject> flight = CFlyObject::Create();
        flight->SetDuration(durationMs);
        const TAnimationPtr plate = Show("interfaces.score", 0, 0, "_idle");
        flight->AddAnimation(plate);
        if (carried) *carried = plate;
        flight->GetEndEvent().Add(CreateDelegate(this, &Flights::Ended));
        flight->GetLandingEvent().Add(CreateDelegate(this, &Flights::Landed));
        flights.AddFlyObject(flight);
        return flight;
    }
    void Ended(THolder<ICurve>) { Note("end"); }
    void Landed(THolder<CFlyObject>) { Note("landed"); }
    void AllLanded() { Note("all landed"); }
    static Point Where(const TAnimationPtr& animation) { return animation->GetPosition(); }
};

TEST_F(Flights, AFreeFallLandsOnItsTargetAndIsLetGoTheFrameAfter) {
    flights.GetAllLandedEvent().Add(CreateDelegate(static_cast<Flights*>(this), &Flights::AllLanded));
    TAnimationPtr plate;
    const THolder<CFlyObject> fall = Fly(1000.0f, &plate);
    CreateFreeFallStrategy(*fall, {100, 300}, {200, 0}, {0, 0.0005f});
    fall->SetClearOnLanding(true);
    EXPECT_EQ(fall->GetAnimation(), plate);
    EXPECT_TRUE(fall->IsRunning());
    const int onScene = scene->GetAnimationCount();

    std::vector<Point> path;
    for (int i = 0; i < 10; ++i) {
        Step(100.0f);
        path.push_back(Where(plate));
    }
    // Thrown up (y falls at first) and over: x runs straight, y on the parabola.
    // v = ((0 - 300) - 0.5 * 0.0005 * 1000²) / 1000 = -0.55: y(500) = 300 - 275 + 62.5, on whole pixels.
    EXPECT_EQ(path[4], Point(150, 88));
    EXPECT_EQ(path.back(), Point(200, 0));
    EXPECT_TRUE(notes.empty());

    Step(100.0f);  // the landing: end event, then the landing delegates, then the plate is dropped
    EXPECT_EQ(notes, (std::vector<std::string>{"end@11", "landed@11"}));
    EXPECT_FALSE(fall->GetAnimation());
    EXPECT_EQ(scene->GetAnimationCount(), onScene - 1);
    EXPECT_EQ(flights.GetFlyObjectCount(), 1u);
    Step(100.0f);
    EXPECT_EQ(flights.GetFlyObjectCount(), 0u);
    Step(100.0f);
    EXPECT_EQ(notes.back(), "all landed@12");
    EXPECT_EQ(notes.size(), 3u);
}

TEST_F(Flights, ADelayHoldsTheStartAndTheCoinScaleBouncesBack) {
    TAnimationPtr plate;
    const THolder<CFlyObject> line = Fly(500.0f, &plate);
    CreateLineStrategy(*line, Point(0, 0), Point(100, 0));
    CreateScaleCoinStrategy(*line, {1.5f, 1.5f}, 200.0f);
    line->SetStartDelay(300.0f);
    std::vector<Point> seen, scale;
    for (int i = 0; i < 7; ++i) {
        Step(100.0f);
        seen.push_back(Where(plate));
        scale.push_back(plate->GetScale());
    }
    EXPECT_EQ(seen, (std::vector<Point>{{0, 0}, {0, 0}, {0, 0}, {20, 0}, {40, 0}, {60, 0}, {80, 0}}));
    EXPECT_FLOAT_EQ(scale[0].x, 1.0f);  // at its start: time 0
    EXPECT_FLOAT_EQ(scale[4].x, 1.5f);  // 200 ms
    EXPECT_FLOAT_EQ(scale[6].y, 1.0f);  // 400 ms
    EXPECT_FLOAT_EQ(scale[5].x, 1.375f);
}

// Durations of 0 and a peak time of 0: every strategy answers its end value, finite.
TEST_F(Flights, WithoutDurationTheStrategiesStandAtTheirEnd) {
    const THolder<CFlyObject> flight = Fly(0.0f);
    Point out;
    CreateFreeFallStrategy(*flight, {100, 300}, {200, 0}, {0, 0.0005f});
    TFreeFall<Point>({100, 300}, {200, 0}, {0, 0.0005f}, 0.0f).Calc(out, 0.0f);
    EXPECT_EQ(out, Point(200, 0));
    DoLineCalcStrategy<Point>({5, 5}, {9, 7}, 0.0f, true).Calc(out, 0.0f);
    EXPECT_EQ(out, Point(9, 7));
    CScaleCoin({2, 3}, 0.0f).Calc(out, 0.0f);
    EXPECT_EQ(out, Point(1, 1));
    float angle = 0.0f;
    DoLineCalcStrategy<float>(0.0f, 3.0f, 0.0f).Calc(angle, 0.0f);
    EXPECT_EQ(angle, 3.0f);
    Step();
    EXPECT_EQ(notes, (std::vector<std::string>{"end@1", "landed@1"}));
}

TEST_F(Flights, ALandingDelegateMayStartAnotherFlightOnTheSameWorker) {
    TAnimationPtr second;
    struct CRelay : CRefCount {
        Flights* test = nullptr;
        TAnimationPtr* carried = nullptr;
        void Land(THolder<CFlyObject>) {
            const THolder<CFlyObject> next = test->Fly(200.0f, carried);
            CreateLineStrategy(*next, Point(0, 0), Point(0, 100));
        }
        void AllLanded() { test->Note("all landed"); }
    };
    const auto relay = MakeHolder<CRelay>();
    relay->test = this;
    relay->carried = &second;
    const THolder<CFlyObject> first = Fly(100.0f);
    first->GetLandingEvent().Add(CreateDelegate(relay.Get(), &CRelay::Land));
    flights.GetAllLandedEvent().Add(CreateDelegate(relay.Get(), &CRelay::AllLanded));
    Step(100.0f);
    Step(100.0f);  // the first lands and starts the second, which does not move in this frame
    ASSERT_TRUE(second);
    EXPECT_EQ(flights.GetFlyObjectCount(), 2u);
    EXPECT_EQ(Where(second), Point(0, 0));
    Step(100.0f);
    EXPECT_EQ(Where(second), Point(0, 50));
    for (int i = 0; i < 3; ++i) Step(100.0f);
    EXPECT_EQ(Where(second), Point(0, 100));
    // Only when the list empties: once, after the second flight has gone.
    EXPECT_EQ(std::count(notes.begin(), notes.end(), "all landed@6"), 1);
    EXPECT_EQ(notes.back(), "all landed@6");
}

TEST_F(Flights, ACarriedParticleSystemFollowsAndASplinePathEndsOnItsTarget) {
    TAnimationPtr plate;
    const THolder<CFlyObject> flight = Fly(400.0f, &plate);
    // A loop above the straight way from (100, 400) to (300, 400).
    CreateSplineMoveStrategy(*flight, {100, 400}, {300, 400}, {{0.25f, -0.5f}, {0.75f, -0.5f}});
    const THolder<CFGParticle> sparks = CFGParticle::Create("Particle\\0.PSI", "interface", -1.0f, false);
    sparks->SetScene(THolder<IScene>(scene.Get()));
    flight->SetParticle(sparks);
    Step(100.0f);
    EXPECT_FLOAT_EQ(sparks->emitterX, Where(plate).x);
    EXPECT_FLOAT_EQ(sparks->emitterY, Where(plate).y);
    Step(100.0f);
    // Half way along, well off the straight way: V is U turned a quarter, (0, 200), so -0.5 V is up.
    EXPECT_EQ(Where(plate).x, 200.0f);
    EXPECT_LT(Where(plate).y, 320.0f);
    Step(100.0f);
    Step(100.0f);
    EXPECT_EQ(Where(plate), Point(300, 400));
    EXPECT_EQ(sparks->emitterX, 300.0f);
    EXPECT_EQ(sparks->emitterY, 400.0f);
}

}  // namespace
