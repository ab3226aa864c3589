// The real window layer on a real X server (run under xvfb-run, with and without a window
// manager): presses made with the X test extension (xdotool) reach an installed procedure,
// placement and stay-on-top act in place. X protocol errors on the program's own connection
// never end it.
// Checks: qt_window_layer.cpp, wm_state_keeper.cpp, x11_map_keeper.cpp, x11_wm_state.cpp,
// x11_property.cpp, x11_errors.cpp (src/platform/linux).
#include "platform/linux/qt_window_layer.h"
#include "platform/linux/x11_errors.h"
#include "platform/linux/x11_wm_state.h"
#include "qt_printers.h"
#include "wait.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>
#include <vector>

#include <X11/Xlib.h>  // last: its macros clash with names in the headers above
#include <X11/Xproto.h>

namespace {

// qt_window_layer.cpp: the window layer.

class PressCounter : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

Display* display()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

void clickAt(QWidget* w, int button)
{
    const QPoint p = w->mapToGlobal(QPoint(w->width() / 2, w->height() / 2));
    QProcess::execute("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y()),
                                     "click", QString::number(button)});
}

class QtWindowLayerOnX : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(100, 100, 400, 300);
        video = new QWidget(&window);
        video->setAttribute(Qt::WA_NativeWindow);  // like the media layer's video window
        video->setGeometry(10, 10, 200, 150);
        window.show();
        ASSERT_TRUE(waitUntil([&] { return shown(); }));
    }

    // Mapped for the server too, not only exposed for Qt: right after a hide and show Qt still
    // reports the old exposure while the window manager works through both, and hiding again
    // then can lose the window for good.
    bool shown()
    {
        XWindowAttributes attributes;
        return window.windowHandle() && window.windowHandle()->isExposed() &&
               XGetWindowAttributes(display(), Window(window.winId()), &attributes) &&
               attributes.map_state == IsViewable;
    }

    void hideAndShow()
    {
        window.hide();
        ASSERT_TRUE(waitUntil([&] { return !window.windowHandle()->isExposed(); }));
        window.show();
        ASSERT_TRUE(waitUntil([&] { return shown(); }));
    }

    QtWindowLayer layer;
    PressCounter window;
    QWidget* video = nullptr;
};

// Presses reach the installed procedure only, also from a native child made after the hook; one
// replaced by another is returned and stops hearing; giving the original back ends the hook and
// presses go their usual way again.
TEST_F(QtWindowLayerOnX, PressesOnTheHookedWindowReachItsProcedureOnly)
{
    std::vector<std::uint32_t> received;
    const WindowLayer::WndProc original = layer.SetWindowProc(
        video->winId(), [&](WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t) {
            EXPECT_EQ(hwnd, video->winId());
            EXPECT_EQ(msg, wm::ParentNotify);
            received.push_back(wParam & 0xFFFF);
            return 0;
        });
    auto* inner = new QWidget(video);  // the left half; the video window's middle stays its own
    inner->setAttribute(Qt::WA_NativeWindow);
    inner->setGeometry(0, 0, 90, 150);
    inner->show();
    ASSERT_TRUE(
        waitUntil([&] { return inner->windowHandle() && inner->windowHandle()->isExposed(); }));
    clickAt(inner, 1);
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1; }));
    clickAt(video, 3);
    ASSERT_TRUE(waitUntil([&] { return received.size() == 2; }));
    // The window behind the picture does not see them.
    EXPECT_EQ(std::tuple(received, window.presses),
        std::tuple(std::vector<std::uint32_t>{wm::LButtonDown, wm::RButtonDown}, 0));

    int otherCalls = 0;
    const WindowLayer::WndProc previous = layer.SetWindowProc(video->winId(),
        [&](WId, std::uint32_t, std::uint32_t, std::int32_t) { return ++otherCalls, 0; });
    clickAt(video, 1);
    ASSERT_TRUE(waitUntil([&] { return otherCalls == 1; }));
    previous(video->winId(), wm::ParentNotify, wm::LButtonDown, 0);
    EXPECT_EQ(received.size(), 3u);

    layer.SetWindowProc(video->winId(), original);
    clickAt(video, 1);
    ASSERT_TRUE(waitUntil([&] { return window.presses == 1; }));
    EXPECT_EQ(std::tuple(received.size(), otherCalls), std::tuple(3u, 1));
}

// Stay-on-top changes in place: the same window, not a new one. The movie window is made topmost
// and then hidden and shown at start-up; the video window inside it must live through that, or
// the picture stays black. Cleared while hidden, it stays cleared.
TEST_F(QtWindowLayerOnX, StayOnTopChangesInPlaceAndKeepsTheNativeChildren)
{
    const WId id = window.winId();
    const WId videoId = video->winId();
    for (bool on : {true, false, true}) {
        layer.setTopMost(&window, on);
        EXPECT_TRUE(waitUntil([&] { return x11::hasStayOnTop(id) == on && shown(); })) << on;
    }
    hideAndShow();
    // The video window still among the native windows the X server has inside it.
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(display(), Window(id), &root, &parent, &children, &count));
    const bool kept = std::find(children, children + count, Window(videoId)) != children + count;
    XFree(children);
    EXPECT_EQ(std::tuple(window.winId(), kept), std::tuple(id, true));
    EXPECT_TRUE(waitUntil([&] { return x11::hasStayOnTop(id); }));  // and still on top

    // Cleared while hidden, then shown by the layer: showing does not bring it back.
    window.hide();
    layer.setTopMost(&window, false);
    ASSERT_TRUE(waitUntil([&] { return shown(); }));
    hideAndShow();
    EXPECT_FALSE(x11::hasStayOnTop(id));
}

// The program places the video window by its handle.
TEST_F(QtWindowLayerOnX, MoveWindowPlacesTheVideoWindow)
{
    EXPECT_TRUE(layer.MoveWindow(video->winId(), 20, 30, 160, 120, true));
    EXPECT_EQ(video->geometry(), QRect(20, 30, 160, 120));
}

// Hidden and shown again at once, as start-up does with the movie window, the window is always
// mapped in the end, however the window manager's work on the two interleaves.
TEST_F(QtWindowLayerOnX, ShownAgainAtOnceIsMappedInTheEnd)
{
    for (int i = 0; i < 20; ++i) {
        window.hide();
        window.show();
        ASSERT_TRUE(waitUntil([&] { return shown(); })) << i;
    }
}

// x11_errors.cpp: X protocol errors.

// X errors: what the program's handler logged.
QStringList logged;

extern "C" int otherHandler(Display*, XErrorEvent*) { return 0; }

// A request on a window that does not exist is logged and the program goes on, whoever set Xlib's
// handler last.
TEST(X11Errors, BadWindowIsLoggedWhoeverSetTheHandlerLast)
{
    ASSERT_NE(display(), nullptr);
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
        XUnmapWindow(display(), gone);
        XSync(display(), False);
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

}  // namespace
