#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "engine/DecodeWatch.h"

// A decoder that would run on for a minute: SIGTERM and SIGINT end the process within a second,
// with the signal's status; a signal after the decoder returned is left to the program.
TEST(DecodeWatch, ASignalDuringALongDecodeEndsTheProcessWithinASecond) {
    for (const int signal : {SIGTERM, SIGINT}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            {
                const Engine::CDecodeWatch watch("a long picture");
                const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
                while (std::chrono::steady_clock::now() < end) {
                }
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto sent = std::chrono::steady_clock::now();
        kill(child, signal);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
        EXPECT_LT(seconds, 1.0) << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << signal << ": " << status;
    }
    // No watch left behind: the signal's own handling is back.
    { const Engine::CDecodeWatch watch("a short picture"); }
    struct sigaction now = {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}
