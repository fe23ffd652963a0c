#include "framework/resources/ResourceCache.h"

#include <algorithm>

namespace GF::HGENS {

namespace {

// Never destroyed: at exit the engine the textures were made with may be gone already, so the
// cache is not torn down then (Clear is the way to free it).
THolder<CResourceCache>& GlobalCache() {
    static auto* cache = new THolder<CResourceCache>;
    return *cache;
}

void Log(const char* format, int a, int b = 0) {
    HGE* hge = hgeCreate(HGE_VERSION);
    if (!hge) return;
    hge->System_Log(format, a, b);
    hge->Release();
}

}  // namespace

THolder<CResourceCache> GetResourceCache() {
    THolder<CResourceCache>& cache = GlobalCache();
    if (!cache) cache = new CResourceCache;
    return cache;
}

void CResourceCache::RegisterTexture(const THolder<CTexture>& texture) {
    if (!texture) return;
    m_names[texture->GetName()] = static_cast<int>(m_textures.size());
    m_textures.push_back(texture);
}

void CResourceCache::AddToGroup(const std::string& group, int number) {
    m_groups[group].insert(number);
}

CTexture* CResourceCache::Texture(int number) {
    if (number < 0) return nullptr;
    if (static_cast<std::size_t>(number) >= m_textures.size()) {
        Log("Texture %d refused: only %d textures are registered", number,
            static_cast<int>(m_textures.size()));
        return nullptr;
    }
    return m_textures[static_cast<std::size_t>(number)].Get();
}

void CResourceCache::Load(int number, CTexture& texture, bool logged) {
    HGE* hge = hgeCreate(HGE_VERSION);
    if (!hge) return;
    const DWORD changes = hge->Resource_GetPackChanges();
    hge->Release();
    if (changes != m_packChanges) {
        m_failed.clear();
        m_packChanges = changes;
    }
    if (m_failed.count(number)) return;
    if (logged) Log("Texture %d now loading", number);
    texture.Load();
    if (!texture.GetHandle()) m_failed.insert(number);
}

HTEXTURE CResourceCache::GetTexture(const std::string& name) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    auto it = m_names.find(name);
    if (it == m_names.end()) return 0;
    CTexture& texture = *m_textures[static_cast<std::size_t>(it->second)];
    if (!texture.GetHandle()) Load(it->second, texture, true);
    return texture.GetHandle();
}

HTEXTURE CResourceCache::AcquireTexture(int number) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    CTexture* texture = Texture(number);
    if (!texture) return 0;
    if (!texture->GetHandle()) {
        Load(number, *texture, true);
        // Counted here, so the queue does not wait for it even when it was queued before.
        m_loadSet.insert(number);
        m_counted.insert(number);
    }
    return texture->GetHandle();
}

void CResourceCache::QueueGroup(const std::string& group) {
    auto it = m_groups.find(group);
    if (it == m_groups.end()) return;
    m_pending.insert(it->second.begin(), it->second.end());
}

void CResourceCache::StartQueued() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_loadSet.insert(m_pending.begin(), m_pending.end());
    m_pending.clear();
    m_queue.clear();
    for (int number : m_loadSet)
        if (!m_counted.count(number)) m_queue.push_back(number);
    std::sort(m_queue.begin(), m_queue.end());
    m_cursor = 0;
}

bool CResourceCache::LoadQueued() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_pending.empty()) StartQueued();
    if (m_cursor >= m_queue.size()) return false;
    const int number = m_queue[m_cursor++];
    // Handled already (acquired since the queue started, or the load set was emptied meanwhile).
    if (!m_loadSet.count(number) || m_counted.count(number)) return true;
    // A negative number (a sprite without texture) or a refused one has nothing to load.
    if (CTexture* texture = Texture(number); texture && !texture->GetHandle()) Load(number, *texture, false);
    m_counted.insert(number);
    return true;
}

float CResourceCache::GetLoadProgress() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::size_t total = m_loadSet.size();
    for (int number : m_pending)
        if (!m_loadSet.count(number)) ++total;
    if (total == 0) return 1.0f;
    return static_cast<float>(m_counted.size()) / static_cast<float>(total);
}

void CResourceCache::PreloadGroup(const std::string& group) {
    QueueGroup(group);
    StartQueued();
    while (LoadQueued()) {
    }
}

void CResourceCache::UnloadAll() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (const THolder<CTexture>& texture : m_textures) texture->Unload();
    m_counted.clear();
    m_loadSet.clear();
    m_queue.clear();
    m_cursor = 0;
}

void CResourceCache::Clear() {
    {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        m_pending.clear();
        m_loadSet.clear();
        m_counted.clear();
        m_queue.clear();
        m_cursor = 0;
        m_groups.clear();
        m_textures.clear();
        m_names.clear();
        m_failed.clear();
    }
    // The caller's holder keeps this object alive past the reset.
    GlobalCache().Reset();
}

}  // namespace GF::HGENS
