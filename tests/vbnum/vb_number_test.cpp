// Checks: vb_number.cpp (src/vbnum).
#include "vbnum/vb_number.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

using namespace vbnum;

// Sizes and positions computed from frame counts end in .5 often; a half goes to the even
// neighbour in either direction, never always up.
TEST(RoundEven, HalvesToEvenOtherwiseNearest)
{
    const std::pair<double, long long> cases[] = {{87.5, 88}, {65.5, 66}, {241.5, 242},
        {238.5, 238}, {751.5, 752}, {0.5, 0}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2},
        {2.5001, 3}, {-0.4, 0}, {-1.6, -2}, {352.0 * 2 / 3, 235}, {5000000000.5, 5000000000}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundEven(value), rounded) << value;
    // Pixel positions and sizes: the same rounding, held inside 16 bits.
    for (const auto& [value, rounded] : {std::pair{40000.0, 32767}, {-40000.0, -32768}, {-2.5, -2}})
        EXPECT_EQ(roundToInt16(value), rounded) << value;
}

// leading: the number at the start, or 0; strict: a number with blanks around and nothing else.
TEST(LeadingAndStrict, TheNumberAtTheStartOrOnlyANumber)
{
    const std::tuple<const char*, double, std::optional<double>> cases[] = {{"1234", 1234, 1234},
        {"  -12.5x", -12.5, {}}, {"+7 frames", 7, {}},
        {"12 34", 12, {}},  // a reply of several numbers gives the first
        {"", 0, {}}, {"abc", 0, {}}, {"x12", 0, {}}, {"  42  ", 42, 42},
        {"\t-3.25\t", -3.25, -3.25}, {"42x", 42, {}}, {"x42", 0, {}}};
    for (const auto& [text, atStart, only] : cases)
        EXPECT_EQ(std::tuple(leading(QString::fromLatin1(text)), strict(QString::fromLatin1(text))),
            std::tuple(atStart, only))
            << text;
}

// Hours grow beyond two digits.
TEST(ClockText, TwoDigitFieldsCutNotRounded)
{
    const std::tuple<long long, const char*, const char*> cases[] = {
        {3'723'004, "01:02:03", "01:02:03:004"}, {0, "00:00:00", "00:00:00:000"},
        {59'999, "00:00:59", "00:00:59:999"}, {3'599'999, "00:59:59", "00:59:59:999"},
        {100LL * 3'600'000, "100:00:00", "100:00:00:000"}};
    for (const auto& [ms, text, withMs] : cases)
        EXPECT_EQ(QStringList({clockText(ms), clockTextMs(ms)}), QStringList({text, withMs})) << ms;
}
