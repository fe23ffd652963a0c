#include "game/kitchen/FlyObject.h"

using GF::THolder;

THolder<CFlyObject> CFlyObject::Create() {
    return THolder<CFlyObject>(new CFlyObject);
}

CFlyObject::~CFlyObject() {
    m_landingEvent.Clear();
}

bool CFlyObject::Update(const float& dt) {
    const THolder<CFlyObject> self(this);  // a landing delegate may let go of the last holder
    if (m_startDelay > 0.0f) {
        CCurve::Update(0.0f);
        m_startDelay -= dt;
    } else {
        CCurve::Update(dt);
    }
    if (m_particle && m_position) m_particle->MoveTo(m_current.x, m_current.y);
    return true;
}

void CFlyObject::OnEnd() {
    const THolder<CFlyObject> self(this);
    CCurve::OnEnd();
    m_landingEvent.Raise(self);
    if (m_clearOnLanding) ClearAnimations(true);
}

GF::TAnimationPtr CFlyObject::GetAnimation() {
    return m_animations.empty() ? GF::TAnimationPtr() : m_animations.front();
}

void CFlyObjectWorker::AddFlyObject(const THolder<CFlyObject>& flight) {
    if (flight) m_flights.push_back(flight);
}

void CFlyObjectWorker::LandFlyObjects() {
    const std::list<THolder<CFlyObject>> landing = m_flights;
    for (const THolder<CFlyObject>& flight : landing) {
        if (!flight->IsRunning()) continue;
        flight->SetStartDelay(0.0f);
        flight->Update(flight->GetDuration() - flight->GetTime());  // to the end ...
        flight->Update(0.0f);                                       // ... and landed
    }
    m_flights.clear();
}

void CFlyObjectWorker::UpdateFlyObjects(const float& dt) {
    // Only the flights there at the start are walked: delegates may append more meanwhile.
    auto it = m_flights.begin();
    for (std::size_t left = m_flights.size(); left > 0; --left) {
        const THolder<CFlyObject> flight = *it;
        if (flight->IsRunning()) {
            flight->Update(dt);
            ++it;
            continue;
        }
        it = m_flights.erase(it);
        if (m_flights.empty()) m_allLanded.Raise();
    }
}
