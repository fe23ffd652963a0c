#pragma once
#include <string>

namespace Platform {

enum EMessageStyle {
    kMessageStop,      // an error, one OK button
    kMessageQuestion,  // a question, OK and Cancel
    kMessageWarning,   // a warning while the game goes on, one OK button
};

// Shows a modal message box (SDL's, no parent window) and writes the text to stderr as well, since
// there may be no display to show it on (none is named: no box is tried). A stop or a question comes
// before the program's end, so the instance lock is let go first; a warning keeps it. SIGTERM and SIGINT
// close the box and then reach the program as they would without it. Answers true when OK was chosen; a box
// that could not be shown or was closed by a signal answers false.
bool ShowMessageBox(const std::string& caption, const std::string& text, EMessageStyle style);

// Replaces what ShowMessageBox does after writing to stderr (tests record the messages and pick the
// answer); null puts the real box back. Answers the previous handler.
using MessageBoxHandler = bool (*)(const std::string& caption, const std::string& text, EMessageStyle style);
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The handler of a run nobody watches: no box, every question answered Cancel.
bool AnswerWithoutBox(const std::string& caption, const std::string& text, EMessageStyle style);

}  // namespace Platform
