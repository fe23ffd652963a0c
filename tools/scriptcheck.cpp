// Runs the resource script as the game does, into the resource manager's tables, and refuses an
// animation with a picture or a text whose colour keys can never show: a sprite whose blend key is 0
// (or missing) draws its picture's own colours, and a text at blend 0 resets the font to white, so
// the colour of such a key is lost. Each one is named ("module.animation: object"); the check fails
// when there is any, or when the script does not build or run.
// It also refuses a particle system whose sprite cuts a texture that other sprite infos cut too: the
// particles draw their sprite's whole texture, so on a shared sheet every particle would show the
// whole sheet shrunk to its size.
//
//   scriptcheck <resource script>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/core/Holder.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceReader.h"
#include "framework/scene/ParamTrack.h"

namespace {

using GF::EParamKind;

bool White(const hgeColor& colour) {
    return colour.r == 1.0f && colour.g == 1.0f && colour.b == 1.0f;
}

// Whether a key of the colour track tints while the blend key in force is 0. The colour's alpha is
// never used (the opacity gives it), so only a key other than white counts, or a ramp towards one.
bool ColourLost(const GF::IDrawableObjectData& object) {
    using Blends = GF::TParamTrack<EParamKind::Blend>;
    const GF::THolder<GF::TColorList> colours = object.GetColor();
    const GF::THolder<GF::TBlendList> blends = object.GetBlend();
    const float blendLength = Blends::Length(blends.Get());
    float start = 0.0f;
    for (std::size_t i = 0; i < colours->size(); ++i) {
        const auto& key = (*colours)[i];
        const bool rampsToTint = key.mode == 1 && i + 1 < colours->size() && !White((*colours)[i + 1].value);
        if (!White(key.value) || rampsToTint) {
            float spanStart = 0.0f, spanEnd = 0.0f, time = 0.0f;
            const int in = Blends::FindSpan(start, blends.Get(), blendLength, spanStart, spanEnd, time);
            if (in < 0 || (*blends)[static_cast<std::size_t>(in)].value == 0) return true;
        }
        start += key.duration;
    }
    return false;
}

// Whether a sprite info of a particle system cuts a texture that another sprite info cuts as well.
bool ParticleOnSharedTexture(const GF::HGENS::CResource& tables, const GF::IParticleObjectData& particle,
                             int& sprite) {
    const GF::THolder<GF::TIDResourceList> sprites = particle.GetSpriteIDResource();
    for (std::size_t i = 0; sprites && i < sprites->size(); ++i) {
        sprite = (*sprites)[i].value;
        const GF::THolder<GF::HGENS::CHGESpriteInfo> info = tables.GetSpriteInfo(sprite);
        if (!info) continue;
        for (int other = 0; other < tables.GetSpriteInfoCount(); ++other) {
            const GF::THolder<GF::HGENS::CHGESpriteInfo> cut = tables.GetSpriteInfo(other);
            if (other != sprite && cut && cut->textureNumber == info->textureNumber) return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scriptcheck <resource script>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "scriptcheck: %s: cannot open\n", argv[1]);
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    const GF::THolder<GF::HGENS::CResource> tables = GF::MakeHolder<GF::HGENS::CResource>();
    const GF::THolder<GF::HGENS::CResourceReader> reader(new GF::HGENS::CResourceReader(tables.Get()));
    if (!reader->Script().Build(text.data(), static_cast<unsigned>(text.size())) ||
        !reader->RunFillResource()) {
        std::fprintf(stderr, "scriptcheck: %s: the script does not build or run\n", argv[1]);
        return 1;
    }

    int refused = 0;
    for (const std::string& module : tables->GetModuleNames()) {
        for (const std::string& name : tables->GetAnimationDataNames(module)) {
            const GF::THolder<GF::IAnimationData> animation = tables->GetAnimationData(module, name);
            for (int i = 0; animation && i < animation->GetObjectDataCount(); ++i) {
                const GF::THolder<GF::IObjectData> object = animation->GetObjectData(i);
                int sprite = -1;
                const auto* particle = dynamic_cast<const GF::IParticleObjectData*>(object.Get());
                if (particle && ParticleOnSharedTexture(*tables, *particle, sprite)) {
                    // A particle system keeps no name of its own: the animation names it.
                    std::fprintf(stderr,
                                 "scriptcheck: %s.%s: a particle system draws sprite info %d, whose texture "
                                 "other sprite infos share\n",
                                 module.c_str(), name.c_str(), sprite);
                    ++refused;
                }
                const auto* drawable = dynamic_cast<const GF::IDrawableObjectData*>(object.Get());
                if (!drawable || !ColourLost(*drawable)) continue;
                std::fprintf(
                    stderr,
                    "scriptcheck: %s.%s: the colour keys of \"%s\" take no effect without a blend key\n",
                    module.c_str(), name.c_str(), drawable->GetName().c_str());
                ++refused;
            }
        }
    }
    return refused == 0 ? 0 : 1;
}
