#pragma once

#include <QtGui/qwindowdefs.h>

// Stay-on-top of a top-level X11 window through its window-manager state (EWMH
// _NET_WM_STATE_ABOVE), leaving Qt's window flags alone: Qt re-creates the native window when
// its stay-on-top flag changes, and that destroys the native children inside it (the video
// window libmpv draws into).
namespace x11 {

// True when the application talks to an X server (the xcb platform).
bool available();

// Asks for `window` to be kept above the others, or lets it go back among them. A mapped window
// asks the window manager; an unmapped one (or any, when no window manager runs) carries the
// request in its own state, which a window manager reads when it maps the window. Turning it
// on also raises the window, so it comes forward even without a window manager.
void setStayOnTop(WId window, bool on);

// Whether `window`'s own state says stay-on-top (as the window manager or we last wrote it).
bool hasStayOnTop(WId window);

}  // namespace x11
