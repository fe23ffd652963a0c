#pragma once
#include <initializer_list>
#include <string>

#include "framework/core/Holder.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"

// Fills a resource manager's tables through its own adding operations, the ones the resource script
// reader calls, with values already in the tables' units (milliseconds, radians, 0..1). Modules and
// animations become current as they are made, and object descriptions join the current animation:
//
//     CResourceBuilder b(*resource);
//     b.Module("main_menu");
//     b.Animation("level_start");
//     b.Part("_show", 0, 1000);
//     auto button = b.Sprite("button");
//     AddKeys(button->GetOffset(), {{{10, 20}, 1, 100}, {{30, 20}, 0, 100}});
class CResourceBuilder {
public:
    explicit CResourceBuilder(GF::HGENS::CResource& resource) : m_resource(resource) {}

    CResourceBuilder& Module(const std::string& name);
    GF::THolder<GF::HGENS::CAnimationData> Animation(const std::string& name);
    CResourceBuilder& Part(const std::string& name, float start, float end, int playMode = 0);

    GF::THolder<GF::HGENS::CSpriteObjectData> Sprite(const std::string& name);
    GF::THolder<GF::HGENS::CTextSpriteObjectData> TextSprite(const std::string& name);
    GF::THolder<GF::HGENS::CClippingObjectData> Clipping();
    GF::THolder<GF::HGENS::CParticleObjectData> Particle();
    GF::THolder<GF::HGENS::CSoundObjectData> Sound(const std::string& name);

    // Each answers the number of the new entry.
    int SpriteInfo(const std::string& name, int texture, float x, float y, float width, float height) {
        return m_resource.AddHGESpriteInfo(name, texture, x, y, width, height);
    }
    int Font(const std::string& name) { return m_resource.AddFont(name); }
    int SoundName(const std::string& name) { return m_resource.AddSoundInfo(name); }
    int TextInfo(const std::string& name, int font, int tracking, int lineSpacing, int alignment, int text) {
        return m_resource.AddTextInfo(name, font, tracking, lineSpacing, alignment, text);
    }

    GF::HGENS::CResource& Resource() { return m_resource; }

private:
    template <class D>
    GF::THolder<D> Add(GF::THolder<D> description);

    GF::HGENS::CResource& m_resource;
    std::string m_module;
    GF::THolder<GF::HGENS::CAnimationData> m_animation;
};

// Appends keys to a shared list (a track, a command list or a parameter-modifier list), as given.
template <class List>
void AddKeys(const GF::THolder<List>& list, std::initializer_list<typename List::value_type> keys) {
    list->insert(list->end(), keys.begin(), keys.end());
}

// Keeps the live-object makers of the process and puts them back when it ends, so that a test can
// install doubles (or none) for the objects descriptions make.
class CObjectMakersScope {
public:
    CObjectMakersScope() : m_saved(GF::GetObjectMakers()) {}
    ~CObjectMakersScope() { GF::GetObjectMakers() = m_saved; }
    CObjectMakersScope(const CObjectMakersScope&) = delete;
    CObjectMakersScope& operator=(const CObjectMakersScope&) = delete;

private:
    GF::TObjectMakers m_saved;
};
