#include "game/screens/LoserScreen.h"

#include <sstream>
#include <string>

#include "framework/resources/AnimationData.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/screens/StatisticsScreen.h"

namespace {

constexpr int kLeaverVariable = 18;

}  // namespace

void CLoserScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    BindControl("ok", "ok", false, kGameFinishFlags);
    const GF::THolder<GF::IAnimationData> description =
        m_layout ? m_layout->GetAnimationData() : GF::THolder<GF::IAnimationData>();
    const char* layoutName = description ? description->GetName() : nullptr;
    if (layoutName && std::string(layoutName) == kLayoutName) {
        // The number as a stream writes a float by default: 5.0 is "5", 2.5 is "2.5".
        std::ostringstream leaver;
        leaver << GetCurrentPlayer().floatVars[kLeaverVariable];
        ShowInPart(m_layout, "_pers_place", "interfaces.pers_bad_" + leaver.str());
        ShowInPart(m_layout, "_name_place", "interfaces.pers_name_" + leaver.str());
    }
    PlayGameSound(kShowSound);
}
