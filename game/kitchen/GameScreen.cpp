#include "game/kitchen/GameScreen.h"

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/CustomCursor.h"
#include "framework/scene/Scene.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/kitchen/FieldMakers.h"
#include "game/kitchen/GameScene.h"

namespace {

constexpr int kPauseOverlayLayer = 10000000;
// The player's variables the screen reads and writes.
constexpr int32_t kLevelNameVariable = 11;  // string
constexpr int32_t kOptionVariable = 10;
constexpr int32_t kResultVariable = 5;
constexpr int32_t kKnownFlagVariable = 1;
constexpr int32_t kNewItemsVariable = 27;
// Results at or above this lose the level, except the one below, which records new items anyway.
constexpr float kLostResult = 4.0f;
constexpr float kRecordingResult = 201.0f;
// Customer kinds whose recipes count as met: the ordinary customer and the player's duel customer.
constexpr int32_t kOrdinaryCustomer = 0;
constexpr int32_t kDuelCustomer = 101;

const char* const kDifferenceKind = "bonus_diference";
const char* const kBonusKinds[] = {"bonus_place_in", "bonus_ispy_dark", "bonus_ispy", kDifferenceKind};

}  // namespace

GF::THolder<GF::IScreen> CGameScreen::Create() {
    return GF::THolder<GF::IScreen>(new CGameScreen);
}

CGameScreen::~CGameScreen() {
    // A screen let go without its OnDestroy leaves no delegate behind that points at it.
    if (m_keyDownDelegate) GF::GetKeyset()->GetKeyDownEvent().Remove(m_keyDownDelegate);
    if (m_keyUpDelegate) GF::GetKeyset()->GetKeyUpEvent().Remove(m_keyUpDelegate);
    if (const auto manager = GF::GetGameManager()) {
        if (m_activateDelegate) manager->GetActivateEvent().Remove(m_activateDelegate);
        if (m_deactivateDelegate) manager->GetDeactivateEvent().Remove(m_deactivateDelegate);
    }
}

bool CGameScreen::Update(const float& dt) {
    const GF::THolder<GF::IScreen> self = Self();
    if (m_fieldKind == kDifferenceKind) {
        // Both pictures answer as the left one: a point on the right one moves over by 400.
        const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
        const float x = mouse->GetFloatX();
        if (x >= 0.0f && x <= 800.0f && x > 400.0f) mouse->SetPosition(x - 400.0f, mouse->GetFloatY());
    }
    if (m_paused && m_field) m_field->UpdatePaused(dt);
    return TBase::Update(dt);  // the phase step, then the scene
}

// On top again, after the help (which plays the menu music) or the in-game menu, the stage's music
// comes back; while it still plays, asking for it again changes nothing.
void CGameScreen::OnActivate() {
    TBase::OnActivate();
    PlayStageMusic();
    m_playerOption = GetCurrentPlayer().floatVars[kOptionVariable] != 0.0f;
    if (m_fieldKind == kDifferenceKind && !m_playerOption)
        GF::HGENS::GetCustomCursor()->SetCursor("cursor.custom_2");
}

void CGameScreen::OnDeactivate() {
    TBase::OnDeactivate();
    SyncStageProgress(true);
    if (m_fieldKind == kDifferenceKind && !m_playerOption)
        GF::HGENS::GetCustomCursor()->RestoreSystemCursor();
}

