#include "framework/gui/NewPlayerScreen.h"

#include "framework/app/GameSound.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/scene/IAnimation.h"

namespace GF {
namespace HGENS {

namespace {

constexpr int kMask =
    CScreenAbstract::kPhaseIdle | CScreenAbstract::kAutoShow | CScreenAbstract::kHideBeforeFinish;

}  // namespace

CNewPlayerMenuScreen::~CNewPlayerMenuScreen() {
    // The controls may outlive the screen in other holders: they must not call back into it.
    if (m_okButton) {
        m_okButton->m_clickEvent.Remove(CreateDelegate(this, &CNewPlayerMenuScreen::OnClickSound));
        m_okButton->m_mouseEnterEvent.Remove(CreateDelegate(this, &CNewPlayerMenuScreen::OnMouseOverSound));
    }
    if (m_nameEdit)
        m_nameEdit->m_textChangedEvent.Remove(CreateDelegate(this, &CNewPlayerMenuScreen::OnNameChanged));
    m_nameEdit.Reset();
    m_okButton.Reset();
}

THolder<IScreen> CNewPlayerMenuScreen::Create() {
    return THolder<IScreen>(new CNewPlayerMenuScreen);
}

void CNewPlayerMenuScreen::OnInitialize() {
    CMenuScreenAbstract::OnInitialize();  // the Initialize event
    BindControl("ok", "back", false, kMask);
    BindControl("cancel", "back2", false, kMask);
    m_okButton = FindControl("ok");
    if (m_okButton) {
        m_okButton->m_clickEvent.Add(CreateDelegate(this, &CNewPlayerMenuScreen::OnClickSound));
        m_okButton->m_mouseEnterEvent.Add(CreateDelegate(this, &CNewPlayerMenuScreen::OnMouseOverSound));
    }
    m_nameEdit = CreateEdit("edit", -1);
    if (m_nameEdit) {
        m_nameEdit->m_keepFocus = true;
        m_nameEdit->m_textChangedEvent.Add(CreateDelegate(this, &CNewPlayerMenuScreen::OnNameChanged));
    }
    OnNameChanged(m_nameEdit);
}

void CNewPlayerMenuScreen::OnNameChanged(THolder<CBaseControl>) {
    const WString name = m_nameEdit ? WString(m_nameEdit->GetString()) : WString();
    const bool named = name.find_first_not_of(u' ') != WString::npos;
    if (m_okButton) m_okButton->SetEnabled(named);
    if (named && !m_enterTask) {
        AddPhaseTask(CKeyset::kKeyEnter, "back", false, kMask);
        m_enterTask = true;
    } else if (!named && m_enterTask) {
        RemovePhaseTask(CKeyset::kKeyEnter);
        m_enterTask = false;
    }
}

void CNewPlayerMenuScreen::OnClickSound(THolder<CBaseControl>, const TPoint<int>&, int) {
    CGameSound::Instance()->PlaySound(kDialogClickSound, 0.0f, 0.0f);
}

void CNewPlayerMenuScreen::OnMouseOverSound(THolder<CBaseControl>) {
    CGameSound::Instance()->PlaySound(kDialogHoverSound, 0.0f, 0.0f);
}

void CNewPlayerMenuScreen::StartHiding() {
    m_phaseHandler = &CScreenAbstract::UpdateHiding;
    if (m_layout) m_layout->Play("_hide", 1, false);
}

void CNewPlayerMenuScreen::Hide() {
    const bool named = m_nameEdit && !m_nameEdit->GetString().empty();
    if (m_result == "back" && named) {
        StartHiding();
    } else if (m_result == "back2") {
        if (m_nameEdit) m_nameEdit->SetText(WString());
        StartHiding();
        m_pendingResult = "back";
        m_result = m_pendingResult;
    }
    GetGameProperties()->SetString("NewPlayerName") = m_nameEdit ? m_nameEdit->GetString() : WString();
}

}  // namespace HGENS
}  // namespace GF
