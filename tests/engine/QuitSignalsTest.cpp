#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/QuitSignals.h"
#include "tests/support/TempFolder.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits for `ready` while the child runs, for at most four minutes: enough to tell a child that hangs
// from one slowed by a busy machine. False when the child ended (left to be waited for) or the time
// ran out.
template <class Ready>
bool WaitWhileRunning(pid_t child, Ready ready) {
    for (int i = 0; i < 960; ++i) {
        if (ready()) return true;
        siginfo_t ended = {};
        if (waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            ended.si_pid != 0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return false;
}

// Whether the kernel still holds `signal` for the process, not yet handed to a handler. Two signals
// of one kind sent while the first still waits would be taken as one.
bool Pending(pid_t process, int signal) {
    std::istringstream status(ReadFile("/proc/" + std::to_string(process) + "/status"));
    for (std::string line; std::getline(status, line);)
        if (line.rfind("ShdPnd:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// kTakingBoth holds SIGINT and SIGTERM back until both have come, then takes them one after the
// other: a second signal however slowly the machine runs the test.
enum class EChild { kBusy, kIgnoringInterrupt, kTakingBoth };

// A child process that takes the signals over, says so through the pipe and then keeps busy for a
// minute without asking the frame loop's question, as a start-up or a load does. Its stderr goes to
// `said`.
pid_t StartChild(EChild kind, const std::string& said) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child != 0) {
        close(ready[1]);
        char byte = 0;
        const bool told = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        return told ? child : -1;
    }
    close(ready[0]);
    const int out = open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || dup2(out, STDERR_FILENO) < 0) _exit(2);
    if (kind == EChild::kIgnoringInterrupt) signal(SIGINT, SIG_IGN);
    const Engine::CQuitSignals signals;
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    if (kind == EChild::kTakingBoth) sigprocmask(SIG_BLOCK, &both, nullptr);
    if (write(ready[1], "!", 1) != 1) _exit(2);
    if (kind == EChild::kTakingBoth) {
        for (sigset_t pending; sigpending(&pending) == 0;)
            if (sigismember(&pending, SIGINT) && sigismember(&pending, SIGTERM)) break;
        sigprocmask(SIG_UNBLOCK, &both, nullptr);
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
    }
    _exit(0);
}

// The real program, headless, with a save folder of its own; every fsync of "Setting.tmp" is held
// `holdSeconds` first, and "held" appears in the folder when the hold begins.
struct tagGameRun {
    CTempFolder folder{"quit-signals"};
    pid_t pid = -1;

    // A run that a failed check left behind is not left running.
    ~tagGameRun() {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    std::string Save(const std::string& name) const { return folder / ("save/" + name); }

    bool Start(int holdSeconds, const std::string& script) {
        std::filesystem::create_directories(folder / "save");
        std::filesystem::create_directories(folder / "run");
        chmod((folder / "save").c_str(), 0700);
        chmod((folder / "run").c_str(), 0700);
        pid = fork();
        if (pid != 0) return pid > 0;
        const int out = open((folder / "output.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(out, STDERR_FILENO) < 0) _exit(2);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("QUINDLE_DATA_DIR", QUINDLE_TEST_DATA_DIR, 1);
        setenv("QUINDLE_SAVE_DIR", (folder / "save").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (folder / "run").c_str(), 1);
        if (script.empty()) {
            unsetenv("QUINDLE_INPUT_SCRIPT");
        } else {
            std::ofstream(folder / "run.steps") << script;
            setenv("QUINDLE_INPUT_SCRIPT", (folder / "run.steps").c_str(), 1);
        }
        // The sanitizers' runtime comes after the preloaded library; Mesa's driver leaks.
        setenv("ASAN_OPTIONS", "detect_leaks=0:verify_asan_link_order=0", 1);
        setenv("LD_PRELOAD", QUINDLE_SLOW_FSYNC, 1);
        setenv("QUINDLE_SLOW_FSYNC_NAME", "/Setting.tmp", 1);
        setenv("QUINDLE_SLOW_FSYNC_SECONDS", std::to_string(holdSeconds).c_str(), 1);
        setenv("QUINDLE_SLOW_FSYNC_MARK", Save("held").c_str(), 1);
        execl(QUINDLE_PROGRAM, QUINDLE_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }

    // Once the game's frames run: the title sends the nameless first player to make a name.
    bool Playing() const {
        return WaitWhileRunning(pid, [&] {
            return ReadFile(Save("log.txt")).find("Create screen \"new_player_screen\"") != std::string::npos;
        });
    }

    int End() {
        int status = 0;
        const bool ended = waitpid(pid, &status, 0) == pid;
        pid = -1;
        return ended ? status : -1;
    }
};

}  // namespace

// Work that can't ask (a start-up, a load, a decoder) is ended by SIGTERM or SIGINT, killed by that
// signal, after the grace or, at a second signal, at once; a signal ignored when the program started
// stays ignored. None of them waits out its minute of work.
TEST(QuitSignals, ASignalEndsWorkThatCantAnswer) {
    const struct {
        EChild kind;
        int sent[2];
        int killedBy;
        const char* said;
    } cases[] = {
        {EChild::kBusy, {SIGTERM, 0}, SIGTERM, "Signal 15 while starting or loading"},
        {EChild::kBusy, {SIGINT, 0}, SIGINT, "Signal 2 while starting or loading"},
        {EChild::kTakingBoth, {SIGINT, SIGTERM}, SIGTERM, "Signal 15 a second time"},
        {EChild::kIgnoringInterrupt, {SIGINT, SIGTERM}, SIGTERM, "Signal 15 while starting or loading"},
    };
    const CTempFolder folder("quit-signals");
    for (const auto& c : cases) {
        const pid_t child = StartChild(c.kind, folder / "said.txt");
        ASSERT_GT(child, 0);
        for (int signal : c.sent) {
            if (!signal) continue;
            kill(child, signal);
            if (c.kind != EChild::kTakingBoth)
                WaitWhileRunning(child, [&] { return !Pending(child, signal); });
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.killedBy) << c.said << ": " << status;
        EXPECT_NE(ReadFile(folder / "said.txt").find(c.said), std::string::npos)
            << ReadFile(folder / "said.txt");
    }

    // Once the object goes, the handlers it found are back, an ignored signal still ignored.
    struct sigaction before = {}, ignore = {}, after = {};
    sigaction(SIGTERM, nullptr, &before);
    ignore.sa_handler = SIG_IGN;
    struct sigaction interrupt = {};
    sigaction(SIGINT, &ignore, &interrupt);
    { const Engine::CQuitSignals signals; }
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
    sigaction(SIGINT, &interrupt, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
}

// The real game on a slow disk, each save's fsync held 3 s: a SIGTERM taken by the frame loop waits
// for the closing save, which lands, and the game ends as a quit does; so does a SIGTERM that comes
// while a quit by an input script saves, or while the save of a newly named player is written in a
// frame. Held for ten minutes, the save hangs: a second SIGTERM ends the game at once.
TEST(QuitSignals, TheGameTakenToQuitKeepsItsClosingSaveOnASlowDisk) {
    const struct {
        const char* what;
        const char* script;  // empty: no script, the game plays on until it is told to quit
        int holdSeconds;
        int signalsWhileHeld;  // besides the one that asks to quit, when there is no script
        const char* player;    // the name the saved players hold, in UTF-16; empty: none
    } cases[] = {
        {"SIGTERM", "", 3, 0, ""},
        {"a script's quit, SIGTERM while it saves", "wait new_player_screen\nquit\n", 3, 1, ""},
        {"SIGTERM while a new player is saved", "wait new_player_screen\n35 text Evi\n5 key Return\n", 3, 1,
         "E\0v\0i"},
        {"SIGTERM, again while the save hangs", "", 600, 1, ""},
    };
    for (const auto& c : cases) {
        tagGameRun run;
        ASSERT_TRUE(run.Start(c.holdSeconds, c.script)) << c.what;
        const bool scripted = *c.script != '\0';
        if (!scripted) {
            ASSERT_TRUE(run.Playing()) << c.what << "\n" << ReadFile(run.folder / "output.txt");
            ASSERT_FALSE(std::filesystem::exists(run.Save("Setting"))) << c.what;
            kill(run.pid, SIGTERM);
        }
        if (c.signalsWhileHeld) {
            ASSERT_TRUE(WaitWhileRunning(run.pid, [&] { return std::filesystem::exists(run.Save("held")); }))
                << c.what;
            kill(run.pid, SIGTERM);
        }
        const int status = run.End();
        const std::string said = ReadFile(run.folder / "output.txt");
        if (c.holdSeconds > 60) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM)
                << c.what << ": " << status << "\n"
                << said;
            EXPECT_NE(said.find("Signal 15 a second time"), std::string::npos) << c.what << "\n" << said;
            continue;
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.what << ": " << status << "\n"
                                                                   << said;
        EXPECT_EQ(said.find("Signal"), std::string::npos) << c.what << "\n" << said;
        EXPECT_TRUE(std::filesystem::exists(run.Save("held"))) << c.what;
        EXPECT_FALSE(std::filesystem::exists(run.Save("Setting.tmp"))) << c.what;
        // The four options and then the game's part: the sample data's version word 2 and the store.
        const std::string setting = ReadFile(run.Save("Setting"));
        ASSERT_GT(setting.size(), 20u) << c.what;
        EXPECT_EQ(setting.substr(16, 4), std::string("\0\0\0\2", 4)) << c.what;
        if (*c.player) {
            EXPECT_NE(setting.find(std::string(c.player, 5)), std::string::npos) << c.what;
        }
    }
}
