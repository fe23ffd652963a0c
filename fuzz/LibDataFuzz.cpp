// "libdata.bin" as the library parser reads it, into a library that already holds an object.
#include "fuzz/TablesRoundTrip.h"
#include "game/app/LibData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CLibData held = [] {
        CLibData tables;
        tables.FindIngridientInfo("Devices.saucepan").Mask.Cells = {200, 0};
        tables.GetFrameGrid("icons").CellWidth = 64;
        return tables;
    }();
    CheckTablesRoundTrip(data, size, held, &ParseLibData, &WriteLibData);
    return 0;
}
