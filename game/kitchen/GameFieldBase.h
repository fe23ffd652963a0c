#pragma once
#include <list>
#include <string>
#include <vector>

#include "framework/app/Screen.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "game/app/LevelRecords.h"
#include "game/app/PlayerStore.h"
#include "game/kitchen/ActionBase.h"
#include "game/kitchen/BonusRow.h"
#include "game/kitchen/DayClock.h"
#include "game/kitchen/DeliveryButton.h"
#include "game/kitchen/FlyObject.h"
#include "game/kitchen/RivalsPanel.h"
#include "game/kitchen/TurnirStrategy.h"

class CCookObject;
class CPers;
class CReceptPanel;
class CZacaz;

// The common base of every level field (the kitchen and the bonus mini-games). The game screen
// makes one per level, binds its screen layout and itself (Init), starts the level by name
// (StartLevel), binds the level's kitchen layout (SetLevelLayout) and then steps it every frame
// (Update, or UpdatePaused while it hides), reading the finished flag after each step; it ends the
// level with ClearLevel. The base keeps what all fields share: the action queue and the flights,
// the level record, the score and level time, the level-time dial and delivery progress of the
// screen layout, the wall clock, the item delivery at the plate, the bonus row, the balloon, the
// tournament and the mouse-rest detection. Its virtual operations are how the screen, the actions
// and the kitchen objects talk to whichever field is current; most do nothing here.
class CGameFieldBase : public GF::CRefCount, public CActionWorker, public CFlyObjectWorker {
public:
    CGameFieldBase() = default;
    ~CGameFieldBase() override;

    virtual void AddScore(float points);
    virtual GF::THolder<CCookObject> FindObject(const std::string& name, bool onlyReady);
    // Clears the queue, then resets the tournament; called before the field is let go.
    virtual void ClearLevel();
    // False, with nothing started, for a name the level table lacks (or an empty one).
    virtual bool StartLevel(const std::string& levelName);
    virtual void SetLevelLayout(GF::TAnimationPtr layout);
    virtual void SetPaused(bool paused);
    virtual void Update(const float& dt);
    virtual void Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen);
    virtual void OnKeyDown(int key);
    virtual void OnKeyUp(int key);
    // While the screen hides: the flights and the wall clock only.
    virtual void UpdatePaused(const float& dt);
    virtual void OnLightHint();
    virtual void ServeCustomer(const GF::THolder<CZacaz>& customer);
    virtual void OnDeliveryButton();
    virtual void UpdatePlace();
    virtual void Reserved();
    virtual void FinishLevel();
    virtual void ShowLevelIntro();
    virtual void OnCustomerLost(CReceptInfo recipe);
    virtual GF::THolder<CCookObject> GetNextObject(int mode);
    virtual void OnTakeObject(GF::THolder<CCookObject> object);
    virtual bool OnSpecialCustomer(int kind);
    // Plays the plate's "_work" when its last phase is over; the flight lets go of what it carries.
    virtual void OnObjectLanded(GF::THolder<CFlyObject> flight);
    // Makes the bonus of the record's kind and starts it beside the running actions, its visual
    // joining the bonus row; a kind without a bonus does nothing at all.
    virtual void AddBonus(const CBonusInfo& bonus, GF::TAnimationPtr visual,
                          const GF::THolder<CZacaz>& customer);
    virtual std::list<GF::THolder<CCookObject>> GetObjectList();
    virtual CReceptPanel* GetReceptPanel();
    virtual GF::THolder<CPers> GetPers();
    virtual void ResetLevel();
    virtual void OnMouseRest(const GF::TPoint<float>& pos);
    virtual void OnMouseMoveAfterRest(const GF::TPoint<float>& pos);

    // A balloon of words at the point (the picture chosen by where it stands), or, with no text,
    // only the current one hidden.
    void ShowBalloon(const GF::WString& text, const GF::TPoint<float>& pos);
    // A new balloon in the scene speaking from pos, its picture chosen by where pos lies, a long
    // text broken at its last space; shown ("_show"), not yet given its layer. Empty when the scene
    // has no such balloon.
    static GF::TAnimationPtr CreateBalloon(const GF::THolder<GF::IScene>& scene, const GF::WString& text,
                                           const GF::TPoint<float>& pos);
    // The player asked for the manual: the screen finishes with "show_manual".
    void ShowManual();
    // Whether a press at the point belongs to a button of the screen over the field (the hint, the
    // menu, the help), enabled or not. Such a press is not the field's.
    bool IsOnControl(const GF::TPoint<float>& at) const;
    // The level's next bonus: a random one or the next in list order (wrapping); null when the
    // level has none.
    const CLevelBonusEntry* PickLevelBonus();
    void RemoveBonusVisual(const GF::TAnimationPtr& visual);
    GF::TAnimationPtr GetLayoutAnimation() const { return m_layout; }
    GF::TAnimationPtr GetPlateAnimation() const { return m_plate; }
    GF::THolder<CDeliveryButton> GetDeliveryButton() const { return m_deliveryButton; }

    bool IsFinished() const { return m_finished; }
    bool IsManualRequested() const { return m_manualRequested; }
    const CLevelInfo* GetLevel() const { return m_level; }
    const std::string& GetLevelName() const { return m_levelName; }
    float GetScore() const { return m_score; }
    float GetElapsed() const { return m_elapsed; }
    GF::TAnimationPtr GetBalloon() const { return m_balloon; }
    GF::TAnimationPtr GetClockFlip() const { return m_clockFlip; }
    const CBonusRow& GetBonusRow() const { return m_bonusRow; }
    const std::vector<COrderInfo>& GetOrders() const { return m_orders; }
    CRivalsPanel& GetRivalsPanel() { return m_rivalsPanel; }
    // The time-freeze budget grows by ms, never below 0; the kitchen's level clock uses it up.
    void AddFrozenTime(float ms) { m_frozenTime = m_frozenTime + ms > 0.0f ? m_frozenTime + ms : 0.0f; }
    // How many customers' bonus offers are open: a new customer gets one only while none is.
    int32_t& OfferCounter() { return m_secondCounter; }

