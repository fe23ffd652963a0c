#include "game/app/ScreenRegistry.h"

#include "framework/gui/NewPlayerScreen.h"
#include "framework/gui/PublisherScreen.h"
#include "game/kitchen/GameScreen.h"
#include "game/screens/CookConfirmMenuScreen.h"
#include "game/screens/PlaceholderScreen.h"

namespace {

using GF::HGENS::CNewPlayerMenuScreen;
using GF::HGENS::CPublisherScreen;

const tagScreenEntry kScreens[] = {
    {"SplashScreen", &CPlaceholderScreen::Create},
    {"GameScreen", &CGameScreen::Create},
    {"LoseScreen", &CPlaceholderScreen::Create},
    {"StatisticsScreen", &CPlaceholderScreen::Create},
    {"MainMenuScreen", &CPlaceholderScreen::Create},
    {"OptionsScreen", &CPlaceholderScreen::Create},
    {"InGameMenuScreen", &CPlaceholderScreen::Create},
    {"StageStatisticsScreen", &CPlaceholderScreen::Create},
    {"confirm_exit_screen", &CCookConfirmMenuScreen::Create},
    {"confirm_screen", &CCookConfirmMenuScreen::Create},
    {"new_player_screen", &CNewPlayerMenuScreen::Create},
    {"ChangePlayerScreen", &CPlaceholderScreen::Create},
    {"HighScoreScreen", &CPlaceholderScreen::Create},
    {"message_screen", &CCookConfirmMenuScreen::Create},
    {"CreditsScreen", &CPlaceholderScreen::Create},
    {"new_ingridient_screen", &CPlaceholderScreen::Create},
    {"new_recept_screen", &CPlaceholderScreen::Create},
    {"bonus_message_screen", &CCookConfirmMenuScreen::Create},
    {"CookingBookScreen", &CPlaceholderScreen::Create},
    {"VelmoRoomScreen", &CPlaceholderScreen::Create},
    {"ProgressMapScreen", &CPlaceholderScreen::Create},
    {"BonusStatisticsScreen", &CPlaceholderScreen::Create},
    {"HelpScreen", &CPlaceholderScreen::Create},
    {"DuelStatisticsScreen", &CPlaceholderScreen::Create},
    {"DuelLoseScreen", &CPlaceholderScreen::Create},
    {"PublisherScreen", &CPublisherScreen::Create},
    {"new_dress_screen", &CPlaceholderScreen::Create},
    {"HintScreen", &CPlaceholderScreen::Create},
    {"LoserScreen", &CPlaceholderScreen::Create},
    {"ComicsScreen", &CPlaceholderScreen::Create},
};

}  // namespace

std::span<const tagScreenEntry> GetScreenRegistry() {
    return kScreens;
}
