#include "framework/scene/Scene.h"

#include <algorithm>

#include "engine/Hge.h"
#include "framework/resources/Resource.h"
#include "framework/scene/AnimationObject.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/IParticle.h"
#include "framework/scene/ISubstitutedContainer.h"

namespace GF {
namespace HGENS {

namespace {

constexpr float kFrameRatePeriod = 5000.0f;  // milliseconds between two frame-rate lines

// Keeps a held scene alive across calls that may let go of its other holders; a scene nobody holds
// is left alone (holding it here would destroy it on the way out).
THolder<IScene> KeepAlive(IScene* scene) {
    return THolder<IScene>(scene->GetRefCount() > 0 ? scene : nullptr);
}

}  // namespace

// --- Particle registry ---

std::list<TParticlePtr>& ParticleRegistry::Entries() {
    static std::list<TParticlePtr> entries;
    return entries;
}

void ParticleRegistry::Register(const TParticlePtr& particle) {
    if (particle) Entries().push_back(particle);
}

namespace {
bool g_particlesEnabled = true;
}  // namespace

void ParticleRegistry::SetEnabled(bool enabled) {
    g_particlesEnabled = enabled;
}

bool ParticleRegistry::IsEnabled() {
    return g_particlesEnabled;
}

int ParticleRegistry::Count() {
    return static_cast<int>(Entries().size());
}

void ParticleRegistry::Update(float dt) {
    std::list<TParticlePtr>& entries = Entries();
    for (auto it = entries.begin(); it != entries.end();) {
        const TParticlePtr particle = *it;  // alive through its own calls
        if (!particle->IsOrphan()) {
            ++it;  // its animation updates it
            continue;
        }
        if (particle->IsAlive()) {
            if (const TObjectAnimationPtr timeline{particle.Get()}) timeline->Update(dt);
            ++it;
            continue;
        }
        it = entries.erase(it);
        if (const TDrawablePtr drawable{particle.Get()}) drawable->SetScene({});
    }
}

void ParticleRegistry::Clear(const IScene* scene) {
    std::list<TParticlePtr>& entries = Entries();
    // Taken out first, then told: a system's SetScene may reach the registry again.
    std::vector<TDrawablePtr> leaving;
    for (auto it = entries.begin(); it != entries.end();) {
        const TDrawablePtr drawable{it->Get()};
        if (drawable && drawable->GetScene().Get() == scene) {
            leaving.push_back(drawable);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    for (const TDrawablePtr& drawable : leaving) drawable->SetScene({});
}

void ParticleRegistry::ClearAll() {
    std::list<TParticlePtr> leaving;
    leaving.swap(Entries());
    for (const TParticlePtr& particle : leaving)
        if (const TDrawablePtr drawable{particle.Get()}) drawable->SetScene({});
}

TFrameRateCounter& FrameRateCounter() {
    static TFrameRateCounter counter;
    return counter;
}

// --- Scene ---

CScene::~CScene() {
    m_attachment.Reset();
    m_updateEvent.Clear();
    m_animations.clear();
    m_drawables.clear();
}

void CScene::AddAnimation(const TAnimationPtr& animation) {
    if (!animation) return;
    if (m_walking > 0) std::erase(m_leftDuringWalk, animation.Get());
    m_animations.push_back(animation);
}

void CScene::RemoveAnimation(const TAnimationPtr& animation) {
    if (!animation) return;
    const TAnimationPtr kept = animation;  // the argument may be an entry of the list
    if (m_walking > 0) m_leftDuringWalk.push_back(kept.Get());
    m_animations.remove(kept);
}

void CScene::AddDrawable(const TDrawablePtr& drawable) {
    if (!drawable) return;
    m_drawables.push_back(drawable);
    m_needsSort = true;
}

void CScene::RemoveDrawable(const TDrawablePtr& drawable) {
    if (!drawable) return;
    const TDrawablePtr kept = drawable;
    m_drawables.remove(kept);
}

TAnimationPtr CScene::CreateAnimation(const std::string& name) {
    const THolder<IAnimationData> data = GetResource()->GetAnimationDataByPath(name);
    if (!data) return {};
    const TAnimationPtr animation(CAnimationObject::Make());
    if (!animation) return {};
    animation->SetAnimationData(data);
    animation->SetScene(Self());
    animation->SetDrawablesScene(Self());
    return animation;
}

TAnimationPtr CScene::CreateAnimationAtXY(const std::string& name, const float& x, const float& y,
                                          const char* part, int repeat, const float& delay) {
    const float px = x, py = y, wait = delay;
    const TAnimationPtr animation = CreateAnimation(name);
    if (animation) {
        animation->SetX(px);
        animation->SetY(py);
        animation->Play(part, repeat, true);
        animation->SetDelay(wait, true);
    }
    return animation;
}

TAnimationPtr CScene::CreateAnimationAt(const std::string& name, const TPoint<float>& position,
                                        const char* part, int repeat, const float& delay) {
    const TPoint<float> at = position;
    const float wait = delay;
    const TAnimationPtr animation = CreateAnimation(name);
    if (animation) {
        animation->SetPosition(at);
        animation->Play(part, repeat, true);
        animation->SetDelay(wait, true);
    }
    return animation;
}

template <class Call>
void CScene::ForEachAnimation(Call call) {
    // A snapshot: an animation's update may add animations to the scene or take them out.
    const std::vector<TAnimationPtr> snapshot(m_animations.begin(), m_animations.end());
    ++m_walking;
    for (const TAnimationPtr& animation : snapshot) {
        if (std::find(m_leftDuringWalk.begin(), m_leftDuringWalk.end(), animation.Get()) !=
            m_leftDuringWalk.end())
            continue;
        call(animation);
    }
    if (--m_walking == 0) m_leftDuringWalk.clear();
}

bool CScene::Update(const float& dt) {
    const float frame = dt;
    const THolder<IScene> keep = KeepAlive(this);  // an update may let go of the scene's other holders
    if (m_updateEnabled) {
        if (ParticleRegistry::IsEnabled()) ParticleRegistry::Update(frame);
        ForEachAnimation([frame](const TAnimationPtr& animation) { animation->Update(frame); });
        for (auto it = m_animations.begin(); it != m_animations.end();) {
            if (!(*it)->IsDone()) {
                ++it;
                continue;
            }
            const TAnimationPtr done = *it;
            it = m_animations.erase(it);
            done->Destroy();
        }
        if (m_needsSort) {
            m_needsSort = false;
            SortDrawables();
        }
        m_updateEvent.Raise(frame);
    }

    TFrameRateCounter& counter = FrameRateCounter();
    ++counter.frames;
    counter.elapsed += frame;
    if (counter.elapsed > kFrameRatePeriod) {
        const int fps = static_cast<int>(static_cast<float>(counter.frames) / (counter.elapsed / 1000.0f));
        counter.elapsed = 0.0f;
        counter.frames = 0;
        if (fps != 0) {
            HGE* hge = hgeCreate(HGE_VERSION);
            if (hge) {
                hge->System_Log("FPS:%d\t, AnimationCount %d, DrawableCount %d", fps, GetAnimationCount(),
                                GetDrawableCount());
                hge->Release();
            }
        }
    }
    return true;
}

void CScene::Render() {
    if (m_renderEnabled) {
        for (auto it = m_drawables.begin(); it != m_drawables.end();) {
            IDrawable* drawable = it->Get();
            ++it;  // a drawable may take itself out of the list while it draws
            drawable->Render();
        }
    }
    HGE* hge = hgeCreate(HGE_VERSION);
    if (!hge) return;
    hge->Gfx_SetClipping(0, 0, 0, 0);
    hge->Release();
}

void CScene::SortDrawables() {
    // Stable: drawables of one layer stay in the order they were added. Layers are read now only.
    m_drawables.sort(
        [](const TDrawablePtr& a, const TDrawablePtr& b) { return a->GetLayer() < b->GetLayer(); });
}

void CScene::Clear() {
    const THolder<IScene> keep = KeepAlive(this);
    ParticleRegistry::Clear(this);
    ForEachAnimation([](const TAnimationPtr& animation) { animation->Destroy(); });
    const std::vector<TDrawablePtr> drawables(m_drawables.begin(), m_drawables.end());
    for (const TDrawablePtr& drawable : drawables) drawable->Detach();
}

void CScene::PauseSounds() {
    ForEachAnimation([](const TAnimationPtr& animation) { animation->PauseSounds(); });
}

void CScene::ResumeSounds() {
    ForEachAnimation([](const TAnimationPtr& animation) { animation->ResumeSounds(); });
}

void CScene::StopSounds() {
    ForEachAnimation([](const TAnimationPtr& animation) { animation->StopSounds(); });
}

}  // namespace HGENS
}  // namespace GF
