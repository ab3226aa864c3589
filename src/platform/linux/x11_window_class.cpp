#include "platform/linux/x11_window_class.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

X11WindowClass::X11WindowClass(QByteArray instance, QByteArray className, QObject* parent)
    : QObject(parent), instance_(std::move(instance)), class_(std::move(className))
{
    if (qGuiApp && qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        qApp->installEventFilter(this);
}

// The native window exists from here on and is not mapped yet: the window manager reads the
// class when it maps the window.
bool X11WindowClass::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::PlatformSurface ||
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() !=
            QPlatformSurfaceEvent::SurfaceCreated)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!window || window->parent() || !x11)
        return false;
    Display* d = x11->display();
    QByteArray instance = instance_, className = class_;
    XClassHint hint{instance.data(), className.data()};
    XSetClassHint(d, Window(window->winId()), &hint);
    XFlush(d);
    return false;
}
