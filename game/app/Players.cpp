#include "game/app/Players.h"

#include "framework/app/GameManager.h"
#include "framework/app/Music.h"
#include "framework/core/GameProperties.h"
#include "framework/gui/CustomCursor.h"
#include "game/app/GameData.h"
#include "game/app/TruncateToInt.h"

namespace {

// The variables a player hands over when another becomes current.
constexpr int kOpenShadeCurve = 20;
constexpr int kCloseShadeCurve = 21;
constexpr int kReplayRequest = 28;
constexpr int kLevelToPlay = 29;

constexpr int kMusicVolume = 7;
constexpr int kSoundVolume = 8;
constexpr int kFullScreen = 9;
constexpr int kCustomCursor = 10;

CPlayerStore& Store() {
    return GetGameData().players;
}

CPlayerProfile& DefaultPlayer() {
    return Store().players.try_emplace(GF::WString{}).first->second;
}

}  // namespace

CPlayerProfile& GetCurrentPlayer() {
    CPlayerStore& store = Store();
    auto found = store.players.find(store.currentName);
    if (found != store.players.end()) return found->second;
    store.currentName.clear();
    return DefaultPlayer();
}

CPlayerProfile* FindPlayer(const GF::WString& name) {
    auto found = Store().players.find(name);
    return found == Store().players.end() ? nullptr : &found->second;
}

bool AddPlayer(const GF::WString& name) {
    if (name.empty() || FindPlayer(name)) {
        SetCurrentPlayer(name);
        return false;
    }
    Store().players[name].name = name;
    CopyDefaultPlayerValues(name);
    SetCurrentPlayer(name);
    return true;
}

bool DeletePlayer(const GF::WString& name) {
    if (name.empty() || !FindPlayer(name)) return false;
    const GF::WString doomed = name;  // `name` may be the profile's own, which the removal frees
    std::list<GF::WString> names;
    ListPlayerNames(names);
    names.remove(doomed);
    if (names.empty()) {
        // No named player stays: the default player takes over rather than the deleted one.
        DefaultPlayer();
        names.push_back(GF::WString{});
    }
    SetCurrentPlayer(names.front());
    Store().players.erase(doomed);
    SaveSettings();  // the save above still held the deleted player
    return true;
}

bool SetCurrentPlayer(const GF::WString& name) {
    CPlayerProfile* next = FindPlayer(name);
    if (!next || name == Store().currentName) return false;
    HandOverPlayerValues(GetCurrentPlayer(), *next);
    Store().currentName = name;
    SaveSettings();
    return true;
}

void ListPlayerNames(std::list<GF::WString>& names) {
    for (const auto& [name, profile] : Store().players)
        if (!name.empty()) names.push_back(name);
    names.sort();
}

void CopyDefaultPlayerValues(const GF::WString& name) {
    const CPlayerProfile& defaults = DefaultPlayer();
    CPlayerProfile* player = FindPlayer(name);
    if (!player || player == &defaults) return;
    player->floatVars = defaults.floatVars;
    player->stringVars = defaults.stringVars;
    player->stageName = defaults.stageName;
}

void HandOverPlayerValues(CPlayerProfile& from, CPlayerProfile& to) {
    if (&from == &to) return;
    for (int id : {kOpenShadeCurve, kCloseShadeCurve, kReplayRequest}) {
        to.stringVars[id] = from.stringVars[id];
        from.stringVars[id].clear();
    }
    from.stringVars[kLevelToPlay].clear();
}

void ApplyPlayerSettings() {
    CPlayerProfile& player = GetCurrentPlayer();
    if (TruncateToInt(player.floatVars[kCustomCursor]) != 0)
        GF::HGENS::GetCustomCursor()->SetCursor("cursor.custom");
    else
        GF::HGENS::GetCustomCursor()->RestoreSystemCursor();

    const GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    properties->SetInt("MusicVolume", TruncateToInt(player.floatVars[kMusicVolume]));
    GF::GetMusic()->ApplyVolume();
    properties->SetInt("SoundVolume", TruncateToInt(player.floatVars[kSoundVolume]));
    GF::GetGameManager()->SetFullScreen(player.floatVars[kFullScreen] != 0.0f);
}

void SaveSettings() {
    GF::GetGameManager()->SaveSettings();
}
