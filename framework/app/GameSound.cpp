#include "framework/app/GameSound.h"

#include <algorithm>

#include "framework/core/GameProperties.h"
#include "framework/resources/Resource.h"

namespace GF {
namespace HGENS {

// Never destroyed: at exit the engine may be gone already, and the engine's own shutdown has
// silenced every channel by then.
THolder<CGameSound> CGameSound::Instance() {
    static auto* instance = new THolder<CGameSound>;
    if (!*instance) *instance = new CGameSound;
    return *instance;
}

CGameSound::~CGameSound() {
    StopAll();
}

void CGameSound::PlaySound(const std::string& name, float delay, float interval) {
    delay = std::max(delay, 0.0f);
    interval = std::max(interval, 0.0f);

    THolder<TSoundList>& list = m_instances[name];
    if (!list) {
        list = TSoundList::Create();
    } else {
        // Started, or due to start, within `interval` of the new request's start.
        for (const SoundData& data : *list)
            if (data.time <= interval - delay) return;
    }

    THolder<ISnd> sound = GetResource()->LoadSound(name);
    if (!sound) return;
    SoundData data;
    data.sound = sound;
    data.time = -delay;
    list->push_back(std::move(data));
}

void CGameSound::StopSound(const std::string& name) {
    auto found = m_instances.find(name);
    if (found == m_instances.end()) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (const SoundData& data : *found->second)
        if (data.channel) hge->Channel_Stop(data.channel);
    hge->Release();
    m_instances.erase(found);
}

void CGameSound::Update(const float& dt) {
    const int volume = GetGameProperties()->GetInt("SoundVolume");
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, list] : m_instances) {
        for (auto it = list->begin(); it != list->end();) {
            SoundData& data = *it;
            data.time += dt;
            if (data.time <= 0.0f || data.paused || hge->Channel_IsPlaying(data.channel)) {
                ++it;
                continue;
            }
            if (data.playsLeft == 0) {
                it = list->erase(it);  // releases the sound, which frees its stream
                continue;
            }
            --data.playsLeft;
            data.channel = hge->Stream_Play(data.sound->GetHandle(), false, volume);
            ++it;
        }
    }
    hge->Release();
}

void CGameSound::PauseAll() {
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, list] : m_instances) {
        for (SoundData& data : *list) {
            if (data.paused || !hge->Channel_IsPlaying(data.channel)) continue;
            hge->Channel_Pause(data.channel);
            data.paused = true;
        }
    }
    hge->Release();
}

void CGameSound::ResumeAll() {
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, list] : m_instances) {
        for (SoundData& data : *list) {
            if (!data.paused) continue;
            hge->Channel_Resume(data.channel);
            data.paused = false;
        }
    }
    hge->Release();
}

void CGameSound::StopAll() {
    if (m_instances.empty()) return;
    HGE* hge = hgeCreate(HGE_VERSION);
    for (auto& [name, list] : m_instances) {
        for (const SoundData& data : *list)
            if (data.channel) hge->Channel_Stop(data.channel);
        list->clear();
    }
    hge->Release();
}

}  // namespace HGENS
}  // namespace GF
