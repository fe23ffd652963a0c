#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/GameSounds.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GenericActions.h"
#include "game/kitchen/PersActions.h"
#include "tests/game/kitchen/BonusRun.h"
#include "tests/support/LevelRun.h"
#include "tests/support/SceneDoubles.h"

namespace {

// Drawn above everything in the play screen's scene: each frame drawn while the pause overlay shows
// is counted and read back as far as it has been drawn.
class CPauseProbe : public CTestDrawable {
public:
    CPauseProbe(CLevelRun& run, GF::TAnimationPtr overlay) : m_run(run), m_overlay(std::move(overlay)) {
        transform.layer = 20000000;
        bounds = GF::TRect{0, 0, 800, 600};
    }
    void Render() override {
        if (!m_overlay || !m_overlay->IsVisible()) return;
        ++overlayFrames;
        picture = m_run.DrawnSoFar(&width, &height);
    }
    int overlayFrames = 0;
    std::vector<uint32_t> picture;
    int width = 0;
    int height = 0;

private:
    CLevelRun& m_run;
    GF::TAnimationPtr m_overlay;
};

// A field that has nothing in it: its level simply runs for the level's duration, with the dial shown,
// and ends; it wins nothing.
class CEmptyField : public CGameFieldBase {
public:
    static GF::THolder<CGameFieldBase> Create() { return GF::THolder<CGameFieldBase>(new CEmptyField); }
    bool StartLevel(const std::string& levelName) override {
        if (!CGameFieldBase::StartLevel(levelName)) return false;
        if (m_level->Duration > 0.0f && m_clockFlip) m_clockFlip->SetVisible(true);
        return true;
    }
    void Update(const float& dt) override {
        CGameFieldBase::Update(dt);
        if (!m_level || m_finished) return;
        m_elapsed += dt;
        if (m_elapsed >= m_level->Duration) FinishLevel();
    }
};

// What the script saw of the sample level, read back by the test.
struct tagLevelSeen {
    std::string levelVariable;
    std::string music;
    bool hintEnabled = true;
    bool flipVisible = false;
    uint32_t centrePixel = 0;
    bool queueBusyAtFirst = false;
    bool queueDoneBeforeMenu = false;
    float elapsedAtMenu = -1.0f;
    float elapsedBeforeLeaving = -1.0f;
    bool particlesFrozen = false;
    bool ranOnAfterMenu = false;
    std::vector<std::string> topScreens;
    float newItems = -1.0f;
    std::vector<std::string> names;
    uint32_t pausedCentrePixel = 0;
    int overlayFrames = -1;
};

}  // namespace

