#include "framework/scene/AnimationObject.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "framework/resources/AnimationData.h"
#include "framework/resources/ObjectData.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IParticle.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISound.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"

namespace GF {

namespace {

// Keeps an object alive across calls that may give its last reference away (a scene that drops it, an
// end-event delegate that resets it). An object nobody holds yet is left alone: holding it here
// would destroy it on the way out.
THolder<CAnimationObject> KeepAlive(CAnimationObject* object) {
    return THolder<CAnimationObject>(object->GetRefCount() > 0 ? object : nullptr);
}

}  // namespace

CAnimationObject::~CAnimationObject() {
    ClearChildren();
    m_endEvent.Clear();
    m_container.Reset();
    m_scene.Reset();
    m_data.Reset();
}

THolder<IAnimation> CAnimationObject::Make() {
    return THolder<IAnimation>(new CAnimationObject);
}

THolder<CAnimationObject> CAnimationObject::Create(const THolder<IAnimationData>& data) {
    THolder<CAnimationObject> object(new CAnimationObject);
    if (data) object->SetAnimationData(data);
    return object;
}

bool CAnimationObject::QueryInterface(const int& id, void** out) {
    if (id == kIdBase) {
        *out = static_cast<IBase*>(this);
    } else if (id == kIdAnimation) {
        *out = static_cast<IAnimation*>(this);
    } else {
        *out = nullptr;
        return false;
    }
    AddRef();
    return true;
}

// --- Children ---

bool CAnimationObject::AddObject(const TObjectAnimationPtr& child) {
    if (!child) return false;
    if (TDrawablePtr(child.Get())) {
        m_drawables.push_back(child);
        return true;
    }
    if (TSoundPtr(child.Get())) {
        m_sounds.push_back(child);
        return true;
    }
    return false;
}

bool CAnimationObject::RemoveObject(const TObjectAnimationPtr& child) {
    if (!child) return false;
    auto keep = KeepAlive(this);  // the child's Detach may give back its reference to this object
    for (TChildList* list : {&m_drawables, &m_sounds}) {
        for (auto it = list->begin(); it != list->end(); ++it) {
            if (it->Get() != child.Get()) continue;
            TObjectAnimationPtr kept = *it;  // alive through its Detach
            kept->Detach();
            // Detach may have changed the list: erase the child where it is now.
            const auto now = std::find(list->begin(), list->end(), kept);
            if (now != list->end()) list->erase(now);
            return true;
        }
    }
    return false;
}

void CAnimationObject::ClearChildren() {
    // Taken out first, so that a child that calls back during its Detach finds the lists empty.
    const TChildList drawables = std::exchange(m_drawables, {});
    const TChildList sounds = std::exchange(m_sounds, {});
    for (auto& child : drawables) child->Detach();
    for (auto& child : sounds) child->Detach();
}

void CAnimationObject::SetAnimationData(const THolder<IAnimationData>& data) {
    if (!data) return;
    auto keep = KeepAlive(this);
    ClearChildren();
    m_data = data;
    const int count = data->GetObjectDataCount();
    for (int i = 0; i < count; ++i) {
        THolder<IObjectData> description = data->GetObjectData(i);
        if (!description) continue;
        THolder<IObjectAnimation> child = description->CreateObject();
        // The child's SetParent joins this object's lists through AddObject.
        if (child) child->SetParent(Self());
    }
    SetDrawablesScene(m_scene);
    m_startTime = m_endTime = m_currentTime = 0.0f;
    m_finished = true;
}

THolder<IAnimationData> CAnimationObject::GetAnimationData() {
    return m_data;
}

const char* CAnimationObject::GetName() {
    return m_data ? m_data->GetName() : nullptr;
}

TDrawablePtr CAnimationObject::GetDrawable(unsigned index) {
    if (index >= m_drawables.size()) return {};
    return TDrawablePtr(m_drawables[index].Get());
}

TDrawablePtr CAnimationObject::FindDrawable(const std::string& name) {
    for (const auto& child : m_drawables)
        if (child->GetName() == name) return TDrawablePtr(child.Get());
    return {};
}

TObjectAnimationPtr CAnimationObject::FindObject(const std::string& name) {
    for (const TChildList* list : {&m_drawables, &m_sounds})
        for (const auto& child : *list)
            if (child->GetName() == name) return child;
    return {};
}

const WChar* CAnimationObject::GetText(const std::string& name) {
    TTextSpritePtr text(FindDrawable(name).Get());
    // The list keeps the text sprite, and with it the characters, after this pointer is gone.
    return text ? text->GetText().c_str() : nullptr;
}

bool CAnimationObject::SetTextNumber(const std::string& name, int number) {
    TTextSpritePtr text(FindDrawable(name).Get());
    if (!text) return false;
    text->SetNumber(number);
    return true;
}

bool CAnimationObject::SetText(const std::string& name, const WString& value) {
    TTextSpritePtr text(FindDrawable(name).Get());
    if (!text) return false;
    text->SetText(value);
    return true;
}

void CAnimationObject::SetChildVisible(const char* name, bool visible) {
    if (!name) return;
    if (TDrawablePtr drawable = FindDrawable(name)) drawable->SetVisible(visible);
}

void CAnimationObject::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    for (std::size_t i = 0; i < m_drawables.size(); ++i)
        if (TDrawablePtr drawable{m_drawables[i].Get()}) drawable->SetVisible(visible);
}

