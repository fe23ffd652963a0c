#include "game/app/WaveEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "framework/scene/HgeColor.h"
#include "game/app/GameData.h"

namespace {

std::vector<GF::TPoint<float>> PointList(const std::string& name) {
    const auto& paths = GetGameData().flyPaths;
    const auto found = paths.find(name);
    if (found == paths.end()) return {};
    return std::vector<GF::TPoint<float>>(found->second.points.begin(), found->second.points.end());
}

// The free edge: white while the cloth lies flat, darkening to 0.3 grey as the fold reaches half.
DWORD EdgeColour(float fold) {
    const float factor = fold < 0.5f ? 0.3f + 1.4f * (0.5f - fold) : 0.3f;
    const float grey = std::clamp(factor, 0.0f, 1.0f);
    return hgeColor(grey, grey, grey, 1.0f).GetHWColor();
}

}  // namespace

CWaveEffect::CWaveEffect(int32_t layer, const GF::THolder<GF::HGENS::CHGESprite>& sprite,
                         const GF::TRect& rect)
    : m_layer(layer), m_rect(rect), m_hge(hgeCreate(HGE_VERSION)) {
    if (!sprite) return;
    m_mesh = std::make_unique<hgeDistortionMesh>(m_columns, m_rows);
    m_mesh->SetTexture(sprite->quad.tex);
    m_mesh->SetTextureRect(sprite->tx, sprite->ty, sprite->width, sprite->height);
}

CWaveEffect::~CWaveEffect() {
    m_mesh.reset();
    m_hge->Release();
}

GF::THolder<CWaveEffect> CreateWaveEffect(int32_t layer, const GF::THolder<GF::HGENS::CHGESprite>& sprite,
                                          const GF::TRect& rect) {
    return GF::THolder<CWaveEffect>(new CWaveEffect(layer, sprite, rect));
}

bool CWaveEffect::QueryInterface(const int& id, void** out) {
    return GF::QueryDrawableOnly(this, id, out);
}

void CWaveEffect::Start(const std::string& name, float durationMs) {
    m_duration = durationMs;
    m_elapsed = 0.0f;
    m_fold.SetPoints(PointList(name));
    m_bend.SetPoints(PointList(name + "_2"));
}

float CWaveEffect::GetProgress() const {
    if (m_duration == 0.0f) return 1.0f;
    return std::min(m_elapsed / m_duration, 1.0f);
}

void CWaveEffect::Render() {
    if (!m_enabled || m_duration == 0.0f) return;
    Update(m_hge->Timer_GetDelta());
    if (m_mesh) m_mesh->Render(static_cast<float>(m_rect.left), static_cast<float>(m_rect.top));
}

void CWaveEffect::Update(float dtSeconds) {
    m_elapsed += 1000.0f * dtSeconds;
    const float t = GetProgress();
    const float s1 = m_fold(t);
    const float s2 = m_bend(t);
    if (!m_mesh) return;

    const float width = static_cast<float>(m_rect.right - m_rect.left);
    const float height = static_cast<float>(m_rect.bottom - m_rect.top);
    const float cellWidth = width / static_cast<float>(m_columns - 1);
    const float cellHeight = height / static_cast<float>(m_rows - 1);
    const float columns = static_cast<float>(m_columns);
    const float rows = static_cast<float>(m_rows);
    const DWORD edge = EdgeColour(s1);
    const float e = m_elapsed;
    for (int k = 0; k < m_columns; ++k) {
        const float column = static_cast<float>(k);
        for (int r = 0; r < m_rows; ++r) {
            const float row = static_cast<float>(r);
            const float waveX = 2.0f * std::sin(16.0f * column / columns + 0.003f * e + 2.0f * row / rows);
            const float waveY = std::sin(9.0f * column / rows + 0.002f * e);
            // The bend's angle divides by the row count, so even the bottom row keeps a little spread.
            const float q = std::cos(std::numbers::pi_v<float> / 2.0f * row / rows) * s2;
            const float fold = (q * q * q - 1.0f) * width * (column / columns) * s1;
            m_mesh->SetDisplacement(k, r, column * cellWidth + waveX + fold, row * cellHeight + waveY,
                                    hgeDistortionMesh::HGEDISP_TOPLEFT);
            if (k == m_columns - 1) m_mesh->SetColor(k, r, edge);
        }
    }
}
