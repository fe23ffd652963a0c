// The program's entry: everything else lives in the framework's start-up, where tests reach it.

#include <cstdio>
#include <string>
#include <vector>

#include "framework/app/ScriptedRun.h"
#include "framework/app/StartUp.h"
#include "game/app/Application.h"

int main(int argc, char** argv) {
    GF::HGENS::tagStartUpOptions options;
    options.createApplication = &CreateApplication;
    // The screen tour plays the program from a script; nothing changes unless its environment asks.
    std::string error;
    if (!GF::HGENS::CScriptedRun::Install(options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return GF::HGENS::RunProgram(std::vector<std::string>(argv, argv + argc), options);
}
