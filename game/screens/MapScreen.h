#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/ActionBase.h"
#include "game/screens/DeformGrid.h"
#include "game/screens/GameMenuScreen.h"
#include "game/screens/StageMapStrategy.h"

// The progress map ("ProgressMapScreen"), the screen between levels: the stages of the career on a
// carousel over a drifting, waving background, the won levels of the current stage around it. The
// player picks a stage, replays a won level (a ribbon), plays on ("play"), or leaves for the dressing
// room ("velmoroom") or the main menu ("main_menu"); the digit key 7 plays the current stage's bonus
// level. It talks to the rest of the game through the current player's variables and its result.
class CMapScreen : public TGameMenuScreen, public CActionWorker, public CScreenMaker<CMapScreen> {
public:
    static constexpr float kCentreX = 400.0f;
    static constexpr float kCentreY = 280.0f;
    static constexpr float kRadiusX = 300.0f;
    static constexpr float kRadiusY = 180.0f;
    static constexpr float kRibbonRadius = 105.0f;
    static constexpr float kRibbonStep = 0.44879895f;  // 2 pi / 14
    static constexpr float kDriftPerMs = 0.02f;        // texture pixels
    static constexpr float kBackgroundWidth = 900.0f;
    static constexpr float kBackgroundHeight = 467.0f;
    static constexpr float kBackgroundRun = 5.0f;  // ms: the background takes its shape at once
    static constexpr int kFirstStage = 1;
    static constexpr int kLastStage = 7;

    ~CMapScreen() override;

    bool Update(const float& dt) override;
    void OnInitialize() override;
    bool UpdateIdle(const float& dt) override;
    void OnCommand(const std::string& command) override;

    // 1 (busy) disables the three buttons, 0 (ready) enables them; other values do nothing.
    void OnStageMapEvent(int value);
    void SetControlsEnabled(bool enabled);

    CStageMapStrategy& GetStageMap() { return m_stageMap; }

private:
    friend CScreenMaker<CMapScreen>;
    CMapScreen();

    void BindMapControls();
    void CreateBackground();
    void BuildStageMap();
    void AddStageToMap(const std::string& name, bool opened, bool isNew);
    void PlaceRibbons();
    void PlaceRibbon(const std::string& stage, const std::string& level, int place, bool isNew);

    float m_backgroundOffset = 0.0f;
    GF::THolder<CDeformGrid> m_background;
    CStageMapStrategy m_stageMap;
};
