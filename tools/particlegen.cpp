// Builds the sample particle file: golden sparks rising from a line under the title of the start-up
// screen, fading to red as they die (Particle/0.PSI, the particle system "sparks" of the sample
// script).
//
//   particlegen <output file>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/ParticleFileWriter.h"

namespace {

TParticleFile Sparks() {
    TParticleFile file;
    GF::HGENS::CParticleFileHeader& h = file.header;
    // A little drag every 0.1 s, and a pull upwards.
    h.velocityMatrix[0] = 0.97f;
    h.velocityMatrix[4] = 0.97f;
    h.velocityMatrix[5] = -4.0f;
    h.blendMode = BLEND_COLORADD | BLEND_ALPHABLEND;
    h.startVelocityX = 0.0f;
    h.startVelocityY = -70.0f;
    h.spreadX = 40.0f;
    h.spreadY = 30.0f;
    h.spreadShape = 1;
    h.lifeMin = 0.8f;
    h.lifeMax = 2.0f;
    h.areaHalfWidth = 0.0f;
    h.areaHalfHeight = 4.0f;
    h.startSizeMin = 6.0f;
    h.startSizeMax = 14.0f;
    h.endSize = 2.0f;
    h.colorJitter = 20.0f;
    const float start[4] = {255.0f, 215.0f, 110.0f, 255.0f};
    const float end[4] = {255.0f, 90.0f, 30.0f, 0.0f};
    for (int c = 0; c < 4; ++c) {
        h.startColor[c] = start[c];
        h.endColor[c] = end[c];
    }
    h.velocityJitterX = 15.0f;
    h.sizeJitter = 0.5f;
    h.emissionRate = 45.0f;
    h.spawnShape = 3;
    file.spawnLines = {{-140.0f, 0.0f, 140.0f, 0.0f, {}}};
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: particlegen <output file>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code error;
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), error);
    const std::vector<unsigned char> bytes = WriteParticleFile(Sparks());
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "particlegen: %s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
