#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/GameField.h"

// The hidden-object mini-game: the kitchen field with one customer at a time, whose order lists the
// things to find on the scene, in a random order the seed gives again. A found thing flies to the
// plate and stays gone. Serving the order ends the level at once, and so does the level's time; the
// outcome is 100 plus the place (2 without rivals) in float variable 5 and the items done in
// variable 13. In the dark variant a darkness with a clear hole follows the mouse over the scene.
class CISpyBonusGameField : public CGameField {
public:
    static GF::THolder<CISpyBonusGameField> Create(bool dark);
    ~CISpyBonusGameField() override;

    // The kitchen's start, then the first order's items shuffled (logged and left alone when the
    // level has no orders or the recipe is unknown), and the bonus banner and the manual queued
    // before the kitchen's intro. Answers the kitchen's answer.
    bool StartLevel(const std::string& levelName) override;
    void Update(const float& dt) override;
    void Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) override;
    // Digit 1 (debug): a count too high to reach, and the level ends unless a result stands.
    void OnKeyDown(int key) override;
    // The items done are the count, and the level ends unless a result stands; nothing is paid.
    void ServeCustomer(const GF::THolder<CZacaz>& customer) override;
    void FinishLevel() override;
    // Found things stay gone.
    void UpdateTakenObjects(const float& dt) override;
    // The kitchen's clock, then the level ends once its time has passed, during play only.
    void UpdateLevelClock(const float& dt) override;

    GF::TAnimationPtr GetHider() const { return m_hider; }

private:
    explicit CISpyBonusGameField(bool dark);
    void ShuffleFirstOrder();

    bool m_dark = false;
    GF::TAnimationPtr m_hider;
};
