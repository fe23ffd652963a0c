#include <gtest/gtest.h>

#include <vector>

#include "framework/scene/Param.h"
#include "framework/scene/ParamTrack.h"

namespace {

using GF::EParamKind;
using Track = GF::TParamTrack<EParamKind::Layer>;

GF::THolder<GF::TLayerList> LayerKeys(const std::vector<float>& durations) {
    auto list = GF::CreateParamList<EParamKind::Layer>();
    int value = 0;
    for (float d : durations) list->push_back({value++, 0, d});
    return list;
}

struct SpanCase {
    std::vector<float> durations;
    float t;
    int index;
    float start;
    float end;
};

TEST(ParamTrack, FindSpanSelectsTheKeyInForceAtBetweenAndPastKeys) {
    const std::vector<float> three = {100, 200, 300};
    const SpanCase cases[] = {
        {three, 0.0f, 0, 0, 100},      // the first key from its start
        {three, 99.9f, 0, 0, 100},     // between keys
        {three, 100.0f, 1, 100, 300},  // at a boundary the later key wins
        {three, 599.0f, 2, 300, 600},
        {three, 600.0f, 2, 600, 600},  // the end of the track: the last key holds
        {three, 1000.0f, 2, 600, 600},
        {three, -5.0f, 0, 0, 100},  // before the start: key 0, a negative time inside it
        {{0}, 0.0f, 0, 0, 0},       // a lone zero-length key is in force for ever
        {{0}, 5.0f, 0, 0, 0},
        {{0, 50, 0}, 0.0f, 1, 0, 50},  // a zero-length key with keys after it is never selected
        {{0, 50, 0}, 50.0f, 2, 50, 50},
        {{}, 0.0f, -1, 0, 0},  // no keys, no key
        {{}, 10.0f, -1, 0, 0},
    };
    for (const SpanCase& c : cases) {
        auto keys = LayerKeys(c.durations);
        const float length = Track::Length(keys.Get());
        float start = -1, end = -1, time = -1;
        const int index = Track::FindSpan(c.t, keys.Get(), length, start, end, time);
        SCOPED_TRACE(testing::Message() << c.durations.size() << " keys, t = " << c.t);
        EXPECT_EQ(index, c.index);
        EXPECT_FLOAT_EQ(start, c.start);
        EXPECT_FLOAT_EQ(end, c.end);
        EXPECT_FLOAT_EQ(time, c.t);
    }
    EXPECT_FLOAT_EQ(Track::Length(LayerKeys({100, 200, 300}).Get()), 600.0f);
    EXPECT_FLOAT_EQ(Track::Length(nullptr), 0.0f);
}

TEST(ParamTrack, ALengthShorterThanTheKeysEndsTheTrackAtThatLength) {
    // A track whose length is only its last key's duration (the substitution commands) is past its
    // end early: the last key is in force from there on.
    auto keys = LayerKeys({100, 50});
    float start, end, time;
    EXPECT_EQ(Track::FindSpan(60.0f, keys.Get(), 50.0f, start, end, time), 1);
    EXPECT_FLOAT_EQ(start, 50.0f);
    EXPECT_FLOAT_EQ(end, 50.0f);
    EXPECT_EQ(Track::FindSpan(40.0f, keys.Get(), 50.0f, start, end, time), 0);
}

TEST(ParamList, HoldersShareOneListAndItsKeysDieWithTheLastHolder) {
    auto list = GF::CreateParamList<EParamKind::CommandSubstAnimation>();
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(list->GetRefCount(), 1);
    GF::THolder<GF::TCommandSubstList> player = list;
    struct CProbe : GF::IBase, GF::CRefCount {
        GF_IMPLEMENT_IBASE_REFCOUNT
        bool QueryInterface(const int&, void** out) override {
            *out = nullptr;
            return false;
        }
    };
    GF::THolder<CProbe> animation(new CProbe);
    list->push_back({{GF::THolder<GF::IBase>(animation.Get()), "all"}, 0, 100.0f});
    ASSERT_EQ(player->size(), 1u);
    EXPECT_EQ((*player)[0].value.part, "all");
    EXPECT_EQ(animation->GetRefCount(), 2);
    list.Reset();
    player.Reset();
    EXPECT_EQ(animation->GetRefCount(), 1);  // destroying the list released the key's holder
}

}  // namespace
