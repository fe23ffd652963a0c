#pragma once
// Where Resource_Load finds a file: the attached zip archives first (exact name, then the name
// in any letter case), then the disk, both relative to the program's data folder. Names may use
// backslashes ("Texture\\12.png"); they are read as slashes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Log.h"
#include "engine/PictureBounds.h"

struct zip;

namespace Engine {

// The most bytes a file of each kind may hold. Every reader names its kind when it asks for a file,
// and a larger one is refused by name before any room is made for it: an archive entry of a few
// kilobytes may claim a gigabyte.
//
// A picture: the largest file the picture bound can need, an uncompressed Targa of single-pixel
// run-length packets (five bytes a pixel) and room for the headers.
constexpr uint64_t kMaxPictureFileBytes = kMaxPicturePixels * (kMaxPictureChannels + 1) + (uint64_t{1} << 20);
// Sounds, effects and music alike (they are read the same way; a longer effect is refused by its
// length): a music track is a few minutes of compressed sound.
constexpr uint64_t kMaxMusicFileBytes = uint64_t{64} << 20;
// The resource script, its byte code, the game's data, text tables, fonts' descriptions and particle
// systems: the largest of the sample's is a few hundred kilobytes.
constexpr uint64_t kMaxDataFileBytes = uint64_t{16} << 20;

// The most entries a resource pack may hold: the game's files number a few thousand at most. Opening
// an archive reads a record for every entry its directory claims, a few hundred bytes and some work
// each, so a pack claiming more is refused by name before it is opened.
constexpr uint64_t kMostPackEntries = 16384;

// The data folder: $QUINDLE_DATA_DIR when set, else the folder of the running program.
std::string DataFolder();

class CResourcePacks {
public:
    CResourcePacks(CLog& log, std::string dataFolder);
    ~CResourcePacks();
    CResourcePacks(const CResourcePacks&) = delete;
    CResourcePacks& operator=(const CResourcePacks&) = delete;

    // False, with the reason in the log, when the pack can't be opened or claims too many entries.
    bool Attach(const char* name);
    void RemoveAll();
    // A malloc'd block (free with Free) holding the whole file, or nullptr; a file of more than
    // largest bytes is refused by name.
    void* Load(const char* name, size_t* size, uint64_t largest);
    static void Free(void* block);
    // Whether Load would find the file, whatever its size.
    bool Exists(const char* name) const;

    std::string PathOnDisk(const std::string& name) const;

private:
    struct Pack {
        std::string path;
        zip* archive;
    };
    void* LoadFromPack(zip* archive, const std::string& name, size_t* size, uint64_t largest);
    void* LoadFromDisk(const std::string& name, size_t* size, uint64_t largest);
    bool WithinLargest(const std::string& name, uint64_t bytes, uint64_t largest);

    CLog& m_log;
    std::string m_folder;
    std::vector<Pack> m_packs;  // searched newest first
};

}  // namespace Engine
