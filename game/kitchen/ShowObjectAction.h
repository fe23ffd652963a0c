#pragma once
#include <vector>

#include "framework/core/Holder.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/CookObject.h"

// Reveals a group of placed objects when a level begins: devices and objects already shown appear at
// once; the scenery not yet shown comes in behind a line that sweeps down the screen, fading in
// reddish and darkening to its own colours. When the duration is over every object of the group is
// shown and the action is done. The fields start it beside their intro.
class CShowObjectAction : public CActionBase {
public:
    // Over the objects of the range, in its order; the duration in ms (the fields pass four times, or
    // once, the show time).
    template <class It>
    static GF::THolder<CShowObjectAction> Create(It begin, It end, float durationMs) {
        return GF::THolder<CShowObjectAction>(
            new CShowObjectAction(std::vector<GF::THolder<CCookObject>>(begin, end), durationMs));
    }

    void Start() override;
    void Update(const float& dt) override;

private:
    CShowObjectAction(std::vector<GF::THolder<CCookObject>> objects, float durationMs);

    float m_duration = 0.0f;
    float m_elapsed = 0.0f;
    std::vector<GF::THolder<CCookObject>> m_objects;
    std::vector<GF::TAnimationPtr> m_animations;  // those the sweep reveals
};
