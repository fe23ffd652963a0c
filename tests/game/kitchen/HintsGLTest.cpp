#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/WString.h"
#include "framework/resources/Resource.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "game/app/ScreenRegistry.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/HintManager.h"
#include "game/kitchen/HintRaise.h"
#include "game/kitchen/InGameHintStrategy.h"
#include "game/kitchen/Pers.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

// A level field that does with the hints what the kitchen does: the heroine on the level's floor,
// the in-game strategy set when the level starts and emptied when it is cleared, and the level's
// result saved with the player when it ends. The test ends the level by hand.
class CHintField : public CGameFieldBase {
public:
    static GF::THolder<CGameFieldBase> Create() { return GF::THolder<CGameFieldBase>(new CHintField); }
    bool StartLevel(const std::string& levelName) override {
        if (!CGameFieldBase::StartLevel(levelName)) return false;
        SetFloorQuad(m_level->FloorQuad);
        m_pers = CPers::Create(0, m_level->WalkGrid.begin(), m_level->WalkGrid.end(), GetGameScene());
        GetHintManager().SetStrategy(CreateInGameHintStrategy(GF::THolder<CGameFieldBase>(this), m_pers));
        return true;
    }
    void ClearLevel() override {
        GetHintManager().SetStrategy({});
        m_pers.Reset();
        FloorQuad() = CFloorQuad{};
        CGameFieldBase::ClearLevel();
    }
    void Update(const float& dt) override {
        CGameFieldBase::Update(dt);
        if (m_pers) m_pers->Update(dt);
    }
    void FinishLevel() override {
        CGameFieldBase::FinishLevel();
        SaveSettings();
    }
    GF::THolder<CPers> GetPers() override { return m_pers; }

private:
    GF::THolder<CPers> m_pers;
};

// The base's serving raises its hint without looking at the customer, and no order is needed here:
// an empty customer holder, never destroyed since an empty one holds nothing.
const GF::THolder<CZacaz>& NoCustomer() {
    alignas(GF::THolder<CZacaz>) static unsigned char storage[sizeof(GF::THolder<CZacaz>)];
    static const GF::THolder<CZacaz>* const none = new (storage) GF::THolder<CZacaz>();
    return *none;
}

// The game's maker of the hint page.
GF::IGameManager::ScreenFactory PageFactory() {
    for (const tagScreenEntry& entry : GetScreenRegistry())
        if (std::string(entry.name) == "HintScreen") return entry.factory;
    return nullptr;
}

class CHintsRun : public ::testing::Test {
protected:
    CHintsRun() { GetHintManager() = CHintManager{}; }
    ~CHintsRun() override { GetHintManager() = CHintManager{}; }
    const KitchenPlay::CMakerScope maker{"test_hints", &CHintField::Create};

    // Starts the hint level (on frame 0); true once its field steps on the game screen.
    static bool InLevel(CLevelRun& r) {
        if (r.FrameNumber() == 0) {
            CLevelRun::AddLevel("hint_level", "test_hints");
            r.Play("hint_level");
            return false;
        }
        return r.TopName() == "GameScreen" && r.Field() && r.Field()->GetLevel();
    }
    static CInGameHintStrategy* Strategy() {
        return dynamic_cast<CInGameHintStrategy*>(GetHintManager().Strategy.Get());
    }
    static GF::TAnimationPtr Heroine(CLevelRun& r) {
        const GF::THolder<CPers> pers = r.Field()->GetPers();
        return pers ? pers->GetAnimation() : GF::TAnimationPtr();
    }
    static const std::string& Shown() { return GetHintManager().Current.name; }
    // The balloon the player sees: one that stays, or one that plays out by itself.
    static GF::TAnimationPtr Balloon() {
        CInGameHintStrategy* strategy = Strategy();
        if (!strategy) return {};
        return strategy->GetShownBalloon() ? strategy->GetShownBalloon()
                                           : strategy->GetSelfFinishingBalloon();
    }

