#include "platform/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>

extern char** environ;

namespace Platform {

std::string ExecutablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

bool StartProgram(const std::string& path, const std::vector<std::string>& arguments, std::string& error,
                  bool wait) {
    std::vector<std::string> copies = arguments.empty() ? std::vector<std::string>{path} : arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The new program starts with no signal blocked or ignored, whatever this one's libraries set.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t child = 0;
    const int code = posix_spawnp(&child, path.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (code != 0) {
        error = "Can't start " + path + ": " + std::strerror(code);
        return false;
    }
    int status = 0;
    if (!wait || (waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0))
        return true;
    error = path + " did not end well";
    return false;
}

}  // namespace Platform
