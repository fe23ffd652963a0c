#pragma once
#include <string>
#include <vector>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeColor.h"

namespace GF {

// A container shared through holders: the key lists of object descriptions, the parameter-modifier
// lists, the modules of the resource tables. It is the container itself plus a reference count, so a
// holder reads like the container: list->push_back(key), (*list)[i], list->size().
template <class C>
class CContainerRef : public CRefCount, public C {
public:
    CContainerRef() = default;

    // A new, empty container in its first holder.
    static THolder<CContainerRef> Create() { return THolder<CContainerRef>(new CContainerRef); }
};

// One key of a track: the value that holds from the start of the key, how it moves during the key
// (0 hold, 1 linear ramp towards the next key's value, anything else holds too) and how long the key
// lasts on the owning animation's clock (milliseconds). K only tells the kinds apart.
template <class T, class Time, int K>
struct TParam {
    T value{};
    int mode = 0;
    Time duration{};
};

// The animated properties, by their numbers. Skew has a number but no keys: nothing stores it.
enum class EParamKind : int {
    Flip = 0,
    IDResource = 1,
    Layer = 2,
    Opaque = 3,
    Rotate = 4,
    Hotspot = 5,
    Offset = 6,
    Skew = 7,
    Scale = 8,
    CommandSubstAnimation = 9,
    ActionSound = 10,
    ParticleCommand = 11,
    Color = 12,
    Blend = 13,
    ParamSound = 14,
};

// The value of a CommandSubstAnimation key: which substituted animation plays which of its parts when
// the key is entered. The animation is held by its base and asked for its animation face when the
// command fires; the empty command has neither.
struct CCommandSubst {
    THolder<IBase> animation;
    std::string part;
};

// The value type of each kind that has keys.
template <EParamKind K>
struct TParamKind;
// clang-format off
template <> struct TParamKind<EParamKind::Flip> { using Value = int; };
template <> struct TParamKind<EParamKind::IDResource> { using Value = int; };          // -1 = none
template <> struct TParamKind<EParamKind::Layer> { using Value = int; };
template <> struct TParamKind<EParamKind::Opaque> { using Value = float; };           // 0.0 .. 1.0
template <> struct TParamKind<EParamKind::Rotate> { using Value = float; };           // radians
template <> struct TParamKind<EParamKind::Hotspot> { using Value = TPoint<float>; };  // 1/100 % of size
template <> struct TParamKind<EParamKind::Offset> { using Value = TPoint<float>; };   // pixels
template <> struct TParamKind<EParamKind::Scale> { using Value = TPoint<float>; };    // factors
template <> struct TParamKind<EParamKind::CommandSubstAnimation> { using Value = CCommandSubst; };
template <> struct TParamKind<EParamKind::ActionSound> { using Value = int; };
template <> struct TParamKind<EParamKind::ParticleCommand> { using Value = int; };
template <> struct TParamKind<EParamKind::Color> { using Value = hgeColor; };
template <> struct TParamKind<EParamKind::Blend> { using Value = int; };
template <> struct TParamKind<EParamKind::ParamSound> { using Value = TPoint<int>; };
// clang-format on

template <EParamKind K>
using TKindParam = TParam<typename TParamKind<K>::Value, float, static_cast<int>(K)>;

// The shared key list of one track, in playing order. Every live object made from a description
// plays the description's lists; keys are only appended while the resource tables are filled.
template <EParamKind K>
using TParamList = CContainerRef<std::vector<TKindParam<K>>>;

// A new, empty key list of kind K.
template <EParamKind K>
THolder<TParamList<K>> CreateParamList() {
    return TParamList<K>::Create();
}

using TFlipList = TParamList<EParamKind::Flip>;
using TIDResourceList = TParamList<EParamKind::IDResource>;
using TLayerList = TParamList<EParamKind::Layer>;
using TOpaqueList = TParamList<EParamKind::Opaque>;
using TRotateList = TParamList<EParamKind::Rotate>;
using THotspotList = TParamList<EParamKind::Hotspot>;
using TOffsetList = TParamList<EParamKind::Offset>;
using TScaleList = TParamList<EParamKind::Scale>;
using TCommandSubstList = TParamList<EParamKind::CommandSubstAnimation>;
using TActionSoundList = TParamList<EParamKind::ActionSound>;
using TParticleCommandList = TParamList<EParamKind::ParticleCommand>;
using TColorList = TParamList<EParamKind::Color>;
using TBlendList = TParamList<EParamKind::Blend>;
using TParamSoundList = TParamList<EParamKind::ParamSound>;

}  // namespace GF
