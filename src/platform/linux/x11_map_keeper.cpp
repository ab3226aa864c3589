#include "platform/linux/x11_map_keeper.h"

#include "platform/linux/x11_display.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// How long after a show the window manager has had its turn, and how often to look again.
constexpr int LookAfterMs[] = {250, 1000, 3000};

// Minimized by the window manager: unmapped on purpose (ICCCM WM_STATE Iconic).
bool iconic(Display* d, Window w)
{
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool result = false;
    if (XGetWindowProperty(d, w, wmState, 0, 2, False, wmState, &type, &format, &count, &after,
            &data) == Success &&
        format == 32 && count >= 1 && data)
        result = reinterpret_cast<long*>(data)[0] == 3;  // IconicState
    if (data)
        XFree(data);
    return result;
}

void mapIfLost(QWidget* window)
{
    Display* d = x11::display();
    if (!d || !window->isVisible() || window->isMinimized() ||
        !window->testAttribute(Qt::WA_WState_Created))
        return;
    const Window w = Window(window->winId());
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, w, &attributes) || attributes.map_state != IsUnmapped ||
        iconic(d, w))
        return;
    XMapWindow(d, w);
    XFlush(d);
}

}  // namespace

X11MapKeeper::X11MapKeeper(QObject* parent) : QObject(parent)
{
    if (x11::display())
        qApp->installEventFilter(this);
}

bool X11MapKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (!widget->isWindow() || (type != Qt::Window && type != Qt::Dialog))
        return false;
    const QPointer<QWidget> window(widget);
    for (const int ms : LookAfterMs)
        QTimer::singleShot(ms, this, [window] {
            if (window)
                mapIfLost(window);
        });
    return false;
}
