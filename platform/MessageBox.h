#pragma once
#include <string>

namespace Platform {

enum EMessageStyle {
    kMessageStop,      // an error, one OK button
    kMessageQuestion,  // a question, OK and Cancel
};

// Shows a modal message box (SDL's, no parent window) and writes the text to stderr as well, since
// there may be no display to show it on. Answers true when OK was chosen; a box that could not be
// shown answers false.
bool ShowMessageBox(const std::string& caption, const std::string& text, EMessageStyle style);

// Replaces what ShowMessageBox does (tests record the messages and pick the answer); null puts the
// real box back. Answers the previous handler.
using MessageBoxHandler = bool (*)(const std::string& caption, const std::string& text, EMessageStyle style);
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace Platform
