#pragma once
#include <string>

#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/LevelRecords.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/FlyObject.h"

class CGameFieldBase;

// A timed effect the player won in a kitchen level, run as an action beside the others. It takes
// effect when it starts and shows its name; its picture, which stands in the field's bonus row, spins
// and swells once with a burst of sparks, and the bonus's sound plays when that flight lands. When its
// duration is over the picture plays "_hide" and leaves the row, and the bonus undoes its effect (the
// kinds do that in their Update, in the frame the done flag is set).
class CBonusBase : public CActionBase {
public:
    ~CBonusBase() override;

    void Start() override;
    // Lets go of the field; the flight, which may still be in the air, no longer calls this bonus.
    void Finish() override;
    void Update(const float& dt) override;
    // The landing of the pick-up flight (called at once, with no flight, for a bonus without a
    // picture): the bonus's sound.
    virtual void Apply(GF::THolder<CFlyObject> flight);
    // The picture spins and swells where it stands; the arguments are not used.
    virtual void FlyToTarget(float x, float y);
    // The named object at (400, 200) on the overlay layer, played once.
    virtual void ShowName(const std::string& name);

    const CBonusInfo& GetInfo() const { return m_info; }

protected:
    CBonusBase(const GF::THolder<CGameFieldBase>& field, const CBonusInfo& info,
               const GF::TAnimationPtr& visual);

    // The game scene, or empty (logged) when no level runs.
    static GF::THolder<GF::IScene> Scene();
    // The endless glow the bonuses leave over the kitchen: made in "particles_2", in the game scene.
    static GF::THolder<GF::HGENS::CFGParticle> MakeGlow(const std::string& file, int layer);
    static void StopGlow(GF::THolder<GF::HGENS::CFGParticle>& particles);

    GF::TAnimationPtr m_visual;
    GF::THolder<CGameFieldBase> m_field;
    // A copy: the bonus outlives nothing it points into.
    CBonusInfo m_info;
    GF::THolder<CFlyObject> m_flight;
    float m_remaining = 0.0f;
    bool m_hidePlayed = false;

private:
    void DropFlight();

    GF::THolder<CFlyObject::TLandingEvent::Delegate> m_landing;
};