// The sample level through the real program: the screen shows the level's kitchen and its dial, the
// field steps its queue, Escape opens the menu over it with the level standing still, Escape goes
// back and the level runs on to its duration; the window losing the focus draws one frame with the
// pause overlay over the level; then "exit" once, the new recipes counted, and the flow's lose
// screen (the stand-in field wins nothing).
TEST(GameScreenRun, TheSampleLevelPlaysToItsEndWithAMenuBetween) {
    // The screen's own part: the level runs on an empty field that simply lasts the level's time.
    const KitchenPlay::CMakerScope maker("stage1", &CEmptyField::Create);
    CLevelRun run;
    tagLevelSeen seen;
    int menuShownAt = -1;
    int escapeAt = -1;
    int leaveAt = -1;
    int focusLostAt = -1;
    GF::THolder<CPauseProbe> probe;
    const int code = run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            r.Play("stage1_1");
            return true;
        }
        const std::string top = r.TopName();
        if (seen.topScreens.empty() || seen.topScreens.back() != top) seen.topScreens.push_back(top);
        const GF::THolder<CGameFieldBase> field = r.Field();
        if (frame == 1 && field) {
            seen.levelVariable = r.Player().stringVars[11];
            seen.music = GetCurrentMusic();
            const GF::THolder<GF::HGENS::CBaseControl> hint = r.Top()->FindControl("hint");
            seen.hintEnabled = !hint || hint->IsEnabled();
            seen.flipVisible = field->GetClockFlip() && field->GetClockFlip()->IsVisible();
            field->AddAction(CWaitAction::Create(1000.0f));
            seen.queueBusyAtFirst = static_cast<bool>(field->GetLastAction());
        }
        if (top == "GameScreen" && field && escapeAt < 0 && field->GetElapsed() >= 2000.0f) {
            int width = 0;
            int height = 0;
            const std::vector<uint32_t> picture = r.Picture(&width, &height);
            // The window's middle is the game's (400, 300), whatever the window's size.
            if (!picture.empty()) seen.centrePixel = CLevelRun::At(picture, width, width / 2, height / 2);
            seen.queueDoneBeforeMenu = !field->GetLastAction();
            field->AddAction(CWaitAction::Create(100000.0f));  // still waiting when the menu is left
            r.Key(SDLK_ESCAPE, true);
            escapeAt = frame;
        }
        if (frame == escapeAt + 2) r.Key(SDLK_ESCAPE, false);
        if (top == "InGameMenuScreen" && menuShownAt < 0) {
            menuShownAt = frame;
            seen.elapsedAtMenu = field ? field->GetElapsed() : -1.0f;
            seen.particlesFrozen = !GF::HGENS::ParticleRegistry::IsEnabled();
        }
        if (menuShownAt >= 0 && frame == menuShownAt + 60) {
            seen.elapsedBeforeLeaving = field ? field->GetElapsed() : -1.0f;
            r.Key(SDLK_ESCAPE, true);
            leaveAt = frame;
        }
        if (leaveAt >= 0 && frame == leaveAt + 2) r.Key(SDLK_ESCAPE, false);
        if (leaveAt >= 0 && field && field->GetElapsed() > seen.elapsedBeforeLeaving)
            seen.ranOnAfterMenu = true;
        if (leaveAt >= 0 && focusLostAt < 0 && top == "GameScreen") {
            GF::TAnimationPtr overlay;
            if (auto* scene = dynamic_cast<GF::HGENS::CScene*>(r.GetGameScreen()->GetScene().Get()))
                for (const GF::TAnimationPtr& animation : scene->GetAnimations())
                    if (animation->GetName() && std::string(animation->GetName()) == "pause_screen")
                        overlay = animation;
            probe = GF::THolder<CPauseProbe>(new CPauseProbe(r, overlay));
            probe->SetScene(r.GetGameScreen()->GetScene());
            r.FocusLost();
            focusLostAt = frame;
        }
        if (focusLostAt >= 0 && frame == focusLostAt + 20 && probe) {
            seen.overlayFrames = probe->overlayFrames;
            if (!probe->picture.empty())
                seen.pausedCentrePixel =
                    CLevelRun::At(probe->picture, probe->width, probe->width / 2, probe->height / 2);
            probe->SetScene({});
            probe.Reset();
        }
        if (top != "LoseScreen") return true;
        seen.newItems = r.Player().floatVars[27];
        seen.names = r.Player().names;
        return false;
    });
    ASSERT_EQ(code, 0);
    EXPECT_FALSE(run.timedOut) << "last top screen: " << run.TopName();

    EXPECT_EQ(seen.levelVariable, "stage1_1");
    EXPECT_EQ(seen.music, "musik_1");
    EXPECT_FALSE(seen.hintEnabled);
    EXPECT_TRUE(seen.flipVisible);
    // The kitchen floor (a warm brown under the evening's faint blue) fills the middle.
    const int red = static_cast<int>(seen.centrePixel >> 16 & 0xFF);
    const int blue = static_cast<int>(seen.centrePixel & 0xFF);
    EXPECT_GT(red, 60);
    EXPECT_GT(red, blue);
    EXPECT_TRUE(seen.queueBusyAtFirst);
    EXPECT_TRUE(seen.queueDoneBeforeMenu);

    ASSERT_GE(seen.elapsedAtMenu, 2000.0f);
    EXPECT_EQ(seen.elapsedBeforeLeaving, seen.elapsedAtMenu);
    EXPECT_TRUE(seen.particlesFrozen);
    EXPECT_TRUE(seen.ranOnAfterMenu);
    // One frame drawn on the focus loss, under the dark blue veil: the floor's red much dimmed.
    EXPECT_EQ(seen.overlayFrames, 1);
    EXPECT_LT(static_cast<int>(seen.pausedCentrePixel >> 16 & 0xFF), red / 2);

    const std::vector<std::string> tops = {"GameScreen", "InGameMenuScreen", "GameScreen", "LoseScreen"};
    EXPECT_EQ(seen.topScreens, tops);
    int exits = 0;
    for (const std::string& result : run.Results()) exits += result == "GameScreen:exit";
    EXPECT_EQ(exits, 1);
    // The level's ordinary customers all order soup (the gift guest is a kind that does not count).
    EXPECT_EQ(seen.newItems, 1.0f);
    EXPECT_EQ(seen.names, std::vector<std::string>{"soup"});
}

