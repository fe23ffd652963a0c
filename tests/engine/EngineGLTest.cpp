#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "tests/support/EngineFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kBlack = 0xFF000000;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;

// Each channel of two ARGB colours within `tolerance`.
::testing::AssertionResult Near(DWORD actual, DWORD expected, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof text, "0x%08X, expected 0x%08X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

fs::path TempDir() {
    const fs::path dir =
        fs::temp_directory_path() / ("engine-gl-" + std::to_string(::getpid()) + "-" +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    return dir;
}

class EngineGL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.Ready()) << engine.Error(); }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(TempDir(), error);
    }

    // A texture of one colour.
    HTEXTURE SolidTexture(int width, int height, DWORD color) {
        const HTEXTURE tex = engine->Texture_Create(width, height);
        DWORD* pixels = engine->Texture_Lock(tex, false, 0, 0, 0, 0);
        EXPECT_NE(pixels, nullptr);
        if (pixels) std::fill(pixels, pixels + width * height, color);
        engine->Texture_Unlock(tex);
        return tex;
    }

    void Quad(float x, float y, float w, float h, DWORD color, HTEXTURE tex = 0, int blend = BLEND_DEFAULT) {
        const hgeQuad quad = MakeQuad(x, y, w, h, color, tex, blend);
        engine->Gfx_RenderQuad(&quad);
    }

    CEngineFixture engine{200, 100};
};

}  // namespace

TEST_F(EngineGL, StatesWhileTheWindowIsOpen) {
    EXPECT_NE(engine->System_GetStateHwnd(HGE_HWND), 0u);
    EXPECT_EQ(engine->System_GetStateInt(HGE_SCREENBPP), 32);
    EXPECT_EQ(engine->System_GetStateInt(HGE_CLIENTWIDTH), 200);
    EXPECT_EQ(engine->System_GetStateInt(HGE_CLIENTHEIGHT), 100);
    EXPECT_EQ(engine->System_GetStateInt(HGE_DESKTOPBPP), 32);
    EXPECT_GT(engine->System_GetStateInt(HGE_DESKTOPHEIGHT), 0);
    // The window opens on the display whose depth the machine check measured before it existed, and
    // the desktop the engine reports is that of the display the window is on.
    SDL_Window* window = reinterpret_cast<SDL_Window*>(engine->System_GetStateHwnd(HGE_HWND));
    const int shown = SDL_GetWindowDisplayIndex(window);
    ASSERT_GE(shown, 0) << SDL_GetError();
    EXPECT_EQ(Engine::WindowDisplay(window), shown);
    EXPECT_EQ(shown, Engine::WindowDisplay(nullptr));
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(shown, &desktop), 0) << SDL_GetError();
    EXPECT_EQ(engine->System_GetStateInt(HGE_DESKTOPHEIGHT), desktop.h);
    EXPECT_STREQ(engine->System_GetStateString(HGE_TITLE), "engine test");

    engine->System_SetStateBool(HGE_WINDOWED, false);
    EXPECT_FALSE(engine->System_GetStateBool(HGE_WINDOWED));
    engine->System_SetStateBool(HGE_WINDOWED, true);
    EXPECT_TRUE(engine->System_GetStateBool(HGE_WINDOWED));
}

TEST_F(EngineGL, AQuadLandsWhereItWasDrawn) {
    const auto pixels = engine.DrawInto(64, 48, kBlack, [&] { Quad(8, 4, 16, 10, kRed); });
    ASSERT_EQ(pixels.width, 64);
    const struct {
        int x, y;
        DWORD color;
    } cases[] = {
        {8, 4, kRed},    {23, 4, kRed},  {8, 13, kRed},   {23, 13, kRed},   {7, 4, kBlack},
        {24, 4, kBlack}, {8, 3, kBlack}, {8, 14, kBlack}, {40, 30, kBlack},
    };
    for (const auto& c : cases) EXPECT_TRUE(Near(pixels.At(c.x, c.y), c.color, 0)) << c.x << "," << c.y;
}

TEST_F(EngineGL, BlendModesMixColourAndAlphaAsAsked) {
    const HTEXTURE tex = SolidTexture(4, 4, 0xFF406080);
    const struct {
        const char* name;
        DWORD clear;
        DWORD vertex;
        HTEXTURE tex;
        int blend;
        DWORD expected;
    } cases[] = {
        // Half-transparent white over grey 0x40: blended is 0x80 + 0x40 / 2, added is 0x80 + 0x40.
        {"alpha blend", 0xFF404040, 0x80FFFFFF, 0, BLEND_ALPHABLEND, 0xFF9F9F9F},
        {"alpha add", 0xFF404040, 0x80FFFFFF, 0, BLEND_ALPHAADD, 0xFFC0C0C0},
        // Texture 40 60 80 with vertex colour 80 80 80: multiplied halves it, added sums (and clamps).
        {"colour multiply", kBlack, 0xFF808080, tex, BLEND_COLORMUL | BLEND_ALPHABLEND, 0xFF203040},
        {"colour add", kBlack, 0xFF808080, tex, BLEND_COLORADD | BLEND_ALPHABLEND, 0xFFC0E0FF},
        {"depth write bit", kBlack, 0xFF808080, tex, BLEND_DEFAULT_Z, 0xFF203040},
        {"no texture ignores colour add", kBlack, 0xFF123456, 0, BLEND_COLORADD | BLEND_ALPHABLEND,
         0xFF123456},
    };
    for (const auto& c : cases) {
        const auto pixels =
            engine.DrawInto(16, 16, c.clear, [&] { Quad(0, 0, 16, 16, c.vertex, c.tex, c.blend); });
        EXPECT_TRUE(Near(pixels.At(8, 8) | 0xFF000000, c.expected)) << c.name;
    }
    engine->Texture_Free(tex);
}

