#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "engine/QuitSignals.h"

namespace {

enum class EChild { kBusy, kAnswering, kIgnoringInterrupt };

// A child process that takes the signals over, says so through the pipe and then keeps busy for a
// minute without asking the frame loop's question, or asks it between "frames" and, once a signal was
// taken, lingers past the grace before it ends with 7.
pid_t StartChild(EChild kind) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child != 0) {
        close(ready[1]);
        char byte = 0;
        const bool said = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        return said ? child : -1;
    }
    close(ready[0]);
    if (kind == EChild::kIgnoringInterrupt) signal(SIGINT, SIG_IGN);
    const Engine::CQuitSignals signals;
    if (write(ready[1], "!", 1) != 1) _exit(2);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
        if (kind == EChild::kAnswering && Engine::CQuitSignals::Take()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3 * Engine::kQuitGraceMilliseconds));
            _exit(7);
        }
        if (kind == EChild::kAnswering) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    _exit(0);
}

}  // namespace

// A program at work that can't ask (a start-up, a load, a decoder) is ended by SIGTERM or SIGINT,
// killed by that signal; one that asks between frames takes the request and ends in its own time; a
// signal ignored when the program started stays ignored. None of them waits out its minute of work.
TEST(QuitSignals, ASignalEndsWorkThatCantAnswerAndIsLeftToTheFrameLoopThatDoes) {
    const struct {
        EChild kind;
        int sent[2];
        bool exited;  // else killed by the last signal sent
        int status;
    } cases[] = {
        {EChild::kBusy, {SIGTERM, 0}, false, SIGTERM},
        {EChild::kBusy, {SIGINT, 0}, false, SIGINT},
        {EChild::kAnswering, {SIGTERM, 0}, true, 7},
        {EChild::kIgnoringInterrupt, {SIGINT, SIGTERM}, false, SIGTERM},
    };
    for (const auto& c : cases) {
        const pid_t child = StartChild(c.kind);
        ASSERT_GT(child, 0);
        for (int signal : c.sent)
            if (signal) kill(child, signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (c.exited) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status) << c.sent[0] << ": " << status;
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.status) << c.sent[0] << ": " << status;
        }
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
