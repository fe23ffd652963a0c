#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/Rect.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/Pers.h"
#include "game/screens/GameMenuScreen.h"
#include "game/screens/HoverGlow.h"

// One dress button of the dressing room: the dress it offers and where it lies on the screen.
struct CDressSlot {
    GF::TAnimationPtr button;
    int32_t dress = 0;
    GF::TRect box{};  // screen pixels, taken once when the slot is added
};

// The dressing room ("VelmoRoomScreen"): the heroine in her dress behind a curtain, a button for each
// dress of the current stage unlocked so far (the worn one's place offers the default dress 0) and
// the cups of the stages finished. A click on a dress closes and opens the curtain; once it is past
// half-way she wears the dress clicked, the button offers the one she took off, and the stage's
// progress is saved. Resting the mouse on a cup names the stage and the place won there. "exit" and
// "cookbook" end the room with their names.
//
// The level "other_1" gives the room's floor and her walk grid; without its four floor corners she
// stays out of the room, the rest works. A curtain without length swaps on the next frame, a room
// without a curtain swaps on the click.
class CVelmoRoom : public TGameMenuScreen, public CActionWorker, public CScreenMaker<CVelmoRoom> {
public:
    static constexpr int kStageVariable = 1;
    static constexpr int kDressVariable = 3;
    static constexpr int kUnlockedVariable = 15;
    static constexpr int kNewDressVariable = 17;
    static constexpr int kStageDoneVariable = 32;
    static constexpr int kHoverSound = 22;
    static constexpr int kCurtainSound = 23;
    static constexpr int kSwishSound = 0;
    static constexpr const char* kRoomLevel = "other_1";
    static constexpr const char* kParticleFile = "Particle\\new_dress_room.fgp";
    static constexpr const char* kParticleTexture = "particles_2";
    static constexpr float kSparkleSeconds = 3.0f;
    static constexpr float kGlowMs = 200.0f;
    static constexpr int kCurtainAboveHeroine = 20;
    static constexpr int kSparkleAboveButton = 10;
    // The sparkle shows only while few dresses are unlocked.
    static constexpr float kSparkleUpTo = 3.0f;

    ~CVelmoRoom() override;

    void OnInitialize() override;
    bool UpdateIdle(const float& dt) override;

    // The balloon names the stage and place of the cup under the point; with no cup there it stays
    // hidden and the next frame of rest tries again.
    virtual void ShowCupBalloon(const GF::TPoint<float>& point);
    virtual void HideCupBalloon(const GF::TPoint<float>& point);
    // Balloon timing and the cup glow, every idle frame.
    virtual void UpdateCupHover(const float& dt);

    // What a player (or a test) can see of the room.
    const std::vector<CDressSlot>& GetSlots() const { return m_slots; }
    bool IsAtRest() const;
    const GF::TAnimationPtr& GetCurtain() const { return m_curtain; }
    const GF::TAnimationPtr& GetBalloon() const { return m_balloon; }
    bool IsCupBalloonShown() const { return m_cupBalloonShown; }
    const std::vector<GF::TAnimationPtr>& GetCups() const { return m_cups; }
    const GF::THolder<CPers>& GetHeroine() const { return m_heroine; }
    const GF::THolder<GF::HGENS::CFGParticle>& GetSparkle() const { return m_sparkle; }
    const HoverGlow& GetCupGlow() const { return m_cupGlow; }

private:
    using TPhase = void (CVelmoRoom::*)(const float& dt);

    friend CScreenMaker<CVelmoRoom>;
    CVelmoRoom() = default;

    void SetUpRoom();
    void SetUpHeroine();
    void SetUpCurtain();
    void SetUpBalloon();
    void CreateCups();
    void BindButtons();
    void FillDressSlots();
    void AddDressSlot(int32_t dress);
    GF::TAnimationPtr CreateDressButton(int32_t dress, int slotNumber);
    void ShowNewDressSparkle(std::size_t slot);

    void WaitForActions(const float& dt);
    void UpdateDressing(const float& dt);
    void UpdateDressHover();
    void SwapDress();
    // The first cup (in stage order) whose box holds the point; -1 for none.
    int FindCup(const GF::TPoint<float>& point) const;

    TPhase m_phase = &CVelmoRoom::WaitForActions;
    int m_hovered = -1;
    std::vector<CDressSlot> m_slots;
    GF::TAnimationPtr m_curtain;
    std::vector<GF::TAnimationPtr> m_cups;  // entry i: the cup of stage i + 1, empty when it has none
    bool m_swapPending = false;
    GF::THolder<CPers> m_heroine;
    float m_lastMouseX = 0.0f;
    float m_lastMouseY = 0.0f;
    float m_restTime = 0.0f;
    bool m_cupBalloonShown = false;
    GF::TAnimationPtr m_balloon;
    HoverGlow m_cupGlow{kGlowMs};
    GF::THolder<GF::HGENS::CFGParticle> m_sparkle;
};
