#include "game/app/GameLog.h"

#include <cstdarg>
#include <cstdio>

#include "engine/Hge.h"

void GameLog(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("%s", line);
    hge->Release();
}
