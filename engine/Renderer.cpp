#include "engine/Renderer.h"

#include "engine/PictureBudget.h"
#include "engine/PictureFit.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Engine {

namespace {

constexpr int kMaxVertices = CRenderer::kMaxQuads * 4;
constexpr int kFirstBufferVertices = 4096;

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
uniform mat3 uMatrix;
out vec4 vColor;
out vec2 vTexCoord;
flat out float vAdd;
flat out float vUnit;
void main() {
    vec3 p = uMatrix * vec3(aPosition.xy, 1.0);
    gl_Position = vec4(p.xy, 0.0, 1.0);
    vColor = aColor;
    vTexCoord = aTexCoord;
    vUnit = floor(aPosition.z * 0.5);
    vAdd = aPosition.z - 2.0 * vUnit;
}
)";

// uMode 0: vertex colour only (no texture); 1: texture times colour, or plus colour where the
// vertex says so (vAdd 1).
const char* const kFragmentShader = R"(#version 330 core
uniform sampler2D uTexture;
uniform int uMode;
in vec4 vColor;
in vec2 vTexCoord;
flat in float vAdd;
out vec4 oColor;
void main() {
    if (uMode == 0) {
        oColor = vColor;
    } else {
        vec4 t = texture(uTexture, vTexCoord);
        oColor = vAdd < 0.5 ? t * vColor : vec4(t.rgb + vColor.rgb, t.a * vColor.a);
    }
}
)";

// The same for a call that takes the pictures of a few textures in the order they were drawn, each
// vertex naming its texture's unit (vUnit). A software rasterizer samples every unit's texture for
// every pixel, so this is kept for runs of small pictures.
const char* const kUnitsFragmentShader = R"(#version 330 core
uniform sampler2D uTexture0;
uniform sampler2D uTexture1;
uniform sampler2D uTexture2;
uniform sampler2D uTexture3;
in vec4 vColor;
in vec2 vTexCoord;
flat in float vAdd;
flat in float vUnit;
out vec4 oColor;
void main() {
    vec4 t;
    if (vUnit < 0.5) {
        t = texture(uTexture0, vTexCoord);
    } else if (vUnit < 1.5) {
        t = texture(uTexture1, vTexCoord);
    } else if (vUnit < 2.5) {
        t = texture(uTexture2, vTexCoord);
    } else {
        t = texture(uTexture3, vTexCoord);
    }
    oColor = vAdd < 0.5 ? t * vColor : vec4(t.rgb + vColor.rgb, t.a * vColor.a);
}
)";

GLuint CompileShader(GLenum kind, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char info[1024] = {};
    glGetShaderInfoLog(shader, sizeof info, nullptr, info);
    error = std::string("can't compile the shader: ") + info;
    glDeleteShader(shader);
    return 0;
}

void ClearTo(DWORD color) {
    glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((color >> 8) & 0xFF) / 255.0f, static_cast<float>(color & 0xFF) / 255.0f,
                 static_cast<float>(color >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// The front face is chosen per scene (see BeginScene) so that it is what winds clockwise on screen.
void ApplyCullMode(int mode) {
    if (mode == 1) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glEnable(GL_CULL_FACE);
    glCullFace(mode == 2 ? GL_FRONT : GL_BACK);
}

}  // namespace

struct CRenderer::Texture {
    GLuint id = 0;
    int width = 0;
    int height = 0;
    bool ownedByTarget = false;
    bool locked = false;
    bool lockReadOnly = true;
    int lockRect[4] = {};          // left, top, width, height
    std::vector<uint32_t> pixels;  // only while locked
    std::vector<bool> opaque;      // each texel's, once asked

    // What the texture counts against the decoded pictures' budget.
    uint64_t PixelBytes() const {
        return uint64_t{4} * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    }
};

struct CRenderer::Target {
    GLuint fbo = 0;
    HTEXTURE tex = 0;
    int width = 0;
    int height = 0;
};

CRenderer::CRenderer(CLog& log)
    : m_log(log),
      m_vertices(std::make_unique_for_overwrite<hgeVertex[]>(kMaxVertices)),
      m_points(kMaxPoints) {}

CRenderer::~CRenderer() = default;

bool CRenderer::MakeProgram(const char* fragmentSource, Program& program, std::string& error) {
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader, error);
    const GLuint fragment = vertex ? CompileShader(GL_FRAGMENT_SHADER, fragmentSource, error) : 0;
    if (!vertex || !fragment) {
        if (vertex) glDeleteShader(vertex);
        return false;
    }
    const GLuint id = glCreateProgram();
    glAttachShader(id, vertex);
    glAttachShader(id, fragment);
    glLinkProgram(id);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char info[1024] = {};
        glGetProgramInfoLog(id, sizeof info, nullptr, info);
        error = std::string("can't link the shader: ") + info;
        glDeleteProgram(id);
        return false;
    }
    program.id = id;
    program.uMatrix = glGetUniformLocation(id, "uMatrix");
    program.uMode = glGetUniformLocation(id, "uMode");
    glUseProgram(id);
    glUniform1i(glGetUniformLocation(id, "uTexture"), 0);
    for (int unit = 0; unit < kTextureUnits; ++unit) {
        const std::string name = "uTexture" + std::to_string(unit);
        glUniform1i(glGetUniformLocation(id, name.c_str()), unit);
    }
    glUniformMatrix3fv(program.uMatrix, 1, GL_TRUE, m_uploadedMatrix);
    m_using = id;
    return true;
}

void CRenderer::UseProgram(const Program& program) {
    if (m_using == program.id) return;
    glUseProgram(program.id);
    glUniformMatrix3fv(program.uMatrix, 1, GL_TRUE, m_uploadedMatrix);
    m_using = program.id;
}

