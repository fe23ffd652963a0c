#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/GameProperties.h"
#include "framework/core/MemoryStreams.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/LayoutItem.h"
#include "framework/gui/ListBoxControl.h"
#include "game/app/GameData.h"
#include "game/app/PlayerStore.h"
#include "game/app/Players.h"
#include "game/kitchen/DiferenceGameField.h"
#include "game/screens/CheatClass.h"
#include "game/screens/CookBook.h"
#include "game/screens/MapScreen.h"
#include "tests/game/kitchen/BonusRun.h"
#include "tests/game/kitchen/KitchenPlay.h"

// The sample game played through the real program, as a player would: scripted mouse clicks on the
// screens' own controls, typed keys and the window's close button, every frame 50 ms, from a fresh
// save folder and seeded random numbers. Each step waits for its screen by frames, never by the clock.

namespace {

using namespace KitchenPlay;

// Frames of 50 ms a screen stays on top before it is used: its shades open (1250 ms) and its "_show"
// plays.
constexpr int kIdleFrames = 36;

// The top screens in the order they came on top, and how long the current one has been there.
struct tagTrip {
    std::vector<std::string> order;
    std::string top;
    const void* screen = nullptr;
    int created = 0;
    int since = 0;
    int generation = 0;  // counts the screens that came on top

    void Follow(CLevelRun& r) {
        const GF::THolder<GF::IScreen> current = r.Top();
        // A help page takes the place of the one before, by name and maybe by address.
        const bool renewed = r.CreatedCount() != created && r.LastCreated() == current.Get();
        created = r.CreatedCount();
        if (current.Get() == screen && !renewed) {
            ++since;
            return;
        }
        screen = current.Get();
        top = current ? current->GetName() : std::string();
        since = 0;
        ++generation;
        if (!top.empty()) order.push_back(top);
    }
};

// The script: steps built from the helpers below, one frame at a time.
class CPlayer {
public:
    CBonusScript s;
    tagTrip trip;

    bool Frame(CLevelRun& r) {
        trip.Follow(r);
        // A level that brings new ingredients shows them first: a click reveals them all, the next
        // one goes on to the level. A level without them passes through the screen unseen.
        if (trip.top == "new_ingridient_screen" && trip.since >= kIdleFrames && trip.since % 12 == 0 &&
            pendingStep < 0)
            if (const GF::THolder<GF::HGENS::CBaseControl> ok = r.Top()->FindControl("ok")) {
                const GF::TPoint<int> at = Centre(ok->GetHitRect());
                ClickAt(at.x, at.y);
                if (trip.since == kIdleFrames) ++ingredientsShown;
            }
        if (pendingStep >= 0) {
            if (pendingStep == 0) r.MoveMouse(pending.x, pending.y);
            if (pendingStep == 1) r.Button(true, pending.x, pending.y);
            if (pendingStep == 2) r.Button(false, pending.x, pending.y);
            pendingStep = pendingStep == 2 ? -1 : pendingStep + 1;
        }
        return s.Step(r);
    }
    GF::TPoint<int> pending{};
    int pendingStep = -1;
    int ingredientsShown = 0;

