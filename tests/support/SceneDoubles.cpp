#include "tests/support/SceneDoubles.h"

#include <algorithm>
#include <cmath>

using namespace GF;

namespace {

const std::string& NameOf(const THolder<IObjectData>& description, const std::string& fallback) {
    return description ? description->GetName() : fallback;
}

// Answers the faces listed, one reference added per hit.
template <class T>
bool Answer(T* self, void** out, bool hit, void* face) {
    *out = hit ? face : nullptr;
    if (hit) self->AddRef();
    return hit;
}

// Leaves the old parent's lists and joins the new parent's, as every child does.
void MoveToParent(IObjectAnimation* self, TAnimationPtr& parent, const TAnimationPtr& newParent) {
    const TAnimationPtr incoming = newParent;
    if (parent) parent->RemoveObject(TObjectAnimationPtr(self));
    parent = incoming;
    if (parent) parent->AddObject(TObjectAnimationPtr(self));
}

}  // namespace

// --- CTestDrawable ---

THolder<IObjectAnimation> CTestDrawable::MakeSprite() {
    return THolder<IObjectAnimation>(new CTestDrawable);
}
THolder<IObjectAnimation> CTestDrawable::MakeTextSprite() {
    return THolder<IObjectAnimation>(new CTestDrawable(kTextSprite));
}
THolder<IObjectAnimation> CTestDrawable::MakeParticle() {
    return THolder<IObjectAnimation>(new CTestDrawable(kParticle));
}

bool CTestDrawable::QueryInterface(const int& id, void** out) {
    switch (id) {
        case kIdBase:
            return Answer(this, out, true, static_cast<IBase*>(static_cast<IDrawable*>(this)));
        case kIdObjectAnimation:
            return Answer(this, out, true, static_cast<IObjectAnimation*>(this));
        case kIdDrawable:
            return Answer(this, out, true, static_cast<IDrawable*>(this));
        case kIdSubstitutedContainer:
            return Answer(this, out, (m_faces & kContainer) != 0, static_cast<ISubstitutedContainer*>(this));
        case kIdTextSprite:
            return Answer(this, out, (m_faces & kTextSprite) != 0, static_cast<ITextSprite*>(this));
        case kIdParticle:
            return Answer(this, out, (m_faces & kParticle) != 0, static_cast<HGENS::IParticle*>(this));
        default:
            return Answer(this, out, false, nullptr);
    }
}

const std::string& CTestDrawable::GetName() {
    return NameOf(description, m_name);
}

void CTestDrawable::SetObjectData(const THolder<IObjectData>& data) {
    description = data;
    auto* drawable = dynamic_cast<IDrawableObjectData*>(data.Get());
    if (!drawable) return;
    blend.Bind(drawable->GetBlend());
    color.Bind(drawable->GetColor());
    offset.Bind(drawable->GetOffset());
    hotspot.Bind(drawable->GetHotspot());
    idResource.Bind(drawable->GetIDResource());
    layer.Bind(drawable->GetLayer());
    opaque.Bind(drawable->GetOpaque());
    rotate.Bind(drawable->GetRotate());
    scale.Bind(drawable->GetScale());
}

void CTestDrawable::SetParent(const TAnimationPtr& newParent) {
    MoveToParent(this, parent, newParent);
}

void CTestDrawable::Detach() {
    ++detaches;
    SetScene({});
    parent.Reset();
}

bool CTestDrawable::Update(const float& dt) {
    ++updates;
    lastDt = dt;
    if (!parent) return true;
    const float t = parent->GetTime();
    timesSeen.push_back(t);
    blend.Update(t);
    color.Update(t);
    offset.Update(t);
    hotspot.Update(t);
    idResource.Update(t);
    layer.Update(t);
    opaque.Update(t);
    rotate.Update(t);
    scale.Update(t);
    transform = base;
    transform.x = offset.GetValue().x;
    transform.y = offset.GetValue().y;
    transform.layer = layer.GetValue();
    transform.opacity = opaque.GetValue();
    transform.angle = rotate.GetValue();
    transform.sin = std::sin(transform.angle);
    transform.cos = std::cos(transform.angle);
    transform.scaleX = scale.GetValue().x;
    transform.scaleY = scale.GetValue().y;
    transform.Combine(parent->GetTransform());
    return true;
}

void CTestDrawable::SetScene(const THolder<IScene>& value) {
    const THolder<IScene> incoming = value;
    const TDrawablePtr self(static_cast<IDrawable*>(this));
    if (scene && visible) scene->RemoveDrawable(self);
    scene = incoming;
    if (scene && visible) scene->AddDrawable(self);
}

void CTestDrawable::SetVisible(bool value) {
    ++setVisibleCalls;
    visible = value;
}

TAnimationPtr CTestDrawable::GetSubstituted(int index) {
    if (index < 0 || index >= static_cast<int>(substituted.size())) return {};
    return substituted[static_cast<size_t>(index)];
}

TAnimationPtr CTestDrawable::FindSubstituted(const std::string& name) {
    for (const auto& animation : substituted)
        if (animation->GetName() && name == animation->GetName()) return animation;
    return {};
}

// --- CTestSound ---

THolder<IObjectAnimation> CTestSound::Make() {
    return THolder<IObjectAnimation>(new CTestSound);
}

bool CTestSound::QueryInterface(const int& id, void** out) {
    switch (id) {
        case kIdBase:
            return Answer(this, out, true, static_cast<IBase*>(static_cast<ISound*>(this)));
        case kIdObjectAnimation:
            return Answer(this, out, true, static_cast<IObjectAnimation*>(this));
        case kIdSound:
            return Answer(this, out, true, static_cast<ISound*>(this));
        default:
            return Answer(this, out, false, nullptr);
    }
}

const std::string& CTestSound::GetName() {
    return NameOf(description, m_name);
}

void CTestSound::SetObjectData(const THolder<IObjectData>& data) {
    description = data;
    if (auto* sound = dynamic_cast<ISoundObjectData*>(data.Get())) action.Bind(sound->GetActionSound());
}

void CTestSound::SetParent(const TAnimationPtr& newParent) {
    MoveToParent(this, parent, newParent);
}

void CTestSound::Detach() {
    ++detaches;
    parent.Reset();
}

bool CTestSound::Update(const float&) {
    ++updates;
    if (!parent) return true;
    const float t = parent->GetTime();
    if (action.Update(t)) commands.emplace_back(t, action.GetValue());
    return true;
}

// --- CTestScene ---

void CTestScene::RemoveAnimation(const TAnimationPtr& animation) {
    ++removedAnimations;
    const TAnimationPtr kept = animation;  // the entry may hold the last reference
    std::erase(animations, kept);
}

void CTestScene::RemoveDrawable(const TDrawablePtr& drawable) {
    const TDrawablePtr kept = drawable;
    std::erase(drawables, kept);
}
