#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/gui/Screen.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

struct CLevelInfo;

// The won duel round ("DuelStatisticsScreen"): the round's number, the points, the stage's flag
// and the round's dish with its title; "continue" goes on with "next".
class CDuelStatisticsScreen : public TGameMenuScreen, public CScreenMaker<CDuelStatisticsScreen> {
public:
    static constexpr int kIdleSound = 35;

    ~CDuelStatisticsScreen() override;
    void OnInitialize() override;
    void OnDestroy() override;
    void Show() override;
    // Sounds the round's fanfare each time the screen settles.
    void Idle() override;

private:
    friend CScreenMaker<CDuelStatisticsScreen>;
    CDuelStatisticsScreen() = default;
};

// What both duel result screens show, from the current level as the player left it.
namespace DuelResult {

// The current level (string variable 11), or null when the levels table lacks it.
const CLevelInfo* CurrentLevel();
// The round's dish: "main_menu.recept_place_duel" in the layout's "_recept_place", the picture
// named by the recipe of the level's first order in its first drawable, the recipe's title in the
// second. A level without orders, or a recipe or picture the tables lack, shows less; each is logged.
void ShowDish(const std::string& screen, const GF::TAnimationPtr& layout,
              const GF::THolder<GF::IScene>& scene, const CLevelInfo* level);
// The flag "main_menu.country_<number>" in "_place_country".
void ShowFlag(const GF::TAnimationPtr& layout, int number);
// "_round" with its token "_round" replaced by the level's number.
void ShowRound(const GF::TAnimationPtr& layout, const CLevelInfo* level);

}  // namespace DuelResult
