#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/scene/TrackPlayer.h"

namespace {

using GF::EParamKind;
using GF::TPoint;

template <EParamKind K>
using Player = GF::TTrackPlayer<K>;

template <EParamKind K>
GF::THolder<GF::TParamList<K>> Keys(const std::vector<GF::TKindParam<K>>& keys) {
    auto list = GF::CreateParamList<K>();
    for (const auto& key : keys) list->push_back(key);
    return list;
}

void ExpectSame(int a, int b) {
    EXPECT_EQ(a, b);
}
void ExpectSame(float a, float b) {
    EXPECT_FLOAT_EQ(a, b);
}
template <class T>
void ExpectSame(const TPoint<T>& a, const TPoint<T>& b) {
    ExpectSame(a.x, b.x);
    ExpectSame(a.y, b.y);
}
void ExpectSame(const hgeColor& a, const hgeColor& b) {
    EXPECT_FLOAT_EQ(a.r, b.r);
    EXPECT_FLOAT_EQ(a.g, b.g);
    EXPECT_FLOAT_EQ(a.b, b.b);
    EXPECT_FLOAT_EQ(a.a, b.a);
}

// Per kind: the default, two key values and the value halfway between them.
template <EParamKind K>
struct Sample;
// clang-format off
template <> struct Sample<EParamKind::Flip> { static constexpr int def = 0, a = 2, b = 7, mid = 4; };
template <> struct Sample<EParamKind::IDResource> { static constexpr int def = -1, a = 10, b = 21, mid = 15; };
template <> struct Sample<EParamKind::Layer> { static constexpr int def = 0, a = -4, b = 5, mid = 0; };
template <> struct Sample<EParamKind::ActionSound> { static constexpr int def = 0, a = 1, b = 4, mid = 2; };
template <> struct Sample<EParamKind::ParticleCommand> { static constexpr int def = 0, a = 1, b = 3, mid = 2; };
template <> struct Sample<EParamKind::Blend> { static constexpr int def = 0, a = 1, b = 4, mid = 2; };
template <> struct Sample<EParamKind::Opaque> { static constexpr float def = 1.0f, a = 0.2f, b = 0.6f, mid = 0.4f; };
template <> struct Sample<EParamKind::Rotate> { static constexpr float def = 0.0f, a = 1.0f, b = -1.0f, mid = 0.0f; };
template <> struct Sample<EParamKind::Hotspot> {
    static constexpr TPoint<float> def{0, 0}, a{0, 10000}, b{5000, 0}, mid{2500, 5000}; };
template <> struct Sample<EParamKind::Offset> {
    static constexpr TPoint<float> def{0, 0}, a{-10, 20}, b{30, 40}, mid{10, 30}; };
template <> struct Sample<EParamKind::Scale> {
    static constexpr TPoint<float> def{1, 1}, a{2, 0.5f}, b{0, 1.5f}, mid{1, 1}; };
template <> struct Sample<EParamKind::ParamSound> {
    static constexpr TPoint<int> def{0, 0}, a{0, 7}, b{10, 0}, mid{5, 3}; };  // 3.5 truncated
template <> struct Sample<EParamKind::Color> {
    static inline const hgeColor def{1, 1, 1, 1}, a{1, 0, 0.5f, 1}, b{0, 1, 0.5f, 0}, mid{0.5f, 0.5f, 0.5f, 0.5f}; };
// clang-format on

template <class T>
class TrackPlayerKinds : public testing::Test {};

template <EParamKind K>
struct Kind {
    static constexpr EParamKind value = K;
};
using AllValueKinds =
    testing::Types<Kind<EParamKind::Flip>, Kind<EParamKind::IDResource>, Kind<EParamKind::Layer>,
                   Kind<EParamKind::Opaque>, Kind<EParamKind::Rotate>, Kind<EParamKind::Hotspot>,
                   Kind<EParamKind::Offset>, Kind<EParamKind::Scale>, Kind<EParamKind::ActionSound>,
                   Kind<EParamKind::ParticleCommand>, Kind<EParamKind::Color>, Kind<EParamKind::Blend>,
                   Kind<EParamKind::ParamSound>>;
TYPED_TEST_SUITE(TrackPlayerKinds, AllValueKinds);

// Two keys of 100 ms each, the first stepped (mode 0, or an unknown mode 2, which also holds) or
// ramped (mode 1), played at the times around the boundaries.
TYPED_TEST(TrackPlayerKinds, SteppedAndRampedKeysAtTheirBoundariesAndRewind) {
    constexpr EParamKind K = TypeParam::value;
    using S = Sample<K>;
    struct Step {
        float t;
        int mode;  // of the first key
        typename Player<K>::Value value;
    };
    const Step steps[] = {
        {0.0f, 0, S::a},   {50.0f, 0, S::a},  {99.9f, 0, S::a}, {100.0f, 0, S::b},
        {250.0f, 0, S::b}, {50.0f, 2, S::a},  {0.0f, 1, S::a},  {50.0f, 1, S::mid},
        {100.0f, 1, S::b}, {150.0f, 1, S::b}, {1e6f, 1, S::b},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "t = " << step.t << ", mode " << step.mode);
        Player<K> player;
        ExpectSame(player.GetValue(), S::def);
        player.Bind(Keys<K>({{S::a, step.mode, 100.0f}, {S::b, 0, 100.0f}}));
        player.Update(step.t);
        ExpectSame(player.GetValue(), step.value);
    }
    // Rewind goes back to the default, with no keys.
    Player<K> player;
    player.Bind(Keys<K>({{S::a, 0, 100.0f}}));
    player.Update(10.0f);
    player.Rewind();
    ExpectSame(player.GetValue(), S::def);
    EXPECT_FALSE(player.Update(10.0f));  // nothing to play
    ExpectSame(player.GetValue(), S::def);
}

