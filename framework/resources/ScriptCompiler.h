#pragma once

namespace GF {
namespace HGENS {

// The compile mode ("/cr SOURCE DEST" on the command line): builds the resource script from the
// source file and writes its byte code to the destination, without a window or a resource manager.
// Failures to open either file are reported on the standard output; compiler messages go to the
// engine's log. A script that does not build writes no byte code. True when the byte code was written.
bool CompileResourceScript(const char* source, const char* destination);

}  // namespace HGENS
}  // namespace GF