    // The named screen is on top, idle, with no result yet.
    void Idle(const std::string& screen) {
        s.Until([this, screen](CLevelRun& r) {
            return trip.top == screen && trip.since >= kIdleFrames && r.Top()->GetResult().empty();
        });
    }
    // The mouse goes onto the top screen's control, presses and lets go there; again now and then
    // until the screen takes it (a screen still opening lets clicks pass).
    void Click(const std::string& control) {
        auto start = std::make_shared<int>(-1);
        auto frames = std::make_shared<int>(0);
        s.Until([this, control, start, frames](CLevelRun& r) {
            if (*start < 0) *start = trip.generation;
            if (trip.generation != *start || !r.Top()->GetResult().empty()) return true;
            if (pendingStep >= 0 || (*frames)++ % 12 != 0) return false;
            const GF::THolder<GF::HGENS::CBaseControl> found = r.Top()->FindControl(control);
            EXPECT_TRUE(found) << r.TopName() << " has no control " << control;
            if (!found) return true;
            const GF::TPoint<int> at = Centre(found->GetHitRect());
            ClickAt(at.x, at.y);
            return false;
        });
    }
    // A quick click (a touchpad's tap) on the idle screen's control, once: the mouse comes, and in
    // the next frame the press and the release reach the engine together.
    void QuickClick(const std::string& control) {
        auto at = std::make_shared<GF::TPoint<int>>();
        s.Do([control, at](CLevelRun& r) {
            const GF::THolder<GF::HGENS::CBaseControl> found = r.Top()->FindControl(control);
            ASSERT_TRUE(found) << r.TopName() << " has no control " << control;
            *at = Centre(found->GetHitRect());
            r.MoveMouse(at->x, at->y);
        });
        s.Wait(1);
        s.Do([at](CLevelRun& r) {
            r.Button(true, at->x, at->y);
            r.Button(false, at->x, at->y);
        });
    }
    // A click at a point found only when the step plays: the mouse comes now, presses in the next
    // frame and lets go in the one after.
    void ClickAt(int x, int y) {
        pending = {x, y};
        pendingStep = 0;
    }
    // A click on the control of the idle screen that leads to the next one, idle in its turn.
    void GoTo(const std::string& control, const std::string& screen) {
        Click(control);
        Idle(screen);
    }
    void Key(SDL_Keycode key) {
        s.Do([key](CLevelRun& r) { r.Key(key, true); });
        s.Wait(2);
        s.Do([key](CLevelRun& r) { r.Key(key, false); });
        s.Wait(1);
    }
    void Type(const std::string& text) {
        for (const char c : text) {
            s.Do([c](CLevelRun& r) { r.Text(std::string(1, c).c_str()); });
            s.Wait(1);
        }
    }
    void Check(std::function<void(CLevelRun&)> check) { s.Do(std::move(check)); }

    // The comic plays panel by panel, a click ending each pause, until the map comes.
    void ReadComic() {
        Idle("ComicsScreen");
        s.Until([this](CLevelRun& r) {
            if (trip.top != "ComicsScreen") return true;
            if (trip.since % 10 == 0) r.Button(true, 400, 300);
            if (trip.since % 10 == 1) r.Button(false, 400, 300);
            return false;
        });
    }

    // The kitchen level on the game screen, its first orders cooked and served (all of them, unless
    // told how many), the rest left to leave, to the level's end. The bonus customer never leaves by
    // itself: once the count is served the cook picks its sign and serves it too.
    void WinKitchenLevel(int orders = 1000) {
        auto cook = std::make_shared<CKitchenCook>();
        s.Until([](CLevelRun& r) { return Kitchen(r) != nullptr; });
        s.Until([this, cook, orders](CLevelRun& r) {
            if (trip.top != "GameScreen") return true;
            if (cook->served < orders || cook->mouse.releaseAt >= 0) {
                cook->Frame(r);
                return false;
            }
            CGameField* field = Kitchen(r);
            if (!field || !field->IsPlaying() || field->GetLastAction()) return false;
            CReceptPanel& panel = *field->GetReceptPanel();
            for (const GF::THolder<CZacaz>& customer : panel.GetCustomers()) {
                if (customer->GetKind() != CZacaz::kBonusKind) continue;
                if (customer == panel.GetCurrentCustomer())
                    cook->Frame(r);
                else if (!panel.IsSliding())
                    cook->mouse.Click(r, PointOnSign(panel, customer));
            }
            return false;
        });
    }
    // The hidden-object level of the map's stage (the digit 7): the listed things clicked in the
    // order asked, then the order served at the plate. Found things earn no points: the result is
    // the place of a level without rivals, and the screen offers a replay.
    void FindHiddenThings(const std::string& level, bool dark) {
        Key(SDLK_7);
        s.Until([](CLevelRun& r) { return ISpy(r) && ISpy(r)->IsPlaying(); });
        s.Do([dark](CLevelRun& r) { EXPECT_EQ(static_cast<bool>(ISpy(r)->GetHider()), dark); });
        for (int item = 0; item < 4; ++item) FindHidden(s, item);
        s.Until([this](CLevelRun& r) {
            const GF::THolder<CZacaz> order = ISpy(r)->GetReceptPanel()->GetCurrentCustomer();
            if (!order->IsReadyToServe()) return false;
            const GF::TPoint<int> plate = Centre(ISpy(r)->GetPlateAnimation()->GetBoundingBox());
            ClickAt(plate.x, plate.y);
            return true;
        });
        Idle("BonusStatisticsScreen");
        s.Do([level](CLevelRun& r) {
            EXPECT_EQ(r.Player().stringVars[11], level);
            EXPECT_EQ(r.Player().floatVars[13], 4.0f);
            EXPECT_EQ(r.Player().floatVars[5], 102.0f);
            EXPECT_TRUE(r.Top()->FindControl("replay")->IsEnabled());
        });
        GoTo("continue", "ProgressMapScreen");
        IdleMap();
    }
    // Nobody cooks: the customers leave unserved and the level ends in the last place.
    void IdleKitchenLevel() {
        s.Until([](CLevelRun& r) { return Kitchen(r) != nullptr; });
        s.Until([this](CLevelRun&) { return trip.top != "GameScreen"; });
    }

