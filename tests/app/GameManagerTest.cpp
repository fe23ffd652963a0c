#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "tests/app/RecordingScreen.h"
#include "tests/support/RecordingEngine.h"

using GF::THolder;

namespace {

std::vector<std::string> After(const std::vector<std::string>& calls, std::size_t from) {
    return std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end());
}

// A transition that records its calls and finishes after a number of updates.
class CRecordingEffect : public GF::HGENS::IGfxEffect {
public:
    CRecordingEffect(std::vector<std::string>& journal, int updates) : m_journal(journal), m_left(updates) {}
    void BeginRender() override { m_journal.push_back("effect:BeginRender"); }
    void EndRender() override { m_journal.push_back("effect:EndRender"); }
    bool IsFinished() override { return m_left <= 0; }
    void Update(const float&) override {
        m_journal.push_back("effect:Update");
        --m_left;
    }

private:
    std::vector<std::string>& m_journal;
    int m_left;
};

class GameManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.System_Initiate();
        CRecordingScreen::journal = &engine.calls;
        manager = GF::GetGameManager();
        manager->RegisterScreenFactory("menu", CRecordingScreen::Create);
        manager->RegisterScreenFactory("dialog", CRecordingScreen::Create);
        engine.ClearRecord();
    }
    void TearDown() override {
        manager->Shutdown();
        manager.Reset();
        CRecordingScreen::journal = nullptr;
    }

    CRecordingEngine engine;
    THolder<GF::HGENS::CGameManager> manager;
    // The game's part: a finished screen is destroyed.
    struct CFlow {
        std::vector<std::string> finished;
        void OnFinished(THolder<GF::IScreen> screen) {
            finished.push_back(screen->GetName());
            GF::GetGameManager()->DestroyScreen(screen->GetName());
        }
    } flow;
};

}  // namespace

TEST_F(GameManagerTest, CreatingAScreenNamesInitialisesAndStacksItWithoutOnTop) {
    std::vector<std::string> created;
    struct CCreated {
        std::vector<std::string>* names;
        void On(THolder<GF::IScreen> s) { names->push_back(s->GetName()); }
    } listener{&created};
    manager->GetScreenCreatedEvent().Add(GF::CreateDelegate(&listener, &CCreated::On));

    manager->CreateScreen("nope", "layout", {}, "");
    EXPECT_EQ(engine.log, std::vector<std::string>{"Can't find screen \"nope\""});
    EXPECT_FALSE(manager->GetTopScreen());

    manager->CreateScreen("menu", "main_menu.menu", {}, "phrase");
    manager->CreateScreen("dialog", "main_menu.dialog", {}, nullptr);
    EXPECT_EQ(engine.log.back(), "Create screen \"dialog\"");
    EXPECT_EQ(created, (std::vector<std::string>{"menu", "dialog"}));
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"menu:SetName", "menu:Initialize main_menu.menu phrase",
                                        "dialog:SetName", "dialog:Initialize main_menu.dialog (null)"}));
    EXPECT_EQ(manager->GetTopScreen()->GetName(), "dialog");
    EXPECT_EQ(manager->FindScreen("menu")->GetName(), "menu");
    EXPECT_FALSE(manager->FindScreen("nope"));
    manager->GetScreenCreatedEvent().Clear();
}

TEST_F(GameManagerTest, ShowScreenMarksTheNewTopShownAndCallsOnTop) {
    manager->ShowScreen("menu", "menu", {}, "");
    EXPECT_EQ(After(engine.calls, 2), (std::vector<std::string>{"menu:SetShown 1", "menu:OnTop"}));

    // An unknown name leaves the screen below alone, and with nothing live does nothing at all.
    engine.ClearRecord();
    manager->ShowScreen("nope", "nope", {}, "");
    EXPECT_TRUE(engine.calls.empty());
    manager->DestroyAllScreens();
    manager->ShowScreen("nope", "nope", {}, "");
    EXPECT_FALSE(manager->GetTopScreen());
}

