#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/core/WString.h"
#include "framework/scene/Modifier.h"
#include "framework/scene/Param.h"
#include "framework/scene/SceneFwd.h"

namespace GF {

// One entry of a drawable's command list: after `time` milliseconds of the previous entry, the
// substituted animation `name` ("anim" or "anim.part") plays. The drawable turns the entries into
// CommandSubstAnimation keys once it knows its substituted animations.
struct CCommandSubstAnimation {
    float time = 0.0f;
    std::string name;
};
using TCommandSubstAnimationList = CContainerRef<std::vector<CCommandSubstAnimation>>;

// A named time range of an animation description, with the repeat count used when the caller of
// Play gives none.
class INamedPart : public CRefCount {
public:
    virtual float GetStart() const = 0;
    virtual float GetEnd() const = 0;
    virtual int GetPlayMode() const = 0;
    virtual const char* GetName() const = 0;
};

// An animation substituted into a drawable, by module and name.
class ISubstAnimationDescription : public CRefCount {
public:
    virtual const std::string& GetFirstName() const = 0;
    virtual const std::string& GetSecondName() const = 0;
};

// How a text sprite shows its text: font, spacing, alignment and which text of the text table.
class ITextDescrition : public CRefCount {
public:
    virtual int GetHorizontalAlign() const = 0;  // 0 left, 1 centre, 2 right
    virtual int GetVerticalAlign() const = 0;    // 0x10, 0x20 or 0 (the text sprite tells)
    virtual int GetFontNumber() const = 0;
    virtual int GetFontTracking() const = 0;
    virtual int GetFontLineSpacing() const = 0;
    virtual const char* GetName() const = 0;
    // The text at the description's text number in the text table; the empty text (logged) when the
    // number lies outside the table.
    virtual const WString& GetText() const = 0;
};

// The static, shared part of one child of an animation: its name, its kind and one shared key list
// per animated property. Every live object made from it plays the same lists with its own clock.
// Accessors hand out holders to the lists themselves, never copies; a new description has every
// list, empty.
class IObjectData : public CRefCount {
public:
    // A new live object of this description's kind, bound to it (its SetObjectData); empty (logged)
    // when no maker for the kind is installed.
    virtual THolder<IObjectAnimation> CreateObject() = 0;
    virtual const std::string& GetName() const = 0;
    virtual THolder<TIDResourceList> GetIDResource() const = 0;
};

class IDrawableObjectData : public IObjectData {
public:
    // The substitution at the index; empty (logged) when the index is not below the count.
    virtual THolder<ISubstAnimationDescription> GetSubstAnimation(int index) const = 0;
    virtual int GetSubstAnimationCount() const = 0;
    virtual THolder<TColorList> GetColor() const = 0;
    virtual THolder<TBlendList> GetBlend() const = 0;
    virtual THolder<TFlipList> GetFlip() const = 0;
    virtual THolder<THotspotList> GetHotspot() const = 0;
    virtual THolder<TOffsetList> GetOffset() const = 0;
    virtual THolder<TLayerList> GetLayer() const = 0;
    virtual THolder<TOpaqueList> GetOpaque() const = 0;
    virtual THolder<TRotateList> GetRotate() const = 0;
    virtual THolder<TScaleList> GetScale() const = 0;
    virtual THolder<TParamModifierList> GetParamModifiers() const = 0;
    virtual THolder<TCommandSubstAnimationList> GetCommandSubstAnimations() const = 0;
};

class IClippingObjectData : public IObjectData {
public:
    virtual THolder<TOffsetList> GetOffset() const = 0;
    virtual THolder<TLayerList> GetLayer() const = 0;
    virtual THolder<THotspotList> GetHotspot() const = 0;
    virtual THolder<TScaleList> GetScale() const = 0;
    virtual THolder<TParamModifierList> GetParamModifiers() const = 0;
};

class IParticleObjectData : public IObjectData {
public:
    virtual THolder<TBlendList> GetBlend() const = 0;
    virtual THolder<TOffsetList> GetOffset() const = 0;
    virtual THolder<TLayerList> GetLayer() const = 0;
    virtual THolder<TOpaqueList> GetOpaque() const = 0;
    virtual THolder<TParticleCommandList> GetParticleCommand() const = 0;
    // The sprite-info number of the particles' picture (IDResource is the particle file).
    virtual THolder<TIDResourceList> GetSpriteIDResource() const = 0;
    virtual THolder<TParamModifierList> GetParamModifiers() const = 0;
};

class ISoundObjectData : public IObjectData {
public:
    virtual THolder<TActionSoundList> GetActionSound() const = 0;
    virtual THolder<TParamSoundList> GetParamSound() const = 0;
};

// How live objects come out of descriptions: a maker makes a new, unbound object of its kind, and
// the description binds it. The live classes (animation, sprite, text sprite, clipping, particle and
// sound objects) install their makers at start-up; tests install doubles.
struct TObjectMakers {
    THolder<IAnimation> (*animation)() = nullptr;
    THolder<IObjectAnimation> (*sprite)() = nullptr;
    THolder<IObjectAnimation> (*textSprite)() = nullptr;
    THolder<IObjectAnimation> (*clipping)() = nullptr;
    THolder<IObjectAnimation> (*particle)() = nullptr;
    THolder<IObjectAnimation> (*sound)() = nullptr;
};
TObjectMakers& GetObjectMakers();

namespace HGENS {

// A picture cut from a texture: what "CreateSprite" builds an engine sprite from.
class CHGESpriteInfo : public CRefCount {
public:
    CHGESpriteInfo() = default;
    CHGESpriteInfo(std::string infoName, int texture, float px, float py, float w, float h)
        : name(std::move(infoName)), textureNumber(texture), x(px), y(py), width(w), height(h) {}

