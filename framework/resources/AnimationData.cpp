#include "framework/resources/AnimationData.h"

#include <cstring>

#include "engine/Hge.h"
#include "framework/scene/IAnimation.h"

namespace GF {
namespace HGENS {

THolder<IAnimation> CAnimationData::CreateAnimation() {
    auto maker = GetObjectMakers().animation;
    if (!maker) {
        HGE* hge = hgeCreate(HGE_VERSION);
        hge->System_Log("Can't create animation \"%s\": no maker installed", m_name.c_str());
        hge->Release();
        return {};
    }
    THolder<IAnimation> animation = maker();
    if (animation) animation->SetAnimationData(THolder<IAnimationData>(this));
    return animation;
}

THolder<INamedPart> CAnimationData::GetNamedPart(const char* name) const {
    if (!name) return {};
    for (const auto& part : m_parts)
        if (std::strcmp(part->GetName(), name) == 0) return part;
    return {};
}

THolder<IObjectData> CAnimationData::GetObjectData(int index) const {
    if (index >= 0 && index < GetObjectDataCount()) return m_objects[index];
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_Log("Animation \"%s\": no object description %d (it has %d)", m_name.c_str(), index,
                    GetObjectDataCount());
    hge->Release();
    return {};
}

void CAnimationData::AddNamedPart(const THolder<INamedPart>& part) {
    if (part) m_parts.push_back(part);
}

void CAnimationData::AddObjectData(const THolder<IObjectData>& object) {
    if (object) m_objects.push_back(object);
}

}  // namespace HGENS
}  // namespace GF
