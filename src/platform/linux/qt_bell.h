#pragma once

#include "platform/bell.h"

// The desktop's bell.
class QtBell : public Bell {
public:
    void beep() override;
};