void CAnimationObject::SetParticlesEmitting(bool emitting) {
    for (std::size_t i = 0; i < m_drawables.size(); ++i)
        if (TParticlePtr particle{m_drawables[i].Get()}) particle->SetEmitting(emitting);
}

void CAnimationObject::SetDrawablesScene(const THolder<IScene>& scene) {
    const THolder<IScene> kept = scene;  // the argument may be this object's own holder
    for (std::size_t i = 0; i < m_drawables.size(); ++i)
        if (TDrawablePtr drawable{m_drawables[i].Get()}) drawable->SetScene(kept);
}

void CAnimationObject::ResumeSounds() {
    for (std::size_t i = 0; i < m_sounds.size(); ++i)
        if (TSoundPtr sound{m_sounds[i].Get()}) sound->Resume();
}

void CAnimationObject::PauseSounds() {
    for (std::size_t i = 0; i < m_sounds.size(); ++i)
        if (TSoundPtr sound{m_sounds[i].Get()}) sound->Pause();
}

void CAnimationObject::StopSounds() {
    for (std::size_t i = 0; i < m_sounds.size(); ++i)
        if (TSoundPtr sound{m_sounds[i].Get()}) sound->Stop();
}

TRect CAnimationObject::GetBoundingBox() {
    TRect box;
    for (std::size_t i = 0; i < m_drawables.size(); ++i) {
        TDrawablePtr drawable(m_drawables[i].Get());
        if (!drawable) continue;
        UnionRect(box, drawable->GetBoundingBox(), box);
        TSubstitutedContainerPtr container(m_drawables[i].Get());
        if (!container) continue;
        for (int index = 0;; ++index) {
            TAnimationPtr substituted = container->GetSubstituted(index);
            if (!substituted) break;
            UnionRect(box, substituted->GetBoundingBox(), box);
        }
    }
    return box;
}

// --- Scene and container ---

THolder<IScene> CAnimationObject::GetScene() {
    return m_scene;
}

void CAnimationObject::SetScene(const THolder<IScene>& scene) {
    if (scene == m_scene) return;
    auto keep = KeepAlive(this);
    const THolder<IScene> incoming = scene;
    const THolder<IScene> old = m_scene;
    if (old) old->RemoveAnimation(Self());
    m_scene = incoming;
    if (incoming) incoming->AddAnimation(Self());
}

void CAnimationObject::Reset() {
    auto keep = KeepAlive(this);
    ClearChildren();
    SetScene({});
    m_container.Reset();
}

void CAnimationObject::Destroy() {
    auto keep = KeepAlive(this);
    ClearChildren();
    m_scene.Reset();
    m_container.Reset();
}

const TTransform* CAnimationObject::ContainerTransform() {
    return m_container ? &m_container->GetTransform() : nullptr;
}

void CAnimationObject::RefreshWorld() {
    const TTransform* container = ContainerTransform();
    if (!container) return;
    m_world = m_local;
    m_world.Combine(*container);
}

