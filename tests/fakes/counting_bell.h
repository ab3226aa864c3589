#pragma once

#include "platform/bell.h"

// A bell that only counts.
class CountingBell : public Bell {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};
