#pragma once
#include <cstdint>

namespace GF {

// Where and how an animation object or a drawable stands: position, layer, rotation (with its sine
// and cosine kept beside the angle), opacity and scale, with the bits of what changed since the last
// frame and how much of its container it follows. Fonts draw text through one.
struct TTransform {
    enum EDirty : uint8_t {
        kDirtyPosition = 1,
        kDirtyScale = 4,
        kDirtyLayer = 8,
        kDirtyRotation = 16,
        kDirtyOpacity = 32,
        kDirtyAll = 0xFF,
    };

    float x = 0.0f;
    float y = 0.0f;
    int32_t layer = 0;
    float sin = 0.0f;
    float cos = 1.0f;
    float opacity = 1.0f;
    float angle = 0.0f;  // radians
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    uint8_t dirty = 0;
    float scaleWeight = 1.0f;  // how strongly a container's scale acts on this record
    bool followPosition = true;
    bool followRotation = true;
    bool followScale = true;

    // Puts this record, relative to its container, into the container's world terms: offset by the
    // container's position, scaled about it (weighted by scaleWeight), turned about it, opacity
    // multiplied, layer added, dirty bits joined; each part only as far as the follow flags allow.
    void Combine(const TTransform& container);
    // The inverse of Combine: this world record becomes the record relative to the container, so that
    // Combine(container) gives the same place on screen again. A container scale or opacity of 0
    // cannot be undone; the field concerned is then left as it is.
    void Uncombine(const TTransform& container);
};

}  // namespace GF
