#include "game/kitchen/RivalsPanel.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/TruncateToInt.h"

namespace {

// Portraits lie above the ribbons, both above the scene.
constexpr int kRibbonLayer = 10;
constexpr int kPortraitLayer = 30;
// The ribbons are numbered by their order of creation; the fourth and every later one look alike.
constexpr std::size_t kRibbonKinds = 4;

void ShowPoints(const GF::TAnimationPtr& ribbon, float points) {
    if (ribbon) ribbon->SetTextNumber("_score", TruncateToInt(points));
}

void ShowPlace(const GF::TAnimationPtr& ribbon, int place) {
    if (ribbon) ribbon->SetTextNumber("_place", place);
}

}  // namespace

CRivalsPanel::~CRivalsPanel() {
    Clear();
}

void CRivalsPanel::Init(const GF::THolder<GF::IScene>& scene) {
    m_scene = scene;
}

void CRivalsPanel::ShowRivalPortraits(int participant, float points) {
    const std::string name = "interfaces.pers_" + std::to_string(participant);
    GF::TAnimationPtr portrait = m_scene ? m_scene->CreateAnimation(name) : GF::TAnimationPtr();
    if (portrait)
        portrait->SetLayer(GetGameData().overlayLayer + kPortraitLayer);
    else
        GameLog("rivals panel: no portrait \"%s\"", name.c_str());
    const auto before = std::find_if(m_entries.begin(), m_entries.end(),
                                     [points](const tagEntry& entry) { return entry.points > points; });
    const auto position = static_cast<int32_t>(std::distance(m_entries.begin(), before));
    m_entries.insert(before, tagEntry{participant, points, portrait});
    m_step = &CRivalsPanel::GlideStep;
    m_glideTimer = GetGameData().rivalParams.stepInterval;
    ShowRivalRibbons(points);
    if (participant == kPlayer) m_playerEntry = position;
}

void CRivalsPanel::ShowRivalRibbons(float points) {
    const std::string name =
        "interfaces.ribbon_" + std::to_string(std::min(m_ribbons.size() + 1, kRibbonKinds));
    GF::TAnimationPtr ribbon = m_scene ? m_scene->CreateAnimation(name) : GF::TAnimationPtr();
    if (ribbon) {
        ShowPoints(ribbon, points);
        ribbon->SetText("_place", u" ");
        ribbon->SetLayer(GetGameData().overlayLayer + kRibbonLayer);
    } else {
        GameLog("rivals panel: no ribbon \"%s\"", name.c_str());
    }
    // Kept even when missing, so that the ribbon of list position i stays at index m - 1 - i.
    m_ribbons.push_back(ribbon);
}

void CRivalsPanel::SetScore(int participant, float points) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [participant](const tagEntry& entry) {
        return entry.participant == participant;
    });
    int32_t oldPosition = -1;
    if (found != m_entries.end()) {
        oldPosition = static_cast<int32_t>(std::distance(m_entries.begin(), found));
        found->points = points;
        // Behind every other entry with as many points: who reached them later stands better.
        auto before = m_entries.begin();
        while (before != m_entries.end() && (before == found || before->points <= points)) ++before;
        m_entries.splice(before, m_entries, found);
    }
    m_glideTimer = 0.0f;
    m_movingEntry = oldPosition;
    m_step = &CRivalsPanel::GlideStep;
    Renumber();
}

void CRivalsPanel::Renumber() {
    const auto m = static_cast<int>(m_ribbons.size());
    int i = 0;
    for (const tagEntry& entry : m_entries) {
        const GF::TAnimationPtr ribbon = RibbonOf(i);
        ShowPoints(ribbon, entry.points);
        if (entry.points != 0.0f) {
            ShowPlace(ribbon, m - i);
            if (i > 0) ShowPlace(RibbonOf(i - 1), m - i + 1);
        }
        if (entry.participant == kPlayer && i != m_playerEntry) {
            if (const GF::TAnimationPtr old = RibbonOf(m_playerEntry)) old->Play("_idle", 0, false);
            m_playerEntry = i;
            if (ribbon) ribbon->Play("_select", 0, false);
        }
        ++i;
    }
}

