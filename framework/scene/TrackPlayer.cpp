#include "framework/scene/TrackPlayer.h"

#include "framework/scene/IAnimation.h"

namespace GF {

bool FireCommandSubst(const TTrackPlayer<EParamKind::CommandSubstAnimation>& track, float t, float start,
                      float end) {
    if (!track.IsChanged() || t < start || t > end) return false;
    const CCommandSubst& command = track.GetValue();
    TAnimationPtr animation(command.animation);
    if (!animation) return false;
    return animation->Play(command.part.c_str(), 0, false);
}

}  // namespace GF
