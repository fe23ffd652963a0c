#pragma once
// The textures that are not on the sheet, drawn pixel by pixel (and the grey sheet of icons).
#include <string>

// Writes the texture of the kind (cloth, gray, particles, particles_2, particles_3, map_fon, page) to
// `out`: 0 when written, 1 when it could not be, -1 when there is no such kind.
int WriteTexture(const std::string& out, const std::string& kind);
