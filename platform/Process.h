#pragma once
#include <string>
#include <vector>

namespace Platform {

// The full path of the running program's own executable; empty when the system does not say.
std::string ExecutablePath();

// Starts the program at path as a new process, with the arguments as its whole argument list (the
// program's name first) and this process's environment, and does not wait for it. false, with the
// reason in error, when it could not be started.
bool StartProgram(const std::string& path, const std::vector<std::string>& arguments, std::string& error);

}  // namespace Platform
