#include "framework/app/Music.h"

#include <algorithm>
#include <utility>

#include "framework/core/GameProperties.h"
#include "framework/resources/Resource.h"

namespace GF {

namespace {

// The engine's volume scale; a property out of range (a damaged settings file) is held to it.
int MusicVolume() {
    return std::clamp(GetGameProperties()->GetInt("MusicVolume"), 0, 100);
}

}  // namespace

// Never destroyed, like the sound-effect manager: at exit the engine may be gone already.
THolder<IMusic> GetMusic() {
    static auto* instance = new THolder<HGENS::CMusic>;
    if (!*instance) *instance = new HGENS::CMusic;
    return *instance;
}

namespace HGENS {

CMusic::~CMusic() {
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->Channel_StopAll();
    hge->Release();
}

void CMusic::SetVolume(HGE* hge, TTrack& track, int volume) {
    hge->Channel_SetVolume(track.channel, volume);
    track.volume = volume;
}

void CMusic::ApplyVolume() {
    const int volume = MusicVolume();
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, track] : m_tracks)
        if (hge->Channel_IsPlaying(track.channel)) SetVolume(hge, track, volume);
    hge->Release();
}

void CMusic::PlayWithFade(const std::string& name, bool fade) {
    const int volume = MusicVolume();
    HGE* hge = hgeCreate(HGE_VERSION);
    auto found = m_tracks.find(name);
    if (found == m_tracks.end()) {
        THolder<ISnd> sound = GetResource()->LoadSound(name);
        if (!sound) {
            hge->Release();
            return;
        }
        TTrack track;
        track.sound = sound;
        found = m_tracks.emplace(name, std::move(track)).first;
    }
    TTrack& track = found->second;
    if (IsAlive(hge, track)) {
        // Already sounding: only its volume is set, unless a fade is running, which this request
        // replaces (a fading stop would otherwise silence and forget it).
        if (!track.ramp) fade = false;
    } else {
        track.channel = hge->Stream_Play(track.sound->GetHandle(), true, 0);
        track.volume = 0;
        track.paused = false;
    }

    track.ramp.Reset();
    if (track.channel) {
        if (fade)
            track.ramp = MakeHolder<CChangeMusic>(track.volume, volume, false);
        else
            SetVolume(hge, track, volume);
    }
    hge->Release();
}

void CMusic::Stop(const std::string& name, bool fade) {
    auto found = m_tracks.find(name);
    if (found == m_tracks.end()) return;
    TTrack& track = found->second;
    if (fade) {
        track.ramp = MakeHolder<CChangeMusic>(track.volume, 0, true);
        return;
    }
    track.ramp.Reset();
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->Channel_Stop(track.channel);
    hge->Release();
    track.paused = false;
}

void CMusic::Pause(const std::string& name) {
    if (!name.empty()) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [trackName, track] : m_tracks) {
        if (track.paused || !hge->Channel_IsPlaying(track.channel)) continue;
        hge->Channel_Pause(track.channel);
        track.paused = true;
    }
    hge->Release();
}

void CMusic::Resume(const std::string& name) {
    if (!name.empty()) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [trackName, track] : m_tracks) {
        if (!track.paused) continue;
        hge->Channel_Resume(track.channel);
        track.paused = false;
    }
    hge->Release();
}

void CMusic::Update(const float& dt) {
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto it = m_tracks.begin(); it != m_tracks.end();) {
        TTrack& track = it->second;
        if (!track.ramp) {
            ++it;
            continue;
        }
        CChangeMusic& ramp = *track.ramp;
        ramp.m_elapsed += dt;
        float value = 0.0f;
        ramp.Calc(value, ramp.m_elapsed);  // held at the end value: the last step does not overshoot
        SetVolume(hge, track, std::clamp(static_cast<int>(value), 0, 100));
        if (ramp.m_elapsed < ramp.duration) {
            ++it;
        } else if (ramp.m_endsTrack) {
            it = m_tracks.erase(it);  // releases the stream: the track ends
        } else {
            track.ramp.Reset();
            ++it;
        }
    }
    hge->Release();
}

}  // namespace HGENS
}  // namespace GF
