#include "game/screens/LoseScreen.h"

#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/screens/StatisticsScreen.h"

namespace {

constexpr int kLevelVariable = 11;
constexpr int kNextLevelVariable = 29;
constexpr int kDuelStage = 6;

// The best place stored for the level just played (0: never passed).
int StoredBestPlace() {
    CPlayerProfile& player = GetCurrentPlayer();
    return player.levels[player.stringVars[kLevelVariable]].place;
}

}  // namespace

void CLoseScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    ShowInPart(m_layout, "_ribbon_place", "main_menu.ribbon_4");
    ShowLevelFigures(m_layout);

    BindControl("replay", "replay", false, kGameFinishFlags);
    BindControl("menu", "map", false, kGameFinishFlags);
    BindControl("replay_2", "replay", false, kGameFinishFlags);
    BindControl("continue", "next", false, kGameFinishFlags);
    const int best = StoredBestPlace();
    const bool passedBefore = best >= 1 && best <= 3;
    OfferControl(FindControl("replay"), !passedBefore);
    OfferControl(FindControl("menu"), !passedBefore);
    OfferControl(FindControl("replay_2"), passedBefore);
    OfferControl(FindControl("continue"), passedBefore);

    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
}

void CLoseScreen::Show() {
    TGameMenuScreen::Show();
    PlayGameSound(kShowSound);
}

void CLoseScreen::Idle() {
    TGameMenuScreen::Idle();
    PlayMusic(kMusicGameMenu);
}

void CLoseScreen::OnCommand(const std::string& command) {
    TGameMenuScreen::OnCommand(command);
    if (m_result != "replay") return;
    const int best = StoredBestPlace();
    const int stage = GetCurrentStageNumber();
    const bool passed =
        (stage <= 5 && best >= 1 && best <= 3) || (stage == kDuelStage && best >= 1 && best <= 2);
    if (!passed) return;
    CPlayerProfile& player = GetCurrentPlayer();
    player.stringVars[kNextLevelVariable] = player.stringVars[kLevelVariable];
}
