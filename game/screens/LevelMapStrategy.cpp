#include "game/screens/LevelMapStrategy.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "framework/app/GameManager.h"
#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/core/WString.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ResourceText.h"
#include "game/kitchen/FlyStrategies.h"
#include "game/kitchen/GenericActions.h"

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

bool Contains(const GF::TRect& rect, int x, int y) {
    return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

// Reads and clears the left button's click flag.
bool TakeClick() {
    const GF::THolder<GF::CKeyset> keys = GF::GetKeyset();
    if (!keys->IsDown(GF::CKeyset::kKeyMouseLeft)) return false;
    keys->SetDown(GF::CKeyset::kKeyMouseLeft, false);
    return true;
}

void ClearClick() {
    GF::GetKeyset()->SetDown(GF::CKeyset::kKeyMouseLeft, false);
}

GF::THolder<GF::IScene> ShownScene() {
    const GF::THolder<GF::IScreen> top = GF::GetGameManager()->GetTopScreen();
    return top ? top->GetScene() : GF::THolder<GF::IScene>();
}

}  // namespace

GF::THolder<CLevelMapStrategy> CreateLevelMapStrategy() {
    return GF::THolder<CLevelMapStrategy>(new CLevelMapStrategy);
}

CLevelMapStrategy::~CLevelMapStrategy() {
    GetAllLandedEvent().Clear();
    m_hoverTimer.reset();
    m_hint.Reset();
    m_particle.Reset();
    m_current = nullptr;
    m_buttons.clear();
}

GF::TRect CLevelMapStrategy::TakeRect(const GF::TAnimationPtr& ribbon) {
    if (!ribbon) return tagButton().rect;
    ribbon->Update(0.0f);
    const GF::TDrawablePtr area = ribbon->FindDrawable("_button_rect");
    return area ? area->GetBoundingBox() : tagButton().rect;
}

void CLevelMapStrategy::AddLevel(const GF::TAnimationPtr& ribbon, const std::string& level, bool isNew) {
    if (!ribbon) return;
    ribbon->Update(0.0f);
    tagButton& button = m_buttons[level];
    button = tagButton();
    button.name = level;
    button.animation = ribbon;
    button.isNew = isNew;
    if (isNew) {
        m_current = &button;
        ribbon->Play("_hide", 0, false);
    } else {
        const CLevelInfo* info = GetLevelsData().FindLevel(level);
        const bool onCurrentStage = info && info->StageName == GetCurrentPlayer().stageName;
        ribbon->Play(onCurrentStage ? "_show" : "_hide", 0, false);
    }
    ribbon->Stop();
}

void CLevelMapStrategy::ArrangeButtons(float radiusX, float radiusY, float step, float centreX,
                                       float centreY) {
    const float count = static_cast<float>(m_buttons.size());
    const float start = kHalfPi + (count - 1.0f) * step / 2.0f;
    int i = 0;
    for (auto& [name, button] : m_buttons) {
        button.rect = TakeRect(button.animation);
        if (i == 0 && centreX == 0.0f && centreY == 0.0f) {
            centreX = static_cast<float>((int64_t{button.rect.left} + button.rect.right) / 2);
            centreY = static_cast<float>((int64_t{button.rect.top} + button.rect.bottom) / 2);
        }
        const float angle = start - static_cast<float>(i) * step;
        button.angle = angle;
        button.animation->Update(0.0f);
        button.animation->SetPosition(centreX + radiusX * std::cos(angle),
                                      centreY + radiusY * std::sin(angle));
        button.rect = TakeRect(button.animation);
        ++i;
    }
}

void CLevelMapStrategy::ShowButtons(bool hide) {
    for (auto& [name, button] : m_buttons) {
        if (hide) {
            button.animation->Play("_hide", 0, false);
            continue;
        }
        const GF::THolder<CFlyObject> flight = CFlyObject::Create();
        flight->AddAnimation(button.animation);
        flight->SetDuration(kFlyInTime);
        CreateCircleStrategy(*flight, {m_centreX, m_centreY}, kFlyInRadius, kFlyInRadius, kHalfPi,
                             button.angle);
        AddFlyObject(flight);
        button.animation->Play("_show", 0, false);
    }
    if (m_landingCallPending) return;
    m_landingCallPending = true;
    GetAllLandedEvent().Add(GF::CreateDelegate(this, &CLevelMapStrategy::OnAllLanded));
}

void CLevelMapStrategy::OnAllLanded() {
    m_landingCallPending = false;
    GetAllLandedEvent().Remove(GF::CreateDelegate(this, &CLevelMapStrategy::OnAllLanded));
    for (auto& [name, button] : m_buttons) button.rect = TakeRect(button.animation);
    m_step = &CLevelMapStrategy::UpdateInput;
}

