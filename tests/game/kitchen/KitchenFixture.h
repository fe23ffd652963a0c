#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/FlyObject.h"
#include "game/kitchen/GenericActions.h"
#include "tests/gui/GuiFixture.h"

// The kitchen's suites: the sample script on the recording engine (as the controls' suites have it),
// a real scene, an action queue and a fly-object worker stepped in fixed frames as a field steps
// them, and a log of what the actions did.
class CKitchenFixture : public CGuiFixture {
protected:
    ~CKitchenFixture() override {
        queue.Clear();
        scene->Clear();
    }

    // An animation of the sample script on the scene at (x, y), playing the part.
    GF::TAnimationPtr Show(const std::string& name, float x, float y, const char* part = "all") {
        const GF::TAnimationPtr animation = scene->CreateAnimation(name);
        if (!animation) return {};
        animation->SetPosition(x, y);
        animation->Play(part, 0, false);
        animation->Update(0.0f);
        return animation;
    }
    // One frame as a field steps: its queue, its flights, its own buttons, then the scene.
    void Step(float dt = 16.0f) {
        ++frame;
        queue.Update(dt);
        flights.UpdateFlyObjects(dt);
        for (const auto& control : controls) control->Update(dt);
        scene->Update(dt);
    }
    // A click at the point: the mouse comes over it, presses and lets go, a frame each.
    void Click(const GF::TPoint<int>& at) {
        for (int buttons : {0, 1, 0}) {
            SetMouse(at.x, at.y, buttons);
            Step();
        }
        SetMouse(0, 0, 0);
        Step();
    }
    // Notes "what@frame" in the log.
    void Note(const std::string& what) { notes.push_back(what + "@" + std::to_string(frame)); }
    // An action that calls the function when it starts.
    GF::THolder<CActionBase> Call(std::function<void()> function) {
        const auto call = GF::MakeHolder<CCall>();
        call->function = std::move(function);
        calls.push_back(call);
        return CExecuteAction::Create(GF::CreateDelegate(call.Get(), &CCall::Run));
    }
    GF::THolder<CActionBase> Noting(const std::string& what) {
        return Call([this, what] { Note(what); });
    }

    struct CCall : GF::CRefCount {
        std::function<void()> function;
        void Run() { function(); }
        void Clicked(GF::THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) { function(); }
    };

    GF::THolder<GF::HGENS::CScene> scene = GF::MakeHolder<GF::HGENS::CScene>();
    CActionWorker queue;
    CFlyObjectWorker flights;
    std::vector<GF::THolder<GF::HGENS::CBaseControl>> controls;
    std::vector<GF::THolder<CCall>> calls;
    int frame = 0;
    std::vector<std::string> notes;
};

// The centre of a rectangle.
inline GF::TPoint<int> Centre(const GF::TRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
