#include "audio/volume_scale.h"

#include <algorithm>

VolumeScale volumeScale(std::uint32_t controlMaximum)
{
    VolumeScale s;
    // The smallest d with controlMaximum / d below 32767.
    s.vol_div = std::int32_t(controlMaximum / 32767 + 1);
    s.max = int(controlMaximum / std::uint32_t(s.vol_div));
    s.largeChange = std::max(1, int(controlMaximum / (std::uint64_t(s.vol_div) * 5)));
    s.smallChange = std::max(1, int(controlMaximum / (std::uint64_t(s.vol_div) * 10)));
    return s;
}
