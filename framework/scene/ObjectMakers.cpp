#include "framework/scene/ObjectMakers.h"

#include "framework/resources/ObjectData.h"
#include "framework/scene/AnimationObject.h"
#include "framework/scene/Clipping.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/SoundObject.h"
#include "framework/scene/SpriteObject.h"
#include "framework/scene/TextSpriteObject.h"

namespace GF {
namespace HGENS {

void InstallSceneObjectMakers() {
    TObjectMakers& makers = GetObjectMakers();
    makers.animation = &CAnimationObject::Make;
    makers.sprite = &CSpriteObject::Make;
    makers.textSprite = &CTextSpriteObject::Make;
    makers.clipping = &CClipping::Make;
    makers.particle = &CFGFParticle::Make;
    makers.sound = &CSoundObject::Make;
}

}  // namespace HGENS
}  // namespace GF
