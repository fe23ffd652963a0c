#pragma once
#include "framework/core/Base.h"
#include "framework/scene/Param.h"

namespace GF {

template <EParamKind K>
class TTrackPlayer;

// Reaches a drawable's track players of its transform properties, from which a caller reads the
// current value and whether it changed in this frame. A kind the object does not play answers null,
// the default here (Skew always does: no keys of it exist).
class IPropertiesTransform : public virtual IBase {
public:
    using TOffsetPlayer = TTrackPlayer<EParamKind::Offset>;
    using THotspotPlayer = TTrackPlayer<EParamKind::Hotspot>;
    using TSkewPlayer = TTrackPlayer<EParamKind::Skew>;
    using TLayerPlayer = TTrackPlayer<EParamKind::Layer>;
    using TOpaquePlayer = TTrackPlayer<EParamKind::Opaque>;
    using TRotatePlayer = TTrackPlayer<EParamKind::Rotate>;
    using TScalePlayer = TTrackPlayer<EParamKind::Scale>;

    virtual TOffsetPlayer* Offset() { return nullptr; }
    virtual const TOffsetPlayer* Offset() const { return nullptr; }
    virtual THotspotPlayer* Hotspot() { return nullptr; }
    virtual const THotspotPlayer* Hotspot() const { return nullptr; }
    virtual TSkewPlayer* Skew() { return nullptr; }
    virtual const TSkewPlayer* Skew() const { return nullptr; }
    virtual TLayerPlayer* Layer() { return nullptr; }
    virtual const TLayerPlayer* Layer() const { return nullptr; }
    virtual TOpaquePlayer* Opaque() { return nullptr; }
    virtual const TOpaquePlayer* Opaque() const { return nullptr; }
    virtual TRotatePlayer* Rotate() { return nullptr; }
    virtual const TRotatePlayer* Rotate() const { return nullptr; }
    virtual TScalePlayer* Scale() { return nullptr; }
    virtual const TScalePlayer* Scale() const { return nullptr; }
};

}  // namespace GF