TEST_F(EngineGL, ClippingKeepsDrawingInsideTheRectangle) {
    const auto pixels = engine.DrawInto(64, 48, kBlack, [&] {
        engine->Gfx_SetClipping(10, 5, 20, 8);
        Quad(0, 0, 64, 48, kRed);
        engine->Gfx_SetClipping();
        Quad(60, 40, 4, 8, kGreen);  // clipping off again
    });
    const struct {
        int x, y;
        DWORD color;
    } cases[] = {
        {10, 5, kRed},   {29, 5, kRed},   {10, 12, kRed},   {29, 12, kRed},   {9, 5, kBlack},
        {30, 5, kBlack}, {10, 4, kBlack}, {10, 13, kBlack}, {62, 45, kGreen},
    };
    for (const auto& c : cases) EXPECT_TRUE(Near(pixels.At(c.x, c.y), c.color, 0)) << c.x << "," << c.y;

    // A clear hides what was drawn before it where it paints, and only there.
    const auto cleared = engine.DrawInto(64, 48, kBlack, [&] {
        Quad(0, 0, 64, 48, kGreen);
        engine->Gfx_Clear(kRed);
        Quad(0, 0, 4, 4, kBlue);
        engine->Gfx_SetClipping(10, 5, 20, 8);
        Quad(0, 0, 64, 48, kGreen);
        engine->Gfx_Clear(kBlack);
        engine->Gfx_SetClipping();
    });
    EXPECT_TRUE(Near(cleared.At(2, 2), kBlue, 0));
    EXPECT_TRUE(Near(cleared.At(40, 30), kRed, 0));
    EXPECT_TRUE(Near(cleared.At(10, 5), kBlack, 0));
    EXPECT_TRUE(Near(cleared.At(29, 12), kBlack, 0));
}

TEST_F(EngineGL, TheScreenPictureIsStretchedOverTheWindowTopRowFirst) {
    // The window stays 200x100; a 100x50 game picture is drawn twice as large.
    engine->System_SetStateInt(HGE_SCREENWIDTH, 100);
    engine->System_SetStateInt(HGE_SCREENHEIGHT, 50);
    auto* real = dynamic_cast<Engine::CEngine*>(engine.Engine());
    ASSERT_NE(real, nullptr);
    ASSERT_TRUE(engine->Gfx_BeginScene(0));
    engine->Gfx_Clear(kBlack);
    Quad(0, 0, 50, 25, kRed);
    engine->Gfx_SetClipping(60, 30, 10, 5);
    Quad(0, 0, 100, 50, kGreen);
    int width = 0, height = 0;
    const std::vector<uint32_t> screen = real->ReadScene(&width, &height);
    engine->Gfx_EndScene();
    ASSERT_EQ(width, 200);
    ASSERT_EQ(height, 100);
    auto at = [&](int x, int y) { return screen[static_cast<size_t>(y * width + x)]; };
    EXPECT_TRUE(Near(at(0, 0), kRed, 0));
    EXPECT_TRUE(Near(at(99, 49), kRed, 0));
    EXPECT_TRUE(Near(at(100, 49), kBlack, 0));
    EXPECT_TRUE(Near(at(99, 50), kBlack, 0));
    EXPECT_TRUE(Near(at(120, 60), kGreen, 0));  // the clip rectangle, in window pixels 120..139 x 60..69
    EXPECT_TRUE(Near(at(139, 69), kGreen, 0));
    EXPECT_TRUE(Near(at(119, 60), kBlack, 0));
    EXPECT_TRUE(Near(at(120, 70), kBlack, 0));
    EXPECT_TRUE(Near(at(120, 59), kBlack, 0));
}

