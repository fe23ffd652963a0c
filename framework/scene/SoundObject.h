#pragma once
#include <string>

#include "engine/Hge.h"
#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Snd.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISound.h"
#include "framework/scene/TrackPlayer.h"

namespace GF {
namespace HGENS {

// A child of an animation that plays one sound resource on the animation's clock: the IDResource
// track chooses the sound, the ActionSound track commands it (1 play, 2 play looped, 3 pause, 4 stop)
// in the frame in which the clock enters the key. The animation pauses, resumes and stops it through
// ISound.
class CSoundObject : public CObjectAnimationAbstract<ISoundObjectData>, public ISound, public CRefCount {
public:
    enum ECommand { kNone = 0, kPlay = 1, kPlayLooped = 2, kPause = 3, kStop = 4 };

    CSoundObject();
    ~CSoundObject() override;

    // The maker for the object-maker table: a new sound object without a description.
    static THolder<IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // IObjectAnimation
    // Takes a sound description; any other kind is ignored.
    void SetObjectData(const THolder<IObjectData>& description) override;
    void Detach() override;
    bool Update(const float& dt) override;

    // ISound
    // Starts the sound on a new channel, or resumes the channel when Pause paused it.
    void Play() override;
    // Resumes the channel only when Pause paused it.
    void Resume() override;
    void Stop() override;
    void Pause() override;

private:
    TTrackPlayer<EParamKind::IDResource> m_resourceTrack;
    TTrackPlayer<EParamKind::ActionSound> m_actionTrack;
    THolder<ISnd> m_sound;
    int m_state = kNone;  // the last command applied
    HCHANNEL m_channel = 0;
    // Paused through Pause: alive whatever the engine says of the channel, so a looped sound is not
    // started again under it, and the only state Resume acts on.
    bool m_paused = false;
    HGE* m_hge;
};

}  // namespace HGENS
}  // namespace GF
