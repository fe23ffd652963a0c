#include "game/screens/CookChangePlayerScreen.h"

#include <list>

#include "framework/core/Keyset.h"
#include "game/app/Players.h"

namespace {

constexpr int kRemovalAnswer = 26;

}  // namespace

CCookChangePlayerScreen::~CCookChangePlayerScreen() {
    m_previousPlayer.clear();
    m_okButton.Reset();
    m_removeButton.Reset();
    m_list.Reset();
}

void CCookChangePlayerScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    CreateControls();
}

void CCookChangePlayerScreen::CreateControls() {
    BindControl("new", "new_player", false, kGameFinishFlags);
    BindControl("ok", "back", false, kGameFinishFlags);
    m_okButton = FindControl("ok");
    BindControl("remove", "remove", false, kGameFinishFlags);
    m_removeButton = FindControl("remove");
    m_list = CreateListBox("listbox", true);
    if (m_list)
        m_list->SetEnabled(true);
    else
        LogMissingPart(m_name, "listbox");
}

void CCookChangePlayerScreen::OnActivate() {
    std::string& answer = GetCurrentPlayer().stringVars[kRemovalAnswer];
    if (answer == "yes") {
        answer.clear();
        DeleteCurrentPlayer();
        // The remembered player may be the one just deleted, and must not come back later over a
        // player chosen or made since.
        m_previousPlayer.clear();
    } else if (!m_previousPlayer.empty()) {
        SetCurrentPlayer(m_previousPlayer);
        m_previousPlayer.clear();
    }
    FillList();
    UpdateButtons();
    TGameMenuScreen::OnActivate();
}

void CCookChangePlayerScreen::DeleteCurrentPlayer() {
    const GF::WString name = GetCurrentPlayer().name;
    DeletePlayer(name);
}

void CCookChangePlayerScreen::FillList() {
    if (!m_list) return;
    std::list<GF::WString> names;
    ListPlayerNames(names);
    if (static_cast<int>(names.size()) != m_list->GetItemCount()) {
        m_list->Clear();
        for (const GF::WString& name : names) m_list->AddItem(name);
    }
    m_list->SelectItem(m_list->FindItem(GetCurrentPlayer().name));
}

void CCookChangePlayerScreen::UpdateButtons() {
    const bool any = m_list && m_list->GetItemCount() > 0;
    // One shortcut each, however often the screen comes back.
    RemovePhaseTask(GF::CKeyset::kKeyEnter);
    RemovePhaseTask(GF::CKeyset::kKeyEscape);
    if (any) {
        AddPhaseTask(GF::CKeyset::kKeyEnter, "back", false, kGameFinishFlags);
        AddPhaseTask(GF::CKeyset::kKeyEscape, "back2", false, kGameFinishFlags);
    }
    if (m_okButton) m_okButton->SetEnabled(any);
    if (m_removeButton) m_removeButton->SetEnabled(any);
}

void CCookChangePlayerScreen::OnCommand(const std::string& command) {
    if (command == "show_manual") {
        StartEffect(kModeOpen);
        m_noEffect = false;
    }
    if (command == "back2") {
        m_result = "back";
        m_pendingResult = m_result;
        return;
    }
    if (!m_list) return;
    const int selected = m_list->GetSelectedItem();
    if (selected < 0 || selected >= m_list->GetItemCount()) return;
    const GF::WString name = m_list->GetItem(selected);
    if (name.empty()) return;
    if (command == "remove") m_previousPlayer = GetCurrentPlayer().name;
    SetCurrentPlayer(name);
}

void CCookChangePlayerScreen::OnDeactivate() {
    if (m_result == "back") ApplyPlayerSettings();
    TGameMenuScreen::OnDeactivate();
}
