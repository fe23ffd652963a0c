#include "framework/app/StartUp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/FileOpen.h"
#include "engine/QuitSignals.h"
#include "engine/ResourcePacks.h"
#include "framework/app/Application.h"
#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/resources/ScriptCompiler.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/SaveFolder.h"

namespace GF {
namespace HGENS {

namespace {

// 0: 640×480, 1: 800×600, 2: 1024×768.
constexpr int kDisplayMode = 1;
// Frames a second: above 0 paces to that rate, 0 runs unpaced, below 0 follows the display.
constexpr int kFrameRate = -1;
// The settings file decides afterwards.
constexpr bool kStartWindowed = true;

constexpr std::size_t kCommandLineRoom = 511;

constexpr const char* kResourcePack = "resource.dat";

void (*g_beforeFrame)(int frame) = nullptr;
int g_frame = 0;

bool ScriptedFrameFunction() {
    g_beforeFrame(g_frame++);
    return FrameFunction();
}

void SetLogFile(HGE* hge) {
    std::string error;
    const std::string folder = Platform::SaveFolder(Platform::CleanTitle(kWindowTitle), error);
    if (folder.empty()) {
        std::fprintf(stderr, "No save folder, so no log file: %s\n", error.c_str());
        return;
    }
    hge->System_SetStateString(HGE_LOGFILE, (folder + "/log.txt").c_str());
}

void SetDisplayMode(HGE* hge, CGameProperties& properties, int mode) {
    static const int kSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}};
    if (mode < 0 || mode > 2) return;
    hge->System_SetStateInt(HGE_SCREENWIDTH, kSizes[mode][0]);
    hge->System_SetStateInt(HGE_SCREENHEIGHT, kSizes[mode][1]);
    FrameState().clientWidth = kSizes[mode][0];
    properties.m_screenWidth = kSizes[mode][0];
    properties.m_screenHeight = kSizes[mode][1];
}

void SetFrameRate(HGE* hge, int rate) {
    hge->System_SetStateInt(HGE_FPS, rate > 0 ? 1000 / rate : (rate == 0 ? 0 : -1));
}

// What the player is told when the resource archive can't be attached: which file, where it was
// looked for, and what is wrong with it as far as the disk shows.
std::string PackFailure(const char* name) {
    const std::filesystem::path folder = Engine::DataFolder();
    const std::filesystem::path path = folder / name;
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    const std::uintmax_t size = exists ? std::filesystem::file_size(path, error) : 0;
    // The size shows without the right to read; the system says why a file can't be opened.
    std::string unreadable;
    if (exists && !error) {
        if (std::FILE* file = Engine::OpenForReading(path.string()))
            std::fclose(file);
        else
            unreadable = errno == EINVAL
                             ? std::string("it is ") + Engine::WhatIsAt(path.string()) + ", not a file"
                             : std::string("it can't be read (") + std::strerror(errno) + ")";
    }
    const std::string what = !exists               ? "it is not there"
                             : error               ? "it can't be read (" + error.message() + ")"
                             : !unreadable.empty() ? unreadable
                             : size == 0           ? "it is empty"
                                                   : "it is damaged or cut short";
    return std::string("Can't read \"") + name + "\" in " + folder.string() + ": " + what +
           ". Please install the game again.";
}

// Sets up, initiates, runs and shuts down the engine; answers the exit code.
int RunEngine(const std::vector<std::string>& arguments, const tagStartUpOptions& options) {
    void (*beforeFrame)(int frame) = options.beforeFrame;
    HGE* hge = hgeCreate(HGE_VERSION);
    SetLogFile(hge);
    g_beforeFrame = beforeFrame;
    g_frame = 0;
    hge->System_SetStateFunc(HGE_FRAMEFUNC, beforeFrame ? ScriptedFrameFunction : FrameFunction);
    hge->System_SetStateString(HGE_TITLE, kWindowTitle);
    hge->System_SetStateBool(HGE_WINDOWED, kStartWindowed);
    hge->System_SetStateFunc(HGE_FOCUSGAINFUNC, FocusGainedFunction);
    hge->System_SetStateFunc(HGE_FOCUSLOSTFUNC, FocusLostFunction);
    hge->System_SetStateFunc(HGE_EXITFUNC, ExitFunction);
    hge->System_SetStateBool(HGE_DONTSUSPEND, true);
    hge->System_SetStateInt(HGE_RESERVED20, 0);
    hge->System_SetStateInt(HGE_RESERVED21, 0);

    const THolder<CGameProperties> properties = GetGameProperties();
    const WString commandLine = CommandLineText(arguments);
    if (!commandLine.empty()) properties->SetString("TestLevelFromLevelEditor") = commandLine;
    SetDisplayMode(hge, *properties, kDisplayMode);
    SetFrameRate(hge, kFrameRate);
    hge->System_SetStateBool(HGE_HIDEMOUSE, false);

    int code = 0;
    if (!hge->System_Initiate()) {
        Platform::ShowMessageBox(kWindowTitle, hge->System_GetErrorMessage(), Platform::kMessageStop);
        code = 1;
    } else {
        FocusGainedFunction();
        ResetKeyMap();
        // Without the archive every picture, text and data file is missing: a blank window would
        // tell the player nothing.
        if (!hge->Resource_AttachPack(kResourcePack)) {
            const std::string message = PackFailure(kResourcePack);
            hge->System_Log("%s", message.c_str());
            Platform::ShowMessageBox(kWindowTitle, message, Platform::kMessageStop);
            code = 1;
            // The focus step above made the screen manager, which holds the engine; with no
            // application to end it, it is ended here, or a next start in this process would get
            // this engine back.
            GetGameManager()->Shutdown();
        } else {
            if (options.createApplication) SetApplication(options.createApplication(hge));
            if (CApplication* application = GetApplication()) {
                // A start that fails has said why (a message box) and ends the program with 1.
                if (application->Start())
                    hge->System_Start();
                else
                    code = 1;
                application->End();
            } else {
                hge->System_Log("No application was created");
                code = 1;
                GetGameManager()->Shutdown();
            }
        }
        // Before the engine goes: the application's destructor still logs through it.
        SetApplication(nullptr);
    }
    hge->System_Shutdown();
    hge->Release();
    return code;
}

}  // namespace

