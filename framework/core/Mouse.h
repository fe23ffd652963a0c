#pragma once
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

namespace GF {

// Where the mouse is, in game pixels: (0, 0) is the top-left corner of the game picture. The frame
// function writes it once per frame; controls and the drawn cursor read it.
class CMouse : public CRefCount {
public:
    // Keeps the float position and its integer part (truncated toward zero). A position beyond the
    // int range is clamped rather than converted with undefined results.
    void SetPosition(float x, float y);

    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    float GetFloatX() const { return m_floatX; }
    float GetFloatY() const { return m_floatY; }

private:
    int m_x = 0;
    int m_y = 0;
    float m_floatX = 0.0f;
    float m_floatY = 0.0f;
};

THolder<CMouse> GetMouse();

}  // namespace GF
