#pragma once
#include <vector>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The recipes just learned ("new_recept_screen"): the caption "<n> recipes" (n from float variable
// 27; "recipe" alone for one or none) and the frame "main_menu.recept_place_<m>" for the m names
// of the player's list of new recipes, each recipe's picture and title on it, with sound 20 as the
// screen shows. Setting up the screen uses the news: variable 27 becomes 0 and the list is emptied.
// "ok" ends it with "ok", "cookbook" with "cookbook". The frame stands above the layout: it and its
// pictures are hidden while the screen is (the book opens over it, in its scene).
class CNewReceptScreen : public TGameMenuScreen, public CScreenMaker<CNewReceptScreen> {
public:
    static constexpr int kShowSound = 20;
    static constexpr int kNewRecipesVariable = 27;
    static constexpr const char* kFramePrefix = "main_menu.recept_place_";
    static constexpr int kFrameLayer = 20000;

    void OnInitialize() override;
    void Show() override;
    void Hide() override;

    void ShowNewRecipes();

private:
    friend CScreenMaker<CNewReceptScreen>;
    CNewReceptScreen() = default;

    void SetFrameVisible(bool visible);

    GF::TAnimationPtr m_frame;
    std::vector<GF::TAnimationPtr> m_pictures;
};
