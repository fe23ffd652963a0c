#include "game/screens/VelmoRoom.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/app/ResourceText.h"
#include "game/app/SoundNames.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr const char* kCupPrefix = "main_menu.cup_";
constexpr const char* kDressButton = "Velmo_room.dres_button";
constexpr const char* kDressPrefix = "Velmo_room.dres_";

GF::TPoint<float> MousePoint() {
    const GF::THolder<GF::CMouse> mouse = GF::GetMouse();
    return {mouse->GetFloatX(), mouse->GetFloatY()};
}

bool Contains(const GF::TRect& box, const GF::TPoint<float>& point) {
    return static_cast<float>(box.left) <= point.x && point.x <= static_cast<float>(box.right) &&
           static_cast<float>(box.top) <= point.y && point.y <= static_cast<float>(box.bottom);
}

// Makes the object follow the layout part (its own position counting from the part's origin); a part
// the layout lacks leaves it where it is.
void Attach(const GF::TAnimationPtr& object, const GF::TAnimationPtr& host, const std::string& part) {
    const GF::TSubstitutedContainerPtr place(host ? host->FindDrawable(part).Get() : nullptr);
    if (object && place) object->SetContainer(place, true);
}

std::string StageName(int number) {
    return "stage" + std::to_string(number);
}

// The heroine's look for a worn dress, as the kitchen dresses her: the game data's dress table, the
// default look for a number outside it.
int DressAppearance(int dress) {
    const std::vector<int32_t>& dresses = GetGameData().persParams.dresses;
    if (dress < 0 || static_cast<std::size_t>(dress) >= dresses.size()) return 0;
    return dresses[static_cast<std::size_t>(dress)];
}

int HighestStageNumber() {
    int highest = 0;
    for (const auto& [name, stage] : GetLevelsData().Stages()) highest = std::max(highest, stage.Number);
    return highest;
}

}  // namespace

CVelmoRoom::~CVelmoRoom() {
    if (m_heroine) m_heroine->ClearActionQueue();
    m_cupGlow.present.Reset();
    m_cupGlow.previous.Reset();
    m_sparkle.Reset();
    m_balloon.Reset();
    m_heroine.Reset();
    m_cups.clear();
    m_curtain.Reset();
    m_slots.clear();
}

void CVelmoRoom::OnInitialize() {
    PlayMusic(kMusicGameMenu);
    TGameMenuScreen::OnInitialize();
    SetUpRoom();
    BindButtons();
}

void CVelmoRoom::SetUpRoom() {
    // The buttons' boxes are taken at once: the parts they follow must stand where they are drawn.
    if (m_layout) m_layout->ApplyTransform();
    FillDressSlots();
    SetUpHeroine();
    SetUpCurtain();
    CreateCups();
    SetUpBalloon();
}

void CVelmoRoom::SetUpHeroine() {
    const CLevelInfo* level = GetLevelsData().FindLevel(kRoomLevel);
    const std::size_t corners = level ? level->FloorQuad.size() : 0;
    if (corners < 4) {
        GameLog("Dressing room: level \"%s\" has %zu floor corners instead of 4; the heroine stays out",
                kRoomLevel, corners);
        return;
    }
    SetFloorQuad(level->FloorQuad);
    m_heroine = CPers::Create(DressAppearance(TruncateToInt(GetCurrentPlayer().floatVars[kDressVariable])),
                              level->WalkGrid.begin(), level->WalkGrid.end(), m_scene);
    m_heroine->SetPosition(0.0f, 0.0f);
}

void CVelmoRoom::SetUpCurtain() {
    m_curtain = GF::HGENS::HostedAnimation(m_layout, "_shtora");
    if (!m_curtain) {
        GameLog("Dressing room: no curtain in \"_shtora\"; dresses change at the click");
        return;
    }
    m_curtain->Play("all", 0, false);
    m_curtain->SetLayer(GetGameData().persParams.persLayer + kCurtainAboveHeroine);
    m_curtain->Stop();
    if (m_curtain->GetEndTime() <= 0.0f)
        GameLog("Dressing room: the curtain has no length; dresses change on the next frame");
}

void CVelmoRoom::SetUpBalloon() {
    m_balloon = GF::HGENS::HostedAnimation(m_layout, "_baloon");
    if (!m_balloon) {
        LogMissingPart(m_name, "_baloon");
        return;
    }
    m_balloon->Play("_hide", 0, false);
    m_balloon->Stop();
}

