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
#include <map>
#include <string>

#include "tests/support/ParticleFileWriter.h"
#include "tools/OutputFiles.h"

namespace {

// What sets one kind apart; the defaults are the title's golden sparks, and each kind gives only
// what differs from them.
struct TLook {
    float pull = -4.0f;  // the upward pull added every 0.1 s
    float velocityX = 0.0f, velocityY = -70.0f, spreadX = 40.0f, spreadY = 30.0f;
    float lifeMin = 0.8f, lifeMax = 2.0f;
    float sizeMin = 6.0f, sizeMax = 14.0f, endSize = 2.0f;
    // The colour (red, green, blue, alpha) a particle is born with and the one it fades to.
    std::array<float, 4> start = {255.0f, 215.0f, 110.0f, 255.0f}, end = {255.0f, 90.0f, 30.0f, 0.0f};
    float rate = 45.0f;
    int32_t spawnShape = 3;
    float areaHalfWidth = 0.0f, areaHalfHeight = 4.0f;
    float lineHalfWidth = 140.0f;  // the spawn line's, about the origin; none when 0
};

// A ring of white-gold sparkles about a point.
constexpr TLook kGlow = {.pull = 0.0f,
                         .velocityY = -10.0f,
                         .spreadX = 20.0f,
                         .spreadY = 20.0f,
                         .lifeMin = 0.3f,
                         .lifeMax = 0.8f,
                         .sizeMin = 4.0f,
                         .sizeMax = 10.0f,
                         .start = {255.0f, 255.0f, 220.0f, 255.0f},
                         .end = {255.0f, 200.0f, 80.0f, 0.0f},
                         .rate = 40.0f,
                         .spawnShape = 2,
                         .areaHalfWidth = 30.0f,
                         .areaHalfHeight = 20.0f,
                         .lineHalfWidth = 0.0f};

TLook Trail() {
    TLook look = kGlow;
    look.lifeMin = 0.2f;
    look.lifeMax = 0.4f;
    look.rate = 80.0f;
    look.spawnShape = 0;
    look.areaHalfWidth = 4.0f;
    look.areaHalfHeight = 4.0f;
    return look;
}

const std::map<std::string, TLook> kLooks = {
    {"", {}},
    {"fire",
     {.velocityY = -90.0f,
      .spreadX = 20.0f,
      .lifeMin = 0.4f,
      .lifeMax = 0.9f,
      .sizeMin = 10.0f,
      .sizeMax = 18.0f,
      .start = {255.0f, 230.0f, 80.0f, 255.0f},
      .end = {200.0f, 30.0f, 10.0f, 0.0f},
      .rate = 60.0f,
      .lineHalfWidth = 30.0f}},
    {"glow", kGlow},
    {"fog",
     {.pull = -2.0f,
      .velocityX = 30.0f,
      .velocityY = -20.0f,
      .lifeMin = 0.8f,
      .lifeMax = 1.5f,
      .sizeMin = 16.0f,
      .sizeMax = 24.0f,
      .endSize = 30.0f,
      .start = {240.0f, 240.0f, 230.0f, 140.0f},
      .end = {255.0f, 255.0f, 255.0f, 0.0f},
      .rate = 25.0f,
      .lineHalfWidth = 10.0f}},
    {"trail", Trail()},
    {"map_level",
     {.pull = 0.0f,
      .velocityY = 0.0f,
      .spreadX = 80.0f,
      .spreadY = 80.0f,
      .lifeMin = 0.3f,
      .lifeMax = 0.7f,
      .start = {255.0f, 255.0f, 240.0f, 255.0f},
      .end = {255.0f, 220.0f, 90.0f, 0.0f},
      .rate = 120.0f,
      .lineHalfWidth = 20.0f}},
};

TParticleFile Make(const TLook& look) {
    TParticleFile file;
    GF::HGENS::CParticleFileHeader& h = file.header;
    // A little drag every 0.1 s, and the pull.
    h.velocityMatrix[0] = 0.97f;
    h.velocityMatrix[4] = 0.97f;
    h.velocityMatrix[5] = look.pull;
    h.blendMode = BLEND_COLORADD | BLEND_ALPHABLEND;
    h.startVelocityX = look.velocityX;
    h.startVelocityY = look.velocityY;
    h.spreadX = look.spreadX;
    h.spreadY = look.spreadY;
    h.spreadShape = 1;
    h.lifeMin = look.lifeMin;
    h.lifeMax = look.lifeMax;
    h.areaHalfWidth = look.areaHalfWidth;
    h.areaHalfHeight = look.areaHalfHeight;
    h.startSizeMin = look.sizeMin;
    h.startSizeMax = look.sizeMax;
    h.endSize = look.endSize;
    h.colorJitter = 20.0f;
    for (int c = 0; c < 4; ++c) {
        h.startColor[c] = look.start[c];
        h.endColor[c] = look.end[c];
    }
    h.velocityJitterX = 15.0f;
    h.sizeJitter = 0.5f;
    h.emissionRate = look.rate;
    h.spawnShape = look.spawnShape;
    if (look.lineHalfWidth > 0.0f)
        file.spawnLines = {{-look.lineHalfWidth, 0.0f, look.lineHalfWidth, 0.0f, {}}};
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    const auto look = kLooks.find(argc == 3 ? argv[2] : "");
    if (argc < 2 || argc > 3 || look == kLooks.end()) {
        std::fprintf(stderr, "usage: particlegen <output file> [fire | glow | fog | trail | map_level]\n");
        return 2;
    }
    return WriteOutputFile("particlegen", argv[1], WriteParticleFile(Make(look->second))) ? 0 : 1;
}
