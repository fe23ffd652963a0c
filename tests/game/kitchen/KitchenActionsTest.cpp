#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GetObjectAction.h"
#include "game/kitchen/LightObjectAction.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/ShowZacazAction.h"
#include "game/kitchen/Zacaz.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

using GF::THolder;

// The sample kitchen's field set up on the recording engine without its intro, a customer ordering
// tea (the stove's work, then a cup) whose stove work lasts 9 s, stepped as the field steps its
// actions and flights.
class CKitchenActions : public CSampleKitchen {
protected:
    CKitchenActions() {
        GetLevelsData().FindRecept("tea")->Items[0].Value = 9000;
        field = CGameField::Create();
        field->Init({}, {});
        field->StartLevel("stage1_1");
        field->SetLevelLayout(Show("levels.kitchen_1", 400.0f, 300.0f));
        field->Clear();
        for (const THolder<CCookObject>& device : field->GetObjectList()) {
            device->SetReady(true);
            if (device->GetAnimation()) device->GetAnimation()->SetVisible(true);
        }
        customer = Arrive();
    }
    THolder<CZacaz> Arrive() {
        COrderInfo order;
        order.Kind = 0;
        order.Recept = "tea";
        order.WaitSeconds = 20;
        order.PatienceSeconds = 40;
        return field->GetReceptPanel()->OnClientCome(order);
    }
    ~CKitchenActions() override {
        customer.Reset();
        field->ClearLevel();
        field->ResetLevel();
        field.Reset();
    }
    void FieldFrame(float dt = 16.0f) {
        field->UpdateFlyObjects(dt);
        field->CActionWorker::Update(dt);
        Frame(dt);
    }
    THolder<CCookObject> Device(const std::string& name) { return field->FindObject(name, false); }
    // The engine's clock moves on by the seconds, as frames would move it.
    void Wait(float seconds) {
        engine.SetDelta(seconds);
        engine.Timer_GetDelta();
    }

    THolder<CGameField> field;
    THolder<CZacaz> customer;
};

GF::TAnimationPtr FindInScene(GF::HGENS::CScene& scene, const char* name) {
    for (const GF::TAnimationPtr& animation : scene.GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == name) return animation;
    return {};
}

}  // namespace

// The actions of the kitchen, each in a row: the hand-over's show time runs at twice the frame time
// once the dish has landed; a light pulses to its amplitude at half its time and stops when its
// device is taken; quick takes count a combo whose points stay on the screen; a long work sounds
// again every 4 s.
TEST_F(CKitchenActions, HandOverLightComboAndWorkKeepTheirTimes) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(customer);

    // Hand-over with a show time of 2000 ms: over about 1000 ms after the dish lands.
    GetGameData().zacazParams.value2 = 2000;
    const THolder<CShowZacazAction> handOver = CShowZacazAction::Create(customer);
    field->AddAction(handOver);
    int landedAt = -1, doneAt = -1;
    for (int f = 0; f < 400 && doneAt < 0; ++f) {
        FieldFrame();
        if (landedAt < 0 && customer->IsRewardShown()) landedAt = f;
        if (handOver->IsDone()) doneAt = f;
    }
    ASSERT_GE(landedAt, 0);
    ASSERT_GE(doneAt, 0);
    EXPECT_NEAR((doneAt - landedAt) * 16.0f, 1000.0f, 32.0f);

    // Light 0.5 over 1000 ms: 1.5 times the size at 500 ms; the device taken ends it at once.
    const THolder<CCookObject> cup = Device("Places.cup");
    const float base = cup->GetAnimation()->GetScale().x;
    field->StartAction(CLightObjectAction::Create(cup, 0.5f, 1000.0f, true, false));
    for (int f = 0; f < 31; ++f) FieldFrame(16.0f);
    FieldFrame(4.0f);  // 500 ms
    EXPECT_NEAR(cup->GetAnimation()->GetScale().x, 1.5f * base, 1e-3f);
    cup->SetFree(false);
    FieldFrame();
    EXPECT_FLOAT_EQ(cup->GetAnimation()->GetScale().x, base);
    cup->SetFree(true);

    // Three takes within the combo window: 1, 2, then the third gives the combo's points (the table's
    // step of 3 takes) in a balloon kept inside the screen, and the count starts again.
    // The served customer has gone; the next one's order is taken from here on.
    customer = Arrive();
    ASSERT_TRUE(customer);
    CGetObjectAction::ResetCombo();
    const THolder<CCookObject> bread = Device("Places.bread");
    bread->GetAnimation()->SetPosition(795.0f, 250.0f);
    const float scoreBefore = field->GetScore();
    std::vector<int> counts;
    for (int take = 0; take < 3; ++take) {
        Wait(0.3f);
        CGetObjectAction::Create(bread, customer, 1);
        counts.push_back(CGetObjectAction::GetComboCount());
    }
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(field->GetScore(), scoreBefore + 10.0f);
    const GF::TAnimationPtr points = FindInScene(*scene, "bonus_points");
    ASSERT_TRUE(points);
    EXPECT_LE(points->GetBoundingBox().right, 800);
    EXPECT_EQ(GF::WString(points->GetText("_text")), u"+10");
    Wait(GetGameData().bonusParams.seriesWindow / 1000.0f);
    CGetObjectAction::Create(bread, customer, 1);
    EXPECT_EQ(CGetObjectAction::GetComboCount(), 1);

    // A work of 9000 ms: its sound at the start, again at about 4000 and 8000 ms.
    const THolder<CCookObject> stove = Device("Devices.electric_stove_4");
    Heard();
    field->StartAction(CWorkObjectAction::Create(stove, customer, 0));
    std::vector<int> soundedAt;
    for (int f = 0; f < 600 && !stove->IsFree(); ++f) {
        FieldFrame();
        for (const std::string& sound : Heard())
            if (sound == "stove_work") soundedAt.push_back(f * 16);
    }
    ASSERT_EQ(soundedAt.size(), 3u);
    EXPECT_NEAR(soundedAt[1] - soundedAt[0], 4000, 32);
    EXPECT_NEAR(soundedAt[2] - soundedAt[0], 8000, 64);
    EXPECT_TRUE(stove->IsFree());
}
