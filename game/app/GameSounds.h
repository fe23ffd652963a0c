#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/gui/BaseControl.h"

// The game's sounds: most code asks for a sound by a small key, which the game data's sound table
// turns into the name of a sound resource; music is asked for by name and cross-fades only when the
// name changes. Controls of the game's screens get a click and a hover sound.

// Plays the sound the table gives for the key. A key the table lacks gets an empty entry, whose empty
// name plays nothing.
void PlayGameSound(int key);
// For callers that hold a sound resource name themselves.
void PlaySoundByName(const std::string& name);

// Cross-fades from the current track to the named one; nothing when it is the current track already.
void PlayMusic(const std::string& name);
// Fades the current track out; nothing when there is none.
void StopMusic();
// The track PlayMusic last started and nothing stopped since; empty when none.
std::string GetCurrentMusic();

// Key 2, for a control clicked, and key 3, for a control the mouse entered.
void PlayClickSound(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>& point, int buttons);
void PlayHoverSound(GF::THolder<GF::HGENS::CBaseControl> control);
// Subscribes the two to the control's click (a press released over it) and mouse-enter events.
void AttachControlSounds(GF::THolder<GF::HGENS::CBaseControl> control);
