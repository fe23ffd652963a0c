// Preloaded into the real program by the signal tests: an fsync of a file whose name ends in
// $QUINDLE_SLOW_FSYNC_NAME first waits $QUINDLE_SLOW_FSYNC_SECONDS, as on a busy or network disk,
// and touches $QUINDLE_SLOW_FSYNC_MARK (when set) as it begins to wait. A signal does not cut the
// wait short: a disk would not hurry either.

#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Held(int fd) {
    const char* name = std::getenv("QUINDLE_SLOW_FSYNC_NAME");
    if (!name || !*name) return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[4096];
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length < 0) return false;
    path[length] = '\0';
    const std::size_t nameLength = std::strlen(name);
    return static_cast<std::size_t>(length) >= nameLength &&
           std::strcmp(path + length - nameLength, name) == 0;
}

}  // namespace

extern "C" int fsync(int fd) {
    using Fsync = int (*)(int);
    static const Fsync real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    if (Held(fd)) {
        const int saved = errno;
        if (const char* mark = std::getenv("QUINDLE_SLOW_FSYNC_MARK"))
            close(open(mark, O_WRONLY | O_CREAT, 0600));
        const char* seconds = std::getenv("QUINDLE_SLOW_FSYNC_SECONDS");
        struct timespec until {};
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_sec += seconds ? std::atoi(seconds) : 3;
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        errno = saved;
    }
    return real ? real(fd) : 0;
}