void CRenderer::UploadMatrix(const float* matrix) {
    std::copy_n(matrix, 9, m_uploadedMatrix);
    glUniformMatrix3fv(m_using == m_units.id ? m_units.uMatrix : m_single.uMatrix, 1, GL_TRUE, matrix);
}

bool CRenderer::Init(std::string& error) {
    if (Ready()) return true;
    if (!MakeProgram(kFragmentShader, m_single, error)) return false;

    glGenVertexArrays(1, &m_vao);
    glBindVertexArray(m_vao);
    glGenBuffers(1, &m_vbo);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    m_bufferSize = kFirstBufferVertices;
    glBufferData(GL_ARRAY_BUFFER, sizeof(hgeVertex) * m_bufferSize, nullptr, GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(hgeVertex),
                          reinterpret_cast<void*>(offsetof(hgeVertex, x)));
    // ARGB in a little-endian word is the byte order B, G, R, A.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(hgeVertex),
                          reinterpret_cast<void*>(offsetof(hgeVertex, col)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(hgeVertex),
                          reinterpret_cast<void*>(offsetof(hgeVertex, tx)));

    std::vector<GLushort> indexes(static_cast<size_t>(kMaxQuads) * 6);
    for (int quad = 0; quad < kMaxQuads; ++quad) {
        const auto first = static_cast<GLushort>(quad * 4);
        GLushort* at = &indexes[static_cast<size_t>(quad) * 6];
        at[0] = first, at[1] = first + 1, at[2] = first + 2;
        at[3] = first, at[4] = first + 2, at[5] = first + 3;
    }
    glGenBuffers(1, &m_ibo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexes.size() * sizeof(GLushort)),
                 indexes.data(), GL_STATIC_DRAW);

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glActiveTexture(GL_TEXTURE0);

    // A scene drawn straight into the window shows what the canvas would only when the window keeps
    // eight bits of red, green and blue and no alpha, as the canvas does.
    GLint bits[4] = {};
    const GLenum sizes[4] = {GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE, GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE,
                             GL_FRAMEBUFFER_ATTACHMENT_BLUE_SIZE, GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    for (int i = 0; i < 4; ++i)
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT, sizes[i], &bits[i]);
    m_straightOk =
        glGetError() == GL_NO_ERROR && bits[0] == 8 && bits[1] == 8 && bits[2] == 8 && bits[3] == 0;
    return true;
}

void CRenderer::Shutdown() {
    if (!Ready()) return;
    m_inScene = false;
    m_target = nullptr;
    m_used = 0;
    m_runCount = 0;
    m_buffered = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &m_canvasFbo);
    glDeleteRenderbuffers(1, &m_canvasColour);
    m_canvasFbo = m_canvasColour = 0;
    m_canvasWidth = m_canvasHeight = 0;
    m_canvasBehind = false;
    m_drawing.Reset();
    m_lastPicture.Reset();
    for (auto& [handle, target] : m_targets) glDeleteFramebuffers(1, &target->fbo);
    m_targets.clear();
    for (auto& [handle, texture] : m_textures) {
        glDeleteTextures(1, &texture->id);
        CPictureBudget::Release(texture->PixelBytes());
    }
    m_textures.clear();
    glDeleteBuffers(1, &m_vbo);
    glDeleteBuffers(1, &m_ibo);
    glDeleteVertexArrays(1, &m_vao);
    glDeleteProgram(m_single.id);
    if (m_units.id) glDeleteProgram(m_units.id);
    m_single = m_units = Program{};
    m_unitsFailed = false;
    m_using = 0;
    m_vao = m_vbo = m_ibo = 0;
}

// ---- scenes ----

bool CRenderer::BeginScene(HTARGET target, int screenWidth, int screenHeight, int drawableWidth,
                           int drawableHeight) {
    if (!Ready()) return false;
    if (m_inScene) {
        m_log.Write("Gfx_BeginScene: a scene is already being drawn");
        return false;
    }
    Target* into = nullptr;
    if (target) {
        into = FindTarget(target);
        if (!into) {
            m_log.Write("Gfx_BeginScene: no render target %lu", static_cast<unsigned long>(target));
            return false;
        }
        Changing(into->tex);
        m_sceneWidth = m_viewWidth = into->width;
        m_sceneHeight = m_viewHeight = into->height;
        m_viewX = m_viewY = 0;
    } else {
        m_sceneWidth = std::max(screenWidth, 1);
        m_sceneHeight = std::max(screenHeight, 1);
        const tagPictureFit fit = FitPicture(m_sceneWidth, m_sceneHeight, drawableWidth, drawableHeight);
        m_viewWidth = fit.width;
        m_viewHeight = fit.height;
        m_drawableWidth = std::max(drawableWidth, 0);
        m_drawableHeight = std::max(drawableHeight, 0);
        m_viewX = fit.x;
        m_viewY = m_drawableHeight - fit.y - fit.height;  // the device's first row is the bottom
        if (!EnsureCanvas(m_drawableWidth, m_drawableHeight)) m_canvasWidth = m_canvasHeight = 0;
        m_screen = Screen::Undecided;
    }
    m_target = into;
    m_inScene = true;
    m_drawCalls = 0;
    m_sceneTextures.clear();
    m_used = 0;
    m_runCount = 0;
    m_clipOn = false;
    const float identity[6] = {1, 0, 0, 0, 1, 0};
    std::memcpy(m_transform, identity, sizeof identity);
    ApplySceneState();
    return true;
}

void CRenderer::ApplySceneState() {
    glBindFramebuffer(GL_FRAMEBUFFER, SceneFramebuffer());
    glViewport(m_viewX, m_viewY, m_viewWidth, m_viewHeight);
    UseProgram(m_single);
    glBindVertexArray(m_vao);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    // The screen's rows are flipped on the way to the device and a target's are not, so a
    // clockwise quad on screen keeps its winding only in one of them.
    glFrontFace(m_target ? GL_CCW : GL_CW);
    ApplyCullMode(m_cullMode);
    ApplyClipping();
    ApplyMatrix();
}

