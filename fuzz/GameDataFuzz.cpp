// "gamedata.bin" as the game parses it. Beyond the sanitizers: an accepted input writes bytes that
// parse again and write the same bytes; a refused one leaves the database it was read into as it was.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "fuzz/FuzzCheck.h"
#include "game/app/GameData.h"

namespace {

std::vector<unsigned char> Written(const CGameData& data) {
    GF::CMemoryOutputStream out;
    WriteGameData(out, data);
    return out.data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGameData database;
    database.helpValue = 7;
    database.players.players[u"kept"].name = u"kept";
    const std::vector<unsigned char> before = Written(database);

    GF::CMemoryInputStream in(std::vector<unsigned char>(data, data + size));
    std::string why;
    if (!ParseGameData(in, database, why)) {
        FUZZ_CHECK(!why.empty());
        FUZZ_CHECK(Written(database) == before);
        return 0;
    }
    const std::vector<unsigned char> once = Written(database);
    GF::CMemoryInputStream again(once);
    CGameData reread;
    FUZZ_CHECK(ParseGameData(again, reread, why));
    FUZZ_CHECK(again.Remaining() == 0);
    FUZZ_CHECK(Written(reread) == once);
    return 0;
}
