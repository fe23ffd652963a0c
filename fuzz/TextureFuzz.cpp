// The texture reader: CTexture::Load over the real engine, started headless, which reads a texture's
// files from disk. The input's first byte picks the way in. Even: the rest is a plain picture
// ("Texture/1.png", which the engine decodes). Odd: the next two bytes (big-endian) are the length of a
// ".jp2" file, which follows (our JPEG 2000 layer), and what is left is its alpha mask's GIF
// ("Texture/m_1.gif", read for its grey levels), none when nothing is left. A texture that loads has a size
// and can be read back. Mesa's driver leaks inside the process, so leaks are not looked for here.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "framework/resources/Texture.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/EngineFixture.h"

extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

namespace {

std::filesystem::path g_folder;
std::unique_ptr<CEngineFixture> g_engine;

void Write(const char* name, const uint8_t* data, size_t size) {
    const std::filesystem::path path = g_folder / name;
    if (size == 0) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void RemoveFolder() {
    g_engine.reset();
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quindle-texture-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("fuzz_texture: mkdtemp");
        std::abort();
    }
    g_folder = pattern;
    std::filesystem::create_directory(g_folder / "Texture");
    g_engine = std::make_unique<CEngineFixture>(64, 64);
    if (!g_engine->Ready()) {
        std::fprintf(stderr, "fuzz_texture: the engine does not start: %s\n", g_engine->Error().c_str());
        std::abort();
    }
    std::atexit(RemoveFolder);
    // The engine logs every refused file on stderr. Its lines go nowhere unless FUZZ_TEXTURE_LOG is
    // set (to see why an input is refused); libFuzzer and the sanitizers keep the real stderr, which
    // they took before this.
    if (!std::getenv("FUZZ_TEXTURE_LOG")) {
        if (FILE* null = std::fopen("/dev/null", "w")) stderr = null;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t* rest = data + 1;
    size_t restSize = size - 1;
    if ((data[0] & 1) == 0) {
        Write("Texture/1.png", rest, restSize);
        Write("Texture/1.jp2", nullptr, 0);
        Write("Texture/m_1.gif", nullptr, 0);
    } else {
        size_t length = restSize >= 2 ? static_cast<size_t>(rest[0] << 8 | rest[1]) : 0;
        rest += restSize >= 2 ? 2 : restSize;
        restSize -= restSize >= 2 ? 2 : restSize;
        if (length > restSize) length = restSize;
        Write("Texture/1.png", nullptr, 0);
        Write("Texture/1.jp2", rest, length);
        Write("Texture/m_1.gif", rest + length, restSize - length);
    }

    GF::HGENS::CTexture texture("fuzz", g_folder.string() + "/Texture\\1");
    texture.Load();
    if (texture.GetHandle()) {
        HGE* hge = g_engine->Engine();
        FUZZ_CHECK(hge->Texture_GetWidth(texture.GetHandle(), true) > 0);
        FUZZ_CHECK(hge->Texture_GetHeight(texture.GetHandle(), true) > 0);
        const CEngineFixture::Pixels pixels = g_engine->Read(texture.GetHandle());
        FUZZ_CHECK(pixels.width >= hge->Texture_GetWidth(texture.GetHandle(), true));
    }
    return 0;
}