bool CRenderer::EndScene() {
    if (!m_inScene) return false;
    Flush();
    const bool screen = m_target == nullptr;
    if (screen) {
        ChooseScreen(false);  // a scene that drew nothing shows the last picture
        if (m_screen == Screen::Canvas) {
            PresentCanvas();
        } else if (m_canvasWidth > 0 && m_drawing.lost) {
            // Its steps would not draw it again: the canvas takes the picture itself.
            glDisable(GL_SCISSOR_TEST);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_canvasFbo);
            glBlitFramebuffer(0, 0, m_canvasWidth, m_canvasHeight, 0, 0, m_canvasWidth, m_canvasHeight,
                              GL_COLOR_BUFFER_BIT, GL_NEAREST);
            m_canvasBehind = false;
            m_lastPicture.Reset();
        } else if (m_canvasWidth > 0) {
            std::swap(m_lastPicture, m_drawing);
            m_canvasBehind = true;
        }
        m_drawing.Reset();
        // The copy from the canvas waited for its drawing; a scene drawn straight is handed on here,
        // as not every swap does it (an offscreen surface's does nothing): else frame after frame
        // would pile up in the renderer.
        if (m_screen == Screen::Straight) glFlush();
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_inScene = false;
    m_target = nullptr;
    return screen;
}

void CRenderer::Picture::Reset() {
    steps.clear();
    vertices.clear();
    lost = false;
}

bool CRenderer::Picture::Uses(HTEXTURE tex) const {
    return std::any_of(steps.begin(), steps.end(), [tex](const Step& step) { return step.tex == tex; });
}

bool CRenderer::EnsureCanvas(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (m_canvasFbo && width == m_canvasWidth && height == m_canvasHeight) return true;
    // A canvas of another size starts black, as a new window does: the last picture is gone.
    m_canvasBehind = false;
    m_lastPicture.Reset();
    if (!m_canvasFbo) {
        glGenFramebuffers(1, &m_canvasFbo);
        glGenRenderbuffers(1, &m_canvasColour);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, m_canvasColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, m_canvasFbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_canvasColour);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        m_log.Write("Can't make a screen canvas of %dx%d pixels (status 0x%x)", width, height, status);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return false;
    }
    glDisable(GL_SCISSOR_TEST);
    ClearTo(0xFF000000);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_canvasWidth = width;
    m_canvasHeight = height;
    return true;
}

// The canvas lies over the window pixel for pixel, its bars black.
void CRenderer::PresentCanvas() {
    if (m_canvasWidth <= 0 || m_canvasHeight <= 0) return;
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_canvasFbo);
    glBlitFramebuffer(0, 0, m_canvasWidth, m_canvasHeight, 0, 0, m_canvasWidth, m_canvasHeight,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void CRenderer::ChooseScreen(bool covers) {
    if (!m_inScene || m_target || m_screen != Screen::Undecided) return;
    if (m_canvasWidth > 0 && !(covers && m_straightOk)) {
        CatchUpCanvas();
        m_screen = Screen::Canvas;
        glBindFramebuffer(GL_FRAMEBUFFER, m_canvasFbo);
        return;
    }
    m_screen = Screen::Straight;
    m_drawing.Reset();
    m_drawing.view[0] = m_viewX, m_drawing.view[1] = m_viewY;
    m_drawing.view[2] = m_viewWidth, m_drawing.view[3] = m_viewHeight;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // The bars, and without a canvas the whole window, hold whatever the last swap left.
    if (m_canvasWidth == 0 || m_viewWidth != m_drawableWidth || m_viewHeight != m_drawableHeight) {
        glDisable(GL_SCISSOR_TEST);
        ClearTo(0xFF000000);
        ApplyClipping();
    }
}

bool CRenderer::FirstPrimitiveCovers() {
    if (!m_straightOk || m_clipOn || m_cullMode != 1 || m_runCount == 0) return false;
    const Run& run = m_runs[0];
    if (run.prim != Prim::Quads || !(run.blend & BLEND_ALPHABLEND) || run.vertices.size() < 4) return false;
    const hgeVertex* v = run.vertices.data();
    float x[4], y[4];
    const float* t = m_transform;
    for (int i = 0; i < 4; ++i) {
        if ((v[i].col >> 24) != 0xFF) return false;
        x[i] = t[0] * v[i].x + t[1] * v[i].y + t[2];
        y[i] = t[3] * v[i].x + t[4] * v[i].y + t[5];
    }
    // An upright rectangle, its corners in turn, over the whole picture.
    const auto [left, right] = std::minmax_element(x, x + 4);
    const auto [top, bottom] = std::minmax_element(y, y + 4);
    for (int i = 0; i < 4; ++i) {
        const int next = (i + 1) % 4;
        if ((x[i] != *left && x[i] != *right) || (y[i] != *top && y[i] != *bottom)) return false;
        if ((x[i] == x[next]) == (y[i] == y[next])) return false;
    }
    if (*left > 0 || *top > 0 || *right < static_cast<float>(m_sceneWidth) ||
        *bottom < static_cast<float>(m_sceneHeight))
        return false;
    Texture* texture = run.tex ? FindTexture(run.tex) : nullptr;
    if (!texture) return true;  // drawn in its vertices' colour
    float u[2] = {v[0].tx, v[0].tx}, w[2] = {v[0].ty, v[0].ty};
    for (int i = 1; i < 4; ++i) {
        u[0] = std::min(u[0], v[i].tx), u[1] = std::max(u[1], v[i].tx);
        w[0] = std::min(w[0], v[i].ty), w[1] = std::max(w[1], v[i].ty);
    }
    return Opaque(*texture, u[0], w[0], u[1], w[1]);
}

// The texels' opacity is read from the device the first time it is asked, and kept until the
// texture changes.
bool CRenderer::Opaque(Texture& texture, float u0, float v0, float u1, float v1) {
    if (!(u0 >= 0 && v0 >= 0 && u1 <= 1 && v1 <= 1)) return false;  // wrapped, or not a number
    const int width = texture.width, height = texture.height;
    if (texture.opaque.empty()) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
        glBindTexture(GL_TEXTURE_2D, texture.id);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        texture.opaque.resize(pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i) texture.opaque[i] = (pixels[i] >> 24) == 0xFF;
    }
    // Linear filtering reads the two texels around each sample's centre.
    const auto first = [](float at, int size) {
        return std::clamp(static_cast<int>(std::floor(at * static_cast<float>(size) - 0.5f)), 0, size - 1);
    };
    const int left = first(u0, width), right = std::min(first(u1, width) + 1, width - 1);
    const int top = first(v0, height), bottom = std::min(first(v1, height) + 1, height - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (!texture.opaque[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)])
                return false;
    return true;
}

