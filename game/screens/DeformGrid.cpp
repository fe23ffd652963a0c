#include "game/screens/DeformGrid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "framework/resources/ResourceCache.h"
#include "framework/scene/HgeColor.h"

namespace {

// A key too short for the grid would be read past its lists.
bool KeyFits(const CDeformGridFrame& key, int32_t columns, int32_t rows) {
    if (key.rows.size() < static_cast<std::size_t>(columns)) return false;
    for (int32_t k = 0; k < columns; ++k)
        if (key.rows[static_cast<std::size_t>(k)].size() < static_cast<std::size_t>(rows)) return false;
    return true;
}

}  // namespace

CDeformGrid::CDeformGrid() : m_hge(hgeCreate(HGE_VERSION)) {}

CDeformGrid::~CDeformGrid() {
    m_mesh.reset();
    m_hge->Release();
}

GF::THolder<CDeformGrid> CreateDeformGrid() {
    return GF::THolder<CDeformGrid>(new CDeformGrid);
}

bool CDeformGrid::QueryInterface(const int& id, void** out) {
    return GF::QueryDrawableOnly(this, id, out);
}

bool CDeformGrid::Start(const CDeformGridRecord& description, const std::string& textureName,
                        float durationMs) {
    m_texture = GF::HGENS::GetResourceCache()->GetTexture(textureName);
    m_layer = 0;
    m_elapsed = 0.0f;
    m_duration = durationMs;
    m_description = description;
    m_columns = 0;
    m_rows = 0;
    m_mesh.reset();

    if (m_description.frames.empty()) {
        m_hge->System_Log("Deform grid \"%s\": no keys; nothing drawn", description.name.c_str());
        return false;
    }
    const int32_t columns = m_description.frames.front().a;
    const int32_t rows = m_description.frames.front().b;
    for (const CDeformGridFrame& key : m_description.frames) {
        if (KeyFits(key, columns, rows)) continue;
        m_hge->System_Log("Deform grid \"%s\": a key holds fewer than %d x %d points; nothing drawn",
                          description.name.c_str(), columns, rows);
        m_description.frames.clear();
        return false;
    }
    m_columns = columns;
    m_rows = rows;
    if (m_columns > 0 && m_rows > 0) {
        m_mesh = std::make_unique<hgeDistortionMesh>(m_columns, m_rows);
        m_mesh->SetTexture(m_texture);
        m_mesh->SetTextureRect(0.0f, 0.0f, 128.0f, 128.0f);
    }
    return true;
}

void CDeformGrid::Render() {
    if (!m_enabled || !m_mesh || m_duration == 0.0f) return;
    Update(m_hge->Timer_GetDelta());
    m_hge->Texture_SetWrap(m_texture, true);
    m_mesh->Render(static_cast<float>(position.x) + offset.x, static_cast<float>(position.y) + offset.y);
    m_hge->Texture_SetWrap(m_texture, false);
}

void CDeformGrid::Update(float dtSeconds) {
    if (!m_mesh) return;
    m_elapsed += 1000.0f * dtSeconds;
    const float t = std::min(m_elapsed / m_duration, 1.0f);

    // The keys either side of t: before the first both are the first, after the last both the last.
    const std::vector<CDeformGridFrame>& keys = m_description.frames;
    const int last = static_cast<int>(keys.size()) - 1;
    int i = static_cast<int>(keys.size());
    for (int k = 0; k <= last; ++k) {
        if (keys[static_cast<std::size_t>(k)].time >= t) {
            i = k - 1;
            break;
        }
    }
    const CDeformGridFrame& from = keys[static_cast<std::size_t>(std::clamp(i, 0, last))];
    const CDeformGridFrame& to = keys[static_cast<std::size_t>(std::clamp(i + 1, 0, last))];
    const float f = to.time != from.time ? (t - from.time) / (to.time - from.time) : 0.0f;

    // The halves truncate, as the node distances below do.
    const float radius = std::sqrt(static_cast<float>(m_columns * m_columns / 4 + m_rows * m_rows / 4));
    const bool shaded = tint != kNoTint && radius > 0.0f;
    for (int k = 0; k < m_columns; ++k) {
        const auto& fromColumn = from.rows[static_cast<std::size_t>(k)];
        const auto& toColumn = to.rows[static_cast<std::size_t>(k)];
        for (int r = 0; r < m_rows; ++r) {
            const GF::TPoint<float>& a = fromColumn[static_cast<std::size_t>(r)];
            const GF::TPoint<float>& b = toColumn[static_cast<std::size_t>(r)];
            m_mesh->SetDisplacement(k, r, scale.x * (f * b.x + (1.0f - f) * a.x),
                                    scale.y * (f * b.y + (1.0f - f) * a.y),
                                    hgeDistortionMesh::HGEDISP_TOPLEFT);
            if (shaded) m_mesh->SetColor(k, r, NodeColour(k, r, radius));
        }
    }
}

DWORD CDeformGrid::NodeColour(int column, int row, float radius) const {
    const float dr = static_cast<float>(row - m_rows / 2);
    const float dc = static_cast<float>(column - m_columns / 2);
    const float q = std::sqrt(dr * dr + dc * dc) / radius;
    const hgeColor target(tint);
    // Beyond the radius (a grid wider than high) the tint is not overshot.
    const auto mix = [q](float component) { return std::clamp((1.0f - q) + q * component, 0.0f, 1.0f); };
    return hgeColor(mix(target.r), mix(target.g), mix(target.b), mix(target.a)).GetHWColor();
}