    // The map, idle, with its buttons back on after the carousel's turns.
    void IdleMap() {
        Idle("ProgressMapScreen");
        s.Until([](CLevelRun& r) {
            const GF::THolder<GF::HGENS::CBaseControl> play = r.Top()->FindControl("play");
            return play && play->IsEnabled();
        });
    }
    // A click on an opened stage of the map's carousel: the mouse rests on it, then presses.
    void PickStage(const std::string& stage) {
        auto at = std::make_shared<GF::TPoint<int>>();
        s.Do([at, stage](CLevelRun& r) {
            auto* map = dynamic_cast<CMapScreen*>(r.Top().Get());
            ASSERT_TRUE(map);
            for (const CStageMapStrategy::StageItem& item : map->GetStageMap().GetStages())
                if (item.name == stage) *at = Centre(item.hitBox);
            r.MoveMouse(at->x, at->y);
        });
        s.Wait(5);
        s.Do([at](CLevelRun& r) { r.Button(true, at->x, at->y); });
        s.Wait(1);
        s.Do([at](CLevelRun& r) { r.Button(false, at->x, at->y); });
        s.Wait(1);
        IdleMap();
        s.Do([stage](CLevelRun& r) { EXPECT_EQ(r.Player().stageName, stage); });
    }
    // The list's row of that player, clicked.
    void PickPlayer(const std::u16string& name) {
        s.Do([this, name](CLevelRun& r) {
            const auto list = GF::HolderCast<GF::HGENS::CListBoxControl>(r.Top()->FindControl("listbox"));
            ASSERT_TRUE(list);
            const int row = list->FindItem(name) - list->GetTopItem();
            const GF::TRect& box = list->GetHitRect();
            ClickAt((box.left + box.right) / 2,
                    box.top + list->GetRowHeight() * row + list->GetRowHeight() / 2);
        });
        s.Wait(3);
    }

    // The recipe book's leaf turned by a click on its arrow (back, when it opened on its last
    // spread), until the other spread lies open. A book that opens on a new recipe turns to it
    // first, and a click during a turn is not taken, so the click waits for that turn to end.
    void TurnPage() {
        auto from = std::make_shared<int>(0);
        s.Until([](CLevelRun& r) {
            auto* book = dynamic_cast<CCookBook*>(r.Top().Get());
            return !book || !book->IsTurning();
        });
        s.Do([this, from](CLevelRun& r) {
            auto* book = dynamic_cast<CCookBook*>(r.Top().Get());
            ASSERT_TRUE(book);
            *from = book->GetSpread();
            GF::THolder<GF::HGENS::CBaseControl> arrow = book->FindControl("next");
            if (!arrow || !arrow->IsEnabled()) arrow = book->FindControl("prev");
            ASSERT_TRUE(arrow);
            const GF::TPoint<int> at = Centre(arrow->GetHitRect());
            ClickAt(at.x, at.y);
        });
        s.Wait(4);
        s.Until([from](CLevelRun& r) {
            auto* book = dynamic_cast<CCookBook*>(r.Top().Get());
            return !book || (!book->IsTurning() && book->GetSpread() != *from);
        });
    }

