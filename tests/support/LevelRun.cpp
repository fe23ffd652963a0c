#include "tests/support/LevelRun.h"

#include <fstream>
#include <iterator>

#include "engine/Engine.h"
#include "engine/EngineKeys.h"
#include "framework/app/Application.h"
#include "framework/app/GameManager.h"
#include "framework/app/StartUp.h"
#include "framework/core/Delegate.h"
#include "framework/core/Random.h"
#include "game/app/Application.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"

namespace {

CLevelRun* g_run = nullptr;

struct CEngineHandle {
    CEngineHandle() : hge(hgeCreate(HGE_VERSION)) {}
    ~CEngineHandle() { hge->Release(); }
    Engine::CEngine* Get() const { return dynamic_cast<Engine::CEngine*>(hge); }
    HGE* hge;
};

using Engine::tagFedInput;

void Feed(tagFedInput input) {
    const CEngineHandle engine;
    if (Engine::CEngine* real = engine.Get()) real->FeedInput(input);
}

// A point of the game picture as the window shows it.
tagFedInput Mouse(tagFedInput::EKind kind, int x, int y) {
    tagFedInput input{.kind = kind, .key = HGEK_LBUTTON};
    GF::HGENS::WindowPoint(static_cast<float>(x), static_cast<float>(y), input.x, input.y);
    return input;
}

}  // namespace

CLevelRun::CLevelRun()
    : m_save("quindle-level"),
      m_runtime("quindle-runtime"),
      m_saveDir("QUINDLE_SAVE_DIR", m_save.Path()),
      m_runtimeDir("XDG_RUNTIME_DIR", m_runtime.Path()) {}

CLevelRun::~CLevelRun() {
    if (g_run == this) g_run = nullptr;
}

int CLevelRun::Run(TScript script, int frameLimit) {
    m_script = std::move(script);
    m_frameLimit = frameLimit;
    m_frame = 0;
    m_ended = false;
    timedOut = false;
    g_run = this;
    GF::HGENS::tagStartUpOptions options;
    options.createApplication = &CreateApplication;
    options.beforeFrame = &CLevelRun::BeforeFrame;
    const int code = GF::HGENS::RunProgram({"quindle"}, options);
    g_run = nullptr;
    return code;
}

void CLevelRun::BeforeFrame(int frame) {
    CLevelRun* run = g_run;
    if (!run || run->m_ended) return;
    run->m_frame = frame;
    if (frame == 0) {
        const CEngineHandle engine;
        // Both generators: the engine's drives particles and the animations' random periods.
        if (Engine::CEngine* real = engine.Get()) {
            real->SetFixedDelta(run->frameMs / 1000.0f);
            real->Random_Seed(static_cast<int>(run->seed));
        }
        GF::SeedRand(run->seed);
        GF::GetGameManager()->GetScreenResultEvent().Add(GF::CreateDelegate(&CLevelRun::OnResult));
        GF::GetGameManager()->GetScreenCreatedEvent().Add(GF::CreateDelegate(&CLevelRun::OnCreated));
    }
    bool goOn = frame < run->m_frameLimit;
    if (!goOn) run->timedOut = true;
    if (goOn) goOn = run->m_script(*run);
    if (goOn) return;
    run->m_ended = true;
    Feed({.kind = tagFedInput::kQuit});
}

void CLevelRun::OnResult(GF::THolder<GF::IScreen> screen) {
    if (g_run && screen) g_run->m_results.push_back(screen->GetName() + ":" + screen->GetResult());
}

void CLevelRun::OnCreated(GF::THolder<GF::IScreen> screen) {
    if (!g_run) return;
    ++g_run->m_created;
    g_run->m_lastCreated = screen.Get();
}

void CLevelRun::Play(const std::string& level) {
    Player().stringVars[29] = level;
    Show("GameScreen", "interfaces.game_screen");
}

void CLevelRun::Show(const std::string& screen, const std::string& layout) {
    const auto manager = GF::GetGameManager();
    manager->DestroyAllScreens();
    manager->CreateScreen(screen, layout, {}, "");
}

CLevelInfo& CLevelRun::AddLevel(const std::string& name, const std::string& kind, float duration) {
    CLevelsData& levels = GetLevelsData();
    CLevelInfo level = *levels.FindLevel("stage1_1");
    level.Name = name;
    level.StageName = kind;
    level.Duration = duration;
    return levels.Levels[name] = level;
}

void CLevelRun::Key(SDL_Keycode key, bool down) {
    Feed({.kind = down ? tagFedInput::kKeyDown : tagFedInput::kKeyUp, .key = Engine::KeyFromSdl(key)});
}

void CLevelRun::MoveMouse(int x, int y) {
    Feed(Mouse(tagFedInput::kMouseMove, x, y));
}

void CLevelRun::Button(bool down, int x, int y) {
    Feed(Mouse(down ? tagFedInput::kButtonDown : tagFedInput::kButtonUp, x, y));
}

void CLevelRun::FocusLost() {
    Feed({.kind = tagFedInput::kFocusLost});
}

void CLevelRun::Text(const char* text) {
    Feed({.kind = tagFedInput::kText, .text = text});
}

void CLevelRun::CloseWindow() {
    Feed({.kind = tagFedInput::kClose});
}

GF::THolder<GF::IScreen> CLevelRun::Top() const {
    return GF::GetGameManager()->GetTopScreen();
}

std::string CLevelRun::TopName() const {
    const GF::THolder<GF::IScreen> top = Top();
    return top ? top->GetName() : std::string();
}

CGameScreen* CLevelRun::GetGameScreen() const {
    const GF::THolder<GF::IScreen> screen = GF::GetGameManager()->FindScreen("GameScreen");
    return dynamic_cast<CGameScreen*>(screen.Get());
}

GF::THolder<CGameFieldBase> CLevelRun::Field() const {
    const CGameScreen* screen = GetGameScreen();
    return screen ? screen->GetField() : GF::THolder<CGameFieldBase>();
}

CPlayerProfile& CLevelRun::Player() const {
    return GetCurrentPlayer();
}

std::string CLevelRun::Log() const {
    std::ifstream in(m_save / "log.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint32_t> CLevelRun::DrawnSoFar(int* width, int* height) const {
    const CEngineHandle engine;
    Engine::CEngine* real = engine.Get();
    return real ? real->ReadScene(width, height) : std::vector<uint32_t>();
}

std::vector<uint32_t> CLevelRun::Picture(int* width, int* height) const {
    std::vector<uint32_t> picture;
    const CEngineHandle engine;
    Engine::CEngine* real = engine.Get();
    const GF::THolder<GF::IScreen> top = Top();
    if (real && top && engine.hge->Gfx_BeginScene(0)) {
        engine.hge->Gfx_Clear(0xFF000000);
        top->Draw();
        picture = real->ReadScene(width, height);
        engine.hge->Gfx_EndScene();
    }
    return picture;
}
