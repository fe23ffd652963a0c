#include "game/screens/BonusStatisticsScreen.h"

#include <numbers>

#include "engine/Hge.h"
#include "framework/core/Delegate.h"
#include "framework/core/Random.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/screens/StatisticsScreen.h"

namespace {

constexpr int kPlaceVariable = 5;
constexpr int kLevelVariable = 11;
constexpr int kPointsVariable = 13;
constexpr float kWon = 101.0f;
constexpr const char* kFlyPlace = "_fly_place";
// The throw: from below the bottom edge on one side to below it on the other.
constexpr float kLeft = 50.0f, kMiddle = 400.0f, kRight = 750.0f, kGround = 650.0f;

}  // namespace

CBonusStatisticsScreen::~CBonusStatisticsScreen() = default;

void CBonusStatisticsScreen::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
    CPlayerProfile& player = GetCurrentPlayer();
    if (const GF::WChar* text = m_layout ? m_layout->GetText("_texts") : nullptr)
        m_layout->SetText(
            "_texts",
            ReplaceFirst(text, u"_points", DecimalText(TruncateToInt(player.floatVars[kPointsVariable]))));

    BindControl("replay", "replay", false, kGameFinishFlags);
    BindControl("continue", "next", false, kGameFinishFlags);
    BindControl("continue_2", "next", false, kGameFinishFlags);
    if (player.floatVars[kPlaceVariable] == kWon) {
        OfferControl(FindControl("replay"), false);
        OfferControl(FindControl("continue"), false);
    } else {
        OfferControl(FindControl("continue_2"), false);
    }
}

void CBonusStatisticsScreen::Show() {
    TGameMenuScreen::Show();
    PlayGameSound(kShowSound);
}

void CBonusStatisticsScreen::Idle() {
    Launch();
    TGameMenuScreen::Idle();
}

bool CBonusStatisticsScreen::UpdateIdle(const float& dt) {
    UpdateFlyObjects(dt);
    if (m_launchTimer > 0.0f) {
        m_launchTimer -= dt;
        if (m_launchTimer <= 0.0f) Launch();
    }
    return TGameMenuScreen::UpdateIdle(dt);
}

void CBonusStatisticsScreen::Launch() {
    const CLevelInfo* level = GetLevelsData().FindLevel(GetCurrentPlayer().stringVars[kLevelVariable]);
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kFlyPlace).Get() : nullptr);
    // Without objects to throw or a place to throw them from the shower stays away; the buttons work.
    if (!level || level->Objects.empty() || !place) {
        if (!m_cannotLaunchLogged) LogMissingPart(m_name, place ? "level objects to throw" : kFlyPlace);
        m_cannotLaunchLogged = true;
        return;
    }
    HGE* hge = hgeCreate(HGE_VERSION);
    const int last = static_cast<int>(level->Objects.size()) - 1;
    const GF::TAnimationPtr item =
        place->Substitute(level->Objects[static_cast<std::size_t>(hge->Random_Int(0, last))].Name);
    const GF::TPoint<float> start{hge->Random_Float(kLeft, kRight), kGround};
    const GF::TPoint<float> end{
        start.x < kMiddle ? hge->Random_Float(kMiddle, kRight) : hge->Random_Float(kLeft, kMiddle), kGround};
    const float spin = hge->Random_Float(-3.0f, 3.0f) * std::numbers::pi_v<float>;
    hge->Release();
    const float gravity = static_cast<float>(GF::Rand() % 6 + 7) / 10000.0f;

    if (item) {
        const GF::THolder<CFlyObject> flight = CFlyObject::Create();
        flight->AddAnimation(item);
        flight->SetDuration(kFlightTime);
        flight->GetLandingEvent().Add(GF::CreateDelegate(this, &CBonusStatisticsScreen::OnLanding));
        CreateFreeFallStrategy(*flight, start, end, GF::TPoint<float>{0.0f, gravity});
        CreateLineFloatStrategy(*flight, 0.0f, spin, EFloatTrack::Rotation);
        flight->Update(0.0f);
        AddFlyObject(flight);
    }
    if (m_launchedTime < kLaunchSpan) {
        m_launchTimer = kLaunchInterval;
        m_launchedTime += kLaunchInterval;
    }
}

void CBonusStatisticsScreen::OnLanding(GF::THolder<CFlyObject> flight) {
    if (const GF::TAnimationPtr item = flight ? flight->GetAnimation() : GF::TAnimationPtr())
        item->SetVisible(false);
}
