#pragma once

#include <QColor>
#include <cstdint>

// The colour a stored colour value stands for: 0x00BBGGRR, or (negative) 0x80000000 plus the
// index of one of the system's colours, which is taken from the desktop's palette.
QColor colorFromStored(std::int32_t value);