// A dialog draws only itself over the screen it opened from: the rest of the picture must be the
// previous frame's, whatever the window system leaves behind a swap, clipping or not, and even when
// a texture that frame drew has changed since.
TEST_F(EngineGL, WhatAFrameLeavesUndrawnIsThePreviousFrame) {
    auto* real = dynamic_cast<Engine::CEngine*>(engine.Engine());
    ASSERT_NE(real, nullptr);
    // What a window system may leave in the back buffer after a swap.
    const auto leaveYellow = [] {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(1, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    // The next frame draws a blue square only and answers what it shows.
    const auto nextFrame = [&] {
        EXPECT_TRUE(engine->Gfx_BeginScene(0));
        Quad(50, 50, 10, 10, kBlue);
        int width = 0, height = 0;
        std::vector<uint32_t> screen = real->ReadScene(&width, &height);
        engine->Gfx_EndScene();
        EXPECT_EQ(width, 200);
        EXPECT_EQ(height, 100);
        leaveYellow();
        return screen;
    };
    const auto at = [](const std::vector<uint32_t>& screen, int x, int y) {
        return screen.size() == 200 * 100 ? screen[static_cast<size_t>(y * 200 + x)] : 0u;
    };

    const HTEXTURE green = SolidTexture(4, 4, kGreen);
    ASSERT_TRUE(engine->Gfx_BeginScene(0));
    engine->Gfx_Clear(kRed);
    Quad(0, 0, 10, 10, 0xFFFFFFFF, green);
    engine->Gfx_SetClipping(150, 0, 10, 10);  // left on at the end of the frame
    engine->Gfx_EndScene();
    leaveYellow();
    DWORD* pixels = engine->Texture_Lock(green, false, 0, 0, 0, 0);
    ASSERT_NE(pixels, nullptr);
    std::fill(pixels, pixels + 16, kBlack);
    engine->Texture_Unlock(green);
    for (int frame = 0; frame < 2; ++frame) {
        const std::vector<uint32_t> screen = nextFrame();
        EXPECT_TRUE(Near(at(screen, 5, 5), kGreen, 0)) << frame;
        EXPECT_TRUE(Near(at(screen, 55, 55), kBlue, 0)) << frame;
        EXPECT_TRUE(Near(at(screen, 120, 80), kRed, 0)) << frame;
        EXPECT_TRUE(Near(at(screen, 199, 99), kRed, 0)) << frame;
    }

    // A frame drawn over the whole picture leaves nothing of the one before only where it is opaque:
    // here the opaque left half of a texture, then its transparent right half.
    const HTEXTURE halves = engine->Texture_Create(4, 2);
    pixels = engine->Texture_Lock(halves, false, 0, 0, 0, 0);
    ASSERT_NE(pixels, nullptr);
    for (int i = 0; i < 8; ++i) pixels[i] = i % 4 < 2 ? kGreen : 0x80FFFFFF;
    engine->Texture_Unlock(halves);
    const auto wholePicture = [&](float right) {
        hgeQuad quad = MakeQuad(0, 0, 200, 100, 0xFFFFFFFF, halves);
        quad.v[1].tx = quad.v[2].tx = right;
        engine->Gfx_RenderQuad(&quad);
    };
    ASSERT_TRUE(engine->Gfx_BeginScene(0));
    wholePicture(0.25f);
    engine->Gfx_EndScene();
    leaveYellow();
    std::vector<uint32_t> screen = nextFrame();
    EXPECT_TRUE(Near(at(screen, 5, 5), kGreen, 0));
    EXPECT_TRUE(Near(at(screen, 199, 99), kGreen, 0));
    EXPECT_TRUE(Near(at(screen, 55, 55), kBlue, 0));
    ASSERT_TRUE(engine->Gfx_BeginScene(0));
    engine->Gfx_Clear(kRed);
    engine->Gfx_EndScene();
    leaveYellow();
    ASSERT_TRUE(engine->Gfx_BeginScene(0));
    wholePicture(1.0f);
    engine->Gfx_EndScene();
    leaveYellow();
    screen = nextFrame();
    EXPECT_TRUE(Near(at(screen, 199, 99), 0xFFFF8080)) << "half white over red";
    EXPECT_TRUE(Near(at(screen, 55, 55), kBlue, 0));
}

TEST_F(EngineGL, ARenderTargetDrawsAsATextureTheRightWayUp) {
    const HTARGET inner = engine->Target_Create(32, 32, false);
    ASSERT_NE(inner, 0u);
    ASSERT_TRUE(engine->Gfx_BeginScene(inner));
    engine->Gfx_Clear(kGreen);
    Quad(0, 0, 16, 16, kRed);
    engine->Gfx_EndScene();
    const HTEXTURE tex = engine->Target_GetTexture(inner);
    EXPECT_EQ(engine->Texture_GetWidth(tex, false), 32);

    const auto pixels = engine.DrawInto(64, 64, kBlack, [&] { Quad(0, 0, 64, 64, 0xFFFFFFFF, tex); });
    EXPECT_TRUE(Near(pixels.At(4, 4), kRed, 0));
    EXPECT_TRUE(Near(pixels.At(60, 4), kGreen, 0));
    EXPECT_TRUE(Near(pixels.At(4, 60), kGreen, 0));
    engine->Texture_Free(tex);  // owned by the target: ignored
    EXPECT_EQ(engine->Texture_GetWidth(tex, false), 32);
    engine->Target_Free(inner);
    EXPECT_EQ(engine->Texture_GetWidth(tex, false), 0);
}

TEST_F(EngineGL, AWritableLockShowsAfterUnlockAndAReadOnlyLockDoesNot) {
    const HTEXTURE tex = engine->Texture_Create(8, 8);
    EXPECT_EQ(engine.Read(tex).argb, std::vector<DWORD>(64, 0));  // new textures are cleared

    DWORD* rect = engine->Texture_Lock(tex, false, 2, 3, 4, 2);
    ASSERT_NE(rect, nullptr);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) rect[y * 8 + x] = kRed;  // rows are the texture's width apart
    }
    engine->Texture_Unlock(tex);
    DWORD* whole = engine->Texture_Lock(tex, true);
    ASSERT_NE(whole, nullptr);
    whole[0] = kBlue;                                     // read-only: not uploaded
    EXPECT_EQ(engine->Texture_Lock(tex, true), nullptr);  // one lock at a time
    engine->Texture_Unlock(tex);
    EXPECT_EQ(engine->Texture_Lock(tex, false, 6, 6, 4, 4), nullptr);  // outside the texture

    const auto pixels = engine.DrawInto(8, 8, kBlack, [&] { Quad(0, 0, 8, 8, 0xFFFFFFFF, tex); });
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
            EXPECT_TRUE(Near(pixels.At(x, y), inside ? kRed : kBlack, 0)) << x << "," << y;
        }
    }
    engine->Texture_Free(tex);
    EXPECT_EQ(engine->Texture_Lock(tex, true), nullptr);
}

