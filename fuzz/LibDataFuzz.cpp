// "libdata.bin" as the library parser reads it, into a library that already holds an object; then
// every mask read hit-tested over its frame and beyond, and at points that have no place in it.
#include <cmath>
#include <cstdint>
#include <limits>

#include "fuzz/TablesRoundTrip.h"
#include "game/app/LibData.h"
#include "game/kitchen/CookObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CLibData held = [] {
        CLibData tables;
        tables.FindIngridientInfo("Devices.saucepan").Mask.Cells = {200, 0};
        tables.GetFrameGrid("icons").CellWidth = 64;
        return tables;
    }();
    CLibData read;
    if (!CheckTablesRoundTrip(data, size, held, &ParseLibData, &WriteLibData, &read)) return 0;
    constexpr float kNowhere[] = {std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity()};
    for (const auto& [name, object] : read.Ingridients) {
        const CCellMaskInfo& mask = object.Mask;
        // The mask's frame from a cell before its corner to a cell past its far end, at most 64 across.
        const int64_t width = mask.Value1 < 64 ? mask.Value1 : 64,
                      height = mask.Value4 < 64 ? mask.Value4 : 64;
        for (int64_t y = -1; y <= height; ++y)
            for (int64_t x = -1; x <= width; ++x)
                MaskHit(mask, {static_cast<float>(mask.Value2 + x) + 0.5f,
                               static_cast<float>(mask.Value3 + y) + 0.5f});
        for (float nowhere : kNowhere) {
            FUZZ_CHECK(!MaskHit(mask, {nowhere, 0.0f}));
            FUZZ_CHECK(!MaskHit(mask, {0.0f, nowhere}));
        }
    }
    return 0;
}
