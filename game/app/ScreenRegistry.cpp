#include "game/app/ScreenRegistry.h"

#include "game/kitchen/GameScreen.h"
#include "game/screens/BonusStatisticsScreen.h"
#include "game/screens/ComiksScreen.h"
#include "game/screens/CookBook.h"
#include "game/screens/CookChangePlayerScreen.h"
#include "game/screens/CookConfirmMenuScreen.h"
#include "game/screens/CookNewPlayerMenuScreen.h"
#include "game/screens/CookOptionsMenuScreen.h"
#include "game/screens/CookPublisherScreen.h"
#include "game/screens/CreditsScreen.h"
#include "game/screens/DuelLoseScreen.h"
#include "game/screens/DuelStatisticsScreen.h"
#include "game/screens/HelpScreen.h"
#include "game/screens/HighScoreScreen.h"
#include "game/screens/LoseScreen.h"
#include "game/screens/LoserScreen.h"
#include "game/screens/MainMenuScreen.h"
#include "game/screens/MapScreen.h"
#include "game/screens/NewDresScreen.h"
#include "game/screens/NewIngridientScreen.h"
#include "game/screens/NewReceptScreen.h"
#include "game/screens/SplashScreen.h"
#include "game/screens/StageStatisticsScreen.h"
#include "game/screens/StatisticsScreen.h"
#include "game/screens/VelmoRoom.h"

namespace {

const tagScreenEntry kScreens[] = {
    {"SplashScreen", &CSplashScreen::Create},
    {"GameScreen", &CGameScreen::Create},
    {"LoseScreen", &CLoseScreen::Create},
    {"StatisticsScreen", &CStatisticsScreen::Create},
    {"MainMenuScreen", &CMainMenuScreen::Create},
    {"OptionsScreen", &CCookOptionsMenuScreen::Create},
    {"InGameMenuScreen", &CIngameMenuScreen::Create},
    {"StageStatisticsScreen", &CStageStatisticsScreen::Create},
    {"confirm_exit_screen", &CCookConfirmMenuScreen::Create},
    {"confirm_screen", &CCookConfirmMenuScreen::Create},
    {"new_player_screen", &CCookNewPlayerMenuScreen::Create},
    {"ChangePlayerScreen", &CCookChangePlayerScreen::Create},
    {"HighScoreScreen", &CHighScoreScreen::Create},
    {"message_screen", &CCookConfirmMenuScreen::Create},
    {"CreditsScreen", &CCreditsScreen::Create},
    {"new_ingridient_screen", &CNewIngridientScreen::Create},
    {"new_recept_screen", &CNewReceptScreen::Create},
    {"bonus_message_screen", &CCookConfirmMenuScreen::Create},
    {"CookingBookScreen", &CCookBook::Create},
    {"VelmoRoomScreen", &CVelmoRoom::Create},
    {"ProgressMapScreen", &CMapScreen::Create},
    {"BonusStatisticsScreen", &CBonusStatisticsScreen::Create},
    {"HelpScreen", &CHelpScreen::Create},
    {"DuelStatisticsScreen", &CDuelStatisticsScreen::Create},
    {"DuelLoseScreen", &CDuelLoseScreen::Create},
    {"PublisherScreen", &CCookPublisherScreen::Create},
    {"new_dress_screen", &CNewDresScreen::Create},
    {"HintScreen", &CCreditsScreen::Create},
    {"LoserScreen", &CLoserScreen::Create},
    {"ComicsScreen", &CComiksScreen::Create},
};

}  // namespace

std::span<const tagScreenEntry> GetScreenRegistry() {
    return kScreens;
}
