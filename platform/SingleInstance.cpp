#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/SaveFolder.h"

namespace Platform {

std::string CSingleInstance::LockPath(const std::string& title) {
    const std::string name = CleanTitle(title);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/" + name + ".lock";
    // /tmp is shared by every user: the user id keeps one user's copy from locking out another's.
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

CSingleInstance::EResult CSingleInstance::Acquire(const std::string& title) {
    Release();
    const std::string path = LockPath(title);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "Can't open the instance lock %s: %s\n", path.c_str(), std::strerror(errno));
        return kUnavailable;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return kAlreadyRunning;
        std::fprintf(stderr, "Can't lock %s: %s\n", path.c_str(), std::strerror(error));
        return kUnavailable;
    }
    m_fd = fd;
    return kAcquired;
}

void CSingleInstance::Release() {
    if (m_fd < 0) return;
    flock(m_fd, LOCK_UN);
    close(m_fd);
    m_fd = -1;
}

}  // namespace Platform
