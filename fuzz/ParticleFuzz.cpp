// The particle file (".PSI" of the particle objects, ".fgp" of free systems: one format), served
// by the engine from the fuzz input. A file that loads runs its emitter for a few seconds, moved,
// shifted and drawn, with the random numbers spread over their ranges.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/scene/ParticleCore.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/RecordingEngine.h"

using namespace GF;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CRecordingEngine engine;
    engine.AddResource("Particle\\0.PSI", std::vector<unsigned char>(data, data + size));
    {
        auto core = std::make_unique<HGENS::CFGParticleImpl>();
        if (core->Load("Particle\\0.PSI")) {
            core->texture = 1;
            core->moveDeflectLines = (size & 1) != 0;
            TTransform turn;
            turn.sin = 0.6f;
            turn.cos = 0.8f;
            turn.scaleX = 2.0f;
            core->ShiftParticles(turn);
            for (int frame = 0; frame < 40; ++frame) {
                std::vector<float> fractions;
                for (int i = 0; i < 64; ++i)
                    fractions.push_back(static_cast<float>((frame * 7 + i * 13) % 11) / 10.0f);
                engine.QueueRandom(fractions);
                core->MoveTo(static_cast<float>(frame * 3), static_cast<float>(frame % 5));
                core->Update(frame % 10 == 9 ? 0.25f : 0.05f);
                FUZZ_CHECK(core->GetLiveCount() >= 0 &&
                           core->GetLiveCount() <= HGENS::CFGParticleImpl::kMaxParticles);
                if (frame % 8 == 7) core->Render();
                if (frame == 25) core->emitting = false;
            }
        }
    }
    FUZZ_CHECK(engine.outstandingBlocks == 0);
    return 0;
}
