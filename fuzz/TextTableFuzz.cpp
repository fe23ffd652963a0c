// The text table, "Binary\\textdata.txt", served by the engine from the fuzz input. Every text the
// table answers is read through, so that a text pointing outside the table shows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/resources/TextTable.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingEngine engine;
    engine.AddResource("Binary\\textdata.txt", std::vector<unsigned char>(data, data + size));
    HGENS::CTextTable& table = HGENS::CTextTable::Instance();
    table.Load();
    FUZZ_CHECK(engine.outstandingBlocks == 0);

    std::size_t units = 0;
    int count = 0;
    for (; const WString* text = table.TextAt(count); ++count) units += text->size();
    // Each text came from at least two lines of the file: no more texts than half its units.
    FUZZ_CHECK(static_cast<std::size_t>(count) <= size / 4 + 1);
    FUZZ_CHECK(units <= size / 2);
    for (const char* key : {"", "title", "\xff", "a"}) FUZZ_CHECK(table.Find(key) != nullptr);
    return 0;
}
