#include "game/app/GameData.h"

bool ParseGameData(GF::CInputStream& in, CGameData& data, std::string& why) {
    return ReadRecord(in, data, why);
}

void WriteGameData(GF::COutputStream& out, const CGameData& data) {
    WriteRecord(out, data);
}
