#pragma once
#include "framework/core/Base.h"
#include "framework/scene/Param.h"

namespace GF {

template <EParamKind K>
class TTrackPlayer;

// Reaches a drawable's track players of its transform properties, from which a caller reads the
// current value and whether it changed in this frame. A kind the object does not play answers null
// (Skew always does: no keys of it exist).
class IPropertiesTransform : public virtual IBase {
public:
    using TOffsetPlayer = TTrackPlayer<EParamKind::Offset>;
    using THotspotPlayer = TTrackPlayer<EParamKind::Hotspot>;
    using TSkewPlayer = TTrackPlayer<EParamKind::Skew>;
    using TLayerPlayer = TTrackPlayer<EParamKind::Layer>;
    using TOpaquePlayer = TTrackPlayer<EParamKind::Opaque>;
    using TRotatePlayer = TTrackPlayer<EParamKind::Rotate>;
    using TScalePlayer = TTrackPlayer<EParamKind::Scale>;

    virtual TOffsetPlayer* Offset() = 0;
    virtual const TOffsetPlayer* Offset() const = 0;
    virtual THotspotPlayer* Hotspot() = 0;
    virtual const THotspotPlayer* Hotspot() const = 0;
    virtual TSkewPlayer* Skew() = 0;
    virtual const TSkewPlayer* Skew() const = 0;
    virtual TLayerPlayer* Layer() = 0;
    virtual const TLayerPlayer* Layer() const = 0;
    virtual TOpaquePlayer* Opaque() = 0;
    virtual const TOpaquePlayer* Opaque() const = 0;
    virtual TRotatePlayer* Rotate() = 0;
    virtual const TRotatePlayer* Rotate() const = 0;
    virtual TScalePlayer* Scale() = 0;
    virtual const TScalePlayer* Scale() const = 0;
};

}  // namespace GF