WString CommandLineText(const std::vector<std::string>& arguments) {
    std::string text;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (i > 1) text += ' ';
        text += arguments[i];
    }
    WString wide = Utf8ToUtf16(text);
    if (wide.size() > kCommandLineRoom) {
        std::size_t keep = kCommandLineRoom;
        if (wide[keep - 1] >= 0xD800 && wide[keep - 1] < 0xDC00) --keep;  // never half a surrogate pair
        wide.resize(keep);
    }
    return wide;
}

int RunProgram(const std::vector<std::string>& arguments, const tagStartUpOptions& options) {
    if (arguments.size() > 3 && arguments[1] == "/cr")
        return CompileResourceScript(arguments[2].c_str(), arguments[3].c_str()) ? 0 : 1;

    // From here to the end a SIGTERM or SIGINT is answered by the frame loop, or ends the program
    // when the loop can't take it soon: the start-up and a long load poll no events. Once the loop
    // has ended, the closing save is waited for.
    const Engine::CQuitSignals quitSignals;
    tagFrameState& state = FrameState();
    if (!arguments.empty()) {
        // A restart starts the program's own file: the name it was started by may have been found
        // on the PATH or be relative.
        state.programPath = Platform::ExecutablePath();
        if (state.programPath.empty()) state.programPath = arguments[0];
        state.arguments = arguments;
    }

    const Platform::tagMachineCheck machine = options.checkMachine();
    if (!machine.passed) {
        Platform::ShowMessageBox(kWindowTitle, machine.message, Platform::kMessageStop);
        return 1;
    }
    state.colourDepth = machine.colourDepth;

    // Nothing is written (the lock, the log, the settings) in a save folder others could tamper with.
    std::string refusal;
    bool refused = false;
    Platform::SaveFolder(Platform::CleanTitle(kWindowTitle), refusal, &refused);
    if (refused) {
        Platform::ShowMessageBox(kWindowTitle, refusal, Platform::kMessageStop);
        return 1;
    }

    // Without the lock a second copy could write its settings over the first one's players: the
    // game does not run.
    switch (state.instanceLock.Acquire(kWindowTitle)) {
        case Platform::CSingleInstance::kAlreadyRunning:
            return 0;
        case Platform::CSingleInstance::kRefused:
        case Platform::CSingleInstance::kUnavailable:
            Platform::ShowMessageBox(kWindowTitle, state.instanceLock.Refusal(), Platform::kMessageStop);
            return 1;
        case Platform::CSingleInstance::kAcquired:
            break;
    }

    const int code = RunEngine(arguments, options);
    state.instanceLock.Release();
    return code;
}

}  // namespace HGENS
}  // namespace GF
