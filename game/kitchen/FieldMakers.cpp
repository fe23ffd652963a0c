#include "game/kitchen/FieldMakers.h"

#include <map>

#include "game/kitchen/DiferenceGameField.h"
#include "game/kitchen/GameField.h"
#include "game/kitchen/ISpyBonusGameField.h"
#include "game/kitchen/PlaceInBonusGameField.h"

namespace {

GF::THolder<CGameFieldBase> MakeKitchenField() {
    return CGameField::Create();
}

GF::THolder<CGameFieldBase> MakeDifferenceField() {
    return CDiferenceGameField::Create();
}

GF::THolder<CGameFieldBase> MakePlaceInField() {
    return CPlaceInBonusGameField::Create();
}

GF::THolder<CGameFieldBase> MakeLightISpyField() {
    return CISpyBonusGameField::Create(false);
}

GF::THolder<CGameFieldBase> MakeDarkISpyField() {
    return CISpyBonusGameField::Create(true);
}

std::map<std::string, TFieldMaker>& Makers() {
    static std::map<std::string, TFieldMaker> makers = {
        {"", &MakeKitchenField},
        {"bonus_place_in", &MakePlaceInField},
        {"bonus_ispy_dark", &MakeDarkISpyField},
        {"bonus_ispy", &MakeLightISpyField},
        {"bonus_diference", &MakeDifferenceField},
    };
    return makers;
}

}  // namespace

void SetFieldMaker(const std::string& kind, TFieldMaker maker) {
    if (maker)
        Makers()[kind] = maker;
    else
        Makers().erase(kind);
}

GF::THolder<CGameFieldBase> MakeField(const std::string& kind) {
    auto it = Makers().find(kind);
    if (it == Makers().end()) it = Makers().find("");
    return it == Makers().end() ? GF::THolder<CGameFieldBase>() : it->second();
}
