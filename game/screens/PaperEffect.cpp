#include "game/screens/PaperEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "framework/scene/HgeColor.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"

namespace {

constexpr int kCullNone = 1;
constexpr int kCullClockwise = 2;
constexpr int kCullCounterClockwise = 3;
constexpr DWORD kWhite = 0xFFFFFFFF;

void Collect(const GF::TAnimationPtr& animation, std::vector<GF::TDrawablePtr>& into, int depth) {
    if (!animation || depth > 16) return;  // hosting never nests this deep; a loop would
    const int count = animation->GetDrawableCount();
    for (int i = 0; i < count; ++i) {
        const GF::TDrawablePtr drawable = animation->GetDrawable(static_cast<unsigned>(i));
        if (!drawable) continue;
        into.push_back(drawable);
        const GF::TSubstitutedContainerPtr container(drawable.Get());
        if (!container) continue;
        for (int index = 0;; ++index) {
            const GF::TAnimationPtr hosted = container->GetSubstituted(index);
            if (!hosted) break;
            Collect(hosted, into, depth + 1);
        }
    }
}

}  // namespace

std::vector<GF::TDrawablePtr> CollectDrawables(const GF::TAnimationPtr& animation) {
    std::vector<GF::TDrawablePtr> drawables;
    Collect(animation, drawables, 0);
    std::stable_sort(
        drawables.begin(), drawables.end(),
        [](const GF::TDrawablePtr& a, const GF::TDrawablePtr& b) { return a->GetLayer() < b->GetLayer(); });
    return drawables;
}

CPaperEffect::CPaperEffect(float rotation, float startAngle, float endAngle, const GF::TRect& rect)
    : m_rect(rect),
      m_rotation(rotation),
      m_rotationSin(std::sin(rotation)),
      m_rotationCos(std::cos(rotation)),
      m_startSin(std::sin(startAngle)),
      m_startCos(std::cos(startAngle)),
      m_endSin(std::sin(endAngle)),
      m_endCos(std::cos(endAngle)),
      m_hge(hgeCreate(HGE_VERSION)),
      m_mesh(std::make_unique<hgeDistortionMesh>(kColumns, kRows)) {}

CPaperEffect::~CPaperEffect() {
    if (m_front) m_hge->Texture_Free(m_front);
    if (m_back) m_hge->Texture_Free(m_back);
    m_mesh.reset();
    m_hge->Release();
}

GF::THolder<CPaperEffect> CPaperEffect::Create(float rotation, float startAngle, float endAngle,
                                               const GF::TRect& rect) {
    return GF::THolder<CPaperEffect>(new CPaperEffect(rotation, startAngle, endAngle, rect));
}

bool CPaperEffect::QueryInterface(const int& id, void** out) {
    return GF::QueryDrawableOnly(this, id, out);
}

void CPaperEffect::Log(const char* text) {
    m_hge->System_Log("%s", text);
}

bool CPaperEffect::Build(const GF::TAnimationPtr& front, const GF::TAnimationPtr& back, HTEXTURE frontMask,
                         HTEXTURE backMask) {
    m_ready = false;
    if (front && !BuildSide(front, m_front, frontMask, 1)) return false;
    if (back && !BuildSide(back, m_back, backMask, 2)) return false;
    if (!m_front && !m_back) {
        Log("CPaperEffect:[ERR]not texture loading");
        return false;
    }
    m_mesh->SetTexture(m_front ? m_front : m_back);
    m_mesh->SetTextureRect(0.0f, 0.0f, static_cast<float>(m_textureWidth),
                           static_cast<float>(m_textureHeight));
    m_mesh->SetBlendMode(BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE);
    m_mesh->Clear(kWhite, 0.5f);
    m_ready = true;
    SetProgress(m_progress);
    return true;
}

