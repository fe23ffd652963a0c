#include "tools/OutputFiles.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <fstream>

namespace {

bool Fail(const char* tool, const std::filesystem::path& file, const char* why) {
    std::fprintf(stderr, "%s: %s: %s\n", tool, file.string().c_str(), why);
    return false;
}

void MakeFolder(const std::filesystem::path& file) {
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
}

}  // namespace

bool WriteOutputFile(const char* tool, const std::filesystem::path& file,
                     const std::vector<unsigned char>& bytes) {
    MakeFolder(file);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.flush() || Fail(tool, file, "cannot write");
}

bool WritePixelFile(const char* tool, const std::filesystem::path& file, int width, int height,
                    const std::function<uint32_t(int x, int y)>& pixel) {
    MakeFolder(file);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return Fail(tool, file, SDL_GetError());
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    const int pitch = surface->pitch / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * pitch + x] = pixel(x, y);
    const bool saved = IMG_SavePNG(surface, file.string().c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved || Fail(tool, file, IMG_GetError());
}
