#include "game/kitchen/ISpyBonusGameField.h"

#include <algorithm>

#include "framework/core/Mouse.h"
#include "game/app/GameLog.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/ReceptPanel.h"
#include "game/kitchen/Zacaz.h"

namespace {

constexpr int32_t kResultVariable = 5;
constexpr int32_t kCountVariable = 13;
constexpr int kHiderLayer = 2030;
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
// Without a place from rivals the level counts as the second; the bonus outcomes lie above 100.
constexpr float kNoPlace = 2.0f;
constexpr float kBonusOutcome = 100.0f;
constexpr int kKeyDebugFinish = 6;  // digit 1
constexpr float kDebugCount = 10000000.0f;

}  // namespace

GF::THolder<CISpyBonusGameField> CISpyBonusGameField::Create(bool dark) {
    return GF::THolder<CISpyBonusGameField>(new CISpyBonusGameField(dark));
}

CISpyBonusGameField::CISpyBonusGameField(bool dark) : m_dark(dark) {
    m_manualRequested = false;
}

CISpyBonusGameField::~CISpyBonusGameField() {
    m_hider.Reset();
}

bool CISpyBonusGameField::StartLevel(const std::string& levelName) {
    const bool started = CGameField::StartLevel(levelName);
    SetCustomersAtOnce(1);
    ShuffleFirstOrder();
    QueueBonusText("main_menu.bonus_text");
    return started;
}

void CISpyBonusGameField::ShuffleFirstOrder() {
    if (m_orders.empty()) {
        GameLog("hidden-object field: level \"%s\" has no orders; nothing to find", m_levelName.c_str());
        return;
    }
    CReceptInfo* recipe = GetLevelsData().FindRecept(m_orders.front().Recept);
    if (!recipe) {
        GameLog("hidden-object field: no recipe \"%s\"", m_orders.front().Recept.c_str());
        return;
    }
    // The recipe of the table itself: the order stays shuffled for the rest of the run.
    ShuffleByRand(recipe->Items);
}

void CISpyBonusGameField::Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) {
    CGameField::Init(layout, screen);
    if (!m_dark) return;
    const GF::THolder<GF::IScene> scene = GetGameScene();
    m_hider = scene ? scene->CreateAnimation("bonus.hider") : GF::TAnimationPtr();
    if (m_hider)
        m_hider->SetLayer(kHiderLayer);
    else
        GameLog("hidden-object field: no \"bonus.hider\"");
}

void CISpyBonusGameField::Update(const float& dt) {
    CGameField::Update(dt);
    if (!m_hider) return;
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    m_hider->SetPosition(std::clamp(mouse->GetFloatX(), 0.0f, kScreenWidth),
                         std::clamp(mouse->GetFloatY(), 0.0f, kScreenHeight));
}

void CISpyBonusGameField::OnKeyDown(int key) {
    if (key != kKeyDebugFinish) return;
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[kCountVariable] = kDebugCount;
    if (player.floatVars[kResultVariable] == 0.0f) FinishLevel();
}

void CISpyBonusGameField::ServeCustomer(const GF::THolder<CZacaz>& customer) {
    if (!customer) return;
    CPlayerProfile& player = GetCurrentPlayer();
    player.floatVars[kCountVariable] = static_cast<float>(customer->GetItemsDone());
    if (player.floatVars[kResultVariable] == 0.0f) FinishLevel();
}

void CISpyBonusGameField::FinishLevel() {
    CGameField::FinishLevel();
    float& result = GetCurrentPlayer().floatVars[kResultVariable];
    if (result == 0.0f) result = kNoPlace;
    result += kBonusOutcome;
}

void CISpyBonusGameField::UpdateTakenObjects(const float&) {}

void CISpyBonusGameField::UpdateLevelClock(const float& dt) {
    CGameField::UpdateLevelClock(dt);
    // The kitchen's step may have finished the level itself (nobody left at closing time).
    if (!IsPlaying() || !m_level || m_elapsed <= m_level->Duration) return;
    if (const GF::THolder<CZacaz> customer = GetReceptPanel()->GetCurrentCustomer())
        GetCurrentPlayer().floatVars[kCountVariable] = static_cast<float>(customer->GetItemsDone());
    FinishLevel();
}
