#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Stream.h"

// The game's three data files, each looked up in "Binary_2\" first, then in "Binary\" (the
// resource archive before the disk). Each answers false, and logs the file's name, when neither
// folder has it or its reader refuses it; the tables then keep what they held.
bool OpenGameDataFile(const std::string& fileName);
bool OpenLevelsDataFile(const std::string& fileName);
bool OpenLibDataFile(const std::string& fileName);

// The file from the first folder that has it; empty when none has.
GF::THolder<GF::IDataInputStream> OpenDataFile(const std::string& fileName);
