// X protocol errors on the program's own connection never end it, whoever set Xlib's handler
// last: a request on a window that does not exist is logged and the program goes on.
#include "platform/linux/x11_errors.h"

#include <QGuiApplication>
#include <QStringList>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

QStringList logged;

extern "C" int otherHandler(Display*, XErrorEvent*) { return 0; }

}  // namespace

TEST(X11Errors, BadWindowIsLoggedWhoeverSetTheHandlerLast)
{
    Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    ASSERT_NE(display, nullptr);
    x11_errors::install();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (QByteArray(context.category) == "reelbox.x11")
            logged << text;
    });
    // What libmpv's X11 output does around its life: its own handler, then Xlib's default back.
    const struct {
        const char* before;
        XErrorHandler set;
        bool reset;
    } cases[] = {{"installed", nullptr, false}, {"reset to the default", nullptr, true},
        {"another handler", otherHandler, false},
        {"another handler, then the default", otherHandler, true}};
    const Window gone = 0x3fffffe;  // an id no client of this server holds
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        if (c.set)
            XSetErrorHandler(c.set);
        if (c.reset)
            XSetErrorHandler(nullptr);
        logged.clear();
        XUnmapWindow(display, gone);
        XSync(display, False);
        if (c.set && !c.reset)  // a handler somebody else set is theirs to run
            EXPECT_TRUE(logged.isEmpty());
        else
            EXPECT_EQ(logged,
                QStringList({QStringLiteral("X error %1 on request %2.0, resource 0x%3 (ignored)")
                                 .arg(BadWindow)
                                 .arg(X_UnmapWindow)
                                 .arg(gone, 0, 16)}));
        XSetErrorHandler(nullptr);
    }
    qInstallMessageHandler(nullptr);
}