bool CLevelMapStrategy::Step(const float& dt) {
    return m_step ? (this->*m_step)(dt) : true;
}

bool CLevelMapStrategy::UpdateInput(const float& dt) {
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    const int x = mouse->GetX();
    const int y = mouse->GetY();
    tagButton* over = nullptr;
    for (auto& [name, button] : m_buttons) {
        if (Contains(button.rect, x, y)) {
            over = &button;
            break;
        }
    }
    if (over && !over->hovered) {
        if (m_current && m_current->hovered) Leave(*m_current);
        m_current = over;
        over->hovered = true;
        m_hoverTimer = kHoverDelay;
        ClearClick();
    }
    if (m_current) {
        if (!m_hoverTimer && m_current->hovered && TakeClick()) {
            Choose();
            return true;
        }
        if (!Contains(m_current->rect, x, y)) {
            m_current->hovered = false;
            if (!m_hoverTimer) {
                m_current->animation->Play("_leave", 0, false);
                if (m_hint) m_hint->Play("_hide", 0, false);
            }
            m_hoverTimer.reset();
            m_current = nullptr;
        }
    }
    if (m_hoverTimer) {
        if (*m_hoverTimer > 0.0f) *m_hoverTimer -= dt;
        if (*m_hoverTimer <= 0.0f) {
            m_hoverTimer.reset();
            if (m_current) {
                m_current->animation->Play("_enter", 0, false);
                PlayGameSound(kEnterSound);
                ShowHint(*m_current);
            }
        }
    }
    return true;
}

void CLevelMapStrategy::Leave(tagButton& button) {
    button.hovered = false;
    if (!m_hoverTimer) {
        button.animation->Play("_leave", 0, false);
        if (m_hint) m_hint->Play("_hide", 0, false);
    }
    m_hoverTimer.reset();
}

void CLevelMapStrategy::Choose() {
    tagButton& button = *m_current;
    Leave(button);
    CPlayerProfile& player = GetCurrentPlayer();
    player.stringVars[29] = button.name;
    if (!button.name.empty()) player.floatVars[33] = 1.0f;
    AddAction(CWaitAction::Create(kChooseDelay));
    AddAction(CExecuteAction::Create(GF::CreateDelegate(this, &CLevelMapStrategy::MarkChosen)));
    m_step = nullptr;
}

void CLevelMapStrategy::MarkChosen() {
    m_chosen = true;
}

void CLevelMapStrategy::ShowHint(const tagButton& button) {
    if (!m_hint) {
        const GF::THolder<GF::IScene> scene = ShownScene();
        m_hint = scene ? scene->CreateAnimation("hints.hint_level") : GF::TAnimationPtr();
        if (!m_hint) return;
        m_hint->SetPosition(400.0f, 300.0f);
        m_hint->SetLayer(kHintLayer);
        m_hint->Update(0.0f);
    }
    GF::WString text = ResourceText("replay_level");
    const GF::WString token = GF::Widen("_num");
    const std::size_t at = text.find(token);
    if (at != GF::WString::npos) {
        const CLevelInfo* info = GetLevelsData().FindLevel(button.name);
        text.replace(at, token.size(), GF::IntToWString(info ? info->Number : 0));
    }
    m_hint->SetText("_text", text);
    m_hint->Play("_show", 0, false);
}

void CLevelMapStrategy::StartReveal() {
    m_started = true;
    if (!m_current) return;
    m_step = &CLevelMapStrategy::UpdateRevealWait;
    PlayGameSound(kRevealSound);
    tagButton& button = *m_current;
    button.animation->Play("_show", 0, false);
    m_particle = GF::HGENS::CFGParticle::Create("Particle\\map_level.fgp", "particles_2", 0.5f, true);
    m_particle->SetScene(ShownScene());
    m_particle->MoveTo(static_cast<float>((int64_t{button.rect.left} + button.rect.right) / 2),
                       static_cast<float>((int64_t{button.rect.top} + button.rect.bottom) / 2));
    m_particle->layer = button.animation->GetLayer() - 5;
}

bool CLevelMapStrategy::UpdateRevealWait(const float&) {
    if (!m_current || !m_current->animation->IsFinished()) return true;
    const CLevelInfo* level = GetLevelsData().FindLevel(m_current->name);
    const CStageInfo* stage = level ? GetLevelsData().FindStage(level->StageName) : nullptr;
    // With every level of the stage won the career moves on: the map keeps its input off.
    const bool stageComplete = stage && stage->MapValue <= static_cast<int32_t>(m_buttons.size());
    if (stageComplete && GetCurrentPlayer().floatVars[32] == 0.0f) return true;
    m_current = nullptr;
    m_step = &CLevelMapStrategy::UpdateInput;
    return true;
}
