#pragma once
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

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
    // Starts the track (again, if it had stopped), or only sets its volume while it plays.
    virtual void PlayWithFade(const std::string& name, bool fade) = 0;
    // With an empty name, resumes the tracks Pause("") paused; any other name does nothing.
    virtual void Resume(const std::string& name) = 0;
    // Stops the track at once (it stays known and can start again) or fades it out and forgets it.
    virtual void Stop(const std::string& name, bool fade) = 0;
    // With an empty name, pauses every playing track; any other name does nothing.
    virtual void Pause(const std::string& name) = 0;
    // Steps the volume ramps by the frame time in milliseconds.
    virtual void Update(const float& dt) = 0;
};

namespace HGENS {

// One volume ramp on a channel: a line from 0 to 1 (a fading start) or from 1 to 0 (a fading stop)
// over one second, held at its end, scaled by the music volume read when the ramp was made. A fading
// stop carries its track's name, which is dropped when the ramp ends.
class CChangeMusic : public DoLineCalcStrategy<float> {
public:
    static constexpr float kDuration = 1000.0f;

    CChangeMusic(HCHANNEL channel, int volume, float from, float to, std::string trackName = {})
        : DoLineCalcStrategy<float>(from, to, kDuration),
          m_channel(channel),
          m_volume(volume),
          m_trackName(std::move(trackName)) {}

    bool IsFadingOut() const { return end < start; }

    float m_elapsed = 0.0f;
    HCHANNEL m_channel = 0;
    int m_volume = 0;
    std::string m_trackName;
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
    };

    bool IsAlive(HGE* hge, const TTrack& track) const {
        return track.paused || hge->Channel_IsPlaying(track.channel);
    }

    std::unordered_map<std::string, TTrack> m_tracks;
    std::list<THolder<CChangeMusic>> m_ramps;
};

}  // namespace HGENS

// The process-wide music player, made on first use.
THolder<IMusic> GetMusic();

}  // namespace GF
