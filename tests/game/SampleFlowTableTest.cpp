#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Log.h"
#include "engine/ResourcePacks.h"
#include "game/app/ScreenRegistry.h"
#include "tests/game/GameFixture.h"

namespace {

// The sample "Binary\\gamedata.bin" as the build packed it.
CGameData ReadSampleGameData() {
    Engine::CLog log;
    Engine::CResourcePacks packs(log, QUINDLE_TEST_DATA_DIR);
    CGameData data;
    if (!packs.Attach("resource.dat")) return data;
    std::size_t size = 0;
    void* block = packs.Load("Binary\\gamedata.bin", &size, Engine::kMaxDataFileBytes);
    if (!block) return data;
    const auto* bytes = static_cast<const unsigned char*>(block);
    GF::CMemoryInputStream in(std::vector<unsigned char>(bytes, bytes + size));
    Engine::CResourcePacks::Free(block);
    std::string why;
    EXPECT_TRUE(ParseGameData(in, data, why)) << why;
    return data;
}

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
