#pragma once
#include <cstdint>

#include "engine/Hge.h"
#include "framework/scene/Transform.h"

namespace GF {
namespace HGENS {

// The parameters of one emitter, as the first 160 bytes of a particle file hold them (forty
// little-endian four-byte fields, in this order). The initial values are what a core emits with
// before any file is loaded. Colours are on a 0..255 scale; times in seconds; velocities in pixels
// per second.
struct CParticleFileHeader {
    // Every 0.1 s a live particle's velocity becomes (m0·vx + m1·vy + m2, m3·vx + m4·vy + m5).
    float velocityMatrix[6] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    int32_t blendMode = BLEND_DEFAULT;
    float bounce = 2.0f;  // v ← v − bounce·(n·v)·n at a deflect line: 2 mirrors, 1 slides along
    float startVelocityX = 0.0f;
    float startVelocityY = -200.0f;
    float spreadX = 0.0f;
    float spreadY = 100.0f;
    float lifeMin = 1.0f;
    float lifeMax = 6.0f;
    float areaHalfWidth = 0.0f;
    float areaHalfHeight = 0.0f;
    float startSizeMax = 32.0f;
    float startSizeMin = 32.0f;
    float endSize = 0.0f;
    float colorJitter = 0.0f;                        // ± added to the start red, green and blue
    float startColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // r, g, b, a
    float endColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float flickerRate = 0.0f;  // 0 fades normally; otherwise alpha flickers
    float velocityJitterX = 0.0f;
    float velocityJitterY = 0.0f;
    float sizeJitter = 0.0f;
    float emissionRate = 10.0f;  // particles per second
    float reserved = 0.0f;
    float spawnAngle = 0.0f;  // radians; the spawn offset is turned by it
    int32_t spawnShape = 0;   // 0 box, 1 filled ellipse, 2 ellipse outline, 3 spawn lines
    int32_t spawnLineCount = 0;
    int32_t deflectLineCount = 0;
    int32_t pathKeyCount = 0;
    int32_t spreadShape = 0;  // 0 box, 1 disc, 2 circle
};
static_assert(sizeof(CParticleFileHeader) == 160, "a particle file header is forty four-byte fields");

// A segment particles are born on, relative to the emitter.
struct tagSpawnLine {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
    float unused[2] = {0.0f, 0.0f};
};

// A segment in world coordinates that particles bounce off, with the unit normal of the reflection.
struct tagDeflectLine {
    float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
    float nx = 0.0f, ny = 0.0f;
};

// A point of the emitter's path and the velocity particles are pulled towards during its duration.
struct tagPathKey {
    float x = 0.0f, y = 0.0f;
    float duration = 0.0f;
    float vx = 0.0f, vy = 0.0f;
};

static_assert(sizeof(tagSpawnLine) == 24 && sizeof(tagDeflectLine) == 24 && sizeof(tagPathKey) == 20,
              "particle file records");

struct tagParticle {
    float x = 0.0f, y = 0.0f;
    float size = 0.0f, sizeDelta = 0.0f;  // delta: per second
    float vx = 0.0f, vy = 0.0f;
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // r, g, b, a on a 0..255 scale
    float colorDelta[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float life = 0.0f, age = 0.0f;
    uint8_t alive = 0;
};

// The particle engine of the framework: one emitter with a fixed pool of particles, its parameters
// and three small tables read from a particle file (".fgp" for free systems, ".PSI" for timeline
// particle objects), a per-frame update that spawns, moves, recolours and kills particles, and a
// draw that sends the live ones to the engine as one batch of points. The particle objects embed
// it; the game moves emitters directly. Everything lives inside the object: no allocation per frame.
class CFGParticleImpl {
public:
    static constexpr int kMaxParticles = 1000;
    static constexpr int kMaxTableRecords = 40;
    static constexpr unsigned kHeaderSize = 160;

    CFGParticleImpl();
    virtual ~CFGParticleImpl();
    CFGParticleImpl(const CFGParticleImpl&) = delete;
    CFGParticleImpl& operator=(const CFGParticleImpl&) = delete;

    // Replaces the header and the tables with the file's (through the engine's resource loader).
    // A file that cannot be loaded, is shorter than its header or than its table counts claim is
    // refused and leaves the core as it was. Live particles keep their own values.
    bool Load(const char* name);
    void Update(float dt);  // seconds
    void Render();
    // Moves the emitter (and path key 0; the deflect lines too when moveDeflectLines is set). Live
    // particles stay where they are.
    void MoveTo(const float& x, const float& y);
    // Transforms the spawn lines in place; particles and the emitter do not move.
    void ShiftParticles(const TTransform& transform);

    int GetLiveCount() const { return m_liveCount; }
    int GetSpawnLineCount() const { return ClampCount(header.spawnLineCount); }
    int GetDeflectLineCount() const { return ClampCount(header.deflectLineCount); }
    int GetPathKeyCount() const { return ClampCount(header.pathKeyCount); }
    // Resets the emission accumulator (the fraction of a particle owed by earlier frames).
    void ResetEmission() { m_emission = 0.0f; }

    // The owner reads and sets these directly.
    bool active = true;    // update and draw run only while set
    bool emitting = true;  // new particles are born only while set
    CParticleFileHeader header;
    float emitterX = 0.0f, emitterY = 0.0f;
    HTEXTURE texture = 0;  // not owned; 0 draws nothing
    bool moveDeflectLines = false;

private:
    // A count from the header as an index bound: negative reads as none, above the table as full.
    static int ClampCount(int32_t count) {
        return count < 0 ? 0 : (count > kMaxTableRecords ? kMaxTableRecords : count);
    }
    void Spawn(tagParticle& p);
    void SpawnOffset(float& x, float& y);
    void Drift(tagParticle& p);
    void Move(tagParticle& p, float dt);
    static hgePointVertex Record(const tagParticle& p);

    tagPathKey m_pathKeys[kMaxTableRecords];
    tagDeflectLine m_deflectLines[kMaxTableRecords];
    tagSpawnLine m_spawnLines[kMaxTableRecords];
    hgePointVertex m_vertices[kMaxParticles];
    int m_liveCount = 0;
    tagParticle m_pool[kMaxParticles];
    HGE* m_hge = nullptr;
    float m_tick = 0.0f;      // drift timer
    float m_emission = 0.0f;  // emission accumulator
};

}  // namespace HGENS
}  // namespace GF
