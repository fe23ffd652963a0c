#include "framework/gui/ConfirmScreen.h"

#include "framework/app/GameSound.h"
#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/resources/Resource.h"

namespace GF {
namespace HGENS {

namespace {

constexpr int kAnswerMask =
    CScreenAbstract::kPhaseIdle | CScreenAbstract::kAutoShow | CScreenAbstract::kHideBeforeFinish;

}  // namespace

CConfirmMenuScreen::~CConfirmMenuScreen() {
    for (const tagBoundControl& record : m_boundControls) {
        if (!record.control) continue;
        record.control->m_clickEvent.Remove(CreateDelegate(this, &CConfirmMenuScreen::OnClickSound));
        record.control->m_mouseEnterEvent.Remove(CreateDelegate(this, &CConfirmMenuScreen::OnMouseOverSound));
    }
}

THolder<IScreen> CConfirmMenuScreen::Create() {
    return THolder<IScreen>(new CConfirmMenuScreen);
}

void CConfirmMenuScreen::Initialize(const std::string& layoutName, THolder<IScene> scene,
                                    const char* phraseKey) {
    CMenuScreenAbstract::Initialize(layoutName, std::move(scene), phraseKey);
    ChoosePhrase(phraseKey);
}

void CConfirmMenuScreen::OnInitialize() {
    m_initializeEvent.Raise(Self());
    BindAnswer("yes", CKeyset::kKeyEnter);
    BindAnswer("no", CKeyset::kKeyEscape);
}

void CConfirmMenuScreen::BindAnswer(const std::string& name, int key) {
    BindControl(name, name, false, kAnswerMask);
    AddPhaseTask(key, name, false, kAnswerMask);
    if (const THolder<CBaseControl> button = FindControl(name)) {
        button->m_clickEvent.Add(CreateDelegate(this, &CConfirmMenuScreen::OnClickSound));
        button->m_mouseEnterEvent.Add(CreateDelegate(this, &CConfirmMenuScreen::OnMouseOverSound));
    }
}

bool CConfirmMenuScreen::UpdateIdle(const float& dt) {
    if (!m_layout) {
        m_pendingResult = "yes";
        m_result = m_pendingResult;
        return false;
    }
    return CMenuScreenAbstract::UpdateIdle(dt);
}

// The texts are looked up under the key followed by "_01" to "_03"; keys of any length are
// formatted whole, never cut to a fixed room.
void CConfirmMenuScreen::ChoosePhrase(const char* phraseKey) {
    if (!m_layout) return;
    const std::string key = phraseKey ? phraseKey : "";
    const THolder<CResource> resource = GetResource();
    for (int line = 1; line <= kPhraseLines; ++line) {
        const std::string textKey = key + (line < 10 ? "_0" : "_") + std::to_string(line);
        const std::string child = "_phrase_" + std::to_string(line);
        const WString* text = resource->GetText(textKey);
        if (text && !text->empty()) {
            m_layout->SetText(child, *text);
            m_layout->SetChildVisible(child.c_str(), true);
        } else {
            m_layout->SetChildVisible(child.c_str(), false);
        }
    }
}

void CConfirmMenuScreen::OnClickSound(THolder<CBaseControl>, const TPoint<int>&, int) {
    CGameSound::Instance()->PlaySound(kDialogClickSound, 0.0f, 0.0f);
}

void CConfirmMenuScreen::OnMouseOverSound(THolder<CBaseControl>) {
    CGameSound::Instance()->PlaySound(kDialogHoverSound, 0.0f, 0.0f);
}

}  // namespace HGENS
}  // namespace GF
