#include "game/app/ResourceText.h"

#include "framework/resources/Resource.h"

GF::WString ResourceText(const std::string& key) {
    const GF::THolder<GF::HGENS::CResource> resource = GF::GetResource();
    const GF::WString* text = resource ? resource->GetText(key) : nullptr;
    return text ? *text : GF::WString();
}
