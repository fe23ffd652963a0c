// Builds the sample particle files:
// - golden sparks rising from a line under the title of the start-up screen, fading to red as they
//   die (Particle/0.PSI, the particle system "sparks" of the sample script);
// - "fire": flames licking up from a short line, yellow turning to dark red (Particle/fire_big.fgp,
//   the fire the working electric stoves share);
// - "glow": a ring of white-gold sparkles about a point (Particle/hint.fgp over a highlighted device,
//   Particle/hint_icon.fgp and hint_icon_2.fgp over the light-hint button when it is charged);
// - "fog": warm steam drifting sideways off the plate (Particle/fog_plate.fgp);
// - "trail": a short sparkling trail behind what flies (Particle/get_object.fgp);
// - "map_level": a short burst of white-gold stars around a ribbon just won on the progress map
//   (Particle/map_level.fgp).
//
//   particlegen <output file> [fire | glow | fog | trail | map_level]

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/ParticleFileWriter.h"

namespace {

// The colour (red, green, blue, alpha) a particle is born with and the one it fades to.
void SetColours(GF::HGENS::CParticleFileHeader& h, const std::array<float, 4>& start,
                const std::array<float, 4>& end) {
    for (int c = 0; c < 4; ++c) {
        h.startColor[c] = start[c];
        h.endColor[c] = end[c];
    }
}

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
    SetColours(h, {255.0f, 215.0f, 110.0f, 255.0f}, {255.0f, 90.0f, 30.0f, 0.0f});
    h.velocityJitterX = 15.0f;
    h.sizeJitter = 0.5f;
    h.emissionRate = 45.0f;
    h.spawnShape = 3;
    file.spawnLines = {{-140.0f, 0.0f, 140.0f, 0.0f, {}}};
    return file;
}

TParticleFile Fire() {
    TParticleFile file = Sparks();
    GF::HGENS::CParticleFileHeader& h = file.header;
    h.startVelocityY = -90.0f;
    h.spreadX = 20.0f;
    h.lifeMin = 0.4f;
    h.lifeMax = 0.9f;
    h.startSizeMin = 10.0f;
    h.startSizeMax = 18.0f;
    SetColours(h, {255.0f, 230.0f, 80.0f, 255.0f}, {200.0f, 30.0f, 10.0f, 0.0f});
    h.emissionRate = 60.0f;
    file.spawnLines = {{-30.0f, 0.0f, 30.0f, 0.0f, {}}};
    return file;
}

TParticleFile Glow() {
    TParticleFile file = Sparks();
    GF::HGENS::CParticleFileHeader& h = file.header;
    h.velocityMatrix[5] = 0.0f;
    h.startVelocityY = -10.0f;
    h.spreadX = 20.0f;
    h.spreadY = 20.0f;
    h.lifeMin = 0.3f;
    h.lifeMax = 0.8f;
    h.startSizeMin = 4.0f;
    h.startSizeMax = 10.0f;
    SetColours(h, {255.0f, 255.0f, 220.0f, 255.0f}, {255.0f, 200.0f, 80.0f, 0.0f});
    h.emissionRate = 40.0f;
    h.spawnShape = 2;
    h.areaHalfWidth = 30.0f;
    h.areaHalfHeight = 20.0f;
    file.spawnLines.clear();
    return file;
}

TParticleFile Fog() {
    TParticleFile file = Sparks();
    GF::HGENS::CParticleFileHeader& h = file.header;
    h.velocityMatrix[5] = -2.0f;
    h.startVelocityX = 30.0f;
    h.startVelocityY = -20.0f;
    h.lifeMin = 0.8f;
    h.lifeMax = 1.5f;
    h.startSizeMin = 16.0f;
    h.startSizeMax = 24.0f;
    h.endSize = 30.0f;
    SetColours(h, {240.0f, 240.0f, 230.0f, 140.0f}, {255.0f, 255.0f, 255.0f, 0.0f});
    h.emissionRate = 25.0f;
    file.spawnLines = {{-10.0f, 0.0f, 10.0f, 0.0f, {}}};
    return file;
}

TParticleFile Trail() {
    TParticleFile file = Glow();
    GF::HGENS::CParticleFileHeader& h = file.header;
    h.lifeMin = 0.2f;
    h.lifeMax = 0.4f;
    h.emissionRate = 80.0f;
    h.spawnShape = 0;
    h.areaHalfWidth = 4.0f;
    h.areaHalfHeight = 4.0f;
    return file;
}

TParticleFile MapLevel() {
    TParticleFile file = Sparks();
    GF::HGENS::CParticleFileHeader& h = file.header;
    h.velocityMatrix[5] = 0.0f;
    h.startVelocityY = 0.0f;
    h.spreadX = 80.0f;
    h.spreadY = 80.0f;
    h.lifeMin = 0.3f;
    h.lifeMax = 0.7f;
    SetColours(h, {255.0f, 255.0f, 240.0f, 255.0f}, {255.0f, 220.0f, 90.0f, 0.0f});
    h.emissionRate = 120.0f;
    file.spawnLines = {{-20.0f, 0.0f, 20.0f, 0.0f, {}}};
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 3 ? argv[2] : "";
    TParticleFile (*make)() = kind == "fire"        ? &Fire
                              : kind == "glow"      ? &Glow
                              : kind == "fog"       ? &Fog
                              : kind == "trail"     ? &Trail
                              : kind == "map_level" ? &MapLevel
                              : kind.empty()        ? &Sparks
                                                    : nullptr;
    if (argc < 2 || argc > 3 || !make) {
        std::fprintf(stderr, "usage: particlegen <output file> [fire | glow | fog | trail | map_level]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code error;
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), error);
    const std::vector<unsigned char> bytes = WriteParticleFile(make());
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "particlegen: %s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
