#pragma once
// SIGTERM and SIGINT, the two ways a player's system asks the game to end. The frame loop answers
// them between frames, as the close button is answered, so the settings are saved on the way out.
// Before the loop runs, and inside a frame (the start-up, a load, a decoder or a script that nothing
// can stop from outside), the request would wait as long as that work takes; so when the loop has not
// taken it within kQuitGraceSeconds, the process ends, killed by the signal, saying so on stderr. A
// save of the player's progress inside a frame is let finish first: the grace begins anew after it.
// Once the loop has ended, for whatever reason, the program closes in its own time: its closing save
// always lands, however slow the disk. A second signal ends the program at once wherever it is, for
// one that hangs.
//
// One process-wide arrangement, no thread: a flag and an alarm. A signal that was ignored when the
// arrangement began stays ignored. SDL, started afterwards, finds the handlers in place and leaves
// them alone.

namespace Engine {

constexpr unsigned kQuitGraceSeconds = 1;

class CQuitSignals {
public:
    // Takes the two signals (and the alarm) over until the object goes; the handlers it found are then
    // put back. One object at a time.
    CQuitSignals();
    ~CQuitSignals();
    CQuitSignals(const CQuitSignals&) = delete;
    CQuitSignals& operator=(const CQuitSignals&) = delete;

    // The frame loop's question between frames: true when a signal asked to quit.
    static bool Asked();
    // Said by the frame loop as it ends, whatever ended it (a signal, the window, an input script):
    // from here a first signal no longer ends the program.
    static void Closing();
    // Said as a save of the player's progress begins and ends: however slow the disk, the grace does
    // not end the program while it writes.
    static void Saving(bool saving);
};

}  // namespace Engine
