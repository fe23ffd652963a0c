#include "game/kitchen/Pers.h"

#include <cstdlib>

#include "framework/app/GameSound.h"
#include "framework/core/Random.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/SoundNames.h"

namespace {

constexpr int kGridCells = CPers::kGridSize * CPers::kGridSize;

GF::THolder<GF::HGENS::CGameSound> Sounds() {
    return GF::HGENS::CGameSound::Instance();
}

}  // namespace

CFloorQuad& FloorQuad() {
    static CFloorQuad quad;
    return quad;
}

void SetFloorQuad(const std::vector<GF::TPoint<float>>& corners) {
    if (corners.size() < 4) {
        GameLog("Floor of %zu corners instead of 4", corners.size());
        FloorQuad() = CFloorQuad{};
        return;
    }
    FloorQuad() = CFloorQuad{corners[0], corners[1], corners[2], corners[3]};
}

std::vector<std::string>& PersAnimationNames() {
    static std::vector<std::string> names;
    return names;
}

void CPers::BindAnimations() {
    std::vector<std::string>& names = PersAnimationNames();
    if (!names.empty()) return;
    names = {"nolla.work",
             "nolla.idle",
             "",
             "",
             "nolla.diagonal_down",
             "nolla.diagonal_down",
             "nolla.diagonal_up",
             "nolla.cancel",
             "nolla.wait",
             "nolla.hide",
             "nolla.blink"};
}

GF::THolder<CPers> CPers::Create(int appearance, TGridIterator begin, TGridIterator end,
                                 const GF::THolder<GF::IScene>& scene) {
    return GF::THolder<CPers>(new CPers(appearance, begin, end, scene));
}

CPers::CPers(int appearance, TGridIterator begin, TGridIterator end, const GF::THolder<GF::IScene>& scene)
    : m_scene(scene), m_appearance(appearance) {
    // Her own copy: the level's grid may have any length, and may go away before she does.
    const auto length = std::distance(begin, end);
    if (length != kGridCells)
        GameLog("Walk grid of %ld cells instead of %d; missing cells are free", static_cast<long>(length),
                kGridCells);
    int k = 0;
    for (TGridIterator it = begin; it != end && k < kGridCells; ++it) m_walkTemplate[k++] = *it;
    BindAnimations();
    CopyWalkGrid();
    RefreshAppearance();
    // Relative to her animation's position, in pixels: head, shoulders, waist, skirt.
    m_hitRects = {{-13, -118, 13, -103}, {-23, -103, 23, -68}, {-10, -68, 10, -58}, {-34, -57, 34, 113}};
    SetPosition(8.0f, 9.0f);
}

CPers::~CPers() {
    ClearActionQueue();
    if (m_animation) m_animation->Reset();
}

void CPers::CopyWalkGrid() {
    m_grid.Load(m_walkTemplate.begin());
}

void CPers::ReleaseAnimationSet() {
    for (const GF::TAnimationPtr& animation : m_animationSet)
        if (animation && animation != m_animation) animation->Reset();
    m_animationSet.clear();
}

void CPers::ClearActionQueue() {
    ReleaseAnimationSet();
}

void CPers::RefreshAppearance() {
    ReleaseAnimationSet();
    const std::vector<std::string>& names = PersAnimationNames();
    m_animationSet.resize(names.size());
    const int layer = GetGameData().persParams.persLayer;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty() || !m_scene) continue;
        const GF::TAnimationPtr animation =
            m_scene->CreateAnimation(names[i] + "_" + std::to_string(m_appearance));
        if (!animation) continue;
        animation->SetVisible(false);
        animation->SetLayer(layer);
        animation->Play("all", 0, false);
        animation->Update(0.0f);
        m_animationSet[i] = animation;
    }
    const GF::TAnimationPtr old = m_animation;
    SetAnimation(m_animationIndex);
    if (!old) return;
    // The old look leaves the scene once the new one has taken its place; a new look without this
    // state shows nothing rather than the old look.
    if (old == m_animation) m_animation.Reset();
    old->Reset();
}

void CPers::SetAnimation(int index) {
    m_animationIndex = index;
    if (index < 0 || static_cast<std::size_t>(index) >= m_animationSet.size()) return;
    const GF::TAnimationPtr next = m_animationSet[static_cast<std::size_t>(index)];
    if (!next || next == m_animation) return;
    const bool hadOne = static_cast<bool>(m_animation);
    if (hadOne) {
        next->SetPosition(m_animation->GetPosition());
        const float scale = m_animation->GetScale().y;
        next->SetScale(scale, scale);
        m_animation->SetVisible(false);
    }
    m_animation = next;
    m_animation->Play("all", 0, false);
    m_animation->SetVisible(true);
    m_animation->Update(0.0f);
    // Nothing was shown to take the place from: the floor position gives it.
    if (!hadOne) SetPosition(m_floor.x, m_floor.y);
}

