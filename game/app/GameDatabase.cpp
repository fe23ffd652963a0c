#include "engine/Hge.h"
#include "game/app/GameData.h"

CGameData& GetGameData() {
    static CGameData data;
    return data;
}

bool ReadGameData(GF::THolder<GF::IDataInputStream> stream) {
    std::string why = "no stream";
    if (stream && ParseGameData(*stream, GetGameData(), why)) return true;
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("gamedata.bin: %s", why.c_str());
    hge->Release();
    return false;
}