    // The words a player reads of the hint shown: on the hint page while it is on top, else in the
    // heroine's balloon (the strategy's own balloon holds its words in a text animation inside it).
    static GF::WString ShownWords(CLevelRun& r) {
        if (r.TopName() == "HintScreen") {
            const GF::TAnimationPtr page = r.Top()->GetAnimation();
            const GF::WChar* words = page ? page->GetText("hint") : nullptr;
            return words ? words : GF::WString();
        }
        const GF::TAnimationPtr balloon = Balloon();
        if (!balloon) return {};
        if (const GF::WChar* words = balloon->GetText("_text")) return words;
        const GF::TSubstitutedContainerPtr host(balloon->GetDrawable(0).Get());
        const GF::TAnimationPtr inside = host ? host->FindSubstituted("nolla_text") : GF::TAnimationPtr();
        const GF::WChar* words = inside ? inside->GetText("_text") : nullptr;
        return words ? words : GF::WString();
    }

    CLevelRun run;
};

}  // namespace

// Triggers raised through the field base reach the player as balloons over the heroine's head; a hint
// allowed once is not offered again, and the idle request falls back to a general hint. The counts
// are saved with the player: read back from the settings file, they keep that player from the hint,
// while a new player is shown it.
TEST_F(CHintsRun, RaisedTriggersShowBalloonsOnceForEachPlayerAcrossASave) {
    struct tagSeen {
        std::vector<std::string> shown;
        GF::TRect heroine;
        GF::TRect balloon;
        int balloonLayer = -1;
        std::vector<uint32_t> before;
        uint32_t pixelBefore = 0;
        uint32_t pixelAfter = 0;
        bool secondServeShowed = true;
        int32_t triggerLeft = 0;
        int32_t generalTrigger = -1;
        int32_t savedServeCount = 0;
        bool shownAfterReload = true;
        std::string newPlayerHint;
    } seen;
    int step = 0;
    int at = 0;
    int width = 0;
    int height = 0;
    GF::TAnimationPtr balloon;
    const int code = run.Run([&](CLevelRun& r) {
        const bool inLevel = InLevel(r);
        if (step == 0 && inLevel) {
            seen.before = r.Picture(&width, &height);
            r.Field()->ServeCustomer(NoCustomer());
            balloon = Balloon();
            seen.shown.push_back(Shown());
            step = 1;
            at = r.FrameNumber();
        } else if (step == 1 && r.FrameNumber() == at + 10) {
            // The balloon has shown itself; the screen now holds it where the player reads it.
            seen.heroine = Heroine(r)->GetBoundingBox();
            seen.balloon = balloon->GetBoundingBox();
            seen.balloonLayer = balloon->GetLayer();
            int afterWidth = 0;
            int afterHeight = 0;
            const std::vector<uint32_t> picture = r.Picture(&afterWidth, &afterHeight);
            // The window may be larger than the game's 800 x 600: the balloon's middle in window pixels.
            const GF::TRect& b = seen.balloon;
            const int x = (b.left + b.right) / 2 * afterWidth / 800;
            const int y = (b.top + b.bottom) / 2 * afterHeight / 600;
            if (x >= 0 && y >= 0 && x < afterWidth && y < afterHeight &&
                seen.before.size() == picture.size()) {
                seen.pixelBefore = CLevelRun::At(seen.before, width, x, y);
                seen.pixelAfter = CLevelRun::At(picture, afterWidth, x, y);
            }
            r.Field()->OnDeliveryButton();
            seen.shown.push_back(Shown());
            r.Field()->ServeCustomer(NoCustomer());  // its hint is spent for this player
            seen.secondServeShowed = Shown() != "hint_delivery";
            seen.triggerLeft = GetHintManager().Trigger;
            GetHintManager().PickHint(false);  // the kitchen's idle request
            seen.shown.push_back(Shown());
            seen.generalTrigger = GetHintManager().Current.trigger;
            r.Field()->FinishLevel();
            step = 2;
        } else if (step == 2 && r.TopName() != "GameScreen" && !r.GetGameScreen()) {
            GF::GetGameManager()->LoadSettings();
            seen.savedServeCount = r.Player().hintShows[0];
            r.Play("hint_level");
            step = 3;
        } else if (step == 3 && inLevel) {
            r.Field()->ServeCustomer(NoCustomer());
            seen.shownAfterReload = static_cast<bool>(Balloon());
            AddPlayer(u"Newcomer");
            r.Field()->ServeCustomer(NoCustomer());
            seen.newPlayerHint = Balloon() ? Shown() : "";
            return false;
        }
        return true;
    });
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << "step " << step;

    ASSERT_EQ(seen.shown.size(), 3u);
    EXPECT_EQ(seen.shown[0], "hint_serve");
    EXPECT_EQ(seen.shown[1], "hint_delivery");
    EXPECT_EQ(seen.shown[2].rfind("hint_general_", 0), 0u) << seen.shown[2];
    // Centred over the heroine, 5 pixels above her head, over the kitchen.
    EXPECT_FALSE(seen.balloon.IsEmpty());
    EXPECT_NEAR((seen.balloon.left + seen.balloon.right) / 2.0,
                (seen.heroine.left + seen.heroine.right) / 2.0, 1.0);
    EXPECT_NEAR(seen.balloon.bottom, seen.heroine.top - 5, 1);
    EXPECT_EQ(seen.balloonLayer, GetGameData().overlayLayer);
    EXPECT_NE(seen.pixelAfter, seen.pixelBefore) << "the balloon is not on the picture";

    EXPECT_FALSE(seen.secondServeShowed);
    EXPECT_EQ(seen.triggerLeft, 1);
    EXPECT_EQ(seen.generalTrigger, 0);
    EXPECT_EQ(seen.savedServeCount, 1);
    EXPECT_FALSE(seen.shownAfterReload);
    EXPECT_EQ(seen.newPlayerHint, "hint_serve");
}