    // The bonus game's result, won, and on to the map.
    void BonusResult(const std::string& level) {
        Idle("BonusStatisticsScreen");
        s.Do([level](CLevelRun& r) {
            EXPECT_EQ(r.Player().stringVars[11], level);
            EXPECT_EQ(r.Player().floatVars[5], 101.0f);
        });
        GoTo("continue_2", "ProgressMapScreen");
        IdleMap();
    }

    // The window's close button, answered "yes" with Enter on the question, which stands above the
    // screen it asks over: hiding it changes the picture at its middle.
    void CloseAndConfirm() {
        s.Do([](CLevelRun& r) { r.CloseWindow(); });
        Idle("confirm_exit_screen");
        s.Do([](CLevelRun& r) {
            const uint32_t shown = PixelAt(r, 400, 300);
            r.Top()->GetAnimation()->SetVisible(false);
            EXPECT_NE(PixelAt(r, 400, 300), shown);
            r.Top()->GetAnimation()->SetVisible(true);
        });
        Key(SDLK_RETURN);
        s.Until([](CLevelRun&) { return false; });  // the program ends by itself
    }
};

// The settings file: the framework's four words, then the game's version and its player store.
struct tagSaved {
    std::vector<int32_t> words;
    CPlayerStore store;
};

tagSaved ReadSaved(const CLevelRun& run) {
    std::ifstream in(std::string(run.SaveFolder()) + "/Setting", std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    tagSaved saved;
    if (bytes.size() < 16) return saved;
    for (std::size_t at = 0; at < 16; at += 4)
        saved.words.push_back(static_cast<int32_t>(uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
                                                   uint32_t{bytes[at + 2]} << 8 | uint32_t{bytes[at + 3]}));
    GF::CMemoryInputStream part(std::vector<unsigned char>(bytes.begin() + 16, bytes.end()));
    saved.store.version = GetGameData().players.version;
    std::string why;
    EXPECT_EQ(LoadSettingsPart(part, saved.store, why), ESettingsPart::Loaded) << why;
    return saved;
}

}  // namespace

// One player's way through the sample game, checked at every step by the screen on top, the
// game variables and the figures shown; at the end the settings file and a second start.
TEST(PlayThrough, TheSampleGameFromTheFirstStartToTheExitAndBack) {
    CLevelRun run;
    run.frameMs = 50.0f;  // the longest frame the game takes whole
    CPlayer p;
    // The help over the main menu and over the title, shot on its first page with the mouse off every
    // button: the picture inside its board, the layout's first drawable, is compared at the end.
    struct tagShot {
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
        GF::TRect board{};
    };
    tagShot overMenu, overTitle;
    const auto shoot = [&p](tagShot& shot) {
        p.s.Do([](CLevelRun& r) { r.MoveMouse(1, 1); });
        p.s.Wait(3);
        p.Check([&shot](CLevelRun& r) {
            EXPECT_EQ(r.Player().floatVars[30], 1.0f);
            const GF::TAnimationPtr layout = r.Top()->GetAnimation();
            ASSERT_TRUE(layout && layout->GetDrawableCount() > 0);
            shot.board = layout->GetDrawable(0)->GetBoundingBox();
            shot.pixels = r.Picture(&shot.width, &shot.height);
        });
    };

    // First start: the publisher's pictures, the title, which sends the nameless player to the name
    // screen; the name typed and taken with Enter.
    p.Idle("new_player_screen");
    p.Type("Ann");
    p.Key(SDLK_RETURN);
    p.Idle("SplashScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().name, u"Ann");
        EXPECT_EQ(r.Player().floatVars[1], 1.0f);
        EXPECT_EQ(r.Player().floatVars[0], 1.0f);
    });
    // The first play shows the first comic, then the map; a quick click is enough.
    p.QuickClick("play");
    p.ReadComic();
    p.Idle("ProgressMapScreen");

