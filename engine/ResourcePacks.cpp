#include "engine/ResourcePacks.h"

#include <zip.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "engine/FileOpen.h"

namespace Engine {

namespace {

std::string Normalise(const char* name) {
    std::string result(name);
    for (char& c : result) {
        if (c == '\\') c = '/';
    }
    return result;
}

uint64_t Little(const unsigned char* p, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

// The most entries an archive's end records claim: every end record in the file's last 64 kilobytes
// (the record and its comment), and every 64-bit end record there or where a locator points, since
// the archive reader may take any of them.
uint64_t ClaimedEntries(const std::string& path) {
    std::FILE* file = OpenForReading(path);
    if (!file) return 0;
    constexpr long kTail = 22 + 65535 + 20 + 56;
    unsigned char tail[kTail];
    uint64_t most = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        const long start = size > kTail ? size - kTail : 0;
        std::fseek(file, start, SEEK_SET);
        const size_t read = size > 0 ? std::fread(tail, 1, static_cast<size_t>(size - start), file) : 0;
        for (size_t at = 0; at + 4 <= read; ++at) {
            if (tail[at] != 'P' || tail[at + 1] != 'K') continue;
            if (tail[at + 2] == 5 && tail[at + 3] == 6 && read - at >= 22) {
                most = std::max(most, Little(tail + at + 10, 2));
            } else if (tail[at + 2] == 6 && tail[at + 3] == 6 && read - at >= 40) {
                most = std::max(most, Little(tail + at + 32, 8));
            } else if (tail[at + 2] == 6 && tail[at + 3] == 7 && read - at >= 20) {
                unsigned char record[40];
                const uint64_t offset = Little(tail + at + 8, 8);
                if (offset < static_cast<uint64_t>(size) &&
                    std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
                    std::fread(record, 1, sizeof record, file) == sizeof record && record[0] == 'P' &&
                    record[1] == 'K' && record[2] == 6 && record[3] == 6)
                    most = std::max(most, Little(record + 32, 8));
            }
        }
    }
    std::fclose(file);
    return most;
}

}  // namespace

std::string DataFolder() {
    if (const char* dir = std::getenv("QUINDLE_DATA_DIR"); dir && *dir) return dir;
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return ".";
    return exe.parent_path().string();
}

CResourcePacks::CResourcePacks(CLog& log, std::string dataFolder)
    : m_log(log), m_folder(std::move(dataFolder)) {}

CResourcePacks::~CResourcePacks() {
    RemoveAll();
}

std::string CResourcePacks::PathOnDisk(const std::string& name) const {
    if (!name.empty() && name[0] == '/') return name;
    if (m_folder.empty()) return name;
    return m_folder + "/" + name;
}

bool CResourcePacks::Attach(const char* name) {
    if (!name || !*name) return false;
    const std::string path = PathOnDisk(Normalise(name));
    for (const Pack& pack : m_packs) {
        if (pack.path == path) return true;
    }
    if (const uint64_t entries = ClaimedEntries(path); entries > kMostPackEntries) {
        m_log.Write("Can't attach resource pack %s: %" PRIu64 " entries, more than a pack may hold (%" PRIu64
                    ")",
                    path.c_str(), entries, kMostPackEntries);
        return false;
    }
    int error = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) {
        zip_error_t detail;
        zip_error_init_with_code(&detail, error);
        m_log.Write("Can't attach resource pack %s: %s", path.c_str(), zip_error_strerror(&detail));
        zip_error_fini(&detail);
        return false;
    }
    m_packs.push_back({path, archive});
    return true;
}

void CResourcePacks::RemoveAll() {
    for (Pack& pack : m_packs) zip_discard(pack.archive);
    m_packs.clear();
}

void* CResourcePacks::Load(const char* name, size_t* size, uint64_t largest) {
    if (size) *size = 0;
    if (!name || !*name) return nullptr;
    const std::string normal = Normalise(name);
    for (auto pack = m_packs.rbegin(); pack != m_packs.rend(); ++pack) {
        if (void* block = LoadFromPack(pack->archive, normal, size, largest)) return block;
    }
    return LoadFromDisk(normal, size, largest);
}

bool CResourcePacks::Exists(const char* name) const {
    if (!name || !*name) return false;
    const std::string normal = Normalise(name);
    for (const Pack& pack : m_packs) {
        if (zip_name_locate(pack.archive, normal.c_str(), 0) >= 0 ||
            zip_name_locate(pack.archive, normal.c_str(), ZIP_FL_NOCASE) >= 0)
            return true;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(PathOnDisk(normal), error);
}

void CResourcePacks::Free(void* block) {
    std::free(block);
}

bool CResourcePacks::WithinLargest(const std::string& name, uint64_t bytes, uint64_t largest) {
    if (bytes <= largest) return true;
    m_log.Write("Can't read %s: %" PRIu64 " bytes, more than a file of its kind may hold (%" PRIu64 ")",
                name.c_str(), bytes, largest);
    return false;
}

void* CResourcePacks::LoadFromPack(zip* archive, const std::string& name, size_t* size, uint64_t largest) {
    zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
    if (index < 0) index = zip_name_locate(archive, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return nullptr;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE)) {
        m_log.Write("Can't read %s from the resource pack", name.c_str());
        return nullptr;
    }
    if (!WithinLargest(name, stat.size, largest)) return nullptr;
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        m_log.Write("Can't open %s in the resource pack: %s", name.c_str(), zip_strerror(archive));
        return nullptr;
    }
    // One spare byte, so that an empty file still answers a block.
    auto* block = static_cast<unsigned char*>(std::malloc(stat.size + 1));
    const zip_int64_t read = block ? zip_fread(file, block, stat.size) : -1;
    zip_fclose(file);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
        m_log.Write("Can't read %s from the resource pack", name.c_str());
        std::free(block);
        return nullptr;
    }
    if (size) *size = static_cast<size_t>(stat.size);
    return block;
}

void* CResourcePacks::LoadFromDisk(const std::string& name, size_t* size, uint64_t largest) {
    const std::string path = PathOnDisk(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    const uintmax_t length = std::filesystem::file_size(path, error);
    if (error || !WithinLargest(path, length, largest)) return nullptr;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(length + 1));
    const size_t read = block ? std::fread(block, 1, length, file) : 0;
    std::fclose(file);
    if (!block || read != length) {
        m_log.Write("Can't read %s", path.c_str());
        std::free(block);
        return nullptr;
    }
    if (size) *size = static_cast<size_t>(length);
    return block;
}

}  // namespace Engine
