#pragma once
// Drawing over OpenGL 3.3 core with small shaders. Quads, triples, lines and point batches are
// gathered in one vertex buffer and sent as one draw call for as long as blend mode, primitive kind,
// clipping, transform and target stay the same and at most four textures are drawn (a run over a
// large part of the picture takes a call of its own: every texture of a call is sampled for each of
// its pixels). Coordinates are game pixels with y down, on the screen and in render targets alike.
// The game picture keeps its shape in the window's drawable area: scaled by one factor, centred,
// black bars on the sides left over.
//
// Textures keep no CPU copy: a lock reads the pixels back from the device (for a render target
// that is what was drawn into it) and a writable unlock uploads the locked rectangle.
//
// What a screen scene does not draw over shows the previous one (a dialog over the screen it opened
// from), whatever the window system leaves in its back buffer after a swap. A scene whose first
// drawing covers the whole picture (a clear, or an opaque quad over it all) needs nothing of the
// previous one and is drawn straight into the window, its steps kept; any other is drawn into a
// canvas that outlives the frame and copied to the window. The canvas catches up on a picture drawn
// straight only when a scene needs it, by drawing the kept steps again (before a texture they use
// changes, if that comes first). A software rasterizer may round a few blended pixels one step
// apart in the window and in the canvas, whose rows run the other way.

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
    // Textures one draw call may sample, each bound to a unit its vertices name.
    static constexpr int kTextureUnits = 4;

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
    bool Ready() const { return m_single.id != 0; }

    // screenWidth/Height: the game picture; drawableWidth/Height: the window's pixels.
    bool BeginScene(HTARGET target, int screenWidth, int screenHeight, int drawableWidth, int drawableHeight);
    // Answers true when the scene was the screen's, which the caller then shows.
    bool EndScene();
    void Clear(DWORD color);
    void RenderLine(float x1, float y1, float x2, float y2, DWORD color, float z);
    void RenderQuad(const hgeQuad& quad);
    hgeVertex* StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim);
    void FinishBatch(int count);
    void SetClipping(int x, int y, int w, int h);
    void SetTransform(float x, float y, float dx, float dy, float rot, float hscale, float vscale);
    // 1 none, 2 drop what winds clockwise on screen, 3 drop what winds counter-clockwise.
    void SetCullMode(int mode);
    // Draws what is gathered, then answers the scene's draw calls so far.
    int DrawCalls();
    // The same, answering the distinct textures of those calls (untextured drawing not counted).
    int TexturesDrawn();
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
    // Where the screen scene being drawn goes: not known before its first drawing.
    enum class Screen { Undecided, Straight, Canvas };
    // One GL operation of a screen scene drawn straight into the window, in the state it had.
    struct Step {
        bool clear = false;
        DWORD color = 0;
        Prim prim = Prim::None;
        HTEXTURE tex = 0;
        int blend = 0;
        int first = 0;  // its vertices in the picture's
        int count = 0;
        float matrix[9] = {};
        bool scissorOn = false;
        int scissor[4] = {};
        int cullMode = 1;
    };
    // A screen picture as the steps that drew it.
    struct Picture {
        std::vector<Step> steps;
        std::vector<hgeVertex> vertices;
        int view[4] = {};   // the viewport
        bool lost = false;  // a texture it used changed while it was drawn: the steps draw another
        void Reset();
        bool Uses(HTEXTURE tex) const;
    };

    Texture* FindTexture(HTEXTURE tex) const;
    Target* FindTarget(HTARGET target) const;
    // Drawing of one kind, texture and blend gathered for one draw call.
    struct Run {
        Prim prim = Prim::None;
        HTEXTURE tex = 0;
        int blend = 0;
        Box box{};               // all of the run
        float area = 0;          // the primitives' boxes, overlaps counted again
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
    // Puts vertices in the GL buffer; answers the first one's index there.
    int Upload(const hgeVertex* v, int count);
    // The end of the runs from `begin` (of the first `runs`) that one draw call takes, and the
    // textures of its units.
    size_t CallEnd(size_t begin, size_t runs, HTEXTURE* units, int* unitCount) const;
    void Draw(Prim prim, const HTEXTURE* units, int unitCount, int blend, int first, int count);
    void ApplyMatrix();
    void ApplyClipping();
    void SetScissor(bool on, int x, int y, int w, int h);
    // Binds the framebuffer and sets the GL state of the scene being drawn.
    void ApplySceneState();
    // A canvas of the drawable's size, the picture where it lies in the window; false when it
    // cannot be made (every screen scene is then drawn straight into the cleared window).
    bool EnsureCanvas(int width, int height);
    void PresentCanvas();
    // Called at the screen scene's first drawing: `covers` when that drawing leaves nothing of the
    // previous picture.
    void ChooseScreen(bool covers);
    // Whether the first primitive gathered covers the whole picture with opaque pixels.
    bool FirstPrimitiveCovers();
    // Whether every texel that sampling the rectangle of texture coordinates reads is opaque.
    bool Opaque(Texture& texture, float u0, float v0, float u1, float v1);
    // The canvas made to hold the last screen picture.
    void CatchUpCanvas();
    // Before a texture's pixels or sampling change.
    void Changing(HTEXTURE tex);
    // The framebuffer the scene being drawn goes to.
    unsigned SceneFramebuffer() const;

    CLog& m_log;
    struct Program {
        unsigned id = 0;
        int uMatrix = -1;
        int uMode = -1;
    };
    // Compiles and links the vertex shader with the fragment shader, and sets its samplers' units.
    bool MakeProgram(const char* fragmentSource, Program& program, std::string& error);
    void UseProgram(const Program& program);
    // Sets the matrix of the program in use, which a switch of programs takes along.
    void UploadMatrix(const float* matrix);

    Program m_single;  // one texture a call
    Program m_units;   // a few textures a call, made when first needed
    bool m_unitsFailed = false;
    unsigned m_using = 0;
    float m_uploadedMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    unsigned m_vao = 0;
    unsigned m_vbo = 0;
    unsigned m_ibo = 0;

    // A batch's buffer, and the runs on their way to GL: left unwritten until used, so that its pages
    // are only touched as far as scenes fill it.
    std::unique_ptr<hgeVertex[]> m_vertices;
    std::vector<hgePointVertex> m_points;    // the buffer a point batch is written into
    std::vector<hgeVertex> m_finishedBatch;  // a finished batch on its way into a run
    std::vector<Run> m_runs;                 // the first m_runCount are gathered, in drawing order
    size_t m_runCount = 0;
    int m_used = 0;                 // vertices in the gathered runs
    int m_buffered = 0;             // vertices of the scene already in the GL buffer
    int m_bufferSize = 0;           // vertices the GL buffer holds: grows while scenes need more
    Prim m_batchPrim = Prim::None;  // kind of the open Gfx_StartBatch
    bool m_batchPoints = false;
    HTEXTURE m_batchTex = 0;
    int m_batchBlend = 0;

    unsigned m_canvasFbo = 0;
    unsigned m_canvasColour = 0;  // renderbuffer
    int m_canvasWidth = 0;
    int m_canvasHeight = 0;
    bool m_canvasBehind = false;  // the last screen picture is m_lastPicture's, not the canvas's
    bool m_straightOk = false;    // the window's pixels are stored as the canvas's
    Screen m_screen = Screen::Undecided;
    Picture m_drawing;      // the screen scene being drawn straight
    Picture m_lastPicture;  // the last screen scene drawn straight

    bool m_inScene = false;
    Target* m_target = nullptr;
    int m_sceneWidth = 0;  // game pixels of the current target
    int m_sceneHeight = 0;
    int m_viewWidth = 0;  // device pixels of the current target (for the screen, the scaled picture)
    int m_viewHeight = 0;
    int m_viewX = 0;  // where the scene lies in its framebuffer: for the screen, the picture's place in
    int m_viewY = 0;  // the window (bottom up), the same in the canvas; else 0
    int m_drawableWidth = 0;  // the window's device pixels
    int m_drawableHeight = 0;
    int m_clip[4] = {};  // x, y, w, h; w == 0 means off
    bool m_clipOn = false;
    bool m_scissorOn = false;  // as set in GL for the scene
    int m_scissor[4] = {};
    float m_matrix[9] = {};
    float m_transform[6] = {1, 0, 0, 0, 1, 0};  // 2x3, row-major
    int m_cullMode = 1;
    int m_drawCalls = 0;
    std::vector<HTEXTURE> m_sceneTextures;  // few: a linear search beats a set

    uintptr_t m_nextHandle = 1;
    std::unordered_map<HTEXTURE, std::unique_ptr<Texture>> m_textures;
    std::unordered_map<HTARGET, std::unique_ptr<Target>> m_targets;
};

}  // namespace Engine
