// The program's entry: everything else lives in the framework's start-up, where tests reach it.

#include <string>
#include <vector>

#include "framework/app/StartUp.h"
#include "game/app/Application.h"

int main(int argc, char** argv) {
    GF::HGENS::tagStartUpOptions options;
    // Naming the game's factory here makes the linker take it, and the game's application with it,
    // from the game library; else the framework's weak stand-in would satisfy the start-up alone.
    options.createApplication = &CreateApplication;
    return GF::HGENS::RunProgram(std::vector<std::string>(argv, argv + argc), options);
}
