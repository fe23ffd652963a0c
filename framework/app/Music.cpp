#include "framework/app/Music.h"

#include <algorithm>

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

void CMusic::ApplyVolume() {
    const int volume = MusicVolume();
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, track] : m_tracks)
        if (hge->Channel_IsPlaying(track.channel)) hge->Channel_SetVolume(track.channel, volume);
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
        track.channel = hge->Stream_Play(sound->GetHandle(), true, 0);
        track.sound = sound;
        found = m_tracks.emplace(name, std::move(track)).first;
    } else if (IsAlive(hge, found->second)) {
        fade = false;  // already sounding: only its volume is set
    } else {
        found->second.channel = hge->Stream_Play(found->second.sound->GetHandle(), true, 0);
    }

    const HCHANNEL channel = found->second.channel;
    if (channel) {
        if (fade)
            m_ramps.push_back(MakeHolder<CChangeMusic>(channel, volume, 0.0f, 1.0f));
        else
            hge->Channel_SetVolume(channel, volume);
    }
    hge->Release();
}

void CMusic::Stop(const std::string& name, bool fade) {
    auto found = m_tracks.find(name);
    if (found == m_tracks.end()) return;
    TTrack& track = found->second;
    if (fade) {
        m_ramps.push_back(MakeHolder<CChangeMusic>(track.channel, MusicVolume(), 1.0f, 0.0f, name));
        return;
    }
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
    if (m_ramps.empty()) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto it = m_ramps.begin(); it != m_ramps.end();) {
        CChangeMusic& ramp = **it;
        ramp.m_elapsed += dt;
        float value = 0.0f;
        ramp.Calc(value, ramp.m_elapsed);  // held at the end value: the last step does not overshoot
        const int volume = std::clamp(static_cast<int>(static_cast<float>(ramp.m_volume) * value), 0, 100);
        hge->Channel_SetVolume(ramp.m_channel, volume);
        if (ramp.m_elapsed < ramp.duration) {
            ++it;
            continue;
        }
        if (ramp.IsFadingOut()) m_tracks.erase(ramp.m_trackName);  // releases the stream: the track ends
        it = m_ramps.erase(it);
    }
    hge->Release();
}

}  // namespace HGENS
}  // namespace GF