bool CPaperEffect::BuildSide(const GF::TAnimationPtr& animation, HTEXTURE& side, HTEXTURE mask, int number) {
    if (!side) {
        side = m_hge->Texture_Create(kSideSize, kSideSize);
        if (!side) {
            m_hge->System_Log("CPaperEffect:[ERR]texture %d not created", number);
            return false;
        }
        m_hge->System_Log("CPaperEffect:texture %d create", number);
    }
    if (m_textureWidth == 0 && m_textureHeight == 0) {
        const GF::TRect box = animation->GetBoundingBox();
        m_textureWidth = box.right - box.left;
        m_textureHeight = box.bottom - box.top;
    }
    animation->Update(0.0f);
    m_hge->System_Log("CPaperEffect:ctart writing texture %d", number);
    if (!WriteSide(animation, side, mask)) {
        Log(number == 1 ? "writing texture error" : "CPaperEffect:[ERR]writing texture error");
        return false;
    }
    m_hge->System_Log("CPaperEffect:end writing texture %d", number);
    return true;
}

// The side is drawn into a render target of its own, read back and copied into the side's texture
// with the mask's alpha. The copy keeps to what lies inside all three pictures, each stepped by its
// own row length.
bool CPaperEffect::WriteSide(const GF::TAnimationPtr& animation, HTEXTURE side, HTEXTURE mask) {
    const int sideWidth = m_hge->Texture_GetWidth(side, false);
    const int sideHeight = m_hge->Texture_GetHeight(side, false);
    const int maskWidth = mask ? m_hge->Texture_GetWidth(mask, false) : 0;
    const int maskHeight = mask ? m_hge->Texture_GetHeight(mask, false) : 0;
    if (maskWidth > sideWidth || maskHeight > sideHeight) {
        Log("CPaperEffect:[ERR]mask size is wrong");
        return false;
    }
    if (sideWidth <= 0 || sideHeight <= 0) {
        Log("CPaperEffect:[ERR]texture is null size");
        return false;
    }
    if (maskWidth <= 0 || maskHeight <= 0) {
        Log("CPaperEffect:[ERR]texture or(and) not mask Texture_Lock");
        return false;
    }
    const HTARGET target = m_hge->Target_Create(kSideSize, kSideSize, false);
    if (!target) {
        Log("CPaperEffect:[ERR]render target not created");
        return false;
    }
    Log("render target create");
    bool written = false;
    if (!m_hge->Gfx_BeginScene(target)) {
        Log("CPaperEffect:[ERR]render target not drawn");
    } else {
        m_hge->Gfx_Clear(0);
        for (const GF::TDrawablePtr& drawable : CollectDrawables(animation)) {
            if (drawable->IsVisible()) drawable->Render();
        }
        m_hge->Gfx_EndScene();
        written = true;
    }
    const HTEXTURE picture = written ? m_hge->Target_GetTexture(target) : 0;
    if (written && !picture) {
        Log("CPaperEffect:[ERR]render target texture not created");
        written = false;
    }
    const DWORD* source = picture ? m_hge->Texture_Lock(picture, true, 0, 0, 0, 0) : nullptr;
    if (picture && !source) {
        Log("CPaperEffect:[ERR]pDestSurface not LockRect");
        written = false;
    }
    if (source) {
        const DWORD* alpha = m_hge->Texture_Lock(mask, true, 0, 0, maskWidth, maskHeight);
        DWORD* destination = alpha ? m_hge->Texture_Lock(side, false, 0, 0, sideWidth, sideHeight) : nullptr;
        if (!alpha || !destination) {
            Log("CPaperEffect:[ERR]texture or(and) not mask Texture_Lock");
            written = false;
        } else {
            const auto sourceRow = static_cast<size_t>(m_hge->Texture_GetWidth(picture, false));
            const auto maskRow =
                static_cast<size_t>(maskWidth > 0 ? m_hge->Texture_GetWidth(mask, false) : 0);
            const auto sideRow = static_cast<size_t>(sideWidth);
            const int width = std::min({maskWidth, sideWidth, static_cast<int>(sourceRow)});
            const int height = std::min({maskHeight, sideHeight, m_hge->Texture_GetHeight(picture, false)});
            for (int y = 0; y < height; ++y) {
                const auto row = static_cast<size_t>(y);
                for (int x = 0; x < width; ++x) {
                    const auto column = static_cast<size_t>(x);
                    destination[row * sideRow + column] = (source[row * sourceRow + column] & 0x00FFFFFFu) |
                                                          (alpha[row * maskRow + column] & 0xFF000000u);
                }
            }
        }
        if (destination) m_hge->Texture_Unlock(side);
        if (alpha) m_hge->Texture_Unlock(mask);
        m_hge->Texture_Unlock(picture);
    }
    m_hge->Target_Free(target);
    return written;
}

