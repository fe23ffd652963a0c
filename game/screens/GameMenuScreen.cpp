#include "game/screens/GameMenuScreen.h"

#include "engine/Hge.h"

void LogMissingPart(const std::string& screen, const std::string& part) {
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Screen \"%s\": the layout lacks \"%s\"; left out", screen.c_str(), part.c_str());
    hge->Release();
}
