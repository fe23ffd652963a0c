#pragma once
#include <string>
#include <vector>

namespace GF {
namespace HGENS {

struct tagStartUpOptions;

// One line of an input script: "[frames] command arguments", where frames (0 when left out) counts
// from the frame the previous step was done in. Commands:
//   wait SCREEN [LIMIT]  until the screen is the top one (at most LIMIT frames, 3000 by default)
//   move X Y | move ITEM     the mouse to a point of the game picture, or to a layout item's centre
//   click X Y | click ITEM   move there, press the left button a frame later, let go two frames on
//   key NAME             a key by its name ("Return", "Escape", "1"), pressed and let go two frames on
//   text WORDS           typed characters (the rest of the line)
//   close                the window's close button
//   quit                 ends the program at once
//   shot NAME            the top screen drawn now into "<shots dir>/NAME.png" (a screen pictured
//                        again, say a level replayed, which the automatic pictures take only once)
// '#' starts a comment line.
struct tagScriptStep {
    enum EKind { kWait, kMove, kClick, kKey, kText, kClose, kQuit, kShot };
    EKind kind = kQuit;
    int delay = 0;
    std::string word;  // the screen, the layout item (empty: x and y), the key name or the text
    int x = 0;
    int y = 0;
    int limit = 0;
    int line = 0;
};

// Answers false with "line N: what is wrong" in error when a line can't be read.
bool ParseInputScript(const std::string& text, std::vector<tagScriptStep>& steps, std::string& error);

// A run played from an input script, for the screen tour; off unless the environment asks for it when
// the program starts. Such a run shows no message box (the message goes to stderr and the log; a
// question is answered Cancel):
//   QUINDLE_INPUT_SCRIPT  the script file;
//   QUINDLE_FRAME_MS      every frame lasts this many milliseconds whatever the clock says (40 when
//                         only a script is given); frames are then unpaced and the random numbers seeded
//                         with 1, so a run repeats exactly;
//   QUINDLE_SHOTS_DIR     every screen that comes on top is drawn into "<dir>/<name>.png" once it has
//                         been on top for 1.6 s of frames (only its first time there); "<dir>/tour.txt" lists
//                         the registered screens, the screens reached, the pictures with their number
//                         of colours, and a script that could not go on. Without a script or a frame
//                         time the run keeps the clock and the engine's pace (frames counted at 60 a
//                         second);
//   QUINDLE_WINDOW_SHOTS  set: each picture is followed by a capture of the X window showing it,
//                         "<dir>/<name>.xwd", taken with xwd.
class CScriptedRun {
public:
    // Reads the environment; when it asks for a run, puts the run's frame step into the options.
    // False, with the reason, when the script can't be read.
    static bool Install(tagStartUpOptions& options, std::string& error);
};

}  // namespace HGENS
}  // namespace GF
