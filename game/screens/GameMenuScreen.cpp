#include "game/screens/GameMenuScreen.h"

#include "framework/gui/BaseControl.h"
#include "game/app/GameLog.h"

void LogMissingPart(const std::string& screen, const std::string& part) {
    GameLog("Screen \"%s\": the layout lacks \"%s\"; left out", screen.c_str(), part.c_str());
}

void OfferControl(const GF::THolder<GF::HGENS::CBaseControl>& control, bool offered) {
    if (!control) return;
    control->SetEnabled(offered);
    control->SetVisible(offered);
}
