#pragma once
#include <string>

#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/gui/MenuScreen.h"
#include "framework/scene/IAnimation.h"
#include "game/app/ControlSoundScreen.h"
#include "game/app/ShowHideEffectScreen.h"
#include "game/kitchen/GameFieldBase.h"

// The screen that hosts one level ("GameScreen"): it finds the level to play, makes the field for
// the level's kind, hands it the screen layout, the level's background and the frame time, the
// keys, the pause and the hint button, plays the stage's music, and ends with "exit" once the field
// reports the level over. The shades stay out of the way while the level is played; the bonus
// kinds keep them shut until the field asks for the manual.
class CGameScreen : public CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 0> {
public:
    using TBase = CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 0>;

    static GF::THolder<GF::IScreen> Create();
    ~CGameScreen() override;

    bool Update(const float& dt) override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnInitialize() override;
    void OnDestroy() override;
    void Idle() override;
    bool UpdateIdle(const float& dt) override;
    void Hide() override;
    void OnCommand(const std::string& command) override;

    virtual void OnApplicationActivate();
    // The window lost the focus: one frame drawn with the pause overlay over the level.
    virtual void OnApplicationDeactivate();
    virtual void OnKeyUp(int key);
    virtual void OnKeyDown(int key);

    GF::THolder<CGameFieldBase> GetField() const { return m_field; }
    const std::string& GetLevelName() const { return m_levelName; }
    GF::TAnimationPtr GetBackground() const { return m_background; }

private:
    using TIdleStep = void (CGameScreen::*)(const float& dt);

    // Makes the field for the level's kind; none for a level the table lacks.
    void CreateField();
    void PlayStageMusic();
    void LevelStep(const float& dt);
    void EndedStep(const float& dt);
    // The level's orders of ordinary and duel customers whose recipe the player meets for the first
    // time go into the player's list of new items; float variable 27 counts that list.
    void RecordNewItems();
    void OnHintClick(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>& point, int buttons);

    GF::TAnimationPtr m_pauseOverlay;
    TIdleStep m_idleStep = &CGameScreen::LevelStep;
    GF::TAnimationPtr m_background;
    GF::THolder<CGameFieldBase> m_field;
    std::string m_levelName;
    std::string m_fieldKind;
    bool m_playerOption = false;
    // Between Hide and the next Idle the field only takes its paused step.
    bool m_paused = false;

    GF::THolder<GF::IDelegate1<void, int>> m_keyDownDelegate;
    GF::THolder<GF::IDelegate1<void, int>> m_keyUpDelegate;
    GF::THolder<GF::IDelegate0<void>> m_activateDelegate;
    GF::THolder<GF::IDelegate0<void>> m_deactivateDelegate;
};