protected:
    // The end wait of every field: once the last queued action has finished the field pauses
    // itself and reports the level over.
    void UpdateEndWait(const float& dt);
    // Night falls on the level layout (its "_night"), and its sun goes.
    void ShowNight();

    // What the bonus mini-games share. Init: they offer no hints, so the hint gauge and button go.
    void HideHintParts();
    // The start of their intro: the text `textName` at the screen's middle played out, then the
    // manual asked for.
    void QueueBonusText(const std::string& textName);
    // The end of their intro: the level-time dial flips to work, then "main_menu.level_start".
    void QueueLevelStart();
    // The sparkle that opens a mini-game, over the delivery gauge.
    void StartBonusParticles(const GF::TPoint<float>& at);
    // The mini-games' level clock for one frame: the time runs by the clock factor, the dial's
    // segment blinks through the last quarter and its hand turns; answers the share of the level's
    // time gone, at most 1 (a level without a duration counts the raw clock).
    float AdvanceBonusClock(const float& dt);
    // The level's count into float variable 13, and the closing sound.
    void CloseBonusLevel(int32_t count);

    GF::TAnimationPtr m_balloon;
    int32_t m_bonusCounter = 0;
    int32_t m_secondCounter = 0;
    float m_elapsed = 0.0f;
    float m_score = 0.0f;
    float m_progressLength = 0.0f;
    GF::THolder<GF::HGENS::CBaseControl> m_hintButton;
    GF::TAnimationPtr m_deliveryProgress;
    GF::TAnimationPtr m_clockFlip;
    GF::TAnimationPtr m_secondHand;
    GF::TAnimationPtr m_clockSegment;
    GF::TAnimationPtr m_plate;
    bool m_finished = false;
    CDayClock m_dayClock;
    GF::TAnimationPtr m_layout;
    const CLevelInfo* m_level = nullptr;
    bool m_mouseRested = false;
    GF::TPoint<float> m_lastMouse{0.0f, 0.0f};
    float m_restTime = 0.0f;
    std::string m_levelName;
    int32_t m_place = 7;
    GF::TAnimationPtr m_animation1;
    GF::TAnimationPtr m_animation2;
    float m_frozenTime = 0.0f;
    CRivalsPanel m_rivalsPanel;
    CTurnirStrategy m_turnir;
    GF::TAnimationPtr m_itemDelivery;
    std::vector<COrderInfo> m_orders;
    CPlayerProfile* m_player = nullptr;
    CBonusRow m_bonusRow;
    GF::TAnimationPtr m_ring;
    GF::THolder<GF::IScreen> m_screen;
    bool m_manualRequested = true;
    GF::THolder<CDeliveryButton> m_deliveryButton;
    // A page that the player reads before play (the last stage's tutorial) is up: the rivals wait
    // for the player, as the level clock and the customers do.
    bool m_rivalsWait = false;
};
