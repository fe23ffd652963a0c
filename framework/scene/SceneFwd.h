#pragma once
#include "framework/core/Base.h"

namespace GF {

// The faces of the scene layer, declared ahead so that interfaces that name each other (an
// animation and its children, a drawable and its scene) can be included in any order.
class IAnimation;
class IObjectAnimation;
class IDrawable;
class ISound;
class ISubstitutedContainer;
class IPropertiesTransform;
class ISprite;
class ITextSprite;
class IScene;
class IAnimationData;
class IObjectData;
namespace HGENS {
class IParticle;
}

// The interface pointers the scene layer passes around, each bound to its interface number.
using TAnimationPtr = TSmartIPtr<IAnimation, kIdAnimation>;
using TObjectAnimationPtr = TSmartIPtr<IObjectAnimation, kIdObjectAnimation>;
using TDrawablePtr = TSmartIPtr<IDrawable, kIdDrawable>;
using TSoundPtr = TSmartIPtr<ISound, kIdSound>;
using TSubstitutedContainerPtr = TSmartIPtr<ISubstitutedContainer, kIdSubstitutedContainer>;
using TSpritePtr = TSmartIPtr<ISprite, kIdSprite>;
using TTextSpritePtr = TSmartIPtr<ITextSprite, kIdTextSprite>;
using TParticlePtr = TSmartIPtr<HGENS::IParticle, kIdParticle>;

}  // namespace GF
