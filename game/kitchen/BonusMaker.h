#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/LevelRecords.h"
#include "game/kitchen/ActionBase.h"

class CGameFieldBase;

// Makes the bonus of the record's kind (0 to 5) for the field, showing the visual while it acts;
// empty for any other kind.
GF::THolder<CActionBase> MakeBonus(CGameFieldBase& field, const CBonusInfo& bonus,
                                   const GF::TAnimationPtr& visual);
