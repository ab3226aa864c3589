#include "app/vb_number.h"

#include <gtest/gtest.h>

using namespace vbnum;

// Sizes and positions computed from frame counts end in .5 often; a half goes to the even
// neighbour in either direction, never always up.
TEST(RoundEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundEven(87.5), 88);
    EXPECT_EQ(roundEven(65.5), 66);
    EXPECT_EQ(roundEven(241.5), 242);
    EXPECT_EQ(roundEven(238.5), 238);
    EXPECT_EQ(roundEven(751.5), 752);
    EXPECT_EQ(roundEven(0.5), 0);
    EXPECT_EQ(roundEven(2.5), 2);
    EXPECT_EQ(roundEven(-2.5), -2);
    EXPECT_EQ(roundEven(-3.5), -4);
}

TEST(RoundEven, NonHalvesGoToTheNearest)
{
    EXPECT_EQ(roundEven(2.4999), 2);
    EXPECT_EQ(roundEven(2.5001), 3);
    EXPECT_EQ(roundEven(-0.4), 0);
    EXPECT_EQ(roundEven(-1.6), -2);
    EXPECT_EQ(roundEven(352.0 * 2 / 3), 235);  // 234.666...
    EXPECT_EQ(roundEven(5000000000.5), 5000000000);
}

TEST(Leading, ReadsTheNumberAtTheStartOnly)
{
    EXPECT_EQ(leading("1234"), 1234);
    EXPECT_EQ(leading("  -12.5x"), -12.5);
    EXPECT_EQ(leading("+7 frames"), 7);
    EXPECT_EQ(leading(".5"), 0.5);
    EXPECT_EQ(leading("5."), 5);
    EXPECT_EQ(leading("12 34"), 12);  // a reply of several numbers gives the first
}

TEST(Leading, NoNumberIsZero)
{
    EXPECT_EQ(leading(""), 0);
    EXPECT_EQ(leading("abc"), 0);
    EXPECT_EQ(leading("-"), 0);
    EXPECT_EQ(leading("."), 0);
    EXPECT_EQ(leading("x12"), 0);
}

TEST(Strict, AcceptsANumberWithBlanksAround)
{
    EXPECT_EQ(strict("42"), 42.0);
    EXPECT_EQ(strict("  42  "), 42.0);
    EXPECT_EQ(strict("\t-3.25\t"), -3.25);
    EXPECT_EQ(strict("+0.5"), 0.5);
}

TEST(Strict, RefusesAnythingElse)
{
    for (const char* text : {"", " ", "42x", "4 2", "x42", ".", "-", "+", "1.2.3", "12 34"})
        EXPECT_FALSE(strict(QString::fromLatin1(text)).has_value()) << text;
}

TEST(ClockText, HoursMinutesSecondsTwoDigitsEach)
{
    EXPECT_EQ(clockText(3'723'004), "01:02:03");
    EXPECT_EQ(clockText(83'450), "00:01:23");
    EXPECT_EQ(clockText(0), "00:00:00");
    EXPECT_EQ(clockText(59'999), "00:00:59");  // seconds are cut, not rounded
    EXPECT_EQ(clockText(3'599'999), "00:59:59");
}

TEST(ClockText, HoursGrowBeyondTwoDigits)
{
    EXPECT_EQ(clockText(100LL * 3'600'000), "100:00:00");
    EXPECT_EQ(clockTextMs(100LL * 3'600'000), "100:00:00:000");
}

TEST(ClockText, MillisecondsThreeDigits)
{
    EXPECT_EQ(clockTextMs(3'723'004), "01:02:03:004");
    EXPECT_EQ(clockTextMs(83'450), "00:01:23:450");
    EXPECT_EQ(clockTextMs(999), "00:00:00:999");
}
