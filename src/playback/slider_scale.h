#pragma once

#include <cstdint>

class ScrollBar;

// How the position slider HScroll1 maps onto the movie. Up to 30000 units the slider value is
// the device position itself; longer movies are scaled onto 0..30000.
namespace slider_scale {

constexpr std::int32_t DirectLimit = 30001;  // lengths below this are shown directly
constexpr int ScaledMax = 30000;

// Slider value for a device position (halves to even).
int valueForPosition(double position, std::int32_t mediaLen);
// Device position for a slider value (halves to even).
std::int64_t positionForValue(int value, std::int32_t mediaLen);
// Slider maximum for a length.
int maxForLength(std::int32_t mediaLen);
// Sets SmallChange and LargeChange for a length: 10/50 direct, 30/150 scaled.
void applySteps(ScrollBar& slider, std::int32_t mediaLen);

}  // namespace slider_scale
