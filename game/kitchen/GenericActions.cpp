#include "game/kitchen/GenericActions.h"

#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"

using GF::THolder;

// --- Pause ---

THolder<CWaitAction> CWaitAction::Create(float durationMs) {
    return THolder<CWaitAction>(new CWaitAction(durationMs));
}

void CWaitAction::Update(const float& dt) {
    m_remaining -= dt;
    if (m_remaining <= 0.0f) m_done = true;
}

// --- Animation played out ---

THolder<CAnimationWaitAction> CAnimationWaitAction::Create(const GF::TAnimationPtr& animation,
                                                           const std::string& part, int repeat,
                                                           bool dropAtEnd) {
    if (!animation) GameLog("CAnimationWaitAction: no animation to play \"%s\" on", part.c_str());
    THolder<CAnimationWaitAction> action(new CAnimationWaitAction);
    action->m_animation = animation;
    action->m_part = part;
    action->m_repeat = repeat;
    action->m_dropAtEnd = dropAtEnd;
    return action;
}

void CAnimationWaitAction::Start() {
    if (!m_animation) return;
    m_animation->SetVisible(true);
    if (!m_part.empty()) m_animation->Play(m_part.c_str(), m_repeat, m_dropAtEnd);
}

void CAnimationWaitAction::Update(const float&) {
    if (!m_animation || m_animation->IsFinished()) m_done = true;
}

// --- Call ---

THolder<CExecuteAction> CExecuteAction::Create(const THolder<GF::IDelegate0<void>>& delegate) {
    THolder<CExecuteAction> action(new CExecuteAction);
    action->m_delegate = delegate;
    return action;
}

void CExecuteAction::Start() {
    if (m_delegate) m_delegate->Invoke();
    m_done = true;
}

// --- Sound ---

THolder<CPlaySoundAction> CPlaySoundAction::Create(int key) {
    THolder<CPlaySoundAction> action(new CPlaySoundAction);
    action->m_key = key;
    return action;
}

THolder<CPlaySoundAction> CPlaySoundAction::CreateByName(const std::string& name) {
    if (name.empty()) GameLog("CPlaySoundAction: no sound name");
    THolder<CPlaySoundAction> action(new CPlaySoundAction);
    action->m_name = name;
    action->m_byName = true;
    return action;
}

void CPlaySoundAction::Start() {
    if (!m_name.empty())
        PlaySoundByName(m_name);
    else if (!m_byName)
        PlayGameSound(m_key);
    m_done = true;
}

// --- Button click ---

THolder<CWaitButtonAction> CWaitButtonAction::Create(const GF::TAnimationPtr& animation,
                                                     const std::string& part) {
    THolder<CWaitButtonAction> action(new CWaitButtonAction);
    action->m_animation = GF::HGENS::HostedAnimation(animation, part);
    if (!action->m_animation) GameLog("CWaitButtonAction: no button in \"%s\"", part.c_str());
    return action;
}

CWaitButtonAction::~CWaitButtonAction() {
    Unsubscribe();
}

void CWaitButtonAction::Start() {
    if (!m_animation) return;
    // The button's animation may still move (a balloon showing, a tutorial sliding in): its hit
    // area goes with it.
    m_button = CDeliveryButton::Create(m_animation, true);
    m_button->m_clickEvent.Add(GF::CreateDelegate(this, &CWaitButtonAction::OnClick));
    m_button->SetEnabled(false);
    m_button->SetEnabled(true);
}

void CWaitButtonAction::Update(const float& dt) {
    if (m_button)
        m_button->Update(dt);
    else
        m_done = true;
}

void CWaitButtonAction::OnClick(THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) {
    m_done = true;
}

void CWaitButtonAction::Finish() {
    Unsubscribe();
}

void CWaitButtonAction::Unsubscribe() {
    if (m_button) m_button->m_clickEvent.Remove(GF::CreateDelegate(this, &CWaitButtonAction::OnClick));
}
