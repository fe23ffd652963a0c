#include "platform/MachineCheck.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>

#include "engine/Engine.h"

namespace Platform {

const char* const kOpenGLMessage = "OpenGL 3.3 or later is required";
const char* const kColourDepthMessage = "Please change color depth to 16 or 32 bit";
const char* const kDisplayMessage = "No display could be opened";

namespace {

// Which display was asked for, and what SDL says.
std::string DisplayFailure() {
    const char* display = std::getenv("DISPLAY");
    const std::string asked = display && *display ? std::string("DISPLAY is \"") + display + "\""
                                                  : std::string("DISPLAY is not set");
    return std::string(kDisplayMessage) + " (" + asked + "): " + SDL_GetError();
}

// SDL falls back to a driver that draws nowhere when no display can be opened: a game run there
// can't be seen, yet holds the instance lock against every later start. Only asked for by name.
bool UnseenDriverNotAsked() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0)) return false;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked) return true;
    // The variable may list several drivers, separated by commas.
    const std::string list = std::string(",") + asked + ",";
    return list.find(std::string(",") + driver + ",") == std::string::npos;
}

bool CanMakeContext() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    bool made = false;
    if (window) {
        if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
            made = true;
            SDL_GL_DeleteContext(context);
        }
        SDL_DestroyWindow(window);
    }
    SDL_GL_ResetAttributes();
    return made;
}

}  // namespace

tagMachineCheck CheckMachine() {
    tagMachineCheck result;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        result.message = DisplayFailure();
        return result;
    }
    if (UnseenDriverNotAsked()) {
        SDL_SetError("SDL found only its \"%s\" video driver, which shows nothing",
                     SDL_GetCurrentVideoDriver());
        result.message = DisplayFailure();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return result;
    }
    // Loaded here, the library outlives the throwaway window, which would otherwise unload it.
    const bool loaded = SDL_GL_LoadLibrary(nullptr) == 0;
    result.driver = std::shared_ptr<void>(nullptr, [loaded](void*) {
        if (loaded) SDL_GL_UnloadLibrary();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    });
    const bool context = loaded && CanMakeContext();
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(Engine::WindowDisplay(nullptr), &mode) == 0)
        result.colourDepth = Engine::ColourDepthOfFormat(mode.format);

    if (!context) {
        result.message = kOpenGLMessage;
    } else if (result.colourDepth != 16 && result.colourDepth != 32) {
        result.message = kColourDepthMessage;
    } else {
        result.passed = true;
    }
    if (!result.passed) result.driver.reset();
    return result;
}

}  // namespace Platform
