#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/Hge.h"

// The real engine started headless (SDL's offscreen video through EGL, dummy audio) with a game
// picture of the given size, for suites that draw and read the pixels back. Destroying it shuts
// the engine down and gives it back.
class CEngineFixture {
public:
    CEngineFixture(int width, int height);
    ~CEngineFixture();
    CEngineFixture(const CEngineFixture&) = delete;
    CEngineFixture& operator=(const CEngineFixture&) = delete;

    HGE* operator->() const { return m_hge; }
    HGE* Engine() const { return m_hge; }
    bool Ready() const { return m_ready; }
    std::string Error() const { return m_error; }

    // A texture's pixels (a render target's through Target_GetTexture), ARGB, top row first.
    struct Pixels {
        int width = 0;
        int height = 0;
        std::vector<DWORD> argb;
        DWORD At(int x, int y) const {
            return argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        }
    };
    Pixels Read(HTEXTURE tex) const;
    Pixels ReadTarget(HTARGET target) const { return Read(m_hge->Target_GetTexture(target)); }
    // Clears a new target of the size to `clear`, runs `draw` into it, and answers what it holds;
    // no pixels when the target can't be made or drawn into.
    Pixels DrawInto(int width, int height, DWORD clear, const std::function<void()>& draw) const;

private:
    HGE* m_hge = nullptr;
    bool m_ready = false;
    std::string m_error;
};

// A plain quad from (x, y) to (x + w, y + h) over the whole texture, one colour at every corner.
hgeQuad MakeQuad(float x, float y, float w, float h, DWORD color, HTEXTURE tex = 0,
                 int blend = BLEND_DEFAULT);
