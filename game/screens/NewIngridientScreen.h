#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/scene/IAnimation.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/ActionBase.h"
#include "game/screens/GameMenuScreen.h"

// The new ingredients of the level about to be played ("new_ingridient_screen"), once per level and
// player: one element ("main_menu.element_ingr": the ingredient's picture, 44 pixels high, standing
// on its name) per key of the level's list, in rows of three (four when more than four rows of three
// would be needed), each appearing 300 ms after the one before it, the first 700 ms after the
// set-up. Sound 11 plays once the window shades are open. A click on "ok" while elements still wait
// shows them all at once; a click once all are shown ends the screen with "play".
//
// A level without new ingredients, or announced before, loads no layout: the screen passes the
// flow on with "play" at its first frame, unseen. The level's announced flag is set when the
// screen is set up.
class CNewIngridientScreen : public TGameMenuScreen,
                             public CActionWorker,
                             public CScreenMaker<CNewIngridientScreen> {
public:
    static constexpr int kArrivalSound = 11;
    static constexpr float kColumnStep = 105.0f;
    static constexpr float kRowStep = 88.0f;
    static constexpr float kFirstDelay = 700.0f;
    static constexpr float kDelayStep = 300.0f;
    static constexpr float kPictureHeight = 44.0f;
    static constexpr const char* kElement = "main_menu.element_ingr";
    static constexpr const char* kLayoutPrefix = "main_menu.ingredients_screen_";

    ~CNewIngridientScreen() override;

    // Chooses the layout by the count of the level's new ingredients, or none.
    void Initialize(const std::string& layoutName, GF::THolder<GF::IScene> scene,
                    const char* phraseKey) override;
    bool Update(const float& dt) override;
    void OnInitialize() override;
    void OnDestroy() override;
    void Show() override;
    void OnCommand(const std::string& command) override;

    void LayoutIngredients(const std::vector<std::string>& keys);
    GF::TAnimationPtr CreateIngredientElement(const std::string& key);

    // The layout for that many new ingredients; empty for none.
    static std::string LayoutFor(std::size_t count);
    // The name with its first space, and only that one, followed by a line break.
    static GF::WString BreakName(const GF::WString& name);

    const std::string& GetLevelName() const { return m_levelName; }
    const std::vector<GF::TAnimationPtr>& GetElements() const { return m_elements; }

private:
    friend CScreenMaker<CNewIngridientScreen>;
    CNewIngridientScreen() = default;

    // Shows the elements whose start delay has run out.
    void RevealWoken();

    std::string m_levelName;
    std::vector<GF::TAnimationPtr> m_elements;
};
