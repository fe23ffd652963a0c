#include "platform/SaveFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace Platform {

namespace {

std::string Reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// mkdir -p: each missing component is made; one that exists as a folder is fine.
bool MakeFolders(const std::string& path, std::string& error) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = Reason("Can't create", part);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = Reason("Can't read", path);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        errno = ENOTDIR;
        error = Reason("Can't use", path);
        return false;
    }
    return true;
}

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A folder named from outside (the environment) is only used when no one but the user can put files
// in it or replace them: otherwise links in place of its files could turn the program's writes against
// the user.
bool SafeFolder(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = Reason("Can't read", path);
        return false;
    }
    if (info.st_uid != getuid()) {
        error = "The save folder " + path + " belongs to another user: name one of yours in QUINDLE_SAVE_DIR";
    } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        error = "The save folder " + path +
                " can be written by other users: take their write permission away or name another in "
                "QUINDLE_SAVE_DIR";
    } else {
        return true;
    }
    return false;
}

bool SyncPath(const std::string& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

// Flushes the folder entry of a file just renamed: without it a power cut may bring back the old name.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    SyncPath(slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash)),
             O_RDONLY | O_DIRECTORY);
}

// rename that fails with EEXIST instead of replacing a file at the new name. Where the file system
// can't promise that, a look first stands in (the save folder is the user's alone).
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat info {};
    if (lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

std::string CleanTitle(const std::string& title) {
    constexpr std::string_view kRemoved = "\\/:*?\"<>|";
    std::string out;
    for (char c : title)
        if (kRemoved.find(c) == std::string_view::npos) out.push_back(c);
    return out;
}

std::string SaveFolder(const std::string& folderName, std::string& error, bool* refused) {
    error.clear();
    if (refused) *refused = false;
    std::string folder = FromEnvironment("QUINDLE_SAVE_DIR");
    const bool named = !folder.empty();
    if (!named) {
        const std::string dataHome = FromEnvironment("XDG_DATA_HOME");
        const std::string home = FromEnvironment("HOME");
        // The XDG rules ignore a relative XDG_DATA_HOME.
        if (!dataHome.empty() && dataHome[0] == '/') {
            folder = dataHome + "/" + folderName;
        } else if (!home.empty()) {
            folder = home + "/.local/share/" + folderName;
        } else {
            error = "Neither XDG_DATA_HOME nor HOME is set";
            return {};
        }
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (!MakeFolders(folder, error)) return {};
    if (named && !SafeFolder(folder, error)) {
        if (refused) *refused = true;
        return {};
    }
    return folder;
}

bool ReplaceFile(const std::string& temporary, const std::string& target, std::string& error) {
    errno = 0;
    if (!SyncPath(temporary, O_RDONLY)) {
        error = Reason("Can't flush", temporary);
        return false;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        error = Reason("Can't rename over", target);
        return false;
    }
    SyncFolderOf(target);
    return true;
}

bool SetAside(const std::string& path, const std::string& suffix, std::string& kept, std::string& error) {
    constexpr int kNames = 99;
    kept.clear();
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) return true;
    for (int number = 1; number <= kNames; ++number) {
        kept = path + suffix;
        if (number > 1) kept.append(".").append(std::to_string(number));
        if (RenameNoReplace(path, kept)) {
            SyncFolderOf(kept);
            return true;
        }
        if (errno != EEXIST) {
            error = Reason("Can't rename " + path + " to", kept);
            kept.clear();
            return false;
        }
    }
    error = "Can't keep " + path + " aside: " + path + suffix + " and its " + std::to_string(kNames - 1) +
            " numbered names are taken";
    kept.clear();
    return false;
}

}  // namespace Platform
