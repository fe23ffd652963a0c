#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/ActionBase.h"
#include "game/screens/GameMenuScreen.h"

// A story comic ("ComicsScreen"): the layout's parts "_part_1", "_part_2", ... are its panels. The
// first panel plays at once; a left click after a panel and its one-second pause shows the next.
// When no next panel exists the comic counts as seen: the current player's flag named like the
// layout's description ("comics_1") is set, the settings are saved and the screen ends with "ok".
class CComiksScreen : public TGameMenuScreen, public CActionWorker, public CScreenMaker<CComiksScreen> {
public:
    static constexpr float kPanelPause = 1000.0f;

    ~CComiksScreen() override;

    void OnActivate() override;
    void OnDeactivate() override;
    void OnInitialize() override;
    void OnDestroy() override;
    bool UpdateIdle(const float& dt) override;

    // A left click (key 18) while no panel or pause is running shows the next panel.
    void OnKey(int key);

private:
    friend CScreenMaker<CComiksScreen>;
    CComiksScreen() = default;

    // Queues the next panel and its pause; false when there is none (the comic is then over).
    bool ShowNextPart();
    // The comic counts as seen for the current player, and the settings are saved.
    void MarkSeen();
    void Subscribe();
    void Unsubscribe();

    int m_nextPanel = 1;
    // The key handler is on the key table's key-down event.
    bool m_subscribed = false;
    // The comic ended before the screen went idle: it finishes at its first idle frame.
    bool m_finishAtIdle = false;
};
