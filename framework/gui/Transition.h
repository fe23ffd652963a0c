#pragma once
#include <memory>

#include "engine/Hge.h"
#include "framework/app/GfxEffect.h"
#include "framework/core/Holder.h"
#include "framework/scene/HgeSprite.h"
#include "framework/scene/IScene.h"

namespace GF {

class IGameManager;

namespace HGENS {

// The effect that adds nothing: it opens each frame on the screen with the default view transform,
// exactly as the screen manager does without an effect, and never ends. Screens install it when
// they resume, which cuts any running transition short.
class CNoneEffect : public IGfxEffect {
public:
    CNoneEffect();
    ~CNoneEffect() override;
    CNoneEffect(const CNoneEffect&) = delete;
    CNoneEffect& operator=(const CNoneEffect&) = delete;

    void BeginRender() override;
    void EndRender() override {}
    bool IsFinished() override { return false; }
    void Update(const float&) override {}

private:
    HGE* m_hge;
};

// A cross-fade between screens: the outgoing screen's scene is drawn once into an off-screen
// picture, and that picture is drawn over the incoming screen with an opacity falling from 255 to
// 0 over the given time. The game makes one when it switches screens, starts it, and hands it to
// the screen manager. Regaining the window focus ends the fade at once.
class CSmoothShow : public IGfxEffect {
public:
    CSmoothShow();
    ~CSmoothShow() override;
    CSmoothShow(const CSmoothShow&) = delete;
    CSmoothShow& operator=(const CSmoothShow&) = delete;

    // Captures the scene at the game picture's size; duration in the manager's frame-time unit. When
    // the off-screen picture cannot be made the effect is finished at once.
    void Start(THolder<IScene> scene, float duration);

    void BeginRender() override;
    void EndRender() override;
    bool IsFinished() override;
    void Update(const float& dt) override;

private:
    void OnActivate();

    HGE* m_hge;
    IGameManager* m_manager;  // owns this effect, so it outlives it
    HTARGET m_target = 0;
    float m_duration = 0.0f;
    float m_timeLeft = 0.0f;
    std::unique_ptr<hgeSprite> m_sprite;
};

}  // namespace HGENS
}  // namespace GF
