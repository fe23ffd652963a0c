#pragma once
#include <SDL2/SDL.h>

#include <cstddef>

#include "engine/Log.h"

namespace Engine {

// Decodes a PNG, JPEG, BMP or Targa file held in memory into a surface of ARGB8888 pixels, top row
// first. A file of another kind, or whose header claims a picture beyond the bound of
// PictureBounds.h, is refused before anything is decoded. Null, with a line in the log naming the
// file, when the picture cannot be had; the caller frees the surface.
SDL_Surface* DecodePicture(CLog& log, const char* name, const void* data, size_t size);

}  // namespace Engine
