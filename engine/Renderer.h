#pragma once
// Drawing over OpenGL 3.3 core with one small shader. Quads, triples, lines and point batches are
// gathered in one vertex buffer and sent as one draw call for as long as texture, blend mode,
// primitive kind, clipping, transform and target stay the same. Coordinates are game pixels with
// y down, on the screen and in render targets alike. The game picture keeps its shape in the
// window's drawable area: scaled by one factor, centred, black bars on the sides left over.
//
// Textures keep no CPU copy: a lock reads the pixels back from the device (for a render target
// that is what was drawn into it) and a writable unlock uploads the locked rectangle.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Hge.h"
#include "engine/Log.h"

namespace Engine {

class CRenderer {
public:
    // Most quads one draw call can take: its vertices are counted with 16-bit indexes.
    static constexpr int kMaxQuads = 16384;
    static constexpr int kMaxPoints = 1000;

    // Game pixels a primitive covers.
    struct Box {
        float left, top, right, bottom;
    };

    explicit CRenderer(CLog& log);
    ~CRenderer();
    CRenderer(const CRenderer&) = delete;
    CRenderer& operator=(const CRenderer&) = delete;

    // Needs the GL context current; false (logged, with the reason in error) when the shader or
    // buffers can't be made.
    bool Init(std::string& error);
    // Frees every texture, target and GL object; the context must still be current.
    void Shutdown();
    bool Ready() const { return m_program != 0; }

    // screenWidth/Height: the game picture; drawableWidth/Height: the window's pixels.
    bool BeginScene(HTARGET target, int screenWidth, int screenHeight, int drawableWidth, int drawableHeight);
    // Answers true when the scene was the screen's, which the caller then shows.
    bool EndScene();
    void Clear(DWORD color);
    void RenderLine(float x1, float y1, float x2, float y2, DWORD color, float z);
    void RenderTriple(const hgeTriple& triple);
    void RenderQuad(const hgeQuad& quad);
    hgeVertex* StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim);
    void FinishBatch(int count);
    void SetClipping(int x, int y, int w, int h);
    void SetTransform(float x, float y, float dx, float dy, float rot, float hscale, float vscale);
    // 1 none, 2 drop what winds clockwise on screen, 3 drop what winds counter-clockwise.
    void SetCullMode(int mode);
    // The scene's draw calls so far, the gathered runs counted as the calls they will be.
    int DrawCalls() const { return m_drawCalls + static_cast<int>(m_runCount); }
    // The distinct textures of those calls (untextured drawing not counted).
    int TexturesDrawn() const;
    // The pixels of the scene being drawn, ARGB, top row first, in device pixels (for the screen,
    // the picture's rectangle without the bars); empty outside a scene.
    std::vector<uint32_t> ReadScene(int* width, int* height);

    HTARGET TargetCreate(int width, int height);
    void TargetFree(HTARGET target);
    HTEXTURE TargetTexture(HTARGET target) const;

    HTEXTURE TextureCreate(int width, int height);
    // ARGB pixels, row after row, rowPixels apart.
    HTEXTURE TextureFromPixels(const uint32_t* pixels, int width, int height, int rowPixels);
    void TextureFree(HTEXTURE tex);
    int TextureWidth(HTEXTURE tex, bool original) const;
    int TextureHeight(HTEXTURE tex, bool original) const;
    DWORD* TextureLock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height);
    void TextureUnlock(HTEXTURE tex);
    void TextureSetWrap(HTEXTURE tex, bool wrap);

private:
    struct Texture;
    struct Target;

    enum class Prim { None, Quads, Triples, Lines };

    Texture* FindTexture(HTEXTURE tex) const;
    Target* FindTarget(HTARGET target) const;
    // Drawing of one kind, texture and blend gathered for one draw call.
    struct Run {
        Prim prim = Prim::None;
        HTEXTURE tex = 0;
        int blend = 0;
        Box box{};               // all of the run
        std::vector<Box> boxes;  // each gathered primitive (or batch)
        std::vector<hgeVertex> vertices;
    };

    // Room for `vertices` more in the run the primitive covering `box` joins.
    hgeVertex* Reserve(Prim prim, HTEXTURE tex, int blend, int vertices, const Box& box);
    // Whether something in the run lies under the box; each box test spends one of `tests`, and
    // none left counts as covered.
    bool RunCovers(const Run& run, const Box& box, int& tests) const;
    void Gather(Prim prim, HTEXTURE tex, int blend, const hgeVertex* v, int count);
    void Flush();
    void ApplyMatrix();
    void ApplyClipping();
    void ApplyCullMode();
    // The screen is drawn into a canvas of the drawable's size that outlives the frame, so what a
    // frame does not draw over shows the previous frame (a dialog over the screen it opened from),
    // whatever the window system leaves in its back buffer after a swap. Answers false when the
    // canvas cannot be made; the screen is then drawn straight into the window.
    bool EnsureCanvas(int width, int height);
    void PresentCanvas();
    // The framebuffer the scene being drawn goes to.
    unsigned SceneFramebuffer() const;

    CLog& m_log;
    unsigned m_program = 0;
    unsigned m_vao = 0;
    unsigned m_vbo = 0;
    unsigned m_ibo = 0;
    int m_uMatrix = -1;
    int m_uMode = -1;

    std::vector<hgeVertex> m_vertices;       // a batch's buffer, and the runs on their way to GL
    std::vector<hgePointVertex> m_points;    // the buffer a point batch is written into
    std::vector<hgeVertex> m_finishedBatch;  // a finished batch on its way into a run
    std::vector<Run> m_runs;                 // the first m_runCount are gathered, in drawing order
    size_t m_runCount = 0;
    int m_used = 0;                 // vertices in the gathered runs
    int m_buffered = 0;             // vertices of the scene already in the GL buffer
    Prim m_batchPrim = Prim::None;  // kind of the open Gfx_StartBatch
    bool m_batchPoints = false;
    HTEXTURE m_batchTex = 0;
    int m_batchBlend = 0;

    unsigned m_canvasFbo = 0;
    unsigned m_canvasColour = 0;  // renderbuffer
    int m_canvasWidth = 0;
    int m_canvasHeight = 0;

    bool m_inScene = false;
    Target* m_target = nullptr;
    int m_sceneWidth = 0;  // game pixels of the current target
    int m_sceneHeight = 0;
    int m_viewWidth = 0;  // device pixels of the current target (for the screen, the scaled picture)
    int m_viewHeight = 0;
    int m_viewX = 0;          // where the scene lies in its framebuffer: the bars' width when drawn straight
    int m_viewY = 0;          // into the window, else 0
    int m_drawableWidth = 0;  // the window's device pixels and the picture's place in them, bottom up
    int m_drawableHeight = 0;
    int m_pictureX = 0;
    int m_pictureY = 0;
    int m_clip[4] = {};  // x, y, w, h; w == 0 means off
    bool m_clipOn = false;
    float m_transform[6] = {1, 0, 0, 0, 1, 0};  // 2x3, row-major
    int m_cullMode = 1;
    int m_drawCalls = 0;
    std::vector<HTEXTURE> m_sceneTextures;  // few: a linear search beats a set

    uintptr_t m_nextHandle = 1;
    std::unordered_map<HTEXTURE, std::unique_ptr<Texture>> m_textures;
    std::unordered_map<HTARGET, std::unique_ptr<Target>> m_targets;
};

}  // namespace Engine
