#include "game/kitchen/DayClock.h"

#include <ctime>

#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"

using GF::TAnimationPtr;
using GF::HGENS::HostedAnimation;

namespace {

constexpr float kHourAngle = 0.5235988f;     // pi / 6: a twelfth of a turn
constexpr float kMinuteAngle = 0.10471976f;  // pi / 30: a sixtieth
constexpr float kSunPause = 20000.0f;
constexpr float kFirstSun = 5000.0f;  // the timer after set-up: the sun first plays after 15 s

void Turn(const TAnimationPtr& clock, const char* hand, float angle) {
    if (const TAnimationPtr part = HostedAnimation(clock, hand)) part->SetRotation(angle);
}

}  // namespace

TLocalTime ReadLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

void ShowDayClock(CDayClock& clock, const TAnimationPtr& layout) {
    clock.layout = layout;
    clock.timer = kFirstSun;
    clock.clock.Reset();
    clock.sun.Reset();
    clock.dark.Reset();
    if (!layout) return;
    layout->Play("_idle", 0, false);
    layout->Update(0.0f);
    clock.clock = HostedAnimation(layout, "_clock");
    clock.sun = HostedAnimation(layout, "_sun");
    if (clock.sun) clock.sun->Stop();
    clock.dark = HostedAnimation(layout, "_dark");
    if (clock.dark) clock.dark->Play("_idle", 0, false);
}

void ShowClockFace(CDayClock& clock, const float& dt) {
    clock.timer += dt;
    if (clock.clock) {
        const TLocalTime now = clock.timeSource();
        float hour = static_cast<float>(now.hour) + static_cast<float>(now.minute) / 60.0f;
        if (hour > 12.0f) hour -= 12.0f;
        Turn(clock.clock, "_hour", hour * kHourAngle);
        Turn(clock.clock, "_min",
             (static_cast<float>(now.minute) + static_cast<float>(now.second) / 60.0f) * kMinuteAngle);
        Turn(clock.clock, "_second", static_cast<float>(now.second) * kMinuteAngle);
    }
    if (clock.sun && clock.timer > kSunPause) {
        clock.sun->Play("all", 1, false);
        clock.timer = 0.0f;
    }
}
