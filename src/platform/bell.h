#pragma once

// The system beep.
class Bell {
public:
    virtual ~Bell() = default;
    virtual void beep() = 0;
};
