// The program's entry: everything else lives in the framework's start-up, where tests reach it.

#include <cstdio>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "framework/app/ScriptedRun.h"
#include "framework/app/StartUp.h"
#include "game/app/Application.h"

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // The start-up allocates and frees in waves (the driver's shader compiler, decoded pictures on
    // their way to textures). Memory given back to the system at each free has to be faulted in
    // again, page by page, by the next wave: keep it in the heap instead.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
#endif
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
