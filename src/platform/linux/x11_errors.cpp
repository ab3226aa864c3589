#include "platform/linux/x11_errors.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

Q_LOGGING_CATEGORY(lcX11, "reelbox.x11", QtWarningMsg)

namespace {

extern "C" int logError(Display*, XErrorEvent* error)
{
    // May run on libmpv's output thread, inside Xlib: no requests here.
    qCWarning(lcX11, "X error %d on request %d.%d, resource 0x%lx (ignored)",
        int(error->error_code), int(error->request_code), int(error->minor_code),
        error->resourceid);
    return 0;
}

using SetHandlerFn = XErrorHandler (*)(XErrorHandler);

SetHandlerFn xlibSetErrorHandler()
{
    static const auto real = reinterpret_cast<SetHandlerFn>(dlsym(RTLD_NEXT, "XSetErrorHandler"));
    return real;
}

}  // namespace

// Stands in for Xlib's own for the whole process (libmpv and Qt included): a handler being reset
// to Xlib's default, which exits, gets the logging one instead.
extern "C" XErrorHandler XSetErrorHandler(XErrorHandler handler)
{
    return xlibSetErrorHandler()(handler ? handler : logError);
}

namespace x11_errors {

void install() { XSetErrorHandler(logError); }

}  // namespace x11_errors
