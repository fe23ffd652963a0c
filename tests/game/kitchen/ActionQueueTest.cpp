#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/kitchen/DeliveryButton.h"
#include "game/kitchen/GenericActions.h"
#include "tests/game/kitchen/KitchenFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using ActionQueue = CKitchenFixture;

TEST_F(ActionQueue, APauseEndsOnTheFrameItsTimeRunsOutAndWhatFollowsStartsInTheNextWalk) {
    engine.AddResource("Sound\\click.ogg", "x");
    const THolder<CActionBase> pause = queue.AddAction(CWaitAction::Create(1000.0f));
    queue.AddAction(Noting("a"));
    queue.AddAction(CPlaySoundAction::CreateByName("click"));
    queue.AddAction(CPlaySoundAction::CreateByName(""));  // said in the log; plays nothing
    const THolder<CActionBase> last = queue.AddAction(Noting("b"));
    // Beside the sequence: the sequence's last action stays the one to chain behind.
    queue.StartAction(CWaitAction::Create(100.0f));
    EXPECT_EQ(queue.GetLastAction(), last);
    EXPECT_FALSE(queue.AddAction({}));
    EXPECT_FALSE(queue.StartAction({}));
    EXPECT_TRUE(engine.HasLog("CActionWorker::AddAction: no action given"));

    int doneAt = 0, heardAt = 0;
    while (frame < 70) {
        Step();
        if (!doneAt && pause->IsDone()) doneAt = frame;
        if (!heardAt && engine.CountCalls("Stream_Play")) heardAt = frame;
    }
    EXPECT_EQ(doneAt, 63);  // 1000 - 63 * 16 = -8
    // The calls and the sound, done as they start, pass in the walk that finishes the pause.
    EXPECT_EQ(notes, (std::vector<std::string>{"a@64", "b@64"}));
    EXPECT_EQ(heardAt, 64);
    EXPECT_EQ(engine.CountCalls("Stream_Play"), 1);
    EXPECT_TRUE(engine.HasLog("CPlaySoundAction: no sound name"));
    EXPECT_FALSE(queue.GetLastAction());
    EXPECT_TRUE(queue.IsEmpty());
}

TEST_F(ActionQueue, AHintBalloonShowsWaitsForItsButtonWhereverItMovesAndHides) {
    const TAnimationPtr balloon = Show("interfaces.hint_balloon", 400, 300, "_idle");
    ASSERT_TRUE(balloon);
    queue.AddAction(CAnimationWaitAction::Create(balloon, "_show", 1, false));
    const auto wait =
        HolderCast<CWaitButtonAction>(queue.AddAction(CWaitButtonAction::Create(balloon, "_item_ok")));
    queue.AddAction(CAnimationWaitAction::Create(balloon, "_hide", 1, false));
    queue.AddAction(Noting("closed"));
    for (int i = 0; i < 20; ++i) Step();
    const THolder<CDeliveryButton> button = wait->GetButton();
    ASSERT_TRUE(button);
    // The button's "_button_rect", 163 x 30, 40 pixels below the balloon's centre.
    const TRect hit = button->GetHitRect();
    EXPECT_EQ(hit, (TRect{318, 325, 481, 355}));
    // The balloon moves on while it waits: the button goes with it.
    balloon->SetPosition(460.0f, 300.0f);
    Step();
    Step();
    const TRect moved = button->GetHitRect();
    EXPECT_EQ(moved, (TRect{378, 325, 541, 355}));

    Click({hit.left + 5, Centre(hit).y});  // where it stood, and no longer does
    Click({moved.right + 10, Centre(moved).y});
    Click({Centre(moved).x, moved.top - 10});
    for (int i = 0; i < 100; ++i) Step();
    EXPECT_FALSE(wait->IsDone());
    EXPECT_TRUE(notes.empty());

    Click(Centre(moved));
    EXPECT_TRUE(wait->IsDone());
    const int clickedAt = frame;
    for (int i = 0; i < 30; ++i) Step();
    // "_hide" lasts 300 ms: 19 frames of 16 ms, and one more to finish it.
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], "closed@" + std::to_string(clickedAt + 21));
    EXPECT_EQ(PartOf(balloon), "_hide");
    EXPECT_TRUE(balloon->IsFinished());
}

