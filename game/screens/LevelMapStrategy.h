#pragma once
#include <map>
#include <optional>
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/Rect.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/FlyObject.h"

// The level buttons of one stage on the progress map: a ribbon for every level of the stage won with
// place 1, 2 or 3, standing on a circle about the stage picture. Hovering a ribbon for 250 ms shows
// a hint offering to replay the level; a click then chooses it (string variable 29, float variable
// 33) and, 200 ms later, the map ends with "play". A ribbon won in the level just played is revealed
// with a particle effect. The stage map owns one per stage and steps only the current stage's.
class CLevelMapStrategy : public GF::CRefCount, public CFlyObjectWorker, public CActionWorker {
public:
    using TStep = bool (CLevelMapStrategy::*)(const float& dt);

    static constexpr float kHoverDelay = 250.0f;
    static constexpr float kChooseDelay = 200.0f;
    static constexpr float kFlyInTime = 250.0f;
    static constexpr float kFlyInRadius = 105.0f;
    static constexpr int kHintLayer = 5000;
    static constexpr int kEnterSound = 3;
    static constexpr int kRevealSound = 19;

    struct tagButton {
        std::string name;
        GF::TAnimationPtr animation;
        // The click area, the box of the ribbon's "_button_rect"; without that part it is empty and
        // never hit.
        GF::TRect rect{0, 0, -1, -1};
        bool hovered = false;
        bool isNew = false;
        float angle = 0.0f;
    };

    ~CLevelMapStrategy() override;

    // Adds the ribbon of a won level. A new one is hidden and becomes current, to be revealed;
    // another shows when its stage is the player's current stage and is hidden otherwise.
    void AddLevel(const GF::TAnimationPtr& ribbon, const std::string& level, bool isNew);
    // Places the buttons, in name order, on the circle, one step apart and symmetric about its
    // bottom. A centre of (0, 0) stands for the centre of the first button.
    void ArrangeButtons(float radiusX, float radiusY, float step, float centreX, float centreY);
    // hide false: the ribbons fly in along the circle about the centre; hide true: they hide. Once
    // the flights of this map have landed, the click areas are taken again and the input is on.
    void ShowButtons(bool hide);
    void SetCentre(float x, float y) { m_centreX = x, m_centreY = y; }

    // The stage map starts the reveal of a new ribbon the first time it steps this map.
    bool IsStarted() const { return m_started; }
    void StartReveal();
    // Runs the input mode; true also while there is none.
    bool Step(const float& dt);
    bool HasChosen() const { return m_chosen; }

    const std::map<std::string, tagButton>& GetButtons() const { return m_buttons; }
    // The hovered button or the one being revealed; null when none.
    const tagButton* GetCurrent() const { return m_current; }
    // The reveal's particle system; empty before a reveal.
    const GF::THolder<GF::HGENS::CFGParticle>& GetParticle() const { return m_particle; }

private:
    friend GF::THolder<CLevelMapStrategy> CreateLevelMapStrategy();
    CLevelMapStrategy() = default;

    bool UpdateInput(const float& dt);
    bool UpdateRevealWait(const float& dt);
    void Leave(tagButton& button);
    void ShowHint(const tagButton& button);
    void OnAllLanded();
    void Choose();
    void MarkChosen();
    static GF::TRect TakeRect(const GF::TAnimationPtr& ribbon);

    std::map<std::string, tagButton> m_buttons;
    TStep m_step = &CLevelMapStrategy::UpdateInput;
    tagButton* m_current = nullptr;
    bool m_started = false;
    GF::THolder<GF::HGENS::CFGParticle> m_particle;
    GF::TAnimationPtr m_hint;
    float m_centreX = 0.0f;
    float m_centreY = 0.0f;
    std::optional<float> m_hoverTimer;
    bool m_chosen = false;
    bool m_landingCallPending = false;
};

GF::THolder<CLevelMapStrategy> CreateLevelMapStrategy();
