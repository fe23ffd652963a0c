#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/core/WString.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/Font.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Snd.h"
#include "framework/resources/Texture.h"
#include "framework/scene/Param.h"

namespace GF {

// Where the rest of the program finds what the resource script described: animation descriptions
// by module and name, images made from sprite infos, fonts, sounds, text descriptions and texts.
// The tables are filled once at start-up and only read afterwards. Failures are logged and
// answered with an empty holder.
class IResource : public CRefCount {
public:
    // Releases the fonts, the sprite infos and the texture cache, and lets go of the process-wide
    // manager (the next GetResource makes a new one).
    virtual void Clear() = 0;
    // By module and name; an empty module name searches every module in table order.
    virtual THolder<IAnimationData> GetAnimationData(const std::string& module, const std::string& name) = 0;
    // "module.name": split at the first dot; a name without a dot is searched in every module.
    virtual THolder<IAnimationData> GetAnimationDataByPath(const std::string& path) = 0;
    virtual THolder<IFont> GetFontByName(const std::string& name) = 0;
    // The font of the number, loaded on first use and kept.
    virtual THolder<IFont> GetFont(int number) = 0;
    virtual THolder<IImage> CreateSpriteByName(const std::string& name) = 0;
    // A new image with its own engine sprite, cut from the sprite info's texture.
    virtual THolder<IImage> CreateSprite(int number) = 0;
    // "Sound\\<name>.ogg", else the sound whose number the name has among the sound names.
    virtual THolder<ISnd> LoadSound(const std::string& name) = 0;
    // "Sound\\<number>"; a sound with handle 0 when the file is missing.
    virtual THolder<ISnd> GetSound(int number) = 0;
    // The text table's text for the key (the shared empty text when it has none).
    virtual const WString* GetText(const std::string& key) = 0;
    virtual THolder<ITextDescrition> GetTextDescription(int number) = 0;
    // Runs the resource script into the tables, then loads the text table.
    virtual bool Load() = 0;
    virtual void UnloadTextures() = 0;
    virtual int GetModuleCount() = 0;
    virtual std::string GetModuleName(int index) = 0;
    virtual int GetAnimationDataCount(const std::string& module) = 0;
    virtual std::string GetAnimationDataName(const std::string& module, int index) = 0;
    virtual std::vector<std::string> GetModuleNames() = 0;
    virtual std::vector<std::string> GetAnimationDataNames(const std::string& module) = 0;
};

namespace HGENS {

// A hash table by name that also remembers the order of entry, which is the order of its lookups
// across entries and of its name lists.
template <class V>
class TNameTable {
public:
    V* Find(const std::string& name) {
        auto it = m_index.find(name);
        return it == m_index.end() ? nullptr : &m_entries[it->second].second;
    }
    // Enters the value under the name, or replaces the value already there (keeping its place).
    void Set(const std::string& name, V value) {
        if (V* existing = Find(name)) {
            *existing = std::move(value);
            return;
        }
        m_index.emplace(name, m_entries.size());
        m_entries.emplace_back(name, std::move(value));
    }
    std::size_t size() const { return m_entries.size(); }
    const std::string& NameAt(std::size_t i) const { return m_entries[i].first; }
    V& ValueAt(std::size_t i) { return m_entries[i].second; }

private:
    std::vector<std::pair<std::string, V>> m_entries;
    std::unordered_map<std::string, std::size_t> m_index;
};

class CResource : public IResource {
public:
    // Fonts are numbered by the data; numbers above this are refused before the font cache grows.
    static constexpr int kMaxFontNumber = 1023;

    // Fills the tables from the resource script through the adding operations below: the script
    // reader's LoadResourceScript unless a test installs another; without one, Load only loads the
    // text table.
    using TScriptLoader = void (*)(CResource& resource);
    static TScriptLoader& ScriptLoader();

    void Clear() override;
    THolder<IAnimationData> GetAnimationData(const std::string& module, const std::string& name) override;
    THolder<IAnimationData> GetAnimationDataByPath(const std::string& path) override;
    THolder<IFont> GetFontByName(const std::string& name) override;
    THolder<IFont> GetFont(int number) override;
    THolder<IImage> CreateSpriteByName(const std::string& name) override;
    THolder<IImage> CreateSprite(int number) override;
    THolder<ISnd> LoadSound(const std::string& name) override;
    THolder<ISnd> GetSound(int number) override;
    const WString* GetText(const std::string& key) override;
    THolder<ITextDescrition> GetTextDescription(int number) override;
    bool Load() override;
    void UnloadTextures() override;
    int GetModuleCount() override { return static_cast<int>(m_modules.size()); }
    std::string GetModuleName(int index) override;
    int GetAnimationDataCount(const std::string& module) override;
    std::string GetAnimationDataName(const std::string& module, int index) override;
    std::vector<std::string> GetModuleNames() override;
    std::vector<std::string> GetAnimationDataNames(const std::string& module) override;

    // --- Adding operations: what the resource script calls, in its words. ---
    // Each answers the number the new entry gets (its position in its table).
    int AddFont(const std::string& name);
    int AddHGESpriteInfo(const std::string& name, int texture, float x, float y, float width, float height);
    int AddTextInfo(const std::string& name, int font, int tracking, int lineSpacing, int alignment,
                    int text);
    int AddSoundInfo(const std::string& name);
    // Enters an empty module unless one of that name exists (later descriptions then join it).
    void CreateModule(const std::string& name);
    // A new, empty description entered in the module under the name, replacing one of that name;
    // empty (logged) when the module does not exist.
    THolder<CAnimationData> CreateAnimationData(const std::string& module, const std::string& name);

    // The sprite info of the number; empty when the number is outside the table.
    THolder<CHGESpriteInfo> GetSpriteInfo(int number) const;
    int GetSpriteInfoCount() const { return static_cast<int>(m_spriteInfos.size()); }

private:
    struct TFontName {
        int number;
        std::string name;
    };
    using TModule = CContainerRef<TNameTable<THolder<IAnimationData>>>;

    TModule* FindModule(const std::string& name);

    std::vector<THolder<CHGESpriteInfo>> m_spriteInfos;
    std::vector<TFontName> m_fontNames;
    std::vector<THolder<ITextDescrition>> m_textDescriptions;
    std::vector<std::string> m_soundNames;
    TNameTable<THolder<TModule>> m_modules;
    std::vector<THolder<IFont>> m_fonts;
};

}  // namespace HGENS

// The one resource manager, made (with empty tables) on first use.
THolder<HGENS::CResource> GetResource();

}  // namespace GF
