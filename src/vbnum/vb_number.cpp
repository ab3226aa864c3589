#include "vbnum/vb_number.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vbnum {

std::int64_t roundEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding mode: to even
}

std::int32_t roundToInt32(double value)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(roundEven(std::clamp(value, lo, hi)));
}

std::int16_t roundToInt16(double value)
{
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(roundEven(std::clamp(value, lo, hi)));
}

int toPixels(double twips) { return roundToInt32(twips / TwipsPerPixel); }

namespace {

// Length of the number at `pos` (sign, digits, fraction); 0 when there is none.
qsizetype numberLength(const QString& text, qsizetype pos)
{
    qsizetype i = pos;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < text.size() && text[j].unicode() < 128 && text[j].isDigit()) {
            ++j;
            ++fraction;
        }
        if (fraction > 0 || digits > 0) {
            digits += fraction;
            i = j;
        }
    }
    return digits > 0 ? i - pos : 0;
}

qsizetype skipBlanks(const QString& text, qsizetype pos)
{
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    return pos;
}

}  // namespace

double leading(const QString& text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    if (length == 0)
        return 0;
    return text.mid(start, length).toDouble();
}

std::optional<double> strict(const QString& text)
{
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype length = numberLength(text, start);
    if (length == 0 || skipBlanks(text, start + length) != text.size())
        return std::nullopt;
    return text.mid(start, length).toDouble();
}

namespace {
QString twoDigits(std::int64_t value) { return QString::number(value).rightJustified(2, u'0'); }
}  // namespace

QString clockText(std::int64_t milliseconds)
{
    const std::int64_t seconds = milliseconds / 1000;
    const std::int64_t minutes = seconds / 60;
    return twoDigits(minutes / 60) + u':' + twoDigits(minutes % 60) + u':' +
           twoDigits(seconds % 60);
}

QString clockTextMs(std::int64_t milliseconds)
{
    return clockText(milliseconds) + u':' +
           QString::number(milliseconds % 1000).rightJustified(3, u'0');
}

}  // namespace vbnum
