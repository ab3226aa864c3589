#pragma once

#include <QtGui/qwindowdefs.h>

// Window-manager states of a top-level X11 window (EWMH _NET_WM_STATE), set without touching
// Qt's window flags: Qt re-creates the native window when its stay-on-top flag changes, and that
// destroys the native children inside it (the video window libmpv draws into).
namespace x11 {

enum class WmState {
    StayOnTop,  // kept above the other windows (_NET_WM_STATE_ABOVE)
    FullScreen,  // covers its whole screen, panels and docks included (_NET_WM_STATE_FULLSCREEN)
};

// True when the application talks to an X server (the xcb platform).
bool available();

// Asks for `state` on `window`, or for its end. A mapped window asks the window manager; an
// unmapped one (or any, when no window manager runs) carries the request in its own state, which
// a window manager reads when it maps the window. Turning stay-on-top on also raises the window,
// so it comes forward even without a window manager.
void setWmState(WId window, WmState state, bool on);

// Whether `window`'s own state holds `state` (as the window manager or we last wrote it).
bool hasWmState(WId window, WmState state);

inline void setStayOnTop(WId window, bool on) { setWmState(window, WmState::StayOnTop, on); }
inline bool hasStayOnTop(WId window) { return hasWmState(window, WmState::StayOnTop); }

}  // namespace x11