// The help plays the menu music; when it closes, the game screen is on top again with its stage's
// track: after the kitchen's "Help" button and after the help a bonus game's intro opens. Both are
// played by a player on the map of stage 2, whose track is found in the archive. In the kitchen, play
// under way, the clicks on Serve (nothing to serve yet: the plate's useless click) and on Help send
// the heroine nowhere.
TEST(GameScreenRun, TheStageMusicComesBackWhenTheHelpCloses) {
    for (const char* level : {"stage2_1", "bonus_diference_1"}) {
        SCOPED_TRACE(level);
        CLevelRun run;
        CBonusScript s;
        s.skipHelp = false;
        const bool kitchen = std::string(level) == "stage2_1";
        std::string duringHelp, afterHelp;
        bool sentAfter = true;  // a walk of the heroine queued after the clicks
        const auto field = [](CLevelRun& r) { return dynamic_cast<CGameField*>(r.Field().Get()); };
        if (kitchen) {
            s.Until([&](CLevelRun& r) {
                return r.TopName() == "GameScreen" && field(r) && field(r)->IsPlaying() &&
                       !field(r)->GetLastAction();
            });
            for (const bool help : {false, true}) {
                auto at = std::make_shared<GF::TPoint<int>>();
                s.Do([at, help, &field](CLevelRun& r) {
                    GF::THolder<GF::HGENS::CBaseControl> button = r.Top()->FindControl("help");
                    if (!help) button = field(r)->GetDeliveryButton();
                    ASSERT_TRUE(button);
                    const GF::TRect box = button->GetHitRect();
                    *at = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
                    r.MoveMouse(at->x, at->y);
                });
                s.Wait(2);
                s.Do([at](CLevelRun& r) { r.Button(true, at->x, at->y); });
                s.Wait(1);
                s.Do([at](CLevelRun& r) { r.Button(false, at->x, at->y); });
                s.Wait(2);
            }
        }
        s.Until([](CLevelRun& r) { return r.TopName() == "HelpScreen"; });
        s.Do([&](CLevelRun&) {
            duringHelp = GetCurrentMusic();
            s.skipHelp = true;
        });
        s.Until([](CLevelRun& r) { return r.TopName() == "GameScreen"; });
        s.Wait(30);
        s.Do([&](CLevelRun& r) {
            afterHelp = GetCurrentMusic();
            if (!kitchen) return;
            sentAfter = dynamic_cast<CPersMoveAction*>(field(r)->GetLastAction().Get()) != nullptr;
        });
        ASSERT_TRUE(s.RunIn(run, [&](CLevelRun& r) {
            r.Player().stageName = "stage2";
            r.Play(level);
        })) << run.TopName();
        EXPECT_EQ(duringHelp, "music_game_menu");
        EXPECT_EQ(afterHelp, "musik_2");
        if (kitchen) {
            EXPECT_FALSE(sentAfter);
        }
        // A sound is logged missing in capitals, an animation or a module in small letters.
        for (const char* missing : {"NOT FOUND", "not found"})
            EXPECT_EQ(run.Log().find(missing), std::string::npos) << run.Log();
    }
}