void CVelmoRoom::CreateCups() {
    CPlayerProfile& player = GetCurrentPlayer();
    // Variable 1 comes from the settings file: no more cups than the stage table has stages.
    const int64_t opened = TruncateToInt(player.floatVars[kStageVariable]);
    const int64_t end = opened + (player.floatVars[kStageDoneVariable] != 0.0f ? 1 : 0);
    const int64_t highest = HighestStageNumber();
    if (end - 1 > highest)
        GameLog("Dressing room: stage %lld is past the stage table; cups up to stage %lld",
                static_cast<long long>(end - 1), static_cast<long long>(highest));
    for (int64_t s = 1; s < end && s <= highest; ++s) {
        const int stage = static_cast<int>(s);
        const int place = CollectStageResults(StageName(stage));
        const std::string name = kCupPrefix + std::to_string(place) + "_" + std::to_string(stage);
        const GF::TAnimationPtr cup = m_scene ? m_scene->CreateAnimation(name) : GF::TAnimationPtr();
        Attach(cup, m_layout, "cubok_place_" + std::to_string(stage));
        m_cups.push_back(cup);
    }
}

void CVelmoRoom::BindButtons() {
    BindControl("exit", "exit", false, kGameFinishFlags);
    BindControl("cookbook", "cookbook", false, kGameFinishFlags);
}

void CVelmoRoom::FillDressSlots() {
    CPlayerProfile& player = GetCurrentPlayer();
    const CStageInfo* stage = GetLevelsData().FindStage(player.stageName);
    if (stage) {
        const float unlocked = player.floatVars[kUnlockedVariable];
        for (std::size_t i = 0; i < stage->Dresses.size() && unlocked > static_cast<float>(i); ++i) {
            const int32_t dress = stage->Dresses[i];
            AddDressSlot(static_cast<float>(dress) == player.floatVars[kDressVariable] ? 0 : dress);
        }
    }
    if (!m_slots.empty() && player.floatVars[kUnlockedVariable] <= kSparkleUpTo &&
        player.floatVars[kNewDressVariable] == 1.0f)
        ShowNewDressSparkle(m_slots.size() - 1);
    player.floatVars[kNewDressVariable] = 0.0f;
}

void CVelmoRoom::AddDressSlot(int32_t dress) {
    const int slotNumber = static_cast<int>(m_slots.size()) + 1;
    CDressSlot slot;
    slot.dress = dress;
    slot.button = CreateDressButton(dress, slotNumber);
    if (slot.button) {
        slot.button->Stop();
        slot.button->Update(0.0f);
        slot.box = slot.button->GetBoundingBox();
    }
    m_slots.push_back(slot);
}

GF::TAnimationPtr CVelmoRoom::CreateDressButton(int32_t dress, int slotNumber) {
    const GF::TAnimationPtr button = m_scene ? m_scene->CreateAnimation(kDressButton) : GF::TAnimationPtr();
    if (!button) {
        LogMissingPart(m_name, kDressButton);
        return button;
    }
    // The picture is hosted by the part, which it follows.
    const GF::TSubstitutedContainerPtr place(button->FindDrawable("-place").Get());
    if (place) place->Substitute(kDressPrefix + std::to_string(dress));
    Attach(button, m_layout, "_dres_place_" + std::to_string(slotNumber));
    button->Play("_up", 0, false);
    return button;
}

void CVelmoRoom::ShowNewDressSparkle(std::size_t slot) {
    const GF::TAnimationPtr& button = m_slots[slot].button;
    if (!button) return;
    const GF::TRect box = button->GetBoundingBox();
    const float x = static_cast<float>((int64_t{box.left} + box.right) / 2);
    const float y = static_cast<float>((int64_t{box.top} + box.bottom) / 2);
    m_sparkle = GF::HGENS::CFGParticle::Create(kParticleFile, kParticleTexture, kSparkleSeconds, true);
    m_sparkle->SetScene(m_scene);
    m_sparkle->MoveTo(x, y);
    m_sparkle->layer = button->GetLayer() + kSparkleAboveButton;
}

bool CVelmoRoom::UpdateIdle(const float& dt) {
    if (!TGameMenuScreen::UpdateIdle(dt)) return false;
    (this->*m_phase)(dt);
    CActionWorker::Update(dt);
    if (m_heroine) m_heroine->Update(dt);
    UpdateCupHover(dt);
    return true;
}

void CVelmoRoom::WaitForActions(const float&) {
    if (!GetLastAction()) m_phase = &CVelmoRoom::UpdateDressing;
}

bool CVelmoRoom::IsAtRest() const {
    return !m_curtain || m_curtain->IsFinished();
}

