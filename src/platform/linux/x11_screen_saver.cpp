#include "platform/linux/x11_screen_saver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xlib.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Path = QStringLiteral("/org/freedesktop/ScreenSaver");

Display* displayOf(void* d) { return static_cast<Display*>(d); }

}  // namespace

X11ScreenSaver::X11ScreenSaver()
{
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                            : nullptr)
        display_ = x11->display();
}

X11ScreenSaver::~X11ScreenSaver() { uninhibit(); }

bool X11ScreenSaver::isActive()
{
    if (!display_)
        return false;
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(displayOf(display_), &timeout, &interval, &blanking, &exposures);
    return timeout != 0;
}

void X11ScreenSaver::setActive(bool active)
{
    if (!display_)
        return;
    Display* d = displayOf(display_);
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(d, &timeout, &interval, &blanking, &exposures);
    if (active) {
        // A screen saver that is on keeps its timeout (the program may end before it switched
        // it off); -1 restores the server's default where none was remembered.
        if (timeout == 0)
            XSetScreenSaver(d, savedTimeout_.value_or(-1), interval, blanking, exposures);
        savedTimeout_.reset();
        uninhibit();
    } else {
        if (timeout != 0)
            savedTimeout_ = timeout;
        XSetScreenSaver(d, 0, interval, blanking, exposures);
        inhibit();
    }
    // Done when this returns: the program may end right after, and a request still on its way
    // to the server when the connection closes may be handled after others have looked.
    XSync(d, False);
}

void X11ScreenSaver::inhibit()
{
    if (cookie_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(Service))
        return;
    QDBusInterface saver(Service, Path, Service, bus);
    const QDBusReply<unsigned> reply = saver.call(
        QStringLiteral("Inhibit"), QStringLiteral("ReelBox"), QStringLiteral("playing movies"));
    if (reply.isValid())
        cookie_ = reply.value();
}

void X11ScreenSaver::uninhibit()
{
    if (!cookie_)
        return;
    QDBusInterface saver(Service, Path, Service, QDBusConnection::sessionBus());
    saver.call(QStringLiteral("UnInhibit"), *cookie_);
    cookie_.reset();
}
