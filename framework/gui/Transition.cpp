#include "framework/gui/Transition.h"

#include "framework/app/GameManager.h"
#include "framework/core/Delegate.h"
#include "framework/core/GameProperties.h"

namespace GF {
namespace HGENS {

CNoneEffect::CNoneEffect() : m_hge(hgeCreate(HGE_VERSION)) {}

CNoneEffect::~CNoneEffect() {
    m_hge->Release();
}

// The view transform is read every frame, so a change of it shows in the next frame.
void CNoneEffect::BeginRender() {
    BeginScreenFrame(m_hge);
}

CSmoothShow::CSmoothShow() : m_hge(hgeCreate(HGE_VERSION)), m_manager(GetGameManager().Get()) {
    m_hge->System_Log("CSmoothShow::CSmoothShow()");
    m_manager->GetActivateEvent().Add(CreateDelegate(this, &CSmoothShow::OnActivate));
}

CSmoothShow::~CSmoothShow() {
    m_manager->GetActivateEvent().Remove(CreateDelegate(this, &CSmoothShow::OnActivate));
    m_hge->System_Log("CSmoothShow::~CSmoothShow()");
    if (m_target) m_hge->Target_Free(m_target);
    m_sprite.reset();
    m_hge->Release();
}

void CSmoothShow::Start(THolder<IScene> scene, float duration) {
    m_duration = m_timeLeft = duration;
    const THolder<CGameProperties> properties = GetGameProperties();
    const int width = properties->m_screenWidth;
    const int height = properties->m_screenHeight;
    m_target = m_hge->Target_Create(width, height, false);
    if (!m_target) return;

    const HTEXTURE texture = m_hge->Target_GetTexture(m_target);
    m_hge->Gfx_BeginScene(m_target);
    if (scene) scene->Render();
    m_hge->Gfx_EndScene();
    m_sprite = std::make_unique<hgeSprite>(texture, 0.0f, 0.0f, static_cast<float>(width),
                                           static_cast<float>(height));
}

void CSmoothShow::BeginRender() {
    m_hge->Gfx_BeginScene(0);
}

void CSmoothShow::EndRender() {
    if (!IsFinished()) m_sprite->Render(0.0f, 0.0f);
}

bool CSmoothShow::IsFinished() {
    return !(m_timeLeft > 0.0f) || !m_sprite;
}

void CSmoothShow::Update(const float& dt) {
    if (!m_sprite) return;
    m_timeLeft -= dt;
    if (m_timeLeft < 0.0f) m_timeLeft = 0.0f;
    // A fade of no length has nothing left to show; without this guard 0 / 0
    // would make the alpha.
    float level = m_duration > 0.0f ? m_timeLeft / m_duration * 255.0f : 0.0f;
    if (level > 255.0f) level = 255.0f;
    const DWORD alpha = static_cast<DWORD>(level);
    m_sprite->SetColor((m_sprite->GetColor() & 0x00FFFFFFu) | (alpha << 24));
}

void CSmoothShow::OnActivate() {
    m_timeLeft = 0.0f;
}

}  // namespace HGENS
}  // namespace GF
