#pragma once

// Xlib's own header: include this after any Qt header (its macros break Qt's).
#include <X11/Xlib.h>
#include <optional>
#include <vector>

namespace x11_property {

// A format-32 property of `window` (atoms, windows, cardinals: Xlib hands them back as longs);
// none when the window has no such property of that type.
std::optional<std::vector<long>> longs(Display* d, Window window, Atom property, Atom type);

}  // namespace x11_property