TEST_F(EngineGL, ImageFilesLoadWithTheirSizeAndTopRowFirst) {
    const fs::path dir = TempDir();
    // 30x20: red top-left pixel, blue elsewhere.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 30, 20, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface, nullptr);
    SDL_FillRect(surface, nullptr, kBlue);
    static_cast<uint32_t*>(surface->pixels)[0] = kRed;
    ASSERT_EQ(IMG_SavePNG(surface, (dir / "image.png").c_str()), 0);
    ASSERT_EQ(SDL_SaveBMP(surface, (dir / "image.bmp").c_str()), 0);
    // An uncompressed 32-bit Targa file, rows from the top.
    std::vector<unsigned char> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 0, 20, 0, 32, 0x28};
    const auto* argb = static_cast<const uint32_t*>(surface->pixels);
    for (int i = 0; i < 30 * 20; ++i) {
        for (int shift = 0; shift < 32; shift += 8)
            tga.push_back(static_cast<unsigned char>(argb[i] >> shift));
    }
    std::ofstream(dir / "image.tga", std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), tga.size());
    std::ofstream(dir / "broken.png", std::ios::binary) << "not an image";
    SDL_FreeSurface(surface);

    for (const char* name : {"image.png", "image.bmp", "image.tga"}) {
        const HTEXTURE tex = engine->Texture_Load((dir / name).c_str());
        ASSERT_NE(tex, 0u) << name;
        EXPECT_EQ(engine->Texture_GetWidth(tex, false), 30) << name;
        EXPECT_EQ(engine->Texture_GetWidth(tex, true), 30) << name;
        EXPECT_EQ(engine->Texture_GetHeight(tex, false), 20) << name;
        EXPECT_EQ(engine->Texture_GetHeight(tex, true), 20) << name;
        const auto pixels = engine.Read(tex);
        EXPECT_TRUE(Near(pixels.At(0, 0), kRed, 0)) << name;
        EXPECT_TRUE(Near(pixels.At(1, 0), kBlue, 0)) << name;
        EXPECT_TRUE(Near(pixels.At(29, 19), kBlue, 0)) << name;
        engine->Texture_Free(tex);
    }
    EXPECT_EQ(engine->Texture_Load((dir / "missing.png").c_str()), 0u);
    EXPECT_EQ(engine->Texture_Load((dir / "broken.png").c_str()), 0u);
}

