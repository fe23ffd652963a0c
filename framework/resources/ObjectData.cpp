#include "framework/resources/ObjectData.h"

#include "engine/Hge.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/IObjectAnimation.h"

namespace GF {

TObjectMakers& GetObjectMakers() {
    static TObjectMakers makers;
    return makers;
}

namespace HGENS {

namespace {

const WString kNoText;

// A new object of the kind from its maker, bound to the description; empty (logged) without a maker.
THolder<IObjectAnimation> MakeObject(THolder<IObjectAnimation> (*maker)(), IObjectData* description,
                                     const char* kind) {
    if (!maker) {
        HGE* hge = hgeCreate(HGE_VERSION);
        hge->System_Log("Can't create %s \"%s\": no maker installed", kind, description->GetName().c_str());
        hge->Release();
        return {};
    }
    THolder<IObjectAnimation> object = maker();
    if (object) object->SetObjectData(THolder<IObjectData>(description));
    return object;
}

}  // namespace

const WString& CTextDescription::GetText() const {
    const WString* text = CTextTable::Instance().TextAt(m_textNumber);
    if (text) return *text;
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Text description \"%s\": text number %d is outside the text table", m_name.c_str(),
                    m_textNumber);
    hge->Release();
    return kNoText;
}

THolder<ISubstAnimationDescription> CDrawableObjectData::GetSubstAnimation(int index) const {
    if (index >= 0 && index < GetSubstAnimationCount()) return m_substitutions[index];
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Description \"%s\": no substitution %d (it has %d)", m_name.c_str(), index,
                    GetSubstAnimationCount());
    hge->Release();
    return {};
}

void CDrawableObjectData::AddSubstAnimation(const THolder<ISubstAnimationDescription>& substitution) {
    if (substitution) m_substitutions.push_back(substitution);
}

THolder<IObjectAnimation> CSpriteObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().sprite, this, "sprite");
}

THolder<IObjectAnimation> CTextSpriteObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().textSprite, this, "text sprite");
}

THolder<IObjectAnimation> CClippingObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().clipping, this, "clipping");
}

THolder<IObjectAnimation> CParticleObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().particle, this, "particle");
}

THolder<IObjectAnimation> CSoundObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().sound, this, "sound");
}

}  // namespace HGENS
}  // namespace GF
