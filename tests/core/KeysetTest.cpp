#include <gtest/gtest.h>

#include "framework/core/Keyset.h"

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
