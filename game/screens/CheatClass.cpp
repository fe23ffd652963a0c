#include "game/screens/CheatClass.h"

#include <algorithm>
#include <string>
#include <vector>

#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/TruncateToInt.h"

namespace {

// Float variables.
constexpr int kLevelNumber = 0;
constexpr int kStageOpened = 1;
constexpr int kStageZoom = 14;
constexpr int kZoomIntoStage = 16;
constexpr int kStageFinished = 32;

constexpr int kHighestStage = 7;
constexpr int kLastLevel = 9;
constexpr int32_t kOpenedStage = 4;
constexpr int kFlagCount = 50;
constexpr int32_t kHintShows = 10;

}  // namespace

CCheatClass& GetCheatListener() {
    static CCheatClass listener;
    return listener;
}

void CCheatClass::OnChar(GF::WChar ch) {
    if (m_position >= m_code.size()) return;
    const GF::WChar expected = m_code[m_position];
    const bool accepted = ch != u'#' && (expected == u'#' ? ch >= u'1' && ch <= u'7' : ch == expected);
    if (!accepted) {
        m_position = 0;
        return;
    }
    GameLog("%s", GF::Utf16ToUtf8(GF::WString(1, ch)).c_str());
    if (++m_position < m_code.size()) return;
    m_unlocked = !m_unlocked;
    m_position = 0;
    Apply(ch);
}

void CCheatClass::Apply(GF::WChar ch) {
    int digit = static_cast<int16_t>(ch - u'0');
    if (digit < 0 || digit > kHighestStage) digit = kHighestStage;

    // Level names sorted, so the levels are recorded in the same order on every run.
    CLevelsData& levels = GetLevelsData();
    std::vector<std::string> names;
    for (const auto& [name, level] : levels.Levels) names.push_back(name);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const int stage = GetStageNumber(levels.Levels[name].StageName);
        if (stage < 1 || stage > digit) continue;
        GetLevelProgress(name);
        // The recipes the level orders count as met, as a played level enters them.
        CPlayerProfile& player = GetCurrentPlayer();
        for (const COrderInfo& order : levels.Levels[name].Orders) player.flags2[order.Recept] = true;
    }

    CPlayerProfile& player = GetCurrentPlayer();
    const bool all = digit == kHighestStage;
    player.floatVars[kStageOpened] = static_cast<float>(all ? kHighestStage : digit + 1);
    // Every stage opened leaves the player at the last stage's ninth level, its last.
    player.floatVars[kLevelNumber] = all ? static_cast<float>(kLastLevel) : 1.0f;
    player.floatVars[kStageFinished] = all ? 1.0f : 0.0f;
    player.floatVars[kStageZoom] = 0.0f;
    player.floatVars[kZoomIntoStage] = 0.0f;
    player.stageName = GetStageName(TruncateToInt(player.floatVars[kStageOpened]));

    for (const std::string& stageName : levels.StageOrder()) {
        const auto stage = levels.Stages().find(stageName);
        if (stage == levels.Stages().end()) continue;
        if (stage->second.Number >= 1 && stage->second.Number <= digit)
            player.stages[stageName].best = kOpenedStage;
    }
    for (int i = 0; i < kFlagCount; ++i) {
        player.flags["comics_" + std::to_string(i)] = true;
        player.hintShows[i] = kHintShows;
    }
    // The levels above were saved as they were recorded, before the stages they open: the file
    // gets the opened stages too, as a new start from the title sets it aside.
    SaveSettings();
}