void CRenderer::CatchUpCanvas() {
    if (!m_canvasBehind) return;
    m_canvasBehind = false;
    const Picture& picture = m_lastPicture;
    glBindFramebuffer(GL_FRAMEBUFFER, m_canvasFbo);
    glViewport(picture.view[0], picture.view[1], picture.view[2], picture.view[3]);
    UseProgram(m_single);
    glBindVertexArray(m_vao);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    glFrontFace(GL_CW);
    for (const Step& step : picture.steps) {
        SetScissor(step.scissorOn, step.scissor[0], step.scissor[1], step.scissor[2], step.scissor[3]);
        if (step.clear) {
            ClearTo(step.color);
            continue;
        }
        UploadMatrix(step.matrix);
        ApplyCullMode(step.cullMode);
        const int first = Upload(picture.vertices.data() + step.first, step.count);
        const bool textured = step.tex && FindTexture(step.tex);
        Draw(step.prim, &step.tex, textured ? 1 : 0, step.blend, first, step.count);
    }
    m_lastPicture.Reset();
    if (m_inScene) {
        ApplySceneState();
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
}

void CRenderer::Changing(HTEXTURE tex) {
    if (Texture* texture = FindTexture(tex)) std::vector<bool>().swap(texture->opaque);
    if (m_canvasBehind && m_lastPicture.Uses(tex)) CatchUpCanvas();
    if (m_inScene && !m_target && m_screen == Screen::Straight && m_drawing.Uses(tex)) m_drawing.lost = true;
}

unsigned CRenderer::SceneFramebuffer() const {
    if (m_target) return m_target->fbo;
    return m_screen == Screen::Canvas ? m_canvasFbo : 0;
}

void CRenderer::Clear(DWORD color) {
    if (!m_inScene) return;
    // What is gathered and not yet drawn lies within the clipping the clear fills: it would never be
    // seen. Drawn, it could also send a screen that the clear covers through the canvas.
    m_runCount = 0;
    m_used = 0;
    Flush();
    ChooseScreen(!m_clipOn);
    if (m_screen == Screen::Straight && !m_target) {
        Step step;
        step.clear = true;
        step.color = color;
        step.scissorOn = m_scissorOn;
        std::copy_n(m_scissor, 4, step.scissor);
        m_drawing.steps.push_back(step);
    }
    ClearTo(color);
}

void CRenderer::SetClipping(int x, int y, int w, int h) {
    if (!m_inScene) return;
    const bool on = x != 0 || y != 0 || w != 0 || h != 0;
    // A scene resets its clipping after every pass: unchanged, it does not end the gathered batch.
    if (on == m_clipOn && (!on || (x == m_clip[0] && y == m_clip[1] && w == m_clip[2] && h == m_clip[3])))
        return;
    Flush();
    m_clipOn = on;
    m_clip[0] = x, m_clip[1] = y, m_clip[2] = w, m_clip[3] = h;
    ApplyClipping();
}

void CRenderer::ApplyClipping() {
    if (!m_clipOn) {
        // The bars stay outside the scene.
        SetScissor(m_viewX != 0 || m_viewY != 0, m_viewX, m_viewY, m_viewWidth, m_viewHeight);
        return;
    }
    const int left = std::clamp(m_clip[0], 0, m_sceneWidth);
    const int top = std::clamp(m_clip[1], 0, m_sceneHeight);
    const int right = std::clamp(m_clip[0] + std::max(m_clip[2], 0), left, m_sceneWidth);
    const int bottom = std::clamp(m_clip[1] + std::max(m_clip[3], 0), top, m_sceneHeight);
    const double sx = static_cast<double>(m_viewWidth) / m_sceneWidth;
    const double sy = static_cast<double>(m_viewHeight) / m_sceneHeight;
    const int deviceLeft = static_cast<int>(std::lround(left * sx));
    const int deviceRight = static_cast<int>(std::lround(right * sx));
    int deviceTop = static_cast<int>(std::lround(top * sy));
    int deviceBottom = static_cast<int>(std::lround(bottom * sy));
    if (!m_target) {  // the screen's first device row is its bottom
        const int flippedTop = m_viewHeight - deviceBottom;
        deviceBottom = m_viewHeight - deviceTop;
        deviceTop = flippedTop;
    }
    SetScissor(true, m_viewX + deviceLeft, m_viewY + deviceTop, deviceRight - deviceLeft,
               deviceBottom - deviceTop);
}

void CRenderer::SetScissor(bool on, int x, int y, int w, int h) {
    m_scissorOn = on;
    m_scissor[0] = x, m_scissor[1] = y, m_scissor[2] = w, m_scissor[3] = h;
    if (!on) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
}

void CRenderer::SetTransform(float x, float y, float dx, float dy, float rot, float hscale, float vscale) {
    if (!m_inScene) return;
    float t[6] = {1, 0, 0, 0, 1, 0};
    if (hscale != 0 || vscale != 0) {
        // Move (x, y) to the origin, scale, rotate, then move the origin to (dx, dy).
        const float c = std::cos(rot);
        const float s = std::sin(rot);
        const float a = c * hscale, b = -s * vscale, d = s * hscale, e = c * vscale;
        const float moved[6] = {a, b, dx - a * x - b * y, d, e, dy - d * x - e * y};
        std::memcpy(t, moved, sizeof t);
    }
    if (std::equal(t, t + 6, m_transform)) return;  // the same transform keeps the batch going
    Flush();
    std::memcpy(m_transform, t, sizeof t);
    ApplyMatrix();
}

void CRenderer::ApplyMatrix() {
    const float sx = 2.0f / static_cast<float>(m_sceneWidth);
    const float sy = (m_target ? 2.0f : -2.0f) / static_cast<float>(m_sceneHeight);
    const float oy = m_target ? -1.0f : 1.0f;
    const float* t = m_transform;
    const float matrix[9] = {sx * t[0], sx * t[1], sx * t[2] - 1.0f,  //
                             sy * t[3], sy * t[4], sy * t[5] + oy,    //
                             0.0f,      0.0f,      1.0f};
    std::copy_n(matrix, 9, m_matrix);
    UploadMatrix(matrix);
}

void CRenderer::SetCullMode(int mode) {
    if (mode < 1 || mode > 3 || mode == m_cullMode) return;
    Flush();
    m_cullMode = mode;
    if (m_inScene) ApplyCullMode(mode);
}

std::vector<uint32_t> CRenderer::ReadScene(int* width, int* height) {
    std::vector<uint32_t> pixels;
    if (width) *width = 0;
    if (height) *height = 0;
    if (!m_inScene || m_viewWidth <= 0 || m_viewHeight <= 0) return pixels;
    Flush();
    ChooseScreen(false);  // nothing drawn yet: what is read is the last picture
    const auto rowPixels = static_cast<size_t>(m_viewWidth);
    pixels.resize(rowPixels * static_cast<size_t>(m_viewHeight));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(m_viewX, m_viewY, m_viewWidth, m_viewHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 pixels.data());
    if (!m_target) {  // the screen's first device row is its bottom
        for (int row = 0; row < m_viewHeight / 2; ++row) {
            std::swap_ranges(
                pixels.begin() + static_cast<ptrdiff_t>(rowPixels * static_cast<size_t>(row)),
                pixels.begin() + static_cast<ptrdiff_t>(rowPixels * static_cast<size_t>(row + 1)),
                pixels.begin() +
                    static_cast<ptrdiff_t>(rowPixels * static_cast<size_t>(m_viewHeight - 1 - row)));
        }
    }
    if (width) *width = m_viewWidth;
    if (height) *height = m_viewHeight;
    return pixels;
}

// ---- primitives ----

namespace {

// The box a primitive's vertices cover, widened by `margin`. A triangle takes only the pixels whose
// centres lie inside it, so boxes apart by more than the device's snapping of the vertices never
// share a pixel; a line is a pixel wide around its points.
CRenderer::Box BoxOf(const hgeVertex* v, int count, float margin) {
    CRenderer::Box box{v[0].x, v[0].y, v[0].x, v[0].y};
    for (int i = 1; i < count; ++i) {
        box.left = std::min(box.left, v[i].x), box.top = std::min(box.top, v[i].y);
        box.right = std::max(box.right, v[i].x), box.bottom = std::max(box.bottom, v[i].y);
    }
    box.left -= margin, box.top -= margin, box.right += margin, box.bottom += margin;
    return box;
}

constexpr float kTriangleMargin = 1.0f / 16;
constexpr float kLineMargin = 1.0f;

bool Overlap(const CRenderer::Box& a, const CRenderer::Box& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// Box tests one primitive may spend looking for its run; past them it starts a run of its own, so a
// frame of many small pictures in many textures stays linear.
constexpr int kOverlapTests = 256;

}  // namespace

// The run's pictures are spread over the screen as often as not: its whole box would cover what lies
// between them, so a primitive is held back only by one it really overlaps.
bool CRenderer::RunCovers(const Run& run, const Box& box, int& tests) const {
    if (!Overlap(run.box, box)) return false;
    for (const Box& under : run.boxes)
        if (--tests < 0 || Overlap(under, box)) return true;
    return false;
}

// A primitive joins the last run of its kind, texture and blend when nothing gathered after that run
// lies under it: drawn earlier, it then shows the same, and a frame needs about one draw call per
// texture and layer.
hgeVertex* CRenderer::Reserve(Prim prim, HTEXTURE tex, int blend, int vertices, const Box& box) {
    if (m_used + vertices > kMaxVertices) Flush();
    // The colour-add bit goes with each vertex (see Flush), so it does not part runs.
    blend &= BLEND_ALPHABLEND;
    size_t into = m_runCount;
    int tests = kOverlapTests;
    for (size_t i = m_runCount; i-- > 0;) {
        const Run& run = m_runs[i];
        if (run.prim == prim && run.tex == tex && run.blend == blend) {
            into = i;
            break;
        }
        if (RunCovers(run, box, tests)) break;
    }
    if (into == m_runCount) {
        if (m_runs.size() == m_runCount) m_runs.emplace_back();
        Run& run = m_runs[m_runCount++];
        run.prim = prim, run.tex = tex, run.blend = blend;
        run.box = box;
        run.area = 0;
        run.boxes.clear();
        run.vertices.clear();
    }
    Run& run = m_runs[into];
    run.box = {std::min(run.box.left, box.left), std::min(run.box.top, box.top),
               std::max(run.box.right, box.right), std::max(run.box.bottom, box.bottom)};
    run.boxes.push_back(box);
    run.area += (box.right - box.left) * (box.bottom - box.top);
    const size_t at = run.vertices.size();
    run.vertices.resize(at + static_cast<size_t>(vertices));
    m_used += vertices;
    return run.vertices.data() + at;
}

// z, which a flat picture has no use for, tells the shader to add the vertex colour to the texture.
// A batch's primitives find their runs one by one: its particles are as scattered as any pictures.
void CRenderer::Gather(Prim prim, HTEXTURE tex, int blend, const hgeVertex* v, int count) {
    const int perPrim = prim == Prim::Quads ? 4 : prim == Prim::Triples ? 3 : 2;
    const float add = (blend & BLEND_COLORADD) ? 1.0f : 0.0f;
    const float margin = prim == Prim::Lines ? kLineMargin : kTriangleMargin;
    for (int first = 0; first + perPrim <= count; first += perPrim) {
        // Both blend modes weigh the source by its alpha: a primitive transparent at every vertex
        // leaves every pixel as it was, and need neither a place in a run nor stand in one's way.
        if (std::all_of(v + first, v + first + perPrim,
                        [](const hgeVertex& at) { return (at.col >> 24) == 0; }))
            continue;
        hgeVertex* at = Reserve(prim, tex, blend, perPrim, BoxOf(v + first, perPrim, margin));
        for (int i = 0; i < perPrim; ++i) {
            at[i] = v[first + i];
            at[i].z = add;
        }
    }
}

void CRenderer::RenderQuad(const hgeQuad& quad) {
    if (!m_inScene) return;
    Gather(Prim::Quads, quad.tex, quad.blend, quad.v, 4);
}

void CRenderer::RenderLine(float x1, float y1, float x2, float y2, DWORD color, float z) {
    if (!m_inScene) return;
    const hgeVertex v[2] = {{x1, y1, z, color, 0, 0}, {x2, y2, z, color, 0, 0}};
    Gather(Prim::Lines, 0, BLEND_DEFAULT, v, 2);
}

hgeVertex* CRenderer::StartBatch(int primType, HTEXTURE tex, int blend, int* maxPrim) {
    int max = 0;
    m_batchPoints = false;
    switch (primType) {
        case HGEPRIM_QUADS:
            m_batchPrim = Prim::Quads, max = kMaxQuads;
            break;
        case HGEPRIM_TRIPLES:
            m_batchPrim = Prim::Triples, max = kMaxVertices / 3;
            break;
        case HGEPRIM_LINES:
            m_batchPrim = Prim::Lines, max = kMaxVertices / 2;
            break;
        case HGEPRIM_POINTS:
            m_batchPrim = Prim::Quads, max = kMaxPoints, m_batchPoints = true;
            break;
        default:
            m_batchPrim = Prim::None;
            break;
    }
    if (maxPrim) *maxPrim = max;
    if (m_batchPrim == Prim::None) return nullptr;
    m_batchTex = tex;
    m_batchBlend = blend;
    // The buffer is handed out even outside a scene, so that a caller never writes through null;
    // what is written then is dropped by FinishBatch. Finished, a batch joins the gathered runs.
    if (m_batchPoints) return reinterpret_cast<hgeVertex*>(m_points.data());
    return m_vertices.get();
}

void CRenderer::FinishBatch(int count) {
    const Prim prim = m_batchPrim;
    m_batchPrim = Prim::None;
    if (prim == Prim::None || !m_inScene || count <= 0) return;
    if (m_batchPoints) {
        count = std::min(count, kMaxPoints);
        std::vector<hgeVertex>& quads = m_finishedBatch;
        quads.resize(static_cast<size_t>(count) * 4);
        for (int i = 0; i < count; ++i) {
            const hgePointVertex& p = m_points[static_cast<size_t>(i)];
            const float half = p.size * 0.5f;
            hgeVertex* v = &quads[static_cast<size_t>(i) * 4];
            v[0] = hgeVertex{p.x - half, p.y - half, p.z, p.col, 0, 0};
            v[1] = hgeVertex{p.x + half, p.y - half, p.z, p.col, 1, 0};
            v[2] = hgeVertex{p.x + half, p.y + half, p.z, p.col, 1, 1};
            v[3] = hgeVertex{p.x - half, p.y + half, p.z, p.col, 0, 1};
        }
        Gather(Prim::Quads, m_batchTex, m_batchBlend, quads.data(), count * 4);
        return;
    }
    const int perPrim = prim == Prim::Quads ? 4 : prim == Prim::Triples ? 3 : 2;
    count = std::min(count, kMaxVertices / perPrim) * perPrim;
    // The caller wrote into the buffer the gathered vertices are sent from: kept aside first.
    m_finishedBatch.assign(m_vertices.get(), m_vertices.get() + count);
    Gather(prim, m_batchTex, m_batchBlend, m_finishedBatch.data(), count);
}

void CRenderer::Flush() {
    const size_t runs = m_runCount;
    const int used = m_used;
    if (used == 0 || !m_inScene) {
        m_runCount = 0;
        m_used = 0;
        return;
    }
    ChooseScreen(FirstPrimitiveCovers());
    m_runCount = 0;
    m_used = 0;
    const bool keep = m_screen == Screen::Straight && !m_target;
    size_t at = 0;
    for (size_t i = 0; i < runs; ++i) {
        std::copy(m_runs[i].vertices.begin(), m_runs[i].vertices.end(), m_vertices.get() + at);
        at += m_runs[i].vertices.size();
    }
    // Each run's vertices name the unit its texture is bound to in its call.
    HTEXTURE units[kTextureUnits] = {};
    int unitCount = 0;
    at = 0;
    for (size_t begin = 0; begin < runs;) {
        size_t end = CallEnd(begin, runs, units, &unitCount);
        if (unitCount > 1 && !m_units.id) {
            std::string error;
            if (!MakeProgram(kUnitsFragmentShader, m_units, error)) {
                m_log.Write("Each texture gets draw calls of its own: %s", error.c_str());
                m_unitsFailed = true;
                end = CallEnd(begin, runs, units, &unitCount);
            }
        }
        for (size_t i = begin; i < end; ++i) {
            const HTEXTURE tex = m_runs[i].tex;
            const auto unit = static_cast<float>(std::find(units, units + unitCount, tex) - units);
            const size_t count = m_runs[i].vertices.size();
            if (unitCount > 1 && unit > 0)
                for (size_t v = at; v < at + count; ++v) m_vertices[v].z += 2 * unit;
            at += count;
        }
        begin = end;
    }
    int first = Upload(m_vertices.get(), static_cast<int>(at));
    for (size_t begin = 0; begin < runs;) {
        const size_t end = CallEnd(begin, runs, units, &unitCount);
        int count = 0;
        for (size_t i = begin; i < end; ++i) count += static_cast<int>(m_runs[i].vertices.size());
        Draw(m_runs[begin].prim, units, unitCount, m_runs[begin].blend, first, count);
        first += count;
        ++m_drawCalls;
        begin = end;
    }
    for (size_t i = 0; i < runs; ++i) {
        const Run& run = m_runs[i];
        const int count = static_cast<int>(run.vertices.size());
        const bool textured = run.tex && FindTexture(run.tex);
        if (textured &&
            std::find(m_sceneTextures.begin(), m_sceneTextures.end(), run.tex) == m_sceneTextures.end())
            m_sceneTextures.push_back(run.tex);
        if (!keep) continue;
        Step step;
        step.prim = run.prim, step.tex = run.tex, step.blend = run.blend;
        step.first = static_cast<int>(m_drawing.vertices.size());
        step.count = count;
        std::copy_n(m_matrix, 9, step.matrix);
        step.scissorOn = m_scissorOn;
        std::copy_n(m_scissor, 4, step.scissor);
        step.cullMode = m_cullMode;
        m_drawing.steps.push_back(step);
        m_drawing.vertices.insert(m_drawing.vertices.end(), run.vertices.begin(), run.vertices.end());
    }
}

// The vertices follow each other in one buffer, scene after scene; the buffer is renewed only when
// full, so that nothing a draw call may still read is written over. It starts small, as the driver
// clears a new buffer whole, and doubles at a renewal until it has its full size.
int CRenderer::Upload(const hgeVertex* v, int count) {
    if (m_buffered + count > m_bufferSize) {
        m_bufferSize = std::min(std::max(m_bufferSize * 2, count), kMaxVertices);
        glBufferData(GL_ARRAY_BUFFER, sizeof(hgeVertex) * static_cast<size_t>(m_bufferSize), nullptr,
                     GL_STREAM_DRAW);
        m_buffered = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER,
                    static_cast<GLintptr>(sizeof(hgeVertex) * static_cast<size_t>(m_buffered)),
                    static_cast<GLsizeiptr>(sizeof(hgeVertex) * static_cast<size_t>(count)), v);
    const int first = m_buffered;
    m_buffered += count;
    return first;
}

// Runs from `begin` that one draw call takes: of one kind and blend, each in one of a few textures.
size_t CRenderer::CallEnd(size_t begin, size_t runs, HTEXTURE* units, int* unitCount) const {
    const Run& first = m_runs[begin];
    *unitCount = 0;
    if (!first.tex || !FindTexture(first.tex)) return begin + 1;
    units[(*unitCount)++] = first.tex;
    // Every unit's texture is sampled for each pixel of such a call: a run over a large part of the
    // picture is cheaper in a call of its own.
    const float most = static_cast<float>(m_sceneWidth) * static_cast<float>(m_sceneHeight) / 8;
    if (m_unitsFailed || first.area > most) return begin + 1;
    size_t end = begin + 1;
    for (; end < runs; ++end) {
        const Run& run = m_runs[end];
        if (run.prim != first.prim || run.blend != first.blend || !run.tex || !FindTexture(run.tex) ||
            run.area > most)
            break;
        if (std::find(units, units + *unitCount, run.tex) != units + *unitCount) continue;
        if (*unitCount == kTextureUnits) break;
        units[(*unitCount)++] = run.tex;
    }
    return end;
}

void CRenderer::Draw(Prim prim, const HTEXTURE* units, int unitCount, int blend, int first, int count) {
    const Program& program = unitCount > 1 ? m_units : m_single;
    UseProgram(program);
    glUniform1i(program.uMode, unitCount > 0 ? 1 : 0);
    for (int unit = std::max(unitCount, 1); unit-- > 0;) {
        const Texture* texture = unit < unitCount ? FindTexture(units[unit]) : nullptr;
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        glBindTexture(GL_TEXTURE_2D, texture ? texture->id : 0);
    }
    glBlendFunc(GL_SRC_ALPHA, (blend & BLEND_ALPHABLEND) ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    switch (prim) {
        case Prim::Quads:
            glDrawElementsBaseVertex(GL_TRIANGLES, count / 4 * 6, GL_UNSIGNED_SHORT, nullptr, first);
            break;
        case Prim::Triples:
            glDrawArrays(GL_TRIANGLES, first, count);
            break;
        case Prim::Lines:
            glDrawArrays(GL_LINES, first, count);
            break;
        case Prim::None:
            break;
    }
}

int CRenderer::DrawCalls() {
    Flush();
    return m_drawCalls;
}

int CRenderer::TexturesDrawn() {
    Flush();
    return static_cast<int>(m_sceneTextures.size());
}

// ---- textures ----

CRenderer::Texture* CRenderer::FindTexture(HTEXTURE tex) const {
    auto found = m_textures.find(tex);
    return found == m_textures.end() ? nullptr : found->second.get();
}

CRenderer::Target* CRenderer::FindTarget(HTARGET target) const {
    auto found = m_targets.find(target);
    return found == m_targets.end() ? nullptr : found->second.get();
}

HTEXTURE CRenderer::TextureFromPixels(const uint32_t* pixels, int width, int height, int rowPixels) {
    if (!Ready()) return 0;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) {
        m_log.Write("Can't make a texture of %dx%d pixels", width, height);
        return 0;
    }
    auto texture = std::make_unique<Texture>();
    texture->width = width;
    texture->height = height;
    glGenTextures(1, &texture->id);
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowPixels);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    CPictureBudget::Hold(texture->PixelBytes());
    const HTEXTURE handle = m_nextHandle++;
    m_textures[handle] = std::move(texture);
    return handle;
}

HTEXTURE CRenderer::TextureCreate(int width, int height) {
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > (1 << 28)) {
        m_log.Write("Can't make a texture of %dx%d pixels", width, height);
        return 0;
    }
    const std::vector<uint32_t> zero(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return TextureFromPixels(zero.data(), width, height, width);
}

void CRenderer::TextureFree(HTEXTURE tex) {
    Texture* texture = FindTexture(tex);
    if (!texture || texture->ownedByTarget) return;
    Flush();  // gathered runs may use it
    Changing(tex);
    glDeleteTextures(1, &texture->id);
    CPictureBudget::Release(texture->PixelBytes());
    m_textures.erase(tex);
}

int CRenderer::TextureWidth(HTEXTURE tex, bool /*original*/) const {
    const Texture* texture = FindTexture(tex);
    return texture ? texture->width : 0;
}

int CRenderer::TextureHeight(HTEXTURE tex, bool /*original*/) const {
    const Texture* texture = FindTexture(tex);
    return texture ? texture->height : 0;
}

DWORD* CRenderer::TextureLock(HTEXTURE tex, bool readOnly, int left, int top, int width, int height) {
    Texture* texture = FindTexture(tex);
    if (!texture) return nullptr;
    if (texture->locked) {
        m_log.Write("Texture_Lock: the texture is locked already");
        return nullptr;
    }
    if (width == 0 || height == 0) {
        left = top = 0;
        width = texture->width;
        height = texture->height;
    }
    if (left < 0 || top < 0 || width < 0 || height < 0 || left > texture->width - width ||
        top > texture->height - height) {
        m_log.Write("Texture_Lock: rectangle %d,%d %dx%d is outside the %dx%d texture", left, top, width,
                    height, texture->width, texture->height);
        return nullptr;
    }
    Flush();  // draws still gathered may read this texture or draw into it
    texture->pixels.resize(static_cast<size_t>(texture->width) * static_cast<size_t>(texture->height));
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texture->pixels.data());
    texture->locked = true;
    texture->lockReadOnly = readOnly;
    texture->lockRect[0] = left, texture->lockRect[1] = top;
    texture->lockRect[2] = width, texture->lockRect[3] = height;
    return texture->pixels.data() + static_cast<size_t>(top) * static_cast<size_t>(texture->width) +
           static_cast<size_t>(left);
}

