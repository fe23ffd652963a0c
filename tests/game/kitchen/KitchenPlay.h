#pragma once
#include <initializer_list>
#include <string>
#include <utility>

#include "framework/app/GameSound.h"
#include "framework/gui/BaseControl.h"
#include "framework/resources/AnimationData.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "game/kitchen/FieldMakers.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"
#include "tests/support/LevelRun.h"

// What the kitchen scenarios on CLevelRun share: the player's clicks and what they read back.
namespace KitchenPlay {

using GF::TPoint;

inline CGameField* Kitchen(const CLevelRun& run) {
    return dynamic_cast<CGameField*>(run.Field().Get());
}

// A point of the device that the field finds the device at; (-1, -1) when there is none.
inline TPoint<int> PointOn(CGameField& field, const GF::THolder<CCookObject>& device) {
    const GF::TRect box = device->GetAnimation()->GetBoundingBox();
    for (int y = box.top + 1; y < box.bottom; y += 2)
        for (int x = box.left + 1; x < box.right; x += 2)
            if (field.FindDeviceAt({static_cast<float>(x), static_cast<float>(y)}) == device) return {x, y};
    return {-1, -1};
}

// The first point of the customer's sign at which the panel finds that customer; (-1, -1) if none.
inline TPoint<int> PointOnSign(const CReceptPanel& panel, const GF::THolder<CZacaz>& customer) {
    const GF::TRect box = customer->GetSign()->GetBoundingBox();
    for (int y = box.top + 1; y < box.bottom; y += 2)
        for (int x = box.left + 1; x < box.right; x += 2)
            if (panel.FindCustomerAt({static_cast<float>(x), static_cast<float>(y)}) == customer)
                return {x, y};
    return {-1, -1};
}

inline TPoint<int> Centre(const GF::TRect& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// A click the frame reads: the mouse comes over the point and presses now, lets go next frame. A
// button of the interface wants the mouse over it a frame before the press (hoverFirst).
struct CClicker {
    int pressAt = -1;
    int releaseAt = -1;
    TPoint<int> at{};
    void Click(CLevelRun& run, TPoint<int> point, bool hoverFirst = false) {
        at = point;
        run.MoveMouse(point.x, point.y);
        pressAt = run.FrameNumber() + (hoverFirst ? 1 : 0);
        releaseAt = pressAt + 1;
        if (!hoverFirst) run.Button(true, point.x, point.y);
    }
    // A click on the top screen's control, by name; false when the screen has no such control.
    bool ClickControl(CLevelRun& run, const std::string& name) {
        const GF::THolder<GF::IScreen> top = run.Top();
        const GF::THolder<GF::HGENS::CBaseControl> control = top ? top->FindControl(name) : nullptr;
        if (!control) return false;
        Click(run, Centre(control->GetHitRect()), true);
        return true;
    }
    bool Busy(CLevelRun& run) {
        if (releaseAt < 0) return false;
        if (run.FrameNumber() == pressAt) run.Button(true, at.x, at.y);
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

// The animation of that name on the game scene; empty when there is none.
inline GF::TAnimationPtr FindAnimation(const char* name) {
    const auto* scene = dynamic_cast<GF::HGENS::CScene*>(GetGameScene().Get());
    if (!scene) return {};
    for (const GF::TAnimationPtr& animation : scene->GetAnimations())
        if (animation->GetName() && std::string(animation->GetName()) == name) return animation;
    return {};
}

inline bool HasAnimation(const char* name) {
    return static_cast<bool>(FindAnimation(name));
}

// Whether the animation plays its named part: the one that starts where its clock started.
inline bool Plays(const GF::TAnimationPtr& animation, const char* part) {
    if (!animation) return false;
    const GF::THolder<GF::IAnimationData> data = animation->GetAnimationData();
    const GF::THolder<GF::INamedPart> named = data ? data->GetNamedPart(part) : nullptr;
    return named && named->GetStart() == animation->GetStartTime();
}

// The items struck out on the order's sign: those brought to it.
inline int StruckItems(const CZacaz& order) {
    int struck = 0;
    for (const GF::TAnimationPtr& icon : order.GetItemIcons()) struck += Plays(icon, "_stroke") ? 1 : 0;
    return struck;
}

// A field that ends on its first step with the outcome it is given.
class COutcomeField : public CGameFieldBase {
public:
    static GF::THolder<CGameFieldBase> Create() { return GF::THolder<CGameFieldBase>(new COutcomeField); }
    void Update(const float& dt) override {
        CGameFieldBase::Update(dt);
        GetCurrentPlayer().floatVars[5] = outcome;
        FinishLevel();
    }
    static inline float outcome = 0.0f;
};

// The maker table entry for a kind, for one test.
class CMakerScope {
public:
    CMakerScope(std::string kind, TFieldMaker maker) : m_kind(std::move(kind)) {
        SetFieldMaker(m_kind, maker);
    }
    ~CMakerScope() { SetFieldMaker(m_kind, nullptr); }

private:
    std::string m_kind;
};

// Listens for game sound keys: each key gets a name of its own in the sound table (no sound file
// has it, so nothing is heard, but the sound manager notes the request). Set at the run's frame 0,
// once the game data is loaded.
class CSoundEar {
public:
    void Listen(std::initializer_list<int> keys) {
        for (const int key : keys) {
            CSoundKeyInfo& entry = GetGameData().sounds[key];
            entry.key = key;
            entry.name = Name(key);
            Forget(key);
        }
    }
    static std::string Name(int key) { return "heard_key_" + std::to_string(key); }
    static bool Heard(int key) { return HeardName(Name(key)); }
    static bool HeardName(const std::string& name) {
        return GF::HGENS::CGameSound::Instance()->WasAskedFor(name);
    }
    static void Forget(int key) { ForgetName(Name(key)); }
    static void ForgetName(const std::string& name) { GF::HGENS::CGameSound::Instance()->StopSound(name); }
};

}  // namespace KitchenPlay
