#include "tests/support/ParticleFileWriter.h"

#include <cstdint>
#include <cstring>

namespace {

template <class T>
void AppendWords(std::vector<unsigned char>& out, const T& record) {
    static_assert(sizeof(T) % 4 == 0);
    uint32_t words[sizeof(T) / 4];
    std::memcpy(words, &record, sizeof(T));
    for (uint32_t w : words)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(w >> shift));
}

}  // namespace

std::vector<unsigned char> WriteParticleFile(const TParticleFile& file) {
    GF::HGENS::CParticleFileHeader header = file.header;
    if (file.countsFromTables) {
        header.spawnLineCount = static_cast<int32_t>(file.spawnLines.size());
        header.deflectLineCount = static_cast<int32_t>(file.deflectLines.size());
        header.pathKeyCount = static_cast<int32_t>(file.pathKeys.size());
    }
    std::vector<unsigned char> out;
    AppendWords(out, header);
    for (const auto& line : file.spawnLines) AppendWords(out, line);
    for (const auto& line : file.deflectLines) AppendWords(out, line);
    for (const auto& key : file.pathKeys) AppendWords(out, key);
    return out;
}
