#pragma once
#include <cstdint>
#include <vector>

#include "framework/core/Holder.h"
#include "game/app/PlayerStore.h"
#include "game/app/ScreenMaker.h"
#include "game/screens/GameMenuScreen.h"

// The current player's tournament table ("HighScoreScreen"): the participants' totals over every
// level the player has records of, best first, eight rows of portrait, name and truncated total in
// the table the layout's "_text" hosts. "back" and Escape leave it; it sounds "face_fadein" when it
// shows and "face_fadeout" when it hides.
class CHighScoreScreen : public TGameMenuScreen, public CScreenMaker<CHighScoreScreen> {
public:
    struct tagEntry {
        int32_t id = 0;
        float total = 0.0f;
    };
    static constexpr int kRows = 8;
    static constexpr int32_t kPlayerId = 6;
    // The player's head start: ahead of every rival with the same sum, and still shown as 0.
    static constexpr float kPlayerHeadStart = 0.1f;

    // Participants 0 to 7 and every other one the records name, by total (largest first), equal
    // totals by ascending identifier.
    static std::vector<tagEntry> BuildTable(const CPlayerProfile& player);

    void OnInitialize() override;
    void Show() override;
    void Hide() override;

private:
    friend CScreenMaker<CHighScoreScreen>;
    CHighScoreScreen() = default;

    void FillRows();

    std::vector<tagEntry> m_table;
};
