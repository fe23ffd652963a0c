#include "game/app/GameData.h"
#include "game/app/GameLog.h"

CGameData& GetGameData() {
    static CGameData data;
    return data;
}

bool ReadGameData(GF::THolder<GF::IDataInputStream> stream) {
    std::string why = "no stream";
    if (stream && ParseGameData(*stream, GetGameData(), why)) return true;
    GameLog("gamedata.bin: %s", why.c_str());
    return false;
}
