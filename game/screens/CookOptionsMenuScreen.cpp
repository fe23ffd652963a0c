#include "game/screens/CookOptionsMenuScreen.h"

#include <cstdint>
#include <unordered_map>

#include "engine/Hge.h"
#include "framework/app/GameManager.h"
#include "framework/app/Music.h"
#include "framework/core/Delegate.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/gui/CustomCursor.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr int kMusicVolume = 7;
constexpr int kSoundVolume = 8;
constexpr int kFullScreen = 9;
constexpr int kCustomCursor = 10;

// The profile is reached anew at each use: a settings load or a restart replaces the player store.
std::unordered_map<int32_t, float>& Variables() {
    return GetCurrentPlayer().floatVars;
}

bool IsWindowed() {
    HGE* hge = hgeCreate(HGE_VERSION);
    const bool windowed = hge->System_GetStateBool(HGE_WINDOWED);
    hge->Release();
    return windowed;
}

}  // namespace

GF::THolder<GF::IScreen> CCookOptionsMenuScreen::Create() {
    return GF::THolder<GF::IScreen>(new CCookOptionsMenuScreen);
}

GF::THolder<GF::IScreen> CIngameMenuScreen::Create() {
    return GF::THolder<GF::IScreen>(new CIngameMenuScreen);
}

CCookOptionsMenuScreen::~CCookOptionsMenuScreen() {
    // The controls may outlive the screen in other holders: they must not call back into it.
    if (m_fullScreenBox)
        m_fullScreenBox->m_checkedChangedEvent.Remove(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnFullScreenChanged));
    if (m_cursorBox)
        m_cursorBox->m_checkedChangedEvent.Remove(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnCursorChanged));
    if (m_musicSlider)
        m_musicSlider->m_valueChangedEvent.Remove(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnMusicVolumeChanged));
    if (m_soundSlider)
        m_soundSlider->m_valueChangedEvent.Remove(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnSoundVolumeChanged));
}

void CCookOptionsMenuScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    HideItems();
    CreateControls();
    BindButtons();
    WireControls();
    SetupKnobs();
    SyncFullScreenBox();
    if (m_layout) m_layout->SetLayer(GetGameData().overlayLayer);
}

void CCookOptionsMenuScreen::HideParts(std::initializer_list<const char*> parts) {
    for (const char* part : parts) {
        const GF::TDrawablePtr drawable = m_layout ? m_layout->FindDrawable(part) : GF::TDrawablePtr();
        if (drawable)
            drawable->SetVisible(false);
        else
            LogMissingPart(m_name, part);
    }
}

void CCookOptionsMenuScreen::HideItems() {
    HideParts({"_item_continue", "_item_main_menu", "_item_map", "_item_replay"});
}

void CIngameMenuScreen::HideItems() {
    HideParts({"_item_ok"});
}

void CCookOptionsMenuScreen::CreateControls() {
    auto& variables = Variables();
    m_fullScreenBox = CreateCheckBox("full_screen", variables[kFullScreen] != 0.0f);
    m_cursorBox = CreateCheckBox("custom_cursor", variables[kCustomCursor] != 0.0f);
    m_musicSlider = CreateSlider("slider_musik", TruncateToInt(variables[kMusicVolume]), 0, 100, true);
    m_soundSlider = CreateSlider("slider_sound", TruncateToInt(variables[kSoundVolume]), 0, 100, true);
}

void CCookOptionsMenuScreen::BindButtons() {
    BindControl("ok", "back", false, kGameFinishFlags);
    AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kGameFinishFlags);
}

void CIngameMenuScreen::BindButtons() {
    AddPhaseTask(GF::CKeyset::kKeyEscape, "back", false, kGameFinishFlags);
    BindControl("continue", "back", false, kGameFinishFlags);
    BindControl("main_menu", "main_menu", false, kGameFinishFlags);
    BindControl("map", "map", false, kGameFinishFlags);
    BindControl("replay", "replay", false, kGameFinishFlags);
}

void CCookOptionsMenuScreen::WireControls() {
    if (m_fullScreenBox)
        m_fullScreenBox->m_checkedChangedEvent.Add(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnFullScreenChanged));
    if (m_cursorBox)
        m_cursorBox->m_checkedChangedEvent.Add(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnCursorChanged));
    if (m_musicSlider)
        m_musicSlider->m_valueChangedEvent.Add(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnMusicVolumeChanged));
    if (m_soundSlider)
        m_soundSlider->m_valueChangedEvent.Add(
            GF::CreateDelegate(this, &CCookOptionsMenuScreen::OnSoundVolumeChanged));
}

GF::TAnimationPtr CCookOptionsMenuScreen::FindKnob(const char* item) {
    const GF::TAnimationPtr knob =
        GF::HGENS::HostedAnimation(GF::HGENS::HostedAnimation(m_layout, item), "_cursor");
    if (knob)
        knob->Play("_idle", 0, false);
    else
        LogMissingPart(m_name, std::string(item) + "/_cursor");
    return knob;
}

void CCookOptionsMenuScreen::SetupKnobs() {
    m_musicKnob = FindKnob("_item_slider_musik");
    m_soundKnob = FindKnob("_item_slider_sound");
}

void CCookOptionsMenuScreen::OnFullScreenChanged(GF::THolder<GF::HGENS::CBaseControl>) {
    if (!m_fullScreenBox) return;
    const bool checked = m_fullScreenBox->m_checked;
    GF::GetGameManager()->SetFullScreen(checked);
    Variables()[kFullScreen] = checked ? 1.0f : 0.0f;
}

void CCookOptionsMenuScreen::OnCursorChanged(GF::THolder<GF::HGENS::CBaseControl>) {
    // The variable decides, whatever the box shows.
    float& cursor = Variables()[kCustomCursor];
    if (TruncateToInt(cursor) != 0) {
        GF::HGENS::GetCustomCursor()->RestoreSystemCursor();
        cursor = 0.0f;
    } else {
        GF::HGENS::GetCustomCursor()->SetCursor("cursor.custom");
        cursor = 1.0f;
    }
}

void CCookOptionsMenuScreen::OnMusicVolumeChanged(GF::THolder<GF::HGENS::CBaseControl>) {
    if (!m_musicSlider) return;
    const int value = m_musicSlider->GetValue();
    GF::GetGameProperties()->SetInt("MusicVolume", value);
    GF::GetMusic()->ApplyVolume();
    Variables()[kMusicVolume] = static_cast<float>(value);
}

void CCookOptionsMenuScreen::OnSoundVolumeChanged(GF::THolder<GF::HGENS::CBaseControl>) {
    if (!m_soundSlider) return;
    const int value = m_soundSlider->GetValue();
    GF::GetGameProperties()->SetInt("SoundVolume", value);
    Variables()[kSoundVolume] = static_cast<float>(value);
}

// The box shows the window as it is; that is no choice of the player's, so nothing is raised and the
// player's variable keeps what was chosen (a window that can't be full screen here may be next time).
void CCookOptionsMenuScreen::SyncFullScreenBox() {
    if (!m_fullScreenBox) return;
    const bool shown = !IsWindowed();
    if (m_fullScreenBox->m_checked != shown) m_fullScreenBox->ShowChecked(shown);
}

bool CCookOptionsMenuScreen::UpdateIdle(const float& dt) {
    SyncFullScreenBox();
    return TGameMenuScreen::UpdateIdle(dt);
}

void CCookOptionsMenuScreen::OnDeactivate() {
    SaveSettings();
    // In place of the shades' deactivation: the menu screen's own.
    GF::HGENS::CMenuScreenAbstract::OnDeactivate();
}
