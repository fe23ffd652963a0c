#include "framework/resources/ResourceReader.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/ResourcePacks.h"
#include "framework/core/DataStreams.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/ScriptString.h"
#include "platform/SaveFolder.h"

namespace GF {
namespace HGENS {

namespace {

// Exact comparison, as the merge rule wants: only a key that repeats the value is folded.
template <class Value>
bool SameValue(const Value& a, const Value& b) {
    return a == b;
}
bool SameValue(const hgeColor& a, const hgeColor& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

template <EParamKind K>
TKindParam<K> Key(typename TParamKind<K>::Value value, int mode, int duration) {
    return TKindParam<K>{std::move(value), mode, static_cast<float>(duration)};
}

// A held key repeating the value of the track's last key folds that last key into the one before it,
// so a run of equal held keys becomes one key; the track's total time stays. The first two keys of a
// track are never folded.
template <class Key>
void AppendMerged(std::vector<Key>& list, Key key) {
    if (key.mode == 0 && list.size() >= 2 && SameValue(list.back().value, key.value)) {
        list[list.size() - 2].duration += list.back().duration;
        list.pop_back();
    }
    list.push_back(std::move(key));
}

// The script's arguments as the reader's methods take them: a `string&in` arrives as our script
// string, everything else as itself.
template <class T>
T Arg(asIScriptGeneric* gen, asUINT index);
template <>
GF_SCRIPT_CALLS int Arg<int>(asIScriptGeneric* gen, asUINT index) {
    return static_cast<int>(gen->GetArgDWord(index));
}
template <>
GF_SCRIPT_CALLS float Arg<float>(asIScriptGeneric* gen, asUINT index) {
    return gen->GetArgFloat(index);
}
template <>
GF_SCRIPT_CALLS const std::string& Arg<const std::string&>(asIScriptGeneric* gen, asUINT index) {
    return static_cast<const CScriptString*>(gen->GetArgAddress(index))->Text();
}

// What one call of the script costs its budget of bytes: the key, object or table entry it may add,
// and the copies of its names.
constexpr std::size_t kCallBytes = 256;
template <class T>
std::size_t TextBytes(const T& argument) {
    if constexpr (std::is_same_v<T, std::string>) return argument.size();
    return 0;
}

// How the script calls a reader method (through the generic convention). A call the budget refuses
// does nothing: the script is stopped.
template <auto Method>
struct TReaderMethod;
template <class... Args, void (CResourceReader::*Method)(Args...)>
struct TReaderMethod<Method> {
    GF_SCRIPT_CALLS static void Call(asIScriptGeneric* gen) {
        Invoke(gen, std::index_sequence_for<Args...>{});
    }

private:
    template <size_t... I>
    GF_SCRIPT_CALLS static void Invoke(asIScriptGeneric* gen, std::index_sequence<I...>) {
        if (!CScriptEngine::Charge(kCallBytes + (TextBytes(Arg<Args>(gen, I)) + ... + 0))) return;
        (static_cast<CResourceReader*>(gen->GetObject())->*Method)(Arg<Args>(gen, I)...);
    }
};

GF_SCRIPT_CALLS void AddRefReader(asIScriptGeneric* gen) {
    static_cast<CResourceReader*>(gen->GetObject())->AddRef();
}
GF_SCRIPT_CALLS void ReleaseReader(asIScriptGeneric* gen) {
    static_cast<CResourceReader*>(gen->GetObject())->Release();
}

struct TMethodEntry {
    const char* declaration;
    asSFuncPtr function;
};

template <auto Method>
TMethodEntry Entry(const char* declaration) {
    return {declaration, asFUNCTION(TReaderMethod<Method>::Call)};
}

constexpr double kPi = 3.1415927410125732;              // pi in single precision
constexpr double kDegreesPerRadian = 57.2957763671875;  // 180 / pi in single precision

}  // namespace

CResourceReader::CResourceReader(CResource* resource)
    : m_resource(resource),
      m_script(std::make_unique<CScriptEngine>()),
      m_cache(resource ? GetResourceCache() : THolder<CResourceCache>()),
      m_hge(hgeCreate(HGE_VERSION)) {
    RegisterInterface();
}

CResourceReader::~CResourceReader() {
    m_script.reset();
    if (m_hge) m_hge->Release();
}

GF_SCRIPT_CALLS bool CResourceReader::RegisterInterface() {
    asIScriptEngine* engine = m_script->Get();
    if (!engine) return false;
    int failures = 0;
    const auto expect = [&failures](int result) { failures += result < 0 ? 1 : 0; };
    expect(engine->RegisterObjectType("CResourceReader", 0, asOBJ_REF));
    expect(engine->RegisterObjectBehaviour("CResourceReader", asBEHAVE_ADDREF, "void f()",
                                           asFUNCTION(AddRefReader), asCALL_GENERIC));
    expect(engine->RegisterObjectBehaviour("CResourceReader", asBEHAVE_RELEASE, "void f()",
                                           asFUNCTION(ReleaseReader), asCALL_GENERIC));

    using R = CResourceReader;
    const TMethodEntry methods[] = {
        Entry<&R::AddFont>("void AddFont(string&in)"),
        Entry<&R::AddHGESpriteInfo>("void AddHGESpriteInfo(string&in, int, float, float, float, float)"),
        Entry<&R::AddNamedPart>("void AddNamedPart(string&in, int, int, int)"),
        Entry<&R::AddSoundInfo>("void AddSoundInfo(string&in)"),
        Entry<&R::AddSubstAnimation>("void AddSubstAnimation(string&in, string&in)"),
        Entry<&R::AddTextFile>("void AddTextFile(string&in)"),
        Entry<&R::AddTextInfo>("void AddTextInfo(string&in, int, int, int, int, int)"),
        Entry<&R::AddTexture>("void AddTexture(string&in)"),
        Entry<&R::CreateAnimationData>("void CreateAnimationData(string&in)"),
        Entry<&R::CreateClippingObjectData>("void CreateClippingObjectData(string&in)"),
        Entry<&R::CreateModule>("void CreateModule(string&in)"),
        Entry<&R::CreateParticleSystem>("void CreateParticleSystem(string&in)"),
        Entry<&R::CreateSoundObjectData>("void CreateSoundObjectData(string&in)"),
        Entry<&R::CreateSpriteObjectData>("void CreateSpriteObjectData(string&in)"),
        Entry<&R::CreateTextSpriteObjectData>("void CreateTextSpriteObjectData(string&in)"),
        Entry<&R::AddActionSound>("void AddActionSound(int, int)"),
        Entry<&R::AddColor>("void AddColor(int, int, int, int, int, int)"),
        Entry<&R::AddBlendMode>("void AddBlendMode(int, int)"),
        Entry<&R::AddCommandSubstAnimation>("void AddCommandSubstAnimation(string&in, int)"),
        Entry<&R::AddFlip>("void AddFlip(int, int)"),
        Entry<&R::AddHotspot>("void AddHotspot(int, int, int, int)"),
        Entry<&R::AddSpriteIDResource>("void AddSpriteIDResource(int, int)"),
        Entry<&R::AddTextSpriteIDResource>("void AddTextSpriteIDResource(int, int)"),
        Entry<&R::AddSndIDResource>("void AddSndIDResource(int, int)"),
        Entry<&R::AddLayer>("void AddLayer(int, int)"),
        Entry<&R::AddOffset>("void AddOffset(int, int, int, int)"),
        Entry<&R::AddOpaque>("void AddOpaque(int, int, int)"),
        Entry<&R::AddParamSound>("void AddParamSound(int, int, int)"),
        Entry<&R::AddParticleCommand>("void AddParticleCommand(int, int)"),
        Entry<&R::AddParticleID>("void AddParticleID(int, int)"),
        Entry<&R::AddParticleIDSprite>("void AddParticleIDSprite(int, int)"),
        Entry<&R::AddRotate>("void AddRotate(float, int, int)"),
        Entry<&R::AddSkew>("void AddSkew(int, int, int, int)"),
        Entry<&R::AddZoom>("void AddZoom(int, int, int, int)"),
        Entry<&R::AddParamModifier>(
            "void AddParamModifier(int, int, int, float, float, float fPeriodMin, float fPeriodMax)"),
    };
    for (const TMethodEntry& method : methods) {
        expect(engine->RegisterObjectMethod("CResourceReader", method.declaration, method.function,
                                            asCALL_GENERIC));
    }
    return failures == 0;
}

bool CResourceReader::BuildModule() {
    CBlobReader source;
    const bool haveSource = source.Open(kSourceName);
    const std::string_view text(reinterpret_cast<const char*>(source.Data()), haveSource ? source.Size() : 0);
    {
        // The library trusts the byte code it loads: damaged byte code stops the program on an
        // assertion or worse. Only byte code this very build wrote for this very script is handed to
        // it; any other (stale for an edited script, damaged, or another build's) is compiled again
        // from the source beside it, as when there is none.
        CBlobReader byteCode;
        if (byteCode.Open(kByteCodeName)) {
            if (m_script->LoadByteCode(byteCode, haveSource ? std::optional(text) : std::nullopt))
                return true;
            if (m_hge)
                m_hge->System_Log("Can't load the script byte code %s, compiling %s", kByteCodeName,
                                  kSourceName);
        }
    }
    if (!haveSource) {
        if (m_hge) m_hge->System_Log("Can't find the resource script %s", kSourceName);
        return false;
    }
    if (!m_script->Build(text.data(), static_cast<unsigned>(text.size()))) return false;
    SaveByteCode(text);
    return true;
}

void CResourceReader::SaveByteCode(std::string_view source) {
    // Beside the source in the data folder, where the resource loader looks on the next start, and as
    // the save files are written: into a new file that then takes the old one's place. Never through
    // a link: an "Animation" that is not a folder of its own is left alone. A file that cannot be
    // written only means the next start compiles again.
    std::string name = kByteCodeName;
    std::replace(name.begin(), name.end(), '\\', '/');
    const std::filesystem::path file = std::filesystem::path(Engine::DataFolder()) / name;
    const std::filesystem::path folder = file.parent_path();
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(folder, error);
    if (!std::filesystem::exists(status)) {
        if (!std::filesystem::create_directory(folder, error)) return;
    } else if (!std::filesystem::is_directory(status)) {
        if (m_hge)
            m_hge->System_Log("Can't save the script byte code %s: %s is not a folder of its own",
                              file.string().c_str(), folder.string().c_str());
        return;
    }
    const std::string target = file.string();
    const std::string temporary = target + ".tmp";
    CDataOutputStream out;
    if (!out.OpenW(Utf8ToUtf16(temporary))) return;
    bool saved = m_script->SaveByteCode(out, source);
    out.Close();
    std::string failure;
    saved = saved && !out.Failed() && Platform::ReplaceFile(temporary, target, failure);
    if (!saved) {
        std::filesystem::remove(temporary, error);
        if (m_hge)
            m_hge->System_Log("Can't save the script byte code %s%s%s", target.c_str(),
                              failure.empty() ? "" : ": ", failure.c_str());
    }
}

bool CResourceReader::RunFillResource() {
    return m_script->Call(kEntry, this);
}

void LoadResourceScript(CResource& resource) {
    THolder<CResourceReader> reader(new CResourceReader(&resource));
    if (reader->BuildModule()) reader->RunFillResource();
}

void CResourceReader::Warn(const char* method) {
    if (m_hge) m_hge->System_Log("Warning: CResourceReader::%s", method);
}

void CResourceReader::ClearObjects() {
    m_drawable = nullptr;
    m_sound = nullptr;
    m_particle = nullptr;
    m_clipping = nullptr;
}

// --- tables of the resource manager ---

void CResourceReader::AddFont(const std::string& name) {
    if (m_resource) m_resource->AddFont(name);
}

void CResourceReader::AddHGESpriteInfo(const std::string& name, int texture, float x, float y, float width,
                                       float height) {
    if (m_resource) m_resource->AddHGESpriteInfo(name, texture, x, y, width, height);
}

void CResourceReader::AddSoundInfo(const std::string& name) {
    if (m_resource) m_resource->AddSoundInfo(name);
}

void CResourceReader::AddTextFile(const std::string&) {}

void CResourceReader::AddTextInfo(const std::string& name, int font, int tracking, int lineSpacing,
                                  int alignment, int text) {
    if (m_resource) m_resource->AddTextInfo(name, font, tracking, lineSpacing, alignment, text);
}

void CResourceReader::AddTexture(const std::string& name) {
    if (!m_cache) return;
    const std::string fileName = "Texture\\" + std::to_string(m_cache->GetTextureCount());
    m_cache->RegisterTexture(MakeHolder<CTexture>(name, fileName));
}

// --- modules, animations and their objects ---

void CResourceReader::CreateModule(const std::string& name) {
    m_animation = nullptr;
    m_moduleName = name;
    if (m_resource) m_resource->CreateModule(name);
}

void CResourceReader::CreateAnimationData(const std::string& name) {
    m_animation = nullptr;
    ClearObjects();
    if (!m_resource) return;
    // The module keeps the description. Without a module the manager logs it and answers nothing,
    // and the calls that need an animation are then ignored.
    m_animation = m_resource->CreateAnimationData(m_moduleName, name).Get();
}

void CResourceReader::AddNamedPart(const std::string& name, int start, int end, int playMode) {
    if (!m_animation) return Warn("AddNamedPart");
    m_animation->AddNamedPart(THolder<INamedPart>(
        new CNamedPart(static_cast<float>(start), static_cast<float>(end), playMode, name)));
}

template <class T, class... Args>
T* CResourceReader::AddObject(const char* method, Args&&... args) {
    ClearObjects();
    if (!m_animation) {
        Warn(method);
        return nullptr;
    }
    auto object = MakeHolder<T>(std::forward<Args>(args)...);
    m_animation->AddObjectData(THolder<IObjectData>(object.Get()));
    return object.Get();  // the animation keeps it
}

void CResourceReader::CreateClippingObjectData(const std::string&) {
    m_clipping = AddObject<CClippingObjectData>("CreateClippingObjectData");
}

void CResourceReader::CreateParticleSystem(const std::string&) {
    m_particle = AddObject<CParticleObjectData>("CreateParticleSystem");
}

void CResourceReader::CreateSoundObjectData(const std::string& name) {
    m_sound = AddObject<CSoundObjectData>("CreateSoundObjectData", name);
}

void CResourceReader::CreateSpriteObjectData(const std::string& name) {
    m_drawable = AddObject<CSpriteObjectData>("CreateSpriteObjectData", name);
}

void CResourceReader::CreateTextSpriteObjectData(const std::string& name) {
    m_drawable = AddObject<CTextSpriteObjectData>("CreateTextSpriteObjectData", name);
}

void CResourceReader::AddSubstAnimation(const std::string& first, const std::string& second) {
    if (!m_drawable) return Warn("AddSubstAnimation");
    m_drawable->AddSubstAnimation(
        THolder<ISubstAnimationDescription>(new CSubstAnimationDescription(first, second)));
}

void CResourceReader::AddCommandSubstAnimation(const std::string& animation, int time) {
    if (!m_drawable) return Warn("AddCommandSubstAnimation");
    m_drawable->GetCommandSubstAnimations()->push_back({static_cast<float>(time), animation});
}

// --- keys ---

void CResourceReader::AddActionSound(int sound, int duration) {
    if (!m_sound) return Warn("AddActionSound");
    m_sound->GetActionSound()->push_back(Key<EParamKind::ActionSound>(sound, 0, duration));
}

void CResourceReader::AddColor(int alpha, int red, int green, int blue, int mode, int duration) {
    if (!m_drawable) return Warn("AddColor");
    // Unsigned, so an alpha of 128 and above packs into the top byte instead of overflowing.
    const DWORD argb = (static_cast<uint32_t>(alpha) << 24) + (static_cast<uint32_t>(red) << 16) +
                       (static_cast<uint32_t>(green) << 8) + static_cast<uint32_t>(blue);
    AppendMerged(*m_drawable->GetColor(), Key<EParamKind::Color>(hgeColor(argb), mode, duration));
}

void CResourceReader::AddBlendMode(int blend, int duration) {
    const auto key = Key<EParamKind::Blend>(blend, 0, duration);
    if (m_drawable)
        AppendMerged(*m_drawable->GetBlend(), key);
    else if (m_particle)
        AppendMerged(*m_particle->GetBlend(), key);
}

void CResourceReader::AddFlip(int flip, int duration) {
    if (!m_drawable) return Warn("AddFlip");
    m_drawable->GetFlip()->push_back(Key<EParamKind::Flip>(flip, 0, duration));
}

void CResourceReader::AddHotspot(int x, int y, int mode, int duration) {
    const auto key =
        Key<EParamKind::Hotspot>(TPoint<float>(static_cast<float>(x), static_cast<float>(y)), mode, duration);
    if (m_drawable)
        m_drawable->GetHotspot()->push_back(key);
    else if (m_clipping)
        m_clipping->GetHotspot()->push_back(key);
    else
        Warn("AddHotspot");
}

void CResourceReader::AddSpriteIDResource(int id, int duration) {
    if (!m_drawable) return Warn("AddSpriteIDResource");
    m_drawable->GetIDResource()->push_back(Key<EParamKind::IDResource>(id, 0, duration));
    if (id < 0 || !m_resource || !m_cache) return;
    if (THolder<CHGESpriteInfo> info = m_resource->GetSpriteInfo(id))
        m_cache->AddToGroup(m_moduleName, info->textureNumber);
}

void CResourceReader::AddTextSpriteIDResource(int id, int duration) {
    if (!m_drawable) return Warn("AddTextSpriteIDResource");
    m_drawable->GetIDResource()->push_back(Key<EParamKind::IDResource>(id, 0, duration));
}

void CResourceReader::AddSndIDResource(int id, int duration) {
    if (!m_sound) return Warn("AddSndIDResource");
    m_sound->GetIDResource()->push_back(Key<EParamKind::IDResource>(id, 0, duration));
}

void CResourceReader::AddLayer(int layer, int duration) {
    const auto key = Key<EParamKind::Layer>(layer, 0, duration);
    if (m_drawable)
        m_drawable->GetLayer()->push_back(key);
    else if (m_particle)
        m_particle->GetLayer()->push_back(key);
    else if (m_clipping)
        m_clipping->GetLayer()->push_back(key);
    else
        Warn("AddLayer");
}

void CResourceReader::AddOffset(int x, int y, int mode, int duration) {
    const auto key =
        Key<EParamKind::Offset>(TPoint<float>(static_cast<float>(x), static_cast<float>(y)), mode, duration);
    if (m_drawable)
        AppendMerged(*m_drawable->GetOffset(), key);
    else if (m_particle)
        AppendMerged(*m_particle->GetOffset(), key);
    else if (m_clipping)
        AppendMerged(*m_clipping->GetOffset(), key);
    else
        Warn("AddOffset");
}

void CResourceReader::AddOpaque(int opaque, int mode, int duration) {
    const auto key = Key<EParamKind::Opaque>(static_cast<float>(opaque / 255.0), mode, duration);
    if (m_drawable)
        AppendMerged(*m_drawable->GetOpaque(), key);
    else if (m_particle)
        AppendMerged(*m_particle->GetOpaque(), key);
    else
        Warn("AddOpaque");
}

void CResourceReader::AddParamSound(int first, int second, int duration) {
    if (!m_sound) return Warn("AddParamSound");
    m_sound->GetParamSound()->push_back(Key<EParamKind::ParamSound>(TPoint<int>(first, second), 0, duration));
}

void CResourceReader::AddParticleCommand(int command, int duration) {
    if (!m_particle) return Warn("AddParticleCommand");
    m_particle->GetParticleCommand()->push_back(Key<EParamKind::ParticleCommand>(command, 0, duration));
}

void CResourceReader::AddParticleID(int id, int duration) {
    if (m_particle) m_particle->GetIDResource()->push_back(Key<EParamKind::IDResource>(id, 0, duration));
}

void CResourceReader::AddParticleIDSprite(int id, int duration) {
    if (!m_particle) return Warn("AddParticleIDSprite");
    m_particle->GetSpriteIDResource()->push_back(Key<EParamKind::IDResource>(id, 0, duration));
}

void CResourceReader::AddRotate(float degrees, int mode, int duration) {
    if (!m_drawable) return Warn("AddRotate");
    const auto radians = static_cast<float>(static_cast<double>(degrees) / 180.0 * kPi);
    AppendMerged(*m_drawable->GetRotate(), Key<EParamKind::Rotate>(radians, mode, duration));
}

void CResourceReader::AddSkew(int, int, int, int) {}

void CResourceReader::AddZoom(int x, int y, int mode, int duration) {
    const auto key = Key<EParamKind::Scale>(
        TPoint<float>(static_cast<float>(x / 100.0), static_cast<float>(y / 100.0)), mode, duration);
    if (m_drawable)
        AppendMerged(*m_drawable->GetScale(), key);
    else if (m_clipping)
        AppendMerged(*m_clipping->GetScale(), key);
    else
        Warn("AddZoom");
}

void CResourceReader::AddParamModifier(int id, int waveform, int count, float min, float max,
                                       float fPeriodMin, float fPeriodMax) {
    if (id == 0) return;
    double low = min;
    double high = max;
    if (id == 1) {  // a rotation, given in degrees
        low /= kDegreesPerRadian;
        high /= kDegreesPerRadian;
    }
    const CParamModifierData modifier{id,
                                      waveform,
                                      count,
                                      static_cast<float>(low),
                                      static_cast<float>(high),
                                      static_cast<float>(fPeriodMin / 1000.0),
                                      static_cast<float>(fPeriodMax / 1000.0)};
    if (m_drawable)
        m_drawable->GetParamModifiers()->push_back(modifier);
    else if (m_particle)
        m_particle->GetParamModifiers()->push_back(modifier);
    else if (m_clipping)
        m_clipping->GetParamModifiers()->push_back(modifier);
}

}  // namespace HGENS
}  // namespace GF
