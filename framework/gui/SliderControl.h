#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/Button.h"
#include "framework/scene/SceneFwd.h"

namespace GF {
namespace HGENS {

// The arithmetic of a slider's track, apart from the animations that show it. The track runs from
// where the part "all" starts the cursor to where it ends it, along one axis; the layout may run it
// either way (a vertical scroll bar often runs upwards), or give it no length at all.

// The coordinate held to the track, whichever way the track runs.
float ClampToTrack(float coordinate, float trackStart, float trackEnd);

// The value a cursor at the coordinate shows: minimum + trunc(share of the track × range + 0.5),
// held to minimum..maximum. A track without length shows no value of its own: `unchanged` answers.
int SliderValueAt(float coordinate, float trackStart, float trackEnd, int minimum, int maximum,
                  int unchanged);

// How far the value lies from minimum to maximum, 0..1; 0 when the range is empty.
float SliderFraction(int value, int minimum, int maximum);

// A value between a minimum and a maximum, shown by a cursor on a track and by a progress
// animation. The item animation's part "all" carries the cursor (the child "_cursor") from one end
// of the track to the other; the player drags the cursor, clicks on the track to jump there, or
// clicks the optional arrow buttons "<name>_up" and "<name>_down" to step the value. Volume settings
// and the list box's scroll bar use it.
class CSliderControl : public CButtonControl {
public:
    CSliderControl() = default;
    ~CSliderControl() override;

    void Initialize(const std::string& name, THolder<IScreen> screen) override;
    bool Update(const float& dt) override;
    void OnMouseEnter(THolder<CBaseControl> sender) override;
    void OnMouseLeave(THolder<CBaseControl> sender) override;
    void OnMouseDown(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnClick(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons) override;
    void OnVisibleChanged(THolder<CBaseControl> sender) override;
    void OnEnabledChanged(THolder<CBaseControl> sender) override;
    void ShowEnabledState() override {}
    virtual void OnValueChanged(THolder<CBaseControl> sender);

    // Held to minimum..maximum. Once laid out (and without relayout) the cursor moves at once and
    // ValueChanged is raised unless a drag is running; otherwise the animations are posed by time.
    void SetValue(int value, bool relayout);
    // Minimum above maximum are swapped; an empty range becomes one step wide.
    void SetRange(int minimum, int maximum);
    void SetHorizontal(bool horizontal) { m_horizontal = horizontal; }
    int GetValue() const { return m_value; }

    // The arrows' Click delegates.
    void OnDecrease(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons);
    void OnIncrease(THolder<CBaseControl> sender, const TPoint<int>& point, int buttons);

    int m_step = 10;  // what an arrow click adds or takes away
    CControlEvent m_valueChangedEvent;

private:
    float Along(const TPoint<float>& p) const { return m_horizontal ? p.x : p.y; }
    // Moves the cursor to the coordinate along the track (held to it).
    void MoveCursorTo(float coordinate);
    int ValueFromCursor() const;
    void StopDragging();
    void UpdateArrows();
    void ShowEnabledPart();
    // Shows the frame that lies the share (0..1) of the way through the animation's part "all".
    static void ShowShare(const TAnimationPtr& animation, float share);
    THolder<CButtonControl> MakeArrow(const std::string& suffix, THolder<IScreen> screen,
                                      void (CSliderControl::*handler)(THolder<CBaseControl>,
                                                                      const TPoint<int>&, int));

    float m_enabledPartStart = 0.0f;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
    TPoint<float> m_dragStartMouse;
    TPoint<float> m_dragStartCursor;
    TPoint<float> m_trackStart;
    TPoint<float> m_trackEnd;
    TPoint<float> m_trackVector;
    bool m_laidOut = false;
    TAnimationPtr m_cursor;
    TAnimationPtr m_progress;
    bool m_dragging = false;
    bool m_horizontal = true;
    THolder<CButtonControl> m_decrease;
    THolder<CButtonControl> m_increase;
};

// The screens' factory of sliders; registered wherever this header is used.
void RegisterSliderControl();
namespace detail {
inline const bool g_sliderControlRegistered = (RegisterSliderControl(), true);
}

}  // namespace HGENS
}  // namespace GF
