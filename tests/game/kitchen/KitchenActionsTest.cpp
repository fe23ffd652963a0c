#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/FGParticle.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
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
        for (const THolder<CCookObject>& device : field->GetObjectList()) device->SetShown(true);
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

// The hint light's particle systems on the scene.
std::vector<GF::HGENS::CFGParticle*> HintSparks(GF::HGENS::CScene& scene) {
    std::vector<GF::HGENS::CFGParticle*> found;
    for (const GF::TDrawablePtr& drawable : scene.GetDrawables()) {
        auto* particles = dynamic_cast<GF::HGENS::CFGParticle*>(drawable.Get());
        if (particles && particles->layer == GetGameData().fieldParams.value2) found.push_back(particles);
    }
    return found;
}

}  // namespace

// The actions of the kitchen, each in a row: the hand-over's show time runs at twice the frame time
// once the dish has landed; a light pulses to its amplitude at half its time and stops when its
// device is taken, its sparks dying out after it; quick takes count a combo whose points stay on
// the screen; a long work sounds again every 4 s.
TEST_F(CKitchenActions, HandOverLightComboAndWorkKeepTheirTimes) {
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(customer);

    // Hand-over with a show time of 2000 ms: over about 1000 ms after the dish lands.
    GetGameData().zacazParams.value2 = 2000;
    const THolder<CShowZacazAction> handOver = CShowZacazAction::Create(customer);
    field->AddAction(handOver);
    const GF::TAnimationPtr reward = GF::HGENS::HostedAnimation(customer->GetSign(), "_many");
    ASSERT_TRUE(reward);
    int landedAt = -1, doneAt = -1;
    for (int f = 0; f < 400 && doneAt < 0; ++f) {
        FieldFrame();
        if (landedAt < 0 && reward->IsVisible()) landedAt = f;
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
    ASSERT_EQ(HintSparks(*scene).size(), 1u);
    cup->SetFree(false);
    FieldFrame();
    EXPECT_FLOAT_EQ(cup->GetAnimation()->GetScale().x, base);
    cup->SetFree(true);
    // Its sparks stop coming; those in the air die out on the scene, which then lets the system go.
    const std::vector<GF::HGENS::CFGParticle*> sparks = HintSparks(*scene);
    ASSERT_EQ(sparks.size(), 1u);
    EXPECT_FALSE(sparks.front()->emitting);
    EXPECT_GT(sparks.front()->GetLiveCount(), 0);
    int diedOutAt = -1;
    for (int f = 0; f < 500 && diedOutAt < 0; ++f) {
        FieldFrame();
        if (HintSparks(*scene).empty()) diedOutAt = f;
    }
    EXPECT_GT(diedOutAt, 0);

    // Three takes within the combo window: 1, 2, then the third gives the combo's points (the table's
    // step of 3 takes) in a balloon kept inside the screen, and the count starts again.
    // The served customer has gone; the next one's order is taken from here on.
    customer = Arrive();
    ASSERT_TRUE(customer);
    const THolder<CCookObject> bread = Device("Places.bread");
    bread->GetAnimation()->SetPosition(795.0f, 250.0f);
    const float window = GetGameData().bonusParams.seriesWindow / 1000.0f;
    const auto takes = [&](int count, float apart) {
        const float before = field->GetScore();
        for (int take = 0; take < count; ++take) {
            Wait(apart);
            CGetObjectAction::Create(bread, customer, 1);
        }
        return field->GetScore() - before;
    };
    EXPECT_EQ(takes(2, window + 0.1f), 0.0f);  // apart: each starts a series of its own
    EXPECT_EQ(takes(1, 0.3f), 0.0f);           // the second of a series
    EXPECT_EQ(takes(1, 0.3f), 10.0f);          // the third
    const GF::TAnimationPtr points = FindInScene(*scene, "bonus_points");
    ASSERT_TRUE(points);
    EXPECT_LE(points->GetBoundingBox().right, 800);
    EXPECT_EQ(GF::WString(points->GetText("_text")), u"+10");
    EXPECT_EQ(takes(2, 0.3f), 0.0f);  // the count starts again
    EXPECT_EQ(takes(1, 0.3f), 10.0f);

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

// The customer queue and the debug keys. The run between the entries of kinds 1 and 2 comes in the
// order the runtime's shuffle gives for the seed (replayed here with the generator's own formula);
// a used-up queue starts again at its first entry; with every duel entry used a call makes one
// pass and brings nobody. Digit 3 puts on the next dress, wrapping; 9 twice makes the clock run 16
// times as fast; 5 on a level without bonuses does nothing, and with one gives it even with nobody
// to serve; 1 wins the level.
TEST_F(CKitchenActions, TheQueueIsShuffledAndUsedRoundAndTheDebugKeysAct) {
    ASSERT_TRUE(loaded);
    CLevelInfo& queued = GetLevelsData().Levels["test_queue"] = *level;
    queued.Name = "test_queue";
    queued.Bonuses.clear();
    queued.Orders.clear();
    for (const int32_t portrait : {1, -1, 2, 3, 4, 5, -2, 6}) {
        COrderInfo order;
        order.Kind = portrait < 0 ? -portrait : 0;
        order.Portrait = portrait;
        order.Recept = "tea";
        queued.Orders.push_back(order);
    }
    const unsigned seed = 12345;
    uint32_t state = seed;
    const auto draw = [&state] {
        state = state * 214013u + 2531011u;
        return (state >> 16) & 0x7FFFu;
    };
    std::vector<int32_t> run = {2, 3, 4, 5};
    for (std::size_t k = 1; k < run.size(); ++k) std::swap(run[k], run[draw() % (k + 1)]);
    const std::vector<int32_t> expected = {1, run[0], run[1], run[2], run[3], 6};

    GetGameData().zacazParams.customersAtOnce = 10;
    GF::SeedRand(seed);
    ASSERT_TRUE(field->StartLevel("test_queue"));
    CReceptPanel& panel = *field->GetReceptPanel();
    std::vector<int32_t> portraits;
    for (int i = 0; i < 7; ++i) {
        field->BringNextCustomer();
        portraits.push_back(panel.GetCustomers().back()->GetOrder().Portrait);
    }
    EXPECT_EQ(portraits, (std::vector<int32_t>{expected[0], expected[1], expected[2], expected[3],
                                               expected[4], expected[5], expected[0]}));

    // Debug keys.
    CPlayerProfile& player = GetCurrentPlayer();
    const std::vector<int32_t>& dresses = GetGameData().persParams.dresses;
    player.floatVars[3] = static_cast<float>(dresses.size() - 1);
    field->OnKeyDown(8);
    EXPECT_EQ(player.floatVars[3], 0.0f);
    EXPECT_TRUE(std::string(field->GetPers()->GetAnimation()->GetName())
                    .ends_with("_" + std::to_string(dresses.front())));
    const float clockFactor = GetGameData().bonusParams.clockFactor;
    field->OnKeyDown(14);
    field->OnKeyDown(14);
    EXPECT_EQ(GetGameData().bonusParams.clockFactor, 16.0f * clockFactor);
    field->OnKeyDown(10);
    EXPECT_TRUE(field->GetBonusRow().items.empty());
    field->OnKeyDown(6);
    EXPECT_EQ(player.floatVars[5], 1.0f);
    EXPECT_EQ(player.levels["test_queue"].place, 1);

    // A duel: both sides' entries come at once, two customers at a time. The player's customer let
    // go while its dish flies ends the hand-over, and the next customer of the player's side comes.
    // Once every entry has come a call makes one pass over the queue and brings nobody.
    queued.Orders.clear();
    for (const int32_t kind : {CZacaz::kDuelPlayerKind, CZacaz::kDuelRivalKind, CZacaz::kDuelPlayerKind}) {
        COrderInfo order;
        order.Kind = kind;
        order.Recept = "soup";
        queued.Orders.push_back(order);
    }
    ASSERT_TRUE(field->StartLevel("test_queue"));
    field->BringNextCustomer();
    EXPECT_EQ(panel.GetCustomers().size(), 2u);
    const auto ofKind = [&panel](int32_t kind) {
        std::vector<THolder<CZacaz>> found;
        for (const THolder<CZacaz>& customer : panel.GetCustomers())
            if (customer->GetKind() == kind) found.push_back(customer);
        return found;
    };
    ASSERT_EQ(ofKind(CZacaz::kDuelPlayerKind).size(), 1u);
    const THolder<CZacaz> served = ofKind(CZacaz::kDuelPlayerKind).front();
    const THolder<CShowZacazAction> handOver = CShowZacazAction::Create(served);
    field->AddAction(handOver);
    const std::size_t flying = field->GetFlyObjectCount();
    for (int f = 0; f < 200 && field->GetFlyObjectCount() == flying; ++f) FieldFrame();
    ASSERT_GT(field->GetFlyObjectCount(), flying);  // the dish is in the air
    panel.ShowPanel(served);
    FieldFrame();
    EXPECT_TRUE(handOver->IsDone());
    const std::vector<THolder<CZacaz>> players = ofKind(CZacaz::kDuelPlayerKind);
    ASSERT_EQ(players.size(), 1u);
    EXPECT_NE(players.front(), served);
    panel.Clear();
    field->BringNextCustomer();
    EXPECT_TRUE(panel.GetCustomers().empty());
    EXPECT_EQ(field->FindQueueEntry(CZacaz::kDuelPlayerKind), -1);

    // 5 with nobody in the panel still gives the level's bonus: its picture goes to the row.
    queued.Bonuses = {CLevelBonusEntry{3, 15.0f}};
    field->OnKeyDown(10);
    EXPECT_EQ(field->GetBonusRow().items.size(), 1u);
}
