#pragma once
#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The dress just unlocked in the current stage ("new_dress_screen"): the stage's dress list entry
// that float variable 15 counts to (1 the first) stands in "_item_dres", with sound 21 as the
// screen shows. "ok" and the dress itself ("dres") end it with "ok". A count outside the stage's
// list shows no dress (logged); the screen still ends with "ok".
class CNewDresScreen : public TGameMenuScreen, public CScreenMaker<CNewDresScreen> {
public:
    static constexpr int kShowSound = 21;
    static constexpr int kDressesVariable = 15;
    static constexpr const char* kDressPart = "_item_dres";
    static constexpr const char* kDressPrefix = "Velmo_room.dres_";

    void OnInitialize() override;
    void Show() override;

    void ShowNewDress();

private:
    friend CScreenMaker<CNewDresScreen>;
    CNewDresScreen() = default;
};