void CGameScreen::OnInitialize() {
    TBase::OnInitialize();
    m_pauseOverlay = m_scene ? m_scene->CreateAnimation("pause_screen") : GF::TAnimationPtr();
    if (m_pauseOverlay) {
        m_pauseOverlay->SetVisible(false);
        m_pauseOverlay->SetLayer(kPauseOverlayLayer);
        m_pauseOverlay->SetPosition(400.0f, 300.0f);
        m_pauseOverlay->Play("_show", 0, false);
        m_pauseOverlay->Update(0.0f);
        m_pauseOverlay->ShowTime(m_pauseOverlay->GetEndTime());
    } else {
        GameLog("game screen: no \"pause_screen\"");
    }

    m_keyDownDelegate = GF::CreateDelegate(this, &CGameScreen::OnKeyDown);
    m_keyUpDelegate = GF::CreateDelegate(this, &CGameScreen::OnKeyUp);
    GF::GetKeyset()->GetKeyDownEvent().Add(m_keyDownDelegate);
    GF::GetKeyset()->GetKeyUpEvent().Add(m_keyUpDelegate);

    if (const GF::THolder<GF::HGENS::CBaseControl> hint =
            CreateControl(GF::HGENS::EControlKind::Button, "hint", {}))
        hint->m_clickEvent.Add(GF::CreateDelegate(this, &CGameScreen::OnHintClick));
    else
        GameLog("game screen: no button \"hint\"");

    BindControl("menu", "menu", false, kScreenFinishFlags);
    BindControl("help", "help", false, kScreenFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "menu", false, kScreenFinishFlags);

    m_levelName = GetStageSummaryName();
    GetCurrentPlayer().stringVars[kLevelNameVariable] = m_levelName;

    CreateField();
    SetGameScene(m_scene);
    if (m_field) {
        m_field->Init(m_layout, Self());
        m_field->StartLevel(m_levelName);
        const CLevelInfo* level = m_field->GetLevel();
        m_background = level && m_scene ? m_scene->CreateAnimation(level->LayoutName) : GF::TAnimationPtr();
        if (m_background) {
            const GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
            m_background->SetPosition(static_cast<float>(properties->m_screenWidth) / 2.0f,
                                      static_cast<float>(properties->m_screenHeight) / 2.0f);
            m_background->Play("all", 0, false);
            m_field->SetLevelLayout(m_background);
        } else {
            GameLog("game screen: level \"%s\" has no background \"%s\"", m_levelName.c_str(),
                    level ? level->LayoutName.c_str() : "");
        }
    }

    PlayStageMusic();

    m_activateDelegate = GF::CreateDelegate(this, &CGameScreen::OnApplicationActivate);
    m_deactivateDelegate = GF::CreateDelegate(this, &CGameScreen::OnApplicationDeactivate);
    GF::GetGameManager()->GetActivateEvent().Add(m_activateDelegate);
    GF::GetGameManager()->GetDeactivateEvent().Add(m_deactivateDelegate);
}

// The stage the player is on: a bonus level's stage field names its kind of game, not a stage.
void CGameScreen::PlayStageMusic() {
    const int stage = GetStageNumber(GetCurrentPlayer().stageName);
    if (stage != 0)
        PlayMusic(kStageMusicPrefix + std::to_string(stage));
    else
        StopMusic();
}

void CGameScreen::CreateField() {
    const CLevelInfo* level = m_levelName.empty() ? nullptr : GetLevelsData().FindLevel(m_levelName);
    if (!level) {
        // Nothing to play: the result says nothing was won, and the first idle step ends the screen.
        GameLog("game screen: no level \"%s\"", m_levelName.c_str());
        GetCurrentPlayer().floatVars[kResultVariable] = 0.0f;
        m_field.Reset();
        return;
    }
    m_fieldKind = level->StageName;
    bool bonusKind = false;
    for (const char* kind : kBonusKinds) bonusKind = bonusKind || m_fieldKind == kind;
    // A bonus game opens the shades itself, after its manual. A kitchen level opens them at once,
    // also one with a tutorial: its pages are read and clicked, and would otherwise stay behind shades
    // that a screen before it closed.
    m_noEffect = bonusKind;
    m_field = MakeField(m_fieldKind);
    if (!m_field) GameLog("game screen: no field for the kind \"%s\"", m_fieldKind.c_str());
}

void CGameScreen::Idle() {
    TBase::Idle();
    GF::HGENS::ParticleRegistry::SetEnabled(true);
    m_paused = false;
    if (m_field) m_field->SetPaused(false);
}

