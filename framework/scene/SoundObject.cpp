#include "framework/scene/SoundObject.h"

#include <cstdint>

#include "framework/resources/Resource.h"

namespace GF {
namespace HGENS {

CSoundObject::CSoundObject() : m_hge(hgeCreate(HGE_VERSION)) {}

CSoundObject::~CSoundObject() {
    m_hge->Release();
}

THolder<IObjectAnimation> CSoundObject::Make() {
    return THolder<IObjectAnimation>(new CSoundObject);
}

bool CSoundObject::QueryInterface(const int& id, void** out) {
    switch (id) {
        case kIdBase:
            *out = static_cast<IBase*>(static_cast<ISound*>(this));
            break;
        case kIdObjectAnimation:
            *out = static_cast<IObjectAnimation*>(this);
            break;
        case kIdSound:
            *out = static_cast<ISound*>(this);
            break;
        default:
            *out = nullptr;
            return false;
    }
    AddRef();
    return true;
}

void CSoundObject::SetObjectData(const THolder<IObjectData>& description) {
    auto* sound = dynamic_cast<ISoundObjectData*>(description.Get());
    if (description && !sound) return;
    RewindTracks(m_resourceTrack, m_actionTrack);
    m_data = sound;
    if (!m_data) return;
    m_resourceTrack.Bind(m_data->GetIDResource());
    m_actionTrack.Bind(m_data->GetActionSound());
}

void CSoundObject::Detach() {
    m_parent.Reset();
    RewindTracks(m_resourceTrack, m_actionTrack);
}

bool CSoundObject::Update(const float&) {
    if (!m_playing || !m_parent) return true;
    const float t = m_parent->GetTime();
    const bool resourceChanged = m_resourceTrack.Update(t);
    const bool actionChanged = m_actionTrack.Update(t);

    if (resourceChanged) {
        Stop();
        // The key carries the sound's number in its low 16 bits.
        m_sound = GetResource()->GetSound(static_cast<int16_t>(m_resourceTrack.GetValue() & 0xFFFF));
        m_state = kNone;
    }
    if (actionChanged) {
        const int command = m_actionTrack.GetValue();
        if (command == kPlay || command == kPlayLooped)
            Play();
        else if (command == kPause)
            Pause();
        else if (command == kStop)
            Stop();
        m_state = command;
    }
    // A looped sound starts again as soon as it has ended; a paused one has not ended.
    if (m_state == kPlayLooped && !m_paused && !m_hge->Channel_IsPlaying(m_channel)) Play();
    return true;
}

void CSoundObject::Play() {
    if (!m_sound || !m_sound->GetHandle()) return;
    if (m_paused) {
        m_hge->Channel_Resume(m_channel);
    } else {
        m_channel = m_hge->Stream_Play(m_sound->GetHandle(), false, 100);
    }
    m_paused = false;
}

void CSoundObject::Resume() {
    if (!m_paused) return;
    m_hge->Channel_Resume(m_channel);
    m_paused = false;
}

void CSoundObject::Stop() {
    if (m_channel) m_hge->Channel_Stop(m_channel);
    m_paused = false;
}

void CSoundObject::Pause() {
    if (m_paused || !m_hge->Channel_IsPlaying(m_channel)) return;
    m_hge->Channel_Pause(m_channel);
    m_paused = true;
}

}  // namespace HGENS
}  // namespace GF
