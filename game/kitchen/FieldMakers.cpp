#include "game/kitchen/FieldMakers.h"

#include <map>

#include "game/kitchen/GameField.h"
#include "game/kitchen/StandInField.h"

namespace {

GF::THolder<CGameFieldBase> MakeKitchenField() {
    return CGameField::Create();
}

std::map<std::string, TFieldMaker>& Makers() {
    static std::map<std::string, TFieldMaker> makers = {
        {"", &MakeKitchenField},
        {"bonus_place_in", &CStandInField::Create},
        {"bonus_ispy_dark", &CStandInField::Create},
        {"bonus_ispy", &CStandInField::Create},
        {"bonus_diference", &CStandInField::Create},
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