void CPers::SetPosition(float x, float y) {
    m_floor = {x, y};
    if (!m_animation) {
        if (!m_reportedNoAnimation) GameLog("The heroine has no animation to show");
        m_reportedNoAnimation = true;
        return;
    }
    const CFloorQuad& quad = FloorQuad();
    const GF::TPoint<float> screen = MapFloorPoint(quad, m_floor);
    // A floor without depth or without a near edge (the zero floor before a level sets one) has no
    // depth scale: she is drawn as at the far edge of a rectangle.
    const float depth = quad.nearRight.y - quad.farLeft.y;
    const float nearWidth = quad.nearRight.x - quad.nearLeft.x;
    const float v = depth != 0.0f ? (screen.y - quad.farLeft.y) / depth : 0.0f;
    const float r = nearWidth != 0.0f ? (quad.farRight.x - quad.farLeft.x) / nearWidth : 1.0f;
    const float s = ((r * (1.0f - v) + v) * 0.7f + 0.3f) * 1.1f;
    m_animation->SetScale(m_mirrored ? -s : s, s);
    m_animation->ApplyTransform();
    const GF::TRect box = m_animation->GetBoundingBox();
    const float height = static_cast<float>(box.bottom - box.top);
    m_animation->SetPosition(screen.x, screen.y - height / 2.5f);
}

void CPers::MoveTo(float x, float y) {
    if (m_animationIndex == kHide) return;
    Sounds()->PlaySound(kSoundMove, 0.0f, 0.0f);
    CopyWalkGrid();
    const GF::TPoint<int> target = m_grid.Target(x, y);
    FillWave(target.x, target.y);
    m_stateTimer = 0.0f;
    m_handler = &CPers::UpdateWalk;
    // The cell nearest to where she stands; a position set off the floor counts as its edge.
    auto nearest = [](float v) {
        const float c = v + 0.5f;
        return c >= 0.0f ? (c < static_cast<float>(kGridSize) ? static_cast<int>(c) : kGridSize - 1) : 0;
    };
    m_cell = {nearest(m_floor.x), nearest(m_floor.y)};
    // She then stops where she stands: said, since nothing on the screen tells a level's fault.
    if (m_grid.At(m_cell.x, m_cell.y) < 2)
        GameLog("The heroine can't walk from cell (%d, %d) to cell (%d, %d)", m_cell.x, m_cell.y, target.x,
                target.y);
    StepAlongWave();
}

void CPers::FillWave(int targetX, int targetY) {
    m_grid.FillWave(targetX, targetY);
}

void CPers::StepAlongWave() {
    m_stateTimer = 0.0f;
    const GF::TPoint<int> from = m_cell;
    GF::TPoint<int> best = from;
    int d = m_grid.At(from.x, from.y);
    for (int x = from.x - 1; x <= from.x + 1; ++x) {
        if (x < 0 || x >= kGridSize) continue;
        for (int y = from.y - 1; y <= from.y + 1; ++y) {
            if (y < 0 || y >= kGridSize) continue;
            const int v = m_grid.At(x, y);
            if (v >= 2 && v < d) {
                best = {x, y};
                d = v;
            }
        }
    }
    m_walk.duration = 1.0f;
    m_walk.start = {static_cast<float>(from.x), static_cast<float>(from.y)};
    m_walk.end = {static_cast<float>(best.x), static_cast<float>(best.y)};
    if (best == from) {
        StopWalking();
        return;
    }
    m_mirrored = false;
    const int dx = best.x - from.x, dy = best.y - from.y;
    SetAnimation(dy == 0 ? kWalkSideways : (dy < 0 ? kWalkAway : kWalkTowards));
    if (dx != 0)
        m_mirrored = dx < 0;
    else
        m_mirrored = (dy < 0) == (best.x > 8);
    m_cell = best;
}

void CPers::UpdateWalk(const float& dt) {
    m_stateTimer += dt;
    const float stepTime = GetGameData().bonusParams.stepTime;
    if (stepTime < m_stateTimer) {
        StepAlongWave();
        return;
    }
    const float p = stepTime > 0.0f ? m_stateTimer / stepTime : 1.0f;
    GF::TPoint<float> point;
    m_walk.Calc(point, p);
    SetPosition(point.x, point.y);
}

void CPers::StopWalking() {
    Sounds()->StopSound(kSoundMove);
    SetAnimation(kIdle);
    m_stateTimer = 0.0f;
    m_handler = &CPers::UpdateIdle;
}

void CPers::UpdateIdle(const float& dt) {
    m_blinkTimer -= dt;
    if (m_blinkTimer <= 0.0f) {
        m_blinkTimer = static_cast<float>(GF::Rand() % 3000) + GetGameData().fieldParams.blinkPause;
        if (m_animationIndex != kHide && m_animation && m_animation->IsFinished()) {
            SetAnimation(kBlink);
            if (m_animationIndex == kBlink && m_animation) m_animation->Play("all", 0, false);
        }
    }
    m_stateTimer += dt;
    if (static_cast<float>(GetGameData().persParams.waitInterval) < m_stateTimer) {
        m_stateTimer = 0.0f;
        PlaySoundByName(kSoundWaiting);
    }
}

void CPers::SetPaused(bool paused) {
    Sounds()->StopSound(kSoundMove);
    if (!m_animation || m_animationIndex == kHide) return;
    if (paused)
        m_animation->Stop();
    else
        m_animation->Play("all", 0, false);
}

bool CPers::HitTest(const GF::TPoint<float>& point) const {
    if (!m_animation) return false;
    const GF::TPoint<float> d = point - m_animation->GetPosition();
    for (const CHitRect& r : m_hitRects)
        if (r.x1 <= d.x && d.x <= r.x2 && r.y1 <= d.y && d.y <= r.y2) return true;
    return false;
}
