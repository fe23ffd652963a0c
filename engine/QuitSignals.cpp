#include "engine/QuitSignals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

namespace Engine {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGALRM};
constexpr int kHandled = 3;

bool g_ours[kHandled] = {};  // which of kSignals are handled here (those not ignored at the start)
struct sigaction g_previous[kHandled];

std::atomic<int> g_requests{0};  // the signals that asked to quit
std::atomic<int> g_asked{0};     // the first of them, 0 while none did
std::atomic<bool> g_closing{false};
std::atomic<bool> g_saving{false};

// Only calls that are safe inside a signal handler from here to the end of OnGraceOver.
void Say(int signal, const char* why) {
    static const char kStart[] = "Signal ";
    static const char kEnd[] = ": the program ends without waiting for it\n";
    char text[sizeof kStart + 2 + 64 + sizeof kEnd];
    std::size_t length = 0;
    for (const char* c = kStart; *c; ++c) text[length++] = *c;
    if (signal >= 10) text[length++] = static_cast<char>('0' + signal / 10 % 10);
    text[length++] = static_cast<char>('0' + signal % 10);
    for (const char* c = why; *c && length < sizeof kStart + 2 + 64; ++c) text[length++] = *c;
    for (const char* c = kEnd; *c; ++c) text[length++] = *c;
    const ssize_t written = write(STDERR_FILENO, text, length);
    (void)written;
}

[[noreturn]] void EndBy(int signal, const char* why) {
    Say(signal, why);
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
    if (g_requests.fetch_add(1) > 0) EndBy(signal, " a second time");
    g_asked = signal;
    // Closing meanwhile is no matter: the alarm looks again before it ends anything.
    if (!g_closing.load()) alarm(kQuitGraceSeconds);
}

void OnGraceOver(int) {
    const int signal = g_asked.load();
    // A save under way is let finish: it begins the grace anew when it ends.
    if (signal != 0 && !g_closing.load() && !g_saving.load()) EndBy(signal, " while starting or loading");
}

}  // namespace

CQuitSignals::CQuitSignals() {
    g_requests = 0;
    g_asked = 0;
    g_closing = false;
    g_saving = false;
    for (int i = 0; i < kHandled; ++i) {
        struct sigaction now = {};
        sigaction(kSignals[i], nullptr, &now);
        g_ours[i] = kSignals[i] == SIGALRM || now.sa_handler != SIG_IGN;
        if (!g_ours[i]) continue;
        struct sigaction ours = {};
        ours.sa_handler = kSignals[i] == SIGALRM ? OnGraceOver : OnQuitSignal;
        ours.sa_flags = SA_RESTART;  // a read or a write meanwhile goes on rather than failing
        sigemptyset(&ours.sa_mask);
        for (int other : kSignals) sigaddset(&ours.sa_mask, other);
        sigaction(kSignals[i], &ours, &g_previous[i]);
    }
}

CQuitSignals::~CQuitSignals() {
    alarm(0);
    for (int i = 0; i < kHandled; ++i)
        if (g_ours[i]) sigaction(kSignals[i], &g_previous[i], nullptr);
}

bool CQuitSignals::Asked() {
    return g_asked.load(std::memory_order_relaxed) != 0;
}

void CQuitSignals::Closing() {
    g_closing = true;
    alarm(0);
}

void CQuitSignals::Saving(bool saving) {
    g_saving = saving;
    if (!saving && g_asked.load() != 0 && !g_closing.load()) alarm(kQuitGraceSeconds);
}

}  // namespace Engine
