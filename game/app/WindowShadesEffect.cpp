#include "game/app/WindowShadesEffect.h"

#include <algorithm>
#include <limits>

#include "framework/scene/IAnimation.h"
#include "framework/scene/Scene.h"
#include "framework/scene/SpriteObject.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"

namespace {

// Above the screens' layouts, which lie on the game data's overlay layer.
constexpr int32_t kShadeLayerOffset = 2000;
// In the layouts' 800 x 600 coordinates; the second shade grows leftwards from 830. Both meet at 410.
constexpr GF::TRect kFirstShadeRect{-30, -1, 410, 601};
constexpr GF::TRect kSecondShadeRect{830, -1, 410, 601};
constexpr int kSwishSoundKey = 0;

constexpr int32_t kOpenCurveVariable = 20;
constexpr int32_t kCloseCurveVariable = 21;
constexpr int32_t kOpenTakenVariable = 22;
constexpr int32_t kCloseTakenVariable = 23;

GF::THolder<CWindowShadesEffect>& Instance() {
    static GF::THolder<CWindowShadesEffect> instance;
    return instance;
}

// The engine sprite of the animation's first drawable; empty (and logged) when it has none.
GF::THolder<GF::HGENS::CHGESprite> ClothSprite() {
    const GF::THolder<GF::IScene> scene(new GF::HGENS::CScene);
    GF::THolder<GF::HGENS::CHGESprite> sprite;
    if (const GF::TAnimationPtr animation = scene->CreateAnimation(CWindowShadesEffect::kClothAnimation)) {
        animation->Play(CWindowShadesEffect::kClothPart, 0, false);  // its tracks apply only while it plays
        animation->Update(0.0f);
        const GF::TDrawablePtr first = animation->GetDrawable(0);
        if (auto* object = dynamic_cast<GF::HGENS::CSpriteObject*>(first.Get())) sprite = object->GetSprite();
    }
    scene->Clear();
    if (!sprite) {
        GameLog("Window shades: \"%s\" shows no picture first; the shades draw nothing",
                CWindowShadesEffect::kClothAnimation);
    }
    return sprite;
}

}  // namespace

GF::THolder<CWindowShadesEffect> CWindowShadesEffect::GetInstance() {
    GF::THolder<CWindowShadesEffect>& instance = Instance();
    if (!instance) instance = GF::THolder<CWindowShadesEffect>(new CWindowShadesEffect);
    return instance;
}

void CWindowShadesEffect::DropInstance() {
    Instance().Reset();
}

CWindowShadesEffect::CWindowShadesEffect() {
    CreateShades();
}

CWindowShadesEffect::~CWindowShadesEffect() = default;

void CWindowShadesEffect::CreateShades() {
    const GF::THolder<GF::HGENS::CHGESprite> sprite = ClothSprite();
    const int32_t layer = GetGameData().overlayLayer + kShadeLayerOffset;
    m_first = CreateWaveEffect(layer, sprite, kFirstShadeRect);
    m_second = CreateWaveEffect(layer, sprite, kSecondShadeRect);
}

std::string CWindowShadesEffect::TakeStateName(int mode) {
    if (mode != kOpen && mode != kClose) return {};
    CPlayerProfile& player = GetCurrentPlayer();
    std::string& variable = player.stringVars[mode == kOpen ? kOpenCurveVariable : kCloseCurveVariable];
    std::string name;
    name.swap(variable);
    player.floatVars[mode == kOpen ? kOpenTakenVariable : kCloseTakenVariable] = 0.0f;
    return name;
}

void CWindowShadesEffect::SetState(int mode, float durationMs) {
    const std::string name = TakeStateName(mode);
    int state = kNone;
    if (name.find("open") != std::string::npos)
        state = kOpen;
    else if (name.find("close") != std::string::npos)
        state = kClose;
    else
        return;
    if (state == m_state) return;
    m_state = state;
    m_first->Start(name, durationMs);
    m_second->Start(name, kSecondShadeShare * durationMs);
    PlayGameSound(kSwishSoundKey);
}

float CWindowShadesEffect::GetProgress() const {
    return std::min(m_first->GetProgress(), m_second->GetProgress());
}

void CWindowShadesEffect::SetEnabled(bool enabled) {
    m_first->SetEnabled(enabled);
    m_second->SetEnabled(enabled);
}

void CWindowShadesEffect::SetLayout(GF::THolder<GF::IScene> scene) {
    if (scene == m_scene) return;
    m_scene = scene;
    if (!m_scene) return;
    m_scene->AddDrawable(GF::TDrawablePtr(m_first));
    m_scene->AddDrawable(GF::TDrawablePtr(m_second));
}

void CWindowShadesEffect::RemoveLayout(GF::THolder<GF::IScene> scene) {
    if (!scene || scene != m_scene) return;
    m_scene->RemoveDrawable(GF::TDrawablePtr(m_first));
    m_scene->RemoveDrawable(GF::TDrawablePtr(m_second));
}

int32_t CWindowShadesEffect::TopLayerBelowShades(const GF::THolder<GF::IScene>& scene) {
    int32_t top = std::numeric_limits<int32_t>::min();
    const auto* drawn = dynamic_cast<GF::HGENS::CScene*>(scene.Get());
    if (!drawn) return top;
    const GF::THolder<CWaveEffect>& shade = GetInstance()->GetFirstShade();
    const int32_t shades = shade ? shade->GetLayer() : std::numeric_limits<int32_t>::max();
    for (const GF::TDrawablePtr& drawable : drawn->GetDrawables())
        if (const int32_t layer = drawable->GetLayer(); layer < shades) top = std::max(top, layer);
    return top;
}

void CWindowShadesEffect::RaiseAbove(const GF::TAnimationPtr& layout, int32_t beneath) {
    if (layout && beneath != std::numeric_limits<int32_t>::min() && layout->GetLayer() <= beneath)
        layout->SetLayer(beneath + 1);
}
