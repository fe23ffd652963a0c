#include "framework/gui/PublisherScreen.h"

namespace GF {
namespace HGENS {

THolder<IScreen> CPublisherScreen::Create() {
    return THolder<IScreen>(new CPublisherScreen);
}

void CPublisherScreen::OnInitialize() {
    m_splash = new CSpalshDrawable;
    m_splash->Init();
    if (m_scene) m_scene->AddDrawable(TDrawablePtr(m_splash));
}

bool CPublisherScreen::Update(const float& dt) {
    const THolder<IScreen> self = Self();  // the result's listeners may let go of the screen
    if (m_splash) {
        m_splash->Update(dt);
        if (m_splash->IsFinished() && m_result != kResultStarting)
            Finish(kResultStarting, kPhaseIdle | kAutoShow | kHideBeforeFinish);
    }
    return CMenuScreenAbstract::Update(dt);
}

}  // namespace HGENS
}  // namespace GF
