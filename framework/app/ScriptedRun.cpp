#include "framework/app/ScriptedRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <unordered_set>
#include <utility>

#include "engine/Engine.h"
#include "engine/EngineKeys.h"
#include "engine/PictureFile.h"
#include "framework/app/Application.h"
#include "framework/app/GameManager.h"
#include "framework/app/GfxEffect.h"
#include "framework/app/StartUp.h"
#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

namespace GF {
namespace HGENS {

namespace {

constexpr int kDefaultWaitLimit = 3000;
constexpr float kDefaultFrameMs = 40.0f;
// A run on the clock counts its frames at the display's pace.
constexpr float kPacedFrameMs = 1000.0f / 60.0f;
// Long enough for a screen's shades to open and its showing animation to play.
constexpr float kShotAfterMs = 1600.0f;
constexpr unsigned kSeed = 1;
// A click presses the button a frame after the mouse came and lets go two frames later; a key is
// let go two frames after it went down.
constexpr int kPressAfter = 1;
constexpr int kReleaseAfter = 3;
constexpr int kKeyUpAfter = 2;

bool ReadNumber(const std::string& word, int& value) {
    char* end = nullptr;
    const long number = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || number < 0 || number > 1000000) return false;
    value = static_cast<int>(number);
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class CRun {
public:
    CRun(std::vector<tagScriptStep> steps, float frameMs, std::string shots)
        : m_steps(std::move(steps)),
          m_frameMs(frameMs),
          m_shotAfter(static_cast<int>(std::ceil(kShotAfterMs / (frameMs > 0 ? frameMs : kPacedFrameMs)))),
          m_shots(std::move(shots)) {}

    void BeforeFrame(int frame);

private:
    struct tagTimedInput {
        int frame = 0;
        Engine::tagFedInput input;
    };

    void Start();
    void FollowTop(int frame);
    void RunSteps(int frame);
    void Do(const tagScriptStep& step, int frame);
    bool PointOf(const tagScriptStep& step, int& x, int& y);
    void At(int frame, const Engine::tagFedInput& input) { m_timed.push_back({frame, input}); }
    void SendDue(int frame);
    void Shoot(const std::string& name);
    void ShootWindow(const std::string& name);
    void Fail(const std::string& why);
    void Report(const std::string& line);

    std::vector<tagScriptStep> m_steps;
    float m_frameMs;
    int m_shotAfter;
    std::string m_shots;
    bool m_windowShots = std::getenv("QUINDLE_WINDOW_SHOTS") != nullptr;
    std::size_t m_next = 0;
    int m_readyAt = 0;
    int m_waitSince = -1;
    bool m_ended = false;
    std::vector<tagTimedInput> m_timed;
    std::string m_top;
    int m_topSince = 0;
    std::set<std::string> m_reached;
    std::set<std::string> m_shot;
};

CRun* g_run = nullptr;

void Feed(const Engine::tagFedInput& input) {
    HGE* hge = hgeCreate(HGE_VERSION);
    if (auto* engine = dynamic_cast<Engine::CEngine*>(hge)) engine->FeedInput(input);
    hge->Release();
}

void RunFrame(int frame) {
    if (g_run) g_run->BeforeFrame(frame);
}

std::string TopName() {
    const THolder<IScreen> top = GetGameManager()->GetTopScreen();
    return top ? top->GetName() : std::string();
}

void CRun::BeforeFrame(int frame) {
    if (frame == 0) Start();
    FollowTop(frame);
    SendDue(frame);
    if (!m_ended) RunSteps(frame);
}

void CRun::Start() {
    if (m_frameMs > 0) {
        HGE* hge = hgeCreate(HGE_VERSION);
        if (auto* engine = dynamic_cast<Engine::CEngine*>(hge)) engine->SetFixedDelta(m_frameMs / 1000.0f);
        hge->System_SetStateInt(HGE_FPS, 0);
        hge->Random_Seed(static_cast<int>(kSeed));
        hge->Release();
        SeedRand(kSeed);
    }
    if (!m_steps.empty()) m_readyAt = m_steps.front().delay;
    if (m_shots.empty()) return;
    std::ofstream(m_shots + "/tour.txt", std::ios::trunc);
    for (const std::string& name : GetGameManager()->GetRegisteredScreens()) Report("registered " + name);
}

void CRun::FollowTop(int frame) {
    const std::string name = TopName();
    if (name != m_top) {
        m_top = name;
        m_topSince = frame;
        if (!name.empty() && m_reached.insert(name).second)
            Report("reached " + name + " " + std::to_string(frame));
    }
    if (!m_shots.empty() && !name.empty() && frame - m_topSince == m_shotAfter && !m_shot.count(name)) {
        m_shot.insert(name);
        Shoot(name);
    }
}

void CRun::RunSteps(int frame) {
    while (m_next < m_steps.size() && frame >= m_readyAt && !m_ended) {
        const tagScriptStep& step = m_steps[m_next];
        if (step.kind == tagScriptStep::kWait) {
            if (m_waitSince < 0) m_waitSince = frame;
            if (m_top != step.word) {
                if (frame - m_waitSince >= step.limit)
                    Fail("line " + std::to_string(step.line) + ": waited " + std::to_string(step.limit) +
                         " frames for " + step.word + ", the top screen is " +
                         (m_top.empty() ? "none" : m_top));
                return;
            }
            m_waitSince = -1;
        } else {
            Do(step, frame);
        }
        if (++m_next < m_steps.size()) m_readyAt = frame + m_steps[m_next].delay;
    }
}

bool CRun::PointOf(const tagScriptStep& step, int& x, int& y) {
    x = step.x;
    y = step.y;
    if (step.word.empty()) return true;
    const THolder<IScreen> top = GetGameManager()->GetTopScreen();
    const TAnimationPtr item = top ? FindLayoutItem(top->GetAnimation(), step.word) : TAnimationPtr();
    if (!item) {
        Fail("line " + std::to_string(step.line) + ": " + (m_top.empty() ? "no screen" : m_top) +
             " has no item \"" + step.word + "\"");
        return false;
    }
    const TRect box = item->GetBoundingBox();
    x = (box.left + box.right) / 2;
    y = (box.top + box.bottom) / 2;
    return true;
}

void CRun::Do(const tagScriptStep& step, int frame) {
    using Engine::tagFedInput;
    switch (step.kind) {
        case tagScriptStep::kMove:
        case tagScriptStep::kClick: {
            int x = 0, y = 0;
            if (!PointOf(step, x, y)) return;
            tagFedInput input{.kind = tagFedInput::kMouseMove, .key = HGEK_LBUTTON};
            WindowPoint(static_cast<float>(x), static_cast<float>(y), input.x, input.y);
            At(frame, input);
            if (step.kind == tagScriptStep::kMove) break;
            input.kind = tagFedInput::kButtonDown;
            At(frame + kPressAfter, input);
            input.kind = tagFedInput::kButtonUp;
            At(frame + kReleaseAfter, input);
            break;
        }
        case tagScriptStep::kKey: {
            const int key = Engine::KeyFromName(step.word.c_str());
            At(frame, {.kind = tagFedInput::kKeyDown, .key = key});
            At(frame + kKeyUpAfter, {.kind = tagFedInput::kKeyUp, .key = key});
            break;
        }
        case tagScriptStep::kText:
            At(frame, {.kind = tagFedInput::kText, .text = step.word});
            break;
        case tagScriptStep::kClose:
            At(frame, {.kind = tagFedInput::kClose});
            break;
        case tagScriptStep::kQuit:
            At(frame, {.kind = tagFedInput::kQuit});
            m_ended = true;
            break;
        case tagScriptStep::kShot:
            if (!m_shots.empty()) Shoot(step.word);
            break;
        case tagScriptStep::kWait:
            break;
    }
    SendDue(frame);
}

void CRun::SendDue(int frame) {
    // Sent in the order they were made, so that a click's motion comes before its button.
    for (const tagTimedInput& timed : m_timed)
        if (timed.frame <= frame) Feed(timed.input);
    std::erase_if(m_timed, [frame](const tagTimedInput& timed) { return timed.frame <= frame; });
}

// The top screen drawn as the frame draws it, read back before it is shown.
void CRun::Shoot(const std::string& name) {
    HGE* hge = hgeCreate(HGE_VERSION);
    auto* engine = dynamic_cast<Engine::CEngine*>(hge);
    const THolder<IScreen> top = GetGameManager()->GetTopScreen();
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (engine && top) {
        BeginScreenFrame(hge);
        hge->Gfx_Clear(0xFF000000);
        top->Draw();
        pixels = engine->ReadScene(&width, &height);
        hge->Gfx_EndScene();
    }
    hge->Release();
    for (uint32_t& pixel : pixels) pixel |= 0xFF000000u;  // the window shows no transparency
    const std::size_t count = std::unordered_set<uint32_t>(pixels.begin(), pixels.end()).size();
    const std::string file = name + ".png";
    std::string why;
    if (!Engine::SavePicture(m_shots + "/" + file, pixels, width, height, why)) {
        Report("unsaved " + name + " " + why);
        return;
    }
    Report("picture " + name + " " + file + " " + std::to_string(count));
    if (m_windowShots) ShootWindow(name);
}

// The window as the X server shows it, the picture just drawn in it, taken by xwd while the
// program waits, so that it can be compared with what the game drew.
void CRun::ShootWindow(const std::string& name) {
    const std::string file = name + ".xwd";
    const std::string path = m_shots + "/" + file;
    std::string error;
    const bool taken =
        Platform::StartProgram("xwd", {"xwd", "-silent", "-name", kWindowTitle, "-out", path}, error, true);
    Report(taken ? "window " + name + " " + file : "unsaved-window " + name);
}

void CRun::Fail(const std::string& why) {
    Report("failed " + why);
    Feed({.kind = Engine::tagFedInput::kQuit});
    m_ended = true;
    m_timed.clear();
}

void CRun::Report(const std::string& line) {
    std::printf("script: %s\n", line.c_str());
    std::fflush(stdout);
    if (!m_shots.empty()) std::ofstream(m_shots + "/tour.txt", std::ios::app) << line << '\n';
}

}  // namespace

bool ParseInputScript(const std::string& text, std::vector<tagScriptStep>& steps, std::string& error) {
    // In the order of tagScriptStep::EKind.
    static const std::string kCommands[] = {"wait", "move", "click", "key", "text", "close", "quit", "shot"};
    steps.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line);
        const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
        if (words.empty() || words[0][0] == '#') continue;
        const auto fault = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            steps.clear();
            return false;
        };
        tagScriptStep step;
        step.line = number;
        const bool delayed = IsDigit(words[0][0]);
        if (delayed && !ReadNumber(words[0], step.delay))
            return fault("\"" + words[0] + "\" is no frame count");
        if (delayed && words.size() == 1) return fault("a frame count without a command");
        const std::string& name = words[delayed ? 1 : 0];
        const auto* command = std::find(std::begin(kCommands), std::end(kCommands), name);
        if (command == std::end(kCommands)) return fault("unknown command \"" + name + "\"");
        step.kind = static_cast<tagScriptStep::EKind>(command - std::begin(kCommands));
        const std::vector<std::string> args(words.begin() + (delayed ? 2 : 1), words.end());
        if (args.size() == 1) step.word = args[0];
        bool ok = false;
        switch (step.kind) {
            case tagScriptStep::kWait:
                step.limit = kDefaultWaitLimit;
                ok = args.size() == 1 || (args.size() == 2 && ReadNumber(args[1], step.limit));
                step.word = args.empty() ? "" : args[0];
                break;
            case tagScriptStep::kMove:
            case tagScriptStep::kClick:
                // Two numbers, or a layout item's name, which never starts with a digit, so that a
                // point missing its y is no item named by its x.
                ok = args.size() == 2 ? ReadNumber(args[0], step.x) && ReadNumber(args[1], step.y)
                                      : args.size() == 1 && !IsDigit(step.word[0]);
                break;
            case tagScriptStep::kKey:
                ok = args.size() == 1 && Engine::KeyFromName(step.word.c_str()) != 0;
                break;
            case tagScriptStep::kText: {
                // The rest of the line as it stands, spaces inside kept.
                ok = !args.empty();
                const std::size_t from = line.find_first_not_of(" \t", line.find(name) + name.size());
                if (ok) step.word = line.substr(from, line.find_last_not_of(" \t\r") + 1 - from);
                break;
            }
            case tagScriptStep::kClose:
            case tagScriptStep::kQuit:
                ok = args.empty();
                break;
            case tagScriptStep::kShot:
                // A file name in the pictures' folder, never a path out of it.
                ok = args.size() == 1 && step.word.find_first_of("/\\") == std::string::npos &&
                     step.word[0] != '.';
                break;
        }
        if (!ok) return fault("can't read \"" + line + "\"");
        steps.push_back(std::move(step));
    }
    return true;
}

