#include "framework/resources/ObjectData.h"

#include "engine/Hge.h"
#include "framework/resources/TextTable.h"

namespace GF {

TObjectMakers& GetObjectMakers() {
    static TObjectMakers makers;
    return makers;
}

namespace HGENS {

namespace {

const WString kNoText;

// Runs the installed maker with a holder of the description, or logs that the kind has none.
template <class I, class D>
THolder<IBase> MakeObject(THolder<IBase> (*maker)(const THolder<I>&), D* description, const char* kind) {
    if (maker) return maker(THolder<I>(description));
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Can't create %s \"%s\": no maker installed", kind, description->GetName().c_str());
    hge->Release();
    return {};
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

THolder<IBase> CSpriteObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().sprite, this, "sprite");
}

THolder<IBase> CTextSpriteObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().textSprite, this, "text sprite");
}

THolder<IBase> CClippingObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().clipping, this, "clipping");
}

THolder<IBase> CParticleObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().particle, this, "particle");
}

THolder<IBase> CSoundObjectData::CreateObject() {
    return MakeObject(GetObjectMakers().sound, this, "sound");
}

}  // namespace HGENS
}  // namespace GF
