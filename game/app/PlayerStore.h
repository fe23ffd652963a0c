#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/Stream.h"
#include "framework/core/WString.h"

// The players of the game: for each a profile with the game variables that the flow rules and the
// screens read and write, the results of every level, the progress of every stage and a few sets of
// named flags. The store is the game database's member "players": "gamedata.bin" holds the default
// store (the player with the empty name) and the settings file "Setting" the saved one, in one layout.

// One player's results of one level.
struct CLevelProgress {
    float bonusValue = 0.0f;  // start score taken over from the bonus mini-game played before the level
    int32_t place = 0;        // best qualifying place, 1 best; 0 = none yet
    bool announced = false;   // the level's new item has been announced
    float value = 0.0f;       // the level clock at the end of the last play
    std::unordered_map<int32_t, float> scores;  // points by participant; 6 is the player

    template <class V>
    void Visit(V& v) {
        v.Float("bonusValue", bonusValue);
        v.Int("place", place);
        v.Flag("announced", announced);
        v.Float("value", value);
        v.Map("scores", scores);
    }
    bool operator==(const CLevelProgress&) const = default;
};

// One player's progress in one stage.
struct CStageProgress {
    std::string text;   // carried along
    int32_t best = 0;   // float variable 15: dresses unlocked in the stage
    int32_t dress = 0;  // float variable 3: the dress worn

    template <class V>
    void Visit(V& v) {
        v.String("text", text);
        v.Int("best", best);
        v.Int("dress", dress);
    }
    bool operator==(const CStageProgress&) const = default;
};

struct CPlayerProfile {
    std::unordered_map<std::string, bool> flags;     // one-time flags, e.g. "comics_1"
    std::unordered_map<int32_t, int32_t> hintShows;  // times offered, by index in the game data's hints
    std::unordered_map<std::string, CLevelProgress> levels;
    // Game variables by number. Reading a missing number creates it (floatVars[id]), and it is then
    // saved with the profile.
    std::unordered_map<int32_t, float> floatVars;
    std::unordered_map<int32_t, std::string> stringVars;
    GF::WString name;                              // equal to the key under which the store keeps the profile
    std::unordered_map<std::string, bool> flags2;  // items that career screens and stage openings set
    std::vector<std::string> names;                // item names met and not yet announced
    std::string stageName;                         // the current stage: key of `stages`
    std::vector<int32_t> stageList;
    std::unordered_map<std::string, CStageProgress> stages;

    template <class V>
    void Visit(V& v) {
        v.Map("flags", flags);
        v.Map("hintShows", hintShows);
        v.Map("levels", levels);
        v.Map("floatVars", floatVars);
        v.Map("stringVars", stringVars);
        v.WString("name", name);
        v.Map("flags2", flags2);
        v.List("names", names);
        v.String("stageName", stageName);
        v.List("stageList", stageList);
        v.Map("stages", stages);
    }
    bool operator==(const CPlayerProfile&) const = default;
};

// A named number kept with the store; nothing else reads it.
struct CStoreExtra {
    std::string name;
    float value = 0.0f;

    template <class V>
    void Visit(V& v) {
        v.String("name", name);
        v.Float("value", value);
    }
    bool operator==(const CStoreExtra&) const = default;
};

struct CPlayerStore {
    // The data version: the game data's default store sets it, and a settings file is read only when
    // its leading version equals it.
    int32_t version = 0;
    GF::WString currentName;
    std::unordered_map<GF::WString, CPlayerProfile> players;  // the empty name is the default player
    std::vector<CStoreExtra> extras;

    template <class V>
    void Visit(V& v) {
        v.Int("version", version);
        v.WString("currentName", currentName);
        v.Table("players", players, &CPlayerProfile::name);
        v.List("extras", extras);
    }
    bool operator==(const CPlayerStore&) const = default;
};

// One profile in the profile layout. Reading fills a fresh profile and replaces `profile` only when
// all of it read; false leaves `profile` as it was.
bool ReadPlayerProfile(GF::CInputStream& in, CPlayerProfile& profile);
void WritePlayerProfile(GF::COutputStream& out, const CPlayerProfile& profile);

// The whole store. Loading reads into a fresh store and replaces `store` only when all of it read, so
// a damaged file never leaves a half-read store behind for the next save to write over every profile.
bool LoadPlayerStore(GF::CInputStream& in, CPlayerStore& store, std::string& why);
void SavePlayerStore(GF::COutputStream& out, const CPlayerStore& store);

// The game's part of "Setting", after the framework's four integers: the version word, then the store.
// A store larger than kMaxSavedStoreBytes would be refused when read: nothing is written, the stream
// is marked failed (so the file it was to replace stays) and the answer is false.
bool SaveSettingsPart(GF::COutputStream& out, const CPlayerStore& store);

// The most bytes the player store in "Setting" may take. A player who has played every level takes a
// few kilobytes, so there is room for a couple of hundred. Every count in the store is checked against
// the bytes left, and no entry costs more than some forty bytes of memory per byte of file (a list of
// empty names, the worst, about 32): a store at the bound takes some 35 MB, and a larger one is refused
// before it is read.
constexpr uint32_t kMaxSavedStoreBytes = uint32_t{1} << 20;

enum class ESettingsPart {
    Loaded,        // the saved players replaced those in memory
    OtherVersion,  // another data version, or no version word at all: nothing read
    Damaged,       // the version matched but the store did not read whole, or is larger than
                   // kMaxSavedStoreBytes: nothing replaced
};
// Reads the game's part into `store` when its leading word equals store.version. The store's own
// version word must equal the leading one (else the file is damaged); the version stays the game
// data's either way.
ESettingsPart LoadSettingsPart(GF::CInputStream& in, CPlayerStore& store, std::string& why);
