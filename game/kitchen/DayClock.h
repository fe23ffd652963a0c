#pragma once
#include "framework/scene/SceneFwd.h"

// A moment of the local day.
struct TLocalTime {
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;
};

// The operating system's local clock.
TLocalTime ReadLocalTime();

// The kitchen's wall clock, whose hands show the player's local time, and the sun that crosses the
// window now and then. The field sets it up from its level layout (ShowDayClock) and steps it every
// frame (ShowClockFace), paused or not. Parts the layout lacks are left out.
class CDayClock {
public:
    GF::TAnimationPtr dark;    // "_dark", plays "_idle"
    GF::TAnimationPtr layout;  // the level layout it was set up from
    GF::TAnimationPtr clock;   // "_clock", with its hands "_hour", "_min", "_second"
    GF::TAnimationPtr sun;     // "_sun", plays "all" every 20 s
    float timer = 0.0f;        // ms since the sun last played (5000 after set-up)
    // Where the hands read the time; a test puts in its own.
    TLocalTime (*timeSource)() = &ReadLocalTime;
};

// Sets the clock up from the level layout: plays the layout's "_idle", finds its parts, stops the
// sun and plays the dark's "_idle".
void ShowDayClock(CDayClock& clock, const GF::TAnimationPtr& layout);
// The per-frame step: the hands to the local time; the sun plays once 15 s after set-up, then every
// 20 s.
void ShowClockFace(CDayClock& clock, const float& dt);
