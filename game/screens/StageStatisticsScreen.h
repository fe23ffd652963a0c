#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The standings at the end of a tournament stage ("StageStatisticsScreen"): every participant's sum
// over the player's levels of the current stage, best first (the player ahead on a tie), the first
// places on a podium with big portraits, names, cups and points, the others on named ribbons below,
// and the player's own cup lit with sparks and a sound once the screen is idle. It names in float
// variable 18 the participant who leaves the tournament here (-1 when the stage is not a tournament
// stage) and ends with "next". The sixth stage has a podium of two, on the layout named with "_2".
class CStageStatisticsScreen : public TGameMenuScreen, public CScreenMaker<CStageStatisticsScreen> {
public:
    using TRanking = std::vector<std::pair<int32_t, float>>;  // (participant, sum), best first

    static constexpr int kShowSound = 28;
    static constexpr int kLeaverVariable = 18;
    static constexpr const char* kParticleFile = "Particle\\show_cup_1.fgp";

    ~CStageStatisticsScreen() override;

    void Initialize(const std::string& layoutName, GF::THolder<GF::IScene> scene,
                    const char* phraseKey) override;
    void OnInitialize() override;
    void Show() override;
    void Idle() override;

private:
    friend CScreenMaker<CStageStatisticsScreen>;
    CStageStatisticsScreen() = default;

    void ShowPodium(int stage, int mapIndex);
    void ShowRibbons(int mapIndex);

    TRanking m_ranking;
    GF::TAnimationPtr m_playerCup;
};
