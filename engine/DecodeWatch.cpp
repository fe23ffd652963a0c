#include "engine/DecodeWatch.h"

#include <SDL2/SDL.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace Engine {

namespace {

constexpr auto kGrace = std::chrono::milliseconds(300);

std::atomic<int> g_signal{0};
int g_depth = 0;  // the main thread's nesting of watches
struct sigaction g_previousTerm, g_previousInt;

struct Watcher {
    std::mutex lock;
    std::condition_variable wake;
    bool done = false;
    std::string name;
    std::thread thread;
};
Watcher* g_watcher = nullptr;

void Forward(int signal, const struct sigaction& previous) {
    if (previous.sa_handler == SIG_DFL || previous.sa_handler == SIG_IGN) return;
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction) previous.sa_sigaction(signal, nullptr, nullptr);
    } else if (previous.sa_handler) {
        previous.sa_handler(signal);
    }
}

// Notes the signal and hands it on to the handler before (SDL's, which queues a quit).
void OnSignal(int signal) {
    g_signal.store(signal);
    Forward(signal, signal == SIGTERM ? g_previousTerm : g_previousInt);
}

void Watch(Watcher* watcher) {
    std::unique_lock<std::mutex> guard(watcher->lock);
    std::chrono::steady_clock::time_point since{};
    while (!watcher->done) {
        watcher->wake.wait_for(guard, std::chrono::milliseconds(20));
        const int signal = g_signal.load();
        if (!signal || watcher->done) continue;
        const auto now = std::chrono::steady_clock::now();
        if (since == std::chrono::steady_clock::time_point{}) since = now;
        if (now - since < kGrace) continue;
        std::fprintf(stderr, "Signal %d while decoding %s: the program ends without waiting for it\n", signal,
                     watcher->name.c_str());
        std::fflush(stderr);
        _exit(128 + signal);
    }
}

}  // namespace

CDecodeWatch::CDecodeWatch(const char* name) {
    if (g_depth++ > 0) return;
    // A quit asked for just before the decoder started counts as a signal during it.
    g_signal.store(SDL_WasInit(SDL_INIT_EVENTS) && SDL_HasEvent(SDL_QUIT) ? SIGTERM : 0);
    struct sigaction ours = {};
    ours.sa_handler = OnSignal;
    sigemptyset(&ours.sa_mask);
    sigaction(SIGTERM, &ours, &g_previousTerm);
    sigaction(SIGINT, &ours, &g_previousInt);
    g_watcher = new Watcher;
    g_watcher->name = name ? name : "";
    g_watcher->thread = std::thread(Watch, g_watcher);
}

CDecodeWatch::~CDecodeWatch() {
    if (--g_depth > 0) return;
    {
        std::lock_guard<std::mutex> guard(g_watcher->lock);
        g_watcher->done = true;
    }
    g_watcher->wake.notify_one();
    g_watcher->thread.join();
    delete g_watcher;
    g_watcher = nullptr;
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    sigaction(SIGINT, &g_previousInt, nullptr);
}

}  // namespace Engine