// A balloon that ends by itself plays out slowly and then shows the hint that follows it, which leads
// nowhere further. A page hint opens the hint screen above all of the game, with the heroine held
// still; Enter closes it with "back", she moves again and its follow-up shows. The same page ended
// with "quit" (the window's close request) keeps her still under the exit question, the hint still
// shown. Page hints that follow each other in a loop, while no page can be opened, are each
// tried once.
TEST_F(CHintsRun, FollowUpsComeAfterASelfFinishingBalloonAndAHintPage) {
    struct tagSeen {
        bool selfFinishing = false;
        bool shownWhilePlaying = true;
        int framesToFollowUp = 0;
        std::string followUp;
        bool showingAfterFollowUp = true;
        std::vector<std::string> underPage;
        bool pausedOnPage = false;
        int kitchenOnPage = -1;  // pixels of a clear band of the page's board that are not its blue
        bool movingAfterBack = false;
        std::string afterPage;
        bool stillUnderExitQuestion = false;
        bool showingAfterQuit = false;
        bool showingAfterLoop = true;
    } seen;
    int step = 0;
    int at = 0;
    float heroineTime = 0.0f;
    const auto heroineMoved = [&](CLevelRun& r) {
        const float now = Heroine(r)->GetTime();
        const bool moved = now != heroineTime;
        heroineTime = now;
        return moved;
    };
    const int code = run.Run([&](CLevelRun& r) {
        const bool inLevel = InLevel(r);
        const int frame = r.FrameNumber();
        if (step == 0 && inLevel) {
            RaiseHint(1);
            seen.selfFinishing = static_cast<bool>(Strategy()->GetSelfFinishingBalloon());
            seen.shownWhilePlaying = static_cast<bool>(Strategy()->GetShownBalloon());
            step = 1;
            at = frame;
        } else if (step == 1 && Shown() != "hint_serve") {
            seen.framesToFollowUp = frame - at;
            seen.followUp = Shown();
            seen.showingAfterFollowUp = GetHintManager().Showing;
            RaiseHint(3);
            step = 2;
            at = frame;
        } else if (step == 2 && frame == at + 20) {
            const auto manager = GF::GetGameManager();
            seen.underPage = {r.TopName(), manager->FindScreen("GameScreen") ? "GameScreen" : ""};
            heroineMoved(r);
        } else if (step == 2 && frame == at + 21) {
            seen.pausedOnPage = !heroineMoved(r) && Heroine(r)->IsFinished();  // held at her part's end
        } else if (step == 2 && frame == at + 59) {
            // Between the board's top and its text: the kitchen beneath, with the balloon of the
            // hint before, must not show through.
            int width = 0, height = 0;
            const std::vector<uint32_t> picture = r.Picture(&width, &height);
            const GF::TRect board = r.Top()->GetAnimation()->GetBoundingBox();
            seen.kitchenOnPage = 0;
            for (int y = board.top + 40; y < board.top + 80; y += 2)
                for (int x = board.left + 60; x < board.right - 60; x += 2) {
                    const uint32_t p = CLevelRun::At(picture, width, x * width / 800, y * height / 600);
                    seen.kitchenOnPage += (p & 0xFF) > ((p >> 16) & 0xFF) + 40 ? 0 : 1;
                }
        } else if (step == 2 && frame == at + 60) {
            r.Key(SDLK_RETURN, true);
        } else if (step == 2 && frame == at + 62) {
            r.Key(SDLK_RETURN, false);
            step = 3;
        } else if (step == 3 && r.TopName() == "GameScreen") {
            heroineMoved(r);
            step = 4;
            at = frame;
        } else if (step == 4 && frame == at + 1) {
            seen.movingAfterBack = heroineMoved(r);
            seen.afterPage = Shown();
            // The page is offered once to a player: forgotten, it comes again.
            r.Player().hintShows.clear();
            RaiseHint(3);
            step = 5;
            at = frame;
        } else if (step == 5 && frame == at + 60) {
            // What the window's close request does to the top screen; the exit is then refused.
            r.Top()->Finish("quit", 0);
            step = 6;
        } else if (step == 6 && r.TopName() == "confirm_exit_screen") {
            seen.showingAfterQuit = GetHintManager().Showing;
            heroineMoved(r);
            step = 7;
            at = frame;
        } else if (step == 7 && frame == at + 1) {
            // The game below stands still under the dialog: the page is still to be left.
            seen.stillUnderExitQuestion = !heroineMoved(r);
        } else if (step == 7 && frame == at + 60) {
            r.Key(SDLK_ESCAPE, true);
        } else if (step == 7 && frame == at + 62) {
            r.Key(SDLK_ESCAPE, false);
        } else if (step == 7 && frame > at + 62) {
            // The refusal leaves the finished page on top, which nothing in the flow takes away yet.
            if (r.TopName() == "HintScreen") GF::GetGameManager()->DestroyScreen("HintScreen");
            if (r.TopName() != "GameScreen") return true;
            heroineMoved(r);
            step = 8;
            at = frame;
        } else if (step == 8 && frame == at + 1) {
            // Two page hints that follow each other, while the hint page cannot be opened: each is
            // tried once, and the loop is logged.
            std::vector<CHintInfo>& hints = GetGameData().hints;
            const int32_t first = static_cast<int32_t>(hints.size());
            hints.push_back(CHintInfo{first + 1, "hint_loop_a", true, 14, true, -1, false, "loop_page"});
            hints.push_back(CHintInfo{first, "hint_loop_b", false, -1, true, -1, false, "loop_page"});
            const auto manager = GF::GetGameManager();
            manager->RegisterScreenFactory("HintScreen", [] { return GF::THolder<GF::IScreen>(); });
            RaiseHint(14);
            manager->RegisterScreenFactory("HintScreen", PageFactory());
            seen.showingAfterLoop = GetHintManager().Showing;
            r.Field()->FinishLevel();
            step = 9;
        } else if (step == 9 && r.TopName() != "GameScreen") {
            return false;
        }
        return true;
    });
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << "step " << step << ", top " << run.TopName();

    EXPECT_TRUE(seen.selfFinishing);
    EXPECT_FALSE(seen.shownWhilePlaying);
    // "all" lasts 1.5 s and plays at 0.3: about 125 frames of 40 ms.
    EXPECT_NEAR(seen.framesToFollowUp, 125, 3);
    EXPECT_EQ(seen.followUp, "hint_serve_more");
    EXPECT_FALSE(seen.showingAfterFollowUp);
    EXPECT_EQ(seen.underPage, (std::vector<std::string>{"HintScreen", "GameScreen"}));
    EXPECT_TRUE(seen.pausedOnPage);
    EXPECT_EQ(seen.kitchenOnPage, 0);
    EXPECT_TRUE(seen.movingAfterBack);
    EXPECT_EQ(seen.afterPage, "hint_after_page");
    EXPECT_NE(std::find(run.Results().begin(), run.Results().end(), "HintScreen:back"), run.Results().end());
    EXPECT_TRUE(seen.showingAfterQuit);  // only "back" finishes the hint
    EXPECT_TRUE(seen.stillUnderExitQuestion);
    const std::string log = run.Log();
    const std::string unopened = "hints: the hint screen \"loop_page\" did not open";
    std::size_t tries = 0;
    for (std::size_t at = log.find(unopened); at != std::string::npos; at = log.find(unopened, at + 1))
        ++tries;
    EXPECT_EQ(tries, 2u);
    EXPECT_NE(log.find("hints: \"hint_loop_b\" is followed by \"hint_loop_a\", shown before in its chain"),
              std::string::npos);
    EXPECT_FALSE(seen.showingAfterLoop);
}

