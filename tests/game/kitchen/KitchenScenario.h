#pragma once
// What the kitchen's scenarios share: the field, clicks on devices, what the game scene holds.
#include <string>

#include "framework/core/Point.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Rect.h"
#include "framework/scene/Scene.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GameScene.h"
#include "tests/support/LevelRun.h"

// The kitchen field of the run's game screen; null while none plays.
inline CGameField* Kitchen(const CLevelRun& run) {
    return dynamic_cast<CGameField*>(run.Field().Get());
}

// A point of the device that the field finds the device at (the saucepan's middle lets clicks
// through); (-1, -1) when there is none.
inline GF::TPoint<int> PointOn(CGameField& field, const GF::THolder<CCookObject>& device) {
    const GF::TRect box = device->GetAnimation()->GetBoundingBox();
    for (int y = box.top + 1; y < box.bottom; y += 2)
        for (int x = box.left + 1; x < box.right; x += 2)
            if (field.FindDeviceAt({static_cast<float>(x), static_cast<float>(y)}) == device) return {x, y};
    return {-1, -1};
}

inline GF::TPoint<int> Centre(const GF::TRect& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// A click the frame reads: the mouse comes over the point and presses now, lets go next frame.
struct CClicker {
    int releaseAt = -1;
    GF::TPoint<int> at{};
    void Click(CLevelRun& run, GF::TPoint<int> point) {
        at = point;
        run.MoveMouse(point.x, point.y);
        run.Button(true, point.x, point.y);
        releaseAt = run.FrameNumber() + 1;
    }
    bool Busy(CLevelRun& run) {
        if (releaseAt < 0) return false;
        if (run.FrameNumber() >= releaseAt) {
            run.Button(false, at.x, at.y);
            releaseAt = -1;
        }
        return true;
    }
};

// Whether the game scene holds an animation made from the description of that name.
inline bool HasAnimation(const char* name) {
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    if (!scene) return false;
    for (const GF::TAnimationPtr& animation : scene->GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == name) return true;
    return false;
}
