#include "game/screens/MapScreen.h"

#include <numbers>
#include <vector>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr const char* kStagePrefix = "ProgressMap.stage_";
constexpr const char* kRibbonPrefix = "ProgressMap.ribbon_";
constexpr const char* kLevelPlace = "_level_place";
constexpr uint32_t kBackgroundTint = 0xFF775555u;  // alpha 255, red 119, green 85, blue 85
const char* const kMapButtons[] = {"play", "velmo_room", "mein_menu"};

// The bonus level of the stages that have one, by stage number.
const char* BonusLevel(int stage) {
    static const char* const kBonusLevels[] = {"bonus_place_in_1",  "bonus_ispy_1",     "bonus_ispy_dark_1",
                                               "bonus_diference_1", "bonus_place_in_2", "bonus_ispy_dark_2"};
    return stage >= 1 && stage <= 6 ? kBonusLevels[stage - 1] : nullptr;
}

}  // namespace

CMapScreen::CMapScreen() {
    m_stageMap.GetEvent().Add(GF::CreateDelegate(this, &CMapScreen::OnStageMapEvent));
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[33] = 0.0f;
    player.floatVars[17] = 0.0f;
}

CMapScreen::~CMapScreen() {
    m_stageMap.GetEvent().Clear();
}

void CMapScreen::OnStageMapEvent(int value) {
    if (value == 0 || value == 1) SetControlsEnabled(value == 0);
}

void CMapScreen::SetControlsEnabled(bool enabled) {
    for (const char* name : kMapButtons)
        if (const GF::THolder<GF::HGENS::CBaseControl> control = FindControl(name))
            control->SetEnabled(enabled);
}

void CMapScreen::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    BindMapControls();
    CreateBackground();
    BuildStageMap();
    SyncStageProgress(false);
}

void CMapScreen::BindMapControls() {
    BindControl("play", "play", false, kGameFinishFlags);
    BindControl("velmo_room", "velmoroom", false, kGameFinishFlags);
    BindControl("mein_menu", "main_menu", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyDigit0 + 7, "play_bonus", false, kGameFinishFlags);
}

void CMapScreen::CreateBackground() {
    m_background = CreateDeformGrid();
    m_background->position = {0, 0};
    m_background->scale = {1.0f, 1.0f};
    const auto& grids = GetGameData().deformGrids;
    const auto found = grids.find("map");
    CDeformGridRecord missing;
    missing.name = "map";
    m_background->Start(found != grids.end() ? found->second : missing, "map_fon", kBackgroundRun);
    if (hgeDistortionMesh* mesh = m_background->GetMesh())
        mesh->SetTextureRect(0.0f, 0.0f, kBackgroundWidth, kBackgroundHeight);
    m_background->tint = kBackgroundTint;
    if (m_scene) m_scene->AddDrawable(GF::TDrawablePtr(m_background.Get()));
}

bool CMapScreen::Update(const float& dt) {
    m_backgroundOffset -= dt * kDriftPerMs;
    if (m_background)
        if (hgeDistortionMesh* mesh = m_background->GetMesh())
            mesh->SetTextureRect(m_backgroundOffset, 0.0f, kBackgroundWidth, kBackgroundHeight);
    return TGameMenuScreen::Update(dt);
}

