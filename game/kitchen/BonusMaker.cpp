#include "game/kitchen/BonusMaker.h"

#include <iterator>

#include "game/kitchen/Bonuses.h"
#include "game/kitchen/GameFieldBase.h"

GF::THolder<CActionBase> MakeBonus(CGameFieldBase& field, const CBonusInfo& bonus,
                                   const GF::TAnimationPtr& visual) {
    static constexpr TBonusCreate kByKind[] = {&CTimeFreazeBonus::Create,    &CCookDecreaseBonus::Create,
                                               &CStopTimerBonus::Create,     &CQualityBonus::Create,
                                               &CLightNextIngrBonus::Create, &CRandomBonus::Create};
    if (bonus.Kind < 0 || bonus.Kind >= static_cast<int32_t>(std::size(kByKind))) return {};
    return kByKind[bonus.Kind](GF::THolder<CGameFieldBase>(&field), bonus, visual);
}
