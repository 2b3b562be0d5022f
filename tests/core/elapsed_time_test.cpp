#include <gtest/gtest.h>

#include "core/elapsed_time.h"

namespace mw {
namespace {

TEST(ElapsedTimeTest, RoundsToThousandthsWithTiesToEven)
{
    // Halves that binary floating point holds exactly.
    EXPECT_EQ(SecondsText(0.0625, "."), "0.062");
    EXPECT_EQ(SecondsText(0.1875, "."), "0.188");
    EXPECT_EQ(SecondsText(1.5005, "."), "1.5");  // lands on 1500.5: the even 1500 wins
    EXPECT_EQ(SecondsText(2.3454, "."), "2.345");
    EXPECT_EQ(SecondsText(2.3456, "."), "2.346");
}

TEST(ElapsedTimeTest, DropsTrailingZerosAndTheSeparatorOfWholeNumbers)
{
    EXPECT_EQ(SecondsText(2.5, "."), "2.5");
    EXPECT_EQ(SecondsText(2.0, "."), "2");
    EXPECT_EQ(SecondsText(0.0, "."), "0");
    EXPECT_EQ(SecondsText(0.0004, "."), "0");
    EXPECT_EQ(SecondsText(86399.999, "."), "86399.999");
    EXPECT_EQ(SecondsText(1e13 + 0.5, "."), "10000000000000.5");
    EXPECT_EQ(SecondsText(1.234567890123456e20, "."), "123456789012346000000");
}

TEST(ElapsedTimeTest, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(SecondsText(2.345, ","), "2,345");
    EXPECT_EQ(SecondsText(12.0, ","), "12");
}

TEST(ElapsedTimeTest, TakesTheAbsoluteDifferenceOfTwoTimesOfDay)
{
    const double second = 1.0 / 86400.0;
    EXPECT_EQ(ElapsedText(100 * second, 102.345 * second, "."), "2.345");
    EXPECT_EQ(ElapsedText(102.345 * second, 100 * second, "."), "2.345");
    // Across midnight only the times of day count: 23:59:59 to 00:00:01.
    EXPECT_EQ(ElapsedText(86399 * second, 1 * second, "."), "86398");
}

TEST(ElapsedTimeTest, TimeOfDayIsAFractionOfADay)
{
    const double now = TimeOfDayNow();
    EXPECT_GE(now, 0.0);
    EXPECT_LT(now, 1.0);
    EXPECT_FALSE(UserDecimalSeparator().empty());
}

}  // namespace
}  // namespace mw
