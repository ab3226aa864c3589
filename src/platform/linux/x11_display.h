#pragma once

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace x11 {

// The application's connection to the X server; none when it runs on another platform.
inline Display* display()
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

}  // namespace x11