TEST(TrackPlayer, ChangedOnlyWhenTheValueMoves) {
    Player<EParamKind::Opaque> player;
    player.Bind(Keys<EParamKind::Opaque>({{1.0f, 1, 100.0f}, {0.0f, 0, 100.0f}}));
    struct Step {
        float t;
        float value;
        bool changed;
    };
    const Step steps[] = {
        {0.0f, 1.0f, false},  // the key's value equals the default that showed before
        {50.0f, 0.5f, true},   {100.0f, 0.0f, true}, {150.0f, 0.0f, false},
        {500.0f, 0.0f, false}, {20.0f, 0.8f, true},  // a clock that jumps back ramps again
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "t = " << step.t);
        EXPECT_EQ(player.Update(step.t), step.changed);
        EXPECT_EQ(player.IsChanged(), step.changed);
        EXPECT_FLOAT_EQ(player.GetValue(), step.value);
    }
}

TEST(TrackPlayer, IntegerRampsTruncateAndNaNCountsAsChange) {
    Player<EParamKind::Layer> layer;
    layer.Bind(Keys<EParamKind::Layer>({{0, 1, 10.0f}, {10, 0, 10.0f}}));
    layer.Update(5.0f);
    EXPECT_EQ(layer.GetValue(), 5);
    layer.Update(9.99f);
    EXPECT_EQ(layer.GetValue(), 9);

    // A negative time extrapolates the first ramp; far out it saturates instead of overflowing.
    Player<EParamKind::Layer> wide;
    wide.Bind(Keys<EParamKind::Layer>({{2000000000, 1, 1.0f}, {-2000000000, 0, 1.0f}}));
    wide.Update(-10.0f);
    EXPECT_EQ(wide.GetValue(), INT32_MAX);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    Player<EParamKind::Opaque> opaque;
    opaque.Bind(Keys<EParamKind::Opaque>({{nan, 0, 100.0f}}));
    EXPECT_TRUE(opaque.Update(0.0f));
    EXPECT_TRUE(opaque.Update(10.0f));
}

TEST(TrackPlayer, ZeroLengthKeysAndEmptyLists) {
    // A ramp of length 0 as the last key holds its value (it ramps towards itself).
    Player<EParamKind::Rotate> last;
    last.Bind(Keys<EParamKind::Rotate>({{1.0f, 0, 50.0f}, {2.0f, 1, 0.0f}}));
    last.Update(10.0f);
    EXPECT_FLOAT_EQ(last.GetValue(), 1.0f);
    last.Update(50.0f);
    EXPECT_FLOAT_EQ(last.GetValue(), 2.0f);
    last.Update(80.0f);
    EXPECT_FLOAT_EQ(last.GetValue(), 2.0f);

    // A ramp of length 0 with keys after it is never in force.
    Player<EParamKind::Rotate> skipped;
    skipped.Bind(Keys<EParamKind::Rotate>({{5.0f, 1, 0.0f}, {1.0f, 0, 50.0f}}));
    skipped.Update(0.0f);
    EXPECT_FLOAT_EQ(skipped.GetValue(), 1.0f);

    // Binding an empty list keeps the value and the last changed flag.
    Player<EParamKind::Blend> blend;
    blend.Bind(Keys<EParamKind::Blend>({{3, 0, 10.0f}}));
    EXPECT_TRUE(blend.Update(0.0f));
    blend.Bind({});
    EXPECT_FALSE(blend.Update(5.0f));
    EXPECT_TRUE(blend.IsChanged());
    EXPECT_EQ(blend.GetValue(), 3);
    blend.ClearChanged();
    EXPECT_FALSE(blend.IsChanged());
}

// A command acts in the frame its key is entered: counted over a clock in 16 ms frames.
TEST(TrackPlayer, CommandKeysReportOncePerEntry) {
    Player<EParamKind::ActionSound> action;
    action.Bind(Keys<EParamKind::ActionSound>({{1, 0, 500.0f}, {4, 0, 500.0f}}));
    std::vector<std::pair<float, int>> fired;
    for (float t = 0.0f; t < 999.0f; t += 16.0f)
        if (action.Update(t)) fired.emplace_back(t, action.GetValue());
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], std::make_pair(0.0f, 1));
    EXPECT_EQ(fired[1], std::make_pair(512.0f, 4));

    // The particle object's command track shows 2 before its first key.
    Player<EParamKind::ParticleCommand> particle(2);
    EXPECT_EQ(particle.GetValue(), 2);
    particle.Rewind();
    EXPECT_EQ(particle.GetValue(), 2);
}

TEST(TrackPlayer, SubstitutionCommandsChangeByKeyAndLastAsLongAsTheirLastKey) {
    using Cmd = GF::TKindParam<EParamKind::CommandSubstAnimation>;
    Player<EParamKind::CommandSubstAnimation> track;
    // A command changes by its key, not by its value.
    track.Bind(
        Keys<EParamKind::CommandSubstAnimation>({Cmd{{}, 0, 100.0f}, Cmd{{nullptr, "idle"}, 1, 40.0f}}));
    struct Step {
        float t;
        bool changed;
        const char* part;
    };
    const Step steps[] = {
        {0.0f, true, ""},       // entered
        {30.0f, false, ""},     // the same key again does not fire
        {60.0f, true, "idle"},  // after the track's length (the last key's 40 ms) the last key holds
        {80.0f, false, "idle"}, {10.0f, true, ""},  // a clock that wraps enters the first key again
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "t = " << step.t);
        EXPECT_EQ(track.Update(step.t), step.changed);
        EXPECT_EQ(track.GetValue().part, step.part);
    }
}

}  // namespace
