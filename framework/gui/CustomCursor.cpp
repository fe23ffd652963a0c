#include "framework/gui/CustomCursor.h"

#include "engine/Hge.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Mouse.h"
#include "framework/resources/Resource.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"

namespace GF {
namespace HGENS {

namespace {

// Shows or hides the system cursor and puts it back where it is, so that the change shows at once.
void ShowSystemCursor(bool show) {
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_SetStateBool(HGE_HIDEMOUSE, !show);
    float x = 0.0f;
    float y = 0.0f;
    hge->Input_GetMousePos(&x, &y);
    hge->Input_SetMousePos(x, y);
    hge->Release();
}

}  // namespace

CCustomCursor::~CCustomCursor() {
    if (m_animation) m_animation->Reset();
}

void CCustomCursor::SetCursor(const std::string& name) {
    if (m_animation) m_animation->Reset();
    m_animation.Reset();
    const THolder<IAnimationData> data = GetResource()->GetAnimationDataByPath(name);
    if (data) m_animation = data->CreateAnimation();
    if (m_animation) m_animation->Play("all", 0, false);
    ShowSystemCursor(!m_animation);
}

void CCustomCursor::RestoreSystemCursor() {
    if (m_animation) m_animation->Reset();
    m_animation.Reset();
    ShowSystemCursor(true);
}

void CCustomCursor::Update(float dt) {
    if (!m_animation) return;
    const THolder<CMouse> mouse = GetMouse();
    m_animation->SetPosition(mouse->GetFloatX(), mouse->GetFloatY());
    m_animation->Update(dt);
}

void CCustomCursor::Draw() {
    if (!m_animation) return;
    const THolder<CGameProperties> properties = GetGameProperties();
    const TPoint<float> at = m_animation->GetPosition();
    if (at.x < 0.0f || at.y < 0.0f || at.x > static_cast<float>(properties->m_screenWidth - 1) ||
        at.y > static_cast<float>(properties->m_screenHeight - 1))
        return;
    const int count = m_animation->GetDrawableCount();
    for (int i = 0; i < count; ++i)
        if (const TDrawablePtr drawable = m_animation->GetDrawable(static_cast<unsigned>(i)))
            drawable->Render();
}

THolder<CCustomCursor> GetCustomCursor() {
    // Never destroyed: at exit the engine its sprites were made with may be gone already.
    static auto* instance = new THolder<CCustomCursor>;
    if (!*instance) *instance = new CCustomCursor;
    return *instance;
}

}  // namespace HGENS
}  // namespace GF
