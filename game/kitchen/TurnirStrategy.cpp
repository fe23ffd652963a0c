#include "game/kitchen/TurnirStrategy.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/core/Random.h"
#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/GameFieldBase.h"

namespace {

// The points of an average order without its items; also the whole average of a level whose orders
// name no known recipe, which would otherwise divide the targets by 0.
constexpr float kOrderBasePoints = 8.0f;
constexpr float kPointsPerItem = 0.5f;
// The participant numbers that have a portrait; the player's own is not a rival's.
constexpr int32_t kLastParticipant = 7;

}  // namespace

CTurnirStrategy::~CTurnirStrategy() = default;

void CTurnirStrategy::Start(GF::THolder<CGameFieldBase> bound) {
    field = std::move(bound);
    rivals.clear();
    const CLevelInfo* level = field ? field->GetLevel() : nullptr;
    if (!level || level->ProgressValues.empty()) return;
    float sum = 0.0f;
    int counted = 0;
    for (const COrderInfo& order : field->GetOrders()) {
        if (const CReceptInfo* recipe = GetLevelsData().FindRecept(order.Recept)) {
            sum += kPointsPerItem * static_cast<float>(recipe->Items.size());
            ++counted;
        }
    }
    if (counted > 0) {
        averagePoints = sum / static_cast<float>(counted) + kOrderBasePoints;
    } else {
        averagePoints = kOrderBasePoints;
        GameLog("tournament: no order of \"%s\" names a known recipe; an average order makes %g points",
                field->GetLevelName().c_str(), static_cast<double>(averagePoints));
    }
    CRivalsPanel& panel = field->GetRivalsPanel();
    panel.ShowRivalPortraits(CRivalsPanel::kPlayer, 0.0f);
    const auto average = static_cast<int32_t>(averagePoints);
    for (const CLevelValuePair& pair : level->ProgressValues) {
        if (pair.Slot == CRivalsPanel::kPlayer || pair.Slot < 0 || pair.Slot > kLastParticipant) {
            GameLog("tournament: \"%s\" names participant %d as a rival; it is left out",
                    field->GetLevelName().c_str(), pair.Slot);
            continue;
        }
        const int32_t steps = pair.Value / average;
        panel.ShowRivalPortraits(pair.Slot, 0.0f);
        tagRival rival;
        rival.participant = pair.Slot;
        rival.stepsLeft = steps + 1;
        rival.target = pair.Value;
        rival.timer = (static_cast<float>(GF::Rand() % 90) + 50.0f) *
                      (level->Duration / static_cast<float>(steps + 2)) / 100.0f;
        rivals.push_back(rival);
    }
}

void CTurnirStrategy::UpdateRivals(const float& dt) {
    if (stopped || !field) return;
    const CLevelInfo* level = field->GetLevel();
    if (!level) return;
    const float remaining = level->Duration - field->GetElapsed();
    for (tagRival& rival : rivals) {
        if (rival.stepsLeft <= 0) continue;
        rival.timer -= dt;
        if (rival.timer > 0.0f) continue;
        // Summed wide: a target near the integer's end must not overflow.
        const int64_t draw = GF::Rand() % 20;
        float gain = static_cast<float>(draw + int64_t{rival.target} - rival.points);
        --rival.stepsLeft;
        if (rival.stepsLeft > 0) gain /= static_cast<float>(rival.stepsLeft + 1);
        const int64_t points = int64_t{rival.points} + TruncateToInt(gain);
        rival.points = static_cast<int32_t>(std::clamp<int64_t>(points, std::numeric_limits<int32_t>::min(),
                                                                std::numeric_limits<int32_t>::max()));
        rival.timer = (static_cast<float>(GF::Rand() % 20) + 80.0f) * remaining /
                      (static_cast<float>(rival.stepsLeft) + 0.2f) / 100.0f;
        field->GetRivalsPanel().SetScore(rival.participant, static_cast<float>(rival.points));
    }
}

void CTurnirStrategy::Reset() {
    field.Reset();
}
