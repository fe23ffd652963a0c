#include "game/screens/CookNewPlayerMenuScreen.h"

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"

namespace {

constexpr int kNameChangedSound = 1;
constexpr int kReplayRequest = 28;

}  // namespace

GF::WString TrimSpaces(const GF::WString& text) {
    GF::WString trimmed = text;
    while (!trimmed.empty() && trimmed.front() == u' ') trimmed.erase(0, 1);
    while (trimmed.size() > 1 && trimmed.back() == u' ') trimmed.pop_back();
    return trimmed;
}

CCookNewPlayerMenuScreen::~CCookNewPlayerMenuScreen() {
    // The field may outlive the screen in other holders: it must not call back into it.
    if (m_edit)
        m_edit->m_textChangedEvent.Remove(GF::CreateDelegate(this, &CCookNewPlayerMenuScreen::OnNameChanged));
}

void CCookNewPlayerMenuScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    BindControl("ok", "ok", false, kGameFinishFlags);
    BindControl("cancel", "back", false, kGameFinishFlags);
    m_okButton = FindControl("ok");
    m_edit = CreateEdit("edit", -1);
    if (m_edit) {
        m_edit->m_keepFocus = true;
        m_edit->m_maxLength = kMaxNameLength;
        m_edit->m_textChangedEvent.Add(GF::CreateDelegate(this, &CCookNewPlayerMenuScreen::OnNameChanged));
    } else {
        LogMissingPart(m_name, "edit");
    }
    OnNameChanged(m_edit);
}

void CCookNewPlayerMenuScreen::OnNameChanged(GF::THolder<GF::HGENS::CBaseControl>) {
    PlayGameSound(kNameChangedSound);
    const GF::WString name = m_edit ? m_edit->GetString() : GF::WString();
    const bool named = name.find_first_not_of(u' ') != GF::WString::npos;
    if (m_okButton) m_okButton->SetEnabled(named);
    if (named && !m_enterTask) {
        AddPhaseTask(GF::CKeyset::kKeyEnter, "ok", false, kGameFinishFlags);
        m_enterTask = true;
    } else if (!named && m_enterTask) {
        RemovePhaseTask(GF::CKeyset::kKeyEnter);
        m_enterTask = false;
    }
}

void CCookNewPlayerMenuScreen::OnCommand(const std::string& command) {
    if (command == "ok") CreatePlayer();
}

void CCookNewPlayerMenuScreen::CreatePlayer() {
    const GF::WString text = m_edit ? m_edit->GetString() : GF::WString();
    if (!AddPlayer(TrimSpaces(text))) {
        if (!text.empty()) {
            m_result = "error";
            m_pendingResult = m_result;
        }
        return;
    }
    if (GetCurrentPlayer().stringVars[kReplayRequest].empty()) {
        m_result = "back";
        m_pendingResult = m_result;
    }
}
