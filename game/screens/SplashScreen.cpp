#include "game/screens/SplashScreen.h"

#include "framework/app/GameManager.h"
#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/gui/CustomCursor.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameSounds.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"
#include "game/screens/CheatClass.h"

namespace {

constexpr int kCustomCursor = 10;
// The layout's child that hosts the ribbon shown under a named player's menu.
constexpr unsigned kRibbonHost = 10;
// The player button's item: its caption is the current player's name.
constexpr const char* kPlayerItem = "_item_new_player";

const char* const kPlayerControls[] = {"options", "help", "hight_score", "play", "new_player", "quit"};

GF::THolder<GF::IDelegate1<void, GF::WChar>> ListenerDelegate() {
    return GF::CreateDelegate(&GetCheatListener(), &CCheatClass::OnChar);
}

}  // namespace

void CSplashScreen::OnInitialize() {
    PlayMusic(kMusicMainMenu);
    TGameMenuScreen::OnInitialize();
    BindControl("options", "options", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "options", false, kGameFinishFlags);
    BindControl("help", "help", false, kGameFinishFlags);
    BindControl("hight_score", "score", false, kGameFinishFlags);
    BindControl("play", "play", false, kGameFinishFlags);
    BindControl("new_player", "select_player", false, kGameFinishFlags);
    BindControl("quit", "back", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyDigit0, "starting", false, kGameFinishFlags);

    CPlayerProfile& player = GetCurrentPlayer();
    if (TruncateToInt(player.floatVars[kCustomCursor]) != 0)
        GF::HGENS::GetCustomCursor()->SetCursor("cursor.custom");
    if (!player.name.empty()) SyncStageProgress(false);
}

void CSplashScreen::OnActivate() {
    TGameMenuScreen::OnActivate();
    const GF::WString name = GetCurrentPlayer().name;
    if (const GF::TAnimationPtr item = GF::HGENS::HostedAnimation(m_layout, kPlayerItem))
        item->SetText("_text", name);
    else
        LogMissingPart(m_name, kPlayerItem);

    GF::TAnimationPtr ribbon;
    if (m_layout) {
        const GF::TSubstitutedContainerPtr host(m_layout->GetDrawable(kRibbonHost).Get());
        if (host) ribbon = host->FindSubstituted("lenta");
    }
    if (!ribbon) LogMissingPart(m_name, "lenta");

    const bool named = !name.empty();
    for (const char* control : kPlayerControls)
        if (const GF::THolder<GF::HGENS::CBaseControl> found = FindControl(control)) found->SetEnabled(named);
    // The nameless player leaves for the name screen at once: an empty name button would only show
    // a blank face until then.
    if (m_layout) m_layout->SetChildVisible(kPlayerItem, named);
    if (ribbon) {
        ribbon->SetVisible(named);
        if (named) ribbon->Play("_show", 0, false);
    }

    // Once only, however often the screen comes back on top.
    GF::GetGameManager()->GetCharEvent().Remove(ListenerDelegate());
    GF::GetGameManager()->GetCharEvent().Add(ListenerDelegate());
}

void CSplashScreen::OnDeactivate() {
    TGameMenuScreen::OnDeactivate();
    GF::GetGameManager()->GetCharEvent().Remove(ListenerDelegate());
}

bool CSplashScreen::UpdateIdle(const float& dt) {
    if (GetCurrentPlayer().name.empty() && m_result.empty()) Finish("new_player", kGameFinishFlags);
    return TGameMenuScreen::UpdateIdle(dt);
}

void CSplashScreen::OnCommand(const std::string&) {
    if (m_result != "play") return;
    if (GetCurrentPlayer().flags["comics_1"]) return;
    m_result = "comics";
    m_pendingResult = m_result;
}