TEST_F(ActionQueue, ClearFinishesWhatRunsStartsNothingMoreAndLeavesNoDelegateBehind) {
    const TAnimationPtr balloon = Show("interfaces.hint_balloon", 400, 300, "_idle");
    const auto wait =
        HolderCast<CWaitButtonAction>(queue.AddAction(CWaitButtonAction::Create(balloon, "_item_ok")));
    queue.AddAction(Noting("after the click"));
    queue.StartAction(CWaitAction::Create(5000.0f));
    Step();
    const THolder<CDeliveryButton> button = wait->GetButton();
    ASSERT_TRUE(button);
    ASSERT_FALSE(button->m_clickEvent.IsEmpty());

    queue.Clear();
    EXPECT_TRUE(button->m_clickEvent.IsEmpty());
    EXPECT_FALSE(queue.GetLastAction());
    EXPECT_TRUE(queue.IsEmpty());
    // Only the button is left; its click reaches the listener added now, and nothing of the wait.
    const THolder<CCall> heard = MakeHolder<CCall>();
    heard->function = [this] { Note("heard"); };
    button->m_clickEvent.Add(CreateDelegate(heard.Get(), &CCall::Clicked));
    wait->Finish();  // a second Finish finds nothing to remove
    controls.push_back(button);
    Click(Centre(button->GetHitRect()));
    for (int i = 0; i < 5; ++i) Step();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].substr(0, 5), "heard");
}

TEST_F(ActionQueue, AClearFromInsideTheWalkEndsTheWalk) {
    queue.AddAction(CWaitAction::Create(16.0f));
    queue.AddAction(Call([this] {
        queue.Clear();
        Note("cleared");
    }));
    queue.AddAction(Noting("never"));
    queue.StartAction(CWaitAction::Create(5000.0f));
    for (int i = 0; i < 5; ++i) Step();
    EXPECT_EQ(notes, (std::vector<std::string>{"cleared@2"}));
    EXPECT_TRUE(queue.IsEmpty());
    // The queue takes new work after it.
    queue.AddAction(Noting("again"));
    EXPECT_EQ(notes.back(), "again@5");
}

// A wait made without its animation or button says so and ends at its first update.
TEST_F(ActionQueue, WaitsWithoutTheirAnimationOrButtonEndAtOnce) {
    const TAnimationPtr plate = Show("interfaces.item_delivery", 100, 100, "_up");
    queue.StartAction(CAnimationWaitAction::Create({}, "_hide", 1, false));
    queue.StartAction(CWaitButtonAction::Create(plate, "_item_ok"));
    queue.StartAction(CWaitButtonAction::Create({}, "_item_ok"));
    Step();
    Step();
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_TRUE(engine.HasLog("CAnimationWaitAction: no animation"));
    EXPECT_TRUE(engine.HasLog("CWaitButtonAction: no button in \"_item_ok\""));
}

TEST_F(ActionQueue, AFollowingDeliveryButtonIsHitWhereItsPlateMovedAFixedOneWhereItWas) {
    const TAnimationPtr moving = Show("interfaces.item_delivery", 200, 150, "_up");
    const TAnimationPtr still = Show("interfaces.item_delivery", 200, 350, "_up");
    const THolder<CDeliveryButton> following = CDeliveryButton::Create(moving, true);
    const THolder<CDeliveryButton> fixed = CDeliveryButton::Create(still, false);
    ASSERT_TRUE(following && fixed);
    EXPECT_EQ(following->GetName(), "item_delivery");
    EXPECT_EQ(following->GetAnimation(), moving);
    EXPECT_FALSE(CDeliveryButton::Create({}, true));
    controls = {following, fixed};
    for (const auto& [button, word] : {std::pair{following, "following"}, std::pair{fixed, "fixed"}}) {
        const auto call = MakeHolder<CCall>();
        call->function = [this, word = std::string(word)] { Note(word); };
        calls.push_back(call);
        button->m_clickEvent.Add(CreateDelegate(call.Get(), &CCall::Clicked));
    }
    moving->SetPosition(400, 150);
    still->SetPosition(400, 350);
    Step();

    struct Case {
        TPoint<int> at;
        const char* heard;
    };
    const Case cases[] = {
        {{200, 150}, nullptr}, {{400, 150}, "following"}, {{200, 350}, "fixed"}, {{400, 350}, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
        notes.clear();
        Click(c.at);
        ASSERT_EQ(notes.size(), c.heard ? 1u : 0u);
        if (c.heard) {
            EXPECT_EQ(notes[0].substr(0, notes[0].find('@')), c.heard);
        }
    }
    following->SetVisible(false);
    notes.clear();
    Click({400, 150});
    EXPECT_TRUE(notes.empty());
}

}  // namespace
