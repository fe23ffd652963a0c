#include "framework/scene/Transform.h"

namespace GF {

void TTransform::Combine(const TTransform& p) {
    if (followPosition) {
        x += p.x;
        y += p.y;
    }
    float px = x;
    float py = y;
    opacity *= p.opacity;
    layer += p.layer;
    if (followScale) {
        const float k = scaleWeight;
        scaleX = (k * (p.scaleX - 1.0f) + 1.0f) * scaleX;
        scaleY = (k * (p.scaleY - 1.0f) + 1.0f) * scaleY;
        if (followPosition) {  // the position scales with the container's full scale
            px = p.x + p.scaleX * (px - p.x);
            py = p.y + p.scaleY * (py - p.y);
        }
    }
    if (followRotation) {
        angle += p.angle;
        const float s = p.cos * sin + cos * p.sin;
        const float c = p.cos * cos - p.sin * sin;
        sin = s;
        cos = c;
        if (followPosition) {
            const float dx = px - p.x;
            const float dy = py - p.y;
            px = p.x + p.cos * dx - p.sin * dy;
            py = p.y + p.sin * dx + p.cos * dy;
        }
    }
    x = px;
    y = py;
    dirty |= p.dirty;
}

void TTransform::Uncombine(const TTransform& p) {
    layer -= p.layer;
    if (p.opacity != 0.0f) opacity /= p.opacity;
    if (followScale) {
        const float k = scaleWeight;
        const float dx = (p.scaleX - 1.0f) * k + 1.0f;
        const float dy = (p.scaleY - 1.0f) * k + 1.0f;
        if (dx != 0.0f) scaleX /= dx;
        if (dy != 0.0f) scaleY /= dy;
    }
    if (followRotation) {
        angle -= p.angle;
        const float s = sin * p.cos - cos * p.sin;
        const float c = cos * p.cos + sin * p.sin;
        sin = s;
        cos = c;
    }
    if (followPosition) {
        // Undo the turn about the container's position, then the scale about it, then the offset.
        float rx = x - p.x;
        float ry = y - p.y;
        if (followRotation) {
            const float ux = p.cos * rx + p.sin * ry;
            const float uy = p.cos * ry - p.sin * rx;
            rx = ux;
            ry = uy;
        }
        if (followScale) {
            if (p.scaleX != 0.0f) rx /= p.scaleX;
            if (p.scaleY != 0.0f) ry /= p.scaleY;
        }
        x = rx;
        y = ry;
    }
    dirty |= p.dirty;
}

}  // namespace GF
