#include "game/screens/PlaceholderScreen.h"

#include "framework/core/Keyset.h"
#include "framework/core/WString.h"

namespace {

constexpr int kBackMask = GF::HGENS::CScreenAbstract::kPhaseIdle | GF::HGENS::CScreenAbstract::kAutoShow |
                          GF::HGENS::CScreenAbstract::kHideBeforeFinish;

}  // namespace

GF::THolder<GF::IScreen> CPlaceholderScreen::Create() {
    return GF::THolder<GF::IScreen>(new CPlaceholderScreen);
}

void CPlaceholderScreen::Initialize(const std::string&, GF::THolder<GF::IScene> scene,
                                    const char* phraseKey) {
    CShowHideEffectScreen::Initialize(kLayout, std::move(scene), phraseKey);
}

void CPlaceholderScreen::OnInitialize() {
    CShowHideEffectScreen::OnInitialize();
    if (m_layout) m_layout->SetText("_text", GF::Utf8ToUtf16(m_name));
    BindControl("ok", "back", false, kBackMask);
    AddPhaseTask(GF::CKeyset::kKeyEnter, "back", false, kBackMask);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kBackMask);
}
