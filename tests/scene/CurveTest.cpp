#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/resources/AnimationData.h"
#include "framework/scene/AnimationObject.h"
#include "framework/scene/Curve.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "tests/support/RecordingEngine.h"

namespace {

using GF::CCurve;
using GF::DoCircleCalcStrategy;
using GF::DoLineCalcStrategy;
using GF::DoParabolaCalcStrategy;
using GF::DoSplineCalcStrategy;
using GF::THolder;
using Point = GF::TPoint<float>;

struct CurveTest : testing::Test {
    CRecordingEngine engine;
    THolder<GF::CAnimationObject> animation{new GF::CAnimationObject};
    THolder<CCurve> curve = GF::MakeHolder<CCurve>();

    void Carry() { curve->AddAnimation(GF::TAnimationPtr(animation)); }
    // Positions the animation is given, one per update of dt.
    std::vector<Point> Fly(int frames, float dt) {
        std::vector<Point> seen;
        for (int i = 0; i < frames; ++i) {
            curve->Update(dt);
            seen.push_back(animation->GetPosition());
        }
        return seen;
    }
};

struct CEndCounter {
    int ends = 0;
    void OnEnd(THolder<GF::ICurve>) { ++ends; }
};

TEST_F(CurveTest, TheClockRunsToItsDurationAndTheNextUpdateEndsTheCurve) {
    CEndCounter counter;
    curve->GetEndEvent().Add(GF::CreateDelegate(&counter, &CEndCounter::OnEnd));
    curve->SetDuration(1000.0f);
    curve->Update(300.0f);
    EXPECT_EQ(curve->GetTime(), 0.0f);  // not running yet
    curve->SetRunning(true);
    for (float t : {300.0f, 600.0f, 900.0f, 1000.0f}) {
        curve->Update(300.0f);
        EXPECT_EQ(curve->GetTime(), t);
        EXPECT_TRUE(curve->IsRunning());
    }
    EXPECT_EQ(counter.ends, 0);
    curve->Update(300.0f);
    EXPECT_FALSE(curve->IsRunning());
    EXPECT_EQ(counter.ends, 1);
    curve->Update(300.0f);
    EXPECT_EQ(counter.ends, 1);
    // Restart sets the clock back without starting it.
    curve->Restart();
    EXPECT_EQ(curve->GetTime(), 0.0f);
    EXPECT_FALSE(curve->IsRunning());

    // A curve of no duration ends in its first update, having computed nothing.
    auto instant = GF::MakeHolder<CCurve>();
    instant->AddAnimation(GF::TAnimationPtr(animation));
    instant->SetPositionStrategy(new DoLineCalcStrategy<Point>({5, 5}, {9, 9}, 0.0f));
    instant->SetRunning(true);
    instant->Update(16.0f);
    EXPECT_FALSE(instant->IsRunning());
    EXPECT_EQ(animation->GetPosition(), Point(0, 0));
}

TEST_F(CurveTest, EachPositionStrategyGivesItsPointsPerFrameOnWholePixels) {
    auto line = GF::MakeHolder<DoLineCalcStrategy<Point>>(Point{0, 0}, Point{100, 50}, 400.0f);

    auto parabola = GF::MakeHolder<DoParabolaCalcStrategy>();
    parabola->Init({0, 0}, {100, 0}, {50, -50});  // y = 0.02x² − 2x
    parabola->duration = 400.0f;

    // A half circle below the centre (y down), the centre drifting 10 px right per call.
    auto circle = GF::MakeHolder<DoCircleCalcStrategy>();
    circle->centre = {100, 100};
    circle->centreVelocity = {10, 0};
    circle->radiusX = circle->radiusY = 50.0f;
    circle->endAngle = 3.1415927f;
    circle->duration = 400.0f;

    auto spline = GF::MakeHolder<DoSplineCalcStrategy>();
    spline->points = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    spline->SetDuration(300.0f);

    struct Case {
        const char* kind;
        THolder<GF::TPointStrategy> strategy;
        float duration;
        float dt;
        std::vector<Point> points;
    };
    const Case cases[] = {
        // 12.5 and 37.5 are rounded up by the half pixel.
        {"line", line, 400, 100, {{25, 13}, {50, 25}, {75, 38}, {100, 50}}},
        // −37.5 + 0.5 and −50 + 0.5 truncate toward zero.
        {"parabola", parabola, 400, 100, {{25, -37}, {50, -49}, {75, -37}, {100, 0}}},
        // Angles π/4, π/2, 3π/4, π about a centre at x = 100, 110, 120, 130.
        {"circle", circle, 400, 100, {{135, 135}, {110, 150}, {85, 135}, {80, 100}}},
        // Segment 1 at u = 0.5 is (112.5, 50); the end is the last point.
        {"spline", spline, 300, 150, {{113, 50}, {0, 100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        animation = new GF::CAnimationObject;
        curve = GF::MakeHolder<CCurve>();
        Carry();
        curve->SetPositionStrategy(c.strategy);
        curve->SetDuration(c.duration);
        curve->SetRunning(true);
        EXPECT_EQ(Fly(static_cast<int>(c.points.size()), c.dt), c.points);
    }
}

TEST_F(CurveTest, OpacityRotationAndScaleAreWrittenOnlyWhenTheyChange) {
    Carry();
    curve->SetOpacityStrategy(new DoLineCalcStrategy<float>(1.0f, 0.0f, 100.0f));
    curve->SetRotationStrategy(new DoLineCalcStrategy<float>(0.0f, 1.0f, 100.0f));
    curve->SetScaleStrategy(new DoLineCalcStrategy<Point>({1, 1}, {2, 3}, 100.0f));
    // A position that never moves from where it started: nothing to write.
    curve->SetPositionStrategy(new DoLineCalcStrategy<Point>({10.4f, -2.6f}, {10.4f, -2.6f}, 100.0f));
    curve->SetDuration(200.0f);
    curve->SetRunning(true);
    curve->Update(50.0f);
    EXPECT_FLOAT_EQ(animation->GetOpacity(), 0.5f);
    EXPECT_FLOAT_EQ(animation->GetRotation(), 0.5f);
    EXPECT_EQ(animation->GetScale(), Point(1.5f, 2.0f));
    EXPECT_EQ(animation->GetPosition(), Point(10, -2));
    curve->Update(50.0f);
    animation->SetPosition(0.0f, 0.0f);  // moved by someone else; the curve only writes changes
    curve->Update(50.0f);
    EXPECT_EQ(animation->GetPosition(), Point(0, 0));
}

TEST_F(CurveTest, DegenerateStrategiesAnswerFinitePointsInsteadOfDividingByZero) {
    // Parabolas through points that share an x fly the straight line from start to end.
    const Point sharedX[][3] = {
        {{0, 0}, {100, 40}, {0, -50}},   // start and control
        {{0, 0}, {0, 40}, {50, -50}},    // start and end
        {{0, 0}, {100, 40}, {100, 20}},  // control and end
    };
    for (const auto& p : sharedX) {
        DoParabolaCalcStrategy parabola;
        parabola.Init(p[0], p[1], p[2]);
        parabola.duration = 100.0f;
        Point out;
        parabola.Calc(out, 50.0f);
        EXPECT_EQ(out, Point((p[0].x + p[1].x) / 2, (p[0].y + p[1].y) / 2));
    }
    DoParabolaCalcStrategy fitted;
    fitted.Init({0, 0}, {100, 0}, {50, -50});
    fitted.duration = 0.0f;  // no time: at the end at once
    Point out;
    fitted.Calc(out, 0.0f);
    EXPECT_EQ(out, Point(100, 0));

    for (float duration : {300.0f, 0.0f}) {
        DoSplineCalcStrategy one;
        one.points = {{7, 8}};
        one.SetDuration(duration);
        for (float t : {0.0f, 150.0f, 400.0f}) {
            one.Calc(out, t);
            EXPECT_EQ(out, Point(7, 8));
        }
    }
    DoSplineCalcStrategy timeless;
    timeless.points = {{0, 0}, {10, 10}, {20, 0}};
    timeless.SetDuration(0.0f);
    timeless.Calc(out, 0.0f);
    EXPECT_EQ(out, Point(20, 0));
    DoSplineCalcStrategy empty;
    empty.SetDuration(100.0f);
    empty.Calc(out, 50.0f);
    EXPECT_EQ(out, Point(0, 0));

    DoCircleCalcStrategy circle;
    circle.radiusX = circle.radiusY = 10.0f;
    circle.endAngle = 3.1415927f;
    circle.Calc(out, 0.0f);
    EXPECT_NEAR(out.x, -10.0f, 1e-4f);
    EXPECT_NEAR(out.y, 0.0f, 1e-4f);
}

}  // namespace
