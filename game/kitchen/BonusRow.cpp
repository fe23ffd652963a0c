#include "game/kitchen/BonusRow.h"

#include <algorithm>

#include "framework/scene/IAnimation.h"

void CBonusRow::Add(const GF::TAnimationPtr& picture) {
    items.push_back(picture);
    Restart();
}

void CBonusRow::Remove(const GF::TAnimationPtr& picture) {
    items.remove(picture);
    Restart();
}

void CBonusRow::Restart() {
    glideTime = 0.0f;
    gliding = true;
}

void CBonusRow::Update(const float& dt) {
    if (!gliding) return;
    glideTime += dt;
    if (glideTime > glideDuration) {
        gliding = false;
        glideTime = glideDuration;
    }
    const float k = glideTime == glideDuration ? 1.0f : std::min(1.0f, dt / (glideDuration - glideTime));
    const auto stepOf = [this](const GF::TAnimationPtr& item) {
        const GF::TRect box = item->GetBoundingBox();
        return GF::TPoint<float>{direction.x * static_cast<float>(box.right - box.left),
                                 direction.y * static_cast<float>(box.bottom - box.top)};
    };
    GF::TPoint<float> half{0.0f, 0.0f};
    if (centred) {
        for (const GF::TAnimationPtr& item : items) {
            const GF::TPoint<float> step = stepOf(item);
            half.x += 0.5f * step.x;
            half.y += 0.5f * step.y;
        }
    }
    GF::TPoint<float> slot = anchor;
    for (const GF::TAnimationPtr& item : items) {
        const GF::TPoint<float> step = stepOf(item);
        const GF::TPoint<float> target{slot.x + 0.5f * step.x - half.x, slot.y + 0.5f * step.y - half.y};
        const GF::TPoint<float> at = item->GetPosition();
        item->SetPosition(at.x + k * (target.x - at.x), at.y + k * (target.y - at.y));
        slot.x += step.x;
        slot.y += step.y;
    }
}
