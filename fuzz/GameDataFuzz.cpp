// "gamedata.bin" as the game parses it. Beyond the sanitizers: an accepted input writes bytes that
// parse again and write the same bytes; a refused one leaves the database it was read into as it was.
// What the flow makes of an accepted table runs too: every rule's conditions and actions and every
// named expression, on a fresh profile.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "fuzz/FuzzCheck.h"
#include "game/app/Expression.h"
#include "game/app/FlowRules.h"
#include "game/app/GameData.h"

namespace {

std::vector<unsigned char> Written(const CGameData& data) {
    GF::CMemoryOutputStream out;
    WriteGameData(out, data);
    return out.data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGameData database;
    database.helpValue = 7;
    database.players.players[u"kept"].name = u"kept";
    const std::vector<unsigned char> before = Written(database);

    GF::CMemoryInputStream in(std::vector<unsigned char>(data, data + size));
    std::string why;
    if (!ParseGameData(in, database, why)) {
        FUZZ_CHECK(!why.empty());
        FUZZ_CHECK(Written(database) == before);
        return 0;
    }
    const std::vector<unsigned char> once = Written(database);
    GF::CMemoryInputStream again(once);
    CGameData reread;
    FUZZ_CHECK(ParseGameData(again, reread, why));
    FUZZ_CHECK(again.Remaining() == 0);
    FUZZ_CHECK(Written(reread) == once);

    CPlayerProfile profile;
    for (const CFlowRule& rule : reread.flowRules) {
        FlowConditionsHold(rule.conditions, profile);
        for (const CFlowAction& action : rule.actions) ApplyFlowAction(action, profile);
    }
    for (const auto& [name, expression] : reread.expressions) {
        std::string text;
        float number = 0.0f;
        EvaluateExpressionNode(expression.root, profile, text, number);
    }
    return 0;
}
