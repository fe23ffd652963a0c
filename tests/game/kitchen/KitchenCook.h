#pragma once
#include "framework/core/Point.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/support/LevelRun.h"

// The kitchen field of the run's game screen; null on any other field or none.
inline CGameField* Kitchen(const CLevelRun& run) {
    return dynamic_cast<CGameField*>(run.Field().Get());
}

inline GF::TPoint<int> Centre(const GF::TRect& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
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

// A cook who takes the current order's items in turn, waits while a device works, and serves the
// order at the plate once it is ready; one click at a time, only while the level plays and the
// heroine has nothing queued.
class CKitchenCook {
public:
    // One frame of the cook's hands; call it after the mouse's Busy answered false.
    void Step(CLevelRun& run, CGameField& field) {
        if (working && working->IsFree()) working.Reset();
        if (field.GetLastAction() || !field.IsPlaying()) return;
        const GF::THolder<CZacaz> customer = field.GetReceptPanel()->GetCurrentCustomer();
        if (!customer || customer->IsBusy()) return;
        if (customer->IsReadyToServe()) {
            ++served;
            mouse.Click(run, Centre(field.GetPlateAnimation()->GetBoundingBox()));
            return;
        }
        const GF::THolder<CCookObject> device = field.GetNextObject(1);
        if (!device || working) return;
        if (device->GetInfo().Kind != 0) working = device;
        mouse.Click(run, PointOn(field, device));
    }
    // The whole frame for a script that only cooks: the mouse's release, then the cook's hands.
    void Frame(CLevelRun& run) {
        if (mouse.Busy(run)) return;
        if (CGameField* field = Kitchen(run)) Step(run, *field);
    }

    CClicker mouse;
    GF::THolder<CCookObject> working;  // the device cooking the current item, until it is free again
    int served = 0;
};
