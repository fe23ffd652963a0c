#pragma once
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/Texture.h"

namespace GF::HGENS {

// Owns every texture the resource script declares and decides when each is decoded: on first use
// (by number or by name), or ahead of time for a group (a script module), one texture per step, so
// that start-up can show its progress. Textures are freed only all together. One per process,
// reached through GetResourceCache; everything runs on the caller's thread.
//
// Preloading a group: PreloadGroup(name), or step by step
//     cache->QueueGroup(name); cache->StartQueued();
//     while (cache->LoadQueued()) { /* show cache->GetLoadProgress() */ }
class CResourceCache : public CRefCount {
public:
    // Appends a texture; its number is the count before the call.
    void RegisterTexture(const THolder<CTexture>& texture);
    int GetTextureCount() const { return static_cast<int>(m_textures.size()); }
    void AddToGroup(const std::string& group, int number);

    // The engine handle of the named texture, loading it first if needed; 0 when the name is
    // unknown or the texture cannot be loaded.
    HTEXTURE GetTexture(const std::string& name);
    // The same by number; a number outside the table answers 0 (logged when not negative).
    HTEXTURE AcquireTexture(int number);

    // Queues the textures of a group; a group the script never filled queues nothing.
    void QueueGroup(const std::string& group);
    // Moves the queued numbers into the load set and puts the cursor on the first not yet handled.
    void StartQueued();
    // Handles the texture under the cursor (loads it unless it is loaded, counts it) and advances.
    // Starts the queue first when QueueGroup has added to it. Answers false once nothing is left.
    bool LoadQueued();
    // Handled members of the load set over all of them (queued ones included); 1.0 when there is
    // nothing to load.
    float GetLoadProgress();
    // Queues the group and loads it to the end.
    void PreloadGroup(const std::string& group);

    // Frees every loaded texture and forgets what was loaded or queued for loading.
    void UnloadAll();
    // Drops every table and the process-wide cache; the next GetResourceCache makes a new one.
    void Clear();

private:
    // The texture of a number below the table size; logs and answers null for one at or above it.
    CTexture* Texture(int number);
    // Loads a texture unless it failed since the packs last changed: a picture that cannot be
    // decoded is tried once, not again for every sprite that asks for it.
    void Load(int number, CTexture& texture, bool logged);

    std::vector<THolder<CTexture>> m_textures;
    std::unordered_map<std::string, int> m_names;  // name -> number
    std::unordered_map<std::string, std::unordered_set<int>> m_groups;
    std::unordered_set<int> m_loadSet;  // loaded through AcquireTexture, or queued for loading
    std::unordered_set<int> m_counted;  // members of the load set that have been handled
    std::vector<int> m_queue;           // members still to handle when the queue started
    std::size_t m_cursor = 0;
    std::unordered_set<int> m_pending;  // queued by QueueGroup, not yet in the load set
    std::unordered_set<int> m_failed;   // tried and not loaded with the packs as they are
    DWORD m_packChanges = 0;            // the engine's count of pack changes when m_failed was filled
    std::recursive_mutex m_lock;
};

THolder<CResourceCache> GetResourceCache();

}  // namespace GF::HGENS
