#pragma once

#include <QMargins>
#include <QtGui/qwindowdefs.h>
#include <chrono>
#include <optional>

namespace x11_frame_extents {

// The frame the window manager will draw around the top-level `window` (not mapped yet) once it
// maps it: left, top, right and bottom in pixels, asked for by _NET_REQUEST_FRAME_EXTENTS and
// waited for up to `within`; from a table for the window managers known to draw one frame and
// tell nobody (Weston's). None when no window manager tells (or the estimate does not come in
// time).
std::optional<QMargins> toCome(WId window, std::chrono::milliseconds within);

}  // namespace x11_frame_extents