bool CGameScreen::UpdateIdle(const float& dt) {
    if (!TBase::UpdateIdle(dt)) return false;
    (this->*m_idleStep)(dt);
    return true;
}

void CGameScreen::LevelStep(const float& dt) {
    if (m_field) {
        m_field->Update(dt);
        if (!m_field->IsFinished()) return;
        const float result = GetCurrentPlayer().floatVars[kResultVariable];
        if (result < kLostResult || result == kRecordingResult)
            RecordNewItems();
        else
            GetCurrentPlayer().floatVars[kNewItemsVariable] = 0.0f;
    }
    m_idleStep = &CGameScreen::EndedStep;
    Finish("exit", kScreenFinishFlags);
}

void CGameScreen::EndedStep(const float&) {}

void CGameScreen::RecordNewItems() {
    CPlayerProfile& player = GetCurrentPlayer();
    const CLevelInfo* level = m_field ? m_field->GetLevel() : nullptr;
    bool first = true;
    if (level) {
        for (const COrderInfo& order : level->Orders) {
            if (order.Kind != kOrdinaryCustomer && order.Kind != kDuelCustomer) continue;
            if (player.flags2.count(order.Recept)) continue;
            if (first) player.names.clear();
            first = false;
            player.names.push_back(order.Recept);
            player.flags2[order.Recept] = player.floatVars[kKnownFlagVariable] != 0.0f;
        }
    }
    player.floatVars[kNewItemsVariable] = static_cast<float>(player.names.size());
}

void CGameScreen::Hide() {
    TBase::Hide();
    if (!m_field) return;
    GF::HGENS::ParticleRegistry::SetEnabled(false);
    m_paused = true;
    m_field->SetPaused(true);
}

void CGameScreen::OnCommand(const std::string& command) {
    if (m_result == "quit" && m_field && !m_field->IsManualRequested())
        m_result = m_pendingResult = "force_quit";
    TBase::OnCommand(command);
}

void CGameScreen::OnApplicationActivate() {}

void CGameScreen::OnApplicationDeactivate() {
    if (!m_pauseOverlay || !m_scene) return;
    m_pauseOverlay->SetVisible(true);
    m_scene->Update(0.0f);
    HGE* hge = hgeCreate(HGE_VERSION);
    if (hge->Gfx_BeginScene(0)) {
        m_scene->Render();
        hge->Gfx_EndScene();
    }
    hge->Release();
    m_pauseOverlay->SetVisible(false);
}

void CGameScreen::OnKeyDown(int key) {
    if (m_field) m_field->OnKeyDown(key);
}

void CGameScreen::OnKeyUp(int key) {
    if (m_field) m_field->OnKeyUp(key);
}

void CGameScreen::OnHintClick(GF::THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) {
    if (m_field) m_field->OnLightHint();
}

void CGameScreen::OnDestroy() {
    const GF::THolder<GF::IScreen> self = Self();
    GF::GetKeyset()->GetKeyDownEvent().Remove(m_keyDownDelegate);
    GF::GetKeyset()->GetKeyUpEvent().Remove(m_keyUpDelegate);
    m_keyDownDelegate.Reset();
    m_keyUpDelegate.Reset();
    m_background.Reset();
    if (m_field) {
        m_field->ClearLevel();
        m_field.Reset();
    }
    GF::GetGameManager()->GetActivateEvent().Remove(m_activateDelegate);
    GF::GetGameManager()->GetDeactivateEvent().Remove(m_deactivateDelegate);
    m_activateDelegate.Reset();
    m_deactivateDelegate.Reset();
    GF::HGENS::ParticleRegistry::SetEnabled(true);
    // The level's scene is this screen's: nobody reads it between levels, and it must not outlive
    // the framework in the process-wide holder.
    if (GetGameScene().Get() == m_scene.Get()) SetGameScene({});
}
