#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/CurveStrategies.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "game/kitchen/WalkFloor.h"

// The process-wide floor; all zero until a level sets it.
CFloorQuad& FloorQuad();
// The floor from a level's corner list (far left, far right, near left, near right, further points
// ignored). With fewer than four the floor becomes all zero, logged.
void SetFloorQuad(const std::vector<GF::TPoint<float>>& corners);
// The heroine's animation names by animation index, filled by CPers::BindAnimations; the empty
// names have no animation.
std::vector<std::string>& PersAnimationNames();

// The heroine: the one figure that walks over the kitchen floor between the devices, stands idle,
// blinks, works, waits and hides. A walk is planned by a wave over the walk grid from the target
// cell and walked one cell per step time to the neighbour with the smallest wave value; on the
// screen she is scaled by depth and mirrored when she faces left. Her owner calls Update every
// frame, which runs the handler of her state (idle, walking, or holding still for the wait action).
class CPers : public GF::CRefCount {
public:
    using THandler = void (CPers::*)(const float& dt);
    using TGridIterator = std::vector<bool>::const_iterator;

    static constexpr int kGridSize = CWalkGrid::kSize;
    // Animation indices.
    static constexpr int kWork = 0;
    static constexpr int kIdle = 1;
    static constexpr int kWalkSideways = 4;
    static constexpr int kWalkTowards = 5;
    static constexpr int kWalkAway = 6;
    static constexpr int kWait = 8;
    static constexpr int kHide = 9;  // she takes no walk orders, no pause and does not blink
    static constexpr int kBlink = 10;

    // A heroine in the appearance on the scene, standing idle at floor point (8, 9). The walk grid's
    // flags (true: blocked) are copied, at most 16 x 16 of them, flag k for cell (k / 16, k % 16);
    // cells the range does not reach are free (logged).
    static GF::THolder<CPers> Create(int appearance, TGridIterator begin, TGridIterator end,
                                     const GF::THolder<GF::IScene>& scene);
    ~CPers() override;
    CPers(const CPers&) = delete;
    CPers& operator=(const CPers&) = delete;

    // Fills PersAnimationNames when it is empty.
    static void BindAnimations();

    // One frame of her current state.
    void Update(const float& dt) { (this->*m_handler)(dt); }
    THandler GetHandler() const { return m_handler; }
    // The wait action holds her still with &CPers::Hold and ends the hold by StopWalking.
    void SetHandler(THandler handler) { m_handler = handler; }
    void UpdateIdle(const float& dt);
    void UpdateWalk(const float& dt);
    void Hold(const float&) {}

    // The idle time while idle, the time into the current step while walking (ms).
    void SetStateTimer(float ms) { m_stateTimer = ms; }

    // Takes effect with the next RefreshAppearance.
    void SetAppearance(int appearance) { m_appearance = appearance; }
    // Makes her animations anew for the appearance: "<name>_<appearance>" on the heroine's layer, the
    // same state shown at the same place.
    void RefreshAppearance();
    // Releases her animations; she shows nothing until RefreshAppearance.
    void ClearActionQueue();

    // Shows the animation of the index. The index is taken even when the appearance lacks that
    // animation; the animation shown then stays.
    void SetAnimation(int index);
    int GetAnimationIndex() const { return m_animationIndex; }
    const GF::TAnimationPtr& GetAnimation() const { return m_animation; }

    // Places her at a floor point (grid units): scaled by depth, her feet on the point.
    void SetPosition(float x, float y);
    GF::TPoint<float> GetFloorPosition() const { return m_floor; }
    bool IsMirrored() const { return m_mirrored; }
    // The cell she is on or walks to.
    GF::TPoint<int> GetCell() const { return m_cell; }

    // Starts a walk to the floor cell; ignored while she hides.
    void MoveTo(float x, float y);
    // Ends a walk: idle animation, idle state.
    void StopWalking();
    // Holds or resumes her animation; the state stays.
    void SetPaused(bool paused);
    // Whether the screen point lies on her figure.
    bool HitTest(const GF::TPoint<float>& point) const;

    // The path search, open for its tests: the wave from the target over a fresh copy of the walk
    // grid, and one step from the current cell along it. Cell values: 0 free and not reached,
    // 1 blocked, 2 at the target, growing with the distance; signed bytes.
    void FillWave(int targetX, int targetY);
    void StepAlongWave();

private:
    CPers(int appearance, TGridIterator begin, TGridIterator end, const GF::THolder<GF::IScene>& scene);
    void CopyWalkGrid();
    // Lets go of the set's animations other than the one shown, taking them off the scene.
    void ReleaseAnimationSet();

    struct CHitRect {
        float x1, y1, x2, y2;
    };

    std::vector<CHitRect> m_hitRects;
    int m_animationIndex = kIdle;
    GF::DoLineCalcStrategy<GF::TPoint<float>> m_walk{{}, {}, 1.0f};
    GF::TPoint<float> m_floor;
    GF::TPoint<int> m_cell;
    bool m_mirrored = false;
    float m_stateTimer = 0.0f;
    float m_blinkTimer = 0.0f;
    CWalkGrid m_grid;
    THandler m_handler = &CPers::UpdateIdle;
    std::array<bool, kGridSize * kGridSize> m_walkTemplate{};
    GF::THolder<GF::IScene> m_scene;
    GF::TAnimationPtr m_animation;
    std::vector<GF::TAnimationPtr> m_animationSet;
    int m_appearance = 0;
    bool m_reportedNoAnimation = false;
};