bool CScriptedRun::Install(tagStartUpOptions& options, std::string& error) {
    const char* script = std::getenv("QUINDLE_INPUT_SCRIPT");
    const char* frameMs = std::getenv("QUINDLE_FRAME_MS");
    const char* shots = std::getenv("QUINDLE_SHOTS_DIR");
    if (!script && !frameMs && !shots) return true;

    std::vector<tagScriptStep> steps;
    if (script) {
        std::ifstream in(script, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            error = std::string("Can't read the input script ") + script;
            return false;
        }
        if (!ParseInputScript(text.str(), steps, error)) {
            error = std::string(script) + ", " + error;
            return false;
        }
    }
    // Pictures alone are taken on the clock, at the engine's own pace.
    float milliseconds = script ? kDefaultFrameMs : 0.0f;
    if (frameMs) {
        char* end = nullptr;
        milliseconds = std::strtof(frameMs, &end);
        if (*end != '\0' || !(milliseconds > 0.0f && milliseconds <= 1000.0f)) {
            error = std::string("QUINDLE_FRAME_MS is no frame time: ") + frameMs;
            return false;
        }
    }
    if (shots) {
        std::error_code failed;
        std::filesystem::create_directories(shots, failed);
        if (failed) {
            error = std::string("Can't make the folder ") + shots + ": " + failed.message();
            return false;
        }
    }
    static std::unique_ptr<CRun> run;
    run = std::make_unique<CRun>(std::move(steps), milliseconds, shots ? shots : "");
    g_run = run.get();
    options.beforeFrame = &RunFrame;
    // Nobody is there to answer a box: a failure is told on stderr and in the log, and the run ends.
    Platform::SetMessageBoxHandler(&Platform::AnswerWithoutBox);
    return true;
}

}  // namespace HGENS
}  // namespace GF
