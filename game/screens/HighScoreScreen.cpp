#include "game/screens/HighScoreScreen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "framework/app/GameSound.h"
#include "framework/core/Keyset.h"
#include "framework/core/WString.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/Players.h"
#include "game/app/ResourceText.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr const char* kTable = "_text";
constexpr int32_t kParticipants = 8;

// Totals read from the settings file may be anything; one that is not a number ranks last.
float RankOf(float total) {
    return std::isnan(total) ? -std::numeric_limits<float>::infinity() : total;
}

void PlayNamedSound(const char* name) {
    GF::HGENS::CGameSound::Instance()->PlaySound(name, 0.0f, 0.0f);
}

}  // namespace

std::vector<CHighScoreScreen::tagEntry> CHighScoreScreen::BuildTable(const CPlayerProfile& player) {
    std::map<int32_t, float> totals;
    for (int32_t id = 0; id < kParticipants; ++id) totals[id] = id == kPlayerId ? kPlayerHeadStart : 0.0f;
    for (const auto& [level, progress] : player.levels)
        for (const auto& [id, score] : progress.scores) totals[id] += score;
    std::vector<tagEntry> table;
    table.reserve(totals.size());
    for (const auto& [id, total] : totals) table.push_back({id, total});
    std::stable_sort(table.begin(), table.end(),
                     [](const tagEntry& a, const tagEntry& b) { return RankOf(a.total) > RankOf(b.total); });
    return table;
}

void CHighScoreScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    BindControl("back", "back", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kGameFinishFlags);
    m_table = BuildTable(GetCurrentPlayer());
    FillRows();
}

void CHighScoreScreen::FillRows() {
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kTable).Get() : nullptr);
    const GF::TAnimationPtr table = place ? place->GetSubstituted(0) : GF::TAnimationPtr();
    if (!table) {
        LogMissingPart(m_name, kTable);
        return;
    }
    const int rows = std::min<int>(kRows, static_cast<int>(m_table.size()));
    for (int row = 1; row <= rows; ++row) {
        const tagEntry& entry = m_table[static_cast<std::size_t>(row - 1)];
        const std::string suffix = std::to_string(row);
        const std::string name = "_text_" + suffix, number = "_num_" + suffix, icon = "_icon_" + suffix;
        const GF::TSubstitutedContainerPtr iconPlace(table->FindDrawable(icon).Get());
        if (!table->FindDrawable(name) || !table->FindDrawable(number) || !iconPlace) {
            LogMissingPart(m_name, "row " + suffix);
            continue;
        }
        // Widened first: an identifier from the settings file may be the largest int32_t.
        table->SetText(name, ResourceText("pers_name_" + std::to_string(int64_t{entry.id} + 1)));
        table->SetText(number, GF::Utf8ToUtf16(std::to_string(TruncateToInt(entry.total))));
        iconPlace->Substitute("interfaces.pers_" + std::to_string(entry.id));
    }
}

void CHighScoreScreen::Show() {
    TGameMenuScreen::Show();
    PlayNamedSound(kSoundFaceIn);
}

void CHighScoreScreen::Hide() {
    GF::HGENS::CScreenAbstract::Hide();
    PlayNamedSound(kSoundFaceOut);
}
