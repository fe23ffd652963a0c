#pragma once
#include "engine/Hge.h"
#include "framework/core/RefCount.h"

namespace GF {

// The view transform a frame starts with: x, y, dx, dy, rotation, horizontal and vertical scale.
struct tagViewTransform {
    float x = 0.0f;
    float y = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    float rotation = 0.0f;
    float hscale = 1.0f;
    float vscale = 1.0f;
};

// The one record that the screen manager and the none effect both apply at the start of a frame.
tagViewTransform& DefaultViewTransform();

namespace HGENS {

// Opens a frame on the screen (no render target) with the default view transform: what the manager
// does when no transition is running.
void BeginScreenFrame(HGE* hge);

// A transition between screens, as the screen manager drives it each frame: BeginRender opens the
// frame, the top screen draws, EndRender adds the effect's own drawing; once IsFinished answers
// true the manager drops the effect and opens and closes frames itself.
class IGfxEffect : public CRefCount {
public:
    virtual void BeginRender() = 0;
    virtual void EndRender() = 0;
    virtual bool IsFinished() = 0;
    virtual void Update(const float& dt) = 0;
};

}  // namespace HGENS
}  // namespace GF
