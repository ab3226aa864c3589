#include "platform/linux/x11_wm_state.h"

#include "platform/linux/x11_display.h"
#include "platform/linux/x11_property.h"

#include <QGuiApplication>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <vector>

namespace x11 {
namespace {

// The property, the window-manager check, and the one or two atoms that make up a state
// (stay-on-top is asked for by its standard name and by the older KDE one).
struct Atoms {
    Atom state, wmCheck, first, second;
};

Atoms atomsOf(Display* d, WmState which)
{
    Atoms a{XInternAtom(d, "_NET_WM_STATE", False),
        XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), None, None};
    if (which == WmState::StayOnTop) {
        a.first = XInternAtom(d, "_NET_WM_STATE_ABOVE", False);
        a.second = XInternAtom(d, "_NET_WM_STATE_STAYS_ON_TOP", False);
    } else {
        a.first = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
    }
    return a;
}

// An EWMH window manager announces itself on the root window.
bool windowManagerRuns(Display* d, Window root, const Atoms& a)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool runs = XGetWindowProperty(d, root, a.wmCheck, 0, 1, False, XA_WINDOW, &type, &format,
                          &count, &after, &data) == Success &&
                      type == XA_WINDOW && count == 1;
    if (data)
        XFree(data);
    return runs;
}

// The window's own _NET_WM_STATE with the state's atoms added or taken out; the other states
// (Qt's, the window manager's) are kept.
void writeState(Display* d, Window w, const Atoms& a, bool on)
{
    std::vector<long> list =
        x11_property::longs(d, w, a.state, XA_ATOM).value_or(std::vector<long>());
    std::erase_if(list, [&](long atom) {
        return atom == long(a.first) || (a.second != None && atom == long(a.second));
    });
    if (on) {
        list.push_back(long(a.first));
        if (a.second != None)
            list.push_back(long(a.second));
    }
    if (list.empty())
        XDeleteProperty(d, w, a.state);
    else
        XChangeProperty(d, w, a.state, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<const unsigned char*>(list.data()), int(list.size()));
}

void askWindowManager(Display* d, Window w, Window root, const Atoms& a, bool on)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = a.state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0;  // _NET_WM_STATE_ADD / _NET_WM_STATE_REMOVE
    e.xclient.data.l[1] = long(a.first);
    e.xclient.data.l[2] = long(a.second);
    e.xclient.data.l[3] = 1;  // the request comes from an application
    XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

}  // namespace

bool available() { return display() != nullptr; }

void setWmState(WId window, WmState state, bool on)
{
    Display* d = display();
    if (!d || !window)
        return;
    const Window w = Window(window);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, w, &attributes))
        return;
    const Atoms a = atomsOf(d, state);
    // Until it is mapped the window manager does not follow the window; it reads the state
    // from the window when it maps it.
    if (attributes.map_state != IsUnmapped && windowManagerRuns(d, attributes.root, a))
        askWindowManager(d, w, attributes.root, a, on);
    else
        writeState(d, w, a, on);
    if (on && state == WmState::StayOnTop)
        XRaiseWindow(d, w);
    XFlush(d);
}

bool hasWmState(WId window, WmState state)
{
    Display* d = display();
    if (!d || !window)
        return false;
    const Atoms a = atomsOf(d, state);
    const std::vector<long> list =
        x11_property::longs(d, Window(window), a.state, XA_ATOM).value_or(std::vector<long>());
    return std::find(list.begin(), list.end(), long(a.first)) != list.end();
}

}  // namespace x11
