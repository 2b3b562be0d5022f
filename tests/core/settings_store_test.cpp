#include <gtest/gtest.h>

#include <cstdint>

#include "core/settings_store.h"

namespace mw {
namespace {

TEST(ParseSettingIntegerTest, ReadsDecimalAndHexadecimalWithBlanksAndSign)
{
    EXPECT_EQ(ParseSettingInteger("1"), 1);
    EXPECT_EQ(ParseSettingInteger("  -3"), -3);
    EXPECT_EQ(ParseSettingInteger("+12"), 12);
    EXPECT_EQ(ParseSettingInteger("$1F"), 31);
    EXPECT_EQ(ParseSettingInteger(" -$1A"), -26);
    EXPECT_EQ(ParseSettingInteger("x10"), 16);
    EXPECT_EQ(ParseSettingInteger("0x10"), 16);
    EXPECT_EQ(ParseSettingInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseSettingInteger("$FFFFFFFF"), -1);  // hexadecimal takes all 32 bits
}

TEST(ParseSettingIntegerTest, RefusesWhatIsNotAWholeInteger)
{
    for (const char* text : {"", " ", "-", "$", "0x", "yes", "1 ", "1a", "$G", "2147483648", "-2147483649",
                             "$100000000"})
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt) << '"' << text << '"';
}

TEST(SettingFlagTest, NonzeroIsTrueZeroFalseAnythingElseTheDefault)
{
    InMemorySettings settings;
    const auto flagOf = [&](const char* text, bool fallback) {
        settings.WriteSetting(kContinueValue, text);
        return settings.ReadSettingFlag(kContinueValue, fallback);
    };
    EXPECT_TRUE(flagOf("1", false));
    EXPECT_TRUE(flagOf("7", false));
    EXPECT_TRUE(flagOf("$1F", false));
    EXPECT_FALSE(flagOf("0", true));
    EXPECT_FALSE(flagOf("x0", true));
    EXPECT_TRUE(flagOf("yes", true));
    EXPECT_FALSE(flagOf("yes", false));
    EXPECT_TRUE(flagOf("", true));

    InMemorySettings empty;
    EXPECT_TRUE(empty.ReadSettingFlag(kContinueValue, true));
    EXPECT_FALSE(empty.ReadSettingFlag(kContinueValue, false));
}

TEST(SettingFlagTest, IsStoredAsOneOrZero)
{
    InMemorySettings settings;
    settings.WriteSettingFlag(kContinueValue, true);
    EXPECT_EQ(settings.ReadSetting(kContinueValue, "?"), "1");
    settings.WriteSettingFlag(kContinueValue, false);
    EXPECT_EQ(settings.ReadSetting(kContinueValue, "?"), "0");
}

}  // namespace
}  // namespace mw
