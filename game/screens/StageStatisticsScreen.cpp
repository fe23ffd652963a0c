#include "game/screens/StageStatisticsScreen.h"

#include <algorithm>
#include <cstdint>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/screens/HighScoreScreen.h"
#include "game/screens/StatisticsScreen.h"

namespace {

constexpr int kHighestStageVariable = 1;
constexpr int32_t kPlayer = 6;
constexpr int kDuelStage = 6;
constexpr const char* kProbe = "main_menu.ribbon_5";
constexpr const char* kParticleTexture = "particles_2";

// The stage a tournament stage's result is about: the current player's current stage.
int CurrentStage() {
    return GetStageNumber(GetCurrentPlayer().stageName);
}

}  // namespace

CStageStatisticsScreen::~CStageStatisticsScreen() {
    m_playerCup.Reset();
    m_ranking.clear();
}

void CStageStatisticsScreen::Initialize(const std::string& layoutName, GF::THolder<GF::IScene> scene,
                                        const char* phraseKey) {
    const std::string name = CurrentStage() == kDuelStage ? layoutName + "_2" : layoutName;
    TGameMenuScreen::Initialize(name, scene, phraseKey);
}

void CStageStatisticsScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);

    // The sums over the player's levels of this stage; the player's head start decides a tie.
    CPlayerProfile& player = GetCurrentPlayer();
    CPlayerProfile stage;
    for (const auto& [name, progress] : player.levels) {
        const CLevelInfo* level = GetLevelsData().FindLevel(name);
        if (level && level->StageName == player.stageName) stage.levels[name] = progress;
    }
    m_ranking.clear();
    for (const CHighScoreScreen::tagEntry& entry : CHighScoreScreen::BuildTable(stage))
        m_ranking.emplace_back(entry.id, entry.total);

    // Who leaves: ranking position 8 - s, which only a stage numbered 1 to 8 has.
    const int s = CurrentStage();
    float leaver = -1.0f;
    if (s >= 1 && s <= 8)
        leaver = static_cast<float>(m_ranking[static_cast<std::size_t>(8 - s)].first);
    else
        GameLog("Stage statistics: stage %d is not a tournament stage; nobody leaves", s);
    player.floatVars[kLeaverVariable] = leaver;

    const int p = TruncateToInt(player.floatVars[kHighestStageVariable] - 1.0f);
    ShowPodium(s, p);
    ShowRibbons(p);
    BindControl("continue", "next", false, kGameFinishFlags);
}

void CStageStatisticsScreen::ShowPodium(int stage, int mapIndex) {
    // The portraits and cups go by the map's index, the points by the stage: on the last stage, the
    // map's index staying at the sixth, only the first two places stand on the podium.
    const int drawn = mapIndex == kDuelStage ? 2 : 3;
    for (int i = 1; i <= drawn; ++i)
        ShowInPart(m_layout, "_place_" + std::to_string(i),
                   "interfaces.pers_big_" + std::to_string(m_ranking[static_cast<std::size_t>(i - 1)].first));
    ShowInPart(m_layout, "place_country", "main_menu.country_" + std::to_string(mapIndex));
    for (int i = 1; i <= drawn; ++i) {
        const std::string suffix = std::to_string(i);
        const GF::TAnimationPtr cup = GF::HGENS::HostedAnimation(m_layout, "cup_" + suffix);
        if (!cup) {
            LogMissingPart(m_name, "cup_" + suffix);
            continue;
        }
        ShowInPart(cup, "_cup_place", "main_menu.cup_" + suffix + "_" + std::to_string(mapIndex));
        if (m_ranking[static_cast<std::size_t>(i - 1)].first != kPlayer) continue;
        m_playerCup = cup;
        m_playerCup->Play("_hide", 0, false);
        ShowInPart(cup, "_light_place", "main_menu.cup_light_1");
    }
    const int written = stage == kDuelStage ? 2 : 3;
    for (int i = 1; i <= written && m_layout; ++i)
        m_layout->SetText("_points_" + std::to_string(i),
                          DecimalText(TruncateToInt(m_ranking[static_cast<std::size_t>(i - 1)].second)));
}

void CStageStatisticsScreen::ShowRibbons(int mapIndex) {
    // One ribbon measured first, off the screen, spaces the row.
    const GF::TAnimationPtr probe = m_scene ? m_scene->CreateAnimation(kProbe) : GF::TAnimationPtr();
    if (!probe) return;
    probe->Update(0.0f);
    const GF::TRect box = probe->GetBoundingBox();
    m_scene->RemoveAnimation(probe);
    probe->Reset();
    const int64_t width = int64_t{box.right} - box.left;
    const float gap = GetGameData().statisticsOffset;
    const int64_t step = TruncateToInt(static_cast<float>(width) + gap);
    const int64_t rows = 6 - int64_t{mapIndex};
    const int64_t x0 =
        TruncateToInt(static_cast<float>(width / 2) + gap - static_cast<float>(rows * step / 2));

    const GF::TSubstitutedContainerPtr row(m_layout ? m_layout->FindDrawable("_place_4").Get() : nullptr);
    if (!row) {
        LogMissingPart(m_name, "_place_4");
        return;
    }
    const int64_t end = std::min<int64_t>(8, 9 - int64_t{mapIndex});
    int64_t placed = 0;
    for (int64_t k = 3; k < end; ++k) {
        const auto& [id, score] = m_ranking[static_cast<std::size_t>(k)];
        const GF::TAnimationPtr ribbon = row->Substitute(kProbe);
        if (!ribbon) continue;
        ribbon->SetText("_place", DecimalText(static_cast<int>(k + 1)));
        ribbon->SetText("_points", DecimalText(TruncateToInt(score)));
        ShowInPart(ribbon, "_pers_place", "interfaces.pers_" + std::to_string(id));
        ShowInPart(ribbon, "_name_place", "interfaces.pers_name_" + std::to_string(id));
        const GF::TTransform& at = row->GetTransform();
        ribbon->SetPosition(at.x + static_cast<float>(x0 + placed * step), at.y);
        ++placed;
    }
}

void CStageStatisticsScreen::Show() {
    TGameMenuScreen::Show();
    PlayGameSound(kShowSound);
}

void CStageStatisticsScreen::Idle() {
    TGameMenuScreen::Idle();
    if (!m_playerCup) return;
    m_playerCup->Play("_show", 0, false);
    const GF::THolder<GF::HGENS::CFGParticle> sparks =
        GF::HGENS::CFGParticle::Create(kParticleFile, kParticleTexture, 1.0f, true);
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    sparks->SetScene(top ? top->GetScene() : m_scene);
    sparks->layer = m_playerCup->GetLayer() - 1;
    const GF::TPoint<float> at = m_playerCup->GetPosition();
    sparks->MoveTo(at.x, at.y);
    PlaySoundByName(kSoundCup);
}
