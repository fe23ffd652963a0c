#include "game/kitchen/BonusMaker.h"

GF::THolder<CActionBase> MakeBonus(CGameFieldBase&, const CBonusInfo&, const GF::TAnimationPtr&) {
    return {};
}
