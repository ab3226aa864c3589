#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// How the program reads and writes numbers: device replies are decimal text read either leniently
// (the leading number, 0 when there is none) or strictly (the whole text must be a number), and
// real results are rounded to integers with halves going to the even neighbour.
namespace vbnum {

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t roundEven(double value);
// The same, held inside the 32-bit range (sizes and lengths are 32-bit numbers).
std::int32_t roundToInt32(double value);
// The same inside the 16-bit range (positions and sizes in pixels).
std::int16_t roundToInt16(double value);

// The leading decimal number of `text` (blanks before it skipped, an optional sign, digits, an
// optional fraction); 0 when the text does not start with a number.
double leading(const QString& text);

// The whole text as a number (blanks around it allowed); nothing when it is not a number.
std::optional<double> strict(const QString& text);

// hh:mm:ss of a count of milliseconds, each field at least two digits.
QString clockText(std::int64_t milliseconds);
// hh:mm:ss:mmm of a count of milliseconds.
QString clockTextMs(std::int64_t milliseconds);

// Twips, the unit of sizes inside the windows: a fixed 15 per pixel. Twips become pixels by
// rounding, halves to even, as every real result does.
constexpr int TwipsPerPixel = 15;
constexpr int toTwips(int pixels) { return pixels * TwipsPerPixel; }
int toPixels(double twips);

}  // namespace vbnum
