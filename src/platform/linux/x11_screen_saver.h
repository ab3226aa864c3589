#pragma once

#include "platform/screen_saver.h"

#include <QString>
#include <optional>

// The screen saver on X11: "active" is the server's screen-saver timeout being non-zero.
// Switching it off sets the timeout to 0 and remembers the one before; switching it on puts
// that back (or the server's default when none was remembered), and leaves one that is on as it
// is. While it is off, the desktop's screen saver (org.freedesktop.ScreenSaver over D-Bus) is
// inhibited too, where that service exists. Without an X11 display every call does nothing and
// isActive is false.
class X11ScreenSaver : public ScreenSaver {
public:
    X11ScreenSaver();
    ~X11ScreenSaver() override;

    bool isActive() override;
    void setActive(bool active) override;

private:
    void inhibit();
    void uninhibit();

    void* display_ = nullptr;  // Display*, shared with Qt
    std::optional<int> savedTimeout_;
    std::optional<unsigned> cookie_;
};