void CVelmoRoom::UpdateDressing(const float&) {
    if (m_swapPending) {
        // A curtain without length is past half-way at once.
        const float end = m_curtain ? m_curtain->GetEndTime() : 0.0f;
        const float progress = end > 0.0f ? m_curtain->GetTime() / end : 1.0f;
        if (progress > 0.5f) {
            m_swapPending = false;
            SwapDress();
        }
    }
    if (!IsAtRest()) return;
    UpdateDressHover();
    const GF::THolder<GF::CKeyset> keys = GF::GetKeyset();
    const bool clicked = keys->IsDown(GF::CKeyset::kKeyMouseLeft);
    keys->SetDown(GF::CKeyset::kKeyMouseLeft, false);
    if (!clicked || m_hovered < 0) return;
    if (m_curtain) m_curtain->Play("all", 0, false);
    if (const GF::TAnimationPtr& button = m_slots[static_cast<std::size_t>(m_hovered)].button)
        button->Play("_disabled", 1, true);
    PlayGameSound(kCurtainSound);
    PlayGameSound(kSwishSound);
    if (m_curtain)
        m_swapPending = true;
    else
        SwapDress();
}

void CVelmoRoom::SwapDress() {
    if (m_hovered < 0 || static_cast<std::size_t>(m_hovered) >= m_slots.size()) return;
    CDressSlot& slot = m_slots[static_cast<std::size_t>(m_hovered)];
    CPlayerProfile& player = GetCurrentPlayer();
    const int32_t worn = TruncateToInt(player.floatVars[kDressVariable]);
    player.floatVars[kDressVariable] = static_cast<float>(slot.dress);
    slot.dress = worn;
    if (m_heroine) {
        m_heroine->SetAppearance(DressAppearance(TruncateToInt(player.floatVars[kDressVariable])));
        m_heroine->RefreshAppearance();
    }
    const GF::TAnimationPtr previous = slot.button;
    slot.button = CreateDressButton(slot.dress, m_hovered + 1);
    if (previous) previous->Reset();
    m_hovered = -1;
    SyncStageProgress(true);
}

void CVelmoRoom::UpdateDressHover() {
    const GF::TPoint<float> point = MousePoint();
    int hit = -1;
    for (int k = static_cast<int>(m_slots.size()) - 1; k >= 0 && hit < 0; --k)
        if (Contains(m_slots[static_cast<std::size_t>(k)].box, point)) hit = k;
    if (hit == m_hovered) return;
    if (m_hovered >= 0)
        if (const GF::TAnimationPtr& button = m_slots[static_cast<std::size_t>(m_hovered)].button)
            button->Play("_leave", 0, false);
    m_hovered = hit;
    if (hit < 0) return;
    PlayGameSound(kHoverSound);
    if (const GF::TAnimationPtr& button = m_slots[static_cast<std::size_t>(hit)].button)
        button->Play("_over", 0, false);
}

int CVelmoRoom::FindCup(const GF::TPoint<float>& point) const {
    for (std::size_t i = 0; i < m_cups.size(); ++i)
        if (m_cups[i] && Contains(m_cups[i]->GetBoundingBox(), point)) return static_cast<int>(i);
    return -1;
}

void CVelmoRoom::UpdateCupHover(const float& dt) {
    const GF::TPoint<float> point = MousePoint();
    if (point.x == m_lastMouseX && point.y == m_lastMouseY) {
        m_restTime += dt;
        const int delay = GetGameData().fieldParams.mouseRestDelay / 3;
        if (m_restTime > static_cast<float>(delay) && !m_cupBalloonShown) {
            m_cupBalloonShown = true;
            ShowCupBalloon(point);
        }
    } else {
        if (m_cupBalloonShown) {
            m_cupBalloonShown = false;
            HideCupBalloon(point);
        }
        m_restTime = 0.0f;
        m_lastMouseX = point.x;
        m_lastMouseY = point.y;
    }
    const int cup = FindCup(point);
    m_cupGlow.Update(dt, cup >= 0 ? m_cups[static_cast<std::size_t>(cup)] : GF::TAnimationPtr());
}

void CVelmoRoom::ShowCupBalloon(const GF::TPoint<float>& point) {
    const int cup = FindCup(point);
    if (cup < 0) {
        m_cupBalloonShown = false;
        return;
    }
    if (!m_balloon) return;
    const int stage = cup + 1;
    const int place = CollectStageResults(StageName(stage));
    m_balloon->SetText("_text", ResourceText("stage_name_" + std::to_string(stage)) + u" " +
                                    ResourceText("cup_place_" + std::to_string(place)));
    m_balloon->Play("_show", 0, false);
}

void CVelmoRoom::HideCupBalloon(const GF::TPoint<float>&) {
    if (m_balloon) m_balloon->Play("_hide", 1, false);
}
