#include "game/app/Progress.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr int32_t kPlayerParticipant = 6;

// Float variables.
constexpr int kLevelNumber = 0;
constexpr int kStageOpened = 1;
constexpr int kDress = 3;
constexpr int kLevelPoints = 4;
constexpr int kLevelOutcome = 5;
constexpr int kDressesUnlocked = 15;
constexpr int kDressJustUnlocked = 17;
constexpr int kQualified = 19;
// String variables.
constexpr int kCurrentLevel = 11;
constexpr int kLevelOverride = 12;
constexpr int kLevelToPlay = 29;

// Later stages ask for better places; nothing qualifies past stage 7.
bool Qualifies(int place, int stage) {
    if (place < 1) return false;
    if (stage <= 5) return place <= 3;
    if (stage == 6) return place <= 2;
    if (stage == 7) return place == 1;
    return false;
}

}  // namespace

void StoreLevelResult() {
    CPlayerProfile& player = GetCurrentPlayer();
    const int place = TruncateToInt(player.floatVars[kLevelOutcome]) % 100;
    CLevelProgress& record = player.levels[player.stringVars[kCurrentLevel]];
    const int stage = GetStageNumber(player.stageName);
    if (Qualifies(place, stage)) {
        if (record.place <= 0 || place < record.place) {
            if (record.place > 0 && place == 1) {
                player.floatVars[kDressesUnlocked] += 1.0f;
                player.floatVars[kDressJustUnlocked] = 1.0f;
            }
            record.place = place;
        }
        if (stage < 7) player.floatVars[kQualified] = 1.0f;
    } else {
        player.floatVars[kQualified] = -1.0f;
    }
    SaveSettings();
}

void GetLevelProgress(const std::string& levelName) {
    CPlayerProfile& player = GetCurrentPlayer();
    CLevelProgress& record = player.levels[levelName];
    if (player.floatVars[kLevelOutcome] < 100.0f) {
        player.floatVars[kLevelOutcome] = 1.0f;
        record.place = 1;
    }
    player.floatVars[kLevelPoints] = 250.0f;
    record.scores[kPlayerParticipant] = 250.0f;
    for (const CLevelValuePair& pair : GetLevelsData().GetLevel(levelName).ProgressValues)
        record.scores[pair.Slot] = static_cast<float>(pair.Value);
    StoreLevelResult();
}

int GetCurrentStageNumber() {
    // Looked up without adding: an unknown level must not grow the level table.
    const CLevelInfo* level = GetLevelsData().FindLevel(GetCurrentPlayer().stringVars[kCurrentLevel]);
    return level ? GetStageNumber(level->StageName) : 0;
}

int GetStageNumber(const std::string& stageName) {
    const CStageInfo* stage = GetLevelsData().FindStage(stageName);
    return stage ? stage->Number : 0;
}

std::string GetStageName(int number) {
    CLevelsData& levels = GetLevelsData();
    for (const std::string& name : levels.StageOrder()) {
        const CStageInfo* stage = levels.FindStage(name);
        if (stage && stage->Number == number) return name;
    }
    return {};
}

int CollectStageResults(const std::string& stageName) {
    CPlayerProfile& player = GetCurrentPlayer();
    CLevelsData& levels = GetLevelsData();
    // Levels in name order, so that the sums (and thus the places) do not depend on the hash order.
    std::map<std::string, const CLevelProgress*> played;
    for (const auto& [name, progress] : player.levels) played.emplace(name, &progress);
    std::map<int32_t, float> totals;
    for (const auto& [name, progress] : played) {
        if (levels.GetLevel(name).StageName != stageName) continue;
        for (const auto& [participant, points] : progress->scores) totals[participant] += points;
    }
    if (!totals.count(kPlayerParticipant)) return 0;

    // Descending totals; equal ones keep the ascending participant order. A total that is not a
    // number (a damaged settings file) ranks last instead of breaking the sort.
    auto rank = [](float total) {
        return std::isnan(total) ? -std::numeric_limits<float>::infinity() : total;
    };
    std::vector<std::pair<int32_t, float>> order(totals.begin(), totals.end());
    std::stable_sort(order.begin(), order.end(),
                     [&](const auto& a, const auto& b) { return rank(a.second) > rank(b.second); });
    const auto player6 = std::find_if(order.begin(), order.end(),
                                      [](const auto& entry) { return entry.first == kPlayerParticipant; });
    return 1 + static_cast<int>(player6 - order.begin());
}

void SyncStageProgress(bool store) {
    CPlayerProfile& player = GetCurrentPlayer();
    CStageProgress& record = player.stages[player.stageName];
    if (store) {
        record.best = std::max(record.best, TruncateToInt(player.floatVars[kDressesUnlocked]));
        record.dress = TruncateToInt(player.floatVars[kDress]);
        SaveSettings();
    } else {
        player.floatVars[kDressesUnlocked] = static_cast<float>(record.best);
        player.floatVars[kDress] = static_cast<float>(record.dress);
    }
}

std::string GetStageSummaryName() {
    const std::string& testLevel = GetLevelsData().TestLevelName;
    if (!testLevel.empty()) return testLevel;
    CPlayerProfile& player = GetCurrentPlayer();
    if (!player.stringVars[kLevelToPlay].empty()) return player.stringVars[kLevelToPlay];
    if (!player.stringVars[kLevelOverride].empty()) return player.stringVars[kLevelOverride];
    std::ostringstream name;
    name.imbue(std::locale::classic());
    name << "stage" << player.floatVars[kStageOpened] << "_" << player.floatVars[kLevelNumber];
    return name.str();
}
