#include "game/screens/HelpScreen.h"

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr const char* kPagePrefix = "help_";

}  // namespace

void CHelpScreen::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    const float page = GetCurrentPlayer().floatVars[kPageVariable];
    ShowPage(TruncateToInt(page));
    BindControl("prev", "prev", false, kGameFinishFlags);
    BindControl("next", "next", false, kGameFinishFlags);
    BindControl("next_2", "next", false, kGameFinishFlags);
    BindControl("skip", "exit", false, kGameFinishFlags);
    EnableButtons(page, GetGameData().helpValue);
}

// Without the place or the page the screen shows no page; its buttons still lead on.
void CHelpScreen::ShowPage(int page) {
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kPlace).Get() : nullptr);
    if (!place) {
        LogMissingPart(m_name, kPlace);
        return;
    }
    const std::string name = kPagePrefix + std::to_string(page);
    if (!place->Substitute(name)) LogMissingPart(m_name, name);
}

// Compared as the variable holds it: page 2.7 of 3 is not the last page. A button the page does not
// offer is put away, not left dimmed: "next" and "next_2" share their caption.
void CHelpScreen::EnableButtons(float page, int pageCount) {
    const auto disable = [this](const char* name) { OfferControl(FindControl(name), false); };
    if (page <= 1.0f) {
        disable("prev");
        disable("next");
    } else if (page < static_cast<float>(pageCount)) {
        disable("next_2");
    } else {
        disable("skip");
        disable("next_2");
    }
}

void CHelpScreen::OnCommand(const std::string& command) {
    TGameMenuScreen::OnCommand(command);
    if (m_result != "next") return;
    if (GetCurrentPlayer().floatVars[kPageVariable] < static_cast<float>(GetGameData().helpValue)) return;
    m_result = "exit";
    m_pendingResult = "exit";
}
