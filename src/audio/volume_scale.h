#pragma once

#include <cstdint>

// How the volume slider stands for the mixer's control: control value = slider value × vol_div,
// with vol_div the smallest divisor that keeps the slider's range below 32767.
struct VolumeScale {
    std::int32_t vol_div = 1;
    int max = 0;
    int largeChange = 1;
    int smallChange = 1;
};

// For a control maximum of 65535: vol_div 3, Max 21845, LargeChange 4369, SmallChange 2184.
// The steps are at least 1 (a scroll bar takes no step of 0).
VolumeScale volumeScale(std::uint32_t controlMaximum);