void CAnimationObject::SetContainer(const TSubstitutedContainerPtr& container, bool asLocal) {
    const TSubstitutedContainerPtr target = container;
    if (asLocal) {
        m_container = target;
        m_local = m_world;
        return;
    }
    // Keep the place on the screen: the world record relative to the new container.
    if (m_container) RefreshWorld();
    m_local = m_world;
    m_container = target;
    if (target) {
        m_local.Uncombine(target->GetTransform());
        m_world = m_local;
    }
}

void CAnimationObject::ApplyTransform() {
    auto keep = KeepAlive(this);
    RefreshWorld();
    UpdateChildren(m_drawables, 0.0f);
    UpdateChildren(m_sounds, 0.0f);
}

// --- Transform setters: the world field, then the field relative to the container ---

namespace {

// Stores a changed value and marks it in the record; an unchanged value marks nothing.
template <class T>
void Store(TTransform& record, T& field, T value, uint8_t bit) {
    if (value == field) return;
    field = value;
    record.dirty |= bit;
}

void StoreAngle(TTransform& record, float angle) {
    if (angle == record.angle) return;
    record.angle = angle;
    record.sin = std::sin(angle);
    record.cos = std::cos(angle);
    record.dirty |= TTransform::kDirtyRotation;
}

}  // namespace

void CAnimationObject::SetX(const float& x) {
    const float value = x;
    Store(m_world, m_world.x, value, TTransform::kDirtyPosition);
    if (const TTransform* p = ContainerTransform())
        Store(m_local, m_local.x, value - p->x, TTransform::kDirtyPosition);
}

void CAnimationObject::SetY(const float& y) {
    const float value = y;
    Store(m_world, m_world.y, value, TTransform::kDirtyPosition);
    if (const TTransform* p = ContainerTransform())
        Store(m_local, m_local.y, value - p->y, TTransform::kDirtyPosition);
}

void CAnimationObject::SetPosition(const float& x, const float& y) {
    const float px = x, py = y;  // the arguments may be this object's own fields
    SetX(px);
    SetY(py);
}

void CAnimationObject::SetPosition(const TPoint<float>& position) {
    SetPosition(position.x, position.y);
}

void CAnimationObject::SetLayer(int layer) {
    Store(m_world, m_world.layer, layer, TTransform::kDirtyLayer);
    if (const TTransform* p = ContainerTransform())
        Store(m_local, m_local.layer, layer - p->layer, TTransform::kDirtyLayer);
}

// A fully transparent or zero-scaled container says nothing about the value relative to it: the
// relative field is then left as it is rather than divided by zero.
void CAnimationObject::SetOpacity(const float& opacity) {
    const float value = opacity;
    Store(m_world, m_world.opacity, value, TTransform::kDirtyOpacity);
    const TTransform* p = ContainerTransform();
    if (p && p->opacity != 0.0f)
        Store(m_local, m_local.opacity, value / p->opacity, TTransform::kDirtyOpacity);
}

void CAnimationObject::SetRotation(const float& angle) {
    const float value = angle;
    StoreAngle(m_world, value);
    if (const TTransform* p = ContainerTransform()) StoreAngle(m_local, value - p->angle);
}

void CAnimationObject::SetScale(const float& sx, const float& sy) {
    const float x = sx, y = sy;
    SetScaleX(x);
    SetScaleY(y);
}

void CAnimationObject::SetScaleX(const float& sx) {
    const float value = sx;
    Store(m_world, m_world.scaleX, value, TTransform::kDirtyScale);
    const TTransform* p = ContainerTransform();
    if (p && p->scaleX != 0.0f) Store(m_local, m_local.scaleX, value / p->scaleX, TTransform::kDirtyScale);
}

void CAnimationObject::SetScaleY(const float& sy) {
    const float value = sy;
    Store(m_world, m_world.scaleY, value, TTransform::kDirtyScale);
    const TTransform* p = ContainerTransform();
    if (p && p->scaleY != 0.0f) Store(m_local, m_local.scaleY, value / p->scaleY, TTransform::kDirtyScale);
}

// --- Clock ---

