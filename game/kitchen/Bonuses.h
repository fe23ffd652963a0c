#pragma once
#include <vector>

#include "framework/core/Holder.h"
#include "framework/scene/FGParticle.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/BonusBase.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/LightObjectAction.h"

// The makers' shape: every kind is made from the field, its record and its picture.
using TBonusCreate = GF::THolder<CBonusBase> (*)(const GF::THolder<CGameFieldBase>& field,
                                                 const CBonusInfo& info, const GF::TAnimationPtr& visual);

// Gives a kind its factory `Create`: the kind made from the field, its record and its picture.
template <class TKind>
class CBonusKind : public CBonusBase {
public:
    static GF::THolder<CBonusBase> Create(const GF::THolder<CGameFieldBase>& field, const CBonusInfo& info,
                                          const GF::TAnimationPtr& visual) {
        return GF::THolder<CBonusBase>(new TKind(field, info, visual));
    }

protected:
    using CBonusBase::CBonusBase;
};

// The kinds of bonus. The factor bonuses remember the value they found and give it back at their
// end; when another part sets the value meanwhile, that value is the one given back. A bonus that the
// field's queue clears (the level left or restarted) undoes nothing: a new level restores the values.

// Kind 0: the level clock stands while the freeze lasts; ice on the dial and on its hand.
class CTimeFreazeBonus : public CBonusKind<CTimeFreazeBonus> {
public:
    void Start() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    GF::TAnimationPtr m_clockIce;
    GF::TAnimationPtr m_handIce;
};

// Kind 1: the devices cook in a third of the time and glow while it lasts.
class CCookDecreaseBonus : public CBonusKind<CCookDecreaseBonus> {
public:
    void Start() override;
    void Finish() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    void StopGlows();
    std::vector<GF::THolder<GF::HGENS::CFGParticle>> m_glows;
};

// Kind 2: the customers' moods stand still; a chain on every waiting customer's mood bar.
class CStopTimerBonus : public CBonusKind<CStopTimerBonus> {
public:
    void Start() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    float m_saved = 1.0f;
    std::vector<GF::TAnimationPtr> m_chains;
};

// Kind 3: served orders pay double points.
class CQualityBonus : public CBonusKind<CQualityBonus> {
public:
    void Start() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    float m_saved = 1.0f;
};

// No kind of its own (the random bonus draws it): the heroine walks twice as fast, a glow following her.
class CVelmoQuickBonus : public CBonusKind<CVelmoQuickBonus> {
public:
    void Start() override;
    void Finish() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    float m_saved = 0.0f;
    float m_boosted = 0.0f;
    GF::THolder<GF::HGENS::CFGParticle> m_glow;
};

// Kind 4: the object the current customer needs next glows until it is taken; after each change the
// bonus waits more than a second before it looks again.
class CLightNextIngrBonus : public CBonusKind<CLightNextIngrBonus> {
public:
    void Start() override;
    void Update(const float& dt) override;

private:
    using CBonusKind::CBonusKind;
    friend CBonusKind;
    void EndLight();
    GF::THolder<CLightObjectAction> m_light;
    float m_timer = 0.0f;
    GF::THolder<CCookObject> m_lit;
};

// Kind 5: one of the others, drawn when it is made, which starts when this bonus's flight lands and
// then shows in this bonus's picture. A kind the bonus table lacks leaves it a bonus with no effect.
class CRandomBonus : public CBonusBase {
public:
    static GF::THolder<CBonusBase> Create(const GF::THolder<CGameFieldBase>& field, const CBonusInfo& info,
                                          const GF::TAnimationPtr& visual);
    void Start() override;
    void Finish() override;
    void Update(const float& dt) override;
    void Apply(GF::THolder<CFlyObject> flight) override;

private:
    using CBonusBase::CBonusBase;
    bool m_started = false;
    GF::THolder<CBonusBase> m_chosen;
};