    std::string name;
    int textureNumber = -1;
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;  // source rectangle in pixels
};

class CNamedPart : public INamedPart {
public:
    CNamedPart(float start, float end, int playMode, std::string name)
        : m_start(start), m_end(end), m_playMode(playMode), m_name(std::move(name)) {}

    float GetStart() const override { return m_start; }
    float GetEnd() const override { return m_end; }
    int GetPlayMode() const override { return m_playMode; }
    const char* GetName() const override { return m_name.c_str(); }

private:
    float m_start;
    float m_end;
    int m_playMode;
    std::string m_name;
};

class CSubstAnimationDescription : public ISubstAnimationDescription {
public:
    CSubstAnimationDescription(std::string first, std::string second)
        : m_first(std::move(first)), m_second(std::move(second)) {}

    const std::string& GetFirstName() const override { return m_first; }
    const std::string& GetSecondName() const override { return m_second; }

private:
    std::string m_first;
    std::string m_second;
};

class CTextDescription : public ITextDescrition {
public:
    CTextDescription(std::string name, int fontNumber, int tracking, int lineSpacing, int alignment,
                     int textNumber)
        : m_fontNumber(fontNumber),
          m_tracking(tracking),
          m_lineSpacing(lineSpacing),
          m_alignment(alignment),
          m_name(std::move(name)),
          m_textNumber(textNumber) {}

    int GetHorizontalAlign() const override { return m_alignment & 0x0F; }
    int GetVerticalAlign() const override { return m_alignment & 0xF0; }
    int GetFontNumber() const override { return m_fontNumber; }
    int GetFontTracking() const override { return m_tracking; }
    int GetFontLineSpacing() const override { return m_lineSpacing; }
    const char* GetName() const override { return m_name.c_str(); }
    const WString& GetText() const override;

private:
    int m_fontNumber;
    int m_tracking;
    int m_lineSpacing;
    int m_alignment;
    std::string m_name;
    int m_textNumber;
};

// The part every object description has: its name (empty for clippings and particles) and the track
// of the resource it shows.
class CObjectData {
public:
    explicit CObjectData(std::string name) : m_name(std::move(name)) {}
    virtual ~CObjectData() = default;

protected:
    std::string m_name;
    THolder<TIDResourceList> m_idResource = CreateParamList<EParamKind::IDResource>();
};

// The common part joined to a description's interface, which it answers the name and IDResource of.
template <class I>
class TObjectData : public I, public CObjectData {
public:
    using CObjectData::CObjectData;

    const std::string& GetName() const override { return m_name; }
    THolder<TIDResourceList> GetIDResource() const override { return m_idResource; }
};

// The description of a sprite or text sprite: tracks for every drawable property, the animations
// substituted into it, its substitution commands and its parameter modifiers.
class CDrawableObjectData : public TObjectData<IDrawableObjectData> {
public:
    using TObjectData::TObjectData;

    THolder<ISubstAnimationDescription> GetSubstAnimation(int index) const override;
    int GetSubstAnimationCount() const override { return static_cast<int>(m_substitutions.size()); }
    THolder<TColorList> GetColor() const override { return m_color; }
    THolder<TBlendList> GetBlend() const override { return m_blend; }
    THolder<TFlipList> GetFlip() const override { return m_flip; }
    THolder<THotspotList> GetHotspot() const override { return m_hotspot; }
    THolder<TOffsetList> GetOffset() const override { return m_offset; }
    THolder<TLayerList> GetLayer() const override { return m_layer; }
    THolder<TOpaqueList> GetOpaque() const override { return m_opaque; }
    THolder<TRotateList> GetRotate() const override { return m_rotate; }
    THolder<TScaleList> GetScale() const override { return m_scale; }
    THolder<TParamModifierList> GetParamModifiers() const override { return m_modifiers; }
    THolder<TCommandSubstAnimationList> GetCommandSubstAnimations() const override { return m_commands; }

