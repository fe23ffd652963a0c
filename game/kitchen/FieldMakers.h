#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/kitchen/GameFieldBase.h"

using TFieldMaker = GF::THolder<CGameFieldBase> (*)();

// The makers of the level fields by field kind (a level's stage name): the four bonus mini-game
// kinds, and the kitchen for every other text (the entry ""). A field's own code replaces its entry;
// a test may add a kind of its own. A null maker takes the entry out.
void SetFieldMaker(const std::string& kind, TFieldMaker maker);
// The field for the kind, from its own entry or else from the kitchen's; empty when neither has one.
GF::THolder<CGameFieldBase> MakeField(const std::string& kind);
