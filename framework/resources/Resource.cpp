#include "framework/resources/Resource.h"

#include <cstdarg>
#include <cstdio>

#include "engine/Hge.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/HgeSprite.h"

namespace GF {

namespace {

// Never destroyed: at exit the engine its fonts and sounds were made with may be gone already, so
// the manager is not torn down then (Clear is the way to let go of it).
THolder<HGENS::CResource>& GlobalResource() {
    static auto* resource = new THolder<HGENS::CResource>;
    return *resource;
}

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("%s", line);
    hge->Release();
}

}  // namespace

THolder<HGENS::CResource> GetResource() {
    THolder<HGENS::CResource>& resource = GlobalResource();
    if (!resource) resource = new HGENS::CResource;
    return resource;
}

namespace HGENS {

CResource::TScriptLoader& CResource::ScriptLoader() {
    static TScriptLoader loader = &LoadResourceScript;
    return loader;
}

void CResource::Clear() {
    m_fonts.clear();
    m_spriteInfos.clear();
    Log("-------------------------------Texture--------------------------");
    GetResourceCache()->Clear();
    GlobalResource().Reset();
}

CResource::TModule* CResource::FindModule(const std::string& name) {
    THolder<TModule>* module = m_modules.Find(name);
    return module ? module->Get() : nullptr;
}

THolder<IAnimationData> CResource::GetAnimationData(const std::string& module, const std::string& name) {
    if (module.empty()) {
        for (std::size_t i = 0; i < m_modules.size(); ++i)
            if (THolder<IAnimationData>* data = m_modules.ValueAt(i)->Find(name)) return *data;
        Log("AnimatioData \"%s\" not found", name.c_str());
        return {};
    }
    TModule* found = FindModule(module);
    if (!found) {
        Log("Module \"%s\" not found", module.c_str());
        return {};
    }
    if (THolder<IAnimationData>* data = found->Find(name)) return *data;
    Log("AnimatioData \"%s\" not found", name.c_str());
    return {};
}

THolder<IAnimationData> CResource::GetAnimationDataByPath(const std::string& path) {
    const std::size_t dot = path.find('.');
    if (dot == std::string::npos) return GetAnimationData(std::string(), path);
    return GetAnimationData(path.substr(0, dot), path.substr(dot + 1));
}

THolder<IFont> CResource::GetFontByName(const std::string& name) {
    for (const TFontName& font : m_fontNames)
        if (font.name == name) return GetFont(font.number);
    Log("Can't find font %s", name.c_str());
    return {};
}

THolder<IFont> CResource::GetFont(int number) {
    if (number < 0) return {};
    // The number comes from the data (a text description); a wild one must not grow the cache.
    if (number > kMaxFontNumber) {
        Log("Can't find font %d", number);
        return {};
    }
    if (static_cast<int>(m_fonts.size()) <= number) m_fonts.resize(number + 1);
    THolder<IFont>& slot = m_fonts[number];
    if (!slot) {
        THolder<IFont> font = MakeHolder<CFont>();
        if (!font->Load(number)) {
            Log("Can't find font %d", number);
            return {};
        }
        slot = font;
    }
    return slot;
}

THolder<IImage> CResource::CreateSpriteByName(const std::string& name) {
    for (std::size_t i = 0; i < m_spriteInfos.size(); ++i)
        if (m_spriteInfos[i]->name == name) return CreateSprite(static_cast<int>(i));
    return {};
}

THolder<IImage> CResource::CreateSprite(int number) {
    THolder<CHGESpriteInfo> info = GetSpriteInfo(number);
    if (!info) return {};
    const HTEXTURE texture = GetResourceCache()->AcquireTexture(info->textureNumber);
    THolder<IImage> image = MakeHolder<CImage>();
    image->SetSprite(MakeHolder<CHGESprite>(texture, info->x, info->y, info->width, info->height));
    return image;
}

THolder<ISnd> CResource::LoadSound(const std::string& name) {
    HGE* hge = hgeCreate(HGE_VERSION);
    const HSTREAM stream = hge->Stream_Load(("Sound\\" + name + ".ogg").c_str(), 0);
    hge->Release();
    if (stream) return MakeHolder<CSnd>(stream);
    std::size_t number = 0;
    while (number < m_soundNames.size() && m_soundNames[number] != name) ++number;
    return GetSound(static_cast<int>(number));
}

THolder<ISnd> CResource::GetSound(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "Sound\\%d", number);
    HGE* hge = hgeCreate(HGE_VERSION);
    const HSTREAM stream = hge->Stream_Load(name, 0);
    // A sound that is there but was refused (too long, damaged) is named by the engine already.
    const bool missing = !stream && !hge->Resource_Exists(name);
    hge->Release();
    if (number >= 0 && missing) Log("[W] SOUND %s NOT FOUND", name);
    return MakeHolder<CSnd>(stream);
}

