#pragma once
#include <string>
#include <vector>

// The bytes of a packed sample file ("Binary/levelsdata.bin") as the built archive resource.dat holds
// them; empty when it is not there.
std::vector<unsigned char> LoadSampleFile(const std::string& name);
