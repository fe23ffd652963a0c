#pragma once
// How the content tools write what they make: the file's folder made first, and a failure told on the
// standard error as "<tool>: <file>: <why>".
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

// Writes the bytes to the file; false when it could not.
bool WriteOutputFile(const char* tool, const std::filesystem::path& file,
                     const std::vector<unsigned char>& bytes);

// Writes a PNG picture of width x height, each pixel the ARGB word `pixel` gives for (x, y); false when it
// could not.
bool WritePixelFile(const char* tool, const std::filesystem::path& file, int width, int height,
                    const std::function<uint32_t(int x, int y)>& pixel);
