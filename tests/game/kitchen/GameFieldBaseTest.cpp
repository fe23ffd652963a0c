#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/core/Mouse.h"
#include "framework/core/Random.h"
#include "framework/resources/Resource.h"
#include "game/app/Players.h"
#include "game/kitchen/GameFieldBase.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

// A field that counts the mouse-rest calls.
class CProbeField : public CGameFieldBase {
public:
    void OnMouseRest(const GF::TPoint<float>&) override { ++rests; }
    void OnMouseMoveAfterRest(const GF::TPoint<float>&) override { ++moves; }
    int rests = 0;
    int moves = 0;
};

// The field base on the sample kitchen: the play screen's layout, then "stage1_1" and its kitchen.
class GameFieldBase : public CSampleKitchen {
protected:
    GameFieldBase() {
        GetGameData().fieldParams.mouseRestDelay = 400;
        field->Init(Show("interfaces.game_screen", 400.0f, 300.0f, "_idle"), nullptr);
    }
    ~GameFieldBase() override {
        field->ClearLevel();
        field.Reset();
    }
    void Start(const char* level = "stage1_1") {
        ASSERT_TRUE(field->StartLevel(level));
        field->SetLevelLayout(Show("levels.kitchen_1", 400.0f, 300.0f));
    }
    void FieldFrame(float dt = 40.0f) {
        field->Update(dt);
        Frame(dt);
    }
    bool Logged(const std::string& text) const {
        return std::any_of(engine.log.begin(), engine.log.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    GF::THolder<CProbeField> field = GF::MakeHolder<CProbeField>();
};

}  // namespace

TEST_F(GameFieldBase, TheMouseRestsOnlyBeyondTheDelayAndAMoveEndsTheRest) {
    Start();
    GF::GetMouse()->SetPosition(100.0f, 100.0f);
    FieldFrame();                               // the move to the point: the rest starts
    for (int i = 0; i < 10; ++i) FieldFrame();  // 400 ms: exactly the delay
    EXPECT_EQ(field->rests, 0);
    FieldFrame();
    FieldFrame();
    EXPECT_EQ(field->rests, 1);
    EXPECT_EQ(field->moves, 0);
    GF::GetMouse()->SetPosition(101.0f, 100.0f);
    FieldFrame();
    FieldFrame();
    EXPECT_EQ(field->moves, 1);
    EXPECT_EQ(field->rests, 1);
}

// The bonus row glides its pictures side by side, centred on x = 60; a change mid-way starts a new
// glide from where they stand. Balloons pick their picture by the point and break long texts.
TEST_F(GameFieldBase, BonusPicturesGlideIntoTheRowAndBalloonsFitTheirPlace) {
    Start();
    CBonusRow row;
    const auto frames = [&row](int count) {
        for (int i = 0; i < count; ++i) row.Update(40.0f);
    };
    const GF::TAnimationPtr first = Show("Devices.saucepan", 300.0f, 300.0f, "_idle");
    const GF::TAnimationPtr second = Show("Devices.saucepan", 300.0f, 300.0f, "_idle");
    const GF::TAnimationPtr third = Show("Devices.saucepan", 300.0f, 300.0f, "_idle");
    for (const GF::TAnimationPtr& picture : {first, second, third}) {
        picture->SetScale(2.5f, 2.5f);
        picture->Update(0.0f);
    }
    ASSERT_EQ(first->GetBoundingBox().right - first->GetBoundingBox().left, 40);
    row.Add(first);
    row.Add(second);
    frames(25);  // 1000 ms
    EXPECT_FLOAT_EQ(first->GetPosition().x, 40.0f);
    EXPECT_FLOAT_EQ(second->GetPosition().x, 80.0f);
    EXPECT_FLOAT_EQ(second->GetPosition().y, 100.0f);
    row.Add(third);
    frames(10);  // under way to 20, 60, 100
    const float midway = third->GetPosition().x;
    EXPECT_GT(midway, 100.0f);
    EXPECT_LT(midway, 300.0f);
    row.Remove(first);  // from where they stand to 40 and 80 again
    frames(1);
    EXPECT_LT(third->GetPosition().x, midway);
    EXPECT_GT(third->GetPosition().x, 80.0f);
    frames(24);
    EXPECT_FLOAT_EQ(second->GetPosition().x, 40.0f);
    EXPECT_FLOAT_EQ(third->GetPosition().x, 80.0f);

    const auto balloonIs = [&](const char* name) {
        return field->GetBalloon() && field->GetBalloon()->GetAnimationData().Get() ==
                                          GF::GetResource()->GetAnimationDataByPath(name).Get();
    };
    field->ShowBalloon(u"Hello there!", {540.0f, 100.0f});
    EXPECT_TRUE(balloonIs("interfaces.balon_2"));
    EXPECT_EQ(GF::WString(field->GetBalloon()->GetText("_text")), u"Hello there!");
    field->ShowBalloon(u"Hello, there!", {541.0f, 100.0f});
    EXPECT_TRUE(balloonIs("interfaces.balon_3"));
    EXPECT_EQ(GF::WString(field->GetBalloon()->GetText("_text")), u"Hello,\\nthere!");
    field->ShowBalloon(u"Hi", {540.0f, 101.0f});
    EXPECT_TRUE(balloonIs("interfaces.balon"));
    field->ShowBalloon(u"", {540.0f, 101.0f});
    EXPECT_FALSE(field->GetBalloon());
}

TEST_F(GameFieldBase, ALevelStartsWithItsBonusesInOrderAndItsScorePublished) {
    Start();
    EXPECT_FALSE(field->GetClockFlip()->IsVisible());
    const CLevelInfo* stage = field->GetLevel();
    ASSERT_EQ(stage->Bonuses.size(), 6u);
    for (std::size_t expected : {0u, 1u, 2u, 3u, 4u, 5u, 0u})
        EXPECT_EQ(field->PickLevelBonus(), &stage->Bonuses[expected]);

    field->AddScore(10.0f);
    field->AddScore(-5.0f);
    EXPECT_EQ(field->GetScore(), 5.0f);
    EXPECT_EQ(GetCurrentPlayer().floatVars[4], 5.0f);

    // Drawn at random, the same seed draws the same bonuses.
    GetLevelsData().FindLevel("stage2_1")->Bonuses = stage->Bonuses;
    const auto draw = [&] {
        GF::SeedRand(7);
        EXPECT_TRUE(field->StartLevel("stage2_1"));
        std::vector<const CLevelBonusEntry*> drawn;
        for (int i = 0; i < 6; ++i) drawn.push_back(field->PickLevelBonus());
        return drawn;
    };
    const auto once = draw();
    EXPECT_EQ(draw(), once);
    for (const CLevelBonusEntry* entry : once) EXPECT_NE(entry, nullptr);

    // A level without bonuses has none to give; a level the table lacks does not start.
    EXPECT_TRUE(field->StartLevel("other_1"));
    EXPECT_EQ(field->PickLevelBonus(), nullptr);
    const std::size_t levels = GetLevelsData().Levels.size();
    EXPECT_FALSE(field->StartLevel("stage9_9"));
    EXPECT_EQ(GetLevelsData().Levels.size(), levels);
    EXPECT_EQ(field->GetLevel(), nullptr);
}

TEST_F(GameFieldBase, LayoutsWithoutTheirPartsRunAndSayWhatIsMissing) {
    field = GF::MakeHolder<CProbeField>();
    field->Init(Show("interfaces.placeholder", 400.0f, 300.0f), nullptr);
    ASSERT_TRUE(field->StartLevel("stage1_1"));
    field->SetLevelLayout(Show("levels.clock", 400.0f, 300.0f));
    for (int i = 0; i < 5; ++i) FieldFrame();
    field->UpdatePaused(40.0f);
    EXPECT_TRUE(Logged("\"_flip\""));
    EXPECT_TRUE(Logged("\"_delivery_progres\""));
    EXPECT_FALSE(Logged("\"_plate\""));  // a mini-game's room has no plate: nothing to say of it
    EXPECT_FALSE(field->GetPlateAnimation());
}
