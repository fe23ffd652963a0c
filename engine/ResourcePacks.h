#pragma once
// Where Resource_Load finds a file: the attached zip archives first (exact name, then the name
// in any letter case), then the disk, both relative to the program's data folder. Names may use
// backslashes ("Texture\\12.png"); they are read as slashes.

#include <cstddef>
#include <string>
#include <vector>

#include "engine/Log.h"

struct zip;

namespace Engine {

// The data folder: $QUINDLE_DATA_DIR when set, else the folder of the running program.
std::string DataFolder();

class CResourcePacks {
public:
    CResourcePacks(CLog& log, std::string dataFolder);
    ~CResourcePacks();
    CResourcePacks(const CResourcePacks&) = delete;
    CResourcePacks& operator=(const CResourcePacks&) = delete;

    bool Attach(const char* name);
    void RemoveAll();
    // A malloc'd block (free with Free) holding the whole file, or nullptr.
    void* Load(const char* name, size_t* size);
    static void Free(void* block);

    const std::string& Folder() const { return m_folder; }
    std::string PathOnDisk(const std::string& name) const;

private:
    struct Pack {
        std::string path;
        zip* archive;
    };
    void* LoadFromPack(zip* archive, const std::string& name, size_t* size);
    void* LoadFromDisk(const std::string& name, size_t* size);

    CLog& m_log;
    std::string m_folder;
    std::vector<Pack> m_packs;  // searched newest first
};

}  // namespace Engine
