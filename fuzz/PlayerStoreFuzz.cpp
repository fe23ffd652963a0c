// The game's part of "Setting" (the version word, then the player store) as the game loads it over
// the store of the game data. Beyond the sanitizers: a loaded store saves bytes that load again and
// save the same bytes; any other answer leaves the store in memory as it was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "fuzz/FuzzCheck.h"
#include "game/app/PlayerStore.h"

namespace {

std::vector<unsigned char> Saved(const CPlayerStore& store) {
    GF::CMemoryOutputStream out;
    SaveSettingsPart(out, store);
    return out.data;
}

CPlayerStore DefaultStore() {
    CPlayerStore store;
    store.version = 2;
    store.players[u""].stageName = "stage1";
    store.players[u""].floatVars[7] = 60.0f;
    return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPlayerStore store = DefaultStore();
    const std::vector<unsigned char> before = Saved(store);

    GF::CMemoryInputStream in(std::vector<unsigned char>(data, data + size));
    std::string why;
    if (LoadSettingsPart(in, store, why) != ESettingsPart::Loaded) {
        FUZZ_CHECK(Saved(store) == before);
        return 0;
    }
    FUZZ_CHECK(store.version == 2);
    const std::vector<unsigned char> once = Saved(store);
    GF::CMemoryInputStream again(once);
    CPlayerStore reread = DefaultStore();
    FUZZ_CHECK(LoadSettingsPart(again, reread, why) == ESettingsPart::Loaded);
    FUZZ_CHECK(again.Remaining() == 0);
    FUZZ_CHECK(Saved(reread) == once);
    return 0;
}
