#include <gtest/gtest.h>

#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IObjectAnimation.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"
#include "tests/support/TextTableWriter.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// A live object that only remembers what made it and the description it was bound to.
struct CMadeObject : IObjectAnimation, CRefCount {
    GF_IMPLEMENT_IBASE_REFCOUNT
    explicit CMadeObject(const char* madeBy) : kind(madeBy) {}
    bool QueryInterface(const int& id, void** out) override {
        *out = nullptr;
        if (id == kIdBase) *out = static_cast<IBase*>(this);
        if (id == kIdObjectAnimation) *out = static_cast<IObjectAnimation*>(this);
        if (*out) AddRef();
        return *out != nullptr;
    }
    bool IsPlaying() override { return true; }
    const std::string& GetName() override { return description->GetName(); }
    THolder<IObjectData> GetObjectData() override { return description; }
    TAnimationPtr GetParent() override { return {}; }
    void SetObjectData(const THolder<IObjectData>& data) override {
        description = data;
        ++bindings;
    }
    void SetParent(const TAnimationPtr&) override {}
    void Detach() override {}
    void SetPlaying(bool) override {}
    bool Update(const float&) override { return true; }

    std::string kind;
    THolder<IObjectData> description;
    int bindings = 0;
};

template <const char* Kind>
THolder<IObjectAnimation> Make() {
    return THolder<IObjectAnimation>(new CMadeObject(Kind));
}
constexpr char kSprite[] = "sprite", kTextSprite[] = "text sprite", kClipping[] = "clipping",
               kParticle[] = "particle", kSound[] = "sound";

void InstallRecordingMakers(TObjectMakers& makers) {
    makers.sprite = Make<kSprite>;
    makers.textSprite = Make<kTextSprite>;
    makers.clipping = Make<kClipping>;
    makers.particle = Make<kParticle>;
    makers.sound = Make<kSound>;
}

CMadeObject* AsMade(const THolder<IObjectAnimation>& object) {
    return static_cast<CMadeObject*>(object.Get());
}

TEST(ObjectData, EachDescriptionMakesItsOwnKindOfObjectBoundToItself) {
    CRecordingEngine engine;
    CObjectMakersScope scope;
    InstallRecordingMakers(GetObjectMakers());
    const THolder<IObjectData> descriptions[] = {
        MakeHolder<CSpriteObjectData>("button"), MakeHolder<CTextSpriteObjectData>("caption"),
        MakeHolder<CClippingObjectData>(), MakeHolder<CParticleObjectData>(),
        MakeHolder<CSoundObjectData>("click")};
    const char* kinds[] = {"sprite", "text sprite", "clipping", "particle", "sound"};
    const char* names[] = {"button", "caption", "", "", "click"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(kinds[i]);
        EXPECT_EQ(descriptions[i]->GetName(), names[i]);
        THolder<IObjectAnimation> object = descriptions[i]->CreateObject();
        ASSERT_TRUE(object);
        EXPECT_EQ(AsMade(object)->kind, kinds[i]);
        EXPECT_EQ(AsMade(object)->bindings, 1);
        EXPECT_EQ(object->GetObjectData().Get(), descriptions[i].Get());
    }
    EXPECT_TRUE(engine.log.empty());
}

TEST(ObjectData, WithoutAMakerNothingIsMadeAndTheLogSaysWhy) {
    CRecordingEngine engine;
    CObjectMakersScope scope;
    GetObjectMakers() = TObjectMakers{};
    EXPECT_FALSE(MakeHolder<CSpriteObjectData>("button")->CreateObject());
    EXPECT_TRUE(engine.HasLog("Can't create sprite \"button\": no maker installed"));
    EXPECT_FALSE(MakeHolder<CAnimationData>("menu")->CreateAnimation());
    EXPECT_TRUE(engine.HasLog("Can't create animation \"menu\": no maker installed"));
}

TEST(ObjectData, LiveObjectsOfOneDescriptionPlayTheSameLists) {
    CRecordingEngine engine;
    CObjectMakersScope scope;
    InstallRecordingMakers(GetObjectMakers());
    THolder<IDrawableObjectData> sprite = MakeHolder<CSpriteObjectData>("s");
    THolder<IObjectAnimation> first = sprite->CreateObject();
    THolder<IObjectAnimation> second = sprite->CreateObject();
    auto boundOffsets = [](const THolder<IObjectAnimation>& object) {
        return HolderCast<IDrawableObjectData>(object->GetObjectData())->GetOffset();
    };
    THolder<TOffsetList> a = boundOffsets(first), b = boundOffsets(second);
    sprite->GetOffset()->push_back({{10.0f, 20.0f}, 1, 100.0f});
    ASSERT_EQ(a->size(), 1u);
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_EQ((*b)[0].value, TPoint<float>(10.0f, 20.0f));
    // The lists outlive the description while a player holds them.
    first.Reset();
    second.Reset();
    sprite.Reset();
    EXPECT_EQ(a->GetRefCount(), 2);
    EXPECT_EQ((*a)[0].mode, 1);
}

