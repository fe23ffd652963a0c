#include "game/app/GameSounds.h"

#include "framework/app/GameSound.h"
#include "framework/app/Music.h"
#include "framework/core/Delegate.h"
#include "game/app/GameData.h"

namespace {

constexpr int kClickSoundKey = 2;
constexpr int kHoverSoundKey = 3;

// The track last started by PlayMusic and not stopped since; empty when none.
std::string& CurrentMusic() {
    static std::string name;
    return name;
}

}  // namespace

void PlayGameSound(int key) {
    // A missing key is added, carrying its key like every record of the table.
    const auto [entry, added] = GetGameData().sounds.try_emplace(key);
    if (added) entry->second.key = key;
    PlaySoundByName(entry->second.name);
}

void PlaySoundByName(const std::string& name) {
    GF::HGENS::CGameSound::Instance()->PlaySound(name, 0.0f, 0.0f);
}

std::string GetCurrentMusic() {
    return CurrentMusic();
}

void PlayMusic(const std::string& name) {
    if (name == CurrentMusic()) return;
    StopMusic();
    CurrentMusic() = name;
    GF::GetMusic()->PlayWithFade(name, true);
}

void StopMusic() {
    std::string& current = CurrentMusic();
    if (current.empty()) return;
    GF::GetMusic()->Stop(current, true);
    current.clear();
}

void PlayClickSound(GF::THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) {
    PlayGameSound(kClickSoundKey);
}

void PlayHoverSound(GF::THolder<GF::HGENS::CBaseControl>) {
    PlayGameSound(kHoverSoundKey);
}

void AttachControlSounds(GF::THolder<GF::HGENS::CBaseControl> control) {
    if (!control) return;
    control->m_clickEvent.Add(GF::CreateDelegate(&PlayClickSound));
    control->m_mouseEnterEvent.Add(GF::CreateDelegate(&PlayHoverSound));
}
