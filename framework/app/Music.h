#pragma once
#include <string>
#include <unordered_map>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/Snd.h"
#include "framework/scene/CurveStrategies.h"

namespace GF {

// The background music: looping tracks by name, started and stopped at once or through a one-second
// volume ramp, so that a cross-fade is a fading stop of one track and a fading start of another.
// The volume is the game property "MusicVolume".
class IMusic : public CRefCount {
public:
    // Sets the current "MusicVolume" on every playing track.
    virtual void ApplyVolume() = 0;
    // Starts the track (again, if it had stopped), or only sets its volume while it plays. A fading
    // request on a track that is still fading in or out ramps it from its present level instead.
    virtual void PlayWithFade(const std::string& name, bool fade) = 0;
    // With an empty name, resumes the tracks Pause("") paused; any other name does nothing.
    virtual void Resume(const std::string& name) = 0;
    // Stops the track at once (it stays known and can start again) or fades it out from its present
    // level and forgets it, unless it is asked for again before the fade ends.
    virtual void Stop(const std::string& name, bool fade) = 0;
    // With an empty name, pauses every playing track; any other name does nothing.
    virtual void Pause(const std::string& name) = 0;
    // Steps the volume ramps by the frame time in milliseconds.
    virtual void Update(const float& dt) = 0;
};

namespace HGENS {

// One volume ramp of a track: a line over one second from the track's level when the ramp was made
// (so a new request picks up a running fade where it stands) to the music volume of that moment, or
// to silence for a fading stop, held at its end. A fading stop forgets its track when it ends.
class CChangeMusic : public DoLineCalcStrategy<float> {
public:
    static constexpr float kDuration = 1000.0f;

    CChangeMusic(int fromVolume, int toVolume, bool endsTrack)
        : DoLineCalcStrategy<float>(static_cast<float>(fromVolume), static_cast<float>(toVolume), kDuration),
          m_endsTrack(endsTrack) {}

    float m_elapsed = 0.0f;
    bool m_endsTrack = false;
};

class CMusic : public IMusic {
public:
    ~CMusic() override;

    void ApplyVolume() override;
    void PlayWithFade(const std::string& name, bool fade) override;
    void Resume(const std::string& name) override;
    void Stop(const std::string& name, bool fade) override;
    void Pause(const std::string& name) override;
    void Update(const float& dt) override;

private:
    struct TTrack {
        HCHANNEL channel = 0;
        THolder<ISnd> sound;
        bool paused = false;  // paused by Pause(""): alive, and resumed by Resume("")
        int volume = 0;       // the volume last set on the channel
        // At most one ramp per track: a new request replaces it, so a fading stop cannot silence a
        // track asked for again, nor a fading start fight a later fading stop.
        THolder<CChangeMusic> ramp;
    };

    bool IsAlive(HGE* hge, const TTrack& track) const {
        return track.paused || hge->Channel_IsPlaying(track.channel);
    }

    static void SetVolume(HGE* hge, TTrack& track, int volume);

    std::unordered_map<std::string, TTrack> m_tracks;
};

}  // namespace HGENS

// The process-wide music player, made on first use.
THolder<IMusic> GetMusic();

}  // namespace GF