// The level ends while a balloon plays out by itself: the screen hides and goes with the balloon
// still running, and the balloon, played to its end afterwards, calls nothing of the level.
TEST_F(CHintsRun, ALevelEndingUnderAPlayingBalloonLeavesItNothingToCall) {
    GF::TAnimationPtr balloon;
    std::size_t listenersWhilePlaying = 0;
    std::size_t listenersAfter = 99;
    bool strategyAfter = true;
    int step = 0;
    int at = 0;
    const int code = run.Run([&](CLevelRun& r) {
        const bool inLevel = InLevel(r);
        if (step == 0 && inLevel) {
            RaiseHint(12);
            balloon = Strategy()->GetSelfFinishingBalloon();
            listenersWhilePlaying = balloon ? balloon->GetEndEvent().Count() : 0;
            step = 1;
            at = r.FrameNumber();
        } else if (step == 1 && r.FrameNumber() == at + 10) {
            r.Field()->FinishLevel();
            step = 2;
        } else if (step == 2 && !r.GetGameScreen()) {
            strategyAfter = static_cast<bool>(GetHintManager().Strategy);
            if (balloon) {
                listenersAfter = balloon->GetEndEvent().Count();
                balloon->Update(10000.0f);  // to its end, raising its end event
            }
            return false;
        }
        return true;
    });
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << "step " << step;
    ASSERT_TRUE(balloon);
    EXPECT_EQ(listenersWhilePlaying, 1u);
    EXPECT_FALSE(strategyAfter);
    EXPECT_EQ(listenersAfter, 0u);
    balloon.Reset();
}

