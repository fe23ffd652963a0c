#include "game/screens/DuelLoseScreen.h"

#include <cmath>
#include <cstdio>

#include "framework/core/WString.h"
#include "framework/gui/BaseControl.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/SoundNames.h"
#include "game/screens/DuelStatisticsScreen.h"

namespace {

constexpr const char* kTime = "_time";
constexpr int32_t kPlayerDuel = 101;
constexpr int32_t kLevelNameVariable = 11;
constexpr int32_t kReplayVariable = 29;
constexpr int32_t kHighestFlagPortrait = 7;

bool WonBefore() {
    const std::string& name = GetCurrentPlayer().stringVars[kLevelNameVariable];
    const auto& levels = GetCurrentPlayer().levels;
    const auto found = levels.find(name);
    return found != levels.end() && found->second.place == 1;
}

}  // namespace

CDuelLoseScreen::~CDuelLoseScreen() = default;

GF::WString CDuelLoseScreen::FormatTime(float ms) {
    // The time comes from the settings file: anything outside a sane range is shown at its edge.
    const float clamped = std::isnan(ms) ? 0.0f : std::fmin(std::fmax(ms, 0.0f), kLongestTime);
    const int seconds = static_cast<int>(clamped / 1000.0);
    char text[16];
    std::snprintf(text, sizeof(text), "%d:%02d", seconds / 60, seconds % 60);
    return GF::Widen(text);
}

int CDuelLoseScreen::FlagNumber(const CLevelInfo& level) {
    const std::vector<COrderInfo>& orders = level.Orders;
    const std::size_t rival = !orders.empty() && orders.front().Kind == kPlayerDuel ? 1 : 0;
    if (rival >= orders.size()) return 0;
    const int32_t portrait = orders[rival].Portrait;
    return (portrait > kHighestFlagPortrait ? kHighestFlagPortrait - 1 : portrait) + 1;
}

void CDuelLoseScreen::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    const CLevelInfo* level = DuelResult::CurrentLevel();
    if (const int flag = level ? FlagNumber(*level) : 0; flag != 0)
        DuelResult::ShowFlag(m_layout, flag);
    else
        GameLog("%s: no order names the rival, so no flag", m_name.c_str());
    DuelResult::ShowDish(m_name, m_layout, m_scene, level);
    DuelResult::ShowRound(m_layout, level);
    const std::string& name = GetCurrentPlayer().stringVars[kLevelNameVariable];
    if (m_layout) m_layout->SetText(kTime, FormatTime(GetCurrentPlayer().levels[name].value));
    BindControl("replay", "replay", false, kGameFinishFlags);
    BindControl("map", "map", false, kGameFinishFlags);
    BindControl("replay_2", "replay", false, kGameFinishFlags);
    BindControl("continue", "next", false, kGameFinishFlags);
    // Before the first win the round is replayed or left; after it, replayed again or gone on from.
    static constexpr const char* kOffWhenWon[] = {"replay", "map"};
    static constexpr const char* kOffBeforeWin[] = {"replay_2", "continue"};
    // Those not offered are put away, so that no caption shows twice.
    for (const char* control : WonBefore() ? kOffWhenWon : kOffBeforeWin)
        OfferControl(FindControl(control), false);
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
}

void CDuelLoseScreen::Show() {
    TGameMenuScreen::Show();
}

void CDuelLoseScreen::OnCommand(const std::string& command) {
    TGameMenuScreen::OnCommand(command);
    if (WonBefore() && GetResult() == "replay") {
        CPlayerProfile& player = GetCurrentPlayer();
        player.stringVars[kReplayVariable] = player.stringVars[kLevelNameVariable];
    }
}