const WString* CResource::GetText(const std::string& key) {
    return CTextTable::Instance().Find(key);
}

THolder<ITextDescrition> CResource::GetTextDescription(int number) {
    if (number < 0 || number >= static_cast<int>(m_textDescriptions.size())) return {};
    return m_textDescriptions[number];
}

bool CResource::Load() {
    if (TScriptLoader loader = ScriptLoader()) loader(*this);
    CTextTable::Instance().Load();
    return true;
}

void CResource::UnloadTextures() {
    GetResourceCache()->UnloadAll();
}

std::string CResource::GetModuleName(int index) {
    if (index < 0 || index >= GetModuleCount()) return {};
    return m_modules.NameAt(index);
}

int CResource::GetAnimationDataCount(const std::string& module) {
    TModule* found = FindModule(module);
    if (!found) {
        Log("Module \"%s\" not found", module.c_str());
        return 0;
    }
    return static_cast<int>(found->size());
}

std::string CResource::GetAnimationDataName(const std::string& module, int index) {
    TModule* found = FindModule(module);
    if (!found) {
        Log("Module \"%s\" not found", module.c_str());
        return {};
    }
    if (index < 0 || index >= static_cast<int>(found->size())) return {};
    return found->NameAt(index);
}

std::vector<std::string> CResource::GetModuleNames() {
    std::vector<std::string> names(m_modules.size());
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = m_modules.NameAt(i);
    return names;
}

std::vector<std::string> CResource::GetAnimationDataNames(const std::string& module) {
    TModule* found = FindModule(module);
    if (!found) return {};
    std::vector<std::string> names(found->size());
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = found->NameAt(i);
    return names;
}

int CResource::AddFont(const std::string& name) {
    const int number = static_cast<int>(m_fontNames.size());
    m_fontNames.push_back({number, name});
    return number;
}

int CResource::AddHGESpriteInfo(const std::string& name, int texture, float x, float y, float width,
                                float height) {
    m_spriteInfos.push_back(MakeHolder<CHGESpriteInfo>(name, texture, x, y, width, height));
    return static_cast<int>(m_spriteInfos.size()) - 1;
}

int CResource::AddTextInfo(const std::string& name, int font, int tracking, int lineSpacing, int alignment,
                           int text) {
    m_textDescriptions.push_back(
        MakeHolder<CTextDescription>(name, font, tracking, lineSpacing, alignment, text));
    return static_cast<int>(m_textDescriptions.size()) - 1;
}

int CResource::AddSoundInfo(const std::string& name) {
    m_soundNames.push_back(name);
    return static_cast<int>(m_soundNames.size()) - 1;
}

void CResource::CreateModule(const std::string& name) {
    if (!FindModule(name)) m_modules.Set(name, TModule::Create());
}

THolder<CAnimationData> CResource::CreateAnimationData(const std::string& module, const std::string& name) {
    TModule* found = FindModule(module);
    if (!found) {
        Log("Module \"%s\" not found", module.c_str());
        return {};
    }
    THolder<CAnimationData> data = MakeHolder<CAnimationData>(name);
    found->Set(name, data);
    return data;
}

THolder<CHGESpriteInfo> CResource::GetSpriteInfo(int number) const {
    if (number < 0 || number >= GetSpriteInfoCount()) return {};
    return m_spriteInfos[number];
}

}  // namespace HGENS
}  // namespace GF