namespace {

std::string TableText(const std::string& key) {
    const GF::THolder<GF::HGENS::CResource> resource = GF::GetResource();
    const GF::WString* text = resource ? resource->GetText(key) : nullptr;
    return text ? GF::Utf16ToUtf8(*text) : std::string();
}

struct tagMoment {
    std::string moment;
    std::string shown;     // what the balloon or the page says
    std::string expected;  // the words of the hint that speaks of the moment
    bool inPlace = true;   // the window shows the balloon where it stands, over the heroine
};

}  // namespace

// The sample's first level played from its start to closing time with the mouse, a fresh player:
// at each moment the balloon over the heroine, or the hint page, says what that moment is. Play
// starts on a level with bonuses; a device the order does not want is clicked (its words go at a
// press on the hint button), then the plate before the order is ready; the heroine is sent to the
// saucepan and, while it cooks, it is clicked again (the page, and after it its follow-up); the
// order is cooked and stands ready on the plate; it is served (a balloon that plays out, then its follow-up);
// the second guest comes in; the light hint charges and is used; closing time comes. The level started again
// greets the player.
TEST_F(CHintsRun, EachMomentOfASampleLevelShowsTheHintThatSpeaksOfIt) {
    using namespace KitchenPlay;
    std::vector<tagMoment> read;
    const auto note = [&](CLevelRun& r, const char* moment, const char* key) {
        // Where the balloon stands (centred on its position), beside the words and inside its edge,
        // the window shows the balloon's light paper.
        bool inPlace = true;
        const GF::TAnimationPtr balloon = Balloon();
        if (balloon && r.TopName() == "GameScreen" &&
            GetHintManager().Current.text == "interfaces.nolla_text") {
            int width = 0, height = 0;
            const std::vector<uint32_t> picture = r.Picture(&width, &height);
            const GF::TRect box = balloon->GetBoundingBox();
            const GF::TPoint<float> at = balloon->GetPosition();
            const int x = static_cast<int>(at.x) - (box.right - box.left) / 2 + 14;
            const uint32_t p =
                CLevelRun::At(picture, width, x * width / 800, static_cast<int>(at.y) * height / 600);
            inPlace = (p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF) > 600;
        }
        read.push_back({moment, GF::Utf16ToUtf8(ShownWords(r)), TableText(key), inPlace});
    };
    CKitchenCook cook;
    CClicker& mouse = cook.mouse;
    GF::THolder<CCookObject> saucepan;
    // Held, so that the level started again can't be given the first one's address.
    GF::THolder<CGameFieldBase> firstField;
    bool secondGuestSliding = false;
    bool secondGuestRead = false;
    std::string wordsAfterButton = "unread";
    int step = 0;
    int at = 0;
    const int code = run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            r.Play("stage1_1");
            return true;
        }
        if (mouse.Busy(r)) return true;
        CGameField* field = Kitchen(r);
        if (!field || field == firstField.Get()) return true;
        CReceptPanel& panel = *field->GetReceptPanel();
        const GF::THolder<CZacaz> customer = panel.GetCurrentCustomer();
        const bool idle = !field->GetLastAction();
        // The second guest: its sign has slid into the column under the first.
        if (!secondGuestRead && panel.GetCustomers().size() == 2) {
            if (panel.IsSliding()) {
                secondGuestSliding = true;
            } else if (secondGuestSliding) {
                note(r, "a second guest is waiting", "hint_recipe");
                secondGuestRead = true;
            }
        }
        switch (step) {
            case 0:
                if (!field->IsPlaying()) return true;
                note(r, "play starts on a level with bonuses", "hint_bonuses");
                step = 1;
                return true;
            case 1: {
                if (!customer || panel.IsSliding() || !idle) return true;
                GF::THolder<CCookObject> unwanted;
                for (const GF::THolder<CCookObject>& device : field->GetObjectList()) {
                    const CIngridientInfo& info = device->GetInfo();
                    if (info.Kind != 0 && device->IsFree() && device->IsReady() &&
                        customer->FindItemToPut(info.Name) < 0 && customer->FindCurrentItem(info.Name) < 0 &&
                        !customer->CanUseIngredient(info))
                        unwanted = device;
                }
                if (!unwanted) return false;
                mouse.Click(r, PointOn(*field, unwanted));
                step = 2;
                return true;
            }
            case 2:
                note(r, "a device the order does not want", "hint_wrong_order");
                // The hint button, not yet charged: its press takes the words down all the same.
                mouse.ClickControl(r, "hint");
                step = 20;
                return true;
            case 20:
                wordsAfterButton = GF::Utf16ToUtf8(ShownWords(r));
                step = 3;
                return true;
            case 3:
                if (!idle) return true;
                mouse.Click(r, Centre(field->GetPlateAnimation()->GetBoundingBox()));
                step = 4;
                return true;
            case 4:
                note(r, "the plate clicked before the order is ready", "hint_not_ready");
                step = 5;
                return true;
            case 5:
                if (!idle) return true;
                saucepan = field->GetNextObject(1);
                if (!saucepan || saucepan->GetInfo().Kind == 0) return false;
                mouse.Click(r, PointOn(*field, saucepan));
                step = 6;
                return true;
            case 6:
                note(r, "the heroine sent to take from a device", "hint_take");
                step = 7;
                return true;
            case 7:
                if (!idle || saucepan->IsFree()) return true;
                mouse.Click(r, PointOn(*field, saucepan));
                at = frame;
                step = 8;
                return true;
            case 8:
                if (r.TopName() != "HintScreen") return frame < at + 50;
                note(r, "a busy device clicked: the hint page", "hint_screen_text");
                at = frame;
                step = 9;
                return true;
            case 9:  // the page has come in behind the window shades: its "back" closes it
                if (frame == at + 60 && !mouse.ClickControl(r, "back")) return false;
                if (frame <= at + 60 || r.TopName() != "GameScreen") return frame < at + 150;
                at = frame;
                step = 10;
                return true;
            case 10:  // once the window shades have opened on the kitchen again
                if (frame < at + 35 || (ShownWords(r).empty() && frame < at + 80)) return true;
                note(r, "the hint page closed: what follows it", "hint_after_page");
                step = 11;
                return true;
            case 11:
                if (!customer) return false;
                // The second guest comes at its own time; read before the order is finished, its
                // balloon can't take the place of the serve's.
                if (!secondGuestRead) return true;
                if (!customer->IsReadyToServe()) {
                    cook.Step(r, *field);
                    return true;
                }
                if (!field->GetPlateAnimation()->IsFinished()) return true;
                step = 12;
                return true;
            case 12:
                note(r, "the order ready on the plate", "hint_plate");
                mouse.Click(r, Centre(field->GetPlateAnimation()->GetBoundingBox()));
                step = 13;
                return true;
            case 13:
                note(r, "a customer served", "hint_serve");
                at = frame;
                step = 14;
                return true;
            case 14:
                if (Strategy()->GetSelfFinishingBalloon()) return frame < at + 200;
                note(r, "the served balloon played out: what follows it", "hint_serve_more");
                step = 15;
                return true;
            case 15:
                if (!r.Top()->FindControl("hint")->IsEnabled()) return true;
                note(r, "the light hint charged", "hint_light_ready");
                mouse.ClickControl(r, "hint");
                at = frame;
                step = 16;
                return true;
            case 16:  // the button answers when the mouse button comes up
                if (r.Top()->FindControl("hint")->IsEnabled()) return frame < at + 50;  // spent: off
                note(r, "the light hint used", "hint_ingredient");
                step = 17;
                return true;
            case 17:
                if (!field->IsClosed()) return true;
                note(r, "closing time", "hint_closing");
                firstField = r.Field();
                r.Play("stage1_1");
                step = 18;
                return true;
            case 18:
                if (!field->IsPlaying()) return true;
                note(r, "play starts on the level again", "hint_welcome");
                firstField.Reset();
                step = 19;
                return false;
        }
        return false;
    });
    ASSERT_EQ(code, 0);
    ASSERT_FALSE(run.timedOut) << "step " << step;
    ASSERT_EQ(step, 19);
    std::vector<std::string> moments;
    for (const tagMoment& m : read) {
        moments.push_back(m.moment);
        EXPECT_FALSE(m.expected.empty()) << m.moment;
        EXPECT_EQ(m.shown, m.expected) << m.moment;
        EXPECT_TRUE(m.inPlace) << m.moment;
    }
    EXPECT_NE(std::find(moments.begin(), moments.end(), "a second guest is waiting"), moments.end());
    EXPECT_EQ(moments.size(), 14u);
    EXPECT_EQ(wordsAfterButton, "");
}