TEST_F(EngineGL, PrimitivesSharingBlendGoInOneDrawCallForUpToFourTextures) {
    const HTEXTURE first = SolidTexture(4, 4, 0xFFFFFFFF);
    const HTEXTURE second = SolidTexture(4, 4, 0xFFFFFFFF);
    HTEXTURE five[5] = {};
    for (HTEXTURE& tex : five) tex = SolidTexture(4, 4, 0xFFFFFFFF);
    const struct {
        const char* name;
        std::function<void()> draw;
        int calls;
    } cases[] = {
        {"100 quads of one texture",
         [&] {
             for (int i = 0; i < 100; ++i) Quad(static_cast<float>(i % 10), 0, 4, 4, 0xFFFFFFFF, first);
         },
         1},
        {"textures alternating",
         [&] {
             for (int i = 0; i < 100; ++i) Quad(0, 0, 4, 4, 0xFFFFFFFF, i % 2 ? first : second);
         },
         1},
        {"five textures in turn, one over the other",
         [&] {
             for (int i = 0; i < 10; ++i) Quad(0, 0, 4, 4, 0xFFFFFFFF, five[i % 5]);
         },
         3},
        {"blend alternating",
         [&] {
             for (int i = 0; i < 10; ++i)
                 Quad(0, 0, 4, 4, 0xFFFFFFFF, first, i % 2 ? BLEND_DEFAULT : BLEND_ALPHAADD);
         },
         10},
        {"depth bit does not split",
         [&] {
             for (int i = 0; i < 10; ++i)
                 Quad(0, 0, 4, 4, 0xFFFFFFFF, first, i % 2 ? BLEND_DEFAULT : BLEND_DEFAULT_Z);
         },
         1},
        {"a batch and the quads after it",
         [&] {
             int max = 0;
             hgeVertex* v = engine->Gfx_StartBatch(HGEPRIM_QUADS, first, BLEND_DEFAULT, &max);
             ASSERT_GE(max, 100);
             for (int i = 0; i < 100; ++i) {
                 const hgeQuad quad = MakeQuad(0, 0, 4, 4, 0xFFFFFFFF, first);
                 std::copy(quad.v, quad.v + 4, v + i * 4);
             }
             engine->Gfx_FinishBatch(100);
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
         },
         1},
        {"point batches, and clipping and transform set as they were",
         [&] {
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
             for (int i = 0; i < 3; ++i) {
                 int max = 0;
                 auto* points = reinterpret_cast<hgePointVertex*>(
                     engine->Gfx_StartBatch(HGEPRIM_POINTS, first, BLEND_DEFAULT, &max));
                 points[0] = {8, 8, 0, 4, 0xFFFFFFFF, 0};
                 engine->Gfx_FinishBatch(1);
                 engine->Gfx_SetClipping(0, 0, 0, 0);
                 engine->Gfx_SetTransform(0, 0, 0, 0, 0, 1, 1);
             }
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
         },
         1},
        {"clipping and transform changes",
         [&] {
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
             engine->Gfx_SetClipping(0, 0, 8, 8);
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
             engine->Gfx_SetTransform(0, 0, 1, 1, 0, 1, 1);
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
         },
         3},
        {"lines and quads",
         [&] {
             engine->Gfx_RenderLine(0, 0, 4, 4);
             Quad(0, 0, 4, 4, 0xFFFFFFFF);
         },
         2},
        {"drawn in the gaps of a scattered run, beneath nothing",
         [&] {
             Quad(0, 12, 4, 4, 0xFFFFFFFF, first);
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first, BLEND_ALPHAADD);
             Quad(12, 12, 4, 4, 0xFFFFFFFF, first, BLEND_ALPHAADD);
             Quad(6, 6, 4, 4, 0xFFFFFFFF, first);
         },
         2},
        {"what is transparent throughout is left out",
         [&] {
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
             Quad(0, 0, 4, 4, 0x00FFFFFF, second);
             Quad(0, 0, 4, 4, 0xFFFFFFFF, first);
         },
         1},
        {"a count past the buffer is cut to it",
         [&] {
             int max = 0;
             engine->Gfx_StartBatch(HGEPRIM_TRIPLES, first, BLEND_DEFAULT, &max);
             engine->Gfx_FinishBatch(INT_MAX);
         },
         1},
        {"nothing drawn", [] {}, 0},
    };
    for (const auto& c : cases) {
        engine.DrawInto(16, 16, kBlack, c.draw);
        EXPECT_EQ(engine->Gfx_GetDrawCalls(), c.calls) << c.name;
    }
    engine->Texture_Free(first);
    engine->Texture_Free(second);
    for (HTEXTURE tex : five) engine->Texture_Free(tex);
}

// A staircase of quads, each over the one before, in five textures: each step shows its own texture
// (the colour added where asked), though they are drawn by the same calls.
TEST_F(EngineGL, PicturesOfSeveralTexturesInOneCallShowInTheOrderDrawn) {
    const DWORD colours[5] = {kRed, kGreen, kBlue, 0xFF406080, 0xFFFFFF00};
    HTEXTURE textures[5] = {};
    for (int i = 0; i < 5; ++i) textures[i] = SolidTexture(4, 4, colours[i]);
    const auto pixels = engine.DrawInto(64, 64, kBlack, [&] {
        for (int i = 0; i < 7; ++i) {
            const bool add = i == 3;
            Quad(static_cast<float>(4 * i), static_cast<float>(4 * i), 8, 8, add ? 0xFF808080 : 0xFFFFFFFF,
                 textures[i % 5], add ? BLEND_COLORADD | BLEND_ALPHABLEND : BLEND_DEFAULT);
        }
    });
    EXPECT_EQ(engine->Gfx_GetDrawCalls(), 2);
    for (int i = 0; i < 7; ++i) {
        const DWORD expected = i == 3 ? 0xFFC0E0FF : colours[i % 5];
        EXPECT_TRUE(Near(pixels.At(4 * i + 2, 4 * i + 2) | 0xFF000000, expected, 0)) << "step " << i;
    }
    EXPECT_TRUE(Near(pixels.At(33, 33) | 0xFF000000, kBlack, 0));
    for (HTEXTURE tex : textures) engine->Texture_Free(tex);
}

