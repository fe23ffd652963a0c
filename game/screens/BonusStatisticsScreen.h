#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/FlyObject.h"
#include "game/screens/GameMenuScreen.h"

// The result of a bonus mini-game ("BonusStatisticsScreen"): its points in the sentence "_texts", and
// a shower of the level's placed objects falling across the screen from "_fly_place" (one when idle,
// then one every 250 ms, 21 in all, each a two-second throw with a spin, hidden when it lands). A won
// mini-game (float variable 5 = 101) goes on with "continue_2"; otherwise "replay" or "continue".
class CBonusStatisticsScreen : public TGameMenuScreen,
                               public CFlyObjectWorker,
                               public CScreenMaker<CBonusStatisticsScreen> {
public:
    static constexpr int kShowSound = 17;
    static constexpr float kLaunchInterval = 250.0f;
    static constexpr float kLaunchSpan = 5000.0f;  // the last successor is scheduled before this
    static constexpr float kFlightTime = 2000.0f;

    ~CBonusStatisticsScreen() override;

    void OnInitialize() override;
    void Show() override;
    void Idle() override;
    bool UpdateIdle(const float& dt) override;

private:
    friend CScreenMaker<CBonusStatisticsScreen>;
    CBonusStatisticsScreen() = default;

    void Launch();
    void OnLanding(GF::THolder<CFlyObject> flight);

    float m_launchTimer = 0.0f;   // ms until the next launch; none is due while it is 0 or below
    float m_launchedTime = 0.0f;  // grows by the interval with each launch that schedules another
    bool m_cannotLaunchLogged = false;
};
