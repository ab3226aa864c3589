#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGui/qwindowdefs.h>
#include <cstdint>
#include <functional>

class QWidget;

// Window messages the movie window's procedure understands (the values the program's
// window procedures have always used).
namespace wm {
constexpr std::uint32_t ParentNotify = 0x0210;
constexpr std::uint32_t LButtonDown = 0x0201;
constexpr std::uint32_t RButtonDown = 0x0204;
}  // namespace wm

// Window management by handle: placing a window, keeping a window on top, and a table of
// window procedures so that the program can watch what happens on a window it does not own
// (the video window of the media layer).
class WindowLayer {
public:
    using WndProc = std::function<std::int32_t(
        WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)>;

    virtual ~WindowLayer() = default;

    // Moves and sizes the window `hwnd` (pixels, relative to its parent). False when no such window.
    virtual bool MoveWindow(WId hwnd, int x, int y, int width, int height, bool repaint) = 0;

    // Raises `window` above all others (topmost) or lets it go back among the others, first of
    // them; shows it.
    virtual void setTopMost(QWidget* window, bool topmost) = 0;

    // Installs `proc` as the window procedure of `hwnd` and returns the one it replaces (a
    // procedure that does nothing, when none was set). Presses on the window arrive at the
    // installed procedure as ParentNotify with LButtonDown/RButtonDown in the low word of wParam.
    virtual WndProc SetWindowProc(WId hwnd, WndProc proc) = 0;

    // Lets `window` cover its whole screen, over the desktop's panels and docks (on), or gives
    // that up (off). The program still places and sizes the window itself: a window manager
    // that follows the request gives it the same rectangle, and gives back none of its own
    // when it ends.
    virtual void setFullScreen(QWidget* window, bool on) = 0;

    // Lets the window system drag `window` as if by its title bar (after a press on its body).
    virtual void startSystemMove(QWidget* window) = 0;

    // The frame the window manager will draw around the top-level `window` once it is shown
    // (pixels on each side), asked before it is shown; none when no window manager can tell.
    virtual QMargins frameToCome(QWidget* window) { return {}; }

    // The whole primary screen, in pixels.
    virtual QSize screenSize() = 0;
    // Every screen's rectangle on the desktop, in pixels (by default the primary one alone).
    virtual QList<QRect> screenRects() { return {QRect(QPoint(0, 0), screenSize())}; }
    // The screen `window` stands on (the one holding its centre, else the primary one), in
    // pixels on the desktop.
    virtual QRect screenOf(QWidget* window) { return QRect(QPoint(0, 0), screenSize()); }

    virtual QPoint cursorPos() = 0;
    virtual void setCursorPos(QPoint pos) = 0;
};
