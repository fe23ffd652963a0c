#pragma once
#include <string>
#include <vector>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/scene/Rect.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/FlyObject.h"
#include "game/screens/LevelMapStrategy.h"

// The stage carousel of the progress map. Every stage is a picture on an ellipse; the current stage
// stands large in the middle with its level map (its won levels). A click on another opened stage
// zooms the current picture back onto the ellipse, turns the carousel until the chosen stage is in
// front and zooms that one in; a newly opened stage is revealed the same way, 1000 ms after the
// layout. While it moves the event says 1 (busy), and 0 once it is ready again; the map screen
// disables its buttons in between. The map screen adds the stages (the current one first), lays them
// out once and steps the carousel every idle frame.
class CStageMapStrategy : public CFlyObjectWorker, public CActionWorker {
public:
    using TStep = bool (CStageMapStrategy::*)(const float& dt);

    static constexpr float kZoomOutTime = 750.0f;
    static constexpr float kTurnTime = 1000.0f;
    static constexpr float kZoomInTime = 750.0f;
    static constexpr float kSettleTime = 500.0f;
    static constexpr float kRevealDelay = 1000.0f;
    static constexpr float kRingScale = 0.5f;
    static constexpr float kZoomPeak = 1.2f;
    static constexpr int kFrontLayers = 50;
    static constexpr int kZoomSound = 10;
    static constexpr int kRevealSound = 16;

    struct StageItem {
        std::string name;
        GF::TAnimationPtr animation;
        GF::TRect hitBox;  // the bounding box of the picture's first drawable
        bool hovered = false;
        bool isNew = false;
        float angle = 0.0f;  // radians on the ellipse
        int index = 0;       // 1-based, in the order of adding
        bool opened = false;
        GF::THolder<CLevelMapStrategy> levelMap;
    };

    CStageMapStrategy();
    ~CStageMapStrategy();

    // Adds a stage picture; a name the stage table lacks is ignored. A locked or new stage is hidden,
    // an opened one shown; the first stage added is the current one (the map adds the player's
    // current stage first), raised above the others.
    void AddStage(const std::string& name, const GF::TAnimationPtr& animation, bool opened, bool isNew);
    // Puts the current picture at the centre and the others on the ellipse, a step apart from its
    // top; queues the reveal of a new stage.
    void Layout(float radiusX, float radiusY, float step, float centreX, float centreY);
    // One frame (ms): flights, timed steps, then the input mode. False once the current stage's level
    // map reports a chosen level.
    bool Update(const float& dt);

    // Empty for a stage that was not added.
    GF::TAnimationPtr GetStageAnimation(const std::string& name) const;
    GF::THolder<CLevelMapStrategy> GetLevelMap(const std::string& name) const;

    GF::TEvent1<int>& GetEvent() { return m_event; }
    const std::vector<StageItem>& GetStages() const { return m_stages; }
    // Null when no stage was added.
    const StageItem* GetCurrent() const { return Item(m_current); }

private:
    StageItem* Item(int index);
    const StageItem* Item(int index) const;
    int FindIndex(const std::string& name) const;

    bool UpdateCarousel(const float& dt);
    bool UpdateNoInput(const float& dt);
    void SelectStage(int index);
    void RevealStage();
    void ZoomOut();
    void OnZoomedOut(GF::THolder<CFlyObject> flight);
    void Turn(float angle);
    void OnTurned();
    void ZoomIn();
    void OnZoomedIn(GF::THolder<CFlyObject> flight);
    void OnSettled();
    void SetInputOn();
    void SetBusy(bool busy) { m_event.Raise(busy ? 1 : 0); }
    void PlaceOnRing(StageItem& stage, float angle);

    TStep m_step = nullptr;
    // Records are reached by their place in the list, which a later append may move.
    std::vector<StageItem> m_stages;
    float m_radiusX = 0.0f;
    float m_radiusY = 0.0f;
    float m_angleStep = 0.0f;
    int m_current = -1;
    int m_revealed = -1;
    int m_selected = -1;  // the stage a selection goes to
    float m_centreX = 0.0f;
    float m_centreY = 0.0f;
    GF::THolder<CFlyObject> m_zoomFlight;
    GF::TEvent1<int> m_event;
};
