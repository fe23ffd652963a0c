#pragma once
// SIGTERM and SIGINT, the two ways a player's system asks the game to end. The frame loop answers
// them between frames, as the close button is answered, so the settings are saved on the way out.
// Anywhere else (the start-up, a load inside a frame, a decoder or a script that nothing can stop
// from outside) the request would wait as long as that work takes; so when the loop has not taken
// it within kQuitGrace, the process ends at once, killed by the signal, saying so on stderr.
//
// One process-wide arrangement, no thread: a signal arms a one-shot timer. A signal that was
// ignored when the arrangement began stays ignored. SDL, started afterwards, finds the handlers in
// place and leaves them alone.

namespace Engine {

constexpr long kQuitGraceMilliseconds = 300;

class CQuitSignals {
public:
    // Takes the two signals over until the object goes; the handlers it found are then put back.
    // Only the outermost of nested objects does anything.
    CQuitSignals();
    ~CQuitSignals();
    CQuitSignals(const CQuitSignals&) = delete;
    CQuitSignals& operator=(const CQuitSignals&) = delete;

    // The frame loop's question between frames: true when a signal asked to quit. From then on the
    // process is left to end in its own time.
    static bool Take();
};

}  // namespace Engine