TEST(ObjectData, SubstitutionsByIndexAreCheckedAgainstTheCount) {
    CRecordingEngine engine;
    auto sprite = MakeHolder<CSpriteObjectData>("plate");
    EXPECT_EQ(sprite->GetSubstAnimationCount(), 0);
    sprite->AddSubstAnimation(MakeHolder<CSubstAnimationDescription>("kitchen", "steam"));
    ASSERT_EQ(sprite->GetSubstAnimationCount(), 1);
    EXPECT_EQ(sprite->GetSubstAnimation(0)->GetFirstName(), "kitchen");
    EXPECT_EQ(sprite->GetSubstAnimation(0)->GetSecondName(), "steam");
    for (int index : {1, -1, 1 << 30}) {
        EXPECT_FALSE(sprite->GetSubstAnimation(index)) << index;
        EXPECT_TRUE(engine.HasLog("Description \"plate\": no substitution " + std::to_string(index)));
    }
}

TEST(ObjectData, TextDescriptionsSplitTheAlignmentAndCheckTheTextNumber) {
    CRecordingEngine engine;
    engine.AddResource("Binary\\textdata.txt", WriteTextTable({{"a", u"first"}, {"b", u"second"}}));
    CTextTable::Instance().Load();
    CTextDescription centred("title", 3, 2, -1, 0x21, 1);
    EXPECT_EQ(centred.GetHorizontalAlign(), 1);
    EXPECT_EQ(centred.GetVerticalAlign(), 0x20);
    EXPECT_EQ(centred.GetFontNumber(), 3);
    EXPECT_EQ(centred.GetFontTracking(), 2);
    EXPECT_EQ(centred.GetFontLineSpacing(), -1);
    EXPECT_STREQ(centred.GetName(), "title");
    EXPECT_EQ(centred.GetText(), u"second");
    for (int number : {2, -1, 1 << 30}) {
        CTextDescription outside("far", 0, 0, 0, 0, number);
        EXPECT_EQ(outside.GetText(), u"") << number;
        EXPECT_TRUE(engine.HasLog("Text description \"far\": text number " + std::to_string(number)));
    }
    engine.AddResource("Binary\\textdata.txt", std::vector<unsigned char>{});
    CTextTable::Instance().Load();  // leave the process-wide table empty for the other tests
}

TEST(AnimationData, NamedPartsAreFoundExactlyAndObjectsOnlyInsideTheList) {
    CRecordingEngine engine;
    CAnimationData data("door");
    data.AddNamedPart(MakeHolder<CNamedPart>(0.0f, 1000.0f, 1, "_show"));
    data.AddNamedPart(MakeHolder<CNamedPart>(1000.0f, 2000.0f, -1, "_idle"));
    data.AddNamedPart(MakeHolder<CNamedPart>(5.0f, 6.0f, 0, "_show"));
    THolder<INamedPart> idle = data.GetNamedPart("_idle");
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->GetStart(), 1000.0f);
    EXPECT_EQ(idle->GetEnd(), 2000.0f);
    EXPECT_EQ(idle->GetPlayMode(), -1);
    EXPECT_EQ(data.GetNamedPart("_show")->GetEnd(), 1000.0f);  // the first of two
    EXPECT_FALSE(data.GetNamedPart("_SHOW"));
    EXPECT_FALSE(data.GetNamedPart(nullptr));

    auto left = MakeHolder<CSpriteObjectData>("left");
    auto click = MakeHolder<CSoundObjectData>("click");
    data.AddObjectData(left);
    data.AddObjectData(click);
    ASSERT_EQ(data.GetObjectDataCount(), 2);
    EXPECT_EQ(data.GetObjectData(0).Get(), left.Get());
    EXPECT_EQ(data.GetObjectData(1).Get(), click.Get());
    for (int index : {2, -1}) {
        EXPECT_FALSE(data.GetObjectData(index)) << index;
        EXPECT_TRUE(engine.HasLog("Animation \"door\": no object description " + std::to_string(index)));
    }
}

}  // namespace
