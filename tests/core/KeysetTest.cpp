#include <gtest/gtest.h>

#include <vector>

#include "framework/core/Keyset.h"

namespace {

struct CKeyJournal {
    std::vector<int> downs;
    std::vector<int> ups;
    void OnDown(int key) { downs.push_back(key); }
    void OnUp(int key) { ups.push_back(key); }
};

}  // namespace

TEST(Keyset, CodesOutsideTheTableAreIgnored) {
    GF::THolder<GF::CKeyset> keys(new GF::CKeyset);
    for (int key : {-1, GF::CKeyset::kKeyCount, 1000}) {
        keys->SetDown(key, true);
        EXPECT_FALSE(keys->IsDown(key)) << key;
    }
    keys->SetDown(254, true);
    EXPECT_TRUE(keys->IsDown(254));
    keys->SetDown(254, false);
    EXPECT_FALSE(keys->IsDown(254));
}

TEST(Keyset, EventsCarryTheGameKeyCode) {
    GF::THolder<GF::CKeyset> keys(new GF::CKeyset);
    CKeyJournal journal;
    keys->GetKeyDownEvent().Add(GF::CreateDelegate(&journal, &CKeyJournal::OnDown));
    keys->GetKeyUpEvent().Add(GF::CreateDelegate(&journal, &CKeyJournal::OnUp));
    keys->RaiseKeyDown(GF::CKeyset::kKeySpace);
    keys->RaiseKeyUp(GF::CKeyset::kKeySpace);
    EXPECT_EQ(journal.downs, std::vector<int>{41});
    EXPECT_EQ(journal.ups, std::vector<int>{41});
}

TEST(Keyset, OneSharedInstance) {
    EXPECT_EQ(GF::GetKeyset().Get(), GF::GetKeyset().Get());
}
