#include "game/screens/DuelStatisticsScreen.h"

#include <sstream>

#include "framework/core/WString.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"

namespace {

constexpr const char* kDishPlace = "_recept_place";
constexpr const char* kFlagPlace = "_place_country";
constexpr const char* kRound = "_round";
constexpr const char* kPoints = "_time";
constexpr const char* kDishFrame = "main_menu.recept_place_duel";
constexpr int32_t kLevelNameVariable = 11;
constexpr int32_t kPointsVariable = 4;

}  // namespace

namespace DuelResult {

const CLevelInfo* CurrentLevel() {
    const std::string& name = GetCurrentPlayer().stringVars[kLevelNameVariable];
    const CLevelInfo* level = GetLevelsData().FindLevel(name);
    if (!level) GameLog("Duel result: no level \"%s\"", name.c_str());
    return level;
}

void ShowDish(const std::string& screen, const GF::TAnimationPtr& layout,
              const GF::THolder<GF::IScene>& scene, const CLevelInfo* level) {
    if (!scene) return;
    const GF::TAnimationPtr frame = scene->CreateAnimation(kDishFrame);
    if (!frame) return;
    const GF::TSubstitutedContainerPtr place(layout ? layout->FindDrawable(kDishPlace).Get() : nullptr);
    if (place)
        frame->SetContainer(place, true);
    else
        LogMissingPart(screen, kDishPlace);
    frame->Play("_idle", 0, false);
    if (!level || level->Orders.empty()) {
        GameLog("%s: the level has no orders, so no dish", screen.c_str());
        return;
    }
    const std::string& recipe = level->Orders.front().Recept;
    const GF::TSubstitutedContainerPtr picturePlace(frame->GetDrawable(0).Get());
    if (const GF::TAnimationPtr picture = scene->CreateAnimation(recipe); picture && picturePlace)
        picture->SetContainer(picturePlace, true);
    else
        GameLog("%s: no picture for the dish \"%s\"", screen.c_str(), recipe.c_str());
    const CReceptInfo* info = GetLevelsData().FindRecept(recipe);
    const GF::TTextSpritePtr title(frame->GetDrawable(1).Get());
    if (info && title)
        title->SetText(info->Title);
    else
        GameLog("%s: no title for the dish \"%s\"", screen.c_str(), recipe.c_str());
}

void ShowFlag(const GF::TAnimationPtr& layout, int number) {
    const GF::TSubstitutedContainerPtr place(layout ? layout->FindDrawable(kFlagPlace).Get() : nullptr);
    if (place) place->Substitute("main_menu.country_" + std::to_string(number));
}

void ShowRound(const GF::TAnimationPtr& layout, const CLevelInfo* level) {
    const GF::TTextSpritePtr round(layout ? layout->FindDrawable(kRound).Get() : nullptr);
    if (!round || !level) return;
    GF::WString text = round->GetText();
    const GF::WString token = GF::Widen(kRound);
    const std::size_t at = text.find(token);
    if (at == GF::WString::npos) return;
    text.replace(at, token.size(), GF::Widen(std::to_string(level->Number)));
    round->SetText(text);
}

}  // namespace DuelResult

CDuelStatisticsScreen::~CDuelStatisticsScreen() = default;

void CDuelStatisticsScreen::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
    const CLevelInfo* level = DuelResult::CurrentLevel();
    DuelResult::ShowDish(m_name, m_layout, m_scene, level);
    DuelResult::ShowFlag(m_layout, GetCurrentStageNumber());
    DuelResult::ShowRound(m_layout, level);
    std::wostringstream points;
    points << GetCurrentPlayer().floatVars[kPointsVariable];
    const std::wstring shown = points.str();
    if (m_layout) m_layout->SetText(kPoints, GF::WString(shown.begin(), shown.end()));
    BindControl("continue", "next", false, kGameFinishFlags);
}

void CDuelStatisticsScreen::OnDestroy() {
    TGameMenuScreen::OnDestroy();
}

void CDuelStatisticsScreen::Show() {
    TGameMenuScreen::Show();
}

void CDuelStatisticsScreen::Idle() {
    PlayGameSound(kIdleSound);
    GF::HGENS::CMenuScreenAbstract::Idle();
    if (m_controlSoundsAttached) return;
    m_controlSoundsAttached = true;
    AttachSoundsToControls();
}