void CRenderer::TextureUnlock(HTEXTURE tex) {
    Texture* texture = FindTexture(tex);
    if (!texture || !texture->locked) return;
    if (!texture->lockReadOnly) {
        Flush();
        Changing(tex);
        const int* r = texture->lockRect;
        glBindTexture(GL_TEXTURE_2D, texture->id);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, texture->width);
        glTexSubImage2D(GL_TEXTURE_2D, 0, r[0], r[1], r[2], r[3], GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                        texture->pixels.data() +
                            static_cast<size_t>(r[1]) * static_cast<size_t>(texture->width) +
                            static_cast<size_t>(r[0]));
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    }
    texture->locked = false;
    std::vector<uint32_t>().swap(texture->pixels);
}

void CRenderer::TextureSetWrap(HTEXTURE tex, bool wrap) {
    Texture* texture = FindTexture(tex);
    if (!texture) return;
    Flush();  // gathered runs may use it
    Changing(tex);
    glBindTexture(GL_TEXTURE_2D, texture->id);
    const GLint mode = wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, mode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, mode);
}

// ---- render targets ----

HTARGET CRenderer::TargetCreate(int width, int height) {
    const HTEXTURE tex = TextureCreate(width, height);
    if (!tex) return 0;
    Texture* texture = FindTexture(tex);
    texture->ownedByTarget = true;
    auto target = std::make_unique<Target>();
    target->tex = tex;
    target->width = width;
    target->height = height;
    glGenFramebuffers(1, &target->fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, target->fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture->id, 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, m_inScene ? SceneFramebuffer() : 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        m_log.Write("Can't make a render target of %dx%d pixels (status 0x%x)", width, height, status);
        glDeleteFramebuffers(1, &target->fbo);
        texture->ownedByTarget = false;
        TextureFree(tex);
        return 0;
    }
    const HTARGET handle = m_nextHandle++;
    m_targets[handle] = std::move(target);
    return handle;
}

void CRenderer::TargetFree(HTARGET handle) {
    Target* target = FindTarget(handle);
    if (!target) return;
    if (m_inScene && m_target == target) {
        m_log.Write("Target_Free: the target is being drawn into");
        return;
    }
    glDeleteFramebuffers(1, &target->fbo);
    if (Texture* texture = FindTexture(target->tex)) texture->ownedByTarget = false;
    TextureFree(target->tex);
    m_targets.erase(handle);
}

HTEXTURE CRenderer::TargetTexture(HTARGET handle) const {
    const Target* target = FindTarget(handle);
    return target ? target->tex : 0;
}

}  // namespace Engine
