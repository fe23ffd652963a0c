#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/IScene.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/WaveEffect.h"

// The transition every game screen plays when it opens and when it leaves: two shades, one from
// the left edge and a mirrored one from the right, sweep across the screen along named curves and
// back. One object serves all screens: the screen templates attach it to the scene of the screen
// being initialised, start it opening or closing, wait on its progress and switch its drawing on
// and off. Which curves it follows, and whether a request moves it at all, the flow rules decide
// through string variables 20 (opening) and 21 (closing) of the current player.
class CWindowShadesEffect : public GF::CRefCount {
public:
    enum EState { kNone = 0, kOpen = 1, kClose = 2 };

    // The shades' picture: the first drawable of this animation, a sprite, as its part "all" shows it.
    static constexpr const char* kClothAnimation = "effects.shtora";
    static constexpr const char* kClothPart = "all";
    // The second shade runs this share of the duration, so the first one decides the progress.
    static constexpr float kSecondShadeShare = 0.9f;

    // Made on first use.
    static GF::THolder<CWindowShadesEffect> GetInstance();
    // Lets go of the process's object (with the resources its picture comes from); screens that
    // still hold it keep theirs, the next GetInstance makes a new one.
    static void DropInstance();

    ~CWindowShadesEffect() override;
    CWindowShadesEffect(const CWindowShadesEffect&) = delete;
    CWindowShadesEffect& operator=(const CWindowShadesEffect&) = delete;

    // Mode 1 opens, 2 closes, along the curve the flow rules named for the mode; a name that says
    // neither "open" nor "close", or the state already current, changes nothing.
    void SetState(int mode, float durationMs);
    // The curve name for the mode, taken once: the variable is emptied and float variable 22
    // (opening) or 23 (closing) reset to 0. Empty for any other mode.
    static std::string TakeStateName(int mode);
    // A screen shown over another joins that screen's scene, which draws everything by layer. The
    // highest layer the scene draws below the shades (the lowest int32_t when it draws nothing
    // there) is taken before the new screen is made; RaiseAbove then lifts the new layout over it,
    // so nothing beneath shows through its board, whatever layer either layout was made on.
    static int32_t TopLayerBelowShades(const GF::THolder<GF::IScene>& scene);
    static void RaiseAbove(const GF::TAnimationPtr& layout, int32_t beneath);
    // The slower shade's share of its run, 0..1; 1.0 for a shade at rest.
    float GetProgress() const;
    // A disabled shade neither advances nor draws.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_first && m_first->IsEnabled(); }
    // Draws the shades in this scene from now on (nothing when it is the scene already held). The
    // shades are not taken out of the scene held before.
    void SetLayout(GF::THolder<GF::IScene> scene);
    // Takes the shades out of the scene, only when it is the one held (which stays remembered).
    void RemoveLayout(GF::THolder<GF::IScene> scene);

    int GetState() const { return m_state; }
    const GF::THolder<CWaveEffect>& GetFirstShade() const { return m_first; }
    const GF::THolder<CWaveEffect>& GetSecondShade() const { return m_second; }

private:
    CWindowShadesEffect();
    void CreateShades();

    GF::THolder<CWaveEffect> m_first;
    GF::THolder<CWaveEffect> m_second;
    int m_state = kNone;
    GF::THolder<GF::IScene> m_scene;
};
