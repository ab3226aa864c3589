#include "platform/linux/qt_window_layer.h"

#include "platform/linux/x11_frame_extents.h"

#include <QChildEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// What a window without a procedure of ours answers: nothing to do.
std::int32_t originalProc(WId, std::uint32_t, std::uint32_t, std::int32_t) { return 0; }

}  // namespace

QtWindowLayer::QtWindowLayer(QObject* parent) : QObject(parent) { }

QtWindowLayer::~QtWindowLayer()
{
    for (auto& [hwnd, hook] : hooks_)
        if (hook.window)
            unwatch(hook.window);
}

bool QtWindowLayer::MoveWindow(WId hwnd, int x, int y, int width, int height, bool repaint)
{
    QWidget* w = QWidget::find(hwnd);
    if (!w)
        return false;
    w->setGeometry(x, y, width, height);
    if (repaint)
        w->update();
    return true;
}

void QtWindowLayer::setTopMost(QWidget* window, bool topmost)
{
    if (!window)
        return;
    if (x11::available())
        wmStates_.set(window, x11::WmState::StayOnTop, topmost);
    window->show();
    // Back among the others it stands first of them, so on and off at once brings it forward.
    window->raise();
}

void QtWindowLayer::setFullScreen(QWidget* window, bool on)
{
    if (!window)
        return;
    window->winId();
    // Qt keeps its own copy of the window's states and writes it into the window each time it
    // maps it; a stale copy would bring full screen back after it ended.
    if (QWindow* handle = window->windowHandle()) {
        const Qt::WindowStates states = handle->windowStates();
        handle->setWindowStates(
            on ? states | Qt::WindowFullScreen : states & ~Qt::WindowFullScreen);
    }
    if (x11::available())
        wmStates_.set(window, x11::WmState::FullScreen, on);
}

WindowLayer::WndProc QtWindowLayer::SetWindowProc(WId hwnd, WndProc proc)
{
    auto it = hooks_.find(hwnd);
    WndProc previous = it != hooks_.end() ? it->second.proc : WndProc(originalProc);
    const bool original =
        !proc ||
        proc.target<std::int32_t (*)(WId, std::uint32_t, std::uint32_t, std::int32_t)>() != nullptr;
    if (original) {
        if (it != hooks_.end()) {
            if (it->second.window)
                unwatch(it->second.window);
            hooks_.erase(it);
        }
        return previous;
    }
    QWidget* w = QWidget::find(hwnd);
    if (it == hooks_.end()) {
        hooks_[hwnd] = Hook{w, std::move(proc)};
        if (w)
            watch(w);
    } else {
        it->second.proc = std::move(proc);
    }
    return previous;
}

void QtWindowLayer::watch(QWidget* widget)
{
    widget->installEventFilter(this);
    for (QObject* child : widget->children())
        if (child->isWidgetType())
            watch(static_cast<QWidget*>(child));
}

void QtWindowLayer::unwatch(QWidget* widget)
{
    widget->removeEventFilter(this);
    for (QObject* child : widget->children())
        if (child->isWidgetType())
            unwatch(static_cast<QWidget*>(child));
}

std::map<WId, QtWindowLayer::Hook>::iterator QtWindowLayer::hookOf(QObject* watched)
{
    for (QObject* o = watched; o; o = o->parent())
        for (auto it = hooks_.begin(); it != hooks_.end(); ++it)
            if (it->second.window == o)
                return it;
    return hooks_.end();
}

// Presses become ParentNotify with the button's message in the low word; a double-click is
// the second press. The video window does nothing with presses itself, so they stop here and
// do not reach the window behind it (whose own presses drag the window).
bool QtWindowLayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && hookOf(watched) != hooks_.end())
            watch(static_cast<QWidget*>(child));
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto it = hookOf(watched);
        if (it == hooks_.end())
            return false;
        const auto button = static_cast<QMouseEvent*>(event)->button();
        std::uint32_t child = 0;
        if (button == Qt::LeftButton)
            child = wm::LButtonDown;
        else if (button == Qt::RightButton)
            child = wm::RButtonDown;
        if (child == 0)
            return true;
        const WId hwnd = it->first;
        WndProc proc = it->second.proc;  // the procedure may replace itself while it runs
        proc(hwnd, wm::ParentNotify, child, 0);
        return true;
    }
    case QEvent::MouseButtonRelease:
        return hookOf(watched) != hooks_.end();
    default:
        return false;
    }
}

void QtWindowLayer::startSystemMove(QWidget* window)
{
    if (window && window->windowHandle())
        window->windowHandle()->startSystemMove();
}

// The window manager answers at once; the bound only keeps a silent one from holding up the start.
QMargins QtWindowLayer::frameToCome(QWidget* window)
{
    if (!window || !x11::available())
        return {};
    return x11_frame_extents::toCome(window->winId(), std::chrono::milliseconds(500))
        .value_or(QMargins());
}

QSize QtWindowLayer::screenSize()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QList<QRect> QtWindowLayer::screenRects()
{
    QList<QRect> rects;
    for (QScreen* screen : QGuiApplication::screens())
        rects << screen->geometry();
    if (rects.isEmpty())
        rects << QRect(QPoint(0, 0), screenSize());
    return rects;
}

QRect QtWindowLayer::screenOf(QWidget* window)
{
    QScreen* screen = window ? QGuiApplication::screenAt(window->frameGeometry().center())
                             : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(QPoint(0, 0), screenSize());
}

QPoint QtWindowLayer::cursorPos() { return QCursor::pos(); }

void QtWindowLayer::setCursorPos(QPoint pos) { QCursor::setPos(pos); }