bool CPaperEffect::SetProgress(float t) {
    m_progress = t;
    const float width = static_cast<float>(m_rect.right - m_rect.left);
    const float height = static_cast<float>(m_rect.bottom - m_rect.top);
    const float hw = width * 0.5f;
    const float hh = height * 0.5f;

    const float dx = m_startSin * (1.0f - t) + m_endSin * t;
    const float dy = m_startCos * (1.0f - t) + m_endCos * t;
    const float length = std::sqrt(dx * dx + dy * dy);
    const float nx = length > 0.0f ? dx / length : 1.0f;
    const float ny = length > 0.0f ? dy / length : 0.0f;

    const float cx = nx < 0.0f ? -hw : hw;
    const float cy = ny < 0.0f ? -hh : hh;
    const float px = cx - width * t * nx;
    const float py = cy - width * t * ny;
    const float curl = std::min(hw + px, kMaxCurl);
    const float flattening = std::sqrt(std::max(0.0f, 1.0f - t));
    const float fold = px * nx + py * ny;
    constexpr float pi = std::numbers::pi_v<float>;

    for (int i = 0; i < m_columns; ++i) {
        for (int j = 0; j < m_rows; ++j) {
            const float u = static_cast<float>(i) / static_cast<float>(m_columns - 1) * width - hw;
            const float v = static_cast<float>(j) / static_cast<float>(m_rows - 1) * height - hh;
            const float d = u * nx + v * ny - fold;
            float x = u;
            float y = v;
            DWORD colour = kWhite;
            if (d >= 0.0f) {
                const float e = nx * (v - py) - ny * (u - px);
                const float footX = px - e * ny;
                const float footY = py + e * nx;
                if (d >= curl) {
                    x = footX - (d - curl) * nx;
                    y = footY - (d - curl) * ny;
                } else {
                    const float h = std::sin(pi * d / curl) * flattening;
                    const float shade = 1.0f - 0.99f * h * h;
                    colour = hgeColor(shade, shade, shade, 1.0f).GetHWColor();
                    x = footX + curl * h / pi * nx;
                    y = footY + curl * h / pi * ny;
                }
            }
            const float turnedX = x * m_rotationCos - y * m_rotationSin;
            const float turnedY = x * m_rotationSin + y * m_rotationCos;
            m_mesh->SetColor(i, j, colour);
            m_mesh->SetDisplacement(i, j, std::floor(turnedX), std::floor(turnedY),
                                    hgeDistortionMesh::HGEDISP_TOPLEFT);
        }
    }
    return true;
}

// The mesh's quads wind clockwise on screen where the paper shows its front and the other way where
// it is turned over, so each side is drawn with the other winding culled. A side never built is
// left out rather than drawn as blank paper.
void CPaperEffect::Draw() {
    if (!m_visible || !m_ready) return;
    const float x = static_cast<float>((m_rect.left + m_rect.right) / 2);
    const float y = static_cast<float>((m_rect.top + m_rect.bottom) / 2);
    if (m_progress != 1.0f && m_front) {
        m_hge->Gfx_SetCullMode(kCullCounterClockwise);
        m_mesh->SetTexture(m_front);
        m_mesh->Render(x, y);
    }
    if (m_progress != 0.0f && m_back) {
        m_hge->Gfx_SetCullMode(kCullClockwise);
        m_mesh->SetTexture(m_back);
        m_mesh->Render(x, y);
    }
    m_hge->Gfx_SetCullMode(kCullNone);
}