TEST_F(GameManagerTest, LastScreenFinishingEndsTheLoop) {
    manager->GetScreenFinishedEvent().Add(GF::CreateDelegate(&flow, &CFlow::OnFinished));
    EXPECT_FALSE(manager->Update(16.0f));  // nothing live

    manager->ShowScreen("menu", "menu", {}, "");
    CRecordingScreen::Find("menu")->finished = true;
    engine.ClearRecord();
    EXPECT_FALSE(manager->Update(16.0f));
    EXPECT_EQ(flow.finished, std::vector<std::string>{"menu"});
    // The delegates run inside the raise, so the screen is destroyed before its OnRemoved.
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"menu:Update", "menu:Destroy", "menu:OnRemoved"}));
    EXPECT_EQ(engine.log, std::vector<std::string>{"Destroy screen \"menu\""});
    manager->GetScreenFinishedEvent().Clear();
}

TEST_F(GameManagerTest, TheTopScreenAloneRunsAndTheOneBelowAFinishedOneTakesOverInTheSameFrame) {
    manager->GetScreenFinishedEvent().Add(GF::CreateDelegate(&flow, &CFlow::OnFinished));
    manager->ShowScreen("menu", "menu", {}, "");
    manager->ShowScreen("dialog", "dialog", {}, "");
    engine.ClearRecord();
    EXPECT_TRUE(manager->Update(16.0f));
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"dialog:Update", "Gfx_BeginScene 0", "Gfx_SetTransform",
                                                      "dialog:Draw", "Gfx_EndScene"}));
    EXPECT_FLOAT_EQ(CRecordingScreen::Find("dialog")->lastDt, 16.0f);

    CRecordingScreen::Find("dialog")->finished = true;
    engine.ClearRecord();
    EXPECT_TRUE(manager->Update(16.0f));
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"dialog:Update", "dialog:Destroy", "dialog:OnRemoved",
                                                      "menu:OnTop", "menu:Update", "Gfx_BeginScene 0",
                                                      "Gfx_SetTransform", "menu:Draw", "Gfx_EndScene"}));
    EXPECT_EQ(flow.finished, std::vector<std::string>{"dialog"});
    manager->GetScreenFinishedEvent().Clear();
}

TEST_F(GameManagerTest, FinishedTransitionIsDroppedBeforeThatFramesDrawing) {
    manager->ShowScreen("menu", "menu", {}, "");
    manager->SetScreenEffect(THolder<GF::HGENS::IGfxEffect>(new CRecordingEffect(engine.calls, 2)));
    engine.ClearRecord();
    manager->Update(16.0f);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"menu:Update", "effect:Update", "effect:BeginRender",
                                                      "menu:Draw", "effect:EndRender", "Gfx_EndScene"}));
    engine.ClearRecord();
    manager->Update(16.0f);  // the second update finishes it: this frame already draws without it
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"menu:Update", "effect:Update", "Gfx_BeginScene 0",
                                                      "Gfx_SetTransform", "menu:Draw", "Gfx_EndScene"}));

    manager->SetNoneEffect();  // opens the frame as the manager does and never finishes
    engine.ClearRecord();
    manager->Update(16.0f);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"menu:Update", "Gfx_BeginScene 0", "Gfx_SetTransform",
                                                      "menu:Draw", "Gfx_EndScene"}));
}

TEST_F(GameManagerTest, DestroyingScreens) {
    manager->CreateScreen("menu", "menu", {}, "");
    manager->CreateScreen("dialog", "dialog", {}, "");
    manager->CreateScreen("menu", "menu", {}, "");
    engine.ClearRecord();

    manager->DestroyScreen("nope");
    EXPECT_TRUE(engine.log.empty());
    manager->DestroyScreen("menu");  // the lowest of that name
    EXPECT_EQ(manager->GetTopScreen()->GetName(), "menu");

    engine.ClearRecord();
    manager->DestroyAllScreens();
    EXPECT_EQ(engine.log, (std::vector<std::string>{"Destroy screen \"menu\"", "Destroy screen \"dialog\""}));
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"menu:Destroy", "dialog:Destroy"}));
    EXPECT_FALSE(manager->GetTopScreen());
}

TEST_F(GameManagerTest, ShutdownDropsTheSingletonAndTheNextOneStartsEmpty) {
    manager->CreateScreen("menu", "menu", {}, "");
    GF::HGENS::CGameManager* first = manager.Get();
    manager->Shutdown();
    EXPECT_FALSE(manager->GetTopScreen());
    THolder<GF::HGENS::CGameManager> next = GF::GetGameManager();
    EXPECT_NE(next.Get(), first);
    EXPECT_TRUE(next->GetRegisteredScreens().empty());
    manager = next;
}
