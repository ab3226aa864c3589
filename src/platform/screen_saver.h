#pragma once

// The system's screen-saver switch.
class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;
    // True when the screen saver is enabled (it would start after the idle time).
    virtual bool isActive() = 0;
    // Enables or disables the screen saver.
    virtual void setActive(bool active) = 0;
};
