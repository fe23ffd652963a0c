#pragma once
// datagen's kinds "libdata" and "levelsdata". Both check, before anything is written, that the
// records refer to what exists, and name the record that does not.
#include <string>
#include <vector>

#include "tools/datagen/Sources.h"

// The library from its JSON sources.
bool BuildLibData(const std::vector<std::string>& files, Bytes& bytes, std::string& why);

// The level data from its JSON sources; the one ".bin" among the files is the built library, against
// which recipe items and placed objects are checked, and the one ".as" the resource script, which must
// make every customer's portrait and every placed object's picture. Every level's placed objects are
// checked against what its customers order: each item of an ordered recipe must be given by an object
// of that kitchen. Two authoring aids: a level may name "base", an earlier level whose fields it starts
// from, and its "WalkGrid" may be 16 strings of 16 characters ('#' blocked, '.' free), string y and
// character x giving the flag of cell (x, y).
bool BuildLevelsData(const std::vector<std::string>& files, Bytes& bytes, std::string& why);
