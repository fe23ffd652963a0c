#include "game/app/ScreenRegistry.h"

#include "framework/gui/PublisherScreen.h"
#include "game/screens/CookChangePlayerScreen.h"
#include "game/screens/CookConfirmMenuScreen.h"
#include "game/screens/CookNewPlayerMenuScreen.h"
#include "game/screens/CookOptionsMenuScreen.h"
#include "game/screens/MainMenuScreen.h"
#include "game/screens/PlaceholderScreen.h"
#include "game/screens/SplashScreen.h"

namespace {

using GF::HGENS::CPublisherScreen;

const tagScreenEntry kScreens[] = {
    {"SplashScreen", &CSplashScreen::Create},
    {"GameScreen", &CPlaceholderScreen::Create},
    {"LoseScreen", &CPlaceholderScreen::Create},
    {"StatisticsScreen", &CPlaceholderScreen::Create},
    {"MainMenuScreen", &CMainMenuScreen::Create},
    {"OptionsScreen", &CCookOptionsMenuScreen::Create},
    {"InGameMenuScreen", &CIngameMenuScreen::Create},
    {"StageStatisticsScreen", &CPlaceholderScreen::Create},
    {"confirm_exit_screen", &CCookConfirmMenuScreen::Create},
    {"confirm_screen", &CCookConfirmMenuScreen::Create},
    {"new_player_screen", &CCookNewPlayerMenuScreen::Create},
    {"ChangePlayerScreen", &CCookChangePlayerScreen::Create},
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
