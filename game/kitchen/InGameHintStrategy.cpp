#include "game/kitchen/InGameHintStrategy.h"

#include <utility>

#include "framework/app/GameManager.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/ResourceText.h"
#include "game/app/WindowShadesEffect.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/HintManager.h"
#include "game/kitchen/Pers.h"

namespace {

constexpr float kAboveHead = 5.0f;
constexpr float kSelfFinishingSpeed = 0.3f;
constexpr float kRunOutSpeed = 7.0f;
constexpr int kHintScreenSound = 13;
constexpr const char* kQuitResult = "quit";

}  // namespace

CInGameHintStrategy::CInGameHintStrategy(GF::THolder<CGameFieldBase> field, GF::THolder<CPers> heroine)
    : m_field(std::move(field)), m_heroine(std::move(heroine)) {
    m_textBalloon.Assign(kOwnBalloon, kOwnBalloonText, GetGameScene());
    m_textBalloon.SetMargin(kOwnBalloonMargin);
}

CInGameHintStrategy::~CInGameHintStrategy() {
    // A self-finishing balloon plays on after the level, and the hint screen may close after it:
    // neither may call back into a strategy that is gone.
    DetachSelfFinishing();
    DetachHintScreen();
}

void CInGameHintStrategy::ShowHint(const CHintInfo& hint) {
    if (hint.flag2) {
        ShowInHintScreen(hint);
    } else {
        ShowInBalloon(hint);
    }
}

void CInGameHintStrategy::ShowInBalloon(const CHintInfo& hint) {
    if (m_field) m_field->ShowBalloon(GF::WString(), {0.0f, 0.0f});
    DropShownBalloon();
    CHintManager& manager = GetHintManager();
    const GF::TAnimationPtr heroine = m_heroine ? m_heroine->GetAnimation() : GF::TAnimationPtr();
    if (!heroine) {
        manager.Showing = false;
        return;
    }
    const GF::WString text = ResourceText(hint.name);
    GF::TAnimationPtr balloon;
    if (hint.text == kOwnBalloonText) {
        balloon = m_textBalloon.SetText(text);
    } else {
        const GF::THolder<GF::IScene> scene = GetGameScene();
        balloon = scene ? scene->CreateAnimation(hint.text) : GF::TAnimationPtr();
        if (balloon) balloon->SetText("_text", text);
    }
    if (!balloon) {
        GameLog("hints: no balloon \"%s\" for hint \"%s\"", hint.text.c_str(), hint.name.c_str());
        manager.Showing = false;
        return;
    }
    balloon->Update(0.0f);
    const GF::TRect box = balloon->GetBoundingBox();
    const GF::TRect head = heroine->GetBoundingBox();
    const int32_t x = (head.left + head.right) / 2;
    balloon->SetPosition(static_cast<float>(x), static_cast<float>(head.top - box.bottom) - kAboveHead);
    balloon->SetLayer(GetGameData().overlayLayer);
    // A follow-up hint comes while the scene steps its animations, after the new balloon's turn:
    // drawn before its next step, it would stand one frame at the scene's corner.
    balloon->ApplyTransform();
    if (hint.flag3) {
        DetachSelfFinishing();
        balloon->Play("all", 1, true);
        balloon->SetSpeed(kSelfFinishingSpeed);
        m_selfFinishing = balloon;
        m_balloonFinished = GF::CreateDelegate(this, &CInGameHintStrategy::OnBalloonFinished);
        m_selfFinishing->GetEndEvent().Add(m_balloonFinished);
    } else {
        balloon->Play("_show", 0, false);
        m_shown = balloon;
    }
}

void CInGameHintStrategy::ShowInHintScreen(const CHintInfo& hint) {
    const GF::THolder<GF::HGENS::CGameManager> screens = GF::GetGameManager();
    DetachHintScreen();
    // The page lies over the whole kitchen: its signs, panels and the balloon of a hint before it.
    const int32_t beneath = CWindowShadesEffect::TopLayerBelowShades(GetGameScene());
    screens->ShowScreen("HintScreen", hint.text, GetGameScene(), "");
    const GF::THolder<GF::IScreen> top = screens->GetTopScreen();
    if (!top || top->GetName() != "HintScreen") {
        // Nothing will close it: the heroine keeps running and the hint is over.
        GameLog("hints: the hint screen \"%s\" did not open", hint.text.c_str());
        GetHintManager().FinishHint();
        return;
    }
    CWindowShadesEffect::RaiseAbove(top->GetAnimation(), beneath);
    m_hintScreen = top;
    m_screenClosed = GF::CreateDelegate(this, &CInGameHintStrategy::OnHintScreenClosed);
    m_hintScreen->GetDeactivateEvent().Add(m_screenClosed);
    if (m_heroine) m_heroine->SetPaused(true);
    if (m_field) m_field->ShowBalloon(GF::WString(), {0.0f, 0.0f});
    PlayGameSound(kHintScreenSound);
}

void CInGameHintStrategy::OnHintScreenClosed(GF::THolder<GF::IScreen> screen) {
    // The window's close asks whether to quit over the page, and a "no" brings the page back: the
    // kitchen waits on until the page itself is left.
    if (screen && screen->GetResult() == kQuitResult) return;
    // Holds the strategy: finishing the hint may show the next one, which may replace the strategy.
    const GF::THolder<CHintStrategyBase> self(this);
    DetachHintScreen();
    // Whatever else closed it, play goes on.
    if (m_heroine) m_heroine->SetPaused(false);
    if (screen && screen->GetResult() == "back") GetHintManager().FinishHint();
}

void CInGameHintStrategy::OnBalloonFinished(GF::TAnimationPtr animation) {
    if (!m_selfFinishing || animation != m_selfFinishing) return;
    const GF::THolder<CHintStrategyBase> self(this);
    DetachSelfFinishing();
    GetHintManager().FinishHint();
}

void CInGameHintStrategy::HideHint() {
    DropShownBalloon();
    if (m_selfFinishing) {
        m_selfFinishing->SetSpeed(kRunOutSpeed);
        DetachSelfFinishing();
    }
}

void CInGameHintStrategy::DropShownBalloon() {
    if (!m_shown) return;
    m_shown->Play("_hide", 1, true);
    // Stepped at once: a hint that takes its place in the same frame is not drawn under its words.
    m_shown->Update(0.0f);
    m_shown.Reset();
}

void CInGameHintStrategy::DetachSelfFinishing() {
    if (m_selfFinishing && m_balloonFinished) m_selfFinishing->GetEndEvent().Remove(m_balloonFinished);
    m_selfFinishing.Reset();
    m_balloonFinished.Reset();
}

void CInGameHintStrategy::DetachHintScreen() {
    if (m_hintScreen && m_screenClosed) m_hintScreen->GetDeactivateEvent().Remove(m_screenClosed);
    m_hintScreen.Reset();
    m_screenClosed.Reset();
}

GF::THolder<CHintStrategyBase> CreateInGameHintStrategy(GF::THolder<CGameFieldBase> field,
                                                        GF::THolder<CPers> heroine) {
    return GF::THolder<CHintStrategyBase>(new CInGameHintStrategy(std::move(field), std::move(heroine)));
}
