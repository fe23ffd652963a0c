#pragma once
#include <list>

#include "framework/core/WString.h"
#include "game/app/PlayerStore.h"

// Which player is current, adding, deleting and listing players, and applying a player's settings
// to the framework; all over the player store of the game database. Every change of the current
// player ends with a save of the settings file.
//
// A profile answered here stays valid until that player is deleted or the store is read again (a
// restart or a settings load): use it within the frame and keep none across frames.

// The current player's profile. When the store names no stored player as current (no players yet,
// or a store edited from outside) the default player, the one with the empty name, is created when
// missing and becomes current.
CPlayerProfile& GetCurrentPlayer();
// The stored profile of that name; null when there is none.
CPlayerProfile* FindPlayer(const GF::WString& name);

// A new name gets a profile with the default player's values and becomes current: true. An empty
// or stored name only makes that player current: false.
bool AddPlayer(const GF::WString& name);
// Removes a named player; the alphabetically first remaining named player becomes current, or the
// default player when none remains. False for the empty name or a name not stored.
bool DeletePlayer(const GF::WString& name);
// Makes a stored player current, handing the pending values over to it, and saves. False (and
// nothing saved) for a name not stored or the current player's own name.
bool SetCurrentPlayer(const GF::WString& name);
// Appends every named player (not the default player), then sorts the whole list by UTF-16 units,
// so upper-case letters come before lower-case ones.
void ListPlayerNames(std::list<GF::WString>& names);

// The named player's game variables and stage name become copies of the default player's (created
// fresh when missing).
void CopyDefaultPlayerValues(const GF::WString& name);
// Moves the shade curves and the replay request (string variables 20, 21, 28) from one player to
// the other and clears the first one's level to play (29). Nothing when both are one profile.
void HandOverPlayerValues(CPlayerProfile& from, CPlayerProfile& to);

// The current player's options: the drawn cursor (float variable 10), "MusicVolume" (7, applied to
// the playing music), "SoundVolume" (8) and the window mode (9: 0 windowed).
void ApplyPlayerSettings();
// Writes the settings file now, the player store with it.
void SaveSettings();
