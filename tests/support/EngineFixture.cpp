#include "tests/support/EngineFixture.h"

#include <cstdlib>

CEngineFixture::CEngineFixture(int width, int height) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (!getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    m_hge = hgeCreate(HGE_VERSION);
    m_hge->System_SetStateString(HGE_TITLE, "engine test");
    m_hge->System_SetStateInt(HGE_SCREENWIDTH, width);
    m_hge->System_SetStateInt(HGE_SCREENHEIGHT, height);
    m_hge->System_SetStateBool(HGE_WINDOWED, true);
    m_hge->System_SetStateInt(HGE_FPS, 0);
    m_ready = m_hge->System_Initiate();
    if (!m_ready) m_error = m_hge->System_GetErrorMessage();
}

CEngineFixture::~CEngineFixture() {
    m_hge->System_Shutdown();
    m_hge->Release();
}

CEngineFixture::Pixels CEngineFixture::Read(HTEXTURE tex) const {
    Pixels pixels;
    const int width = m_hge->Texture_GetWidth(tex, false);
    const int height = m_hge->Texture_GetHeight(tex, false);
    const DWORD* data = m_hge->Texture_Lock(tex, true, 0, 0, 0, 0);
    if (!data) return pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.argb.assign(data, data + static_cast<size_t>(width) * static_cast<size_t>(height));
    m_hge->Texture_Unlock(tex);
    return pixels;
}

hgeQuad MakeQuad(float x, float y, float w, float h, DWORD color, HTEXTURE tex, int blend) {
    hgeQuad quad{};
    quad.v[0] = {x, y, 0.5f, color, 0, 0};
    quad.v[1] = {x + w, y, 0.5f, color, 1, 0};
    quad.v[2] = {x + w, y + h, 0.5f, color, 1, 1};
    quad.v[3] = {x, y + h, 0.5f, color, 0, 1};
    quad.tex = tex;
    quad.blend = blend;
    return quad;
}

CEngineFixture::Pixels CEngineFixture::DrawInto(int width, int height, DWORD clear,
                                                const std::function<void()>& draw) const {
    const HTARGET target = m_hge->Target_Create(width, height, false);
    if (!target) return {};
    Pixels pixels;
    if (m_hge->Gfx_BeginScene(target)) {
        m_hge->Gfx_Clear(clear);
        draw();
        m_hge->Gfx_EndScene();
        pixels = ReadTarget(target);
    }
    m_hge->Target_Free(target);
    return pixels;
}
