#pragma once
#include <vector>

#include "framework/scene/ParticleCore.h"

// A particle file: the header, then the spawn lines, the deflect lines and the path keys, every field
// four little-endian bytes. Used by the tests and by the content tool.
struct TParticleFile {
    GF::HGENS::CParticleFileHeader header;
    std::vector<GF::HGENS::tagSpawnLine> spawnLines;
    std::vector<GF::HGENS::tagDeflectLine> deflectLines;
    std::vector<GF::HGENS::tagPathKey> pathKeys;
    // The header's three counts are the table sizes; false writes the header's counts as they stand
    // (for files whose counts lie).
    bool countsFromTables = true;
};

std::vector<unsigned char> WriteParticleFile(const TParticleFile& file);
