#include "tests/support/SampleFiles.h"

#include "engine/Log.h"
#include "engine/ResourcePacks.h"

std::vector<unsigned char> LoadSampleFile(const std::string& name) {
    Engine::CLog log;
    Engine::CResourcePacks packs(log, Engine::DataFolder());
    if (!packs.Attach("resource.dat")) return {};
    size_t size = 0;
    void* block = packs.Load(name.c_str(), &size, Engine::kMaxPictureFileBytes);
    if (!block) return {};
    const auto* bytes = static_cast<const unsigned char*>(block);
    std::vector<unsigned char> data(bytes, bytes + size);
    Engine::CResourcePacks::Free(block);
    return data;
}
