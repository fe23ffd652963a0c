#pragma once

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

}  // namespace HGENS
}  // namespace GF
