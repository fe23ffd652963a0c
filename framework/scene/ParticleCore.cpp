#include "framework/scene/ParticleCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/app/GameManager.h"
#include "framework/core/DataStreams.h"
#include "framework/core/Random.h"

namespace GF {
namespace HGENS {

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kDriftPeriod = 0.1f;  // seconds between drifts

// Fills `count` four-byte words from little-endian bytes (the caller has checked the length).
void DecodeWords(const unsigned char* bytes, std::size_t count, uint32_t* words) {
    for (std::size_t i = 0; i < count; ++i, bytes += 4)
        words[i] = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                   uint32_t(bytes[3]) << 24;
}

// Copies `count` records of `T` (all four-byte fields) from little-endian bytes.
template <class T>
const unsigned char* DecodeRecords(const unsigned char* bytes, int count, T* records) {
    static_assert(sizeof(T) % 4 == 0);
    for (int i = 0; i < count; ++i, bytes += sizeof(T)) {
        uint32_t words[sizeof(T) / 4];
        DecodeWords(bytes, sizeof(T) / 4, words);
        std::memcpy(&records[i], words, sizeof(T));
    }
    return bytes;
}

// One colour channel as a byte: held to 0..255 first, so that a value outside the scale (from the
// file, or run past the end colour) cannot spill into its neighbour; a NaN counts as 0.
uint32_t ChannelByte(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<uint32_t>(v + 0.5f);
}

}  // namespace

CFGParticleImpl::CFGParticleImpl() : m_hge(hgeCreate(HGE_VERSION)) {
    // Key 0 follows the emitter; its duration is never used.
    m_pathKeys[0].duration = 0.1f;
    std::memset(static_cast<void*>(m_vertices), 0, sizeof(m_vertices));
}

CFGParticleImpl::~CFGParticleImpl() {
    if (m_hge) m_hge->Release();
}

bool CFGParticleImpl::Load(const char* name) {
    CBlobReader file;
    if (!file.Open(name)) return false;
    const unsigned char* bytes = file.Data();
    const uint64_t size = file.Size();
    if (size < kHeaderSize) {
        m_hge->System_Log("Particle file \"%s\": %u bytes, shorter than its header", name,
                          static_cast<unsigned>(size));
        return false;
    }
    CParticleFileHeader loaded;
    uint32_t words[kHeaderSize / 4];
    DecodeWords(bytes, kHeaderSize / 4, words);
    std::memcpy(&loaded, words, kHeaderSize);

    // The tables follow one another at the lengths the file claims; only the first records of an
    // overlong table are kept.
    const int64_t spawnCount = std::max<int32_t>(loaded.spawnLineCount, 0);
    const int64_t deflectCount = std::max<int32_t>(loaded.deflectLineCount, 0);
    const int64_t pathCount = std::max<int32_t>(loaded.pathKeyCount, 0);
    const uint64_t needed = kHeaderSize + uint64_t(spawnCount) * sizeof(tagSpawnLine) +
                            uint64_t(deflectCount) * sizeof(tagDeflectLine) +
                            uint64_t(pathCount) * sizeof(tagPathKey);
    if (size < needed) {
        m_hge->System_Log("Particle file \"%s\": %u bytes, its tables need %llu", name,
                          static_cast<unsigned>(size), static_cast<unsigned long long>(needed));
        return false;
    }
    loaded.spawnLineCount = ClampCount(loaded.spawnLineCount);
    loaded.deflectLineCount = ClampCount(loaded.deflectLineCount);
    loaded.pathKeyCount = ClampCount(loaded.pathKeyCount);

    const unsigned char* at = bytes + kHeaderSize;
    DecodeRecords(at, loaded.spawnLineCount, m_spawnLines);
    at += spawnCount * sizeof(tagSpawnLine);
    DecodeRecords(at, loaded.deflectLineCount, m_deflectLines);
    at += deflectCount * sizeof(tagDeflectLine);
    DecodeRecords(at, loaded.pathKeyCount, m_pathKeys);
    header = loaded;
    return true;
}

void CFGParticleImpl::SpawnOffset(float& x, float& y) {
    x = y = 0.0f;
    const float hw = header.areaHalfWidth, hh = header.areaHalfHeight;
    auto boxJitter = [&] {
        if (hw != 0.0f) x += m_hge->Random_Float(-hw, hw);
        if (hh != 0.0f) y += m_hge->Random_Float(-hh, hh);
    };
    switch (header.spawnShape) {
        case 0:
            boxJitter();
            break;
        case 1: {
            const float a = m_hge->Random_Float(0.0f, kTwoPi);
            const float r = m_hge->Random_Float(0.0f, 1.0f);
            x = std::sin(a) * hw * r;
            y = std::cos(a) * hh * r;
            break;
        }
        case 2: {
            const float a = m_hge->Random_Float(0.0f, kTwoPi);
            x = std::sin(a) * hw;
            y = std::cos(a) * hh;
            break;
        }
        case 3: {
            const int lines = GetSpawnLineCount();
            if (lines == 0) break;
            const float t = m_hge->Random_Float(0.0f, 1.0f);
            const tagSpawnLine& line = m_spawnLines[Rand() % lines];
            x = line.x0 * t + line.x1 * (1.0f - t);
            y = line.y0 * t + line.y1 * (1.0f - t);
            boxJitter();
            break;
        }
        default:
            break;
    }
    if (header.spawnAngle != 0.0f) {
        const float c = std::cos(header.spawnAngle), s = std::sin(header.spawnAngle);
        const float rx = x * c - y * s;
        y = y * c + x * s;
        x = rx;
    }
}

void CFGParticleImpl::Spawn(tagParticle& p) {
    p.alive = 1;
    p.life = m_hge->Random_Float(header.lifeMin, header.lifeMax);

    p.vx = header.startVelocityX;
    p.vy = header.startVelocityY;
    switch (header.spreadShape) {
        case 0:
            p.vx += m_hge->Random_Float(-header.spreadX, header.spreadX);
            p.vy += m_hge->Random_Float(-header.spreadY, header.spreadY);
            break;
        case 1: {
            const float a = m_hge->Random_Float(0.0f, kTwoPi);
            const float r = m_hge->Random_Float(0.0f, 1.0f);
            p.vx += std::sin(a) * header.spreadX * r;
            p.vy += std::cos(a) * header.spreadY * r;
            break;
        }
        case 2: {
            const float a = m_hge->Random_Float(0.0f, kTwoPi);
            p.vx += std::sin(a) * header.spreadX;
            p.vy += std::cos(a) * header.spreadY;
            break;
        }
        default:
            break;
    }

    // A life of 0 (or less) has no time to change over: the particle keeps its start values for the
    // one frame it is drawn.
    const bool hasLife = p.life > 0.0f;
    p.size = m_hge->Random_Float(header.startSizeMin, header.startSizeMax);
    p.sizeDelta = hasLife ? (header.endSize - p.size) / p.life : 0.0f;

    float ox = 0.0f, oy = 0.0f;
    SpawnOffset(ox, oy);
    p.x = ox + emitterX;
    p.y = oy + emitterY;

    for (int c = 0; c < 4; ++c) p.color[c] = header.startColor[c];
    if (header.colorJitter != 0.0f) {
        for (int c = 0; c < 3; ++c) {
            p.color[c] += m_hge->Random_Float(-header.colorJitter, header.colorJitter);
            p.color[c] = std::clamp(p.color[c], 0.0f, 255.0f);
        }
    }
    for (int c = 0; c < 4; ++c) p.colorDelta[c] = hasLife ? (header.endColor[c] - p.color[c]) / p.life : 0.0f;
    p.age = 0.0f;
}

void CFGParticleImpl::Drift(tagParticle& p) {
    const float* m = header.velocityMatrix;
    const float vx = m[0] * p.vx + m[1] * p.vy + m[2];
    const float vy = m[3] * p.vx + m[4] * p.vy + m[5];
    p.vx = vx;
    p.vy = vy;
    if (header.velocityJitterX != 0.0f)
        p.vx += m_hge->Random_Float(-header.velocityJitterX, header.velocityJitterX);
    if (header.velocityJitterY != 0.0f)
        p.vy += m_hge->Random_Float(-header.velocityJitterY, header.velocityJitterY);
    if (header.sizeJitter != 0.0f) p.size += m_hge->Random_Float(-header.sizeJitter, header.sizeJitter);
}

void CFGParticleImpl::Move(tagParticle& p, float dt) {
    float vx = p.vx, vy = p.vy;
    const int keys = GetPathKeyCount();
    if (keys > 1) {
        float remaining = p.age;
        for (int i = 1; i < keys; ++i) {
            const tagPathKey& key = m_pathKeys[i];
            remaining -= key.duration;
            if (remaining <= 0.0f) {
                // A key without duration pulls the velocity onto its target at once.
                const float t = key.duration > 0.0f ? std::sqrt(dt / key.duration) : 1.0f;
                vx = vx * (1.0f - t) + key.vx * t;
                vy = vy * (1.0f - t) + key.vy * t;
                break;
            }
        }
    }

    const float oldX = p.x, oldY = p.y;
    float newX = oldX + dt * vx, newY = oldY + dt * vy;
    const int lines = GetDeflectLineCount();
    for (int i = 0; i < lines; ++i) {
        const tagDeflectLine& l = m_deflectLines[i];
        const float d = (l.y1 - l.y0) * (newX - oldX) - (l.x1 - l.x0) * (newY - oldY);
        if (d == 0.0f) continue;
        const float ua = ((oldY - l.y0) * (l.x1 - l.x0) - (l.y1 - l.y0) * (oldX - l.x0)) / d;
        const float ub = ((oldY - l.y0) * (newX - oldX) - (oldX - l.x0) * (newY - oldY)) / d;
        if (ua < 0.0f || ua > 1.0f || ub < 0.0f || ub > 1.0f) continue;
        newX = oldX;
        newY = oldY;
        const float dot = l.nx * p.vx + l.ny * p.vy;
        vx = p.vx - header.bounce * dot * l.nx;
        vy = p.vy - header.bounce * dot * l.ny;
        break;
    }
    p.vx = vx;
    p.vy = vy;
    p.x = newX;
    p.y = newY;

    if (header.flickerRate == 0.0f) {
        for (int c = 0; c < 4; ++c) p.color[c] += p.colorDelta[c] * dt;
    } else {
        p.color[3] = (std::sin(p.life * 10.0f + header.flickerRate * p.age) + 1.0f) * 120.0f;
    }
    p.size += p.sizeDelta * dt;
}

hgePointVertex CFGParticleImpl::Record(const tagParticle& p) {
    hgePointVertex v{};
    v.x = p.x;
    v.y = p.y;
    v.z = 0.0f;
    v.size = p.size;
    v.col = ChannelByte(p.color[3]) << 24 | ChannelByte(p.color[0]) << 16 | ChannelByte(p.color[1]) << 8 |
            ChannelByte(p.color[2]);
    v.unused = 0.0f;
    return v;
}

void CFGParticleImpl::Update(float dt) {
    if (!active) return;

    int births = 0;
    if (emitting) {
        m_emission += header.emissionRate * dt;
        if (m_emission >= 1.0f) {
            // More than the pool holds would be dropped anyway; the bound keeps the count an int.
            const float whole = std::floor(m_emission);
            births = whole >= float(kMaxParticles) ? kMaxParticles : static_cast<int>(whole);
            m_emission -= whole;
        }
    }

    m_tick += dt;
    const bool drift = m_tick > kDriftPeriod;
    if (drift) m_tick = 0.0f;

    const int liveAtStart = m_liveCount;
    int visited = 0;
    int records = 0;
    for (int slot = 0; slot < kMaxParticles && (visited < liveAtStart || births != 0); ++slot) {
        tagParticle& p = m_pool[slot];
        if (!p.alive) {
            if (births > 0) {
                Spawn(p);
                --births;
                m_vertices[records++] = Record(p);
            }
            continue;
        }
        ++visited;
        p.age += dt;
        if (p.age >= p.life) {
            p.alive = 0;
            continue;
        }
        if (drift) Drift(p);
        Move(p, dt);
        m_vertices[records++] = Record(p);
    }
    m_liveCount = records;
}

void CFGParticleImpl::Render() {
    if (!IsApplicationActive() || !active || m_liveCount == 0 || texture == 0 || !m_hge) return;
    int capacity = 0;
    hgeVertex* buffer = m_hge->Gfx_StartBatch(HGEPRIM_POINTS, texture, header.blendMode, &capacity);
    if (!buffer) return;
    const int count = std::min(m_liveCount, capacity);
    if (count > 0) std::memcpy(static_cast<void*>(buffer), m_vertices, sizeof(hgePointVertex) * count);
    m_hge->Gfx_FinishBatch(count > 0 ? count : 0);
}

void CFGParticleImpl::MoveTo(const float& x, const float& y) {
    const float dx = std::trunc(x - emitterX), dy = std::trunc(y - emitterY);
    if (moveDeflectLines && (dx != 0.0f || dy != 0.0f)) {
        for (int i = 0; i < GetDeflectLineCount(); ++i) {
            tagDeflectLine& l = m_deflectLines[i];
            l.x0 += dx;
            l.x1 += dx;
            l.y0 += dy;
            l.y1 += dy;
        }
    }
    emitterX = x;
    emitterY = y;
    m_pathKeys[0].x = x;
    m_pathKeys[0].y = y;
}

void CFGParticleImpl::ShiftParticles(const TTransform& t) {
    for (int i = 0; i < GetSpawnLineCount(); ++i) {
        tagSpawnLine& l = m_spawnLines[i];
        auto apply = [&t](float& x, float& y) {
            const float nx = t.x + (x * t.scaleX * t.cos - y * t.scaleY * t.sin);
            const float ny = t.y + (x * t.scaleX * t.sin + y * t.scaleY * t.cos);
            x = nx;
            y = ny;
        };
        apply(l.x0, l.y0);
        apply(l.x1, l.y1);
    }
}

}  // namespace HGENS
}  // namespace GF