float CRivalsPanel::GetScore(int participant) const {
    for (const tagEntry& entry : m_entries)
        if (entry.participant == participant) return entry.points;
    return 0.0f;
}

int CRivalsPanel::GetPlayerPlace() const {
    const auto count = static_cast<int>(m_entries.size());
    const int position = PositionOf(kPlayer);
    return position < 0 ? count : count - position;
}

int CRivalsPanel::PositionOf(int participant) const {
    int position = 0;
    for (const tagEntry& entry : m_entries) {
        if (entry.participant == participant) return position;
        ++position;
    }
    return -1;
}

void CRivalsPanel::Reset() {
    for (const tagEntry& entry : m_entries)
        if (entry.portrait) entry.portrait->Reset();
    for (const GF::TAnimationPtr& ribbon : m_ribbons)
        if (ribbon) ribbon->Reset();
    m_entries.clear();
    // Dropped with the entries: stale ribbons would shift every index of a new row.
    m_ribbons.clear();
    m_step = &CRivalsPanel::Rest;
    m_movingEntry = -1;
    m_playerEntry = 0;
}

void CRivalsPanel::Clear() {
    Reset();
    m_scene.Reset();
}

GF::TAnimationPtr CRivalsPanel::RibbonOf(int position) const {
    if (position < 0 || position >= static_cast<int>(m_entries.size())) return {};
    const int index = static_cast<int>(m_ribbons.size()) - 1 - position;
    if (index < 0 || index >= static_cast<int>(m_ribbons.size())) return {};
    return m_ribbons[static_cast<std::size_t>(index)];
}

void CRivalsPanel::GlideStep(const float& dt) {
    const float interval = GetGameData().rivalParams.stepInterval;
    if (m_entries.empty()) {
        // Nothing to move: the glide is over before it starts.
        m_glideTimer = interval;
        m_step = &CRivalsPanel::Rest;
        return;
    }
    m_glideTimer += dt;
    if (m_glideTimer >= interval) {
        m_glideTimer = interval;
        if (m_movingEntry == -1) {
            // Also lays out a row that has had no change yet, so new ribbons do not wait for one.
            LayOut(1.0f);
            if (const GF::TAnimationPtr ribbon = RibbonOf(PositionOf(kPlayer))) {
                ribbon->Play("_select", 0, false);
                ribbon->ShowTime(ribbon->GetEndTime());
                ribbon->Update(0.0f);
            }
            m_step = &CRivalsPanel::Rest;
            return;
        }
    }
    LayOut(m_glideTimer == interval ? 1.0f : std::min(1.0f, dt / (interval - m_glideTimer)));
}

void CRivalsPanel::LayOut(float k) {
    const CRivalParams& params = GetGameData().rivalParams;
    float x = params.value3 - static_cast<float>(m_entries.size()) * params.value2 * 0.5f;
    int i = 0;
    for (const tagEntry& entry : m_entries) {
        if (const GF::TAnimationPtr ribbon = RibbonOf(i)) {
            ribbon->SetPosition(x, params.value4);
            ribbon->Update(0.0f);
            const GF::TSubstitutedContainerPtr place(ribbon->FindDrawable("_pers_place").Get());
            if (place && entry.portrait) {
                const GF::TTransform& target = place->GetTransform();
                const GF::TPoint<float> at = entry.portrait->GetPosition();
                entry.portrait->SetPosition(at.x + k * (target.x - at.x), at.y + k * (target.y - at.y));
            }
        }
        if (i == m_movingEntry && m_glideTimer == params.stepInterval) m_movingEntry = -1;
        x += params.value2;
        ++i;
    }
}

void CRivalsPanel::Rest(const float&) {}
