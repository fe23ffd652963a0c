#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/ScriptEngine.h"

namespace GF {
namespace HGENS {

class CResource;
class CResourceCache;
class CAnimationData;
class CDrawableObjectData;
class CSoundObjectData;
class CParticleObjectData;
class CClippingObjectData;

// What the resource script talks to: the script type `CResourceReader`, whose methods fill the
// resource manager's tables. It keeps the current module, animation description and object
// description, so that each call adds to what the calls before it created. A call whose target the
// script has not created yet (a key before any sprite, an object before any animation) is logged and
// ignored. It lives for one run of the script and owns the script engine of that run.
class CResourceReader : public CRefCount {
public:
    // The byte code and the source of the resource script, looked up through the engine's resource
    // loader; the byte code is written to the program's data folder, where the loader finds it next.
    static constexpr const char* kByteCodeName = "Animation\\effects.bs";
    static constexpr const char* kSourceName = "Animation\\effects.as";
    static constexpr const char* kEntry = "void FillResource(CResourceReader@)";

    // resource: the manager to fill; none when the reader only compiles.
    explicit CResourceReader(CResource* resource);
    ~CResourceReader() override;

    // The script engine with the `string` and `CResourceReader` types registered.
    CScriptEngine& Script() { return *m_script; }

    // Loads the module "animation" from the byte code when this build wrote it for the source beside
    // it; otherwise builds it from the source and, when the build succeeds, saves its byte code.
    bool BuildModule();
    // Runs the script's FillResource with this reader.
    bool RunFillResource();

    // The script's methods.
    void AddFont(const std::string& name);
    void AddHGESpriteInfo(const std::string& name, int texture, float x, float y, float width, float height);
    void AddNamedPart(const std::string& name, int start, int end, int playMode);
    void AddSoundInfo(const std::string& name);
    void AddSubstAnimation(const std::string& first, const std::string& second);
    void AddTextFile(const std::string& name);
    void AddTextInfo(const std::string& name, int font, int tracking, int lineSpacing, int alignment,
                     int text);
    void AddTexture(const std::string& name);
    void CreateAnimationData(const std::string& name);
    void CreateClippingObjectData(const std::string& name);
    void CreateModule(const std::string& name);
    void CreateParticleSystem(const std::string& name);
    void CreateSoundObjectData(const std::string& name);
    void CreateSpriteObjectData(const std::string& name);
    void CreateTextSpriteObjectData(const std::string& name);
    void AddActionSound(int sound, int duration);
    void AddColor(int alpha, int red, int green, int blue, int mode, int duration);
    void AddBlendMode(int blend, int duration);
    void AddCommandSubstAnimation(const std::string& animation, int time);
    void AddFlip(int flip, int duration);
    void AddHotspot(int x, int y, int mode, int duration);
    void AddSpriteIDResource(int id, int duration);
    void AddTextSpriteIDResource(int id, int duration);
    void AddSndIDResource(int id, int duration);
    void AddLayer(int layer, int duration);
    void AddOffset(int x, int y, int mode, int duration);
    void AddOpaque(int opaque, int mode, int duration);
    void AddParamSound(int first, int second, int duration);
    void AddParticleCommand(int command, int duration);
    void AddParticleID(int id, int duration);
    void AddParticleIDSprite(int id, int duration);
    void AddRotate(float degrees, int mode, int duration);
    void AddSkew(int x, int y, int mode, int duration);
    void AddZoom(int x, int y, int mode, int duration);
    void AddParamModifier(int id, int waveform, int count, float min, float max, float fPeriodMin,
                          float fPeriodMax);

private:
    bool RegisterInterface();
    // Writes the byte code of the module built from source where the next start finds it.
    void SaveByteCode(std::string_view source);
    void ClearObjects();
    // A new object description of the current animation, after the current ones are cleared; none
    // (logged under the method's name) without a current animation.
    template <class T, class... Args>
    T* AddObject(const char* method, Args&&... args);
    // Logs "Warning: CResourceReader::<method>" for a call whose target is missing.
    void Warn(const char* method);

    CResource* m_resource;
    std::string m_moduleName;
    CAnimationData* m_animation = nullptr;
    CDrawableObjectData* m_drawable = nullptr;
    CSoundObjectData* m_sound = nullptr;
    CParticleObjectData* m_particle = nullptr;
    CClippingObjectData* m_clipping = nullptr;
    std::unique_ptr<CScriptEngine> m_script;
    THolder<CResourceCache> m_cache;  // where textures are registered; none when only compiling
    HGE* m_hge;
};

// The resource manager's script step: loads or builds the resource script and runs its FillResource
// into the manager's tables. Installed as the manager's script loader.
void LoadResourceScript(CResource& resource);

}  // namespace HGENS
}  // namespace GF
