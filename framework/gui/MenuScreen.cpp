#include "framework/gui/MenuScreen.h"

#include "framework/app/GameManager.h"
#include "framework/gui/Button.h"
#include "framework/resources/Resource.h"

namespace GF {
namespace HGENS {

CMenuScreenAbstract::~CMenuScreenAbstract() {
    for (const tagBoundControl& record : m_boundControls) {
        if (!record.control) continue;
        record.control->m_clickEvent.Remove(CreateDelegate(this, &CMenuScreenAbstract::OnButtonClick));
        record.control->m_mouseEnterEvent.Remove(CreateDelegate(this, &CMenuScreenAbstract::OnHintOn));
        record.control->m_mouseLeaveEvent.Remove(CreateDelegate(this, &CMenuScreenAbstract::OnHintOff));
    }
}

void CMenuScreenAbstract::BindControl(const std::string& controlName, const std::string& resultWord,
                                      bool confirm, int mask) {
    tagBoundControl record;
    record.confirm = confirm;
    record.resultWord = resultWord;
    record.controlName = controlName;
    record.mask = mask;
    const WString* hint = GetResource()->GetText("hint_" + controlName);
    if (hint) record.hint = *hint;
    record.control = CreateButton(controlName);
    if (record.control) {
        record.control->m_clickEvent.Add(CreateDelegate(this, &CMenuScreenAbstract::OnButtonClick));
        record.control->m_mouseEnterEvent.Add(CreateDelegate(this, &CMenuScreenAbstract::OnHintOn));
        record.control->m_mouseLeaveEvent.Add(CreateDelegate(this, &CMenuScreenAbstract::OnHintOff));
        record.control->SetBindingIndex(static_cast<int>(m_boundControls.size()));
    }
    m_boundControls.push_back(std::move(record));
}

const CMenuScreenAbstract::tagBoundControl* CMenuScreenAbstract::FindRecord(
    const THolder<CBaseControl>& control) const {
    if (!control) return nullptr;
    const int index = control->GetBindingIndex();
    if (index < 0 || index >= static_cast<int>(m_boundControls.size())) return nullptr;
    return &m_boundControls[static_cast<std::size_t>(index)];
}

void CMenuScreenAbstract::OnButtonClick(THolder<CBaseControl> control, const TPoint<int>&, int) {
    const tagBoundControl* found = FindRecord(control);
    if (!found) return;
    // Finish announces the result, whose listeners may destroy this screen; it stays alive until
    // the handler returns. The record is copied: the list may grow meanwhile.
    const THolder<IScreen> self = Self();
    const tagBoundControl record = *found;
    const int index = control->GetBindingIndex();
    Finish(record.resultWord, record.mask);
    if (!record.confirm) return;
    if (const THolder<IScreen> dialog = OpenConfirmation(record.controlName))
        dialog->GetDeactivateEvent().Add(CreateDelegate(this, &CMenuScreenAbstract::OnConfirmation));
    m_confirmRecordIndex = index;
}

void CMenuScreenAbstract::Finish(const std::string& resultWord, int mask) {
    const THolder<IScreen> self = Self();
    m_finishing = true;
    m_autoShow = (mask & kAutoShow) != 0;
    m_pendingResult = resultWord;
    m_result = m_pendingResult;
    m_hideBeforeFinish = (mask & kHideBeforeFinish) != 0;
    const std::string result = m_result;
    OnCommand(result);
    // A command that emptied the result cancels the finish: the screen stays idle, nothing reported.
    if (m_result.empty()) {
        m_finishing = false;
        return;
    }
    GetGameManager()->RaiseScreenResult(self);
}

void CMenuScreenAbstract::OnConfirmation(THolder<IScreen> confirmation) {
    const THolder<IScreen> self = Self();
    if (confirmation && confirmation->GetResult() == "yes") m_confirmed = true;
    GetGameManager()->DestroyScreen("confirm_screen");
}

bool CMenuScreenAbstract::UpdateIdle(const float& dt) {
    const THolder<IScreen> self = Self();
    if (m_confirmed && m_confirmRecordIndex >= 0 &&
        m_confirmRecordIndex < static_cast<int>(m_boundControls.size())) {
        const tagBoundControl record = m_boundControls[static_cast<std::size_t>(m_confirmRecordIndex)];
        Finish(record.resultWord, record.mask);
    }
    if (m_finishing) {
        if (!m_hideBeforeFinish) return false;
        Hide();
    }
    return CScreenAbstract::UpdateIdle(dt);
}

void CMenuScreenAbstract::OnActivate() {
    const THolder<IScreen> self = Self();
    m_finishing = false;
    m_activateEvent.Raise(self);
}

void CMenuScreenAbstract::OnDeactivate() {
    const THolder<IScreen> self = Self();
    m_deactivateEvent.Raise(self);
    m_confirmed = false;
}

void CMenuScreenAbstract::OnHintOn(THolder<CBaseControl> control) {
    const tagBoundControl* record = FindRecord(control);
    if (record && m_layout) m_layout->SetText("_hint", record->hint);
}

void CMenuScreenAbstract::OnHintOff(THolder<CBaseControl> control) {
    if (FindRecord(control) && m_layout) m_layout->SetText("_hint", u" ");
}

}  // namespace HGENS
}  // namespace GF
