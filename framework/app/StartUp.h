#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/core/WString.h"
#include "platform/MachineCheck.h"

class HGE;

namespace GF {
namespace HGENS {

class CApplication;

struct tagStartUpOptions {
    // The application the program runs: the program names the game's factory, a test the one it
    // means. Without one the start-up ends with 1 once the engine is up.
    std::unique_ptr<CApplication> (*createApplication)(HGE* hge) = nullptr;
    // Tests put a stand-in here: the real check makes an OpenGL context.
    Platform::tagMachineCheck (*checkMachine)() = &Platform::CheckMachine;
    // Tests that script input put a step here: it runs at the start of every frame, given the
    // frame's number from 0, before the frame reads the input.
    void (*beforeFrame)(int frame) = nullptr;
};

// The program from its command line (the tokens, the program first) to its exit code:
// "/cr SOURCE DEST" compiles the resource script; otherwise the machine check, one running copy,
// the engine set up, the application created, started, run and ended, the engine shut down.
// A second copy ends at once with 0; failures show a message and answer 1. SIGTERM and SIGINT end the
// program through its frame loop and its closing save, or after a short grace while the start-up or a
// load keeps the loop away; a second one ends it at once.
int RunProgram(const std::vector<std::string>& arguments, const tagStartUpOptions& options = {});

// What the program keeps of its command line for a level editor: the text after the program name,
// at most 511 UTF-16 units.
WString CommandLineText(const std::vector<std::string>& arguments);

}  // namespace HGENS
}  // namespace GF