TEST_F(EngineGL, APointBatchDrawsTexturedSquaresCentredOnThePoints) {
    const HTEXTURE tex = SolidTexture(4, 4, 0xFFFFFFFF);
    const auto pixels = engine.DrawInto(64, 64, kBlack, [&] {
        Quad(56, 56, 8, 8, kBlue, tex);  // drawn in the same call as the points
        int max = 0;
        auto* points = reinterpret_cast<hgePointVertex*>(
            engine->Gfx_StartBatch(HGEPRIM_POINTS, tex, BLEND_DEFAULT, &max));
        ASSERT_EQ(max, 1000);
        points[0] = {16, 16, 0, 8, kRed, 0};
        points[1] = {40, 40, 0, 10, 0x8000FF00, 0};  // half-transparent green
        engine->Gfx_FinishBatch(2);
    });
    const struct {
        int x, y;
        DWORD color;
    } cases[] = {
        {16, 16, kRed},   {12, 12, kRed},       {19, 19, kRed},       {11, 16, kBlack},
        {20, 16, kBlack}, {40, 40, 0xFF008000}, {35, 35, 0xFF008000}, {44, 44, 0xFF008000},
        {34, 40, kBlack}, {45, 40, kBlack},     {60, 60, kBlue},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Near(pixels.At(c.x, c.y) | 0xFF000000, c.color)) << c.x << "," << c.y;
    engine->Texture_Free(tex);
}

TEST_F(EngineGL, TransformsMoveScaleAndRotateAroundTheirOrigin) {
    const float halfPi = 1.5707963f;
    const struct {
        const char* name;
        float x, y, dx, dy, rot, hscale, vscale;
        int insideX, insideY, outsideX, outsideY;
    } cases[] = {
        // A 4x4 quad at (8, 8): moved so that (8, 8) sits at (40, 20), twice as large.
        {"scaled", 8, 8, 40, 20, 0, 2, 2, 47, 27, 48, 20},
        // A 10x2 bar to the right of (8, 8) turned a quarter clockwise about it, placed at (32, 32).
        {"rotated", 8, 8, 32, 32, halfPi, 1, 1, 31, 40, 40, 31},
        {"identity", 0, 0, 0, 0, 0, 0, 0, 9, 9, 40, 20},
    };
    for (const auto& c : cases) {
        const auto pixels = engine.DrawInto(64, 64, kBlack, [&] {
            engine->Gfx_SetTransform(c.x, c.y, c.dx, c.dy, c.rot, c.hscale, c.vscale);
            if (c.rot != 0) {
                Quad(8, 8, 10, 2, kRed);
            } else {
                Quad(8, 8, 4, 4, kRed);
            }
        });
        EXPECT_TRUE(Near(pixels.At(c.insideX, c.insideY), kRed, 0)) << c.name;
        EXPECT_TRUE(Near(pixels.At(c.outsideX, c.outsideY), kBlack, 0)) << c.name;
    }
}

TEST_F(EngineGL, CullModesDropOppositeWindingsOnScreenAndInATarget) {
    auto* real = dynamic_cast<Engine::CEngine*>(engine.Engine());
    ASSERT_NE(real, nullptr);
    // A quad wound clockwise on screen at x 0, the same mirrored (counter-clockwise) at x 16; each
    // cull mode is set between quads gathered into one batch.
    const auto draw = [&](int mode) {
        Quad(40, 0, 8, 8, kGreen);
        engine->Gfx_SetCullMode(mode);
        Quad(0, 0, 8, 8, kRed);
        hgeQuad mirrored = MakeQuad(16, 0, 8, 8, kRed);
        std::swap(mirrored.v[0], mirrored.v[1]);
        std::swap(mirrored.v[2], mirrored.v[3]);
        engine->Gfx_RenderQuad(&mirrored);
        engine->Gfx_SetCullMode(1);
        Quad(56, 0, 8, 8, kGreen);
    };
    struct Case {
        int mode;
        bool clockwiseKept, mirroredKept;
    };
    for (const Case c : {Case{1, true, true}, Case{2, false, true}, Case{3, true, false}}) {
        SCOPED_TRACE(c.mode);
        const auto target = engine.DrawInto(64, 16, kBlack, [&] { draw(c.mode); });
        engine->System_SetStateInt(HGE_SCREENWIDTH, 200);
        engine->System_SetStateInt(HGE_SCREENHEIGHT, 100);
        ASSERT_TRUE(engine->Gfx_BeginScene(0));
        engine->Gfx_Clear(kBlack);
        draw(c.mode);
        int width = 0, height = 0;
        const std::vector<uint32_t> screen = real->ReadScene(&width, &height);
        engine->Gfx_EndScene();
        ASSERT_EQ(width, 200);
        const auto onScreen = [&](int x, int y) { return screen[static_cast<size_t>(y * width + x)]; };
        for (const auto& at : {std::function<DWORD(int, int)>([&](int x, int y) { return target.At(x, y); }),
                               std::function<DWORD(int, int)>(onScreen)}) {
            EXPECT_TRUE(Near(at(4, 4), c.clockwiseKept ? kRed : kBlack, 0));
            EXPECT_TRUE(Near(at(20, 4), c.mirroredKept ? kRed : kBlack, 0));
            EXPECT_TRUE(Near(at(44, 4), kGreen, 0));
            EXPECT_TRUE(Near(at(60, 4), kGreen, 0));
        }
    }
}

