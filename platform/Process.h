#pragma once
#include <string>
#include <vector>

namespace Platform {

// The full path of the running program's own executable; empty when the system does not say.
std::string ExecutablePath();

// Starts the program at path (a name without a slash looked up on PATH) as a new process, with the
// arguments as its whole argument list (the program's name first) and this process's environment.
// false, with the reason in error, when it could not be started, or when it was waited for and did
// not end with exit code 0.
bool StartProgram(const std::string& path, const std::vector<std::string>& arguments, std::string& error,
                  bool wait = false);

}  // namespace Platform