    // The first level, every order served: first place, and the next level is the stage's second.
    p.Click("play");
    p.WinKitchenLevel();
    p.Idle("StatisticsScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[5], 1.0f);
        EXPECT_EQ(r.Player().floatVars[19], 1.0f);
        EXPECT_EQ(r.Player().levels["stage1_1"].place, 1);
        EXPECT_EQ(TextOf(r.Top()->GetAnimation(), "_place"), "1");
        EXPECT_EQ(TextOf(r.Top()->GetAnimation(), "_dish"),
                  std::to_string(static_cast<int>(r.Player().floatVars[6])));
        EXPECT_GE(r.Player().floatVars[6], 4.0f);
    });
    // The stage's first win unlocks its dress; then the recipe the level taught (its ordinary
    // orders' soup), and from there the recipe book, open on the newest recipe; a page turned; back
    // to the announcement and on to the map.
    p.GoTo("continue", "new_dress_screen");
    p.Check([](CLevelRun& r) {
        const GF::TAnimationPtr dress = GF::HGENS::HostedAnimation(r.Top()->GetAnimation(), "_item_dres");
        ASSERT_TRUE(dress);
        EXPECT_STREQ(dress->GetName(), "dres_1");
    });
    p.GoTo("ok", "new_recept_screen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[27], 0.0f);  // taken by the screen
        EXPECT_TRUE(r.Player().names.empty());
        EXPECT_EQ(TextOf(GF::HGENS::HostedAnimation(r.Top()->GetAnimation(), "_item_cookbook"), "caption"),
                  "Recipe book");
    });
    p.GoTo("cookbook", "CookingBookScreen");
    p.Check([](CLevelRun& r) { EXPECT_EQ(r.Player().stringVars[28], "new_recept"); });
    p.TurnPage();
    p.GoTo("exit", "new_recept_screen");
    p.Check([](CLevelRun& r) { EXPECT_EQ(r.Player().stringVars[28], ""); });
    p.GoTo("ok", "ProgressMapScreen");
    p.Check([&p](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[0], 2.0f);
        EXPECT_EQ(p.ingredientsShown, 1);
    });

    // The stage's bonus game (the digit 7 on the map): every item dragged to its place.
    p.Key(SDLK_7);
    p.s.Until([](CLevelRun& r) { return PlaceIn(r) && PlaceIn(r)->IsPlaying(); });
    p.s.Wait(10);  // the bar's items slide up
    for (const char* name : {"Bonus.lamp", "Bonus.book", "Bonus.clock", "Bonus.clock", "Bonus.hat"}) {
        Drag(p.s, name, [name](CLevelRun& r) { return DropPoint(r, name); });
        p.s.Wait(10);  // the item flies home, the next one fades into the bar
    }
    p.BonusResult("bonus_place_in_1");

    // The main menu and what it opens over itself: the options (the music turned down to a quarter
    // by a click on its slider), the help turned a page, the credits; then the title and its help.
    p.GoTo("mein_menu", "MainMenuScreen");
    p.GoTo("settings", "OptionsScreen");
    p.s.Do([&p](CLevelRun& r) {
        const GF::TAnimationPtr slider =
            GF::HGENS::HostedAnimation(r.Top()->GetAnimation(), "_item_slider_musik");
        ASSERT_TRUE(slider);
        const GF::TPoint<float> origin = slider->GetPosition();
        p.ClickAt(static_cast<int>(origin.x) + 50, static_cast<int>(origin.y));
    });
    p.s.Wait(4);
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[7], 25.0f);
        EXPECT_EQ(GF::GetGameProperties()->GetInt("MusicVolume"), 25);
    });
    p.GoTo("ok", "MainMenuScreen");
    p.s.Do([&p](CLevelRun&) { p.s.skipHelp = false; });
    p.GoTo("help", "HelpScreen");
    shoot(overMenu);
    p.GoTo("next_2", "HelpScreen");
    p.Check([](CLevelRun& r) { EXPECT_EQ(r.Player().floatVars[30], 2.0f); });
    p.GoTo("skip", "MainMenuScreen");
    p.GoTo("credits", "CreditsScreen");
    p.GoTo("back", "MainMenuScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(TextOf(GF::HGENS::HostedAnimation(r.Top()->GetAnimation(), "_item_cookbook"), "_text"),
                  "Dressing room");
    });
    p.GoTo("cookbook", "VelmoRoomScreen");
    p.GoTo("exit", "MainMenuScreen");
    p.GoTo("back", "SplashScreen");
    p.GoTo("help", "HelpScreen");
    shoot(overTitle);
    p.GoTo("skip", "SplashScreen");
    p.s.Do([&p](CLevelRun&) { p.s.skipHelp = true; });

    // The high scores, and the players: a second one made and left again for the first.
    p.GoTo("hight_score", "HighScoreScreen");
    p.GoTo("back", "SplashScreen");
    p.GoTo("new_player", "ChangePlayerScreen");
    p.GoTo("new", "new_player_screen");
    p.Type("Bob");
    p.Key(SDLK_RETURN);
    p.Idle("ChangePlayerScreen");
    p.Check([](CLevelRun& r) { EXPECT_EQ(r.Player().name, u"Bob"); });
    p.PickPlayer(u"Ann");
    p.GoTo("ok", "SplashScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().name, u"Ann");
        EXPECT_EQ(GF::GetGameProperties()->GetInt("MusicVolume"), 25);
    });

    // The code typed on the title opens stages 1 to 3: stage 1's second level is a tournament of
    // 200 seconds, longer than this run can afford, so the career goes on in stage 4.
    p.Type("vokrd3");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[1], 4.0f);
        EXPECT_EQ(r.Player().stageName, "stage4");
    });
    p.GoTo("play", "ProgressMapScreen");
    p.IdleMap();

    // Stage 4's bonus game: the three differences found.
    p.Key(SDLK_7);
    p.s.Until([](CLevelRun& r) {
        const auto* field = dynamic_cast<CDiferenceGameField*>(r.Field().Get());
        return field && field->IsPlaying();
    });
    p.s.Click(120, 420);  // the lamp, only on the left
    p.s.Click(240, 320);  // where the book of the right picture is missing on the left
    p.s.Click(260, 260);  // the second clock
    p.BonusResult("bonus_diference_1");

    // The hidden-object games: stage 3's in the dark, stage 2's in the light.
    p.PickStage("stage3");
    p.FindHiddenThings("bonus_ispy_dark_1", true);
    p.PickStage("stage2");
    p.FindHiddenThings("bonus_ispy_1", false);

    // Stage 2's last level is the duel.
    p.Click("play");
    p.WinKitchenLevel();
    p.Idle("DuelStatisticsScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().stringVars[11], "stage2_2");
        EXPECT_EQ(r.Player().floatVars[5], 201.0f);
    });
    p.GoTo("continue", "ProgressMapScreen");
    p.IdleMap();

    // Back to stage 4, the highest. Its one level, left to itself, ends in the last place, which
    // does not qualify: the lose screen. Played again from there with two of its ordinary orders
    // served and the bonus customer's, its third place qualifies and ends the stage, whose
    // standings come next; then the map opens stage 5.
    p.PickStage("stage4");
    p.Click("play");
    p.IdleKitchenLevel();
    p.Idle("LoseScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().stringVars[11], "stage4_1");
        EXPECT_EQ(r.Player().floatVars[5], 4.0f);
        EXPECT_EQ(r.Player().floatVars[19], -1.0f);
        EXPECT_EQ(r.Player().levels["stage4_1"].place, 0);
        EXPECT_EQ(TextOf(r.Top()->GetAnimation(), "_dish"), "0");
    });
    p.Click("replay");
    p.WinKitchenLevel(2);
    p.Idle("StatisticsScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().stringVars[11], "stage4_1");
        EXPECT_EQ(r.Player().floatVars[5], 3.0f);
        EXPECT_EQ(r.Player().levels["stage4_1"].place, 3);
        EXPECT_EQ(TextOf(r.Top()->GetAnimation(), "_place"), "3");
    });
    p.GoTo("continue", "StageStatisticsScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[32], 1.0f);
        // The standings fly the flag and give the cups of the stage that ended.
        const GF::TAnimationPtr layout = r.Top()->GetAnimation();
        const GF::TAnimationPtr flag = GF::HGENS::HostedAnimation(layout, "place_country");
        const GF::TAnimationPtr cup =
            GF::HGENS::HostedAnimation(GF::HGENS::HostedAnimation(layout, "cup_3"), "_cup_place");
        ASSERT_TRUE(flag && cup);
        EXPECT_STREQ(flag->GetName(), "country_4");
        EXPECT_STREQ(cup->GetName(), "cup_3_4");
    });
    p.GoTo("continue", "ProgressMapScreen");
    p.IdleMap();
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[1], 5.0f);
        EXPECT_EQ(r.Player().floatVars[0], 1.0f);
        EXPECT_EQ(r.Player().floatVars[32], 0.0f);
        EXPECT_EQ(r.Player().stageName, "stage5");
    });

    // Stage 4's level again from the map, won outright: the first place where the third stood
    // unlocks the stage's dress, which is shown before the map.
    p.PickStage("stage4");
    p.Click("play");
    p.WinKitchenLevel();
    p.Idle("StatisticsScreen");
    p.Check([](CLevelRun& r) {
        EXPECT_EQ(r.Player().floatVars[5], 1.0f);
        EXPECT_EQ(r.Player().floatVars[15], 1.0f);
        EXPECT_EQ(r.Player().floatVars[17], 1.0f);
        EXPECT_EQ(r.Player().levels["stage4_1"].place, 1);
    });
    p.GoTo("continue", "new_dress_screen");
    p.Check([](CLevelRun& r) {
        const GF::TAnimationPtr dress = GF::HGENS::HostedAnimation(r.Top()->GetAnimation(), "_item_dres");
        ASSERT_TRUE(dress);
        EXPECT_STREQ(dress->GetName(), "dres_6");
    });
    p.GoTo("ok", "ProgressMapScreen");
    p.IdleMap();
    p.PickStage("stage5");

    p.CloseAndConfirm();

    const int code = run.Run([&](CLevelRun& r) { return p.Frame(r); }, 15000);
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << "last top screen: " << run.TopName();
    const std::vector<std::string> order = {
        // The first start, the comic, the first level's new ingredients, the level won, its result,
        // the dress it unlocked, the recipe it taught with the book opened over it.
        "PublisherScreen", "SplashScreen", "new_player_screen", "SplashScreen", "ComicsScreen",
        "ProgressMapScreen", "new_ingridient_screen", "GameScreen", "StatisticsScreen", "new_dress_screen",
        "new_recept_screen", "CookingBookScreen", "new_recept_screen", "ProgressMapScreen",
        // Stage 1's bonus game (no new ingredients: passed through), whose intro opens the help.
        "new_ingridient_screen", "GameScreen", "HelpScreen", "GameScreen", "BonusStatisticsScreen",
        "ProgressMapScreen",
        // The main menu and the title's places.
        "MainMenuScreen", "OptionsScreen", "MainMenuScreen", "HelpScreen", "HelpScreen", "MainMenuScreen",
        "CreditsScreen", "MainMenuScreen", "VelmoRoomScreen", "MainMenuScreen", "SplashScreen", "HelpScreen",
        "SplashScreen", "HighScoreScreen", "SplashScreen", "ChangePlayerScreen", "new_player_screen",
        "ChangePlayerScreen", "SplashScreen",
        // Stage 4's bonus game, the dark and the light hidden things, the duel, stage 4's level (its
        // ingredients shown) lost, replayed to the third place, the stage's end; the level won from
        // the map and its new dress.
        "ProgressMapScreen", "new_ingridient_screen", "GameScreen", "HelpScreen", "GameScreen",
        "BonusStatisticsScreen", "ProgressMapScreen", "new_ingridient_screen", "GameScreen", "HelpScreen",
        "GameScreen", "BonusStatisticsScreen", "ProgressMapScreen", "new_ingridient_screen", "GameScreen",
        "HelpScreen", "GameScreen", "BonusStatisticsScreen", "ProgressMapScreen", "new_ingridient_screen",
        "GameScreen", "DuelStatisticsScreen", "ProgressMapScreen", "new_ingridient_screen", "GameScreen",
        "LoseScreen", "GameScreen", "StatisticsScreen", "StageStatisticsScreen", "ProgressMapScreen",
        "new_ingridient_screen", "GameScreen", "StatisticsScreen", "new_dress_screen", "ProgressMapScreen",
        "confirm_exit_screen"};
    EXPECT_EQ(p.trip.order, order);
    EXPECT_EQ(p.ingredientsShown, 2);  // stage 1's first level and stage 4's

    // The help looks the same over the title and over the main menu: its page and buttons on its own
    // board, drawn above the screen it came over, so that nothing of that screen shows inside it.
    ASSERT_FALSE(overTitle.pixels.empty());
    ASSERT_EQ(overTitle.width, overMenu.width);
    ASSERT_EQ(overTitle.height, overMenu.height);
    EXPECT_EQ(overTitle.board, overMenu.board);
    const GF::TRect& board = overTitle.board;
    const int x0 = std::max(0, board.left * overTitle.width / 800);
    const int x1 = std::min(overTitle.width, board.right * overTitle.width / 800);
    const int y0 = std::max(0, board.top * overTitle.height / 600);
    const int y1 = std::min(overTitle.height, board.bottom * overTitle.height / 600);
    ASSERT_GT((x1 - x0) * (y1 - y0), overTitle.width * overTitle.height / 4);
    int differ = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            differ += CLevelRun::At(overTitle.pixels, overTitle.width, x, y) !=
                      CLevelRun::At(overMenu.pixels, overMenu.width, x, y);
    EXPECT_EQ(differ, 0) << "of " << (x1 - x0) * (y1 - y0) << " pixels inside the help's board";

    // The settings file as the exit left it: sound 80 and music 25, no drawn cursor, a window; Ann
    // current beside Bob, with her stage, her levels won and the music she chose.
    tagSaved saved = ReadSaved(run);
    EXPECT_EQ(saved.words, (std::vector<int32_t>{80, 25, 0, 0}));
    EXPECT_EQ(saved.store.currentName, u"Ann");
    EXPECT_EQ(saved.store.players.count(u"Bob"), 1u);
    CPlayerProfile& ann = saved.store.players[u"Ann"];
    EXPECT_EQ(ann.stageName, "stage5");
    EXPECT_EQ(ann.floatVars[1], 5.0f);
    EXPECT_EQ(ann.floatVars[7], 25.0f);
    // The levels played keep their place and time (the code's levels have no time).
    for (const char* level : {"stage1_1", "stage4_1"}) {
        EXPECT_EQ(ann.levels[level].place, 1) << level;
        EXPECT_GT(ann.levels[level].value, 30000.0f) << level;
    }
    EXPECT_EQ(ann.levels["stage5_1"].place, 0);

    // The second start finds Ann with all of it, goes to the title without asking a name, and ends
    // through the question again.
    CPlayer second;
    second.Idle("SplashScreen");
    second.Check([](CLevelRun& r) {
        CPlayerProfile& player = r.Player();
        EXPECT_EQ(player.name, u"Ann");
        EXPECT_EQ(player.stageName, "stage5");
        EXPECT_EQ(player.floatVars[1], 5.0f);
        EXPECT_EQ(player.floatVars[0], 1.0f);
        EXPECT_EQ(player.floatVars[7], 25.0f);
        EXPECT_EQ(GF::GetGameProperties()->GetInt("MusicVolume"), 25);
        EXPECT_EQ(player.levels["stage1_1"].place, 1);
        EXPECT_EQ(player.levels["stage4_1"].place, 1);
        // The code word's flag, which the recipe book reads, is not saved either.
        EXPECT_FALSE(GetCheatListener().IsUnlocked());
    });
    second.CloseAndConfirm();
    ASSERT_EQ(run.Run([&](CLevelRun& r) { return second.Frame(r); }, 2000), 0);
    EXPECT_FALSE(run.timedOut) << "last top screen: " << run.TopName();
    EXPECT_EQ(second.trip.order,
              (std::vector<std::string>{"PublisherScreen", "SplashScreen", "confirm_exit_screen"}));
}
