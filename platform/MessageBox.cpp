#include "platform/MessageBox.h"

#include <SDL2/SDL_messagebox.h>

#include <cstdio>

namespace Platform {

namespace {

MessageBoxHandler g_handler = nullptr;

bool ShowSdlMessageBox(const std::string& caption, const std::string& text, EMessageStyle style) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
    };
    SDL_MessageBoxData box{};
    box.flags = style == kMessageStop ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    box.title = caption.c_str();
    box.message = text.c_str();
    box.numbuttons = style == kMessageStop ? 1 : 2;
    box.buttons = buttons;
    int chosen = 0;
    if (SDL_ShowMessageBox(&box, &chosen) != 0) return false;
    return chosen == 1;
}

}  // namespace

bool ShowMessageBox(const std::string& caption, const std::string& text, EMessageStyle style) {
    // Whoever answers the box, the text reaches stderr: there may be no display to show it on.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (g_handler) return g_handler(caption, text, style);
    return ShowSdlMessageBox(caption, text, style);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

}  // namespace Platform
