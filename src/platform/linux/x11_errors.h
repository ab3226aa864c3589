#pragma once

#include <QLoggingCategory>

// X protocol errors (a request naming a window somebody else destroyed, BadWindow) are logged
// and the program goes on. Xlib's error handler is one for the whole process, and libmpv's X11
// output sets its own and then resets Xlib's, whose default prints the error and ends the
// process: so every reset to the default installs the logging handler instead. The category is
// "reelbox.x11".
Q_DECLARE_LOGGING_CATEGORY(lcX11)

namespace x11_errors {

// Installs the logging handler on the process (once QApplication has connected to X).
void install();

}  // namespace x11_errors
