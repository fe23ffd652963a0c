// The program's entry, for now: the engine's window and a frame that clears it.

#include "engine/Hge.h"

namespace {

HGE* g_hge = nullptr;

bool Frame() {
    if (g_hge->Gfx_BeginScene(0)) {
        g_hge->Gfx_Clear(0xFF181820);
        g_hge->Gfx_EndScene();
    }
    return false;
}

}  // namespace

int main() {
    g_hge = hgeCreate(HGE_VERSION);
    g_hge->System_SetStateFunc(HGE_FRAMEFUNC, Frame);
    g_hge->System_SetStateString(HGE_TITLE, "Quindle: Marvolant");
    g_hge->System_SetStateInt(HGE_SCREENWIDTH, 800);
    g_hge->System_SetStateInt(HGE_SCREENHEIGHT, 600);
    g_hge->System_SetStateBool(HGE_WINDOWED, true);
    g_hge->System_SetStateInt(HGE_FPS, 16);
    int result = 0;
    if (g_hge->System_Initiate()) {
        g_hge->System_Start();
    } else {
        result = 1;
    }
    g_hge->System_Shutdown();
    g_hge->Release();
    return result;
}
