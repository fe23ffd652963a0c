#include <gtest/gtest.h>

#include "framework/core/GameProperties.h"
#include "framework/core/WString.h"

namespace {

TEST(GameProperties, IntegersAreKeptAsDecimalText) {
    auto props = GF::GetGameProperties();
    EXPECT_EQ(props.Get(), GF::GetGameProperties().Get());
    EXPECT_EQ(props->GetInt("never-set"), 0);
    props->SetInt("x", -5);
    EXPECT_EQ(props->GetInt("x"), -5);
    EXPECT_EQ(props->GetString("x"), u"-5");
    props->SetString("level") = u"12abc";
    EXPECT_EQ(props->GetInt("level"), 12);
    props->SetString("level") = u"abc";
    EXPECT_EQ(props->GetInt("level"), 0);
}

TEST(WString, Utf8ConversionKeepsCharactersOutsideTheBasicPlane) {
    const std::string utf8 = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";
    const GF::WString wide = GF::Utf8ToUtf16(utf8);
    EXPECT_EQ(wide, (GF::WString{u'a', 0x00E9, 0x4E2D, 0xD83D, 0xDE00}));
    EXPECT_EQ(GF::Utf16ToUtf8(wide), utf8);
    // Broken input becomes replacement characters, never a read past the end.
    EXPECT_EQ(GF::Utf8ToUtf16("\xE4\xB8"), (GF::WString{0xFFFD}));
}

}  // namespace