    void AddSubstAnimation(const THolder<ISubstAnimationDescription>& substitution);

private:
    std::vector<THolder<ISubstAnimationDescription>> m_substitutions;
    THolder<TColorList> m_color = CreateParamList<EParamKind::Color>();
    THolder<TBlendList> m_blend = CreateParamList<EParamKind::Blend>();
    THolder<TFlipList> m_flip = CreateParamList<EParamKind::Flip>();
    THolder<THotspotList> m_hotspot = CreateParamList<EParamKind::Hotspot>();
    THolder<TOffsetList> m_offset = CreateParamList<EParamKind::Offset>();
    THolder<TLayerList> m_layer = CreateParamList<EParamKind::Layer>();
    THolder<TOpaqueList> m_opaque = CreateParamList<EParamKind::Opaque>();
    THolder<TRotateList> m_rotate = CreateParamList<EParamKind::Rotate>();
    THolder<TScaleList> m_scale = CreateParamList<EParamKind::Scale>();
    THolder<TCommandSubstAnimationList> m_commands = TCommandSubstAnimationList::Create();
    THolder<TParamModifierList> m_modifiers = TParamModifierList::Create();
};

class CSpriteObjectData : public CDrawableObjectData {
public:
    using CDrawableObjectData::CDrawableObjectData;
    THolder<IObjectAnimation> CreateObject() override;
};

class CTextSpriteObjectData : public CDrawableObjectData {
public:
    using CDrawableObjectData::CDrawableObjectData;
    THolder<IObjectAnimation> CreateObject() override;
};

class CClippingObjectData : public TObjectData<IClippingObjectData> {
public:
    CClippingObjectData() : TObjectData(std::string()) {}

    THolder<IObjectAnimation> CreateObject() override;
    THolder<TOffsetList> GetOffset() const override { return m_offset; }
    THolder<TLayerList> GetLayer() const override { return m_layer; }
    THolder<THotspotList> GetHotspot() const override { return m_hotspot; }
    THolder<TScaleList> GetScale() const override { return m_scale; }
    THolder<TParamModifierList> GetParamModifiers() const override { return m_modifiers; }

private:
    THolder<TOffsetList> m_offset = CreateParamList<EParamKind::Offset>();
    THolder<TLayerList> m_layer = CreateParamList<EParamKind::Layer>();
    THolder<THotspotList> m_hotspot = CreateParamList<EParamKind::Hotspot>();
    THolder<TScaleList> m_scale = CreateParamList<EParamKind::Scale>();
    THolder<TParamModifierList> m_modifiers = TParamModifierList::Create();
};

class CParticleObjectData : public TObjectData<IParticleObjectData> {
public:
    CParticleObjectData() : TObjectData(std::string()) {}

    THolder<IObjectAnimation> CreateObject() override;
    THolder<TBlendList> GetBlend() const override { return m_blend; }
    THolder<TOffsetList> GetOffset() const override { return m_offset; }
    THolder<TLayerList> GetLayer() const override { return m_layer; }
    THolder<TOpaqueList> GetOpaque() const override { return m_opaque; }
    THolder<TParticleCommandList> GetParticleCommand() const override { return m_command; }
    THolder<TIDResourceList> GetSpriteIDResource() const override { return m_spriteIDResource; }
    THolder<TParamModifierList> GetParamModifiers() const override { return m_modifiers; }

private:
    THolder<TBlendList> m_blend = CreateParamList<EParamKind::Blend>();
    THolder<TOffsetList> m_offset = CreateParamList<EParamKind::Offset>();
    THolder<TLayerList> m_layer = CreateParamList<EParamKind::Layer>();
    THolder<TOpaqueList> m_opaque = CreateParamList<EParamKind::Opaque>();
    THolder<TParticleCommandList> m_command = CreateParamList<EParamKind::ParticleCommand>();
    THolder<TIDResourceList> m_spriteIDResource = CreateParamList<EParamKind::IDResource>();
    THolder<TParamModifierList> m_modifiers = TParamModifierList::Create();
};

class CSoundObjectData : public TObjectData<ISoundObjectData> {
public:
    using TObjectData::TObjectData;

    THolder<IObjectAnimation> CreateObject() override;
    THolder<TActionSoundList> GetActionSound() const override { return m_action; }
    THolder<TParamSoundList> GetParamSound() const override { return m_param; }

private:
    THolder<TActionSoundList> m_action = CreateParamList<EParamKind::ActionSound>();
    THolder<TParamSoundList> m_param = CreateParamList<EParamKind::ParamSound>();
};

}  // namespace HGENS
}  // namespace GF
