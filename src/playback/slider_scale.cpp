#include "playback/slider_scale.h"

#include "controls/scroll_bar.h"
#include "vbnum/vb_number.h"

#include <algorithm>
#include <limits>

namespace slider_scale {

namespace {
int toInt(double value)
{
    // A reply far outside the slider's range must not overflow the conversion.
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(vbnum::roundEven(std::clamp(value, lo, hi)));
}
}  // namespace

int valueForPosition(double position, std::int32_t mediaLen)
{
    if (position == 0 || mediaLen < DirectLimit)
        return toInt(position);
    return toInt(position * 30000.0 / mediaLen);
}

std::int64_t positionForValue(int value, std::int32_t mediaLen)
{
    if (mediaLen < DirectLimit)
        return value;
    // Computed in ten-thousands, the way the position has always been scaled.
    return vbnum::roundEven(((value / 10000.0) * (mediaLen / 10000.0) / (30000 / 10000.0)) * 10000);
}

int maxForLength(std::int32_t mediaLen) { return mediaLen < DirectLimit ? mediaLen : ScaledMax; }

void applySteps(ScrollBar& slider, std::int32_t mediaLen)
{
    const bool direct = mediaLen < DirectLimit;
    slider.setSmallChange(direct ? 10 : 30);
    slider.setLargeChange(direct ? 50 : 150);
}

}  // namespace slider_scale
