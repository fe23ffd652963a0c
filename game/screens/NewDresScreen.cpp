#include "game/screens/NewDresScreen.h"

#include <string>

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/TruncateToInt.h"

void CNewDresScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    ShowNewDress();
    BindControl("ok", "ok", false, kGameFinishFlags);
    BindControl("dres", "ok", false, kGameFinishFlags);
}

void CNewDresScreen::Show() {
    TGameMenuScreen::Show();
    PlayGameSound(kShowSound);
}

// The count comes from the settings file and the stage from the level data: either may leave the
// list (a count of 0, a count past the list, a stage the table lacks).
void CNewDresScreen::ShowNewDress() {
    const int stageNumber = GetCurrentStageNumber();
    const CStageInfo* stage = GetLevelsData().FindStage(GetStageName(stageNumber));
    const int index = TruncateToInt(GetCurrentPlayer().floatVars[kDressesVariable] - 1.0f);
    if (!stage || index < 0 || index >= static_cast<int>(stage->Dresses.size())) {
        GameLog("%s: dress %d of stage %d is not in its list of %d; none shown", m_name.c_str(), index + 1,
                stageNumber, stage ? static_cast<int>(stage->Dresses.size()) : 0);
        return;
    }
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kDressPart).Get() : nullptr);
    if (!place) {
        LogMissingPart(m_name, kDressPart);
        return;
    }
    place->Substitute(kDressPrefix + std::to_string(stage->Dresses[static_cast<std::size_t>(index)]));
}
