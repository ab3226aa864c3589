// The movie window (Form2), part: presses, drags, the popup and the idle cursor.
#include "movie/form2.h"
#include "movie/video_window.h"
#include "platform/window_layer.h"
#include "vbnum/vb_number.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <utility>

// ---- the window's own surface and its labels ------------------------------------------------

void Form2::mousePressEvent(QMouseEvent* event)
{
    Form_MouseDown(event->buttons(), event->globalPosition().toPoint());
}

void Form2::mouseDoubleClickEvent(QMouseEvent*)
{
    drag_from_.reset();
    Form_DblClick();
}

// The window manager's move takes the pointer, and the second press of a double click with it:
// it starts only once the pointer has really moved with the button down.
void Form2::mouseMoveEvent(QMouseEvent* event)
{
    if (!drag_from_)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        drag_from_.reset();
        return;
    }
    const QPoint moved = event->globalPosition().toPoint() - *drag_from_;
    if (moved.manhattanLength() < QApplication::startDragDistance())
        return;
    drag_from_.reset();
    move(pos() + moved);  // the way so far, which the window system's move does not know of
    windows.startSystemMove(this);
}

void Form2::mouseReleaseEvent(QMouseEvent*) { drag_from_.reset(); }

// Esc leaves full screen, the way the double click and "FullScreen解除" do.
void Form2::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && form1.fullScreenOn())
        Form_DblClick();
    else
        QWidget::keyPressEvent(event);
}

// The movie window lives as long as the program and holds the picture: a desktop's close
// request (Alt+F4, the window manager's close) is refused. The program ends from its menu's
// "終了" or with the control window.
void Form2::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous())
        event->ignore();
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    const bool strip = watched == Label1;
    if (!strip && watched != Label2)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto buttons = static_cast<QMouseEvent*>(event)->buttons();
        strip ? Label1_MouseDown(buttons) : Label2_MouseDown(buttons);
        return true;  // the labels do not drag the window
    }
    case QEvent::MouseButtonDblClick:
        if (strip)
            Label1_DblClick();
        return true;
    case QEvent::MouseMove:
        if (strip) {
            const auto* me = static_cast<QMouseEvent*>(event);
            if (parked_at_ && me->globalPosition().toPoint() == *parked_at_)
                return false;  // the parking jump itself
            Label1_MouseMove(me->buttons(), me->position().x() * vbnum::TwipsPerPixel,
                me->position().y() * vbnum::TwipsPerPixel);
        }
        return false;
    default:
        return false;
    }
}

void Form2::Form_MouseDown(Qt::MouseButtons button, QPoint at)
{
    if (button & Qt::LeftButton)
        drag_from_ = at;
    if (button == Qt::RightButton)
        showMenu();
}

void Form2::Label1_MouseDown(Qt::MouseButtons button)
{
    if (button == Qt::RightButton)
        showMenu();
}

void Form2::Label2_MouseDown(Qt::MouseButtons button)
{
    if (button == Qt::RightButton)
        showMenu();
}

void Form2::Form_DblClick()
{
    if (form1Controls.Command22->isEnabled())
        emit fullScreenToggleRequested();
}

void Form2::Label1_DblClick()
{
    if (form1Controls.Command22->isEnabled())
        emit fullScreenToggleRequested();
}

// ---- presses on the picture -----------------------------------------------------------------

void Form2::hookVideoWindow(WId handle)
{
    video.mci_hwnd = handle;
    video.old_proc = windows.SetWindowProc(
        handle, [this](WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
            return MovieWndProc(hwnd, msg, wParam, lParam);
        });
}

// Installed on the video window: counts left presses for a double press, defers the popup of a
// right press (never opened from inside the procedure), and passes everything on.
std::int32_t Form2::MovieWndProc(
    WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)
{
    if (msg == wm::ParentNotify) {
        switch (wParam & 0xFFFFu) {
        case wm::LButtonDown:
            Label2->setText(QString::number(++presses));
            Timer3->start(200);
            break;
        case wm::RButtonDown:
            Timer2->start(10);
            break;
        default:
            break;
        }
    }
    return video.old_proc ? video.old_proc(hwnd, msg, wParam, lParam) : 0;
}

// Closes the press-counting window at its second tick; two presses ask for full screen.
void Form2::Timer3_Timer()
{
    ++click_ticks;
    if (click_ticks < 2)
        return;
    Timer3->stop();
    const bool twice = std::exchange(presses, 0) == 2;
    Label2->setText(QStringLiteral("0"));
    click_ticks = 0;
    if (twice && form1Controls.Command22->isEnabled())
        emit fullScreenToggleRequested();
}

void Form2::Timer2_Timer()
{
    Timer2->stop();
    showMenu();
}

// ---- the idle cursor in full screen ---------------------------------------------------------

void Form2::Timer1_Timer()
{
    const QPoint now = windows.cursorPos();
    if (now != last_cursor) {
        last_cursor = now;
        idle_ticks = 0;
        return;
    }
    ++idle_ticks;
    if (idle_ticks >= 10) {
        // The right edge of the screen, just below its top.
        windows.setCursorPos(QPoint(windows.screenSize().width(), 2));
        parked_at_ = windows.cursorPos();
        Timer1->stop();
        cursor_parked = 1;
    }
}

void Form2::Label1_MouseMove(Qt::MouseButtons, double x, double y)
{
    const std::int16_t mx = vbnum::roundToInt16(x);
    const std::int16_t my = vbnum::roundToInt16(y);
    if (first_move.x == 0 && first_move.y == 0) {
        first_move.x = mx;
        first_move.y = my;
        return;
    }
    if ((mx != first_move.x || my != first_move.y) && cursor_parked == 1) {
        // Back to the top centre, and watch again.
        const auto centre = vbnum::roundEven(windows.screenSize().width() / 2.0);
        windows.setCursorPos(QPoint(int(centre), 0));
        parked_at_.reset();
        idle_ticks = 0;
        if (form1.fullScreenOn())  // the watch is full screen's
            Timer1->start();
        cursor_parked = 0;
    }
}

void Form2::endCursorWatch()
{
    Timer1->stop();
    cursor_parked = 0;
    parked_at_.reset();
}
