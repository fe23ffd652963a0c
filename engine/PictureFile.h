#pragma once
#include <SDL2/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Log.h"

namespace Engine {

// Decodes a PNG, JPEG, BMP or Targa file held in memory into a surface of ARGB8888 pixels, top row
// first. A file of another kind, or whose header claims a picture beyond the bound of
// PictureBounds.h, is refused before anything is decoded. Null, with a line in the log naming the
// file, when the picture cannot be had; the caller frees the surface.
SDL_Surface* DecodePicture(CLog& log, const char* name, const void* data, size_t size);

// Writes width x height ARGB8888 pixels, top row first, as a PNG file; false, with the reason in
// error, when there are no pixels or the file can't be written.
bool SavePicture(const std::string& path, const std::vector<uint32_t>& pixels, int width, int height,
                 std::string& error);

}  // namespace Engine
