#pragma once
#include "framework/app/Screen.h"
#include "framework/core/Delegate.h"
#include "framework/core/Holder.h"
#include "framework/scene/IAnimation.h"
#include "game/kitchen/HintStrategyBase.h"
#include "game/kitchen/TextBalloon.h"

class CGameFieldBase;
class CPers;

// The hints of a kitchen level: a balloon over the heroine's head, or the hint screen over the game
// screen with the heroine paused until it is closed. A balloon that plays out by itself ends its
// hint when it is over. The strategy takes its callbacks off the balloon and the hint screen when it
// is destroyed, since both may outlive the level.
class CInGameHintStrategy : public CHintStrategyBase {
public:
    // The strategy's own balloon: its picture, the words it frames, and the room around them.
    static constexpr const char* kOwnBalloon = "interfaces.nolla_baloon_podkladka";
    static constexpr const char* kOwnBalloonText = "interfaces.nolla_text";
    static constexpr int kOwnBalloonMargin = 13;

    CInGameHintStrategy(GF::THolder<CGameFieldBase> field, GF::THolder<CPers> heroine);
    ~CInGameHintStrategy() override;
    CInGameHintStrategy(const CInGameHintStrategy&) = delete;
    CInGameHintStrategy& operator=(const CInGameHintStrategy&) = delete;

    void ShowHint(const CHintInfo& hint) override;
    void HideHint() override;

    void ShowInBalloon(const CHintInfo& hint);
    void ShowInHintScreen(const CHintInfo& hint);
    void OnHintScreenClosed(GF::THolder<GF::IScreen> screen);
    void OnBalloonFinished(GF::TAnimationPtr animation);

    // The balloon on the scene that stays until hidden; empty when none.
    const GF::TAnimationPtr& GetShownBalloon() const { return m_shown; }
    // The balloon playing out by itself; empty when none.
    const GF::TAnimationPtr& GetSelfFinishingBalloon() const { return m_selfFinishing; }

private:
    void DropShownBalloon();
    void DetachSelfFinishing();
    void DetachHintScreen();

    CTextBalloon m_textBalloon;
    GF::THolder<CGameFieldBase> m_field;
    GF::THolder<CPers> m_heroine;
    GF::TAnimationPtr m_shown;
    GF::TAnimationPtr m_selfFinishing;
    GF::THolder<GF::IDelegate1<void, GF::TAnimationPtr>> m_balloonFinished;
    GF::THolder<GF::IScreen> m_hintScreen;
    GF::THolder<GF::IDelegate1<void, GF::THolder<GF::IScreen>>> m_screenClosed;
};

GF::THolder<CHintStrategyBase> CreateInGameHintStrategy(GF::THolder<CGameFieldBase> field,
                                                        GF::THolder<CPers> heroine);
