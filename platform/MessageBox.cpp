#include "platform/MessageBox.h"

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_messagebox.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/SingleInstance.h"

namespace Platform {

namespace {

MessageBoxHandler g_handler = nullptr;

// SDL draws its X box in a child it forks and waits for, and the child inherits the program's signal
// handlers (SDL's own turn SIGTERM and SIGINT into a quit event that nobody reads while the box is up).
// So that neither the box nor the program outlives a request to end, the two share this page while the
// box is up: the child notes its process id, the program's handler kills it.
struct tagBoxChild {
    std::atomic<pid_t> pid;
    std::atomic<int> signal;  // the end request that came while the box was up, 0 while none
};
static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "shared between processes, the atomics must not need a lock");

tagBoxChild* g_child = nullptr;
std::atomic<bool> g_boxUp{false};
pid_t g_program = 0;

// Runs in every child forked while the box is up, before SDL's code goes on there.
void InBoxChild() {
    if (!g_boxUp || !g_child) return;
    // However the program ends, even by SIGKILL, the box goes with it; a signal to the box ends it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    g_child->pid = getpid();
    if (g_child->signal != 0 || getppid() != g_program) _exit(1);
}

void OnEndRequest(int number) {
    g_child->signal = number;
    const pid_t child = g_child->pid;
    if (child > 0) kill(child, SIGKILL);
}

bool PrepareBoxChild() {
    static const bool prepared = [] {
        void* page =
            mmap(nullptr, sizeof(tagBoxChild), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (page == MAP_FAILED) return false;
        g_child = new (page) tagBoxChild{};
        return pthread_atfork(nullptr, nullptr, InBoxChild) == 0;
    }();
    return prepared;
}

int ShowSdlMessageBoxEndingOnSignal(const SDL_MessageBoxData& box, int& chosen) {
    if (!PrepareBoxChild()) return SDL_ShowMessageBox(&box, &chosen);
    g_child->pid = 0;
    g_child->signal = 0;
    g_program = getpid();
    struct sigaction ours {};
    ours.sa_handler = OnEndRequest;
    sigemptyset(&ours.sa_mask);
    struct sigaction previousTerm {};
    struct sigaction previousInt {};
    sigaction(SIGTERM, &ours, &previousTerm);
    sigaction(SIGINT, &ours, &previousInt);
    sigset_t ends, previousMask;
    sigemptyset(&ends);
    sigaddset(&ends, SIGTERM);
    sigaddset(&ends, SIGINT);
    pthread_sigmask(SIG_UNBLOCK, &ends, &previousMask);

    // A request to end that came just before (SDL's handler made it a quit event) is not kept waiting
    // behind the box either.
    SDL_PumpEvents();
    int result = -1;
    if (!SDL_HasEvent(SDL_QUIT)) {
        g_boxUp = true;
        result = SDL_ShowMessageBox(&box, &chosen);
        g_boxUp = false;
        g_child->pid = 0;  // reaped: the number may be another process's soon
    }

    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGINT, &previousInt, nullptr);
    // The request meets the program as it would have without the box: the default ends it at once,
    // SDL's handler asks the frame loop to end.
    if (const int number = g_child->signal.exchange(0)) {
        raise(number);
        return -1;
    }
    return result;
}

// Where no display is named there is nothing to show a box on.
bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

bool ShowSdlMessageBox(const std::string& caption, const std::string& text, EMessageStyle style) {
    if (!HasDisplay()) return false;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
    };
    SDL_MessageBoxData box{};
    box.flags = style == kMessageStop      ? SDL_MESSAGEBOX_ERROR
                : style == kMessageWarning ? SDL_MESSAGEBOX_WARNING
                                           : SDL_MESSAGEBOX_INFORMATION;
    box.title = caption.c_str();
    box.message = text.c_str();
    box.numbuttons = style == kMessageQuestion ? 2 : 1;
    box.buttons = buttons;
    int chosen = 0;
    if (ShowSdlMessageBoxEndingOnSignal(box, chosen) != 0) return false;
    return chosen == 1;
}

}  // namespace

bool ShowMessageBox(const std::string& caption, const std::string& text, EMessageStyle style) {
    // Whoever answers the box, the text reaches stderr: there may be no display to show it on.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    // A stop or a question comes before the program ends; one left open must not keep the next start
    // from running (the box's child would hold the lock too). After a warning the game goes on.
    if (style != kMessageWarning) CSingleInstance::ReleaseHeld();
    if (g_handler) return g_handler(caption, text, style);
    return ShowSdlMessageBox(caption, text, style);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

bool AnswerWithoutBox(const std::string&, const std::string&, EMessageStyle) {
    return false;
}

}  // namespace Platform