// ---- the frame loop ----

namespace {

struct LoopRecord {
    HGE* hge = nullptr;
    int frames = 0;
    int exitAsked = 0;
    int focusLost = 0;
    std::vector<int> keys;
    std::vector<int> eventTypes;
    std::vector<bool> leftDown;
    std::vector<std::pair<float, float>> buttonAt;
    std::u16string typed;
} g_loop;

void Feed(const Engine::tagFedInput& input) {
    dynamic_cast<Engine::CEngine*>(g_loop.hge)->FeedInput(input);
}

bool LoopFrame() {
    using Engine::tagFedInput;
    ++g_loop.frames;
    g_loop.keys.push_back(g_loop.hge->Input_GetKey());
    g_loop.leftDown.push_back(g_loop.hge->Input_GetKeyState(HGEK_LBUTTON));
    hgeInputEvent event;
    while (g_loop.hge->Input_GetEvent(&event)) {
        if (event.type == INPUT_CHAR) {
            g_loop.typed += static_cast<char16_t>(event.chr);
            continue;
        }
        g_loop.eventTypes.push_back(event.type);
        if (event.type == INPUT_MBUTTONDOWN) g_loop.buttonAt.emplace_back(event.x, event.y);
    }
    if (g_loop.frames == 2) {
        // Longer than SDL carries at once, a two-byte character across where a cut would fall.
        Feed({.kind = tagFedInput::kText, .text = "Dear cook, the fish is ready: éclairs and crème brûlée"});
        Feed({.kind = tagFedInput::kKeyUp, .key = HGEK_A});
        Feed({.kind = tagFedInput::kFocusLost});
        Feed({.kind = tagFedInput::kClose});
    }
    if (g_loop.frames == 3) Feed({.kind = tagFedInput::kClose});
    return g_loop.frames >= 10;  // the close request ends it well before
}

bool LoopExit() {
    return ++g_loop.exitAsked >= 2;
}
bool LoopFocusLost() {
    return ++g_loop.focusLost, false;
}

}  // namespace

