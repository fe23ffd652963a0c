#include "engine/QuitSignals.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

namespace Engine {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};

int g_depth = 0;
bool g_ours[2] = {};  // which of kSignals are handled here (those not ignored at the start)
struct sigaction g_previous[2];
timer_t g_timer{};
bool g_hasTimer = false;

std::atomic<int> g_asked{0};  // the signal that asked to quit, 0 while none did
std::atomic<bool> g_answered{false};

// Only calls that are safe inside a signal handler from here to the end of OnGraceOver.
void Say(int signal) {
    static const char kStart[] = "Signal ";
    static const char kEnd[] = " while starting or loading: the program ends without waiting for it\n";
    char text[sizeof kStart + 2 + sizeof kEnd];
    std::size_t length = 0;
    for (const char* c = kStart; *c; ++c) text[length++] = *c;
    if (signal >= 10) text[length++] = static_cast<char>('0' + signal / 10 % 10);
    text[length++] = static_cast<char>('0' + signal % 10);
    for (const char* c = kEnd; *c; ++c) text[length++] = *c;
    const ssize_t written = write(STDERR_FILENO, text, length);
    (void)written;
}

[[noreturn]] void EndBy(int signal) {
    Say(signal);
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);  // should the signal not end the process on its own
}

void OnQuitSignal(int signal) {
    int none = 0;
    if (!g_asked.compare_exchange_strong(none, signal)) return;  // the first request's grace runs
    if (!g_hasTimer) EndBy(signal);
    struct itimerspec grace = {};
    grace.it_value.tv_sec = kQuitGraceMilliseconds / 1000;
    grace.it_value.tv_nsec = kQuitGraceMilliseconds % 1000 * 1000000;
    timer_settime(g_timer, 0, &grace, nullptr);
}

void OnGraceOver(int) {
    const int signal = g_asked.load();
    if (signal != 0 && !g_answered.load()) EndBy(signal);
}

void Handle(int signal, void (*handler)(int), struct sigaction* previous) {
    struct sigaction ours = {};
    ours.sa_handler = handler;
    ours.sa_flags = SA_RESTART;  // a read or a write meanwhile goes on rather than failing
    sigemptyset(&ours.sa_mask);
    for (int other : kSignals) sigaddset(&ours.sa_mask, other);
    sigaddset(&ours.sa_mask, SIGALRM);
    sigaction(signal, &ours, previous);
}

}  // namespace

CQuitSignals::CQuitSignals() {
    if (g_depth++ > 0) return;
    g_asked = 0;
    g_answered = false;
    struct sigevent alarm = {};
    alarm.sigev_notify = SIGEV_SIGNAL;
    alarm.sigev_signo = SIGALRM;
    g_hasTimer = timer_create(CLOCK_MONOTONIC, &alarm, &g_timer) == 0;
    // Stays after the object goes: an alarm already on its way then still finds it.
    if (g_hasTimer) Handle(SIGALRM, OnGraceOver, nullptr);
    for (int i = 0; i < 2; ++i) {
        struct sigaction now = {};
        sigaction(kSignals[i], nullptr, &now);
        g_ours[i] = now.sa_handler != SIG_IGN;
        if (g_ours[i]) Handle(kSignals[i], OnQuitSignal, &g_previous[i]);
    }
}

CQuitSignals::~CQuitSignals() {
    if (--g_depth > 0) return;
    for (int i = 0; i < 2; ++i)
        if (g_ours[i]) sigaction(kSignals[i], &g_previous[i], nullptr);
    if (g_hasTimer) timer_delete(g_timer);
    g_hasTimer = false;
}

bool CQuitSignals::Take() {
    if (g_asked.load(std::memory_order_relaxed) == 0) return false;
    g_answered = true;
    return true;
}

}  // namespace Engine
