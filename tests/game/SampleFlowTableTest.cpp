#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/app/ScreenRegistry.h"
#include "tests/game/GameFixture.h"

namespace {

bool Registered(const std::string& name) {
    const auto registry = GetScreenRegistry();
    return std::any_of(registry.begin(), registry.end(),
                       [&](const tagScreenEntry& entry) { return name == entry.name; });
}

}  // namespace

// The sample flow table against the sample script: every rule's target makes a screen, and every
// layout a rule names is in the resource tables.
TEST_F(CGameFixture, SampleFlowTableNamesRegisteredScreensAndExistingLayouts) {
    GF::GetResource()->Load();
    const CGameData sample = ReadSampleGameData();
    ASSERT_FALSE(sample.flowRules.empty());
    EXPECT_EQ(GetScreenRegistry().size(), 30u);
    for (const CFlowRule& rule : sample.flowRules) {
        if (rule.target == "None") continue;
        EXPECT_TRUE(Registered(rule.target)) << rule.target;
        EXPECT_TRUE(GF::GetResource()->GetAnimationDataByPath(rule.switchName)) << rule.switchName;
    }
}
