// The resource script's source, as the program takes "Animation\\effects.as" when there is no byte
// code: checked against the compiler's bounds, compiled, and FillResource run on its budget. Whatever
// the text, the compiler must not overflow the stack, and the run must end (libFuzzer's time limit tells
// a hang) within the memory limit. The budget is smaller than the program's, so that the many endless
// scripts a fuzzer writes end sooner; the bounds on the source are the program's.
#include <cstddef>
#include <cstdint>

#include "framework/core/Holder.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/ScriptEngine.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;
using namespace GF::HGENS;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingEngine engine;
    {
        THolder<CResourceReader> reader(new CResourceReader(nullptr));
        reader->Script().SetBudget(100000, 4u << 20);
        const auto* text = reinterpret_cast<const char*>(data);
        const auto length = static_cast<unsigned>(size);
        const bool built = reader->Script().Build(text, length);
        FUZZ_CHECK(!built || length <= CScriptEngine::kMaxSourceBytes);
        if (built) reader->RunFillResource();
    }
    FUZZ_CHECK(engine.outstandingBlocks == 0);
    return 0;
}
