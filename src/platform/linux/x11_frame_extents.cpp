#include "platform/linux/x11_frame_extents.h"

#include "platform/linux/x11_display.h"
#include "platform/linux/x11_property.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <memory>
#include <poll.h>
#include <string>
#include <vector>

namespace x11_frame_extents {
namespace {

bool supported(Display* d, Atom feature)
{
    const auto list = x11_property::longs(
        d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTED", False), XA_ATOM);
    return list && std::ranges::find(*list, long(feature)) != list->end();
}

// The name the running window manager gives itself (EWMH), empty without one.
std::string windowManagerName(Display* d)
{
    const auto check = x11_property::longs(
        d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
    if (!check || check->size() != 1)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, Window((*check)[0]), XInternAtom(d, "_NET_WM_NAME", False), 0, 64,
            False, XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after,
            &data) == Success &&
        format == 8 && data)
        name.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return name;
}

// Window managers that neither estimate their frame nor publish it, with the frame they always
// draw around a decorated window. Weston's X window manager: the 6-pixel border and 27-pixel
// title bar of its built-in theme (the 32 pixels of shadow around them are no part of the frame
// the user sees, and are not counted).
std::optional<QMargins> knownFrame(Display* d)
{
    if (windowManagerName(d) == "Weston WM")
        return QMargins(6, 27, 6, 6);
    return std::nullopt;
}

std::optional<QMargins> extentsOf(Display* d, Window w, Atom extents)
{
    const auto v = x11_property::longs(d, w, extents, XA_CARDINAL);
    if (!v || v->size() != 4)
        return std::nullopt;
    return QMargins(int((*v)[0]), int((*v)[2]), int((*v)[1]), int((*v)[3]));  // l, r, t, b
}

}  // namespace

std::optional<QMargins> toCome(WId window, std::chrono::milliseconds within)
{
    Display* qt = x11::display();
    if (!qt || !window)
        return std::nullopt;
    // The answer is waited for on a connection of its own, whose events are nobody else's; the
    // window must exist on the server before that connection names it.
    XSync(qt, False);
    const std::unique_ptr<Display, int (*)(Display*)> own(
        XOpenDisplay(DisplayString(qt)), XCloseDisplay);
    Display* d = own.get();
    if (!d)
        return std::nullopt;
    const Atom request = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
    if (!supported(d, request))
        return knownFrame(d);
    XSelectInput(d, Window(window), PropertyChangeMask);
    XEvent ask{};
    ask.xclient.type = ClientMessage;
    ask.xclient.window = Window(window);
    ask.xclient.message_type = request;
    ask.xclient.format = 32;
    XSendEvent(
        d, DefaultRootWindow(d), False, SubstructureNotifyMask | SubstructureRedirectMask, &ask);
    XFlush(d);
    const auto deadline = std::chrono::steady_clock::now() + within;
    for (;;) {
        if (auto margins = extentsOf(d, Window(window), extents))
            return margins;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        // Wait for the window's next property change (or the deadline), then read again.
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (XPending(d) == 0 && poll(&fd, 1, int(left.count())) <= 0)
            continue;
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
        }
    }
}

}  // namespace x11_frame_extents
