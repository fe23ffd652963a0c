#include "game/screens/CookConfirmMenuScreen.h"

#include "framework/core/WString.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/ResourceText.h"

namespace {

constexpr int32_t kLevelVariable = 11;
constexpr int32_t kReplayRequestVariable = 28;
constexpr int32_t kLevelToPlayVariable = 29;
constexpr const char* kNameToken = "_name";

// Places 1 to 3 replay up to stage 5, places 1 and 2 in stage 6.
bool ReplayAllowed(int place, int stage) {
    if (place < 1) return false;
    if (stage <= 5) return place <= 3;
    return stage == 6 && place <= 2;
}

}  // namespace

GF::THolder<GF::IScreen> CCookConfirmMenuScreen::Create() {
    CCookConfirmMenuScreen* screen = new CCookConfirmMenuScreen;
    screen->m_openThreshold = 1.0f;
    return GF::THolder<GF::IScreen>(screen);
}

void CCookConfirmMenuScreen::ChoosePhrase(const char*) {
    if (!m_layout) return;
    const GF::WString token = GF::Utf8ToUtf16(kNameToken);
    for (int line = 1; line <= kPhraseLines; ++line) {
        const std::string key = GetName() + (line < 10 ? "_0" : "_") + std::to_string(line);
        const std::string part = "_phrase_" + std::to_string(line);
        GF::WString text = ResourceText(key);
        if (text.empty()) {
            m_layout->SetChildVisible(part.c_str(), false);
            continue;
        }
        const std::size_t at = text.find(token);
        if (at != GF::WString::npos) text.replace(at, token.size(), GetCurrentPlayer().name);
        m_layout->SetText(part, text);
        m_layout->SetChildVisible(part.c_str(), true);
    }
}

void CCookConfirmMenuScreen::OnCommand(const std::string&) {
    CPlayerProfile& player = GetCurrentPlayer();
    if (m_result != "yes" || player.stringVars[kReplayRequestVariable] != "replay") return;
    const std::string& level = player.stringVars[kLevelVariable];
    const auto progress = player.levels.find(level);
    const int place = progress == player.levels.end() ? 0 : progress->second.place;
    if (ReplayAllowed(place, GetCurrentStageNumber())) player.stringVars[kLevelToPlayVariable] = level;
}
