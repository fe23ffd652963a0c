#include "framework/scene/DrawableAbstract.h"

#include <cmath>
#include <limits>
#include <utility>

#include "engine/Hge.h"
#include "framework/resources/AnimationData.h"
#include "framework/resources/Resource.h"
#include "framework/scene/AnimationObject.h"

namespace GF {

TPoint<float> InverseTransformPoint(const TTransform& t, const TPoint<float>& point) {
    const float dx = point.x - t.x;
    const float dy = point.y - t.y;
    const float rx = dx * t.cos + dy * t.sin;
    const float ry = dy * t.cos - dx * t.sin;
    constexpr float kFar = std::numeric_limits<float>::infinity();
    return {t.scaleX != 0.0f ? rx / t.scaleX : kFar, t.scaleY != 0.0f ? ry / t.scaleY : kFar};
}

THolder<IParamModifier> MakeParamModifier(const THolder<TParamModifierList>& records) {
    if (!records || records->empty()) return {};
    THolder<IParamModifier> modifier = HGENS::CParamModifier::Create();
    modifier->SetData(records);
    return modifier;
}

void ApplyParamModifier(IParamModifier& modifier, TTransform& t, bool withRotation) {
    HGE* hge = hgeCreate(HGE_VERSION);
    const float dt = hge->Timer_GetDelta();
    hge->Release();
    modifier.Update(dt);
    const float x = t.x + modifier.GetValue(2);
    const float y = t.y + modifier.GetValue(3);
    if (x != t.x || y != t.y) {
        t.x = x;
        t.y = y;
        t.dirty |= TTransform::kDirtyPosition;
    }
    if (!withRotation) return;
    const float angle = t.angle + modifier.GetValue(1);
    if (angle != t.angle) {
        t.angle = angle;
        t.sin = std::sin(angle);
        t.cos = std::cos(angle);
        t.dirty |= TTransform::kDirtyRotation;
    }
}

bool QueryChildFaces(const int& id, void** out, IObjectAnimation* timeline, IDrawable* drawable,
                     ISubstitutedContainer* container, HGENS::IParticle* particle) {
    switch (id) {
        case kIdBase:
            *out = static_cast<IBase*>(timeline);
            break;
        case kIdObjectAnimation:
            *out = timeline;
            break;
        case kIdDrawable:
            *out = drawable;
            break;
        case kIdSubstitutedContainer:
            *out = container;
            break;
        case kIdParticle:
            *out = particle;
            break;
        default:
            *out = nullptr;
            break;
    }
    if (!*out) return false;
    timeline->AddRef();
    return true;
}

void CSceneMembership::JoinScene(const THolder<IScene>& scene, const TDrawablePtr& self, bool evenHidden) {
    const THolder<IScene> incoming = scene;  // the argument may be this object's own holder
    const THolder<IScene> old = m_scene;
    const bool listed = m_visible || evenHidden;
    if (old && listed) old->RemoveDrawable(self);
    m_scene = incoming;
    if (incoming && listed) incoming->AddDrawable(self);
}

bool CSceneMembership::ChangeVisibility(bool visible, const TDrawablePtr& self) {
    if (visible == m_visible) return false;
    m_visible = visible;
    if (m_scene) {
        const THolder<IScene> scene = m_scene;
        if (visible)
            scene->AddDrawable(self);
        else
            scene->RemoveDrawable(self);
    }
    return true;
}

CDrawableAbstract::~CDrawableAbstract() {
    m_paramModifier.Reset();
    m_substituted.clear();
    m_scene.Reset();
    m_parent.Reset();
    m_data.Reset();
}

// --- Description and tracks ---

void CDrawableAbstract::SetObjectData(const THolder<IObjectData>& description) {
    auto* drawable = dynamic_cast<IDrawableObjectData*>(description.Get());
    if (description && !drawable) return;
    const THolder<IDrawableObjectData> incoming(drawable);

    // Blend and Color keep their lists until they are bound again.
    RewindTracks(m_offset, m_hotspot, m_idResource, m_layer, m_opaque, m_rotate, m_scale, m_commandSubst);
    DestroySubstituted();
    m_substituted.clear();
    m_data = incoming;
    if (!m_data) {
        m_paramModifier.Reset();
        return;
    }

    m_blend.Bind(m_data->GetBlend());
    m_color.Bind(m_data->GetColor());
    m_offset.Bind(m_data->GetOffset());
    m_hotspot.Bind(m_data->GetHotspot());
    m_idResource.Bind(m_data->GetIDResource());
    m_layer.Bind(m_data->GetLayer());
    m_opaque.Bind(m_data->GetOpaque());
    m_rotate.Bind(m_data->GetRotate());
    m_scale.Bind(m_data->GetScale());
    const int count = m_data->GetSubstAnimationCount();
    for (int i = 0; i < count; ++i) {
        const THolder<ISubstAnimationDescription> substitution = m_data->GetSubstAnimation(i);
        if (substitution) Substitute(substitution->GetFirstName(), substitution->GetSecondName());
    }
    BuildCommandTrack();
    m_paramModifier = MakeParamModifier(m_data->GetParamModifiers());
}

bool CDrawableAbstract::QueryDrawableFaces(const int& id, void** out) {
    return QueryChildFaces(id, out, this, this, this);
}

void CDrawableAbstract::BuildCommandTrack() {
    THolder<TCommandSubstList> keys = CreateParamList<EParamKind::CommandSubstAnimation>();
    const THolder<TCommandSubstAnimationList> commands = m_data->GetCommandSubstAnimations();
    if (commands) {
        for (const CCommandSubstAnimation& command : *commands) {
            const std::size_t dot = command.name.find('.');
            std::string animationName = command.name;
            std::string part = "all";
            if (dot != std::string::npos) {
                animationName = command.name.substr(0, dot);
                part = command.name.substr(dot + 1);
                if (part.find('.') != std::string::npos) {
                    HGE* hge = hgeCreate(HGE_VERSION);
                    hge->System_Log("Still No Implement Substituted Included");
                    hge->Release();
                    continue;
                }
            }
            const TAnimationPtr animation = FindSubstituted(animationName);
            if (!animation) continue;
            TKindParam<EParamKind::CommandSubstAnimation> key;
            key.value.animation = THolder<IBase>(static_cast<IBase*>(animation.Get()));
            key.value.part = part;
            key.mode = 0;
            key.duration = command.time;
            keys->push_back(std::move(key));
            animation->SetActive(false);  // it waits for its command
        }
    }
    m_commandSubst.Bind(keys);
}

void CDrawableAbstract::TracksIntoTransform() {
    TTransform& t = m_transform;
    t.dirty = 0;
    const TPoint<float>& offset = m_offset.GetValue();
    t.x = offset.x;
    t.y = offset.y;
    if (m_offset.IsChanged()) t.dirty |= TTransform::kDirtyPosition;
    t.layer = m_layer.GetValue();
    if (m_layer.IsChanged()) t.dirty |= TTransform::kDirtyLayer;
    t.opacity = m_opaque.GetValue();
    if (m_opaque.IsChanged()) t.dirty |= TTransform::kDirtyOpacity;
    const float angle = m_rotate.GetValue();
    if (angle != m_trigAngle) {
        m_trigAngle = angle;
        m_trigSin = std::sin(angle);
        m_trigCos = std::cos(angle);
    }
    t.angle = angle;
    t.sin = m_trigSin;
    t.cos = m_trigCos;
    if (m_rotate.IsChanged()) t.dirty |= TTransform::kDirtyRotation;
    const TPoint<float>& scale = m_scale.GetValue();
    t.scaleX = scale.x;
    t.scaleY = scale.y;
    if (m_scale.IsChanged()) t.dirty |= TTransform::kDirtyScale;
}

bool CDrawableAbstract::Update(const float& dt) {
    const float frame = dt;
    // The parent's clock drives the tracks; a drawable without one stands at time 0.
    const TAnimationPtr parent = m_parent;
    const float t = parent ? parent->GetTime() : 0.0f;
    const bool wasPlaying = PlayTracks(t, m_blend, m_color, m_offset, m_hotspot, m_idResource, m_layer,
                                       m_opaque, m_rotate, m_scale, m_commandSubst);
    TracksIntoTransform();
    ApplyModifiers();
    if (parent) {
        m_transform.Combine(parent->GetTransform());
        FireCommandSubst(m_commandSubst, t, parent->GetStartTime(), parent->GetEndTime());
    }
    // Copied: a substituted animation's update may change the list (its end event).
    const std::vector<TAnimationPtr> substituted = m_substituted;
    for (const TAnimationPtr& animation : substituted) animation->Update(frame);
    if (parent) FollowParentClock(wasPlaying, parent);
    if ((m_transform.dirty & TTransform::kDirtyLayer) && m_scene) m_scene->RequestSort();
    return true;
}

// --- Scene and visibility ---

void CDrawableAbstract::Detach() {
    SetScene({});
    const std::vector<TAnimationPtr> substituted = m_substituted;
    for (const TAnimationPtr& animation : substituted) animation->Destroy();
}

void CDrawableAbstract::SetScene(const THolder<IScene>& scene) {
    const THolder<IScene> incoming = scene;  // the argument may be this object's own holder
    JoinScene(incoming, SelfDrawable());
    const std::vector<TAnimationPtr> substituted = m_substituted;
    for (const TAnimationPtr& animation : substituted) animation->SetDrawablesScene(incoming);
}

void CDrawableAbstract::SetVisible(bool visible) {
    if (!ChangeVisibility(visible, SelfDrawable())) return;
    const std::vector<TAnimationPtr> substituted = m_substituted;
    for (const TAnimationPtr& animation : substituted) animation->SetVisible(visible);
}

// --- Substituted animations ---

void CDrawableAbstract::DestroySubstituted() {
    const std::vector<TAnimationPtr> substituted = m_substituted;
    for (const TAnimationPtr& animation : substituted) animation->Destroy();
}

TAnimationPtr CDrawableAbstract::Host(const THolder<IAnimationData>& data) {
    if (!data) return {};
    const TAnimationPtr animation(CAnimationObject::Make());
    if (!animation) return {};
    m_substituted.push_back(animation);
    animation->SetAnimationData(data);
    animation->SetContainer(TSubstitutedContainerPtr(static_cast<ISubstitutedContainer*>(this)), true);
    animation->SetScene({});
    animation->SetDrawablesScene(m_scene);
    animation->Play("all", 0, false);
    return animation;
}

TAnimationPtr CDrawableAbstract::Substitute(const std::string& module, const std::string& name) {
    return Host(GetResource()->GetAnimationData(module, name));
}

TAnimationPtr CDrawableAbstract::Substitute(const std::string& path) {
    return Host(GetResource()->GetAnimationDataByPath(path));
}

TAnimationPtr CDrawableAbstract::GetSubstituted(int index) {
    if (index < 0 || index >= static_cast<int>(m_substituted.size())) return {};
    return m_substituted[static_cast<std::size_t>(index)];
}

TAnimationPtr CDrawableAbstract::FindSubstituted(const std::string& name) {
    for (const TAnimationPtr& animation : m_substituted) {
        const char* own = animation->GetName();
        if (own && name == own) return animation;
    }
    return {};
}

bool CDrawableAbstract::RemoveSubstituted(const std::string& name) {
    for (auto it = m_substituted.begin(); it != m_substituted.end(); ++it) {
        const char* own = (*it)->GetName();
        if (!own || name != own) continue;
        const TAnimationPtr animation = *it;
        // Its commands go first, so that the track cannot start it again.
        const THolder<TCommandSubstList> keys = m_commandSubst.GetKeys();
        const IBase* base = static_cast<IBase*>(animation.Get());
        std::erase_if(*keys, [base](const auto& key) { return key.value.animation.Get() == base; });
        m_commandSubst.Bind(keys);
        animation->Destroy();
        std::erase(m_substituted, animation);
        return true;
    }
    return false;
}

}  // namespace GF
