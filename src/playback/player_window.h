#pragma once

#include "movie/control_window.h"

// The control window as the playback handlers use it, beyond what the movie window uses.
// Form1 implements it.
class PlayerWindow : public ControlWindow {
public:
    // Back to the nothing-open state.
    virtual void reset_all() = 0;
    // The controls that act on an open movie (and the movie window's menu items that do),
    // enabled while a movie is open.
    virtual void setMovieControlsEnabled(bool on) = 0;

protected:
    ~PlayerWindow() = default;
};