void CMapScreen::BuildStageMap() {
    CPlayerProfile& player = GetCurrentPlayer();
    const int opened = TruncateToInt(player.floatVars[1]);
    const int revealing = TruncateToInt(player.floatVars[34]);

    CLevelsData& levels = GetLevelsData();
    std::vector<std::string> names;
    for (const std::string& name : levels.StageOrder()) {
        const CStageInfo* stage = levels.FindStage(name);
        if (stage && stage->Number >= kFirstStage && stage->Number <= kLastStage) names.push_back(name);
    }

    // The current stage first, the others after it in table order, round to it.
    std::size_t start = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == player.stageName) start = i;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const std::string& name = names[(start + n) % names.size()];
        const int number = levels.FindStage(name)->Number;
        AddStageToMap(name, number <= opened, revealing > 0 && number == opened);
    }

    const std::size_t count = m_stageMap.GetStages().size();
    const float step = count > 0 ? 2.0f * std::numbers::pi_v<float> / static_cast<float>(count) : 0.0f;
    m_stageMap.Layout(kRadiusX, kRadiusY, step, kCentreX, kCentreY);
    PlaceRibbons();

    for (const std::string& name : names) {
        const int number = levels.FindStage(name)->Number;
        if (number > opened) continue;
        const GF::THolder<CLevelMapStrategy> levelMap = m_stageMap.GetLevelMap(name);
        if (!levelMap) continue;
        levelMap->SetCentre(kCentreX, kCentreY);
        levelMap->ArrangeButtons(kRibbonRadius, kRibbonRadius, kRibbonStep, 0.0f, 0.0f);
    }
}

void CMapScreen::AddStageToMap(const std::string& name, bool opened, bool isNew) {
    const std::string animationName = kStagePrefix + std::to_string(GetStageNumber(name));
    const GF::TAnimationPtr animation =
        m_scene ? m_scene->CreateAnimation(animationName) : GF::TAnimationPtr();
    if (!animation) {
        LogMissingPart(m_name, animationName);
        return;
    }
    animation->SetScale(1.0f, 1.0f);
    m_stageMap.AddStage(name, animation, opened, isNew);
}

void CMapScreen::PlaceRibbons() {
    CPlayerProfile& player = GetCurrentPlayer();
    std::string& justWon = player.stringVars[31];
    for (const auto& [level, progress] : player.levels) {
        if (progress.place < 1 || progress.place > 3) continue;
        const bool isNew = justWon == level;
        if (isNew) justWon.clear();
        const CLevelInfo* info = GetLevelsData().FindLevel(level);
        PlaceRibbon(info ? info->StageName : std::string(), level, progress.place, isNew);
    }
}

void CMapScreen::PlaceRibbon(const std::string& stage, const std::string& level, int place, bool isNew) {
    if (GetStageNumber(stage) <= 0) return;
    // A stage the map does not hold (numbered past the carousel) has no picture to pin a ribbon to.
    const GF::TAnimationPtr picture = m_stageMap.GetStageAnimation(stage);
    const GF::THolder<CLevelMapStrategy> levelMap = m_stageMap.GetLevelMap(stage);
    if (!picture || !levelMap) return;
    const GF::TSubstitutedContainerPtr host(picture->FindDrawable(kLevelPlace).Get());
    if (!host) return;
    const GF::TAnimationPtr ribbon = host->Substitute(kRibbonPrefix + std::to_string(place));
    if (!ribbon) return;
    levelMap->AddLevel(ribbon, level, isNew);
}

bool CMapScreen::UpdateIdle(const float& dt) {
    if (m_result != "play" && !m_stageMap.Update(dt)) Finish("play", kGameFinishFlags);
    return TGameMenuScreen::UpdateIdle(dt);
}

void CMapScreen::OnCommand(const std::string& command) {
    TGameMenuScreen::OnCommand(command);
    CPlayerProfile& player = GetCurrentPlayer();
    if (command == "play") {
        if (!player.stringVars[29].empty()) return;
        const std::string highest = GetStageName(TruncateToInt(player.floatVars[1]));
        if (player.stageName == highest && player.floatVars[32] == 0.0f) return;
        const CStageInfo* stage = GetLevelsData().FindStage(player.stageName);
        player.stringVars[29] = player.stageName + "_" + std::to_string(stage ? stage->MapValue : 0);
        player.floatVars[33] = 1.0f;
        return;
    }
    if (command == "play_bonus") {
        const char* bonus = BonusLevel(GetStageNumber(player.stageName));
        if (!bonus) return;
        player.stringVars[29] = bonus;
        player.floatVars[33] = 1.0f;
        m_result = "play";
        m_pendingResult = "play";
    }
}