// Input fed to the engine comes through SDL's queue as the player's would.
TEST_F(EngineGL, TheFrameLoopDeliversInputAndAsksBeforeClosing) {
    using Engine::tagFedInput;
    g_loop = LoopRecord{};
    g_loop.hge = engine.Engine();
    engine->System_SetStateFunc(HGE_FRAMEFUNC, LoopFrame);
    engine->System_SetStateFunc(HGE_EXITFUNC, LoopExit);
    engine->System_SetStateFunc(HGE_FOCUSLOSTFUNC, LoopFocusLost);
    // A quick click: pressed and let go before the first frame; down in it, let go in the next.
    Feed({.kind = tagFedInput::kMouseMove, .x = 30, .y = 40});
    Feed({.kind = tagFedInput::kButtonDown, .key = HGEK_LBUTTON, .x = 30, .y = 40});
    Feed({.kind = tagFedInput::kButtonUp, .key = HGEK_LBUTTON, .x = 30, .y = 40});
    Feed({.kind = tagFedInput::kKeyDown, .key = HGEK_A});
    Feed({.kind = tagFedInput::kText, .text = "a"});

    EXPECT_TRUE(engine->System_Start());
    EXPECT_EQ(g_loop.exitAsked, 2);
    EXPECT_EQ(g_loop.frames, 3);  // the first close was refused, the second accepted
    EXPECT_EQ(g_loop.focusLost, 1);
    EXPECT_EQ(g_loop.keys, (std::vector<int>{HGEK_A, 0, 0}));
    EXPECT_EQ(g_loop.eventTypes, (std::vector<int>{INPUT_MOUSEMOVE, INPUT_MBUTTONDOWN, INPUT_KEYDOWN,
                                                   INPUT_MBUTTONUP, INPUT_KEYUP}));
    EXPECT_EQ(g_loop.buttonAt, (std::vector<std::pair<float, float>>{{30.0f, 40.0f}}));
    EXPECT_EQ(g_loop.typed, u"aDear cook, the fish is ready: éclairs and crème brûlée");
    EXPECT_EQ(g_loop.leftDown, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(engine->Input_GetKeyState(HGEK_A));
    EXPECT_GT(engine->Timer_GetTime(), 0.0f);
}

namespace {
HGE* g_pacedEngine = nullptr;
std::vector<double> g_pacedDeltas;
bool PacedFrame() {
    g_pacedDeltas.push_back(g_pacedEngine->Timer_GetDelta());
    return g_pacedDeltas.size() >= 6;
}
}  // namespace

// Frames keep to a schedule of 20 ms steps: one that follows a late frame may come early, but the
// k-th frame never starts sooner than k - 1 steps after the first, however late any of them was (a
// busy machine only moves frames later). Unpaced, the six would come within a few milliseconds.
TEST_F(EngineGL, FramePacingWaitsBetweenFrames) {
    g_pacedEngine = engine.Engine();
    g_pacedDeltas.clear();
    engine->System_SetStateFunc(HGE_FRAMEFUNC, PacedFrame);
    engine->System_SetStateInt(HGE_FPS, 20);
    EXPECT_TRUE(engine->System_Start());
    ASSERT_EQ(g_pacedDeltas.size(), 6u);
    double sinceFirst = 0;
    for (std::size_t frame = 1; frame < g_pacedDeltas.size(); ++frame) {
        sinceFirst += g_pacedDeltas[frame];
        EXPECT_GE(sinceFirst, 0.0199 * static_cast<double>(frame)) << "frame " << frame + 1;
    }
}

// ---- sound ----

namespace {

// A mono 16-bit wav of a short tone.
void WriteWav(const fs::path& path) {
    const int rate = 22050, samples = 2205;
    std::vector<int16_t> pcm(samples);
    for (int i = 0; i < samples; ++i) pcm[i] = static_cast<int16_t>(8000 * std::sin(i * 0.1));
    auto u32 = [](std::ofstream& out, uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ofstream& out, uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    u32(out, 36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1);
    u16(out, 1);
    u32(out, rate);
    u32(out, rate * 2);
    u16(out, 2);
    u16(out, 16);
    out.write("data", 4);
    u32(out, samples * 2);
    out.write(reinterpret_cast<const char*>(pcm.data()), samples * 2);
}

}  // namespace

TEST_F(EngineGL, ChannelsPlayPauseResumeStopAndStaleHandlesAreIgnored) {
    const fs::path wav = TempDir() / "tone.wav";
    WriteWav(wav);
    const HSTREAM stream = engine->Stream_Load(wav.c_str(), 0);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(engine->Stream_Load((TempDir() / "missing.wav").c_str(), 0), 0u);

    const HCHANNEL first = engine->Stream_Play(stream, true, 80);
    ASSERT_NE(first, 0u);
    EXPECT_TRUE(engine->Channel_IsPlaying(first));
    engine->Channel_Pause(first);
    EXPECT_TRUE(engine->Channel_IsPlaying(first));  // paused is still alive
    engine->Channel_Resume(first);
    engine->Channel_SetVolume(first, 30);
    EXPECT_TRUE(engine->Channel_IsPlaying(first));
    engine->Channel_Stop(first);
    EXPECT_FALSE(engine->Channel_IsPlaying(first));

    const HCHANNEL second = engine->Stream_Play(stream, true, 100);  // may reuse the channel
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    engine->Channel_Stop(first);
    engine->Channel_Pause(first);
    EXPECT_FALSE(engine->Channel_IsPlaying(first));
    EXPECT_TRUE(engine->Channel_IsPlaying(second));

    // More sounds than the first channel allotment play together.
    std::vector<HCHANNEL> many;
    for (int i = 0; i < 40; ++i) many.push_back(engine->Stream_Play(stream, true, 50));
    for (HCHANNEL channel : many) EXPECT_TRUE(engine->Channel_IsPlaying(channel));
    engine->Channel_StopAll();
    EXPECT_FALSE(engine->Channel_IsPlaying(second));
    EXPECT_FALSE(engine->Channel_IsPlaying(many.back()));

    const HCHANNEL last = engine->Stream_Play(stream, true, 100);
    engine->Stream_Free(stream);
    EXPECT_FALSE(engine->Channel_IsPlaying(last));
    EXPECT_EQ(engine->Stream_Play(stream, false, 100), 0u);
}

TEST(EngineGLNoAudio, AMissingAudioDeviceLeavesSoundSilentButTheEngineRuns) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        CEngineFixture engine(32, 32);
        EXPECT_TRUE(engine.Ready()) << engine.Error();
        EXPECT_EQ(engine->Stream_Load("anything.wav", 0), 0u);
        EXPECT_EQ(engine->Stream_Play(1, false, 100), 0u);
        EXPECT_FALSE(engine->Channel_IsPlaying(0x101));
        engine->Channel_StopAll();
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}
