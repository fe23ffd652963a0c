#pragma once
#include <cstddef>
#include <list>

#include "framework/core/Event.h"
#include "framework/core/Holder.h"
#include "framework/scene/Curve.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/SceneFwd.h"

// Whatever flies across the screen (a leaving order sign, a bonus icon, points, a level button): a
// curve that carries animations, and maybe a particle system, over its duration, after an optional
// start delay, and tells its landing delegates when it arrives. It is made running.
class CFlyObject : public GF::CCurve {
public:
    using TLandingEvent = GF::TEvent1<GF::THolder<CFlyObject>>;

    static GF::THolder<CFlyObject> Create();
    ~CFlyObject() override;

    // While the start delay lasts the carried animations stand at their start values; then the
    // curve runs. The carried particle system's emitter goes where the position strategy says.
    bool Update(const float& dt) override;
    // The curve's end event, then the landing event, then (when asked for) the carried animations
    // are reset and dropped.
    void OnEnd() override;

    // The first carried animation; empty when it carries none.
    GF::TAnimationPtr GetAnimation();
    TLandingEvent& GetLandingEvent() { return m_landingEvent; }
    void SetClearOnLanding(bool clear) { m_clearOnLanding = clear; }
    void SetStartDelay(float ms) { m_startDelay = ms; }
    void SetParticle(const GF::THolder<GF::HGENS::CFGParticle>& particle) { m_particle = particle; }

private:
    CFlyObject() { m_running = true; }

    bool m_clearOnLanding = false;
    float m_startDelay = 0.0f;
    TLandingEvent m_landingEvent;
    GF::THolder<GF::HGENS::CFGParticle> m_particle;
};

// The flights of its owner (a field, a map, a result screen), stepped once a frame: a flight that
// has landed is let go on the frame after its landing, and when that empties the list the
// all-landed event is raised. Flights added while the flights are stepped (by a landing or
// all-landed delegate) move from the next frame.
class CFlyObjectWorker {
public:
    CFlyObjectWorker() = default;
    CFlyObjectWorker(const CFlyObjectWorker&) = delete;
    CFlyObjectWorker& operator=(const CFlyObjectWorker&) = delete;

    void AddFlyObject(const GF::THolder<CFlyObject>& flight);
    void UpdateFlyObjects(const float& dt);
    // Lands every flight at once (its landing delegates run) and empties the list. The flights are
    // landed from a copy, so a delegate that adds or drops a flight cannot break the walk; flights it
    // adds are let go with the others.
    void LandFlyObjects();
    GF::TEvent0<>& GetAllLandedEvent() { return m_allLanded; }
    std::size_t GetFlyObjectCount() const { return m_flights.size(); }

private:
    std::list<GF::THolder<CFlyObject>> m_flights;
    GF::TEvent0<> m_allLanded;
};
