#include "engine/FileOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace Engine {

namespace {

constexpr int kWriteFlags = O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
constexpr mode_t kNewFileMode = 0666;  // less the umask, as fopen makes files

}  // namespace

bool IsOwnSingleFile(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == geteuid();
}

std::FILE* OpenForReading(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat info {};
    int error = 0;
    if (fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = EINVAL;
    } else {
        const int flags = fcntl(fd, F_GETFL);
        if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) error = errno;
    }
    std::FILE* file = error == 0 ? fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (error == 0) error = errno;
        close(fd);
        errno = error;
    }
    return file;
}

const char* WhatIsAt(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return "nothing";
    if (S_ISDIR(info.st_mode)) return "a directory";
    if (S_ISFIFO(info.st_mode)) return "a FIFO";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "a device";
    if (S_ISSOCK(info.st_mode)) return "a socket";
    if (S_ISLNK(info.st_mode)) return "a symbolic link";
    return "a file";
}

std::FILE* OpenForWriting(const std::string& path) {
    // Emptied only once it is known to be the user's own single file (O_TRUNC would empty a hard
    // link's other file, and O_NONBLOCK keeps a pipe in the file's place from stopping the open).
    int fd = open(path.c_str(), kWriteFlags | O_CREAT, kNewFileMode);
    if (fd >= 0 && !IsOwnSingleFile(fd)) {
        close(fd);
        fd = -1;
        errno = EEXIST;
    }
    // ELOOP: a symbolic link; ENXIO: a pipe nobody reads; EEXIST: see above. The name is ours to reuse.
    if (fd < 0 && (errno == ELOOP || errno == ENXIO || errno == EEXIST)) {
        if (unlink(path.c_str()) != 0) return nullptr;
        fd = open(path.c_str(), kWriteFlags | O_CREAT | O_EXCL, kNewFileMode);
    }
    if (fd < 0) return nullptr;
    const int flags = fcntl(fd, F_GETFL);
    if (ftruncate(fd, 0) != 0 || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (!file) {
        const int error = errno;
        close(fd);
        errno = error;
    }
    return file;
}

}  // namespace Engine
