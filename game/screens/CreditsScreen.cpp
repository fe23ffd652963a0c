#include "game/screens/CreditsScreen.h"

#include "framework/core/Keyset.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameData.h"

namespace {

constexpr const char* kBack = "back";

}  // namespace

void CCreditsScreen::OnInitialize() {
    AddPhaseTask(GF::CKeyset::kKeyEnter, kBack, false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, kBack, false, kGameFinishFlags);
    BindControl("ok", kBack, false, kGameFinishFlags);
    BindControl("back", kBack, false, kGameFinishFlags);
    TGameMenuScreen::OnInitialize();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
}