void CAnimationObject::SetActive(bool active) {
    m_active = active;
    m_world.dirty = TTransform::kDirtyAll;
    m_local.dirty = TTransform::kDirtyAll;
}

bool CAnimationObject::Play(const char* part, int repeat, bool dropAtEnd) {
    if (!m_active) SetActive(true);
    THolder<INamedPart> named = (m_data && part) ? m_data->GetNamedPart(part) : THolder<INamedPart>();
    if (!named) {
        Stop();
        return false;
    }
    m_dropAtEnd = dropAtEnd;
    m_repeat = repeat != 0 ? repeat : named->GetPlayMode();
    m_startTime = named->GetStart();
    m_endTime = named->GetEnd() - 1.0f;  // a part from 0 to 1000 shows the times 0 .. 999
    m_finished = false;
    m_currentTime = m_startTime;
    return true;
}

bool CAnimationObject::PlayAndApply(const char* part, int repeat, bool dropAtEnd) {
    const bool played = Play(part, repeat, dropAtEnd);
    if (played) ApplyTransform();
    return played;
}

void CAnimationObject::ShowTime(const float& t) {
    const float time = t;  // t may be this object's own end time
    StopSounds();
    m_startTime = m_endTime = m_currentTime = time;
    SetActive(true);
    m_finished = false;
    ApplyTransform();
    m_finished = true;
}

void CAnimationObject::Stop() {
    ShowTime(m_endTime);
    if (m_dropAtEnd) m_done = true;
}

void CAnimationObject::StopLooping() {
    if (m_repeat != 0) m_repeat = 1;
}

void CAnimationObject::PlayTo(const float& end) {
    m_finished = false;
    m_endTime = end;
    m_repeat = 1;
}

void CAnimationObject::PlayFrom(const float& t) {
    m_repeat = 1;
    m_finished = false;
    m_startTime = t;
    m_currentTime = t;
}

void CAnimationObject::SetDelay(const float& ms, bool waitFirst) {
    if (ms > 0.0f) {
        ApplyTransform();
        m_delay = ms;
        SetActive(!waitFirst);
    } else {
        m_delay = 0.0f;
    }
}

void CAnimationObject::DeactivateOnEnd() {
    m_endEvent.Add(CreateDelegate(this, &CAnimationObject::OnEndDeactivate));
}

void CAnimationObject::OnEndDeactivate(TAnimationPtr) {
    SetActive(false);
}

// The end time shows for one frame: the step after it loops back or finishes, and only then is the
// end event raised.
void CAnimationObject::StepTime(float step) {
    if (m_currentTime == m_endTime) {
        if (m_repeat != -1 && m_repeat != INT_MIN) --m_repeat;
        if (m_repeat > 0 || m_repeat == -1) {  // a count of 0 became -1 here: it loops for ever
            m_currentTime = m_startTime;
            return;
        }
        m_finished = true;
        m_endEvent.Raise(Self());
        if (m_dropAtEnd) m_done = true;
        return;
    }
    m_currentTime += step;
    if (m_currentTime > m_endTime) m_currentTime = m_endTime;
}

void CAnimationObject::UpdateChildren(TChildList& list, float dt) {
    for (std::size_t i = 0; i < list.size();) {
        const TObjectAnimationPtr child = list[i];  // alive through its own update
        child->Update(dt);
        // A child that left the list during its update leaves the next one at i.
        if (i < list.size() && list[i].Get() == child.Get()) ++i;
    }
}

bool CAnimationObject::Update(const float& dt) {
    auto keep = KeepAlive(this);
    const float frame = dt;
    bool run = true;
    if (m_delay > 0.0f) {
        m_delay -= frame;
        if (m_delay <= 0.0f) {  // the delay ran out: toggle, and nothing else moves in this frame
            SetActive(!m_active);
            run = false;
        }
    }
    if (run && m_active) {
        const float step = m_speed * frame;
        RefreshWorld();
        if (!m_finished) {
            StepTime(step);
            UpdateChildren(m_drawables, frame);
            UpdateChildren(m_sounds, frame);
        } else {
            UpdateChildren(m_drawables, frame);  // a finished animation's sounds rest
        }
    }
    m_world.dirty = 0;
    m_local.dirty = 0;
    return !m_done;
}

}  // namespace GF
