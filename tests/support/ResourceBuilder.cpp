#include "tests/support/ResourceBuilder.h"

#include <gtest/gtest.h>

using namespace GF;
using namespace GF::HGENS;

CResourceBuilder& CResourceBuilder::Module(const std::string& name) {
    m_resource.CreateModule(name);
    m_module = name;
    m_animation.Reset();
    return *this;
}

THolder<CAnimationData> CResourceBuilder::Animation(const std::string& name) {
    m_animation = m_resource.CreateAnimationData(m_module, name);
    EXPECT_TRUE(m_animation) << "CResourceBuilder: Animation(\"" << name << "\") before any Module";
    return m_animation;
}

CResourceBuilder& CResourceBuilder::Part(const std::string& name, float start, float end, int playMode) {
    EXPECT_TRUE(m_animation) << "CResourceBuilder: Part(\"" << name << "\") before any Animation";
    if (m_animation) m_animation->AddNamedPart(MakeHolder<CNamedPart>(start, end, playMode, name));
    return *this;
}

template <class D>
THolder<D> CResourceBuilder::Add(THolder<D> description) {
    EXPECT_TRUE(m_animation) << "CResourceBuilder: an object description before any Animation";
    if (m_animation) m_animation->AddObjectData(description);
    return description;
}

THolder<CSpriteObjectData> CResourceBuilder::Sprite(const std::string& name) {
    return Add(MakeHolder<CSpriteObjectData>(name));
}

THolder<CTextSpriteObjectData> CResourceBuilder::TextSprite(const std::string& name) {
    return Add(MakeHolder<CTextSpriteObjectData>(name));
}

THolder<CClippingObjectData> CResourceBuilder::Clipping() {
    return Add(MakeHolder<CClippingObjectData>());
}

THolder<CParticleObjectData> CResourceBuilder::Particle() {
    return Add(MakeHolder<CParticleObjectData>());
}

THolder<CSoundObjectData> CResourceBuilder::Sound(const std::string& name) {
    return Add(MakeHolder<CSoundObjectData>(name));
}
