#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/FileOpen.h"
#include "platform/SaveFolder.h"

namespace Platform {

namespace {

// The copy that holds the lock in this process, if any (two objects never both hold it: their locks
// conflict like those of two processes).
CSingleInstance* g_holder = nullptr;

// Whether the name still leads to the open file (another copy may have replaced the file meanwhile).
bool StillNamed(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// What is neither missing, nor a plain file, nor a link: the lock is never made in its place.
bool IsSpecialFile(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode);
}

}  // namespace

std::string CSingleInstance::LockPath(const std::string& title, std::string& error) {
    const std::string name = CleanTitle(title);
    const std::string folder = SaveFolder(name, error);
    return folder.empty() ? std::string() : folder + "/" + name + ".lock";
}

CSingleInstance::EResult CSingleInstance::Acquire(const std::string& title) {
    Release();
    m_refusal.clear();
    std::string noFolder;
    const std::string path = LockPath(title, noFolder);
    if (path.empty()) {
        m_refusal = "No save folder for the game: " + noFolder;
        return kUnavailable;
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (IsSpecialFile(path)) {
            m_refusal = "The instance lock " + path + " is " + Engine::WhatIsAt(path) +
                        ", not a regular file: remove it, then start the game again";
            return kRefused;
        }
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
        // Only the user's own single file is locked in place (a link is never opened, see O_NOFOLLOW;
        // a hard link may be another file of the user's): anything else is put aside, made anew.
        if (fd >= 0 && !Engine::IsOwnSingleFile(fd)) {
            close(fd);
            fd = -1;
            errno = EPERM;
        }
        if (fd < 0) {
            // Whatever stands there is not a lock of ours: it goes, and the next attempt makes one.
            const int error = errno;
            if (error == ENOENT || unlink(path.c_str()) != 0) {
                m_refusal = "Can't make the instance lock " + path + ": " +
                            std::strerror(error == ENOENT ? error : errno);
                return kUnavailable;
            }
            continue;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            close(fd);
            if (error == EWOULDBLOCK) return kAlreadyRunning;
            m_refusal = "Can't lock " + path + ": " + std::strerror(error);
            return kUnavailable;
        }
        if (!StillNamed(fd, path)) {
            close(fd);
            continue;
        }
        m_fd = fd;
        g_holder = this;
        return kAcquired;
    }
    m_refusal = "Can't keep the instance lock " + path + " in place";
    return kUnavailable;
}

void CSingleInstance::Release() {
    if (m_fd < 0) return;
    flock(m_fd, LOCK_UN);
    close(m_fd);
    m_fd = -1;
    if (g_holder == this) g_holder = nullptr;
}

void CSingleInstance::ReleaseHeld() {
    if (g_holder) g_holder->Release();
}

}  // namespace Platform
