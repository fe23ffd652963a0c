#pragma once
#include <list>

#include "framework/core/Point.h"
#include "framework/scene/SceneFwd.h"

// The pictures of the running bonuses, side by side in a row that glides its pictures to their new
// places whenever one joins or leaves: each frame every picture covers the share dt / (time left)
// of its remaining way, so all arrive together when the glide's duration is over.
class CBonusRow {
public:
    void Add(const GF::TAnimationPtr& picture);
    // Takes out every entry of the picture.
    void Remove(const GF::TAnimationPtr& picture);
    void Update(const float& dt);
    void Clear() { items.clear(); }

    bool centred = true;                      // the row centred on the anchor, else starting there
    GF::TPoint<float> direction{1.0f, 0.0f};  // the row runs to the right
    GF::TPoint<float> anchor{60.0f, 100.0f};
    float glideTime = 0.0f;
    float glideDuration = 1000.0f;
    bool gliding = false;
    std::list<GF::TAnimationPtr> items;  // in row order

private:
    void Restart();
};
