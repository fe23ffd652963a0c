#include <gtest/gtest.h>

#include <cmath>

#include "framework/scene/Modifier.h"
#include "tests/support/RecordingEngine.h"

namespace {

using GF::HGENS::CParamModifier;
using GF::HGENS::CParamModifierData;

GF::THolder<GF::TParamModifierList> Entries(std::initializer_list<CParamModifierData> entries) {
    auto list = GF::TParamModifierList::Create();
    list->assign(entries);
    return list;
}

// Steps the modifier by dt and answers the value of `id` computed at the time before the step.
float StepAndRead(GF::IParamModifier& modifier, float dt, int id) {
    EXPECT_TRUE(modifier.Update(dt));
    return modifier.GetValue(id);
}

TEST(ParamModifier, WithoutDataEveryIdIsZero) {
    CRecordingEngine engine;
    auto modifier = CParamModifier::Create();
    EXPECT_TRUE(modifier->Update(0.5f));
    EXPECT_EQ(modifier->GetValue(1), 0.0f);
    modifier->SetData(Entries({}));
    EXPECT_TRUE(modifier->Update(0.5f));
    EXPECT_EQ(modifier->GetValue(2), 0.0f);
}

TEST(ParamModifier, OneSineSwingsBetweenMinAndMaxOverItsRandomPeriod) {
    CRecordingEngine engine;
    engine.QueueRandom({0.25f});  // period = 0 + 0.25 * (4 - 0) = 1 second
    auto modifier = CParamModifier::Create();
    modifier->SetData(Entries({{2, 1, 1, -2.0f, 2.0f, 0.0f, 4.0f}}));
    const float expected[] = {0.0f, 2.0f, 0.0f, -2.0f, 0.0f};  // at 0, 1/4, 1/2, 3/4 and 1 period
    for (float value : expected) EXPECT_NEAR(StepAndRead(*modifier, 0.25f, 2), value, 1e-5f);
    // A frame of no time changes neither the value nor the clock.
    EXPECT_NEAR(StepAndRead(*modifier, 0.0f, 2), 0.0f, 1e-5f);
    EXPECT_NEAR(StepAndRead(*modifier, 0.25f, 2), 2.0f, 1e-5f);
}

TEST(ParamModifier, LaterComponentsWeighTwoThirdsOfTheOneBefore) {
    CRecordingEngine engine;
    engine.QueueRandom({0.5f, 0.5f});  // both periods 1 second
    auto modifier = CParamModifier::Create();
    modifier->SetData(Entries({{3, 1, 2, -2.0f, 2.0f, 0.0f, 2.0f}}));
    StepAndRead(*modifier, 0.25f, 3);
    // Both components at their top: (max / count) * (1 + 2/3).
    EXPECT_NEAR(StepAndRead(*modifier, 0.25f, 3), 1.0f * (1.0f + 2.0f / 3.0f), 1e-5f);
}

TEST(ParamModifier, ValuesByIdWaveformAndCount) {
    CRecordingEngine engine;
    engine.QueueRandom({0.5f, 0.5f, 0.5f});
    auto modifier = CParamModifier::Create();
    modifier->SetData(Entries({
        {1, 0, 1, 5.0f, 7.0f, 1.0f, 1.0f},    // no sine: 0
        {2, 1, 0, 5.0f, 7.0f, 1.0f, 1.0f},    // no components: 0
        {3, 1, 1, 5.0f, 7.0f, 1.0f, 1.0f},    // the middle of 5..7 at time 0
        {3, 1, 1, 50.0f, 70.0f, 1.0f, 1.0f},  // same id again: the first one answers
    }));
    modifier->Update(0.1f);
    EXPECT_EQ(modifier->GetValue(1), 0.0f);
    EXPECT_EQ(modifier->GetValue(2), 0.0f);
    EXPECT_NEAR(modifier->GetValue(3), 6.0f, 1e-5f);
    EXPECT_EQ(modifier->GetValue(4), 0.0f);
}

TEST(ParamModifier, APeriodOfZeroRestsInTheMiddleInsteadOfDividingByZero) {
    CRecordingEngine engine;
    auto modifier = CParamModifier::Create();
    modifier->SetData(Entries({{1, 1, 1, -1.0f, 3.0f, 0.0f, 0.0f}}));
    for (int frame = 0; frame < 3; ++frame) {
        const float value = StepAndRead(*modifier, 0.25f, 1);
        ASSERT_TRUE(std::isfinite(value));
        EXPECT_FLOAT_EQ(value, 1.0f);
    }
}

TEST(ParamModifier, TwoOwnersOfOneListDrawTheirOwnPeriods) {
    CRecordingEngine engine;
    engine.QueueRandom({0.25f, 0.5f});  // periods 1 s and 2 s
    auto data = Entries({{2, 1, 1, -2.0f, 2.0f, 0.0f, 4.0f}});
    auto first = CParamModifier::Create();
    auto second = CParamModifier::Create();
    first->SetData(data);
    second->SetData(data);
    StepAndRead(*first, 0.25f, 2);
    StepAndRead(*second, 0.25f, 2);
    EXPECT_NEAR(StepAndRead(*first, 0.25f, 2), 2.0f, 1e-5f);
    EXPECT_NEAR(StepAndRead(*second, 0.25f, 2), std::sqrt(2.0f), 1e-5f);  // an eighth of 2 s
    EXPECT_EQ(data->GetRefCount(), 3);
}

}  // namespace
