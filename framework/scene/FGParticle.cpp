#include "framework/scene/FGParticle.h"

#include <string>

#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "framework/scene/Scene.h"

namespace GF {
namespace HGENS {

// --- Free particle system ---

CFGParticle::CFGParticle() {
    ParticleRegistry::Register(TParticlePtr(static_cast<IParticle*>(this)));
}

CFGParticle::~CFGParticle() = default;

THolder<CFGParticle> CFGParticle::Create(const std::string& fileName, const std::string& textureName,
                                         float lifeSeconds, bool removeAtEnd) {
    THolder<CFGParticle> system(new CFGParticle);
    system->Load(fileName.c_str());
    system->ResetEmission();
    system->emitting = true;
    system->lifetime = lifeSeconds;
    system->removeWhenDone = removeAtEnd;
    if (const HTEXTURE handle = GetResourceCache()->GetTexture(textureName)) system->texture = handle;
    return system;
}

bool CFGParticle::QueryInterface(const int& id, void** out) {
    return QueryChildFaces(id, out, this, this, nullptr, this);
}

const std::string& CFGParticle::GetName() {
    static const std::string kName = "particle";
    return kName;
}

void CFGParticle::SetParent(const TAnimationPtr& parent) {
    const TAnimationPtr incoming = parent;  // the argument may be this object's own field
    const TObjectAnimationPtr self(static_cast<IObjectAnimation*>(this));
    if (m_parent) {
        const TAnimationPtr old = m_parent;
        old->RemoveObject(self);
    }
    m_parent = incoming;
    if (m_parent && attachToParent) m_parent->AddObject(self);
}

void CFGParticle::Detach() {
    SetPlaying(false);
    m_parent.Reset();
}

void CFGParticle::LeaveParent() {
    const THolder<CFGParticle> keep(this);  // the parent may hold the last reference
    if (m_parent && attachToParent) {
        const TAnimationPtr old = m_parent;
        old->RemoveObject(TObjectAnimationPtr(static_cast<IObjectAnimation*>(this)));  // calls Detach
    }
    Detach();
}

void CFGParticle::SetPlaying(bool playing) {
    emitting = playing;
    ResetEmission();
}

void CFGParticle::FollowParent() {
    if (!m_parent) {
        const float oldX = m_transform.x, oldY = m_transform.y;
        TTransform reset;
        reset.layer = m_transform.layer;
        reset.x = emitterX;
        reset.y = emitterY;
        if (reset.x != oldX || reset.y != oldY) reset.dirty |= TTransform::kDirtyPosition;
        m_transform = reset;
        return;
    }
    if (!fillParentBox) {
        m_transform = m_parent->GetTransform();
        MoveTo(m_transform.x + offsetX, m_transform.y + offsetY);
        return;
    }
    const TRect box = m_parent->GetBoundingBox();
    if (box == TRect{}) return;
    const float width = static_cast<float>(int64_t{box.right} - box.left);
    const float height = static_cast<float>(int64_t{box.bottom} - box.top);
    MoveTo(static_cast<float>(box.left) + width / 2.0f, static_cast<float>(box.top) + height / 2.0f);
    header.areaHalfWidth = width / 2.0f;
    header.areaHalfHeight = height / 2.0f;
    header.emissionRate = (width / 2.0f) * density * (height / 2.0f);
}

bool CFGParticle::Update(const float& dt) {
    if (startDelay > 0.0f) {
        startDelay -= dt;
        return true;
    }
    const THolder<CFGParticle> keep(this);  // leaving the parent may drop its reference
    if (emitting) FollowParent();
    if (lifetime != -1.0f) {
        lifetime -= dt / 1000.0f;
        if (lifetime <= 0.0f) {
            lifetime = 0.0f;
            emitting = false;
            if (removeWhenDone) LeaveParent();
        }
    }
    CFGParticleImpl::Update(dt / 1000.0f);
    return true;
}

TRect CFGParticle::GetBoundingBox() {
    m_bounds = TRect{};
    return m_bounds;
}

void CFGParticle::SetScene(const THolder<IScene>& scene) {
    JoinScene(scene, TDrawablePtr(static_cast<IDrawable*>(this)));
}

void CFGParticle::SetVisible(bool visible) {
    ChangeVisibility(visible, TDrawablePtr(static_cast<IDrawable*>(this)));
}

// --- Timeline particle object ---

CFGFParticle::CFGFParticle() {
    ParticleRegistry::Register(TParticlePtr(static_cast<IParticle*>(this)));
}

CFGFParticle::~CFGFParticle() {
    m_paramModifier.Reset();
    m_sprite.Reset();
    m_scene.Reset();
    m_parent.Reset();
    m_data.Reset();
}

THolder<IObjectAnimation> CFGFParticle::Make() {
    return THolder<IObjectAnimation>(new CFGFParticle);
}

bool CFGFParticle::QueryInterface(const int& id, void** out) {
    return QueryChildFaces(id, out, this, this, nullptr, this);
}

void CFGFParticle::SetObjectData(const THolder<IObjectData>& description) {
    auto* particle = dynamic_cast<IParticleObjectData*>(description.Get());
    if (description && !particle) return;
    const THolder<IParticleObjectData> incoming(particle);
    RewindTracks(m_blend, m_offset, m_particleID, m_layer, m_opaque, m_particleIDSprite, m_command);
    m_data = incoming;
    if (!m_data) {
        m_paramModifier.Reset();
        return;
    }
    m_blend.Bind(m_data->GetBlend());
    m_offset.Bind(m_data->GetOffset());
    m_particleID.Bind(m_data->GetIDResource());
    m_layer.Bind(m_data->GetLayer());
    m_opaque.Bind(m_data->GetOpaque());
    m_particleIDSprite.Bind(m_data->GetSpriteIDResource());
    m_command.Bind(m_data->GetParticleCommand());
    m_paramModifier = MakeParamModifier(m_data->GetParamModifiers());
}

void CFGFParticle::Detach() {
    m_parent.Reset();
    m_core.emitting = false;
}

void CFGFParticle::ApplyCommand() {
    switch (m_command.GetValue()) {
        case 1:
            m_core.emitting = true;
            break;
        case 2:
            m_core.emitting = false;
            break;
        case 3:
            m_core.emitting = false;
            m_core.active = false;
            break;
        default:
            break;
    }
}

void CFGFParticle::ApplyBlend() {
    const THolder<CHGESprite> sprite = m_sprite ? m_sprite->GetSprite() : THolder<CHGESprite>();
    if (!sprite) return;
    switch (m_blend.GetValue()) {
        case 0:
        case 2:
            sprite->quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND;
            break;
        case 1:
            sprite->quad.blend = BLEND_COLORMUL | BLEND_ALPHAADD;
            break;
        default:
            break;
    }
}

void CFGFParticle::PlayTimeline(const TAnimationPtr& parent) {
    const bool wasPlaying = PlayTracks(parent->GetTime(), m_blend, m_offset, m_particleID, m_layer, m_opaque,
                                       m_particleIDSprite, m_command);
    FollowParentClock(wasPlaying, parent);

    TTransform& r = m_transform;
    r.dirty = 0;
    r.x = m_offset.GetValue().x;
    r.y = m_offset.GetValue().y;
    if (m_offset.IsChanged()) r.dirty |= TTransform::kDirtyPosition;
    r.layer = m_layer.GetValue();
    if (m_layer.IsChanged()) r.dirty |= TTransform::kDirtyLayer;
    r.opacity = m_opaque.GetValue();
    if (m_opaque.IsChanged()) r.dirty |= TTransform::kDirtyOpacity;
    // The modifier wobbles the position, in the parent's frame, while the sprite stays.
    if (!m_particleIDSprite.IsChanged() && m_paramModifier) ApplyParamModifier(*m_paramModifier, r, false);
    r.Combine(parent->GetTransform());
}

bool CFGFParticle::Update(const float&) {
    const THolder<CFGFParticle> keep(this);  // a resource call may reach the parent, which holds us
    const TAnimationPtr parent = m_parent;
    if (parent) {
        PlayTimeline(parent);
        if (m_particleID.IsChanged()) {
            const std::string file = "Particle\\" + std::to_string(m_particleID.GetValue()) + ".PSI";
            m_core.Load(file.c_str());
            m_core.active = true;
        }
        if (m_particleIDSprite.IsChanged()) {
            m_core.active = true;
            if (const THolder<IImage> image = GetResource()->CreateSprite(m_particleIDSprite.GetValue())) {
                m_sprite = image;
                ApplyBlend();
                if (const THolder<CHGESprite> sprite = image->GetSprite()) {
                    sprite->SetHotSpot(image->GetWidth() * 0.5f, image->GetHeight() * 0.5f);
                    m_core.texture = sprite->quad.tex;
                }
                ApplyCommand();
            }
        } else {
            if (m_command.IsChanged()) ApplyCommand();
            if (m_blend.IsChanged()) ApplyBlend();
        }
    } else {
        m_transform.dirty = 0;
    }
    if ((m_transform.dirty & TTransform::kDirtyLayer) && m_scene) m_scene->RequestSort();

    // The object's opacity fades the particles for this update only.
    float* startAlpha = &m_core.header.startColor[3];
    float* endAlpha = &m_core.header.endColor[3];
    const float start = *startAlpha, end = *endAlpha;
    *startAlpha *= m_transform.opacity;
    *endAlpha *= m_transform.opacity;
    m_core.MoveTo(m_transform.x, m_transform.y);
    HGE* hge = hgeCreate(HGE_VERSION);
    const float frame = hge ? hge->Timer_GetDelta() : 0.0f;
    if (hge) hge->Release();
    m_core.Update(frame);
    *startAlpha = start;
    *endAlpha = end;
    return true;
}

void CFGFParticle::SetScene(const THolder<IScene>& scene) {
    JoinScene(scene, TDrawablePtr(static_cast<IDrawable*>(this)));
}

void CFGFParticle::SetVisible(bool visible) {
    ChangeVisibility(visible, TDrawablePtr(static_cast<IDrawable*>(this)));
}

}  // namespace HGENS
}  // namespace GF
