#include "game/screens/StatisticsScreen.h"

#include "framework/app/GameManager.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/ResourceText.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr int kPointsVariable = 4;
constexpr int kPlaceVariable = 5;
constexpr int kDishesVariable = 6;
constexpr int kLevelVariable = 11;
constexpr int kNextLevelVariable = 29;
constexpr const char* kParticleTexture = "particles_2";

}  // namespace

int GetLevelPlace() {
    return TruncateToInt(GetCurrentPlayer().floatVars[kPlaceVariable]) % 100;
}

GF::WString DecimalText(int number) {
    return GF::Utf8ToUtf16(std::to_string(number));
}

GF::WString ReplaceFirst(const GF::WString& text, const std::u16string& token, const GF::WString& with) {
    GF::WString result = text;
    const std::size_t at = result.find(token);
    if (at != GF::WString::npos) result.replace(at, token.size(), with);
    return result;
}

GF::TAnimationPtr ShowInPart(const GF::TAnimationPtr& host, const std::string& part,
                             const std::string& object) {
    const GF::TSubstitutedContainerPtr place(host ? host->FindDrawable(part).Get() : nullptr);
    return place ? place->Substitute(object) : GF::TAnimationPtr();
}

void ShowLevelFigures(const GF::TAnimationPtr& layout) {
    if (!layout) return;
    CPlayerProfile& player = GetCurrentPlayer();
    const int place = GetLevelPlace();
    ShowInPart(layout, "place_country", "main_menu.country_" + std::to_string(GetCurrentStageNumber()));
    layout->SetText("_points", DecimalText(TruncateToInt(player.floatVars[kPointsVariable])));
    layout->SetText("_place", DecimalText(place));
    layout->SetText("_dish", DecimalText(TruncateToInt(player.floatVars[kDishesVariable])));
    if (const GF::WChar* round = layout->GetText("_round")) {
        const CLevelInfo* level = GetLevelsData().FindLevel(player.stringVars[kLevelVariable]);
        layout->SetText("_round", ReplaceFirst(round, u"_round", DecimalText(level ? level->Number : 0)));
    }
    layout->SetText("_place_index", ResourceText("index_" + std::to_string(place)));
}

CStatisticsScreen::~CStatisticsScreen() {
    m_particle.Reset();
}

void CStatisticsScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
    const int place = GetLevelPlace();
    ShowInPart(m_layout, "_ribbon_place", "main_menu.ribbon_" + std::to_string(place));
    ShowLevelFigures(m_layout);

    // Only a real place improves the best one: a place of 0 would wipe a stored best place.
    CPlayerProfile& player = GetCurrentPlayer();
    CLevelProgress& progress = player.levels[player.stringVars[kLevelVariable]];
    if (place >= 1 && progress.place > place) progress.place = place;

    BindControl("replay", "replay", false, kGameFinishFlags);
    BindControl("continue", "next", false, kGameFinishFlags);
}

void CStatisticsScreen::Show() {
    TGameMenuScreen::Show();
    PlayGameSound(kShowSound);
}

void CStatisticsScreen::Idle() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::Idle();
    GF::HGENS::ParticleRegistry::SetEnabled(true);
    const GF::TDrawablePtr part = m_layout ? m_layout->FindDrawable(kParticlePart) : GF::TDrawablePtr();
    const GF::TSubstitutedContainerPtr place(part.Get());
    if (!place) {
        LogMissingPart(m_name, kParticlePart);
        return;
    }
    m_particle = GF::HGENS::CFGParticle::Create(kParticleFile, kParticleTexture, 1.0f, true);
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    m_particle->SetScene(top ? top->GetScene() : m_scene);
    m_particle->layer = part->GetLayer();
    const GF::TTransform& at = place->GetTransform();
    m_particle->MoveTo(at.x, at.y);
}

void CStatisticsScreen::Hide() {
    if (m_particle) {
        m_particle->SetPlaying(false);
        m_particle->SetVisible(false);
    }
    TGameMenuScreen::Hide();
}

void CStatisticsScreen::OnCommand(const std::string& command) {
    TGameMenuScreen::OnCommand(command);
    if (m_result != "replay") return;
    CPlayerProfile& player = GetCurrentPlayer();
    player.stringVars[kNextLevelVariable] = player.stringVars[kLevelVariable];
}
